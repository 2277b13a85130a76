#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/png_test_support.h"

// Small but whole pictures and clips, as the packer's checks want them: each header complete.
namespace samples {

using Bytes = std::vector<std::uint8_t>;

inline std::uint8_t byte(unsigned value) {
  return static_cast<std::uint8_t>(value);
}

// SOI, an APP0 stub, a one-component frame header (baseline C0 or progressive C2), a scan of
// two bytes of data, EOI.
inline Bytes jpeg(std::uint16_t width, std::uint16_t height, std::uint8_t frame = 0xC0) {
  Bytes b = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 'J', 'F', 0xFF, frame, 0, 11, 8};
  b.insert(b.end(), {byte(height >> 8), byte(height), byte(width >> 8), byte(width)});
  b.insert(b.end(), {1, 1, 0x11, 0, 0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0, 0x12, 0x34, 0xFF, 0xD9});
  return b;
}

// The JPEG with an EXIF block right after SOI: APP1, "Exif", a little-endian TIFF header whose
// directory (at 8) has one entry, the orientation (tag 0x0112, one SHORT), and no next one.
inline Bytes withOrientation(const Bytes& jpeg, int orientation) {
  std::string exif("\xFF\xE1\0\x22"
                   "Exif\0\0"
                   "II\x2A\0\x08\0\0\0"
                   "\1\0\x12\1\3\0\1\0\0\0?\0\0\0"
                   "\0\0\0\0",
                   36);
  exif[28] = static_cast<char>(orientation);
  Bytes b(jpeg.begin(), jpeg.begin() + 2);
  b.insert(b.end(), exif.begin(), exif.end());
  b.insert(b.end(), jpeg.begin() + 2, jpeg.end());
  return b;
}

// A 2 × 1 GIF with a two-colour table; `transparent` adds a Graphic Control Extension.
inline Bytes gif(bool transparent = false) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255};
  if (transparent) b.insert(b.end(), {0x21, 0xF9, 4, 1, 0, 0, 0, 0});
  b.insert(b.end(), {0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B});
  return b;
}

// A 24-bit BMP, bottom-up, of `pixels` (red, green, blue per pixel, top row first); a blue
// pixel without arguments.
inline Bytes bmp(std::uint32_t width = 1, std::uint32_t height = 1,
                 const Bytes& pixels = {0, 0, 255}) {
  const std::uint32_t row = (width * 3 + 3) / 4 * 4, size = 54 + row * height;
  Bytes b = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0};
  b.resize(54, 0);
  for (int i = 0; i < 4; ++i) {
    b[2 + i] = static_cast<std::uint8_t>(size >> 8 * i);
    b[18 + i] = static_cast<std::uint8_t>(width >> 8 * i);
    b[22 + i] = static_cast<std::uint8_t>(height >> 8 * i);
  }
  b[26] = 1;
  b[28] = 24;
  for (std::uint32_t y = height; y-- > 0;) {
    for (std::uint32_t x = 0; x < width; ++x)
      for (int c = 2; c >= 0; --c) b.push_back(pixels[(y * width + x) * 3 + c]);
    b.resize(b.size() + row - width * 3, 0);
  }
  return b;
}

// A grey PNG (or RGBA, alpha 0) of any size, every pixel the same.
inline Bytes png(std::uint32_t width, std::uint32_t height, bool alpha = false) {
  Bytes rows;
  for (std::uint32_t y = 0; y < height; ++y) {
    rows.push_back(0);
    for (std::uint32_t x = 0; x < width; ++x) {
      rows.push_back(128);
      if (alpha) rows.insert(rows.end(), {128, 128, 0});
    }
  }
  return pngWithZlib(ihdrData(width, height, 8, alpha ? 6 : 0), zlibCompress(rows));
}

inline Bytes riff(const char* form, const std::string& chunks) {
  Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0};
  b.insert(b.end(), form, form + 4);
  b.insert(b.end(), chunks.begin(), chunks.end());
  b[4] = static_cast<std::uint8_t>(b.size() - 8);
  return b;
}

// A WAV of 4 silent samples: "fmt " (16 bytes of PCM format, or of the coding `tag`) and
// "data". The extensible format (tag 0xFFFE) gets the 40-byte "fmt " that names `subTag`.
inline Bytes wav(std::uint16_t tag = 1, std::uint16_t subTag = 1) {
  std::string format("\1\0\1\0\x40\x1F\0\0\x40\x1F\0\0\1\0\x08\0", 16);
  format[0] = static_cast<char>(tag);
  format[1] = static_cast<char>(tag >> 8);
  if (tag == 0xFFFE)
    format += std::string("\x16\0\x08\0\0\0\0\0", 8) + char(subTag) + char(subTag >> 8) +
              std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14);
  return riff("WAVE", "fmt " + std::string(1, char(format.size())) + std::string("\0\0\0", 3) +
                          format + std::string("data\4\0\0\0\x80\x80\x80\x80", 12));
}

// An AVI with its header list.
inline Bytes avi() {
  return riff("AVI ", std::string("LIST\4\0\0\0hdrl", 12));
}

// An MP3: an ID3v2.3 tag of 4 zero bytes, then one MPEG-1 layer III frame (128 kbit/s,
// 44.1 kHz: 417 bytes).
inline Bytes mp3() {
  Bytes b = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0xFF, 0xFB, 0x90, 0x00};
  b.resize(14 + 417, 0);
  return b;
}

} // namespace samples
