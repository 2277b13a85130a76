#pragma once

#include <windows.h>

#include "pictures/png/png_decoder.h"

// The Windows side of the PNG decoder: PNG pictures stored as RT_RCDATA resources, and the DIB
// sections they become.

// Attaches the RT_RCDATA resource `resourceId` of `module` (it stays owned by the module) and
// reads the PNG header and chunk list. False with pngAlreadyOpen, pngResourceMissing,
// pngResourceUnloadable (not loadable, or empty) or the header's error.
bool openPngResource(PngDecoder& decoder, HMODULE module, int resourceId);

// Makes a DIB section of the decoded image, compatible with the device context of `window`
// (0: the screen). `format` must be pngNativeFormat (-1) and `mode` 0 (a DIB section filled in
// place). The caller owns the bitmap. Null on failure, with errorCode set: pngWrongStage,
// pngBadFormat, pngBitmapFailed, or writePngImage's error.
HBITMAP makePngBitmap(PngDecoder& decoder, HWND window, int format, int mode);
