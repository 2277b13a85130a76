#pragma once

// The size of a picture fitted into a box with its proportions kept: the limiting side comes
// out at the box size, the other at most at it and at least 1 pixel. Pictures smaller than the
// box are enlarged. A picture or a box without area gives 0 x 0.
struct FittedSize {
  int width;
  int height;
};

FittedSize fitSize(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);
