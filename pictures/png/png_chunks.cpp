#include "pictures/png/png_chunks.h"

#include <cstddef>
#include <cstring>

#include "pictures/png/png_formats.h"

namespace {

constexpr std::uint8_t pngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr std::uint32_t minimumSourceSize = 16; // the signature and the framing of one chunk
constexpr std::uint32_t headerLength = 13;      // IHDR's fields
constexpr std::uint32_t firstLetterCase = 0x20000000u;
constexpr std::uint32_t fourthLetterCase = 0x20u;

constexpr std::uint32_t chunkType(const char (&letters)[5]) {
  return std::uint32_t(std::uint8_t(letters[0])) << 24 |
         std::uint32_t(std::uint8_t(letters[1])) << 16 |
         std::uint32_t(std::uint8_t(letters[2])) << 8 | std::uint8_t(letters[3]);
}

bool fail(PngDecoder& decoder, PngError error) {
  decoder.errorCode = error;
  return false;
}

// Records a chunk met while walking the list; false for a critical chunk of unknown type.
bool noteChunk(PngDecoder& decoder, const std::uint8_t* chunk) {
  switch (pngChunkKind(chunk)) {
  case PngChunkKind::palette:
    if (!decoder.paletteData) { // later PLTE chunks are ignored
      decoder.paletteData = pngChunkData(chunk);
      decoder.paletteSize = pngChunkLength(chunk) / 3;
    }
    return true;
  case PngChunkKind::imageData:
    if (!decoder.firstImageChunk) decoder.firstImageChunk = chunk;
    return true;
  case PngChunkKind::unknownCritical: return false;
  default: return true; // a repeated IHDR, IEND (which does not end the walk), ancillary chunks
  }
}

// IHDR's methods and the colour type and bit depth pair.
bool headerFieldsSupported(const PngDecoder& decoder) {
  const std::uint8_t compressionMethod = decoder.headerData[10];
  const std::uint8_t filterMethod = decoder.headerData[11];
  return findPngOutputFormat(decoder.colourType, decoder.bitDepth) && compressionMethod == 0 &&
         filterMethod == 0 && decoder.interlaceMethod <= 1;
}

} // namespace

bool pngChunkReadable(const PngDecoder& decoder, const std::uint8_t* chunk) {
  const std::size_t remaining =
      static_cast<std::size_t>(decoder.sourceData + decoder.sourceSize - chunk);
  // Subtracting first keeps a length near 2^32 from wrapping the sum.
  return remaining >= 12 && pngChunkLength(chunk) <= remaining - 12;
}

PngChunkKind pngChunkKind(const std::uint8_t* chunk) {
  const std::uint32_t type = pngBigEndian32(chunk + 4);
  switch (type & ~firstLetterCase) {
  case chunkType("IHDR"): return PngChunkKind::header;
  case chunkType("PLTE"): return PngChunkKind::palette;
  case chunkType("IDAT"): return PngChunkKind::imageData;
  case chunkType("IEND"): return PngChunkKind::end;
  default:
    return (type & firstLetterCase) ? PngChunkKind::ancillary : PngChunkKind::unknownCritical;
  }
}

bool pngContinuesImageData(const std::uint8_t* chunk) {
  return (pngBigEndian32(chunk + 4) & ~fourthLetterCase) == chunkType("IDAT");
}

bool readPngHeader(PngDecoder& decoder) {
  decoder.chunkCursor = nullptr;
  decoder.headerData = nullptr;
  decoder.firstImageChunk = nullptr;
  decoder.paletteData = nullptr;
  decoder.errorCode = pngOk;
  // Too short to hold a chunk, or not the PNG signature.
  if (decoder.sourceSize < minimumSourceSize ||
      std::memcmp(decoder.sourceData, pngSignature, sizeof pngSignature) != 0)
    return fail(decoder, pngBadData);
  const std::uint8_t* header = decoder.sourceData + sizeof pngSignature;
  // The first chunk must be a whole IHDR, with all 13 bytes of its fields.
  if (!pngChunkReadable(decoder, header) || pngChunkKind(header) != PngChunkKind::header ||
      pngChunkLength(header) < headerLength)
    return fail(decoder, pngBadData);
  decoder.headerData = pngChunkData(header);
  decoder.width = pngBigEndian32(decoder.headerData);
  decoder.height = pngBigEndian32(decoder.headerData + 4);
  // An image without pixels.
  if (decoder.width == 0 || decoder.height == 0) return fail(decoder, pngBadData);

  // The walk stops quietly at the first chunk that is not readable.
  for (decoder.chunkCursor = pngNextChunk(header); pngChunkReadable(decoder, decoder.chunkCursor);
       decoder.chunkCursor = pngNextChunk(decoder.chunkCursor)) {
    // A critical chunk this decoder does not know could change the meaning of the image.
    if (!noteChunk(decoder, decoder.chunkCursor)) return fail(decoder, pngUnsupported);
  }

  decoder.bitDepth = decoder.headerData[8];
  decoder.colourType = decoder.headerData[9];
  decoder.interlaceMethod = decoder.headerData[12];
  // A pair or a method that PNG does not define.
  if (!headerFieldsSupported(decoder)) return fail(decoder, pngUnsupported);
  return true;
}
