// The PNG decoder against libpng, each making the same bitmap bytes from the same file in
// memory: rows in B, G, R (A) order, 16-bit samples cut to their high byte, palette indices
// kept. The images are 1024 x 768 and photo-like: fractal noise (every scale of detail, as in a
// photograph) with per-pixel grain, written by libpng at its default level and filters, so the
// compressed data has the statistics of real pictures, not of smooth gradients.
//
// libpng does the same work as the decoder: its CRC checks and its Adler-32 check are turned
// off (the decoder reads neither). The "checked" variant keeps libpng's defaults, for context.
// Throughput is MB/s of bitmap bytes written.
//
// Run (the defaults interleave the runs at random and report medians of 9 repetitions):
//   build/native/tests/bench/png_decoder_bench
//   build/native/tests/bench/png_decoder_bench --benchmark_out=png.json
//   tests/bench/png_ratios.py png.json
#include <benchmark/benchmark.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/unit/png_test_support.h"

namespace {

constexpr std::uint32_t benchWidth = 1024;
constexpr std::uint32_t benchHeight = 768;

std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  std::uint32_t h = x * 0x8DA6B343u ^ y * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  return h;
}

// Value noise of one scale: random values on a lattice of `cell` pixels, blended smoothly.
double latticeNoise(double x, double y, std::uint32_t cell, std::uint32_t seed) {
  const double fx = x / cell, fy = y / cell;
  const auto x0 = std::uint32_t(fx), y0 = std::uint32_t(fy);
  const double tx = fx - x0, ty = fy - y0;
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  auto at = [&](std::uint32_t i, std::uint32_t j) { return hash(i, j, seed) / 4294967296.0; };
  const double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
  const double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
  return top + (bottom - top) * sy - 0.5;
}

// Fractal noise: every scale from 256 pixels down to 2, each octave half as strong, so the
// amplitude falls with frequency as it does in natural scenes. About -0.5 .. 0.5.
double fractalNoise(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  double sum = 0, amplitude = 0.5;
  for (std::uint32_t cell = 256; cell >= 2; cell /= 2, amplitude *= 0.55)
    sum += amplitude * latticeNoise(x, y, cell, seed + cell);
  return sum;
}

std::uint8_t clampByte(double value) {
  return std::uint8_t(value < 0 ? 0 : value > 255 ? 255 : std::lround(value));
}

// A photo-like pixel: a shared brightness field with weaker colour fields (channels of a
// photograph are strongly correlated), plus sensor grain. `channel` 3 is a soft alpha mask.
double photoValue(std::uint32_t x, std::uint32_t y, int channel) {
  const double grain = (int(hash(x, y, 99 + channel) >> 27) - 16) * 0.35;
  if (channel == 3) return 255 * (0.75 + 1.6 * fractalNoise(x, y, 77)) + grain;
  return 128 + 300 * fractalNoise(x, y, 1) + 90 * fractalNoise(x, y, 10 + channel) + grain;
}

// 6 x 7 x 6 colour cube (252 entries) with ordered dithering, as a palette photo has.
std::uint8_t paletteIndex(std::uint32_t x, std::uint32_t y) {
  static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  const double dither = (bayer[y % 4][x % 4] + 0.5) / 16 - 0.5;
  const int levels[3] = {6, 7, 6};
  int index = 0;
  for (int c = 0; c < 3; ++c) {
    const double v = photoValue(x, y, c) / 255 * (levels[c] - 1) + dither;
    index = index * levels[c] + int(v < 0 ? 0 : v > levels[c] - 1 ? levels[c] - 1 : std::lround(v));
  }
  return std::uint8_t(index);
}

RefImage benchImage(int colourType, int bitDepth, int interlace) {
  RefImage image;
  image.width = benchWidth;
  image.height = benchHeight;
  image.colourType = colourType;
  image.bitDepth = bitDepth;
  image.interlace = interlace;
  const int samples = colourType == 2 ? 3 : colourType == 6 ? 4 : 1;
  for (std::uint32_t y = 0; y < benchHeight; ++y) {
    Bytes row;
    for (std::uint32_t x = 0; x < benchWidth; ++x) {
      if (colourType == 3) {
        row.push_back(paletteIndex(x, y));
      } else if (colourType == 0) { // 16-bit grey: the low byte holds real detail and noise
        const double grey = (photoValue(x, y, 0) + photoValue(x, y, 1)) * 128;
        const auto value = std::uint16_t(grey < 0 ? 0 : grey > 65535 ? 65535 : grey);
        row.insert(row.end(), {std::uint8_t(value >> 8), std::uint8_t(value)});
      } else {
        for (int c = 0; c < samples; ++c) row.push_back(clampByte(photoValue(x, y, c)));
      }
    }
    image.rows.push_back(row);
  }
  const int levels[3] = {6, 7, 6};
  for (int i = 0; colourType == 3 && i < 252; ++i) {
    const int r = i / 42, g = i / 6 % 7, b = i % 6;
    image.palette.insert(image.palette.end(), {std::uint8_t(r * 255 / (levels[0] - 1)),
                                               std::uint8_t(g * 255 / (levels[1] - 1)),
                                               std::uint8_t(b * 255 / (levels[2] - 1))});
  }
  return image;
}

