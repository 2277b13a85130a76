#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <stb_image.h>
#include <stb_image_write.h>

#include "tests/unit/media_samples.h"
#include "tests/unit/png_test_support.h"
#include "tests/unit/temp_folder.h"
#include "tools/quiztool/media/picture_fitting.h"

namespace {

// A picture of 4 x 3 flat colour blocks, so that the fitted picture's block centres show
// whether the colours, their order, the orientation and the proportions survived the fitting.
std::uint8_t blockSample(std::uint32_t x, std::uint32_t y, std::uint32_t width,
                         std::uint32_t height, int channel) {
  const std::uint32_t block = (y * 3 / height) * 4 + x * 4 / width;
  static constexpr std::uint8_t colours[12][4] = {
      {230, 20, 20, 255},   {20, 200, 40, 255}, {30, 40, 220, 255},   {240, 220, 30, 255},
      {250, 250, 250, 128}, {10, 10, 10, 255},  {120, 60, 200, 0},    {60, 180, 180, 255},
      {200, 120, 40, 255},  {90, 90, 90, 255},  {255, 150, 200, 255}, {0, 90, 40, 200}};
  return colours[block][channel];
}

RefImage blockImage(std::uint32_t width, std::uint32_t height, int colourType, int bitDepth) {
  RefImage image;
  image.width = width;
  image.height = height;
  image.colourType = colourType;
  image.bitDepth = bitDepth;
  const int samples = colourType == 2 ? 3 : colourType == 6 ? 4 : 1;
  for (std::uint32_t y = 0; y < height; ++y) {
    Bytes row;
    for (std::uint32_t x = 0; x < width; ++x)
      for (int c = 0; c < samples; ++c) {
        // Grey images take the green channel; 16-bit samples repeat the byte.
        const std::uint8_t value = blockSample(x, y, width, height, samples == 1 ? 1 : c);
        row.push_back(value);
        if (bitDepth == 16) row.push_back(value);
      }
    image.rows.push_back(row);
  }
  return image;
}

void appendTo(void* context, void* data, int size) {
  auto* out = static_cast<Bytes*>(context);
  out->insert(out->end(), static_cast<std::uint8_t*>(data),
              static_cast<std::uint8_t*>(data) + size);
}

// The block picture of `width` x `height` as a camera stores it before the EXIF orientation
// turns it upright. EXIF says where the stored first row and first column belong: 1 top and
// left, 2 top and right, 3 bottom and right, 4 bottom and left, 5 left and top, 6 right and
// top, 7 right and bottom, 8 left and bottom.
Bytes storedPixels(std::uint32_t width, std::uint32_t height, int orientation,
                   std::uint32_t& storedWidth, std::uint32_t& storedHeight) {
  static const char sides[9][3] = {"", "tl", "tr", "br", "bl", "lt", "rt", "rb", "lb"};
  const char row = sides[orientation][0], column = sides[orientation][1];
  const bool swapped = orientation >= 5;
  storedWidth = swapped ? height : width;
  storedHeight = swapped ? width : height;
  Bytes pixels;
  for (std::uint32_t sy = 0; sy < storedHeight; ++sy)
    for (std::uint32_t sx = 0; sx < storedWidth; ++sx) {
      std::uint32_t x = 0, y = 0; // where the stored row, then the stored column, belong
      switch (row) {
      case 't': y = sy; break;
      case 'b': y = height - 1 - sy; break;
      case 'l': x = sy; break;
      default: x = width - 1 - sy;
      }
      switch (column) {
      case 'l': x = sx; break;
      case 'r': x = width - 1 - sx; break;
      case 't': y = sx; break;
      default: y = height - 1 - sx;
      }
      for (int c = 0; c < 3; ++c) pixels.push_back(blockSample(x, y, width, height, c));
    }
  return pixels;
}

// A JPEG that shows the block picture upright once its EXIF orientation is applied; without
// an orientation, one stored upright and without EXIF.
Bytes blockJpeg(std::uint32_t width, std::uint32_t height, int quality = 95, int orientation = 0) {
  std::uint32_t storedWidth = 0, storedHeight = 0;
  const Bytes pixels =
      storedPixels(width, height, orientation ? orientation : 1, storedWidth, storedHeight);
  Bytes jpeg;
  stbi_write_jpg_to_func(appendTo, &jpeg, int(storedWidth), int(storedHeight), 3, pixels.data(),
                         quality);
  return orientation ? samples::withOrientation(jpeg, orientation) : jpeg;
}

Bytes blockBmp(std::uint32_t width, std::uint32_t height) {
  std::uint32_t storedWidth = 0, storedHeight = 0;
  return samples::bmp(width, height, storedPixels(width, height, 1, storedWidth, storedHeight));
}

// The fitted picture read back as 8-bit samples: PNG by the player's own decoder through
// libpng's rows (the reference reader), JPEG by stb_image.
bool readBack(const Bytes& file, bool jpeg, int& width, int& height, int& samples, Bytes& pixels) {
  if (jpeg) {
    stbi_uc* data =
        stbi_load_from_memory(file.data(), int(file.size()), &width, &height, &samples, 0);
    if (!data) return false;
    pixels.assign(data, data + std::size_t(width) * height * samples);
    stbi_image_free(data);
    return true;
  }
  const Decoded decoded = decodeBytes(file);
  RefImage image;
  if (decoded.reached != Reached::done || !readWithLibpng(file, image) || image.bitDepth != 8)
    return false;
  width = int(image.width);
  height = int(image.height);
  samples = image.colourType == 2 ? 3 : image.colourType == 6 ? 4 : image.colourType == 4 ? 2 : 1;
  for (const Bytes& row : image.rows) pixels.insert(pixels.end(), row.begin(), row.end());
  return true;
}

struct FitCase {
  std::string what;
  Bytes original;
  PictureFit fit;
  int width, height; // of the stored picture, when fitted
  int samples;       // 8-bit samples per pixel of the stored picture
  bool jpeg;
  bool smaller = true; // than the original: only a turned picture may be stored larger
};

TEST(PictureFitting, LargePicturesAreStoredFittedInTheirOwnKind) {
  std::vector<FitCase> cases = {
      {"RGB PNG 800x600", writeWithLibpng(blockImage(800, 600, 2, 8)), PictureFit::fitted, 260, 195,
       3, false},
      {"RGBA PNG 600x800", writeWithLibpng(blockImage(600, 800, 6, 8)), PictureFit::fitted, 195,
       260, 4, false},
      {"16-bit grey PNG 1040x520", writeWithLibpng(blockImage(1040, 520, 0, 16)),
       PictureFit::fitted, 260, 130, 1, false},
      {"JPEG 1000x750", blockJpeg(1000, 750), PictureFit::fitted, 260, 195, 3, true},
      {"PNG 200x100: the player enlarges it", writeWithLibpng(blockImage(200, 100, 2, 8)),
       PictureFit::unchanged},
      {"PNG 260x100: already fitted", writeWithLibpng(blockImage(260, 100, 2, 8)),
       PictureFit::unchanged},
      {"PNG 3000x2: the short side keeps a pixel", writeWithLibpng(blockImage(3000, 2, 2, 8)),
       PictureFit::fitted, 260, 1, 3, false},
      {"JPEG 300x200 of quality 20: fitted at 95 it would be larger", blockJpeg(300, 200, 20),
       PictureFit::unchanged},
      {"GIF", {'G', 'I', 'F', '8', '9', 'a', 0x20, 3, 0x20, 3, 0}, PictureFit::unchanged},
      {"a PNG signature and nothing readable",
       {137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0},
       PictureFit::unchanged},
      {"BMP 800x600: stored as a PNG", blockBmp(800, 600), PictureFit::fitted, 260, 195, 3, false},
      {"BMP 200x100: the player enlarges it", blockBmp(200, 100), PictureFit::unchanged},
      {"JPEG 200x100 to be turned 180 degrees: turned at its own size", blockJpeg(200, 100, 95, 3),
       PictureFit::fitted, 200, 100, 3, true, false},
      {"JPEG 120x260 to be turned 90 degrees, of quality 20: turned, though larger",
       blockJpeg(120, 260, 20, 6), PictureFit::fitted, 120, 260, 3, true, false},
  };
  // A phone's portrait photograph in each of the eight orientations a camera may store it in.
  for (int orientation = 1; orientation <= 8; ++orientation)
    cases.push_back({"JPEG 300x600 stored in orientation " + std::to_string(orientation),
                     blockJpeg(300, 600, 95, orientation), PictureFit::fitted, 130, 260, 3, true});
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_FALSE(c.original.empty());
    const FittedPicture fitted = fitPictureForPlayer(c.original);
    ASSERT_EQ(fitted.fit, c.fit);
    if (c.fit == PictureFit::unchanged) {
      EXPECT_TRUE(fitted.stored.empty());
      continue;
    }
    int width = 0, height = 0, samples = 0;
    Bytes pixels;
    ASSERT_TRUE(readBack(fitted.stored, c.jpeg, width, height, samples, pixels));
    if (c.smaller) {
      EXPECT_LT(fitted.stored.size(), c.original.size());
    }
    ASSERT_EQ(width, c.width);
    ASSERT_EQ(height, c.height);
    ASSERT_EQ(samples, c.samples);
    // Fitting it again finds nothing to shrink: the player keeps it at this size.
    EXPECT_EQ(fitPictureForPlayer(fitted.stored).fit, PictureFit::unchanged);
    // A picture of one row mixes the block rows: only the larger ones show their blocks.
    for (int block = 0; block < 12 && height > 1; ++block) {
      const int x = (block % 4 * 2 + 1) * width / 8, y = (block / 4 * 2 + 1) * height / 6;
      for (int s = 0; s < samples; ++s) {
        const int expected = blockSample(x, y, width, height, samples == 1 ? 1 : s);
        const int got = pixels[(std::size_t(y) * width + x) * samples + s];
        EXPECT_LE(std::abs(got - expected), c.jpeg ? 6 : 1) << "block " << block << " sample " << s;
      }
    }
  }
}

