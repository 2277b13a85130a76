#pragma once

#include <windows.h>

// A picture resource of the program as a new bitmap fitted into a box with its proportions
// kept; the caller owns the bitmap. "IMG" resources (JPEG, GIF) go through the system's picture
// loader; without one, the id is tried as a PNG picture stored as RT_RCDATA.
HBITMAP loadPicture(HMODULE module, int resourceId, const char* resourceType, int boxWidth,
                    int boxHeight);

// The picture at its own size, from its bytes, through OleLoadPicture; null when the system
// loader rejects it.
HBITMAP loadOlePicture(const void* bytes, DWORD length);

// RT_RCDATA resource `resourceId` decoded by the program's PNG decoder, fitted into the box.
HBITMAP loadPngPicture(HMODULE module, int resourceId, int boxWidth, int boxHeight);

// A new bitmap, compatible with the screen, of `bitmap` stretched with halftoning to the fitted
// size. `bitmap` stays the caller's.
HBITMAP fitBitmap(HBITMAP bitmap, int boxWidth, int boxHeight);
