#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/png/png_bitmap.h"

// Helpers for the PNG decoder's tests: hand-made PNG files and DEFLATE streams, libpng as the
// reference reader and writer, and the decoder run from bytes to bitmap.

using Bytes = std::vector<std::uint8_t>;

Bytes readTestFile(const std::string& path);
std::string pngSuitePath(const std::string& name);

// --- Hand-made files ---------------------------------------------------------------------

Bytes pngChunk(const char* type, const Bytes& data); // with its CRC
Bytes ihdrData(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType,
               int interlace = 0);
// The signature followed by the chunks.
Bytes pngFile(const std::vector<Bytes>& chunks);
// A 78 01 zlib header, the DEFLATE data, and the Adler-32 of `adlerOf`.
Bytes zlibWrap(const Bytes& deflate, const Bytes& adlerOf);
Bytes zlibCompress(const Bytes& data, int level = 9);
// IHDR, one IDAT with `zlib`, IEND.
Bytes pngWithZlib(const Bytes& ihdr, const Bytes& zlib);

// DEFLATE bits: fields least significant bit first, Huffman codes most significant bit first.
struct DeflateWriter {
  Bytes bytes;
  std::uint64_t bits = 0;
  int count = 0;

  DeflateWriter& put(std::uint32_t value, int n);
  DeflateWriter& putCode(std::uint32_t code, int length);
  DeflateWriter& align();
  DeflateWriter& putBytes(const Bytes& data); // after align()
  Bytes finish();
};

// A canonical code from its lengths, to write symbols with.
struct TestCode {
  std::vector<int> lengths;
  std::vector<std::uint32_t> codes;
  explicit TestCode(std::vector<int> codeLengths);
  void put(DeflateWriter& writer, int symbol) const;
};
TestCode fixedLiteralCode();
TestCode fixedDistanceCode();

// Block header of a dynamic block sending the code lengths plainly: every length 0..15 has a
// 4-bit code-length code and no repeat codes are used.
void putPlainDynamicHeader(DeflateWriter& writer, bool last, const std::vector<int>& literals,
                           const std::vector<int>& distances);

// --- libpng as the reference ---------------------------------------------------------------

// An image as PNG rows hold it after unfiltering and deinterlacing: packed samples, 16-bit
// samples big-endian.
struct RefImage {
  std::uint32_t width = 0, height = 0;
  int colourType = 0, bitDepth = 0, interlace = 0;
  std::vector<Bytes> rows;
  Bytes palette; // R, G, B triples
};

struct WriteOptions {
  int level = 6;
  int strategy = 0;            // Z_DEFAULT_STRATEGY
  std::size_t idatSize = 8192; // the most image data in one IDAT chunk
};

Bytes writeWithLibpng(const RefImage& image, const WriteOptions& options = {});
bool readWithLibpng(const Bytes& png, RefImage& image);
// Deterministic pixels of every kind of image, palette values below the palette's size.
RefImage makeRefImage(std::uint32_t width, std::uint32_t height, int colourType, int bitDepth,
                      int interlace, std::uint32_t seed);

// The bitmap the decoder should make of an image, worked out pixel by pixel.
struct ExpectedBitmap {
  int bitCount = 0;
  std::uint32_t clrUsed = 0;
  std::vector<std::uint32_t> table;  // entries as B | G << 8 | R << 16
  std::vector<std::uint32_t> pixels; // row-major pixel values (index, or B G R (A) packed)
};
ExpectedBitmap expectedBitmap(const RefImage& image);

// The value of pixel (x, y) of top-down bitmap bits.
std::uint32_t bitmapPixel(const std::uint8_t* bits, std::uint32_t stride, int bitCount,
                          std::uint32_t x, std::uint32_t y);

// --- The decoder from bytes to bitmap ------------------------------------------------------

enum class Reached { openFailed, openedOnly, decodeFailed, writeFailed, done };

struct Decoded {
  Reached reached = Reached::openFailed;
  std::uint32_t error = 0;
  PngBitmapLayout layout{};
  Bytes raw;  // rawImage after decoding
  Bytes bits; // the bitmap's bits
  std::uint32_t width = 0, height = 0;
};

// Opens, decodes, describes and writes, stopping at the first failure. Images of more than
// `maxPixels` pixels are opened only (Reached::openedOnly).
Decoded decodeBytes(const Bytes& png, std::uint64_t maxPixels = std::uint64_t{1} << 24);

// Compares a decoded bitmap with the expected one, padding bytes included (they must be 0);
// returns "" or the first difference.
std::string compareBitmap(const Decoded& decoded, const ExpectedBitmap& expected);
