#include <gtest/gtest.h>

#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "board/tab_scroll.h"
#include "content/settings_block.h"
#include "media/media_type.h"
#include "pictures/fit_size.h"

namespace {

TEST(FitSize, FitsPicturesIntoTheBox) {
  const struct {
    int width, height, boxWidth, boxHeight;
    FittedSize expected;
  } cases[] = {
      {520, 390, 260, 260, {260, 195}}, // reduced, width limits
      {390, 520, 260, 260, {195, 260}}, // reduced, height limits
      {100, 50, 260, 260, {260, 130}},  // enlarged
      {50, 100, 260, 260, {130, 260}},
      {520, 520, 260, 260, {260, 260}},
      {260, 260, 260, 260, {260, 260}}, // unchanged
      {260, 100, 260, 260, {260, 100}},
      {1, 1, 260, 260, {260, 260}},
      {300, 200, 260, 260, {260, 173}}, // 173.33 truncated
      {3, 7, 260, 260, {111, 260}},     // 111.43 truncated
      {2600, 10, 260, 260, {260, 1}},   // very thin pictures keep their proportions
      {10, 2600, 260, 260, {1, 260}},
      {1, 1000, 260, 260, {1, 260}}, // thinner than a pixel once fitted: one pixel
      {10000, 1, 260, 260, {260, 1}},
      {65535, 1, 260, 260, {260, 1}},
      {1, 65535, 260, 260, {1, 260}},
      {2000, 3, 260, 260, {260, 1}},
      {2147483647, 1, 260, 260, {260, 1}},
      {1000, 500, 200, 300, {200, 100}}, // a box that is not square
      // Sizes where wider arithmetic (the x87 unit's 80 bits) comes out one pixel apart from
      // IEEE double, whose sizes these are.
      {11, 55, 260, 260, {52, 260}},
      {55, 11, 260, 260, {260, 52}},
      {27, 30, 260, 260, {233, 260}},
      {30, 27, 260, 260, {260, 233}},
      {60, 57, 260, 260, {260, 246}},
      {57, 60, 260, 260, {246, 260}},
      {0, 100, 260, 260, {0, 0}}, // degenerate pictures
      {100, 0, 260, 260, {0, 0}},
      {0, 0, 260, 260, {0, 0}},
      {-100, 50, 260, 260, {0, 0}},
      {100, -50, 260, 260, {0, 0}},
      {-100, -50, 260, 260, {0, 0}},
      {100, 50, 0, 260, {0, 0}}, // degenerate boxes
      {100, 50, 260, 0, {0, 0}},
      {100, 50, -260, 260, {0, 0}},
      {100, 50, 260, -260, {0, 0}},
  };
  for (const auto& c : cases) {
    const FittedSize got = fitSize(c.width, c.height, c.boxWidth, c.boxHeight);
    EXPECT_EQ(got.width, c.expected.width)
        << c.width << "x" << c.height << " in " << c.boxWidth << "x" << c.boxHeight;
    EXPECT_EQ(got.height, c.expected.height)
        << c.width << "x" << c.height << " in " << c.boxWidth << "x" << c.boxHeight;
  }
}

// Whatever the picture, the limiting side comes out at the box size exactly and the other
// side at most at it.
TEST(FitSize, PutsTheLimitingSideAtTheBoxSize) {
  for (int width = 1; width <= 700; width += 3) {
    for (int height = 1; height <= 700; height += 7) {
      const FittedSize got = fitSize(width, height, 260, 260);
      EXPECT_TRUE(got.width == 260 || got.height == 260) << width << "x" << height;
      EXPECT_LE(got.width, 260);
      EXPECT_LE(got.height, 260);
      EXPECT_GE(got.width, 1);
      EXPECT_GE(got.height, 1);
    }
  }
}

// Every build, whatever its floating point, gives the sizes of IEEE double arithmetic, which
// this build's own doubles compute here: every picture up to 1200 x 1200 in the player's box
// (80-bit arithmetic puts some of them a pixel apart, 11 x 55 the first), and other boxes.
TEST(FitSize, GivesTheSizesOfDoubleArithmetic) {
  static_assert(FLT_EVAL_METHOD == 0, "the reference needs plain double arithmetic");
  const auto reference = [](int width, int height, int boxWidth, int boxHeight) {
    const double scaleX = static_cast<double>(boxWidth) / width;
    const double scaleY = static_cast<double>(boxHeight) / height;
    const double scale = scaleX < scaleY ? scaleX : scaleY;
    const int fittedWidth = static_cast<int>(width * scale);
    const int fittedHeight = static_cast<int>(height * scale);
    return FittedSize{fittedWidth < 1 ? 1 : fittedWidth, fittedHeight < 1 ? 1 : fittedHeight};
  };
  const struct {
    int boxWidth, boxHeight, last, step;
  } grids[] = {{260, 260, 1200, 1},
               {200, 300, 1000, 3},
               {1, 1, 500, 7},
               {65535, 4097, 70000, 997},
               {2147483647, 2147483647, 2147483647, 21474837}};
  for (const auto& grid : grids) {
    int mismatches = 0;
    for (long long w = 1; w <= grid.last; w += grid.step) {
      for (long long h = 1; h <= grid.last; h += grid.step) {
        const int width = static_cast<int>(w), height = static_cast<int>(h);
        const FittedSize got = fitSize(width, height, grid.boxWidth, grid.boxHeight);
        const FittedSize expected = reference(width, height, grid.boxWidth, grid.boxHeight);
        if (got.width == expected.width && got.height == expected.height) continue;
        if (++mismatches <= 5)
          ADD_FAILURE() << width << "x" << height << " in " << grid.boxWidth << "x"
                        << grid.boxHeight << ": " << got.width << "x" << got.height << ", not "
                        << expected.width << "x" << expected.height;
      }
    }
    EXPECT_EQ(mismatches, 0) << "in " << grid.boxWidth << "x" << grid.boxHeight;
  }
}

// Each clip is copied into a heap block of exactly its size, so that the sanitizer sees any
// read past its end.
std::string extensionOf(const std::vector<std::uint8_t>& bytes) {
  std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bytes.size()]);
  if (!bytes.empty()) std::memcpy(exact.get(), bytes.data(), bytes.size());
  return mediaExtension(exact.get(), bytes.size());
}

