# Most of our sources spend longer reading Qt's headers than compiling their own code.
# Two precompiled headers, one per set of Qt modules a target sees (Core; Core, Gui and
# Widgets, with or without Test), are each made once per build and reused by every
# target that sees the same set; a target that sees another set compiles as before.
# Qt Test's headers stay out: they depend on each test folder's own build folder. Call
# kelvane_precompile_headers() once every target exists.
option(KELVANE_PCH "Reuse precompiled Qt headers across targets" ON)

set(kelvane_pch_core_headers
  <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject> <QString>
  <QStringList> <QTextStream> <QTimer> <QVariant>
  <algorithm> <functional> <memory> <optional> <utility> <vector>)
set(kelvane_pch_widgets_headers ${kelvane_pch_core_headers}
  <QAction> <QApplication> <QBoxLayout> <QCheckBox> <QComboBox> <QDialog> <QGroupBox>
  <QImage> <QLabel> <QLineEdit> <QListWidget> <QMainWindow> <QMenu> <QPainter>
  <QPixmap> <QPushButton> <QTabWidget> <QWidget>)

# The Qt modules `target` sees through its own and its libraries' links.
function(kelvane_qt_modules target out)
  set(seen "")
  set(modules "")
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    if(current MATCHES "^Qt6::(Core|Gui|Widgets|Test)$")
      list(APPEND modules ${CMAKE_MATCH_1})
    endif()
    get_target_property(type ${current} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${current} LINK_LIBRARIES)
    endif()
    get_target_property(interface_links ${current} INTERFACE_LINK_LIBRARIES)
    foreach(link IN LISTS links interface_links)
      if(link AND NOT link MATCHES "NOTFOUND$" AND NOT link MATCHES "^\\$<")
        list(APPEND pending ${link})
      endif()
    endforeach()
  endwhile()
  list(REMOVE_DUPLICATES modules)
  list(SORT modules)
  set(${out} "${modules}" PARENT_SCOPE)
endfunction()

function(kelvane_targets_in directory out)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    kelvane_targets_in(${subdirectory} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} "${targets}" PARENT_SCOPE)
endfunction()

function(kelvane_precompile_headers)
  if(NOT KELVANE_PCH OR KELVANE_FUZZ)
    return()
  endif()
  set(kinds core widgets)
  set(core_modules Core)
  set(widgets_modules Core Gui Widgets)
  set(core_libraries Qt6::Core)
  set(widgets_libraries Qt6::Widgets)
  foreach(kind IN LISTS kinds)
    add_library(kelvane_pch_${kind} STATIC ${PROJECT_SOURCE_DIR}/cmake/PrecompiledHeaders.cpp)
    target_link_libraries(kelvane_pch_${kind} PRIVATE kelvane_settings ${${kind}_libraries})
    target_precompile_headers(kelvane_pch_${kind} PRIVATE ${kelvane_pch_${kind}_headers})
  endforeach()
  kelvane_targets_in(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|EXECUTABLE)$"
       OR target MATCHES "^kelvane_pch_")
      continue()
    endif()
    kelvane_qt_modules(${target} modules)
    list(REMOVE_ITEM modules Test)
    foreach(kind IN LISTS kinds)
      if(modules STREQUAL "${${kind}_modules}")
        target_precompile_headers(${target} REUSE_FROM kelvane_pch_${kind})
      endif()
    endforeach()
  endforeach()
endfunction()
