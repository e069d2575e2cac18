# One interface target carries the compile settings every target of ours shares.
add_library(kelvane_settings INTERFACE)
target_compile_features(kelvane_settings INTERFACE cxx_std_20)
target_compile_options(kelvane_settings INTERFACE -Wall -Wextra -Wpedantic)
# Every conversion between bytes and text is spelled out, because the files are
# Windows-1252 and an implicit UTF-8 conversion would silently corrupt them.
target_compile_definitions(kelvane_settings INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CONTEXTLESS_CONNECT)

if(KELVANE_SANITIZE)
  target_compile_options(kelvane_settings INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(kelvane_settings INTERFACE -fsanitize=address,undefined)
endif()

# GCC 12 reports std::optional<QString> moves as "maybe uninitialized" (a known false
# positive of its optional handling); the definite -Wuninitialized stays on.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(kelvane_settings INTERFACE -Wno-maybe-uninitialized)
endif()

if(KELVANE_FUZZ)
  target_compile_options(kelvane_settings INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(kelvane_settings INTERFACE -fsanitize=address,undefined)
endif()