std::vector<std::uint8_t> bytesOf(const char* text, std::size_t size) {
  return std::vector<std::uint8_t>(text, text + size);
}

TEST(MediaExtension, ChoosesByTheFirstBytes) {
  const struct {
    std::vector<std::uint8_t> bytes;
    const char* expected;
  } cases[] = {
      {bytesOf("RIFF\x24\0\0\0WAVEfmt ", 16), "WAV"},
      {bytesOf("RIFF\x24\0\0\0AVI LIST", 16), "AVI"},
      {bytesOf("RIFX\x24\0\0\0XXXX", 12), "XXX"}, // R, another byte at 8
      {bytesOf("RIFF\x24\0\0\0wave", 12), "XXX"}, // the test is case-sensitive
      {bytesOf("ID3\x03\0\0\0\0\0\x21", 10), "MP3"},
      {bytesOf("I", 1), "MP3"},
      {{0xFF, 0xF3, 0x90, 0x64}, "MP3"},
      {{0xFF, 0x00, 0x01, 0xBA}, "MPG"},
      {{0xFF, 0xFB, 0x90, 0x64}, "XXX"}, // other MPEG frame syncs are not recognised
      {{0xFF, 0xF2}, "XXX"},
      {{0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11, 0xA6}, "WMV"},
      {{0, 0, 1, 0xBA, 0, 0, 0, 0, 'A'}, "AVI"},
      {{0, 0, 1, 0xBA, 0, 0, 0, 0, 'W'}, "AVI"},
      {{0, 0, 1, 0xBA, 0, 0, 0, 0, 'R'}, "XXX"},
      {bytesOf("GIF89a\x01\0\x01\0", 10), "XXX"},
      {bytesOf("fLaC\0\0\0\x22WAVE", 12), "XXX"}, // W at 8, but not after R or 0
      {bytesOf("OggS\0\x02\0\0\0\0", 10), "XXX"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(extensionOf(c.bytes), c.expected) << c.bytes.size() << " bytes";
}

// Bytes that a clip does not have count as 0, and nothing past its end is read.
TEST(MediaExtension, ReadsShortClipsWithinTheirSize) {
  const struct {
    std::vector<std::uint8_t> bytes;
    const char* expected;
  } cases[] = {
      {{}, "XXX"},
      {{0xFF}, "MPG"}, // the missing second byte counts as 0x00
      {{'R'}, "XXX"},  // no byte at 8
      {bytesOf("RIFF\0\0\0\0", 8), "XXX"},
      {bytesOf("RIFF\0\0\0\0W", 9), "WAV"},
      {bytesOf("RIFF\0\0\0\0A", 9), "AVI"},
      {{0}, "XXX"},
      {{0, 0, 0, 0, 0, 0, 0, 0, 'A'}, "AVI"},
      {{'0'}, "WMV"},
      {{'I'}, "MP3"},
      {{0xFF, 0xF3}, "MP3"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(extensionOf(c.bytes), c.expected) << c.bytes.size() << " bytes";
  EXPECT_STREQ(mediaExtension(nullptr, 0), "XXX");
}

TEST(TabScroll, ScrollsOnlyForBoxesPartlyOutside) {
  const struct {
    int top, height, clientHeight;
    bool expected;
  } cases[] = {
      {-100, 20, 300, true}, // above
      {-1, 20, 300, true},   // partly above
      {0, 20, 300, false},   // at the top edge
      {140, 20, 300, false}, // inside
      {280, 20, 300, false}, // at the bottom edge
      {281, 20, 300, true},  // partly below
      {500, 20, 300, true},  // below
      {-10, 320, 300, true}, // taller than the board
      {0, 300, 300, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(boxNeedsScroll(c.top, c.height, c.clientHeight), c.expected) << c.top;
}

TEST(TabScroll, CentresTheBox) {
  const struct {
    int position, top, height, clientHeight, scrollUnit, expected;
  } cases[] = {
      // The box's top goes to (300 - 20) / 2 = 140.
      {50, 400, 20, 300, 1, 310},
      {50, 290, 20, 300, 1, 200},
      {500, -100, 20, 300, 1, 260},
      {500, -5, 20, 300, 1, 355},
      {0, 141, 20, 300, 1, 1},
      // Three pixels a position: 260 pixels are 86.7 positions.
      {50, 400, 20, 300, 3, 137},
      {500, -100, 20, 300, 3, 420},
      {500, -101, 20, 300, 3, 420},
      // A unit below 1 counts as 1.
      {50, 400, 20, 300, 0, 310},
      {50, 400, 20, 300, -2, 310},
  };
  for (const auto& c : cases)
    EXPECT_EQ(tabScrollTarget(c.position, c.top, c.height, c.clientHeight, c.scrollUnit),
              c.expected)
        << c.top << " unit " << c.scrollUnit;
}

// Wherever a box lies, after the jump it lies inside the board, within a scroll unit of the
// centre.
TEST(TabScroll, LeavesEveryBoxInside) {
  for (const int unit : {1, 2, 3, 7}) {
    for (int top = -2000; top <= 2000; ++top) {
      if (!boxNeedsScroll(top, 20, 300)) continue;
      const int moved = (tabScrollTarget(1000, top, 20, 300, unit) - 1000) * unit;
      const int newTop = top - moved;
      EXPECT_FALSE(boxNeedsScroll(newTop, 20, 300)) << top << " unit " << unit;
      EXPECT_LT(std::abs(newTop - 140), unit) << top << " unit " << unit;
    }
  }
}

// The address field is followed by the scroll unit; an address that fills the field ends with it.
TEST(WebAddress, EndsWithItsField) {
  EXPECT_STREQ(webAddressOf(defaultSettings).text, "http://example.org");
  SettingsBlock full = defaultSettings;
  const char address[] = "http://www.exemple-ecole.fr/abc/";
  static_assert(sizeof address == sizeof full.webAddress + 1);
  std::memcpy(full.webAddress, address, sizeof full.webAddress); // all 32 bytes, no terminator
  full.scrollUnit = 1;
  EXPECT_STREQ(webAddressOf(full).text, address);
  std::memcpy(full.webAddress, "http://a.fr/\0garbage", 21); // bytes after the end are not read
  EXPECT_STREQ(webAddressOf(full).text, "http://a.fr/");
}

TEST(VerdictWords, TerminatesTheWordsOfTheBlock) {
  EXPECT_STREQ(verdictWordsOf(defaultSettings).success, "BRAVO");
  EXPECT_STREQ(verdictWordsOf(defaultSettings).failure, "FAUX");

  SettingsBlock full = defaultSettings;
  std::memcpy(full.successWord, "ABCDEF", 6); // all six bytes, no terminator
  std::memcpy(full.failureWord, "GHIJKL", 6);
  const VerdictWords words = verdictWordsOf(full);
  EXPECT_STREQ(words.success, "ABCDEF");
  EXPECT_STREQ(words.failure, "GHIJKL");

  SettingsBlock shortWords = defaultSettings;
  std::memcpy(shortWords.successWord, "OUI\0ZZ", 6); // bytes after the terminator are not read
  std::memcpy(shortWords.failureWord, "\0NONON", 6);
  EXPECT_STREQ(verdictWordsOf(shortWords).success, "OUI");
  EXPECT_STREQ(verdictWordsOf(shortWords).failure, "");
}

} // namespace
