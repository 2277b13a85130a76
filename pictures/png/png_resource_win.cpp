#include "pictures/png/png_bitmap.h"
#include "pictures/png/png_bitmap_win.h"

namespace {

constexpr int dibSectionMode = 0;

// A BITMAPINFO with room for a full colour table.
struct BitmapInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

} // namespace

bool openPngResource(PngDecoder& decoder, HMODULE module, int resourceId) {
  if (decoder.stage != pngEmpty || decoder.sourceKind != pngNoSource) {
    decoder.errorCode = pngAlreadyOpen; // one source per decoder
    return false;
  }
  decoder.errorCode = pngOk;
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(resourceId), RT_RCDATA);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = data ? SizeofResource(module, resource) : 0;
  if (!resource || !data || size == 0) {
    // No such resource; or it cannot be loaded, or it holds nothing.
    decoder.errorCode = resource ? pngResourceUnloadable : pngResourceMissing;
    return false;
  }
  return openPngMemory(decoder, static_cast<const std::uint8_t*>(data), size);
}

HBITMAP makePngBitmap(PngDecoder& decoder, HWND window, int format, int mode) {
  if (decoder.stage != pngInflated) { // nothing decoded yet
    decoder.errorCode = pngWrongStage;
    return nullptr;
  }
  PngBitmapLayout layout;
  if (!describePngBitmap(decoder, format, layout)) return nullptr;
  if (mode != dibSectionMode) { // a DIB section is the only kind made here
    decoder.errorCode = pngBadFormat;
    return nullptr;
  }
  BitmapInfo info;
  storePngBitmapInfo(layout, reinterpret_cast<std::uint8_t*>(&info));
  HDC context = GetDC(window);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(context, reinterpret_cast<const BITMAPINFO*>(&info),
                                    DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    bitmap = nullptr;
    decoder.errorCode = pngBitmapFailed; // GDI refused the bitmap
  } else if (!writePngImage(decoder, static_cast<std::uint8_t*>(bits), layout.bitsSize)) {
    DeleteObject(bitmap); // a bad filter type: the picture is not whole
    bitmap = nullptr;
  }
  ReleaseDC(window, context);
  return bitmap;
}
