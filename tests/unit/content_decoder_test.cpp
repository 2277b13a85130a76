#include <gtest/gtest.h>

#include <string>

#include "content/content_decoder.h"
#include "tests/unit/code_stream.h"

namespace {

struct Decoded {
  int result;
  std::string text;
};

Decoded decode(const std::vector<std::uint8_t>& coded) {
  DecodedText text;
  const int result = decodeContent(coded.data(), coded.size(), text);
  if (result != decodeOk) {
    EXPECT_EQ(text.bytes, nullptr);
    return {result, {}};
  }
  return {result, std::string(reinterpret_cast<const char*>(text.bytes.get()), text.length)};
}

TEST(ContentDecoder, DecodesTheWorkedExamples) {
  EXPECT_EQ(decode({0x30, 0x98, 0x8C, 0x70, 0x00}).text, "abc");
  // The second code of aaaa is the next free code itself.
  const Decoded aaaa = decode({0x30, 0xC0, 0xCC, 0x30, 0x00});
  EXPECT_EQ(aaaa.result, decodeOk);
  EXPECT_EQ(aaaa.text, "aaaa");
}

TEST(ContentDecoder, ReportsMissingInput) {
  EXPECT_EQ(decode({}).result, decodeNoInput);
  EXPECT_EQ(decode({0x30}).result, decodeNoInput); // 8 bits of a 9-bit first code
}

TEST(ContentDecoder, RejectsBadStreams) {
  // A second code of 300 while the next free code is 259.
  EXPECT_EQ(decode(CodeStream{}.put('a').put(300).put(256).finish()).result, decodeBadCode);
  // No end code: the input ends after the last data code.
  EXPECT_EQ(decode(CodeStream{}.put('a').put('b').finish()).result, decodeBadCode);
  // Only the first code.
  EXPECT_EQ(decode(CodeStream{}.put('a').finish()).result, decodeBadCode);
  // More than 32 bits of width: 24 widenings after the start width of 9.
  CodeStream wide;
  wide.put('a');
  for (int i = 0; i < 24; ++i) wide.widen();
  EXPECT_EQ(decode(wide.put(256).finish()).result, decodeBadCode);
}

TEST(ContentDecoder, AcceptsTheWidestCodes) {
  CodeStream wide;
  wide.put('a');
  for (int i = 0; i < 23; ++i) wide.widen(); // width 32
  EXPECT_EQ(decode(wide.put('b').put(256).finish()).text, "ab");
}

TEST(ContentDecoder, FirstCodeKeepsItsLowByte) {
  // The first code is taken as a byte whatever its value.
  EXPECT_EQ(decode(CodeStream{}.put(0x141).put(256).finish()).text, "A");
}

// Sends the bytes of `text` as single-byte codes; entry 259 + i becomes text[i] text[i + 1].
CodeStream singleBytes(const std::string& text) {
  CodeStream stream;
  for (char c : text) stream.putWidening(static_cast<std::uint8_t>(c));
  return stream;
}

std::string cycleText(std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text += static_cast<char>('a' + i * 7 % 26);
  return text;
}

TEST(ContentDecoder, WidensCodesTo10And11And12Bits) {
  const std::string text = cycleText(3000);
  CodeStream stream = singleBytes(text);
  std::string expected = text;
  for (unsigned code : {600u, 1500u, 3000u}) { // 10, 11 and 12 bits
    stream.putWidening(code);
    expected += text.substr(code - 259, 2);
  }
  const Decoded decoded = decode(stream.put(256).finish());
  ASSERT_EQ(decoded.result, decodeOk);
  EXPECT_EQ(decoded.text, expected);
}

TEST(ContentDecoder, ClearRestartsAtEntry259WithNineBits) {
  const std::string text = cycleText(700);
  CodeStream stream = singleBytes(text);
  stream.putWidening(600); // a 10-bit code
  const std::string carried = text.substr(600 - 259, 2);
  stream.clear();
  // The string carried over the clear is entry 600's; entry 259 becomes it plus 'x', and the
  // 9-bit code 259 now stands for that.
  stream.put('x').put(259).put(256);
  const Decoded decoded = decode(stream.finish());
  ASSERT_EQ(decoded.result, decodeOk);
  EXPECT_EQ(decoded.text, text + carried + "x" + carried + "x");
}

TEST(ContentDecoder, StaleCodesAreRejectedAfterAClear) {
  CodeStream stream = singleBytes("abcdef"); // entries 259..263
  stream.clear().put('g').put(262).put(256); // 262 is beyond the new next free code 260
  EXPECT_EQ(decode(stream.finish()).result, decodeBadCode);
}

TEST(ContentDecoder, FailsWhenTheDictionaryIsFullWithoutAClear) {
  // 3838 data codes define entries 259..4095; one more has nowhere to go.
  const std::string text(3838, 'q');
  CodeStream full = singleBytes(text);
  std::vector<std::uint8_t> ok = CodeStream(full).put(256).finish();
  EXPECT_EQ(decode(ok).text, text);
  EXPECT_EQ(decode(full.put('q').put(256).finish()).result, decodeBadCode);
  CodeStream cleared = singleBytes(text);
  EXPECT_EQ(decode(cleared.clear().put('q').put(256).finish()).text, text + "q");
}

// The chain 'a', 259, 260, … makes each string one 'a' longer than the last: k codes write
// k(k + 1) / 2 bytes.
CodeStream chainOfA(int codes) {
  CodeStream stream;
  stream.put('a');
  for (int i = 1; i < codes; ++i) stream.putWidening(258 + i);
  return stream;
}

TEST(ContentDecoder, StopsAtExactly120000BytesOfOutput) {
  CodeStream stream = chainOfA(489); // 119,805 bytes
  for (int i = 0; i < 195; ++i) stream.put('a');
  const Decoded full = decode(CodeStream(stream).put(256).finish());
  ASSERT_EQ(full.result, decodeOk);
  EXPECT_EQ(full.text, std::string(120000, 'a'));
  EXPECT_EQ(decode(stream.put('a').put(256).finish()).result, decodeBadCode);
}

TEST(ContentDecoder, GrowingStringsAcrossClearsFailCleanly) {
  // One string grown code after code and carried over clears runs into the working limits.
  CodeStream stream = chainOfA(3837);
  for (int round = 0; round < 3; ++round) {
    stream.clear();
    for (unsigned code = 259; code < 900; ++code) stream.putWidening(code);
  }
  EXPECT_EQ(decode(stream.put(256).finish()).result, decodeBadCode);
}

// Single 'z' codes, with a clear every 3000 codes, until the stream has `minBytes` bytes.
CodeStream zStream(std::size_t minBytes) {
  CodeStream stream;
  for (int n = 1; stream.bytes.size() < minBytes; ++n) {
    stream.put('z');
    if (n % 3000 == 0) stream.clear();
  }
  return stream;
}

TEST(ContentDecoder, ReadsOnlyTheFirst65536Bytes) {
  EXPECT_EQ(decode(zStream(65000).put(256).finish()).result, decodeOk);
  EXPECT_EQ(decode(zStream(65540).put(256).finish()).result, decodeBadCode);
}

} // namespace
