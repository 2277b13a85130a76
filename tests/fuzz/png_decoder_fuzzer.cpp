// Any bytes as a PNG picture, through the whole decoding: open from memory, decode, describe,
// write into a buffer of the described size. A result code or a bitmap, never a crash or a bad
// access.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "pictures/png/png_bitmap.h"

namespace {

// Headers may claim any size; pictures beyond this many pixels are only opened, so that a run
// does not spend its time and memory on allocations that the stream can never fill.
constexpr std::uint64_t maxPixels = std::uint64_t{1} << 22;

void decodeOpened(PngDecoder& decoder) {
  if (!decodePngImage(decoder)) {
    if (decoder.rawImage || decoder.stage != pngHeaderRead) __builtin_trap();
    return;
  }
  PngBitmapLayout layout;
  if (!describePngBitmap(decoder, pngNativeFormat, layout)) return;
  auto* bits = static_cast<std::uint8_t*>(std::malloc(layout.bitsSize));
  if (!bits) return;
  const bool written = writePngImage(decoder, bits, layout.bitsSize);
  if (written != (decoder.errorCode == pngOk)) __builtin_trap();
  std::free(bits);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PngDecoder decoder;
  resetPngDecoder(decoder);
  if (openPngMemory(decoder, data, static_cast<std::uint32_t>(size))) {
    if (std::uint64_t{decoder.width} * decoder.height <= maxPixels) decodeOpened(decoder);
  } else if (decoder.stage != pngEmpty || decoder.sourceKind != pngNoSource) {
    __builtin_trap();
  }
  releasePngDecoder(decoder);
  return 0;
}
