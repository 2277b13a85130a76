#pragma once

#include <cstdint>

#include "content/platform_handles.h"

// The record owns real GDI fonts and brushes in the player. The portable core makes and deletes
// them only through these functions: gdi_objects_win.cpp calls GDI, gdi_objects_native.cpp
// gives the native build plain heap objects that remember what was asked for.

// A LOGFONT zeroed in full but for these fields.
struct FontDescription {
  int height;
  int weight;
  bool italic;
  bool underline;
  const char* faceName; // null: no face name
};

FontHandle createFontObject(const FontDescription& font);
BrushHandle createBrushObject(std::uint32_t colorRef);
// Both accept null and then do nothing.
void deleteFontObject(FontHandle font);
void deleteBrushObject(BrushHandle brush);
