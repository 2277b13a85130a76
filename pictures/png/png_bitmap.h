#pragma once

#include <cstddef>
#include <cstdint>

#include "pictures/png/png_decoder.h"

// The bitmap a decoded PNG image becomes, as plain data: what CreateDIBSection is given and
// what its bits hold. Rows run from the top down (negative height) and are padded to a multiple
// of 4 bytes.

constexpr int pngNativeFormat = -1; // the only output format: the image's own (png_formats.h)
constexpr std::uint32_t pngBitmapHeaderSize = 40;

// The fields of a BITMAPINFOHEADER, in its order.
struct PngBitmapHeader {
  std::uint32_t size;         // 40
  std::int32_t width;         // the image width
  std::int32_t height;        // minus the image height: rows from top to bottom
  std::uint16_t planes;       // 1
  std::uint16_t bitCount;     // bits per pixel: 1, 4, 8, 24 or 32
  std::uint32_t compression;  // BI_RGB (0)
  std::uint32_t sizeImage;    // 0
  std::int32_t xPelsPerMeter; // 0
  std::int32_t yPelsPerMeter; // 0
  std::uint32_t clrUsed;      // entries of a grey ramp, 0 otherwise (2^bitCount entries)
  std::uint32_t clrImportant; // 0
};

struct PngBitmapLayout {
  PngBitmapHeader header;
  std::uint32_t tableEntries;       // colour table entries that follow the header: clrUsed,
                                    // or 2^bitCount for a palette, 0 above 8 bits
  std::uint8_t colourTable[256][4]; // B, G, R, 0 each; entries past a short PLTE are 0
  std::uint32_t rowStride;          // bytes from one bitmap row to the next
  std::uint32_t bitsSize;           // rowStride * height
};

// Describes the bitmap of an open image (stage pngHeaderRead or later). False with
// pngWrongStage before that, pngBadFormat for any format but pngNativeFormat or for an image
// whose bitmap sizes do not fit (width or height above 2^31 - 1, bits above 2^32 - 1 bytes).
bool describePngBitmap(PngDecoder& decoder, int format, PngBitmapLayout& layout);

// Bytes of the header and colour table as a BITMAPINFO holds them.
inline std::size_t pngBitmapInfoSize(const PngBitmapLayout& layout) {
  return pngBitmapHeaderSize + 4 * std::size_t{layout.tableEntries};
}

// Stores the header (little-endian) and the colour table: pngBitmapInfoSize bytes.
void storePngBitmapInfo(const PngBitmapLayout& layout, std::uint8_t* out);

// Writes the decoded image (stage pngInflated) into `bits`, laid out as describePngBitmap says.
// Rebuilds the filtered rows with two row buffers and converts each straight into its bitmap
// row; Adam7 pixels are placed at their positions. False with pngWrongStage, pngBadFormat
// (no bits, or fewer than bitsSize bytes), pngOutOfMemory, or pngBadData for a filter type
// above 4 (the bits then hold part of the image).
bool writePngImage(PngDecoder& decoder, std::uint8_t* bits, std::size_t bitsSize);
