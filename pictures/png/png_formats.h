#pragma once

#include <cstdint>

#include "pictures/png/png_decoder.h"

// The fifteen colour type and bit depth pairs that PNG defines, each with the bitmap it becomes:
// grey and grey-with-alpha images become palette bitmaps over a grey ramp, palette images keep
// their palette, colour images become 24- or 32-bit B, G, R (, A) bitmaps. Sixteen-bit samples
// keep their most significant byte; 2-bit pixels widen to 4 bits, since a bitmap has no 2-bit
// pixels.

// Converts one rebuilt PNG row of `width` pixels into bitmap pixels at `out`.
using PngRowConverter = void (*)(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width);

struct PngOutputFormat {
  std::uint8_t colourType; // PngColourType
  std::uint8_t bitDepth;   // PNG bits per sample
  std::uint8_t samples;    // PNG samples per pixel
  std::uint8_t bitmapBits; // bitmap bits per pixel: 1, 4, 8, 24 or 32
  std::uint16_t greyRamp;  // entries of the grey ramp colour table; 0: PLTE or no table
  PngRowConverter convert; // the row conversion into bitmap pixels
};

// The format of a colour type and bit depth pair, or null when PNG does not define the pair.
const PngOutputFormat* findPngOutputFormat(std::uint8_t colourType, std::uint8_t bitDepth);

// The Adam7 passes: pixels at columns xStart + k * xStep of rows yStart + n * yStep.
struct PngPass {
  std::uint8_t xStart, yStart, xStep, yStep;
};
inline constexpr PngPass adam7Passes[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

// Pixels of a pass along one side of `size` pixels (0 when the pass misses that side).
inline std::uint32_t pngPassExtent(std::uint32_t size, std::uint32_t start, std::uint32_t step) {
  return size > start ? (size - start - 1) / step + 1 : 0;
}

// Bytes of one filtered row of `width` pixels, without its filter byte.
inline std::uint64_t pngRowBytes(std::uint32_t width, unsigned bitsPerPixel) {
  return (std::uint64_t{width} * bitsPerPixel + 7) / 8;
}

// Bits per PNG pixel of the decoder's image (its format must be defined).
unsigned pngBitsPerPixel(const PngDecoder& decoder);

// Bytes of the inflated image: every row (of every non-empty pass) with its filter byte. May
// exceed 32 bits.
std::uint64_t pngRawImageSize(const PngDecoder& decoder);
