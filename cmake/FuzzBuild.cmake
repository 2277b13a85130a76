# The fuzz build (clang): the portable core with libFuzzer's coverage, ASan and UBSan, and one
# fuzzer per decoder or parser. CTest runs each for a bounded number of inputs.
quiz_get_sources(CORE coreSources)
quiz_get_sources(NATIVE nativeSources)

set(QUIZ_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
add_library(quizcore_fuzz STATIC ${coreSources} ${nativeSources})
quiz_common_options(quizcore_fuzz)
target_compile_options(quizcore_fuzz PUBLIC ${QUIZ_FUZZ_FLAGS})
target_link_options(quizcore_fuzz PUBLIC -fsanitize=address,undefined)

add_subdirectory(tests/fuzz)
