// The inflater, by hand-made zlib streams: one case per way a stream can be right or wrong,
// each with its exact result, and zlib's own verdict on the same stream as the reference.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstring>
#include <functional>

#include "tests/unit/png_test_support.h"

namespace {

// zlib's verdict: "" inflates whole, nullptr runs out of input, "need dictionary" asks for one,
// anything else is its message for a data error.
const char* const zlibInflatesIt = "";
const char* const zlibRunsOut = nullptr;

std::string zlibVerdict(const Bytes& zlib, std::size_t outSize) {
  z_stream stream{};
  inflateInit(&stream);
  Bytes out(outSize + 1024);
  stream.next_in = const_cast<Bytef*>(zlib.data());
  stream.avail_in = uInt(zlib.size());
  stream.next_out = out.data();
  stream.avail_out = uInt(out.size());
  const int result = inflate(&stream, Z_FINISH);
  std::string verdict = result == Z_STREAM_END   ? ""
                        : result == Z_NEED_DICT  ? "need dictionary"
                        : result == Z_DATA_ERROR ? (stream.msg ? stream.msg : "data error")
                                                 : "runs out";
  inflateEnd(&stream);
  return verdict;
}

Bytes zlibHeader(std::uint8_t cmf, std::uint8_t flagBits) {
  const unsigned rest = (cmf * 256u + flagBits) % 31;
  return {cmf, std::uint8_t(flagBits + (rest ? 31 - rest : 0))};
}

// The image data as a one-row grey image of `rawSize` bytes (filter byte and rawSize - 1 pixels).
Decoded inflateAsImage(const Bytes& zlib, std::uint32_t rawSize) {
  return decodeBytes(pngWithZlib(ihdrData(rawSize - 1, 1, 8, 0), zlib));
}

bool inflated(const Decoded& decoded) {
  return decoded.reached == Reached::writeFailed || decoded.reached == Reached::done;
}

const TestCode fixedLiterals = fixedLiteralCode();
const TestCode fixedDistances = fixedDistanceCode();

DeflateWriter fixedBlock(bool last, const std::string& literals) {
  DeflateWriter writer;
  writer.put(last, 1).put(1, 2);
  for (char c : literals) fixedLiterals.put(writer, std::uint8_t(c));
  return writer;
}

// A fixed match: length symbol (with extra bits), distance symbol (with extra bits).
void putFixedMatch(DeflateWriter& writer, int lengthSymbol, std::uint32_t lengthExtra,
                   int lengthBits, int distanceSymbol, std::uint32_t distanceExtra,
                   int distanceBits) {
  fixedLiterals.put(writer, lengthSymbol);
  writer.put(lengthExtra, lengthBits);
  fixedDistances.put(writer, distanceSymbol);
  writer.put(distanceExtra, distanceBits);
}

Bytes fixedEnd(DeflateWriter writer) {
  fixedLiterals.put(writer, 256);
  return writer.finish();
}

DeflateWriter storedBlock(bool last, std::uint32_t length, std::uint32_t complement,
                          const std::string& data) {
  DeflateWriter writer;
  writer.put(last, 1).put(0, 2).align().put(length, 16).put(complement, 16);
  return writer.putBytes(Bytes(data.begin(), data.end()));
}

// A dynamic block header whose code-length code has the lengths given in transmission order
// (16, 17, 18, 0, 8, …), for streams that break the code-length rules.
DeflateWriter dynamicHeader(int literalCount, int distanceCount,
                            const std::vector<int>& orderedLengths) {
  DeflateWriter writer;
  writer.put(1, 1).put(2, 2).put(std::uint32_t(literalCount - 257), 5);
  writer.put(std::uint32_t(distanceCount - 1), 5).put(std::uint32_t(orderedLengths.size() - 4), 4);
  for (int length : orderedLengths) writer.put(std::uint32_t(length), 3);
  return writer;
}

// Literal/length lengths with the given symbols set.
std::vector<int> literalLengths(std::initializer_list<std::pair<int, int>> set, int count = 257) {
  std::vector<int> lengths(std::size_t(count), 0);
  for (auto [symbol, length] : set) lengths[std::size_t(symbol)] = length;
  return lengths;
}

struct StreamCase {
  const char* name;
  std::function<Bytes()> deflate; // the DEFLATE data
  bool ok;                        // whether this decoder inflates it
  std::string output;             // what it inflates to (the Adler-32 is of this)
  const char* zlibSays;
  std::uint32_t rawSize = 0; // the image's raw size; 0: the output's
  Bytes header = {0x78, 0x01};
  bool withAdler = true;
};

Bytes zlibOf(const StreamCase& c) {
  Bytes zlib = c.header;
  const Bytes deflate = c.deflate();
  zlib.insert(zlib.end(), deflate.begin(), deflate.end());
  if (c.withAdler) {
    const Bytes wrapped = zlibWrap({}, Bytes(c.output.begin(), c.output.end()));
    zlib.insert(zlib.end(), wrapped.end() - 4, wrapped.end());
  }
  return zlib;
}

// Literal 'a' (2 bits), end of block (2), length 3 (1); one distance code of length 1.
const std::vector<int> singleDistanceLiterals = literalLengths({{'a', 2}, {256, 2}, {257, 1}}, 258);
const TestCode singleDistanceCode(singleDistanceLiterals);

std::vector<StreamCase> streamCases() {
  const std::vector<int> noDistances = {0};
  return {
      {"stored block", [] { return storedBlock(true, 3, 0xFFFC, "abc").finish(); }, true, "abc",
       zlibInflatesIt},
      {"stored block with a bad NLEN", [] { return storedBlock(true, 3, 0xFFFD, "abc").finish(); },
       false, "", "invalid stored block lengths", 16},
      {"stored block cut short", [] { return storedBlock(true, 100, 0xFF9B, "abc").finish(); },
       false, "", zlibRunsOut, 200},
      {"fixed literals", [] { return fixedEnd(fixedBlock(true, "hi")); }, true, "hi",
       zlibInflatesIt},
      {"fixed match overlapping itself",
       [] {
         DeflateWriter w = fixedBlock(true, "a");
         putFixedMatch(w, 259, 0, 0, 0, 0, 0); // length 5, distance 1
         return fixedEnd(w);
       },
       true, "aaaaaa", zlibInflatesIt},
      {"fixed match with extra bits",
       [] {
         DeflateWriter w = fixedBlock(true, "abcdef");
         putFixedMatch(w, 265, 1, 1, 4, 1, 1); // length 11 + 1, distance 5 + 1
         return fixedEnd(w);
       },
       true, "abcdefabcdefabcdef", zlibInflatesIt},
      {"longest match",
       [] {
         DeflateWriter w = fixedBlock(true, "x");
         putFixedMatch(w, 285, 0, 0, 0, 0, 0); // length 258
         return fixedEnd(w);
       },
       true, std::string(259, 'x'), zlibInflatesIt},
      {"block type 3", [] { return DeflateWriter().put(1, 1).put(3, 2).finish(); }, false, "",
       "invalid block type", 16},
      {"fixed literal/length symbol 286",
       [] {
         DeflateWriter w = fixedBlock(true, "a");
         fixedLiterals.put(w, 286);
         return fixedEnd(w);
       },
       false, "", "invalid literal/length code", 16},
      {"fixed literal/length symbol 287",
       [] {
         DeflateWriter w = fixedBlock(true, "a");
         fixedLiterals.put(w, 287);
         return fixedEnd(w);
       },
       false, "", "invalid literal/length code", 16},
      {"fixed distance symbol 30",
       [] {
         DeflateWriter w = fixedBlock(true, "a");
         putFixedMatch(w, 257, 0, 0, 30, 0, 0);
         return fixedEnd(w);
       },
       false, "", "invalid distance code", 16},
      {"distance too far back",
       [] {
         DeflateWriter w = fixedBlock(true, "a");
         putFixedMatch(w, 257, 0, 0, 1, 0, 0); // distance 2 after one byte
         return fixedEnd(w);
       },
       false, "", "invalid distance too far back", 16},
      {"too many length codes",
       [] { return DeflateWriter().put(1, 1).put(2, 2).put(30, 5).put(0, 5).put(0, 36).finish(); },
       false, "", "too many length or distance symbols", 16},
      {"too many distance codes",
       [] { return DeflateWriter().put(1, 1).put(2, 2).put(0, 5).put(30, 5).put(0, 36).finish(); },
       false, "", "too many length or distance symbols", 16},
      {"incomplete code-length code",
       [] {
         return dynamicHeader(257, 1, {0, 0, 0, 1}).put(0, 40).finish();
       },
       false, "", "invalid code lengths set", 16},
      {"over-subscribed code-length code",
       [] {
         return dynamicHeader(257, 1, {1, 1, 1, 0}).put(0, 40).finish();
       },
       false, "", "invalid code lengths set", 16},
      {"repeat with no previous length",
       [] {
         // Code-length symbols 0 (code 0) and 16 (code 1); the first length is a repeat.
         return dynamicHeader(257, 1, {1, 0, 0, 1}).putCode(1, 1).put(0, 2).put(0, 40).finish();
       },
       false, "", "invalid bit length repeat", 16},
      {"repeat past the declared lengths",
       [] {
         // Symbols 0 (code 0) and 18 (code 1): 138 + 138 zeros for 258 lengths.
         DeflateWriter w = dynamicHeader(257, 1, {0, 0, 1, 1});
         return w.putCode(1, 1).put(127, 7).putCode(1, 1).put(127, 7).put(0, 40).finish();
       },
       false, "", "invalid bit length repeat", 16},
      {"no end-of-block code",
       [] {
         DeflateWriter w;
         putPlainDynamicHeader(w, true, literalLengths({{'a', 1}, {257, 1}}, 258), {1});
         return w.put(0, 40).finish();
       },
       false, "", "invalid code -- missing end-of-block", 16},
      {"over-subscribed literal/length code",
       [] {
         DeflateWriter w;
         putPlainDynamicHeader(w, true, literalLengths({{'a', 1}, {'b', 1}, {256, 1}}), {1});
         return w.put(0, 40).finish();
       },
       false, "", "invalid literal/lengths set", 16},
      {"incomplete literal/length code",
       [] {
         DeflateWriter w;
         putPlainDynamicHeader(w, true, literalLengths({{'a', 2}, {256, 1}}), {1});
         return w.put(0, 40).finish();
       },
       false, "", "invalid literal/lengths set", 16},
      {"over-subscribed distance code",
       [] {
         DeflateWriter w;
         putPlainDynamicHeader(w, true, literalLengths({{'a', 1}, {256, 1}}), {1, 1, 1});
         return w.put(0, 40).finish();
       },
       false, "", "invalid distances set", 16},
      {"incomplete distance code",
       [] {
         DeflateWriter w;
         putPlainDynamicHeader(w, true, literalLengths({{'a', 1}, {256, 1}}), {2});
         return w.put(0, 40).finish();
       },
       false, "", "invalid distances set", 16},
      {"single distance code of length 1",
       [] {
         DeflateWriter w;
         putPlainDynamicHeader(w, true, singleDistanceLiterals, {1});
         singleDistanceCode.put(w, 'a');
         singleDistanceCode.put(w, 257);
         w.putCode(0, 1); // distance 1
         singleDistanceCode.put(w, 256);
         return w.finish();
       },
       true, "aaaa", zlibInflatesIt},
      {"the unused code of a single distance code",
       [] {
         DeflateWriter w;
         putPlainDynamicHeader(w, true, singleDistanceLiterals, {1});
         singleDistanceCode.put(w, 'a');
         singleDistanceCode.put(w, 257);
         w.putCode(1, 1); // matches no distance
         singleDistanceCode.put(w, 256);
         return w.finish();
       },
       false, "", "invalid distance code", 16},
      {"no distance codes in a block without matches",
       [noDistances] {
         const std::vector<int> lengths = literalLengths({{'a', 1}, {256, 1}});
         DeflateWriter w;
         putPlainDynamicHeader(w, true, lengths, noDistances);
         const TestCode code(lengths);
         code.put(w, 'a');
         code.put(w, 'a');
         code.put(w, 256);
         return w.finish();
       },
       true, "aa", zlibInflatesIt},
      {"literal/length code of only the end of block",
       [noDistances] {
         DeflateWriter w = storedBlock(false, 2, 0xFFFD, "ab");
         putPlainDynamicHeader(w, true, literalLengths({{256, 1}}), noDistances);
         return w.putCode(0, 1).finish();
       },
       true, "ab", zlibInflatesIt},
      {"more output than the image holds", [] { return fixedEnd(fixedBlock(true, "aaaaa")); },
       false, "aaaaa", zlibInflatesIt, 4},
      {"a match past the end of the image",
       [] {
         DeflateWriter w = fixedBlock(true, "a");
         putFixedMatch(w, 264, 0, 0, 0, 0, 0); // length 10
         return fixedEnd(w);
       },
       false, std::string(11, 'a'), zlibInflatesIt, 8},
      {"less output than the image holds", [] { return fixedEnd(fixedBlock(true, "ab")); }, false,
       "ab", zlibInflatesIt, 5},
      {"no last block",
       [] { return storedBlock(false, 2, 0xFFFD, "ab").finish(); },
       false,
       "ab",
       zlibRunsOut,
       2,
       {0x78, 0x01},
       false},
      {"Adler-32 cut off",
       [] { return fixedEnd(fixedBlock(true, "hi")); },
       false,
       "hi",
       zlibRunsOut,
       2,
       {0x78, 0x01},
       false},
      {"header check value not tested",
       [] { return fixedEnd(fixedBlock(true, "hi")); },
       true,
       "hi",
       "incorrect header check",
       0,
       {0x78, 0x00}},
      {"preset dictionary", [] { return fixedEnd(fixedBlock(true, "hi")); }, false, "",
       "need dictionary", 16, zlibHeader(0x78, 0x20)},
      {"compression method 7", [] { return fixedEnd(fixedBlock(true, "hi")); }, false, "",
       "unknown compression method", 16, zlibHeader(0x77, 0)},
      {"window size field 8", [] { return fixedEnd(fixedBlock(true, "hi")); }, false, "",
       "invalid window size", 16, zlibHeader(0x88, 0)},
      {"smallest window", [] { return fixedEnd(fixedBlock(true, "hi")); }, true, "hi",
       zlibInflatesIt, 0, zlibHeader(0x08, 0)},
  };
}

TEST(PngInflate, HandMadeStreams) {
  for (const StreamCase& c : streamCases()) {
    const Bytes zlib = zlibOf(c);
    const std::uint32_t rawSize = c.rawSize ? c.rawSize : std::uint32_t(c.output.size());
    const Decoded decoded = inflateAsImage(zlib, rawSize);
    if (c.ok) {
      EXPECT_TRUE(inflated(decoded)) << c.name << ": error " << decoded.error;
      EXPECT_EQ(std::string(decoded.raw.begin(), decoded.raw.end()), c.output) << c.name;
    } else {
      EXPECT_EQ(decoded.reached, Reached::decodeFailed) << c.name;
      EXPECT_EQ(decoded.error, pngBadData) << c.name;
    }
    if (c.zlibSays == zlibRunsOut) {
      EXPECT_EQ(zlibVerdict(zlib, rawSize), "runs out") << c.name;
    } else {
      EXPECT_EQ(zlibVerdict(zlib, rawSize), c.zlibSays) << c.name;
    }
  }
}

TEST(PngInflate, WrongAdlerIsNotChecked) {
  const Bytes zlib = zlibWrap(fixedEnd(fixedBlock(true, "hi")), {'n', 'o'});
  const Decoded decoded = inflateAsImage(zlib, 2);
  EXPECT_TRUE(inflated(decoded));
  EXPECT_EQ(zlibVerdict(zlib, 2), "incorrect data check");
}

// One stream with every block type: stored, fixed with a match, dynamic.
Bytes everyBlockType(std::string& output) {
  DeflateWriter w = storedBlock(false, 6, 0xFFF9, "stored");
  w.put(0, 1).put(1, 2);
  for (char c : std::string("fixed")) fixedLiterals.put(w, std::uint8_t(c));
  putFixedMatch(w, 258, 0, 0, 4, 0, 1); // length 4, distance 5
  fixedLiterals.put(w, 256);
  const std::vector<int> lengths = literalLengths({{'d', 2}, {'y', 2}, {256, 2}, {257, 2}}, 258);
  putPlainDynamicHeader(w, true, lengths, {1});
  const TestCode code(lengths);
  for (int symbol : {int('d'), int('y'), 257}) code.put(w, symbol);
  w.putCode(0, 1); // length 3, distance 1
  code.put(w, 256);
  output = "storedfixedfixedyyyy";
  return zlibWrap(w.finish(), Bytes(output.begin(), output.end()));
}

TEST(PngInflate, EveryTruncationFails) {
  std::string handMadeOutput;
  Bytes zlibOutput(3000);
  for (std::size_t i = 0; i < zlibOutput.size(); ++i) zlibOutput[i] = std::uint8_t(i * i % 251 / 3);
  const std::vector<std::pair<Bytes, Bytes>> streams = {{everyBlockType(handMadeOutput), {}},
                                                        {zlibCompress(zlibOutput), zlibOutput}};
  for (const auto& [zlib, given] : streams) {
    const Bytes expected =
        given.empty() ? Bytes(handMadeOutput.begin(), handMadeOutput.end()) : given;
    const std::uint32_t rawSize = std::uint32_t(expected.size());
    const Decoded whole = inflateAsImage(zlib, rawSize);
    ASSERT_TRUE(inflated(whole));
    EXPECT_EQ(whole.raw, expected);
    for (std::size_t length = 0; length < zlib.size(); ++length) {
      const Bytes cut(zlib.begin(), zlib.begin() + std::ptrdiff_t(length));
      const Decoded decoded = inflateAsImage(cut, rawSize);
      EXPECT_EQ(decoded.reached, Reached::decodeFailed) << length;
      EXPECT_EQ(decoded.error, pngBadData) << length;
      EXPECT_NE(zlibVerdict(cut, rawSize), "") << length;
    }
  }
}

TEST(PngInflate, LongRunsOfEmptyBlocks) {
  const std::string data = "end";
  DeflateWriter fixed;
  for (int i = 0; i < 300000; ++i) fixedLiterals.put(fixed.put(0, 1).put(1, 2), 256);
  DeflateWriter stored;
  for (int i = 0; i < 100000; ++i) stored.put(0, 1).put(0, 2).align().put(0, 16).put(0xFFFF, 16);
  DeflateWriter dynamic;
  const std::vector<int> lengths = literalLengths({{256, 1}, {'e', 1}});
  const TestCode code(lengths);
  for (int i = 0; i < 5000; ++i) {
    putPlainDynamicHeader(dynamic, false, lengths, {0});
    code.put(dynamic, 256);
  }
  for (DeflateWriter* writer : {&fixed, &stored, &dynamic}) {
    writer->put(1, 1).put(0, 2).align().put(3, 16).put(0xFFFC, 16);
    writer->putBytes(Bytes(data.begin(), data.end()));
    const Decoded decoded =
        inflateAsImage(zlibWrap(writer->finish(), Bytes(data.begin(), data.end())), 3);
    ASSERT_TRUE(inflated(decoded));
    EXPECT_EQ(std::string(decoded.raw.begin(), decoded.raw.end()), data);
  }
}

// The image data split over IDAT chunks of every size, with empty ones between; a chunk of
// another type ends the data.
TEST(PngInflate, ImageDataAcrossChunks) {
  Bytes raw(200);
  for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = std::uint8_t(i % 7 == 0 ? 0 : i * 13);
  const Bytes ihdr = ihdrData(199, 1, 8, 0);
  for (int level : {0, 1, 9}) {
    const Bytes zlib = zlibCompress(raw, level);
    for (std::size_t piece = 1; piece <= 9; ++piece) {
      std::vector<Bytes> chunks = {pngChunk("IHDR", ihdr)};
      std::vector<Bytes> broken = chunks;
      for (std::size_t at = 0; at < zlib.size(); at += piece) {
        const Bytes part(zlib.begin() + std::ptrdiff_t(at),
                         zlib.begin() + std::ptrdiff_t(std::min(zlib.size(), at + piece)));
        chunks.push_back(pngChunk("IDAT", part));
        chunks.push_back(pngChunk("IDAT", {}));
        broken.push_back(pngChunk(at == piece * 2 ? "tEXt" : "IDAT", part));
      }
      chunks.push_back(pngChunk("IEND", {}));
      const Decoded decoded = decodeBytes(pngFile(chunks));
      EXPECT_TRUE(inflated(decoded)) << level << " " << piece;
      EXPECT_EQ(decoded.raw, raw) << level << " " << piece;
      EXPECT_EQ(decodeBytes(pngFile(broken)).reached, Reached::decodeFailed)
          << level << " " << piece;
    }
  }
}

} // namespace