struct BenchImage {
  const char* name;
  int colourType, bitDepth, interlace;
};
constexpr BenchImage benchImages[] = {
    {"photo RGB", 2, 8, 0},    {"photo RGBA", 6, 8, 0}, {"palette", 3, 8, 0},
    {"grey 16-bit", 0, 16, 0}, {"Adam7 RGB", 2, 8, 1},
};
constexpr int benchImageCount = sizeof benchImages / sizeof benchImages[0];

const Bytes& benchFile(int which) {
  static Bytes files[benchImageCount];
  if (files[which].empty()) {
    const BenchImage& b = benchImages[which];
    files[which] = writeWithLibpng(benchImage(b.colourType, b.bitDepth, b.interlace));
  }
  return files[which];
}

bool quizDecode(const Bytes& png, Bytes& bits) {
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
  return ok;
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

// libpng with the transformations that give the same bitmap rows (stride padded to 4);
// `checked` keeps its CRC and Adler-32 checks.
bool libpngDecode(const Bytes& file, bool checked, Bytes& bits, std::vector<png_bytep>& rows) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  MemoryInput input{&file, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &input, readMemory);
  if (!checked) {
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
  }
  png_read_info(png, info);
  png_set_strip_16(png);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const std::size_t stride = (png_get_rowbytes(png, info) + 3) & ~std::size_t{3};
  const std::uint32_t height = png_get_image_height(png, info);
  bits.assign(stride * height, 0);
  rows.resize(height);
  for (std::uint32_t y = 0; y < height; ++y) rows[y] = bits.data() + y * stride;
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

void finish(benchmark::State& state, std::size_t bitmapBytes) {
  state.SetLabel(benchImages[state.range(0)].name);
  state.SetBytesProcessed(std::int64_t(state.iterations() * bitmapBytes));
}

void decodeWithQuiz(benchmark::State& state) {
  const Bytes& png = benchFile(int(state.range(0)));
  Bytes bits;
  for (auto _ : state) {
    if (!quizDecode(png, bits)) state.SkipWithError("decoding failed");
    benchmark::DoNotOptimize(bits.data());
  }
  finish(state, bits.size());
}

void decodeWithLibpng(benchmark::State& state, bool checked) {
  const Bytes& png = benchFile(int(state.range(0)));
  Bytes bits;
  std::vector<png_bytep> rows;
  for (auto _ : state) {
    if (!libpngDecode(png, checked, bits, rows)) state.SkipWithError("libpng failed");
    benchmark::DoNotOptimize(bits.data());
  }
  finish(state, bits.size());
}

void decodeWithLibpngUnchecked(benchmark::State& state) {
  decodeWithLibpng(state, false);
}
void decodeWithLibpngChecked(benchmark::State& state) {
  decodeWithLibpng(state, true);
}

BENCHMARK(decodeWithQuiz)->DenseRange(0, benchImageCount - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(decodeWithLibpngUnchecked)
    ->DenseRange(0, benchImageCount - 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(decodeWithLibpngChecked)
    ->DenseRange(0, benchImageCount - 1)
    ->Unit(benchmark::kMillisecond);

// Before timing: both sides must make the same bitmap bytes from every image (padding
// included: both start from zeroed rows).
bool sameBitmaps() {
  for (int i = 0; i < benchImageCount; ++i) {
    Bytes ours, theirs;
    std::vector<png_bytep> rows;
    if (!quizDecode(benchFile(i), ours) || !libpngDecode(benchFile(i), false, theirs, rows) ||
        ours != theirs) {
      std::fprintf(stderr, "%s: the two bitmaps differ\n", benchImages[i].name);
      return false;
    }
    std::printf("%s: %zu bytes of PNG, %zu bytes of bitmap\n", benchImages[i].name,
                benchFile(i).size(), ours.size());
  }
  return true;
}

} // namespace

// Runs interleaved at random, 9 repetitions, medians and spreads only, unless the command line
// says otherwise (later flags win).
int main(int argc, char** argv) {
  std::vector<char*> args{argv[0]};
  std::string defaults[] = {"--benchmark_enable_random_interleaving=true",
                            "--benchmark_repetitions=9", "--benchmark_report_aggregates_only=true",
                            "--benchmark_min_time=0.5"};
  for (std::string& flag : defaults) args.push_back(flag.data());
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  int count = int(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  if (!sameBitmaps()) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
