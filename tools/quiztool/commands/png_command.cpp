// quiztool png: decodes a PNG file with the player's decoder and writes the bitmap it makes as a
// BMP file, so that what the player would show can be looked at and compared.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <new>
#include <vector>

#include "pictures/png/png_bitmap.h"
#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/media/media_file.h"
#include "tools/quiztool/media/picture_checks.h"
#include "tools/quiztool/platform/file_io.h"

namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::uintmax_t maxPngFileBytes = 64u << 20; // reading stays bounded too

void storeLittle32(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// BITMAPFILEHEADER ("BM", file size, two reserved words, offset of the bits), then the
// BITMAPINFO and the bits as the player's DIB section holds them: top-down rows (negative
// height), padded to 4 bytes.
std::vector<std::uint8_t> bmpFile(const PngBitmapLayout& layout, const std::uint8_t* bits) {
  const std::size_t bitsOffset = fileHeaderSize + pngBitmapInfoSize(layout);
  std::vector<std::uint8_t> file(bitsOffset + layout.bitsSize);
  file[0] = 'B';
  file[1] = 'M';
  storeLittle32(&file[2], static_cast<std::uint32_t>(file.size()));
  storeLittle32(&file[10], static_cast<std::uint32_t>(bitsOffset));
  storePngBitmapInfo(layout, &file[fileHeaderSize]);
  std::copy(bits, bits + layout.bitsSize, file.begin() + static_cast<std::ptrdiff_t>(bitsOffset));
  return file;
}

} // namespace

int runPng(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quiztool png IN.png OUT.bmp\n");
    return 2;
  }
  std::vector<std::uint8_t> png, bmp;
  std::string problem;
  if (!readMediaFile(argv[0], maxPngFileBytes, png, problem)) {
    std::fprintf(stderr, "png: %s %s\n", argv[0], problem.c_str());
    return 1;
  }
  std::uint32_t error = 0;
  PngBitmapLayout layout;
  std::vector<std::uint8_t> bits;
  if (decodePngBounded(png, layout, bits, error)) {
    try {
      bmp = bmpFile(layout, bits.data());
    } catch (const std::bad_alloc&) {
      error = pngOutOfMemory;
    }
  }
  if (bmp.empty()) {
    std::fprintf(stderr, "png failed: 0x%x\n", static_cast<unsigned>(error));
    return 1;
  }
  return writeWholeFile(argv[1], bmp) ? 0 : 1;
}
