#include "pictures/png/png_formats.h"

#include "pictures/png/png_rows.h"

namespace {

constexpr PngOutputFormat outputFormats[] = {
    {pngGrey, 1, 1, 1, 2, copyPixels1},
    {pngGrey, 2, 1, 4, 4, widenPixels2},
    {pngGrey, 4, 1, 4, 16, copyPixels4},
    {pngGrey, 8, 1, 8, 256, copyPixels8},
    {pngGrey, 16, 1, 8, 256, keepFirstByteOf2},
    {pngRgb, 8, 3, 24, 0, rgbToBgr8},
    {pngRgb, 16, 3, 24, 0, rgbToBgr16},
    {pngPalette, 1, 1, 1, 0, copyPixels1},
    {pngPalette, 2, 1, 4, 0, widenPixels2},
    {pngPalette, 4, 1, 4, 0, copyPixels4},
    {pngPalette, 8, 1, 8, 0, copyPixels8},
    {pngGreyAlpha, 8, 2, 8, 256, keepFirstByteOf2},
    {pngGreyAlpha, 16, 2, 8, 256, keepFirstByteOf4},
    {pngRgbAlpha, 8, 4, 32, 0, rgbaToBgra8},
    {pngRgbAlpha, 16, 4, 32, 0, rgbaToBgra16},
};

} // namespace

const PngOutputFormat* findPngOutputFormat(std::uint8_t colourType, std::uint8_t bitDepth) {
  for (const PngOutputFormat& format : outputFormats) {
    if (format.colourType == colourType && format.bitDepth == bitDepth) return &format;
  }
  return nullptr;
}

unsigned pngBitsPerPixel(const PngDecoder& decoder) {
  const PngOutputFormat* format = findPngOutputFormat(decoder.colourType, decoder.bitDepth);
  return format ? unsigned{format->samples} * format->bitDepth : 0;
}

namespace {

// Bytes of `rows` filtered rows with their filter bytes, capped at 2^40 so that the sum over
// the passes cannot wrap (anything above 32 bits is refused anyway).
std::uint64_t filteredBytes(std::uint32_t columns, unsigned bitsPerPixel, std::uint32_t rows) {
  constexpr std::uint64_t cap = std::uint64_t{1} << 40;
  const std::uint64_t rowSize = pngRowBytes(columns, bitsPerPixel) + 1; // at most 2^35 + 1
  if (rows == 0 || columns == 0) return 0;
  if (rowSize > 0xFFFFFFFFu) return cap;
  const std::uint64_t size = rowSize * rows; // both below 2^32: no wrap
  return size < cap ? size : cap;
}

} // namespace

std::uint64_t pngRawImageSize(const PngDecoder& decoder) {
  const unsigned bits = pngBitsPerPixel(decoder);
  if (decoder.interlaceMethod == 0) return filteredBytes(decoder.width, bits, decoder.height);
  std::uint64_t size = 0;
  for (const PngPass& pass : adam7Passes) {
    size += filteredBytes(pngPassExtent(decoder.width, pass.xStart, pass.xStep), bits,
                          pngPassExtent(decoder.height, pass.yStart, pass.yStep));
  }
  return size;
}
