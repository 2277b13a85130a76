// Any bytes as a picture and as a clip that a quiz names: the checks never read outside them,
// and a picture they let through is one the player's PNG decoder (for PNG) decodes whole. The
// EXIF orientation read for fitting is always one of the eight.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tools/quiztool/media/clip_checks.h"
#include "tools/quiztool/media/exif_orientation.h"
#include "tools/quiztool/media/picture_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  PictureFacts picture;
  const bool shown = checkPicture(bytes, picture).empty();
  if (shown && (picture.width == 0 || picture.height == 0 ||
                std::uint64_t{picture.width} * picture.height > maxPicturePixels))
    std::abort(); // a picture without a size, or too large, must be refused
  const int orientation = jpegOrientation(bytes);
  if (orientation < 1 || orientation > 8) std::abort();
  ClipFacts clip;
  if (checkClip(bytes, clip).empty() && clip.format[0] == '\0') std::abort();
  return 0;
}
