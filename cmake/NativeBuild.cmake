# The native build: the portable core twice (plain for quiztool and the benchmarks, under
# AddressSanitizer and UndefinedBehaviorSanitizer for the tests), quiztool and the unit tests.
find_package(GTest REQUIRED)

quiz_get_sources(CORE coreSources)
quiz_get_sources(NATIVE nativeSources)

add_library(quizcore STATIC ${coreSources} ${nativeSources})
quiz_common_options(quizcore)

set(QUIZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_library(quizcore_checked STATIC ${coreSources} ${nativeSources})
quiz_common_options(quizcore_checked)
# The sanitized code is compiled for quick builds that still run quickly: -O1 keeps the tests fast
# under the sanitizers, and line tables (-g1) are all that their reports need.
target_compile_options(quizcore_checked PUBLIC ${QUIZ_SANITIZERS} -O1 -g1)
target_link_options(quizcore_checked PUBLIC ${QUIZ_SANITIZERS})

add_subdirectory(tools)
add_subdirectory(tests/unit)
add_subdirectory(tests/cli)
if(EXISTS "${PROJECT_SOURCE_DIR}/tests/bench/CMakeLists.txt")
  add_subdirectory(tests/bench)
endif()
