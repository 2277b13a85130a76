// The PNG decoder against libpng, each making the same bitmap bytes from the same file in
// memory: rows in B, G, R order, 16-bit samples cut to their high byte, palette indices kept.
// Run: build/<tree>/tests/bench/png_decoder_bench
#include <benchmark/benchmark.h>
#include <png.h>

#include <cmath>
#include <cstring>

#include "tests/unit/png_test_support.h"

namespace {

constexpr std::uint32_t benchWidth = 640;
constexpr std::uint32_t benchHeight = 480;

// A smooth picture with grain, like a photograph: gradients and waves plus a little noise.
std::uint8_t photoSample(std::uint32_t x, std::uint32_t y, int channel, std::uint32_t& noise) {
  noise = noise * 1103515245u + 12345u;
  const double wave = std::sin(x * 0.021 + channel) * std::cos(y * 0.017 - channel) * 60;
  const double value = 96 + x * 0.12 + y * 0.08 * (channel + 1) + wave + int(noise >> 28) - 8;
  return std::uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

RefImage benchImage(int colourType, int bitDepth, int interlace) {
  RefImage image;
  image.width = benchWidth;
  image.height = benchHeight;
  image.colourType = colourType;
  image.bitDepth = bitDepth;
  image.interlace = interlace;
  std::uint32_t noise = 7;
  const int samples = colourType == 2 ? 3 : 1;
  const int bytesPerSample = bitDepth / 8;
  for (std::uint32_t y = 0; y < benchHeight; ++y) {
    Bytes row;
    for (std::uint32_t x = 0; x < benchWidth; ++x) {
      for (int c = 0; c < samples; ++c) {
        std::uint8_t value = photoSample(x, y, c, noise);
        if (colourType == 3) value = std::uint8_t((value / 16) * 16 + (x / 40 + y / 30) % 16);
        row.push_back(value);
        if (bytesPerSample == 2) row.push_back(std::uint8_t(x ^ y));
      }
    }
    image.rows.push_back(row);
  }
  if (colourType == 3) {
    for (int i = 0; i < 256; ++i)
      image.palette.insert(image.palette.end(),
                           {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)});
  }
  return image;
}

const Bytes& benchFile(int which) {
  static const Bytes files[] = {
      writeWithLibpng(benchImage(2, 8, 0)),  // photo-like RGB
      writeWithLibpng(benchImage(3, 8, 0)),  // palette
      writeWithLibpng(benchImage(0, 16, 0)), // 16-bit grey
      writeWithLibpng(benchImage(2, 8, 1)),  // interlaced RGB
  };
  return files[which];
}

const char* const benchNames[] = {"photo RGB 640x480", "palette 640x480", "grey16 640x480",
                                  "interlaced RGB 640x480"};

void decodeWithQuiz(benchmark::State& state) {
  const Bytes& png = benchFile(int(state.range(0)));
  Bytes bits;
  for (auto _ : state) {
    PngDecoder decoder;
    resetPngDecoder(decoder);
    PngBitmapLayout layout;
    bool ok = openPngMemory(decoder, png.data(), std::uint32_t(png.size())) &&
              decodePngImage(decoder) && describePngBitmap(decoder, pngNativeFormat, layout);
    if (ok) {
      bits.resize(layout.bitsSize);
      ok = writePngImage(decoder, bits.data(), bits.size());
    }
    releasePngDecoder(decoder);
    if (!ok) state.SkipWithError("decoding failed");
    benchmark::DoNotOptimize(bits.data());
  }
  state.SetLabel(benchNames[state.range(0)]);
  state.SetBytesProcessed(std::int64_t(state.iterations()) * benchWidth * benchHeight);
}

struct MemoryInput {
  const Bytes* bytes;
  std::size_t position;
};

void readMemory(png_structp png, png_bytep data, png_size_t size) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (size > input->bytes->size() - input->position) png_error(png, "past the end");
  std::memcpy(data, input->bytes->data() + input->position, size);
  input->position += size;
}

// libpng with the transformations that give the same bitmap rows (stride padded to 4).
bool libpngDecode(const Bytes& file, Bytes& bits, std::vector<png_bytep>& rows) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  MemoryInput input{&file, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &input, readMemory);
  png_read_info(png, info);
  png_set_strip_16(png);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const std::size_t stride = (png_get_rowbytes(png, info) + 3) & ~std::size_t{3};
  const std::uint32_t height = png_get_image_height(png, info);
  bits.resize(stride * height);
  rows.resize(height);
  for (std::uint32_t y = 0; y < height; ++y) rows[y] = bits.data() + y * stride;
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

void decodeWithLibpng(benchmark::State& state) {
  const Bytes& png = benchFile(int(state.range(0)));
  Bytes bits;
  std::vector<png_bytep> rows;
  for (auto _ : state) {
    if (!libpngDecode(png, bits, rows)) state.SkipWithError("libpng failed");
    benchmark::DoNotOptimize(bits.data());
  }
  state.SetLabel(benchNames[state.range(0)]);
  state.SetBytesProcessed(std::int64_t(state.iterations()) * benchWidth * benchHeight);
}

BENCHMARK(decodeWithQuiz)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(decodeWithLibpng)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
