#pragma once

// The size of a picture fitted into a box with its proportions kept: the limiting side comes
// out at the box size, the other at most at it. Pictures smaller than the box are enlarged.
struct FittedSize {
  int width;
  int height;
};

FittedSize fitSize(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);
