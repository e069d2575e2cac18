# Copies the default pictures and sounds beside the executables, as an install would place them.
function(kelvane_copy_media target)
  set(media_dir ${PROJECT_SOURCE_DIR}/experiment/resources)
  file(GLOB icons CONFIGURE_DEPENDS ${media_dir}/ico/*.ico)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>/ico
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${icons} $<TARGET_FILE_DIR:${target}>/ico/
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${media_dir}/sound.wav ${media_dir}/click.wav
            $<TARGET_FILE_DIR:${target}>/
    VERBATIM)
endfunction()
