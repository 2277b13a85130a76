#include "tests/unit/png_test_support.h"

#include <png.h>
#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>

Bytes readTestFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string pngSuitePath(const std::string& name) {
  return std::string(QUIZ_PNGSUITE_DIR) + "/" + name;
}

// --- Hand-made files ---------------------------------------------------------------------

namespace {

void putBig32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(value >> shift));
}

} // namespace

Bytes pngChunk(const char* type, const Bytes& data) {
  Bytes chunk;
  putBig32(chunk, static_cast<std::uint32_t>(data.size()));
  chunk.insert(chunk.end(), type, type + 4);
  chunk.insert(chunk.end(), data.begin(), data.end());
  putBig32(chunk, static_cast<std::uint32_t>(crc32(0, chunk.data() + 4, chunk.size() - 4)));
  return chunk;
}

Bytes ihdrData(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType,
               int interlace) {
  Bytes data;
  putBig32(data, width);
  putBig32(data, height);
  data.insert(data.end(),
              {std::uint8_t(bitDepth), std::uint8_t(colourType), 0, 0, std::uint8_t(interlace)});
  return data;
}

Bytes pngFile(const std::vector<Bytes>& chunks) {
  Bytes file = {137, 80, 78, 71, 13, 10, 26, 10};
  for (const Bytes& chunk : chunks) file.insert(file.end(), chunk.begin(), chunk.end());
  return file;
}

Bytes zlibWrap(const Bytes& deflate, const Bytes& adlerOf) {
  Bytes zlib = {0x78, 0x01};
  zlib.insert(zlib.end(), deflate.begin(), deflate.end());
  putBig32(zlib, static_cast<std::uint32_t>(
                     adler32(adler32(0, nullptr, 0), adlerOf.data(), uInt(adlerOf.size()))));
  return zlib;
}

Bytes zlibCompress(const Bytes& data, int level) {
  uLongf size = compressBound(uLong(data.size()));
  Bytes out(size);
  compress2(out.data(), &size, data.data(), uLong(data.size()), level);
  out.resize(size);
  return out;
}

Bytes pngWithZlib(const Bytes& ihdr, const Bytes& zlib) {
  return pngFile({pngChunk("IHDR", ihdr), pngChunk("IDAT", zlib), pngChunk("IEND", {})});
}

DeflateWriter& DeflateWriter::put(std::uint32_t value, int n) {
  bits |= (std::uint64_t{value} & ((std::uint64_t{1} << n) - 1)) << count; // n up to 56
  count += n;
  while (count >= 8) {
    bytes.push_back(std::uint8_t(bits));
    bits >>= 8;
    count -= 8;
  }
  return *this;
}

DeflateWriter& DeflateWriter::putCode(std::uint32_t code, int length) {
  for (int i = length - 1; i >= 0; --i) put(code >> i & 1, 1);
  return *this;
}

DeflateWriter& DeflateWriter::align() {
  if (count > 0) put(0, 8 - count);
  return *this;
}

DeflateWriter& DeflateWriter::putBytes(const Bytes& data) {
  bytes.insert(bytes.end(), data.begin(), data.end());
  return *this;
}

Bytes DeflateWriter::finish() {
  align();
  return bytes;
}

TestCode::TestCode(std::vector<int> codeLengths) : lengths(std::move(codeLengths)) {
  int perLength[16] = {};
  for (int length : lengths) ++perLength[length];
  perLength[0] = 0;
  std::uint32_t next[16] = {};
  for (int length = 1, code = 0; length < 16; ++length) {
    code = (code + perLength[length - 1]) << 1;
    next[length] = std::uint32_t(code);
  }
  codes.resize(lengths.size());
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    if (lengths[symbol] != 0) codes[symbol] = next[lengths[symbol]]++;
  }
}

void TestCode::put(DeflateWriter& writer, int symbol) const {
  writer.putCode(codes.at(std::size_t(symbol)), lengths.at(std::size_t(symbol)));
}

TestCode fixedLiteralCode() {
  std::vector<int> lengths(288);
  for (int s = 0; s < 288; ++s)
    lengths[std::size_t(s)] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
  return TestCode(lengths);
}

