# Copies the default pictures (ico/) and sounds beside the executables, as an install
# would place them, so a freshly built program runs in place. A target of its own, so
# that changed pictures are copied even when no program is relinked.
function(kelvane_copy_media target)
  if(NOT TARGET kelvane_media)
    file(GLOB_RECURSE media_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/experiment/resources/*)
    set(stamp ${CMAKE_BINARY_DIR}/media.stamp)
    add_custom_command(OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/experiment/resources
              ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${media_files}
      VERBATIM)
    add_custom_target(kelvane_media ALL DEPENDS ${stamp})
  endif()
  add_dependencies(${target} kelvane_media)
endfunction()

# Copies the manual (docs/) beside the executables as doc/, where the help window looks
# in a build, so F1 works in a freshly built program as in an installed one.
function(kelvane_copy_manual target)
  if(NOT TARGET kelvane_manual)
    file(GLOB_RECURSE manual_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*)
    set(stamp ${CMAKE_BINARY_DIR}/manual.stamp)
    add_custom_command(OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/docs
              ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/doc
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${manual_files}
      VERBATIM)
    add_custom_target(kelvane_manual ALL DEPENDS ${stamp})
  endif()
  add_dependencies(${target} kelvane_manual)
endfunction()
