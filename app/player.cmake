# player.exe: WinMain and the Win32 code of every subsystem (the quizwin library), with the
# resources of app/resources. Included by the Windows build.
set(imageDir "${CMAKE_CURRENT_BINARY_DIR}/player-images")
set(images "${imageDir}/app.ico" "${imageDir}/play.ico" "${imageDir}/stop.ico" "${imageDir}/hand.cur")
add_custom_command(OUTPUT ${images}
  COMMAND python3 "${PROJECT_SOURCE_DIR}/app/resources/draw_images.py" "${imageDir}"
  DEPENDS "${PROJECT_SOURCE_DIR}/app/resources/draw_images.py" VERBATIM)

set(IMAGE_DIR "${imageDir}")
configure_file("${PROJECT_SOURCE_DIR}/app/resources/player.rc.in" "${CMAKE_CURRENT_BINARY_DIR}/player.rc" @ONLY)
set_source_files_properties("${CMAKE_CURRENT_BINARY_DIR}/player.rc" PROPERTIES OBJECT_DEPENDS "${images}")

add_executable(player WIN32 "${PROJECT_SOURCE_DIR}/app/winmain_win.cpp" "${CMAKE_CURRENT_BINARY_DIR}/player.rc")
quiz_common_options(player)
target_link_libraries(player PRIVATE quizwin)
