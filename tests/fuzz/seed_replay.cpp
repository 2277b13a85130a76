// Runs every fuzzer's seed corpus once through its entry point, in one program built by the
// native compiler under ASan and UBSan, so that each test run checks every seed without libFuzzer
// (which g++ lacks). Each fuzzer's source is compiled with its entry point renamed to
// fuzz_<name>; seed_fuzzers.inc, made by the build, lists the names.
//
//   seed_replay CORPUS_FOLDER   replays CORPUS_FOLDER/<name>/* for every fuzzer
//
// A failed check in a fuzzer aborts the program; the line printed before each input names it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#define QUIZ_FUZZER(name) extern "C" int fuzz_##name(const std::uint8_t* data, std::size_t size);
#include "seed_fuzzers.inc"
#undef QUIZ_FUZZER

namespace {

struct Fuzzer {
  const char* name;
  int (*testOneInput)(const std::uint8_t* data, std::size_t size);
};

const Fuzzer fuzzers[] = {
#define QUIZ_FUZZER(name) {#name, fuzz_##name},
#include "seed_fuzzers.inc"
#undef QUIZ_FUZZER
};

bool readFile(const std::filesystem::path& path, std::vector<char>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Hands the bytes over in a heap block of exactly their size, as libFuzzer does, so that ASan
// sees a read past the end.
void runInput(const Fuzzer& fuzzer, const std::vector<char>& bytes) {
  const auto copy = std::make_unique<std::uint8_t[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), copy.get());
  fuzzer.testOneInput(copy.get(), bytes.size());
}

// The empty input first, as libFuzzer starts, then each seed in name order. False when the
// corpus folder is missing or empty or a seed cannot be read.
bool replayCorpus(const Fuzzer& fuzzer, const std::filesystem::path& folder) {
  std::error_code error;
  std::vector<std::filesystem::path> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) seeds.push_back(entry.path());
  }
  if (error || seeds.empty()) {
    std::fprintf(stderr, "seed_replay: no seeds in %s\n", folder.c_str());
    return false;
  }
  std::sort(seeds.begin(), seeds.end());
  std::printf("%s: the empty input\n", fuzzer.name);
  std::fflush(stdout);
  runInput(fuzzer, {});
  std::vector<char> bytes;
  for (const auto& seed : seeds) {
    if (!readFile(seed, bytes)) {
      std::fprintf(stderr, "seed_replay: cannot read %s\n", seed.c_str());
      return false;
    }
    std::printf("%s: %s\n", fuzzer.name, seed.filename().c_str());
    std::fflush(stdout);
    runInput(fuzzer, bytes);
  }
  return true;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: seed_replay CORPUS_FOLDER\n");
    return 2;
  }
  bool ok = true;
  for (const Fuzzer& fuzzer : fuzzers) {
    if (!replayCorpus(fuzzer, std::filesystem::path(argv[1]) / fuzzer.name)) ok = false;
  }
  return ok ? 0 : 1;
}
