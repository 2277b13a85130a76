// The decoder from PNG bytes to bitmap: the bitmap formats, interlacing, the chunk rules, the
// stages, and images of every kind written by libpng in every way it can write them.
#include <gtest/gtest.h>

#include <zlib.h>

#include "tests/unit/png_test_support.h"

namespace {

// A PNG whose raw (still filtered) image data is `raw`, stored uncompressed.
Bytes pngOfRaw(const Bytes& ihdr, const Bytes& raw, const std::vector<Bytes>& extra = {}) {
  std::vector<Bytes> chunks = {pngChunk("IHDR", ihdr)};
  chunks.insert(chunks.end(), extra.begin(), extra.end());
  chunks.push_back(pngChunk("IDAT", zlibCompress(raw, 0)));
  chunks.push_back(pngChunk("IEND", {}));
  return pngFile(chunks);
}

std::vector<std::uint32_t> tableOf(const PngBitmapLayout& layout) {
  std::vector<std::uint32_t> table;
  for (std::uint32_t i = 0; i < layout.tableEntries; ++i) {
    const std::uint8_t* e = layout.colourTable[i];
    table.push_back(std::uint32_t(e[0]) | e[1] << 8 | e[2] << 16 | std::uint32_t(e[3]) << 24);
  }
  return table;
}

TEST(PngDecoder, OnePixelGreyOfDepth1) {
  const Decoded d = decodeBytes(pngOfRaw(ihdrData(1, 1, 1, 0), {0, 0x80}));
  ASSERT_EQ(d.reached, Reached::done);
  const PngBitmapHeader& h = d.layout.header;
  EXPECT_EQ(h.size, 40u);
  EXPECT_EQ(h.width, 1);
  EXPECT_EQ(h.height, -1);
  EXPECT_EQ(h.planes, 1);
  EXPECT_EQ(h.bitCount, 1);
  EXPECT_EQ(h.compression, 0u);
  EXPECT_EQ(h.clrUsed, 2u);
  EXPECT_EQ(tableOf(d.layout), (std::vector<std::uint32_t>{0, 0xFFFFFF}));
  EXPECT_EQ(d.layout.rowStride, 4u);
  EXPECT_EQ(d.bits[0] & 0x80, 0x80);
}

TEST(PngDecoder, RgbRowsArePaddedToFourBytes) {
  const Decoded d = decodeBytes(pngOfRaw(ihdrData(3, 2, 8, 2), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, //
                                                                0, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
  ASSERT_EQ(d.reached, Reached::done);
  EXPECT_EQ(d.layout.header.bitCount, 24);
  EXPECT_EQ(d.layout.tableEntries, 0u);
  EXPECT_EQ(d.layout.rowStride, 12u);
  EXPECT_EQ(d.layout.bitsSize, 24u);
  EXPECT_EQ(Bytes(d.bits.begin(), d.bits.begin() + 9), (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7}));
  EXPECT_EQ(Bytes(d.bits.begin() + 12, d.bits.begin() + 21), (Bytes{7, 8, 9, 4, 5, 6, 1, 2, 3}));
}

TEST(PngDecoder, TwoBitPixelsWidenToFour) {
  // Pixels 0, 1, 2, 3, 3 of a 2-bit grey ramp.
  const Decoded grey = decodeBytes(pngOfRaw(ihdrData(5, 1, 2, 0), {0, 0x1B, 0xC0}));
  ASSERT_EQ(grey.reached, Reached::done);
  EXPECT_EQ(grey.layout.header.bitCount, 4);
  EXPECT_EQ(grey.layout.header.clrUsed, 4u);
  EXPECT_EQ(tableOf(grey.layout), (std::vector<std::uint32_t>{0, 0x555555, 0xAAAAAA, 0xFFFFFF}));
  EXPECT_EQ(Bytes(grey.bits.begin(), grey.bits.begin() + 3), (Bytes{0x01, 0x23, 0x30}));

  const Bytes plte = {10, 20, 30, 40, 50, 60, 70, 80, 90};
  const Decoded palette =
      decodeBytes(pngOfRaw(ihdrData(5, 1, 2, 3), {0, 0x1B, 0x80}, {pngChunk("PLTE", plte)}));
  ASSERT_EQ(palette.reached, Reached::done);
  EXPECT_EQ(palette.layout.header.bitCount, 4);
  EXPECT_EQ(palette.layout.header.clrUsed, 0u);
  EXPECT_EQ(palette.layout.tableEntries, 16u);
  const std::vector<std::uint32_t> table = tableOf(palette.layout);
  EXPECT_EQ(std::vector<std::uint32_t>(table.begin(), table.begin() + 3),
            (std::vector<std::uint32_t>{0x0A141E, 0x28323C, 0x46505A}));
  EXPECT_EQ(Bytes(palette.bits.begin(), palette.bits.begin() + 3), (Bytes{0x01, 0x23, 0x20}));
}

TEST(PngDecoder, SixteenBitSamplesKeepTheirHighByte) {
  const Decoded grey = decodeBytes(pngOfRaw(ihdrData(2, 1, 16, 0), {0, 0x12, 0x34, 0xAB, 0xCD}));
  ASSERT_EQ(grey.reached, Reached::done);
  EXPECT_EQ(Bytes(grey.bits.begin(), grey.bits.begin() + 2), (Bytes{0x12, 0xAB}));
  const Decoded rgba = decodeBytes(pngOfRaw(ihdrData(1, 1, 16, 6), {0, 1, 2, 3, 4, 5, 6, 7, 8}));
  ASSERT_EQ(rgba.reached, Reached::done);
  EXPECT_EQ(rgba.layout.header.bitCount, 32);
  EXPECT_EQ(Bytes(rgba.bits.begin(), rgba.bits.begin() + 4), (Bytes{5, 3, 1, 7}));
}

TEST(PngDecoder, InterlacedOnePixelHasOnlyTheFirstPass) {
  const Decoded d = decodeBytes(pngOfRaw(ihdrData(1, 1, 8, 0, 1), {0, 0x42}));
  ASSERT_EQ(d.reached, Reached::done);
  EXPECT_EQ(d.raw.size(), 2u);
  EXPECT_EQ(d.bits[0], 0x42);
}

TEST(PngDecoder, InterlacedSixByTwoHasPasses12467) {
  // Each pass's pixels carry the pass number times 16 plus their index in the pass.
  const Bytes raw = {0, 0x10,                                // pass 1: (0, 0)
                     0, 0x20,                                // pass 2: (4, 0)
                     0, 0x40,                                // pass 4: (2, 0)
                     0, 0x60, 0x61, 0x62,                    // pass 6: (1, 0) (3, 0) (5, 0)
                     0, 0x70, 0x71, 0x72, 0x73, 0x74, 0x75}; // pass 7: row 1
  const Decoded grey = decodeBytes(pngOfRaw(ihdrData(6, 2, 8, 0, 1), raw));
  ASSERT_EQ(grey.reached, Reached::done);
  EXPECT_EQ(Bytes(grey.bits.begin(), grey.bits.begin() + 6),
            (Bytes{0x10, 0x60, 0x40, 0x61, 0x20, 0x62}));
  EXPECT_EQ(Bytes(grey.bits.begin() + 8, grey.bits.begin() + 14),
            (Bytes{0x70, 0x71, 0x72, 0x73, 0x74, 0x75}));
  // The same passes at depth 1: sub-byte pixels are ORed into cleared bytes.
  const Bytes rawBits = {0, 0x80, 0, 0x00, 0, 0x80, 0, 0xA0, 0, 0x54};
  const Decoded bits = decodeBytes(pngOfRaw(ihdrData(6, 2, 1, 0, 1), rawBits));
  ASSERT_EQ(bits.reached, Reached::done);
  EXPECT_EQ(bits.bits[0], 0xE4); // 1 1 1 0 0 1, then cleared padding
  EXPECT_EQ(bits.bits[4], 0x54); // 0 1 0 1 0 1
}

TEST(PngDecoder, FiltersRebuildRows) {
  // Two RGB pixels per row, one filter type per row. The Paeth row picks the upper byte on a
  // tie with the upper-left one, then the left byte, then the upper-left byte.
  const Bytes raw = {1, 10, 20, 30,  5,   5,  5,  // Sub: 10 20 30, 15 25 35
                     2, 1,  1,  1,   1,   1,  1,  // Up: 11 21 31, 16 26 36
                     3, 2,  2,  2,   0,   0,  0,  // Average: 7 12 17, 11 19 26
                     0, 10, 12, 25,  2,   10, 30, // None, used in place as the row above
                     4, 4,  18, 251, 100, 1,  0}; // Paeth: 14 30 20, 102 31 25
  const Decoded d = decodeBytes(pngOfRaw(ihdrData(2, 5, 8, 2), raw));
  ASSERT_EQ(d.reached, Reached::done);
  const std::uint8_t expected[5][6] = {{30, 20, 10, 35, 25, 15},
                                       {31, 21, 11, 36, 26, 16},
                                       {17, 12, 7, 26, 19, 11},
                                       {25, 12, 10, 30, 10, 2},
                                       {20, 30, 14, 25, 31, 102}};
  for (int y = 0; y < 5; ++y) {
    EXPECT_EQ(Bytes(d.bits.begin() + 8 * y, d.bits.begin() + 8 * y + 6),
              Bytes(expected[y], expected[y] + 6))
        << "row " << y;
  }
}

TEST(PngDecoder, FilterType5FailsTheWrite) {
  const Decoded d = decodeBytes(pngOfRaw(ihdrData(2, 2, 8, 0), {0, 1, 2, 5, 3, 4}));
  EXPECT_EQ(d.reached, Reached::writeFailed);
  EXPECT_EQ(d.error, pngBadData);
}

struct ChunkCase {
  const char* name;
  Bytes png;
  Reached reached;
  std::uint32_t error;
};

std::vector<ChunkCase> chunkCases() {
  const Bytes ihdr = ihdrData(2, 1, 8, 0);
  const Bytes idat = pngChunk("IDAT", zlibCompress({0, 7, 9}));
  const Bytes plte = pngChunk("PLTE", {1, 2, 3});
  const Bytes head = pngChunk("IHDR", ihdr);
  const Bytes end = pngChunk("IEND", {});
  Bytes wrapping = pngChunk("tEXt", {});
  wrapping[0] = 0xFF, wrapping[1] = 0xFF, wrapping[2] = 0xFF, wrapping[3] = 0xF8;
  Bytes shortHeader = ihdr;
  shortHeader.pop_back();
  Bytes badSignature = pngFile({head, idat, end});
  badSignature[3] = 'g';
  const Bytes valid = pngFile({head, idat, end});
  return {
      {"valid", valid, Reached::done, pngOk},
      {"ancillary chunks anywhere",
       pngFile({head, pngChunk("gAMA", {0, 1, 0x86, 0xA0}), idat, pngChunk("tEXt", {'k', 0, 'v'}),
                end, pngChunk("zzZz", {})}),
       Reached::done, pngOk},
      {"unknown critical chunk", pngFile({head, pngChunk("ABCD", {}), idat, end}),
       Reached::openFailed, pngUnsupported},
      {"unknown critical chunk after IEND", pngFile({head, idat, end, pngChunk("QRST", {1})}),
       Reached::openFailed, pngUnsupported},
      {"IDAT after IEND", pngFile({head, end, idat}), Reached::done, pngOk},
      {"no IDAT", pngFile({head, end}), Reached::decodeFailed, pngBadData},
      {"truncated inside the only IDAT", Bytes(valid.begin(), valid.end() - 16),
       Reached::decodeFailed, pngBadData},
      {"chunk length that wraps", pngFile({head, wrapping, idat, end}), Reached::decodeFailed,
       pngBadData},
      {"palette image without PLTE", pngFile({pngChunk("IHDR", ihdrData(2, 1, 8, 3)), idat, end}),
       Reached::decodeFailed, pngBadData},
      {"palette of 257 entries",
       pngFile(
           {pngChunk("IHDR", ihdrData(2, 1, 8, 3)), pngChunk("PLTE", Bytes(771, 1)), idat, end}),
       Reached::decodeFailed, pngBadData},
      {"palette of 256 entries",
       pngFile(
           {pngChunk("IHDR", ihdrData(2, 1, 8, 3)), pngChunk("PLTE", Bytes(768, 1)), idat, end}),
       Reached::done, pngOk},
      {"PLTE after IEND", pngFile({pngChunk("IHDR", ihdrData(2, 1, 8, 3)), idat, end, plte}),
       Reached::done, pngOk},
      {"IHDR of 12 bytes", pngFile({pngChunk("IHDR", shortHeader), idat, end}), Reached::openFailed,
       pngBadData},
      {"IHDR not first", pngFile({plte, head, idat, end}), Reached::openFailed, pngBadData},
      {"bad signature", badSignature, Reached::openFailed, pngBadData},
      {"15 bytes", Bytes(valid.begin(), valid.begin() + 15), Reached::openFailed, pngBadData},
      {"zero width", pngFile({pngChunk("IHDR", ihdrData(0, 1, 8, 0)), idat, end}),
       Reached::openFailed, pngBadData},
      {"zero height", pngFile({pngChunk("IHDR", ihdrData(1, 0, 8, 0)), idat, end}),
       Reached::openFailed, pngBadData},
      {"grey of depth 3", pngFile({pngChunk("IHDR", ihdrData(2, 1, 3, 0)), idat, end}),
       Reached::openFailed, pngUnsupported},
      {"RGB of depth 4", pngFile({pngChunk("IHDR", ihdrData(2, 1, 4, 2)), idat, end}),
       Reached::openFailed, pngUnsupported},
      {"palette of depth 16", pngFile({pngChunk("IHDR", ihdrData(2, 1, 16, 3)), idat, end}),
       Reached::openFailed, pngUnsupported},
      {"interlace method 2", pngFile({pngChunk("IHDR", ihdrData(2, 1, 8, 0, 2)), idat, end}),
       Reached::openFailed, pngUnsupported},
      {"raw image over 32 bits",
       pngFile({pngChunk("IHDR", ihdrData(0x10000, 0x10000, 16, 6)), idat, end}),
       Reached::decodeFailed, pngUnsupported},
  };
}

TEST(PngDecoder, ChunkRules) {
  for (const ChunkCase& c : chunkCases()) {
    const Decoded d = decodeBytes(c.png, ~std::uint64_t{0});
    EXPECT_EQ(d.reached, c.reached) << c.name;
    EXPECT_EQ(d.error, c.error) << c.name;
  }
}

TEST(PngDecoder, MethodsOtherThanZeroAreRefused) {
  for (int field : {10, 11}) { // compression method, filter method
    Bytes ihdr = ihdrData(2, 1, 8, 0);
    ihdr[std::size_t(field)] = 1;
    const Decoded d = decodeBytes(pngWithZlib(ihdr, zlibCompress({0, 1, 2})));
    EXPECT_EQ(d.reached, Reached::openFailed) << field;
    EXPECT_EQ(d.error, pngUnsupported) << field;
  }
}

TEST(PngDecoder, StagesAndFormats) {
  const Bytes png = pngOfRaw(ihdrData(2, 1, 8, 0), {0, 7, 9});
  PngDecoder decoder;
  resetPngDecoder(decoder);
  PngBitmapLayout layout;
  std::uint8_t bits[8];
  EXPECT_FALSE(decodePngImage(decoder));
  EXPECT_EQ(decoder.errorCode, pngWrongStage);
  EXPECT_FALSE(describePngBitmap(decoder, pngNativeFormat, layout));
  EXPECT_EQ(decoder.errorCode, pngWrongStage);
  ASSERT_TRUE(openPngMemory(decoder, png.data(), std::uint32_t(png.size())));
  EXPECT_EQ(decoder.stage, std::uint32_t{pngHeaderRead});
  EXPECT_FALSE(openPngMemory(decoder, png.data(), std::uint32_t(png.size())));
  EXPECT_EQ(decoder.errorCode, pngAlreadyOpen);
  EXPECT_FALSE(writePngImage(decoder, bits, sizeof bits));
  EXPECT_EQ(decoder.errorCode, pngWrongStage);
  ASSERT_TRUE(decodePngImage(decoder));
  EXPECT_FALSE(decodePngImage(decoder));
  EXPECT_EQ(decoder.errorCode, pngWrongStage);
  EXPECT_FALSE(describePngBitmap(decoder, 0, layout));
  EXPECT_EQ(decoder.errorCode, pngBadFormat);
  EXPECT_FALSE(writePngImage(decoder, bits, 3));
  EXPECT_EQ(decoder.errorCode, pngBadFormat);
  ASSERT_TRUE(writePngImage(decoder, bits, 4));
  ASSERT_TRUE(writePngImage(decoder, bits, 4)); // any number of times
  EXPECT_EQ(decoder.errorCode, pngOk);
  EXPECT_EQ(bits[0], 7);
  releasePngDecoder(decoder);
  EXPECT_EQ(decoder.stage, std::uint32_t{pngEmpty});
  EXPECT_EQ(decoder.rawImage, nullptr);
}

TEST(PngDecoder, FailuresLeaveTheDecoderReusable) {
  const Bytes bad = {1, 2, 3};
  const Bytes good = pngOfRaw(ihdrData(2, 1, 8, 0), {0, 7, 9});
  const Bytes broken = pngWithZlib(ihdrData(2, 1, 8, 0), {0x78, 0x01, 0x07});
  PngDecoder decoder;
  resetPngDecoder(decoder);
  EXPECT_FALSE(openPngMemory(decoder, bad.data(), std::uint32_t(bad.size())));
  EXPECT_EQ(decoder.stage, std::uint32_t{pngEmpty});
  EXPECT_EQ(decoder.sourceKind, std::uint32_t{pngNoSource});
  ASSERT_TRUE(openPngMemory(decoder, broken.data(), std::uint32_t(broken.size())));
  EXPECT_FALSE(decodePngImage(decoder));
  EXPECT_EQ(decoder.stage, std::uint32_t{pngHeaderRead});
  EXPECT_EQ(decoder.rawImage, nullptr);
  releasePngDecoder(decoder);
  ASSERT_TRUE(openPngMemory(decoder, good.data(), std::uint32_t(good.size())));
  EXPECT_TRUE(decodePngImage(decoder));
  releasePngDecoder(decoder);
}

TEST(PngDecoder, BitmapsTooLargeToDescribe) {
  struct Case {
    std::uint32_t width, height;
    int depth, colourType;
    bool fits;
  };
  const Case cases[] = {
      {0x7FFFFFFF, 1, 1, 0, true},   {0x80000000u, 1, 1, 0, false},
      {1, 0x80000000u, 1, 0, false}, {0x10000, 0x10000, 8, 6, false},
      {0x4000, 0x3FFFF, 8, 0, true}, {0x4000, 0x40000, 8, 0, false},
  };
  for (const Case& c : cases) {
    const Bytes png = pngWithZlib(ihdrData(c.width, c.height, c.depth, c.colourType), {0x78, 1});
    PngDecoder decoder;
    resetPngDecoder(decoder);
    ASSERT_TRUE(openPngMemory(decoder, png.data(), std::uint32_t(png.size())));
    PngBitmapLayout layout;
    EXPECT_EQ(describePngBitmap(decoder, pngNativeFormat, layout), c.fits) << c.width;
    EXPECT_EQ(decoder.errorCode, c.fits ? pngOk : pngBadFormat) << c.width;
    releasePngDecoder(decoder);
  }
}

// Every colour type and depth, odd sizes, with and without Adam7, written by libpng with
// stored blocks, fixed codes, dynamic codes and small IDAT chunks.
TEST(PngDecoder, ImagesWrittenByLibpng) {
  const std::pair<int, int> kinds[] = {{0, 1}, {0, 2},  {0, 4},  {0, 8}, {0, 16},
                                       {2, 8}, {2, 16}, {3, 1},  {3, 2}, {3, 4},
                                       {3, 8}, {4, 8},  {4, 16}, {6, 8}, {6, 16}};
  const std::pair<std::uint32_t, std::uint32_t> sizes[] = {
      {1, 1}, {3, 2}, {7, 5}, {9, 13}, {33, 17}};
  const WriteOptions ways[] = {{6, Z_DEFAULT_STRATEGY, 8192},
                               {0, Z_DEFAULT_STRATEGY, 8192},
                               {9, Z_FIXED, 8192},
                               {9, Z_DEFAULT_STRATEGY, 7}};
  int count = 0;
  for (auto [colourType, depth] : kinds) {
    for (auto [width, height] : sizes) {
      for (int interlace : {0, 1}) {
        const RefImage image =
            makeRefImage(width, height, colourType, depth, interlace, std::uint32_t(count));
        for (const WriteOptions& way : ways) {
          const Bytes png = writeWithLibpng(image, way);
          ASSERT_FALSE(png.empty());
          EXPECT_EQ(compareBitmap(decodeBytes(png), expectedBitmap(image)), "")
              << colourType << "/" << depth << " " << width << "x" << height << " interlace "
              << interlace << " level " << way.level << " idat " << way.idatSize;
          ++count;
        }
      }
    }
  }
  EXPECT_EQ(count, 15 * 5 * 2 * 4);
}

} // namespace
