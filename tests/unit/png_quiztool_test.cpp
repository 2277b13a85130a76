// quiztool png: the BMP file it writes holds exactly the bitmap the player would make, and a
// file the decoder refuses gives one line with the error code.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/unit/png_test_support.h"
#include "tools/quiztool/commands/commands.h"

namespace {

std::uint32_t little32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24;
}

int runPngCommand(const std::string& in, const std::string& out, std::string& errors) {
  std::string inArg = in, outArg = out;
  char* argv[] = {inArg.data(), outArg.data()};
  testing::internal::CaptureStderr();
  const int rc = runPng(2, argv);
  errors = testing::internal::GetCapturedStderr();
  return rc;
}

std::string temporaryPath(const char* name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/quiz_png_" + std::to_string(getpid()) + "_" + name;
}

TEST(QuiztoolPng, WritesTheBitmapAsABmpFile) {
  for (const char* name : {"basn3p02.png", "basi0g01.png", "basn2c16.png", "basn6a08.png"}) {
    const std::string out = temporaryPath("out.bmp");
    std::string errors;
    ASSERT_EQ(runPngCommand(pngSuitePath(name), out, errors), 0) << name << errors;
    const Bytes bmp = readTestFile(out);
    std::remove(out.c_str());
    const Decoded decoded = decodeBytes(readTestFile(pngSuitePath(name)));
    ASSERT_EQ(decoded.reached, Reached::done) << name;
    Bytes info(pngBitmapInfoSize(decoded.layout));
    storePngBitmapInfo(decoded.layout, info.data());
    const std::size_t offset = 14 + info.size();
    ASSERT_EQ(bmp.size(), offset + decoded.bits.size()) << name;
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(little32(bmp, 2), bmp.size()) << name;
    EXPECT_EQ(little32(bmp, 6), 0u) << name;
    EXPECT_EQ(little32(bmp, 10), offset) << name;
    EXPECT_EQ(Bytes(bmp.begin() + 14, bmp.begin() + std::ptrdiff_t(offset)), info) << name;
    EXPECT_EQ(little32(bmp, 14 + 8), std::uint32_t(-std::int32_t(decoded.height))) << name;
    EXPECT_EQ(Bytes(bmp.begin() + std::ptrdiff_t(offset), bmp.end()), decoded.bits) << name;
  }
}

TEST(QuiztoolPng, ReportsTheDecodersErrorCode) {
  const std::pair<const char*, const char*> cases[] = {
      {"xs1n0g01.png", "png failed: 0x2000\n"},
      {"xc9n2c08.png", "png failed: 0x2001\n"},
      {"xdtn0g01.png", "png failed: 0x2000\n"},
  };
  for (const auto& [name, message] : cases) {
    const std::string out = temporaryPath("bad.bmp");
    std::string errors;
    EXPECT_EQ(runPngCommand(pngSuitePath(name), out, errors), 1) << name;
    EXPECT_EQ(errors, message) << name;
    std::FILE* written = std::fopen(out.c_str(), "rb");
    EXPECT_EQ(written, nullptr) << name;
    if (written) std::fclose(written);
  }
}

} // namespace
