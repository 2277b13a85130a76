// Decodes the PNG pictures among its own RT_RCDATA resources as the picture loader does
// (openPngResource, decodePngImage, makePngBitmap with the screen, the native format and a DIB
// section) and checks each DIB section against the portable describe and write results. Then
// the failures. Prints one line per picture or case and exits with the number of mismatches.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "pictures/png/png_bitmap.h"
#include "pictures/png/png_bitmap_win.h"

namespace {

int failures = 0;

void check(bool ok, int id, const char* what) {
  if (ok) return;
  std::printf("resource %d: %s\n", id, what);
  ++failures;
}

bool sameHeader(const BITMAPINFOHEADER& got, const PngBitmapHeader& want) {
  // GDI may report a DIB section's height as positive whichever way its rows run, and the
  // colours used as the full table of its bits per pixel.
  const bool sameColoursUsed =
      got.biClrUsed == want.clrUsed || (want.bitCount <= 8 && got.biClrUsed == 1u << want.bitCount);
  return got.biSize == want.size && got.biWidth == want.width &&
         (got.biHeight == want.height || got.biHeight == -want.height) &&
         got.biPlanes == want.planes && got.biBitCount == want.bitCount &&
         got.biCompression == want.compression && sameColoursUsed;
}

bool sameColourTable(HBITMAP bitmap, const PngBitmapLayout& layout) {
  RGBQUAD table[256];
  HDC context = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(context, bitmap);
  const UINT entries = GetDIBColorTable(context, 0, 256, table);
  SelectObject(context, previous);
  DeleteDC(context);
  // A short table (a grey ramp of 4 entries for 4-bit pixels) may be reported at full length.
  return entries >= layout.tableEntries &&
         std::memcmp(table, layout.colourTable, 4 * std::size_t{layout.tableEntries}) == 0;
}

// The portable bits of the same picture, as a second decoder writes them.
bool samePortableBits(int id, const void* bits, const PngBitmapLayout& layout) {
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_RCDATA);
  const auto* data =
      static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, resource)));
  PngDecoder decoder;
  resetPngDecoder(decoder);
  auto* expected = static_cast<std::uint8_t*>(std::malloc(layout.bitsSize));
  const bool same = expected && openPngMemory(decoder, data, SizeofResource(nullptr, resource)) &&
                    decodePngImage(decoder) && writePngImage(decoder, expected, layout.bitsSize) &&
                    std::memcmp(bits, expected, layout.bitsSize) == 0;
  std::free(expected);
  releasePngDecoder(decoder);
  return same;
}

void checkPicture(int id) {
  PngDecoder decoder;
  resetPngDecoder(decoder);
  HMODULE module = GetModuleHandleA(nullptr);
  const bool decoded = openPngResource(decoder, module, id) && decodePngImage(decoder);
  HBITMAP bitmap = decoded ? makePngBitmap(decoder, nullptr, pngNativeFormat, 0) : nullptr;
  check(bitmap != nullptr, id, "no bitmap");
  PngBitmapLayout layout;
  if (bitmap && describePngBitmap(decoder, pngNativeFormat, layout)) {
    DIBSECTION section;
    check(GetObjectA(bitmap, sizeof section, &section) == sizeof section, id, "not a DIB section");
    check(sameHeader(section.dsBmih, layout.header), id, "header differs");
    check(section.dsBm.bmWidthBytes == LONG(layout.rowStride), id, "row stride differs");
    check(sameColourTable(bitmap, layout), id, "colour table differs");
    check(section.dsBm.bmBits && samePortableBits(id, section.dsBm.bmBits, layout), id,
          "bits differ");
    std::printf("resource %d: %ux%u, %d bits per pixel\n", id, decoder.width, decoder.height,
                layout.header.bitCount);
  }
  if (bitmap) DeleteObject(bitmap);
  releasePngDecoder(decoder);
}

// Runs the loader's sequence on one resource and checks where it stops and why.
enum class Stop { open, decode, bitmap };

void checkFailure(int id, Stop stop, std::uint32_t error) {
  PngDecoder decoder;
  resetPngDecoder(decoder);
  HMODULE module = GetModuleHandleA(nullptr);
  Stop stopped = Stop::open;
  HBITMAP bitmap = nullptr;
  if (openPngResource(decoder, module, id)) {
    stopped = Stop::decode;
    if (decodePngImage(decoder)) {
      stopped = Stop::bitmap;
      bitmap = makePngBitmap(decoder, nullptr, pngNativeFormat, 0);
    }
  }
  check(bitmap == nullptr, id, "a bitmap was made");
  check(stopped == stop, id, "stopped at another step");
  check(decoder.errorCode == error, id, "another error code");
  std::printf("resource %d: error 0x%x\n", id, static_cast<unsigned>(decoder.errorCode));
  if (bitmap) DeleteObject(bitmap);
  releasePngDecoder(decoder);
}

void checkStagesAndFormats() {
  PngDecoder decoder;
  resetPngDecoder(decoder);
  HMODULE module = GetModuleHandleA(nullptr);
  check(!makePngBitmap(decoder, nullptr, pngNativeFormat, 0) && decoder.errorCode == pngWrongStage,
        1, "bitmap before decoding");
  check(openPngResource(decoder, module, 1) && !openPngResource(decoder, module, 2) &&
            decoder.errorCode == pngAlreadyOpen,
        1, "second open");
  check(decodePngImage(decoder) && !makePngBitmap(decoder, nullptr, 0, 0) &&
            decoder.errorCode == pngBadFormat,
        1, "format 0");
  releasePngDecoder(decoder);
}

} // namespace

int main() {
  for (int id = 1; id <= PNG_PICTURE_COUNT; ++id) checkPicture(id);
  checkFailure(999, Stop::open, pngResourceMissing);
  checkFailure(20, Stop::open, pngResourceUnloadable); // empty
  checkFailure(21, Stop::open, pngBadData);            // not a PNG
  checkFailure(22, Stop::decode, pngBadData);          // block type 3
  checkFailure(23, Stop::bitmap, pngBadData);          // filter type 5
  checkStagesAndFormats();
  std::printf("%d mismatches\n", failures);
  return failures;
}