// ImageMagick's -auto-orient, an independent reading of the EXIF orientations, turns the same
// photographs to the same size and, within the two resampling filters' differences, the same
// pixels.
TEST(PictureFitting, TurnsPhotographsAsImageMagickDoes) {
  if (std::string(QUIZ_IMAGEMAGICK).empty()) GTEST_SKIP() << "no ImageMagick to compare with";
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  for (int orientation = 1; orientation <= 8; ++orientation) {
    SCOPED_TRACE("orientation " + std::to_string(orientation));
    const Bytes original = blockJpeg(300, 400, 95, orientation);
    const std::string in = folder.write("in.jpg", original), out = folder.path() + "out.ppm";
    const std::string command = std::string("'") + QUIZ_IMAGEMAGICK + "' '" + in +
                                "' -auto-orient -resize 260x260 -depth 8 'ppm:" + out + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    // A binary PPM: "P6", width, height, 255, one blank, then RGB rows.
    const Bytes ppm = readTestFile(out);
    int theirWidth = 0, theirHeight = 0, maximum = 0, header = 0;
    const std::string start(ppm.begin(), ppm.begin() + std::min<std::size_t>(ppm.size(), 32));
    ASSERT_EQ(
        std::sscanf(start.c_str(), "P6 %d %d %d%n", &theirWidth, &theirHeight, &maximum, &header),
        3);
    const FittedPicture fitted = fitPictureForPlayer(original);
    int width = 0, height = 0, samples = 0;
    Bytes pixels;
    ASSERT_TRUE(readBack(fitted.stored, true, width, height, samples, pixels));
    ASSERT_EQ(std::make_pair(width, height), std::make_pair(theirWidth, theirHeight));
    ASSERT_EQ(ppm.size(), std::size_t(header) + 1 + pixels.size());
    long difference = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i)
      difference += std::abs(int(pixels[i]) - int(ppm[header + 1 + i]));
    EXPECT_LT(double(difference) / double(pixels.size()), 2.0);
  }
}

} // namespace