TestCode fixedDistanceCode() {
  return TestCode(std::vector<int>(32, 5));
}

void putPlainDynamicHeader(DeflateWriter& writer, bool last, const std::vector<int>& literals,
                           const std::vector<int>& distances) {
  writer.put(last, 1).put(2, 2);
  writer.put(std::uint32_t(literals.size() - 257), 5).put(std::uint32_t(distances.size() - 1), 5);
  static const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  writer.put(15, 4); // all 19 code-length code lengths follow
  for (int symbol : order) writer.put(symbol < 16 ? 4 : 0, 3);
  // Sixteen 4-bit codes: the code of length symbol s is s itself.
  for (int length : literals) writer.putCode(std::uint32_t(length), 4);
  for (int length : distances) writer.putCode(std::uint32_t(length), 4);
}

// --- libpng ------------------------------------------------------------------------------

namespace {

int samplesOf(int colourType) {
  switch (colourType) {
  case 2: return 3;
  case 4: return 2;
  case 6: return 4;
  default: return 1;
  }
}

std::size_t rowBytesOf(const RefImage& image) {
  return (std::size_t{image.width} * samplesOf(image.colourType) * image.bitDepth + 7) / 8;
}

void appendToBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void flushNothing(png_structp) {}

struct MemoryReader {
  const Bytes* bytes;
  std::size_t position;
};

void readFromBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (size > reader->bytes->size() - reader->position) png_error(png, "read past the end");
  std::memcpy(data, reader->bytes->data() + reader->position, size);
  reader->position += size;
}

void silentWarning(png_structp, png_const_charp) {}

// libpng reports errors by longjmp; no C++ object is made between setjmp and the calls.
bool runLibpngWrite(const RefImage& image, const WriteOptions& options, Bytes& out,
                    std::vector<png_bytep>& rows, std::vector<png_color>& palette) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, appendToBytes, flushNothing);
  png_set_compression_level(png, options.level);
  png_set_compression_strategy(png, options.strategy);
  png_set_compression_buffer_size(png, options.idatSize);
  png_set_filter(png, 0, PNG_ALL_FILTERS);
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colourType,
               image.interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

} // namespace

Bytes writeWithLibpng(const RefImage& image, const WriteOptions& options) {
  std::vector<Bytes> rowCopies = image.rows;
  std::vector<png_bytep> rows;
  for (Bytes& row : rowCopies) rows.push_back(row.data());
  std::vector<png_color> palette;
  for (std::size_t i = 0; i + 2 < image.palette.size(); i += 3)
    palette.push_back({image.palette[i], image.palette[i + 1], image.palette[i + 2]});
  Bytes out;
  if (!runLibpngWrite(image, options, out, rows, palette)) out.clear();
  return out;
}

namespace {

bool runLibpngRead(const Bytes& bytes, RefImage& image, std::vector<Bytes>& rows,
                   std::vector<png_bytep>& pointers) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, silentWarning);
  png_infop info = png_create_info_struct(png);
  MemoryReader reader{&bytes, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &reader, readFromBytes);
  png_read_info(png, info);
  image.width = png_get_image_width(png, info);
  image.height = png_get_image_height(png, info);
  image.colourType = png_get_color_type(png, info);
  image.bitDepth = png_get_bit_depth(png, info);
  image.interlace = png_get_interlace_type(png, info);
  png_colorp colours = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &colours, &count)) {
    for (int i = 0; i < count; ++i)
      image.palette.insert(image.palette.end(),
                           {colours[i].red, colours[i].green, colours[i].blue});
  }
  if (image.interlace) png_set_interlace_handling(png);
  png_read_update_info(png, info);
  rows.assign(image.height, Bytes(png_get_rowbytes(png, info)));
  for (Bytes& row : rows) pointers.push_back(row.data());
  png_read_image(png, pointers.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

} // namespace

bool readWithLibpng(const Bytes& png, RefImage& image) {
  image = {};
  std::vector<Bytes> rows;
  std::vector<png_bytep> pointers;
  if (!runLibpngRead(png, image, rows, pointers)) return false;
  image.rows = std::move(rows);
  return true;
}

