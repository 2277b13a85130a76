#include "pictures/png/png_decoder.h"

#include <cstdlib>
#include <cstring>

#include "pictures/png/png_chunks.h"
#include "pictures/png/png_formats.h"
#include "pictures/png/png_inflate.h"

namespace {

bool fail(PngDecoder& decoder, PngError error) {
  decoder.errorCode = error;
  return false;
}

// What the image data needs besides the header: the image chunks, and for a palette image a
// palette. A palette of more than 256 entries is malformed whatever the colour type.
bool imageChunksPresent(const PngDecoder& decoder) {
  if (!decoder.firstImageChunk) return false;
  if (decoder.paletteData && decoder.paletteSize > 256) return false;
  return decoder.colourType != pngPalette || (decoder.paletteData && decoder.paletteSize > 0);
}

} // namespace

bool resetPngDecoder(PngDecoder& decoder) {
  std::memset(&decoder, 0, sizeof decoder);
  return true;
}

bool openPngMemory(PngDecoder& decoder, const std::uint8_t* data, std::uint32_t size) {
  // One source per decoder: a second open would lose track of the first.
  if (decoder.stage != pngEmpty || decoder.sourceKind != pngNoSource)
    return fail(decoder, pngAlreadyOpen);
  decoder.errorCode = pngOk;
  decoder.sourceData = data;
  decoder.chunkCursor = data;
  decoder.sourceSize = size;
  decoder.sourceKind = pngBorrowedSource;
  if (!readPngHeader(decoder)) {
    decoder.sourceKind = pngNoSource; // readPngHeader set the error
    return false;
  }
  decoder.stage = pngHeaderRead;
  return true;
}

bool decodePngImage(PngDecoder& decoder) {
  if (decoder.stage != pngHeaderRead) return fail(decoder, pngWrongStage); // not open, or done
  // No IDAT, a palette image without a palette, or a palette of more than 256 entries.
  if (!imageChunksPresent(decoder)) return fail(decoder, pngBadData);
  const std::uint64_t rawSize = pngRawImageSize(decoder);
  // rawImageSize is 32 bits wide; such an image could not be held anyway.
  if (rawSize > 0xFFFFFFFFu) return fail(decoder, pngUnsupported);
  decoder.rawImageSize = static_cast<std::uint32_t>(rawSize);
  decoder.rawImage = static_cast<std::uint8_t*>(std::malloc(decoder.rawImageSize));
  if (!decoder.rawImage) return fail(decoder, pngOutOfMemory); // no room for the image data
  decoder.errorCode = pngBadData;
  if (!inflatePngImage(decoder)) {
    std::free(decoder.rawImage); // the stream is damaged: inflating failed (pngBadData)
    decoder.rawImage = nullptr;
    return false;
  }
  decoder.errorCode = pngOk;
  decoder.stage = pngInflated;
  return true;
}

bool releasePngDecoder(PngDecoder& decoder) {
  if (decoder.stage == pngInflated) std::free(decoder.rawImage);
  if (decoder.sourceKind == pngOwnedSource)
    std::free(const_cast<std::uint8_t*>(decoder.sourceData));
  return resetPngDecoder(decoder);
}
