#include "pictures/png/png_rows.h"

#include <cstddef>
#include <cstring>

void copyPixels1(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width) {
  std::memcpy(out, row, (std::size_t{width} + 7) / 8);
}

void copyPixels4(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width) {
  std::memcpy(out, row, (std::size_t{width} + 1) / 2);
}

void copyPixels8(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width) {
  std::memcpy(out, row, width);
}

void widenPixels2(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width) {
  // One PNG byte holds pixels a b c d (2 bits each) and becomes 0a 0b, 0c 0d (4 bits each).
  const std::size_t fullBytes = width / 4;
  for (std::size_t i = 0; i < fullBytes; ++i) {
    const unsigned pixels = row[i];
    out[2 * i] = static_cast<std::uint8_t>((pixels >> 2 & 0x30) | (pixels >> 4 & 0x03));
    out[2 * i + 1] = static_cast<std::uint8_t>((pixels << 2 & 0x30) | (pixels & 0x03));
  }
  const unsigned rest = width % 4;
  if (rest == 0) return;
  const unsigned pixels = row[fullBytes];
  out[2 * fullBytes] = static_cast<std::uint8_t>((pixels >> 2 & 0x30) | (pixels >> 4 & 0x03));
  if (rest == 3)
    out[2 * fullBytes + 1] = static_cast<std::uint8_t>((pixels << 2 & 0x30) | (pixels & 0x03));
}

void keepFirstByteOf2(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width) {
  for (std::size_t i = 0; i < width; ++i) out[i] = row[2 * i];
}

void keepFirstByteOf4(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width) {
  for (std::size_t i = 0; i < width; ++i) out[i] = row[4 * i];
}

void rgbToBgr8(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width) {
  for (std::size_t i = 0; i < width; ++i, row += 3, out += 3) {
    out[0] = row[2];
    out[1] = row[1];
    out[2] = row[0];
  }
}

void rgbToBgr16(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width) {
  for (std::size_t i = 0; i < width; ++i, row += 6, out += 3) {
    out[0] = row[4];
    out[1] = row[2];
    out[2] = row[0];
  }
}

void rgbaToBgra8(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width) {
  for (std::size_t i = 0; i < width; ++i, row += 4, out += 4) {
    out[0] = row[2];
    out[1] = row[1];
    out[2] = row[0];
    out[3] = row[3];
  }
}

void rgbaToBgra16(const std::uint8_t* row, std::uint8_t* out, std::uint32_t width) {
  for (std::size_t i = 0; i < width; ++i, row += 8, out += 4) {
    out[0] = row[4];
    out[1] = row[2];
    out[2] = row[0];
    out[3] = row[6];
  }
}
