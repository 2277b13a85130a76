#include "pictures/fit_size.h"

FittedSize fitSize(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight) {
  // A picture without area has no proportions to keep, and a box without area holds nothing:
  // nothing to show (a negative scale would make negative sizes).
  if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) return {0, 0};
  const double scaleX = static_cast<double>(boxWidth) / pictureWidth;
  const double scaleY = static_cast<double>(boxHeight) / pictureHeight;
  const double scale = scaleX < scaleY ? scaleX : scaleY;
  // A very thin picture (sides more than 260:1 apart) would lose its short side to the
  // truncation and show nothing at all: a fitted side is at least one pixel.
  const int width = static_cast<int>(pictureWidth * scale);
  const int height = static_cast<int>(pictureHeight * scale);
  return {width < 1 ? 1 : width, height < 1 ? 1 : height};
}
