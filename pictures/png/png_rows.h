#pragma once

#include <cstdint>

// Row conversions from rebuilt PNG rows to bitmap pixels, one per output format (png_formats.h).
// Each reads whole samples of `width` pixels and writes exactly the bitmap bytes those pixels
// take (for sub-byte pixels, the last byte's unused low bits are written as they come).
// PNG and bitmap rows both pack sub-byte pixels from the most significant bit down.

void copyPixels1(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width);
void copyPixels4(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width);
void copyPixels8(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width);
// Each 2-bit pixel becomes a 4-bit pixel of the same value.
void widenPixels2(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width);
// The first byte of every 2 or 4: the most significant byte of a 16-bit grey sample, the grey
// of an 8-bit grey-with-alpha pixel, the grey's high byte of a 16-bit one (alpha is dropped).
void keepFirstByteOf2(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width);
void keepFirstByteOf4(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width);
void rgbToBgr8(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width);
void rgbToBgr16(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width);
// The alpha is kept as it is, not premultiplied.
void rgbaToBgra8(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width);
void rgbaToBgra16(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width);
