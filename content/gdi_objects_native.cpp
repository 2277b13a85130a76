#include "content/gdi_objects_native.h"

#include "content/text_buffer.h"

namespace {
int liveObjects = 0;
}

FontHandle createFontObject(const FontDescription& font) {
  auto* made = new HFONT__{font, {}};
  if (font.faceName) copyText(made->faceName, font.faceName);
  made->description.faceName = font.faceName ? made->faceName : nullptr;
  ++liveObjects;
  return made;
}

BrushHandle createBrushObject(std::uint32_t colorRef) {
  ++liveObjects;
  return new HBRUSH__{colorRef};
}

void deleteFontObject(FontHandle font) {
  if (!font) return;
  --liveObjects;
  delete font;
}

void deleteBrushObject(BrushHandle brush) {
  if (!brush) return;
  --liveObjects;
  delete brush;
}

int liveGdiObjectCount() {
  return liveObjects;
}
