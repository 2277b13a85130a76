#include "pictures/png/png_bitmap.h"

#include <cstring>

#include "pictures/png/png_formats.h"

namespace {

constexpr std::uint32_t largestSide = 0x7FFFFFFFu; // a bitmap's width and height are signed

bool fail(PngDecoder& decoder, PngError error) {
  decoder.errorCode = error;
  return false;
}

// Entry i of an n-entry ramp is grey i * 255 / (n - 1): 0, 85, 170, 255 for four entries.
void fillGreyRamp(PngBitmapLayout& layout, std::uint32_t entries) {
  for (std::uint32_t i = 0; i < entries; ++i) {
    const auto grey = static_cast<std::uint8_t>(i * 255 / (entries - 1));
    layout.colourTable[i][0] = layout.colourTable[i][1] = layout.colourTable[i][2] = grey;
  }
}

// PLTE's R, G, B triples in file order, stored B, G, R, 0; as many as the table has room for.
void fillPalette(PngBitmapLayout& layout, const PngDecoder& decoder) {
  std::uint32_t entries = decoder.paletteData ? decoder.paletteSize : 0;
  if (entries > layout.tableEntries) entries = layout.tableEntries;
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::uint8_t* rgb = decoder.paletteData + 3 * i;
    layout.colourTable[i][0] = rgb[2];
    layout.colourTable[i][1] = rgb[1];
    layout.colourTable[i][2] = rgb[0];
  }
}

void storeLittle(std::uint8_t*& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) *out++ = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

bool describePngBitmap(PngDecoder& decoder, int format, PngBitmapLayout& layout) {
  std::memset(&layout, 0, sizeof layout);
  if (decoder.stage == pngEmpty) return fail(decoder, pngWrongStage); // no header yet
  if (format != pngNativeFormat) return fail(decoder, pngBadFormat);  // only the image's own
  const PngOutputFormat& output = *findPngOutputFormat(decoder.colourType, decoder.bitDepth);
  // A bitmap cannot be that wide or that high.
  if (decoder.width > largestSide || decoder.height > largestSide)
    return fail(decoder, pngBadFormat);
  const std::uint64_t stride = (std::uint64_t{decoder.width} * output.bitmapBits + 31) / 32 * 4;
  // The bits would not fit in 32 bits (the test divides, so nothing wraps).
  if (stride > 0xFFFFFFFFu || decoder.height > 0xFFFFFFFFu / stride)
    return fail(decoder, pngBadFormat);

  PngBitmapHeader& header = layout.header;
  header.size = pngBitmapHeaderSize;
  header.width = static_cast<std::int32_t>(decoder.width);
  header.height = -static_cast<std::int32_t>(decoder.height);
  header.planes = 1;
  header.bitCount = output.bitmapBits;
  header.clrUsed = output.greyRamp;
  layout.rowStride = static_cast<std::uint32_t>(stride);
  layout.bitsSize = static_cast<std::uint32_t>(stride * decoder.height);
  if (output.greyRamp != 0) {
    layout.tableEntries = output.greyRamp;
    fillGreyRamp(layout, output.greyRamp);
  } else if (output.bitmapBits <= 8) {
    layout.tableEntries = 1u << output.bitmapBits;
    fillPalette(layout, decoder);
  }
  decoder.errorCode = pngOk;
  return true;
}

void storePngBitmapInfo(const PngBitmapLayout& layout, std::uint8_t* out) {
  const PngBitmapHeader& header = layout.header;
  storeLittle(out, header.size, 4);
  storeLittle(out, static_cast<std::uint32_t>(header.width), 4);
  storeLittle(out, static_cast<std::uint32_t>(header.height), 4);
  storeLittle(out, header.planes, 2);
  storeLittle(out, header.bitCount, 2);
  storeLittle(out, header.compression, 4);
  storeLittle(out, header.sizeImage, 4);
  storeLittle(out, static_cast<std::uint32_t>(header.xPelsPerMeter), 4);
  storeLittle(out, static_cast<std::uint32_t>(header.yPelsPerMeter), 4);
  storeLittle(out, header.clrUsed, 4);
  storeLittle(out, header.clrImportant, 4);
  std::memcpy(out, layout.colourTable, 4 * std::size_t{layout.tableEntries});
}
