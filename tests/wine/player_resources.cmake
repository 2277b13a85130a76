# The player's own resources, read back from player.exe (and from a packed quiz, whose packing
# must keep them), and the manifest of quiztool.exe.
add_executable(resource_probe resource_probe.cpp)
quiz_common_options(resource_probe)
target_link_libraries(resource_probe PRIVATE quizwin version)
add_test(NAME player_resources COMMAND ${RUN_IN_WINE} "$<TARGET_FILE:resource_probe>" "$<TARGET_FILE:player>")
quiz_wine_test(player_resources)
if(TARGET quiztool)
  add_test(NAME quiztool_manifest
    COMMAND ${RUN_IN_WINE} "$<TARGET_FILE:resource_probe>" --manifest "$<TARGET_FILE:quiztool>")
  quiz_wine_test(quiztool_manifest)
endif()
add_test(NAME packed_quiz_keeps_player_resources
  COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/pack-and-probe" "${QUIZTOOL}" "$<TARGET_FILE:player>"
    "${PROJECT_SOURCE_DIR}/demo" "${CMAKE_CURRENT_BINARY_DIR}/packed" ${RUN_IN_WINE}
    "$<TARGET_FILE:resource_probe>")
quiz_wine_test(packed_quiz_keeps_player_resources)
