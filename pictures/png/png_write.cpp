#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "pictures/png/png_bitmap.h"
#include "pictures/png/png_filters.h"
#include "pictures/png/png_formats.h"

namespace {

bool fail(PngDecoder& decoder, PngError error) {
  decoder.errorCode = error;
  return false;
}

// Rebuilds the filtered rows of rawImage one after the other with two row buffers. Invariant:
// `prior` is the rebuilt row above, which is one of the buffers, a row of rawImage (a row with
// filter None is used where it lies), or the cleared second buffer at the start of the image or
// of a pass; the next row is rebuilt into the buffer `prior` is not.
struct RowRebuilder {
  const std::uint8_t* raw;   // filter byte of the next row in rawImage
  std::uint8_t* buffers[2];  // each at least one full row
  const std::uint8_t* prior; // the row above
  unsigned unit;             // filter unit: bytes per pixel, at least 1
};

void startRows(RowRebuilder& rows, std::size_t length) {
  std::memset(rows.buffers[1], 0, length);
  rows.prior = rows.buffers[1];
}

// The next rebuilt row of `length` bytes, or null for a filter type above 4.
const std::uint8_t* nextRow(RowRebuilder& rows, std::size_t length) {
  const std::uint8_t filter = rows.raw[0];
  const std::uint8_t* filtered = rows.raw + 1;
  rows.raw += length + 1;
  if (filter == filterNone) return rows.prior = filtered;
  std::uint8_t* recon = rows.buffers[rows.buffers[0] == rows.prior ? 1 : 0];
  if (!unfilterPngRow(filter, filtered, rows.prior, recon, length, rows.unit)) return nullptr;
  return rows.prior = recon;
}

// Bytes of a bitmap row that pixels occupy; the rest, up to the stride, is padding.
std::size_t pixelBytes(const PngDecoder& decoder, const PngOutputFormat& format) {
  return (std::size_t{decoder.width} * format.bitmapBits + 7) / 8;
}

bool writeRows(RowRebuilder& rows, const PngDecoder& decoder, const PngOutputFormat& format,
               std::uint8_t* bits, std::size_t stride) {
  const std::size_t length = pngRowBytes(decoder.width, format.samples * format.bitDepth);
  const std::size_t used = pixelBytes(decoder, format);
  startRows(rows, length);
  for (std::uint32_t y = 0; y < decoder.height; ++y, bits += stride) {
    const std::uint8_t* row = nextRow(rows, length);
    if (!row) return false;
    format.convert(row, bits, decoder.width);
    std::memset(bits + used, 0, stride - used); // padding too is defined
  }
  return true;
}

// Before the passes: sub-byte pixels are ORed into cleared bytes; wider pixels are copied
// whole, so only the padding needs clearing.
void clearForPasses(const PngDecoder& decoder, const PngOutputFormat& format, std::uint8_t* bits,
                    const PngBitmapLayout& layout) {
  if (format.bitmapBits < 8) {
    std::memset(bits, 0, layout.bitsSize);
    return;
  }
  const std::size_t used = pixelBytes(decoder, format);
  for (std::uint32_t y = 0; y < decoder.height; ++y, bits += layout.rowStride)
    std::memset(bits + used, 0, layout.rowStride - used);
}

// Puts `count` converted pixels of a pass row at columns xStart, xStart + xStep, … of `line`.
// Pixels narrower than a byte are ORed into bytes that start out cleared.
void placePixels(const std::uint8_t* pixels, std::uint8_t* line, std::uint32_t count,
                 const PngPass& pass, unsigned bitmapBits) {
  if (bitmapBits < 8) {
    const unsigned mask = (1u << bitmapBits) - 1;
    for (std::size_t k = 0, x = pass.xStart; k < count; ++k, x += pass.xStep) {
      const std::size_t from = k * bitmapBits;
      const std::size_t to = x * bitmapBits;
      const unsigned value = pixels[from / 8] >> (8 - bitmapBits - from % 8) & mask;
      line[to / 8] |= static_cast<std::uint8_t>(value << (8 - bitmapBits - to % 8));
    }
    return;
  }
  const std::size_t bytes = bitmapBits / 8;
  for (std::size_t k = 0, x = pass.xStart; k < count; ++k, x += pass.xStep)
    std::memcpy(line + x * bytes, pixels + k * bytes, bytes);
}

bool writePasses(RowRebuilder& rows, const PngDecoder& decoder, const PngOutputFormat& format,
                 std::uint8_t* bits, const PngBitmapLayout& layout, std::uint8_t* passRow) {
  clearForPasses(decoder, format, bits, layout);
  for (const PngPass& pass : adam7Passes) {
    const std::uint32_t columns = pngPassExtent(decoder.width, pass.xStart, pass.xStep);
    const std::uint32_t passRows = pngPassExtent(decoder.height, pass.yStart, pass.yStep);
    if (columns == 0 || passRows == 0) continue; // this pass has no pixels: no rows either
    const std::size_t length = pngRowBytes(columns, format.samples * format.bitDepth);
    startRows(rows, length);
    for (std::uint32_t n = 0; n < passRows; ++n) {
      const std::uint8_t* row = nextRow(rows, length);
      if (!row) return false;
      format.convert(row, passRow, columns);
      const std::size_t y = pass.yStart + std::size_t{n} * pass.yStep;
      placePixels(passRow, bits + y * layout.rowStride, columns, pass, format.bitmapBits);
    }
  }
  return true;
}

} // namespace

bool writePngImage(PngDecoder& decoder, std::uint8_t* bits, std::size_t bitsSize) {
  if (decoder.stage != pngInflated) return fail(decoder, pngWrongStage); // nothing decoded yet
  PngBitmapLayout layout;
  if (!describePngBitmap(decoder, pngNativeFormat, layout)) return false;
  // The caller's bits cannot hold the bitmap.
  if (!bits || bitsSize < layout.bitsSize) return fail(decoder, pngBadFormat);
  const PngOutputFormat& format = *findPngOutputFormat(decoder.colourType, decoder.bitDepth);
  const unsigned pixelBits = unsigned{format.samples} * format.bitDepth;
  // Both row buffers rounded up to 8 bytes, then the interlaced pass row.
  const std::uint64_t rowSize = (pngRowBytes(decoder.width, pixelBits) + 7) & ~std::uint64_t{7};
  const std::uint64_t buffersSize = 2 * rowSize + layout.rowStride;
  auto* buffers =
      buffersSize <= SIZE_MAX
          ? static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(buffersSize)))
          : nullptr;
  if (!buffers) return fail(decoder, pngOutOfMemory); // no room for the row buffers
  RowRebuilder rows{
      decoder.rawImage, {buffers, buffers + rowSize}, nullptr, pixelBits >= 8 ? pixelBits / 8 : 1};
  const bool written =
      decoder.interlaceMethod == 0
          ? writeRows(rows, decoder, format, bits, layout.rowStride)
          : writePasses(rows, decoder, format, bits, layout, buffers + 2 * rowSize);
  std::free(buffers);
  if (!written) return fail(decoder, pngBadData); // a filter type above 4
  decoder.errorCode = pngOk;
  return true;
}
