#include "pictures/picture_loader_win.h"

#include <ole2.h>
#include <olectl.h>

#include <cstdio>
#include <cstring>

#include "pictures/fit_size.h"
#include "pictures/png/png_bitmap_win.h"

namespace {

constexpr char pngCaption[] = "APPNAME";

// The unscaled bitmap is not kept once the fitted one exists.
HBITMAP fitAndRelease(HBITMAP bitmap, int boxWidth, int boxHeight) {
  HBITMAP fitted = fitBitmap(bitmap, boxWidth, boxHeight);
  if (bitmap) DeleteObject(bitmap);
  return fitted;
}

// A memory stream over a copy of the bytes; the stream frees the copy when released.
IStream* streamOver(const void* bytes, DWORD length) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length);
  if (!block) return nullptr;
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(target, bytes, length);
  GlobalUnlock(block);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
    GlobalFree(block);
    return nullptr;
  }
  return stream;
}

HBITMAP copyPictureBitmap(IPicture* picture) {
  OLE_HANDLE handle = 0;
  picture->get_Handle(&handle);
  HANDLE copy =
      CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0);
  if (!copy) {
    char message[128];
    std::snprintf(message, sizeof message, "%s plante avec l'erreur : %lu\n", "CopyImage",
                  static_cast<unsigned long>(GetLastError()));
    MessageBoxA(nullptr, message, "info", MB_OK | MB_ICONINFORMATION);
  }
  return static_cast<HBITMAP>(copy);
}

} // namespace

HBITMAP loadPicture(HMODULE module, int resourceId, const char* resourceType, int boxWidth,
                    int boxHeight) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), resourceType);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  if (!loaded) return loadPngPicture(module, resourceId, boxWidth, boxHeight);
  const void* bytes = LockResource(loaded);
  const DWORD length = SizeofResource(module, found);
  HBITMAP picture = bytes && length ? loadOlePicture(bytes, length) : nullptr;
  return fitAndRelease(picture, boxWidth, boxHeight);
}

HBITMAP loadOlePicture(const void* bytes, DWORD length) {
  const HRESULT com = CoInitialize(nullptr);
  HBITMAP bitmap = nullptr;
  if (IStream* stream = streamOver(bytes, length)) {
    IPicture* picture = nullptr;
    if (SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(length), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(&picture))) &&
        picture) {
      bitmap = copyPictureBitmap(picture);
      picture->Release();
    }
    stream->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return bitmap;
}

HBITMAP loadPngPicture(HMODULE module, int resourceId, int boxWidth, int boxHeight) {
  PngDecoder decoder;
  resetPngDecoder(decoder);
  HBITMAP bitmap = nullptr;
  if (!openPngResource(decoder, module, resourceId)) {
    // No such resource, or not a PNG picture: nothing to say.
  } else if (!decodePngImage(decoder)) {
    MessageBoxA(nullptr, "Error: couldn't decode PNG resource", pngCaption, MB_OK | MB_ICONERROR);
  } else if (!(bitmap = makePngBitmap(decoder, nullptr, -1, 0))) {
    MessageBoxA(nullptr, "Error: couldn't create bitmap", pngCaption, MB_OK | MB_ICONERROR);
  }
  releasePngDecoder(decoder);
  return bitmap ? fitAndRelease(bitmap, boxWidth, boxHeight) : nullptr;
}

HBITMAP fitBitmap(HBITMAP bitmap, int boxWidth, int boxHeight) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return nullptr;
  const FittedSize size = fitSize(info.bmWidth, info.bmHeight, boxWidth, boxHeight);
  if (size.width <= 0 || size.height <= 0) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP fitted = CreateCompatibleBitmap(screen, size.width, size.height);
  HGDIOBJ oldSource = SelectObject(source, bitmap);
  HGDIOBJ oldTarget = SelectObject(target, fitted);
  SetStretchBltMode(target, HALFTONE);
  SetBrushOrgEx(target, 0, 0, nullptr); // halftoning needs the brush origin reset
  StretchBlt(target, 0, 0, size.width, size.height, source, 0, 0, info.bmWidth, info.bmHeight,
             SRCCOPY);
  SelectObject(source, oldSource);
  SelectObject(target, oldTarget);
  DeleteDC(source);
  DeleteDC(target);
  ReleaseDC(nullptr, screen);
  return fitted;
}
