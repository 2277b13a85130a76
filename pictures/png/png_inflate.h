#pragma once

#include "pictures/png/png_decoder.h"

// Inflates the zlib stream of the image data into rawImage, which must hold rawImageSize bytes.
// Succeeds only when the stream is whole and fills rawImage exactly. Reads nothing outside the
// readable chunks and writes nothing outside rawImage.
bool inflatePngImage(PngDecoder& decoder);
