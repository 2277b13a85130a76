#pragma once

#include <cstdint>

#include "pictures/png/png_decoder.h"

// Reading the chunk structure. A chunk is readable when at least its 12 bytes of framing remain
// from its start and its data and 4-byte CRC end within the source data; nothing is ever read
// from a chunk that is not readable.

enum class PngChunkKind { header, palette, imageData, end, ancillary, unknownCritical };

inline std::uint32_t pngBigEndian32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

inline std::uint32_t pngChunkLength(const std::uint8_t* chunk) {
  return pngBigEndian32(chunk);
}
inline const std::uint8_t* pngChunkData(const std::uint8_t* chunk) {
  return chunk + 8;
}

// The chunk that follows a readable chunk (it may lie at the very end of the data).
inline const std::uint8_t* pngNextChunk(const std::uint8_t* chunk) {
  return chunk + 12 + pngChunkLength(chunk);
}

// `chunk` must lie within the source data or at its end.
bool pngChunkReadable(const PngDecoder& decoder, const std::uint8_t* chunk);

// The kind of a chunk by its type, with bit 5 of the first letter ignored, so that the letter's
// case does not matter for the four known types.
PngChunkKind pngChunkKind(const std::uint8_t* chunk);

// Whether a chunk following image data continues it: its type is IDAT, with bit 5 of the
// fourth letter ignored.
bool pngContinuesImageData(const std::uint8_t* chunk);

// Checks the signature, reads IHDR and walks the chunk list, filling the header fields,
// paletteData, paletteSize, headerData and firstImageChunk. Sets errorCode and returns false on
// failure.
bool readPngHeader(PngDecoder& decoder);
