# The native build: the portable core twice (plain for quiztool and the benchmarks, under
# AddressSanitizer and UndefinedBehaviorSanitizer for the tests), quiztool, the unit tests and the
# replay of the fuzzers' seeds.
find_package(GTest REQUIRED)
# Line tables are all the debugging information that the tool's backtraces and the sanitizers'
# reports use; full debugging information would add half again to the compile time.
add_compile_options($<$<CONFIG:RelWithDebInfo>:-g1>)

quiz_get_sources(CORE coreSources)
quiz_get_sources(NATIVE nativeSources)

add_library(quizcore STATIC ${coreSources} ${nativeSources})
quiz_common_options(quizcore)

set(QUIZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_library(quizcore_checked STATIC ${coreSources} ${nativeSources})
quiz_common_options(quizcore_checked)
# The sanitized code is compiled for quick builds that still run quickly. Line tables (-g1) are all
# that the reports need. The libraries, where a test run spends its time, are optimized (-O1); a
# test program's own files, most of the build and light to run, are not (-O0 halves their compile
# time): a target marks itself as such with the property QUIZ_TEST_FILES.
set(QUIZ_CHECKED_OPTIONS ${QUIZ_SANITIZERS} -g1
  $<IF:$<BOOL:$<TARGET_PROPERTY:QUIZ_TEST_FILES>>,-O0,-O1>)
target_compile_options(quizcore_checked PUBLIC ${QUIZ_CHECKED_OPTIONS})
target_link_options(quizcore_checked PUBLIC ${QUIZ_SANITIZERS})

add_subdirectory(tools)
# What the test programs link: quiztool's library, which brings the core; its checked build
# where quiztool's library comes in two.
if(TARGET quiztoolcore_checked)
  set(QUIZ_TESTED_LIBRARY quiztoolcore_checked)
else()
  set(QUIZ_TESTED_LIBRARY quiztoolcore)
endif()
add_subdirectory(tests/unit)
add_subdirectory(tests/cli)
add_subdirectory(tests/fuzz)
# The benchmarks are run by hand, so they are built only when named (--target png_decoder_bench).
if(EXISTS "${PROJECT_SOURCE_DIR}/tests/bench/CMakeLists.txt")
  add_subdirectory(tests/bench EXCLUDE_FROM_ALL)
endif()
