#pragma once

#include "content/gdi_objects.h"

// Natively a font or a brush is a heap object holding what it was made from, so that tests can
// read it and the sanitizers report any object that is leaked or deleted twice.
struct HFONT__ {
  FontDescription description;
  char faceName[32];
};

struct HBRUSH__ {
  std::uint32_t colorRef;
};

// Fonts and brushes made and not yet deleted.
int liveGdiObjectCount();
