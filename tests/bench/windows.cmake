# The start-up benchmark's Windows programs (run by hand through tests/bench/startup-bench, not
# by CTest, so built only when named): the bare window it compares with, and the clock that
# starts and times programs.
add_executable(bare_window WIN32 EXCLUDE_FROM_ALL "${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp")
quiz_common_options(bare_window)
target_link_options(bare_window PRIVATE -static -static-libgcc -static-libstdc++ -s)
add_executable(startup_timer EXCLUDE_FROM_ALL "${CMAKE_CURRENT_LIST_DIR}/startup_timer.cpp")
quiz_common_options(startup_timer)
target_link_options(startup_timer PRIVATE -static -static-libgcc -static-libstdc++ -s)
