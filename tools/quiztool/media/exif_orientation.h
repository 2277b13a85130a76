#pragma once

#include <cstdint>
#include <vector>

// Cameras and phones store a photo as the sensor saw it and add an EXIF tag, "orientation",
// that tells viewers how to turn it upright. The player's picture loader ignores that tag, so
// pack turns such a picture itself (picture_fitting.h). The eight orientations say where the
// stored picture's first row and first column belong once it is upright:
//   1 as stored                   5 mirrored along the top-left to bottom-right diagonal
//   2 mirrored left to right      6 to be turned 90° clockwise (a phone held upright)
//   3 to be turned 180°           7 mirrored along the other diagonal
//   4 mirrored top to bottom      8 to be turned 90° anticlockwise
// 5 to 8 swap the width and the height.

// The orientation of a JPEG's EXIF block (its APP1 segment): 1 when it has none, or when the
// tag is missing, damaged or outside 1 to 8.
int jpegOrientation(const std::vector<std::uint8_t>& jpeg);

// A picture shown turned lies on its side (5 to 8), upside down (3, 4) or mirrored (2):
// what students see of it when the tag is ignored, for messages.
const char* howIgnoredOrientationShows(int orientation);