RefImage makeRefImage(std::uint32_t width, std::uint32_t height, int colourType, int bitDepth,
                      int interlace, std::uint32_t seed) {
  RefImage image;
  image.width = width;
  image.height = height;
  image.colourType = colourType;
  image.bitDepth = bitDepth;
  image.interlace = interlace;
  const int paletteSize = colourType == 3 ? (1 << bitDepth) - (bitDepth > 1 ? 1 : 0) : 0;
  for (int i = 0; i < paletteSize; ++i)
    image.palette.insert(image.palette.end(), {std::uint8_t(i * 37 + 5), std::uint8_t(255 - i * 11),
                                               std::uint8_t(i * 3)});
  std::uint32_t state = seed * 2654435761u + 1;
  const std::size_t rowBytes = rowBytesOf(image);
  for (std::uint32_t y = 0; y < height; ++y) {
    Bytes row(rowBytes);
    for (std::size_t i = 0; i < rowBytes; ++i) {
      state = state * 1103515245u + 12345u;
      // Smooth runs with noise, so that every filter type pays off somewhere.
      row[i] = std::uint8_t((i * 3 + y * 5) ^ ((state >> 16) & (y % 3 == 0 ? 0xFF : 0x07)));
    }
    if (colourType == 3) { // indices must stay below the palette size
      const int perByte = 8 / bitDepth;
      const unsigned mask = (1u << bitDepth) - 1;
      for (std::uint32_t x = 0; x < width; ++x) {
        const int shift = 8 - bitDepth * (int(x % perByte) + 1);
        unsigned value = row[x / perByte] >> shift & mask;
        if (value >= unsigned(paletteSize)) value = value % unsigned(paletteSize);
        row[x / perByte] = std::uint8_t((row[x / perByte] & ~(mask << shift)) | value << shift);
      }
    }
    image.rows.push_back(row);
  }
  return image;
}

// --- Expected bitmaps ----------------------------------------------------------------------

namespace {

// Sample `index` of a packed row at its own depth (a 16-bit sample's high byte).
unsigned sampleAt(const Bytes& row, std::size_t index, int bitDepth) {
  if (bitDepth == 16) return row[2 * index];
  if (bitDepth == 8) return row[index];
  const std::size_t bit = index * std::size_t(bitDepth);
  return row[bit / 8] >> (8 - bitDepth - bit % 8) & ((1u << bitDepth) - 1);
}

std::uint32_t expectedPixel(const RefImage& image, std::uint32_t x, std::uint32_t y) {
  const Bytes& row = image.rows[y];
  const int samples = samplesOf(image.colourType);
  auto sample = [&](int s) { return sampleAt(row, std::size_t(x) * samples + s, image.bitDepth); };
  switch (image.colourType) {
  case 2: return sample(2) | sample(1) << 8 | sample(0) << 16;
  case 6: return sample(2) | sample(1) << 8 | sample(0) << 16 | std::uint32_t(sample(3)) << 24;
  default: return sample(0); // grey, palette index, grey with alpha's grey
  }
}

} // namespace

ExpectedBitmap expectedBitmap(const RefImage& image) {
  ExpectedBitmap expected;
  const int depth = image.bitDepth;
  switch (image.colourType) {
  case 2: expected.bitCount = 24; break;
  case 6: expected.bitCount = 32; break;
  case 4: expected.bitCount = 8; break;
  default: expected.bitCount = depth == 2 ? 4 : depth == 16 ? 8 : depth;
  }
  if (image.colourType == 0 || image.colourType == 4) {
    expected.clrUsed = image.colourType == 4 || depth >= 8 ? 256 : 1u << depth;
    for (std::uint32_t i = 0; i < expected.clrUsed; ++i) {
      const std::uint32_t grey = i * 255 / (expected.clrUsed - 1);
      expected.table.push_back(grey | grey << 8 | grey << 16);
    }
  } else if (image.colourType == 3) {
    expected.table.assign(std::size_t{1} << expected.bitCount, 0);
    for (std::size_t i = 0; i < image.palette.size() / 3 && i < expected.table.size(); ++i) {
      expected.table[i] = image.palette[3 * i + 2] | image.palette[3 * i + 1] << 8 |
                          std::uint32_t(image.palette[3 * i]) << 16;
    }
  }
  for (std::uint32_t y = 0; y < image.height; ++y) {
    for (std::uint32_t x = 0; x < image.width; ++x)
      expected.pixels.push_back(expectedPixel(image, x, y));
  }
  return expected;
}

