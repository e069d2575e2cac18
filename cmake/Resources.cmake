# Copies the default pictures (ico/) and sounds beside the executables, as an install
# would place them, so a freshly built program runs in place.
function(kelvane_copy_media target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/experiment/resources
            $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
