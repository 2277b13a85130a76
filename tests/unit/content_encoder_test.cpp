#include <gtest/gtest.h>

#include <random>
#include <string>

#include "content/content_decoder.h"
#include "content/content_encoder.h"
#include "tests/unit/test_text.h"

namespace {

std::string roundTrip(const std::string& text) {
  std::vector<std::uint8_t> coded;
  EXPECT_EQ(encodeContent(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), coded),
            encodeOk);
  DecodedText decoded;
  EXPECT_EQ(decodeContent(coded.data(), coded.size(), decoded), decodeOk);
  return std::string(reinterpret_cast<const char*>(decoded.bytes.get()), decoded.length);
}

// Reads a coded stream back and checks that it is well formed: 257 only right before a code that
// needs the wider width, 258 only when the next free code would pass 4095, and 256 followed by
// nothing but the zero fill of the last byte.
void expectWellFormed(const std::vector<std::uint8_t>& coded) {
  std::size_t bit = 0;
  const auto read = [&](int width) {
    unsigned code = 0;
    for (int i = 0; i < width; ++i, ++bit) {
      EXPECT_LT(bit / 8, coded.size());
      if (bit / 8 >= coded.size()) return 256u;
      code = code << 1 | (coded[bit / 8] >> (7 - bit % 8) & 1);
    }
    return code;
  };
  int width = 9;
  unsigned nextFree = 259;
  bool first = true, widened = false;
  for (;;) {
    const unsigned code = read(width);
    if (widened) {
      EXPECT_GE(code, 1u << (width - 1)) << "257 before a code that fits";
    }
    widened = false;
    if (code == 256) break;
    if (code == 257) {
      ++width;
      widened = true;
    } else if (code == 258) {
      EXPECT_EQ(nextFree, 4096u) << "258 before the dictionary is full";
      nextFree = 259;
      width = 9;
    } else {
      EXPECT_LE(code, first ? 255u : nextFree);
      if (!first) ++nextFree;
      first = false;
    }
  }
  EXPECT_EQ(coded.size(), (bit + 7) / 8) << "bytes after the end code";
  for (; bit % 8 != 0; ++bit) EXPECT_EQ(coded[bit / 8] >> (7 - bit % 8) & 1, 0) << "fill bits";
}

std::string randomText(std::mt19937& random, std::size_t length, int alphabet) {
  std::uniform_int_distribution<int> pick(0, alphabet - 1);
  std::string text(length, '\0');
  for (char& c : text) c = static_cast<char>(pick(random) * (256 / alphabet));
  return text;
}

TEST(ContentEncoder, WritesTheWorkedExamples) {
  std::vector<std::uint8_t> coded;
  ASSERT_EQ(encodeContent(reinterpret_cast<const std::uint8_t*>("abc"), 3, coded), encodeOk);
  EXPECT_EQ(coded, (std::vector<std::uint8_t>{0x30, 0x98, 0x8C, 0x70, 0x00}));
  ASSERT_EQ(encodeContent(reinterpret_cast<const std::uint8_t*>("aaaa"), 4, coded), encodeOk);
  EXPECT_EQ(coded, (std::vector<std::uint8_t>{0x30, 0xC0, 0xCC, 0x30, 0x00}));
}

TEST(ContentEncoder, RoundTripsRandomTexts) {
  std::mt19937 random(20261207);
  for (int alphabet : {2, 5, 26, 256}) {
    for (std::size_t length : {1u, 2u, 3u, 100u, 4000u, 30000u}) {
      const std::string text = randomText(random, length, alphabet);
      EXPECT_EQ(roundTrip(text), text) << "alphabet " << alphabet << " length " << length;
    }
  }
}

TEST(ContentEncoder, RoundTripsLongTextsThroughManyClears) {
  std::mt19937 random(7);
  for (int alphabet : {2, 3, 4}) {
    const std::string text = randomText(random, decodedTextCapacity, alphabet);
    std::vector<std::uint8_t> coded;
    ASSERT_EQ(encodeContent(bytesOf(text).data(), text.size(), coded), encodeOk);
    expectWellFormed(coded);
    EXPECT_EQ(roundTrip(text), text) << "alphabet " << alphabet;
  }
}

TEST(ContentEncoder, RoundTripsAdversarialTexts) {
  std::string everyByte;
  for (int i = 0; i < 256; ++i) everyByte += static_cast<char>(i);
  std::string runs;
  for (int i = 0; runs.size() < 100000; ++i) runs += std::string(i % 700, static_cast<char>(i));
  std::string periodic;
  while (periodic.size() < decodedTextCapacity) periodic += "abcabd|\r\n";
  periodic.resize(decodedTextCapacity);
  for (const std::string& text :
       {everyByte, std::string(decodedTextCapacity, 'a'), runs, periodic, std::string(1, '\0')}) {
    std::vector<std::uint8_t> coded;
    ASSERT_EQ(encodeContent(bytesOf(text).data(), text.size(), coded), encodeOk);
    expectWellFormed(coded);
    EXPECT_EQ(roundTrip(text), text);
  }
}

TEST(ContentEncoder, RefusesWhatTheDecoderCannotTake) {
  std::vector<std::uint8_t> coded{1, 2, 3};
  EXPECT_EQ(encodeContent(nullptr, 0, coded), encodeEmpty);
  EXPECT_TRUE(coded.empty());
  const std::string tooLong(decodedTextCapacity + 1, 'a');
  EXPECT_EQ(encodeContent(bytesOf(tooLong).data(), tooLong.size(), coded), encodeTooLong);
  // Random bytes hardly compress: 120,000 of them need more than 65,535 coded bytes.
  std::mt19937 random(3);
  const std::string noise = randomText(random, decodedTextCapacity, 256);
  EXPECT_EQ(encodeContent(bytesOf(noise).data(), noise.size(), coded), encodeTooLong);
  EXPECT_TRUE(coded.empty());
}

} // namespace
