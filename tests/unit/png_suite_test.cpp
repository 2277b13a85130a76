// The PngSuite images: every valid one decodes to the pixels libpng reads, converted to the
// bitmap formats; every corrupt one fails with the code the decoder's rules give, except those
// whose only fault is a checksum, which this decoder does not verify.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <map>

#include "tests/unit/png_test_support.h"

namespace {

std::vector<std::string> suiteImages() {
  std::vector<std::string> names;
  if (DIR* dir = opendir(pngSuitePath("").c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() > 4 && name.substr(name.size() - 4) == ".png") names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(PngSuite, ValidImagesMatchLibpng) {
  int compared = 0;
  for (const std::string& name : suiteImages()) {
    if (name[0] == 'x') continue;
    const Bytes png = readTestFile(pngSuitePath(name));
    RefImage reference;
    ASSERT_TRUE(readWithLibpng(png, reference)) << name;
    EXPECT_EQ(compareBitmap(decodeBytes(png), expectedBitmap(reference)), "") << name;
    ++compared;
  }
  EXPECT_GE(compared, 150);
}

struct Corrupt {
  const char* name;
  Reached reached;
  std::uint32_t error;
};

TEST(PngSuite, CorruptImagesFailByTheRules) {
  const Corrupt cases[] = {
      {"xc1n0g08.png", Reached::openFailed, pngUnsupported}, // colour type 1
      {"xc9n2c08.png", Reached::openFailed, pngUnsupported}, // colour type 9
      {"xcrn0g04.png", Reached::openFailed, pngBadData},     // signature: CR became LF
      {"xcsn0g01.png", Reached::done, pngOk},                // only a CRC is wrong
      {"xd0n2c08.png", Reached::openFailed, pngUnsupported}, // bit depth 0
      {"xd3n2c08.png", Reached::openFailed, pngUnsupported}, // bit depth 3
      {"xd9n2c08.png", Reached::openFailed, pngUnsupported}, // bit depth 99
      {"xdtn0g01.png", Reached::decodeFailed, pngBadData},   // no IDAT
      {"xhdn0g08.png", Reached::done, pngOk},                // only IHDR's CRC is wrong
      {"xlfn0g04.png", Reached::openFailed, pngBadData},     // signature: LF became CR LF
      {"xs1n0g01.png", Reached::openFailed, pngBadData},     // signature byte 1
      {"xs2n0g01.png", Reached::openFailed, pngBadData},     // signature byte 2
      {"xs4n0g01.png", Reached::openFailed, pngBadData},     // signature byte 4
      {"xs7n0g01.png", Reached::openFailed, pngBadData},     // signature byte 7
  };
  std::map<std::string, bool> listed;
  for (const Corrupt& c : cases) {
    listed[c.name] = true;
    const Decoded decoded = decodeBytes(readTestFile(pngSuitePath(c.name)));
    EXPECT_EQ(decoded.reached, c.reached) << c.name;
    EXPECT_EQ(decoded.error, c.error) << c.name;
  }
  for (const std::string& name : suiteImages()) {
    if (name[0] == 'x') {
      EXPECT_TRUE(listed[name]) << name << " has no expected result";
    }
  }
}

TEST(PngSuite, ChecksumFaultsDecodeLikeTheFixedFile) {
  // xcsn0g01 is basn0g01 with a wrong IDAT CRC.
  const Decoded damaged = decodeBytes(readTestFile(pngSuitePath("xcsn0g01.png")));
  const Decoded original = decodeBytes(readTestFile(pngSuitePath("basn0g01.png")));
  ASSERT_EQ(damaged.reached, Reached::done);
  EXPECT_EQ(damaged.bits, original.bits);
}

} // namespace
