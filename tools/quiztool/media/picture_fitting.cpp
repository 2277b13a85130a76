// Pictures larger than the player shows them, fitted into its 260 x 260 box when packed.
#include "tools/quiztool/media/picture_fitting.h"

#include <cstring>
#include <memory>

#include <stb_image.h>
#include <stb_image_resize.h>
#include <stb_image_write.h>

#include "pictures/fit_size.h"
#include "tools/quiztool/media/exif_orientation.h"

namespace {

enum class PictureKind { jpeg, png, bmp, other };

PictureKind kindOf(const std::vector<std::uint8_t>& bytes) {
  static const std::uint8_t pngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  if (bytes.size() >= 8 && std::memcmp(bytes.data(), pngSignature, 8) == 0) return PictureKind::png;
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
    return PictureKind::jpeg;
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return PictureKind::bmp;
  return PictureKind::other;
}

struct StbPixels {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

void appendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

// Shrinks in linear light (the sRGB curve undone and redone), with the Mitchell filter, edges
// clamped; an alpha channel is weighted as the filter weights colour with it.
bool shrink(const stbi_uc* pixels, int width, int height, int channels, FittedSize size,
            std::vector<std::uint8_t>& out) {
  out.resize(static_cast<std::size_t>(size.width) * size.height * channels);
  const int alpha = channels == 2 || channels == 4 ? channels - 1 : STBIR_ALPHA_CHANNEL_NONE;
  return stbir_resize_uint8_generic(pixels, width, height, 0, out.data(), size.width, size.height,
                                    0, channels, alpha, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_MITCHELL,
                                    STBIR_COLORSPACE_SRGB, nullptr) != 0;
}

// The shrunk pixels turned upright by their EXIF orientation (exif_orientation.h): pixel (x, y)
// of the upright picture is the stored picture's pixel (a, b), where (a, b) is (x, y), swapped
// for 5 to 8, then mirrored along the stored picture's width and height as each turn needs.
// Turning after shrinking gives the same pixels as before (the filter is symmetric) for less work.
std::vector<std::uint8_t> upright(const std::vector<std::uint8_t>& stored, FittedSize storedSize,
                                  int channels, int orientation) {
  const bool swap = orientation >= 5;
  const bool mirrorX = orientation == 2 || orientation == 3 || orientation == 7 || orientation == 8;
  const bool mirrorY = orientation == 3 || orientation == 4 || orientation == 6 || orientation == 7;
  const int w = storedSize.width, h = storedSize.height;
  const int width = swap ? h : w, height = swap ? w : h;
  std::vector<std::uint8_t> out(stored.size());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int a = swap ? y : x, b = swap ? x : y;
      const std::size_t from =
          (std::size_t(mirrorY ? h - 1 - b : b) * w + std::size_t(mirrorX ? w - 1 - a : a)) *
          channels;
      std::memcpy(&out[(std::size_t(y) * width + x) * channels], &stored[from], channels);
    }
  return out;
}

// A JPEG stays a JPEG; a PNG stays a PNG, and a BMP becomes one: lossless like the BMP, read by
// the player's own decoder, and a tenth of the BMP's size or less.
bool encode(PictureKind kind, const std::vector<std::uint8_t>& pixels, FittedSize size,
            int channels, std::vector<std::uint8_t>& out) {
  out.clear();
  if (kind == PictureKind::jpeg)
    return stbi_write_jpg_to_func(appendBytes, &out, size.width, size.height, channels,
                                  pixels.data(), fittedJpegQuality) != 0;
  return stbi_write_png_to_func(appendBytes, &out, size.width, size.height, channels, pixels.data(),
                                size.width * channels) != 0;
}

} // namespace

FittedPicture fitPictureForPlayer(const std::vector<std::uint8_t>& original) {
  FittedPicture result;
  const PictureKind kind = kindOf(original);
  if (kind == PictureKind::other || original.size() > INT32_MAX) return result;
  const auto* bytes = reinterpret_cast<const stbi_uc*>(original.data());
  const int length = static_cast<int>(original.size());
  const int orientation = kind == PictureKind::jpeg ? jpegOrientation(original) : 1;
  result.orientation = orientation;
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(bytes, length, &width, &height, &channels)) return result;
  result.width = width;
  result.height = height;
  const bool swap = orientation >= 5;
  const int uprightWidth = swap ? height : width, uprightHeight = swap ? width : height;
  FittedSize size = fitSize(uprightWidth, uprightHeight, playerPictureBox, playerPictureBox);
  // Only shrinking pays: a picture the player would keep or enlarge is stored as it is, unless
  // it must be turned upright, which it then is at its own size.
  const bool shrinks = size.width < uprightWidth || size.height < uprightHeight;
  if (!shrinks && orientation == 1) return result;
  if (!shrinks) size = {uprightWidth, uprightHeight};
  // JPEG has no alpha to keep, and a grey JPEG stays grey; a BMP's alpha is not shown.
  const int wanted = kind == PictureKind::bmp                    ? 3
                     : kind == PictureKind::jpeg && channels > 3 ? 3
                                                                 : channels;
  std::unique_ptr<stbi_uc, StbPixels> pixels(
      stbi_load_from_memory(bytes, length, &width, &height, &channels, wanted));
  if (!pixels) return result;
  const FittedSize storedSize = swap ? FittedSize{size.height, size.width} : size;
  std::vector<std::uint8_t> shrunk;
  if (!shrinks)
    shrunk.assign(pixels.get(), pixels.get() + std::size_t(width) * height * wanted);
  else if (!shrink(pixels.get(), width, height, wanted, storedSize, shrunk))
    return result;
  if (orientation != 1) shrunk = upright(shrunk, storedSize, wanted, orientation);
  // A fitted picture that is not smaller (a flat drawing a little over the box, a JPEG saved at
  // a lower quality) would only make the executable larger: the original stays, unless only
  // the fitted one stands upright.
  if (!encode(kind, shrunk, size, wanted, result.stored) ||
      (orientation == 1 && result.stored.size() >= original.size())) {
    result.stored.clear();
    return result;
  }
  result.fit = PictureFit::fitted;
  return result;
}
