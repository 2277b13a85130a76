#include <windows.h>

#include "content/content_loader.h"

namespace {

// A content resource of the executable itself. Resources stay mapped with the module image for
// the life of the process, so there is nothing to release after decoding.
ContentResource findPatchResource(int resourceId) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(resourceId), "PATCH");
  if (!found) return {nullptr, 0};
  const DWORD size = SizeofResource(nullptr, found);
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {nullptr, 0};
  return {static_cast<const std::uint8_t*>(bytes), size};
}

} // namespace

void loadContent(QuizState& state) {
  loadContentFrom(state, findPatchResource);
}