std::uint32_t bitmapPixel(const std::uint8_t* bits, std::uint32_t stride, int bitCount,
                          std::uint32_t x, std::uint32_t y) {
  const std::uint8_t* row = bits + std::size_t{y} * stride;
  if (bitCount < 8) {
    const std::size_t bit = std::size_t{x} * bitCount;
    return row[bit / 8] >> (8 - bitCount - bit % 8) & ((1u << bitCount) - 1);
  }
  std::uint32_t value = 0;
  const int bytes = bitCount / 8;
  for (int i = 0; i < bytes; ++i)
    value |= std::uint32_t{row[std::size_t{x} * bytes + i]} << (8 * i);
  return value;
}

// --- The decoder ---------------------------------------------------------------------------

Decoded decodeBytes(const Bytes& png, std::uint64_t maxPixels) {
  Decoded result;
  PngDecoder decoder;
  resetPngDecoder(decoder);
  if (!openPngMemory(decoder, png.data(), std::uint32_t(png.size()))) {
    result.error = decoder.errorCode;
    releasePngDecoder(decoder);
    return result;
  }
  result.width = decoder.width;
  result.height = decoder.height;
  result.reached = Reached::openedOnly;
  if (std::uint64_t{decoder.width} * decoder.height > maxPixels) {
    releasePngDecoder(decoder);
    return result;
  }
  result.reached = Reached::decodeFailed;
  if (!decodePngImage(decoder)) {
    result.error = decoder.errorCode;
    releasePngDecoder(decoder);
    return result;
  }
  result.raw.assign(decoder.rawImage, decoder.rawImage + decoder.rawImageSize);
  result.reached = Reached::writeFailed;
  if (describePngBitmap(decoder, pngNativeFormat, result.layout)) {
    result.bits.assign(result.layout.bitsSize, 0xCD);
    if (writePngImage(decoder, result.bits.data(), result.bits.size()))
      result.reached = Reached::done;
  }
  result.error = decoder.errorCode;
  releasePngDecoder(decoder);
  return result;
}

std::string compareBitmap(const Decoded& decoded, const ExpectedBitmap& expected) {
  if (decoded.reached != Reached::done)
    return "not decoded: error " + std::to_string(decoded.error);
  const PngBitmapLayout& layout = decoded.layout;
  if (layout.header.bitCount != expected.bitCount)
    return "bit count " + std::to_string(layout.header.bitCount);
  if (layout.header.clrUsed != expected.clrUsed)
    return "clrUsed " + std::to_string(layout.header.clrUsed);
  if (layout.tableEntries != expected.table.size())
    return "table entries " + std::to_string(layout.tableEntries);
  for (std::size_t i = 0; i < expected.table.size(); ++i) {
    const std::uint8_t* entry = layout.colourTable[i];
    const std::uint32_t value = entry[0] | entry[1] << 8 | entry[2] << 16;
    if (value != expected.table[i] || entry[3] != 0) return "table entry " + std::to_string(i);
  }
  const std::size_t used = (std::size_t{decoded.width} * expected.bitCount + 7) / 8;
  for (std::uint32_t y = 0; y < decoded.height; ++y) {
    for (std::size_t i = used; i < layout.rowStride; ++i) {
      if (decoded.bits[std::size_t{y} * layout.rowStride + i] != 0)
        return "padding of row " + std::to_string(y);
    }
    for (std::uint32_t x = 0; x < decoded.width; ++x) {
      const std::uint32_t got =
          bitmapPixel(decoded.bits.data(), layout.rowStride, expected.bitCount, x, y);
      const std::uint32_t want = expected.pixels[std::size_t{y} * decoded.width + x];
      if (got != want)
        return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(got) +
               " instead of " + std::to_string(want);
    }
  }
  return "";
}
