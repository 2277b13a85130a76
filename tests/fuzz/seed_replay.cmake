# The native build's run of the fuzzers: every seed of every corpus once, through the fuzzers'
# entry points compiled by g++ under ASan and UBSan (seed_replay.cpp), in each test run. Fuzzing
# itself, with libFuzzer, is the fuzz build's (clang).
file(GLOB fuzzers CONFIGURE_DEPENDS RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}/*_fuzzer.cpp")
set(fuzzerList "")
foreach(source IN LISTS fuzzers)
  string(REGEX REPLACE "\\.cpp$" "" name "${source}")
  # Every fuzzer names its entry point alike; here each gets its own.
  set_source_files_properties(${source} PROPERTIES
    COMPILE_DEFINITIONS "LLVMFuzzerTestOneInput=fuzz_${name}")
  string(APPEND fuzzerList "QUIZ_FUZZER(${name})\n")
endforeach()
file(CONFIGURE OUTPUT seed_fuzzers.inc CONTENT "${fuzzerList}")

add_executable(seed_replay seed_replay.cpp ${fuzzers})
quiz_common_options(seed_replay)
set_target_properties(seed_replay PROPERTIES QUIZ_TEST_FILES ON)
target_compile_options(seed_replay PRIVATE ${QUIZ_CHECKED_OPTIONS})
target_link_options(seed_replay PRIVATE ${QUIZ_SANITIZERS})
target_include_directories(seed_replay PRIVATE "${CMAKE_CURRENT_BINARY_DIR}")
target_link_libraries(seed_replay PRIVATE ${QUIZ_TESTED_LIBRARY})
add_test(NAME fuzz_seeds COMMAND seed_replay "${CMAKE_CURRENT_SOURCE_DIR}/corpus")
