# End-to-end tests: the real player, packed with quizzes by quiztool, started under Wine on the
# session's virtual display, driven with real X input and read through the window reader.
add_executable(window_reader window_reader.cpp)
quiz_common_options(window_reader)
target_link_libraries(window_reader PRIVATE quizwin)
# Loaded by the window reader into the player's process to read what only that process can see.
add_library(window_reader_probe SHARED window_reader_probe.cpp)
set_target_properties(window_reader_probe PROPERTIES PREFIX "")
quiz_common_options(window_reader_probe)
target_link_options(window_reader_probe PRIVATE -static -static-libgcc -static-libstdc++ -s)
add_dependencies(window_reader window_reader_probe)

# Players whose content resources quiztool would never write: an undecodable resource 104, and a
# resource 104 without 105. Both keep every resource of the real player.
function(e2e_player_variant name)
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${name}.rc")
  write_patch_rc("${rc}" "#include \"${PROJECT_BINARY_DIR}/player.rc\"\n" ${ARGN})
  add_executable(${name} WIN32 "${PROJECT_SOURCE_DIR}/app/winmain_win.cpp" "${rc}")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${coded}/quiz104.bin;${coded}/quiz105.bin;${PROJECT_BINARY_DIR}/player.rc")
  quiz_common_options(${name})
  target_link_libraries(${name} PRIVATE quizwin)
  add_dependencies(${name} player)
endfunction()

e2e_player_variant(player_bad104 "104=${data}/garbage.bin" "105=${coded}/quiz105.bin")
e2e_player_variant(player_no105 "104=${coded}/quiz104.bin")

set(E2E_SCENARIOS
  caption_and_class other_title window_size_and_centre version_label layout_and_resize
  fallback_quiz undecodable_answers missing_codes close_box_ends_process
  media_play_writes_and_replaces_clips media_stop_before_play_does_nothing
  media_close_while_playing_leaves_nothing media_video_quiz_hosts_players
  media_rows_without_player_control media_text_and_picture_quizzes_never_load_atl
  board_text_layout board_picture_layout board_two_answer_layout board_number_label_colours
  board_wheel_notches board_scroll_bar_clicks board_scroll_to_bottom board_content_that_fits
  board_resize_keeps_content
  playing_enter_judges_on_key_up playing_leaving_a_box_judges_it playing_verdicts_and_colours
  playing_f1_tries_every_open_box playing_tab_and_page_keys_scroll_the_board
  playing_settext_leaves_a_box_unchanged playing_reveal_texts_one_by_one
  playing_reveal_texts_all_at_once playing_answer_pictures_mode_1
  playing_answer_pictures_and_texts_mode_3 playing_progress_saved_three_ways
  playing_failed_save_keeps_the_previous_file playing_restart_restores_progress
  playing_two_answer_progress playing_progress_file_follows_the_executable
  playing_odd_progress_files playing_hiding_solved_questions playing_link_opens_through_the_shell
  two_close_requests_keep_progress header_redrawn_after_a_one_step_resize
  board_scroll_units_halved_pages board_scroll_units_whole_pages
  board_bars_redrawn_when_the_content_fits)
add_e2e_scenarios(${E2E_SCENARIOS})
# The source files that several scenarios read (clips, pictures), made once before any of them.
add_test(NAME e2e_sources
  COMMAND python3 "${PROJECT_SOURCE_DIR}/tests/e2e/scenarios.py" "${PROJECT_BINARY_DIR}"
    "${QUIZTOOL}" --sources)
set_tests_properties(e2e_sources PROPERTIES FIXTURES_SETUP e2e_sources TIMEOUT 120)

# The main window around an empty record, before and after its first layout.
add_executable(main_window_probe main_window_probe.cpp)
quiz_common_options(main_window_probe)
target_link_libraries(main_window_probe PRIVATE quizwin)
add_test(NAME main_window_version_label
  COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/expect-output"
    "${CMAKE_CURRENT_SOURCE_DIR}/expected/main_window_probe.txt"
    ${RUN_IN_WINE} "$<TARGET_FILE:main_window_probe>")
quiz_wine_test(main_window_version_label)
