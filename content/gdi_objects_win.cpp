#include <windows.h>

#include "content/gdi_objects.h"
#include "content/text_buffer.h"

FontHandle createFontObject(const FontDescription& font) {
  LOGFONTA description{};
  description.lfHeight = font.height;
  description.lfWeight = font.weight;
  description.lfItalic = font.italic ? 1 : 0;
  description.lfUnderline = font.underline ? 1 : 0;
  if (font.faceName) copyText(description.lfFaceName, font.faceName);
  return CreateFontIndirectA(&description);
}

BrushHandle createBrushObject(std::uint32_t colorRef) {
  return CreateSolidBrush(colorRef);
}

void deleteFontObject(FontHandle font) {
  if (font) DeleteObject(font);
}

void deleteBrushObject(BrushHandle brush) {
  if (brush) DeleteObject(brush);
}
