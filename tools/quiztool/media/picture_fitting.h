#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pictures fitted when a quiz is packed: the player shows every picture fitted into a 260 x 260
// box, so a larger picture is stored at that fitted size already (with its proportions, through
// a good resampling filter), and the player neither decodes nor shrinks the pixels it would
// throw away. A JPEG stays a JPEG (at high quality) and a PNG stays a PNG, so the player reads
// each by the same path as the original. Everything else is stored as it is: pictures already
// small enough, pictures whose fitted form would not be smaller in bytes, GIF (no writer here, and
// its transparent colour is the system loader's to draw), and anything this tool cannot read (the
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
};

FittedPicture fitPictureForPlayer(const std::vector<std::uint8_t>& original);
