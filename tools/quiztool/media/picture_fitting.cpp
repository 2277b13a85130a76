// Pictures larger than the player shows them, fitted into its 260 x 260 box when packed.
#include "tools/quiztool/media/picture_fitting.h"

#include <cstring>
#include <memory>

#include <stb_image.h>
#include <stb_image_resize.h>
#include <stb_image_write.h>

#include "pictures/fit_size.h"

namespace {

enum class PictureKind { jpeg, png, other };

PictureKind kindOf(const std::vector<std::uint8_t>& bytes) {
  static const std::uint8_t pngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  if (bytes.size() >= 8 && std::memcmp(bytes.data(), pngSignature, 8) == 0) return PictureKind::png;
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
    return PictureKind::jpeg;
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
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(bytes, length, &width, &height, &channels)) return result;
  result.width = width;
  result.height = height;
  const FittedSize size = fitSize(width, height, playerPictureBox, playerPictureBox);
  // Only shrinking pays: a picture the player would keep or enlarge is stored as it is.
  if (size.width >= width && size.height >= height) return result;
  // JPEG has no alpha to keep, and a grey JPEG stays grey.
  const int wanted = kind == PictureKind::jpeg && channels > 3 ? 3 : channels;
  std::unique_ptr<stbi_uc, StbPixels> pixels(
      stbi_load_from_memory(bytes, length, &width, &height, &channels, wanted));
  if (!pixels) return result;
  std::vector<std::uint8_t> shrunk;
  if (!shrink(pixels.get(), width, height, wanted, size, shrunk) ||
      !encode(kind, shrunk, size, wanted, result.stored) ||
      result.stored.size() >= original.size()) {
    // A fitted picture that is not smaller (a flat drawing a little over the box, a JPEG
    // saved at a lower quality) would only make the executable larger: the original stays.
    result.stored.clear();
    return result;
  }
  result.fit = PictureFit::fitted;
  return result;
}
