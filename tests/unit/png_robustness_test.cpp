// Damaged files: every single-bit flip and every truncation of valid files gives an error code
// of the decoder or a whole bitmap, never a bad access (the sanitizers watch every run).
#include <gtest/gtest.h>

#include "tests/unit/png_test_support.h"

namespace {

bool knownError(std::uint32_t error) {
  switch (error) {
  case pngOutOfMemory:
  case pngBadData:
  case pngUnsupported:
  case pngBadFormat: return true;
  default: return false;
  }
}

// A result is either a failure with a known code or a bitmap of the described size.
void expectCleanResult(const Decoded& decoded, const std::string& what) {
  if (decoded.reached == Reached::openedOnly) return;
  if (decoded.reached == Reached::done) {
    EXPECT_EQ(decoded.error, pngOk) << what;
    EXPECT_EQ(decoded.bits.size(), decoded.layout.bitsSize) << what;
  } else {
    EXPECT_TRUE(knownError(decoded.error)) << what << ": " << decoded.error;
  }
}

std::vector<std::pair<std::string, Bytes>> sampleFiles() {
  return {
      {"basn3p04", readTestFile(pngSuitePath("basn3p04.png"))},
      {"basi6a08", readTestFile(pngSuitePath("basi6a08.png"))},
      {"s07i3p02", readTestFile(pngSuitePath("s07i3p02.png"))},
      {"stored", writeWithLibpng(makeRefImage(9, 7, 2, 16, 1, 3), {0, 0, 40})},
  };
}

TEST(PngRobustness, EveryBitFlip) {
  for (const auto& [name, original] : sampleFiles()) {
    ASSERT_FALSE(original.empty()) << name;
    int decoded = 0;
    for (std::size_t bit = 0; bit < original.size() * 8; ++bit) {
      Bytes damaged = original;
      damaged[bit / 8] ^= std::uint8_t(1u << (bit % 8));
      // Large sizes from a flipped IHDR bit are opened only: they would fail for short data.
      const Decoded result = decodeBytes(damaged, std::uint64_t{1} << 20);
      expectCleanResult(result, name + " bit " + std::to_string(bit));
      decoded += result.reached == Reached::done;
    }
    EXPECT_GT(decoded, 0) << name; // flips of checksums and ancillary data change nothing
  }
}

TEST(PngRobustness, EveryTruncation) {
  for (const auto& [name, original] : sampleFiles()) {
    for (std::size_t length = 0; length < original.size(); ++length) {
      const Bytes cut(original.begin(), original.begin() + std::ptrdiff_t(length));
      const Decoded result = decodeBytes(cut);
      expectCleanResult(result, name + " length " + std::to_string(length));
    }
  }
}

} // namespace
