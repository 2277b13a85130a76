#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pictures fitted when a quiz is packed: the player shows every picture fitted into a 260 x 260
// box, so a larger picture is stored at that fitted size already (with its proportions, through
// a good resampling filter), and the player neither decodes nor shrinks the pixels it would
// throw away. A JPEG stays a JPEG (at high quality) and a PNG stays a PNG, so the player reads
// each by the same path as the original; a BMP becomes a PNG (lossless like it, and far
// smaller), which the player reads with its own decoder. A JPEG whose EXIF orientation says to
// turn it (exif_orientation.h) is stored turned upright, at its own size when it is not larger
// than the box, and without the tag: the player ignores the tag, and so would show the
// original on its side. Everything else is stored as it is: pictures already small enough,
// pictures whose fitted form would not be smaller in bytes, GIF (no writer here, and its
// transparent colour is the system loader's to draw), and anything this tool cannot read (the
// player reports it as before).

constexpr int playerPictureBox = 260;
constexpr int fittedJpegQuality = 95;

enum class PictureFit {
  unchanged, // `stored` is left empty: store the original
  fitted,    // `stored` holds the fitted picture
};

struct FittedPicture {
  PictureFit fit = PictureFit::unchanged;
  std::vector<std::uint8_t> stored;
  int width = 0, height = 0; // the original's size, when it could be read
  int orientation = 1;       // the original's EXIF orientation; a fitted picture is upright
};

FittedPicture fitPictureForPlayer(const std::vector<std::uint8_t>& original);
