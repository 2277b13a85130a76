// Checks the player's own resources, read from player.exe as a data file: the manifest, the two
// dialog templates, the hand cursor, the play and stop icons, the icon group "A" and the version
// resource. Prints one line per failed check and exits 1 when any failed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int failures = 0;

void expect(bool condition, const char* what) {
  if (condition) return;
  std::printf("FAIL: %s\n", what);
  ++failures;
}

const void* resourceData(HMODULE module, LPCSTR type, LPCSTR name, DWORD& size) {
  HRSRC found = FindResourceA(module, name, type);
  size = found ? SizeofResource(module, found) : 0;
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  return loaded ? LockResource(loaded) : nullptr;
}

// A DLGTEMPLATE: style, extended style, item count, x, y, cx, cy, then menu, class and title
// (each an empty string here), then the point size and face name.
void checkDialog(HMODULE module, int id, DWORD style) {
  DWORD size = 0;
  const auto* bytes =
      static_cast<const BYTE*>(resourceData(module, RT_DIALOG, MAKEINTRESOURCEA(id), size));
  expect(bytes && size >= 30, "dialog template present");
  if (!bytes || size < 30) return;
  DLGTEMPLATE header;
  std::memcpy(&header, bytes, sizeof header);
  expect(header.style == style, "dialog style");
  expect(header.cdit == 0, "dialog without controls");
  expect(header.x == 0 && header.y == 0 && header.cx == 86 && header.cy == 100,
         "dialog 86 x 100 at 0, 0");
  const auto* words = reinterpret_cast<const WORD*>(bytes + 18);
  expect(words[0] == 0 && words[1] == 0 && words[2] == 0, "no menu, class or caption");
  expect(words[3] == 8, "font size 8");
  char face[32] = "";
  WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(words + 4), -1, face, sizeof face,
                      nullptr, nullptr);
  expect(std::strcmp(face, "MS Sans Serif") == 0, "font MS Sans Serif");
}

// The group icon "A": one image of 32 x 32 with 16 colours.
void checkIconGroup(HMODULE module) {
  DWORD size = 0;
  const auto* bytes = static_cast<const BYTE*>(resourceData(module, RT_GROUP_ICON, "A", size));
  expect(bytes && size >= 6 + 14, "icon group A present");
  if (!bytes || size < 20) return;
  const WORD count = *reinterpret_cast<const WORD*>(bytes + 4);
  expect(count == 1, "one icon in group A");
  expect(bytes[6] == 32 && bytes[7] == 32 && bytes[8] == 16, "32 x 32, 16 colours");
}

void checkVersion(const char* path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  expect(size > 0, "version resource present");
  if (!size) return;
  static BYTE info[8192];
  if (size > sizeof info || !GetFileVersionInfoA(path, 0, size, info))
    return expect(false, "version readable");
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  VerQueryValueA(info, "\\", reinterpret_cast<void**>(&fixed), &length);
  expect(fixed && fixed->dwFileVersionMS == MAKELONG(1, 2) &&
             fixed->dwFileVersionLS == MAKELONG(3, 7),
         "file version 2.1.7.3");
  expect(fixed && fixed->dwProductVersionMS == MAKELONG(1, 2) &&
             fixed->dwProductVersionLS == MAKELONG(3, 7),
         "product version 2.1.7.3");
  expect(fixed && fixed->dwFileType == VFT_APP, "file type application");
  struct {
    WORD language, codePage;
  }* translation = nullptr;
  VerQueryValueA(info, "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                 &length);
  expect(translation && length == 4 && translation->language == 0x040C &&
             translation->codePage == 1252,
         "French, code page 1252");
  char* text = nullptr;
  VerQueryValueA(info, "\\StringFileInfo\\040C04E4\\ProductVersion",
                 reinterpret_cast<void**>(&text), &length);
  expect(text && std::strcmp(text, "2.1.7") == 0, "product version text 2.1.7");
}

// The application manifest, resource 1 of type RT_MANIFEST: the program runs as whoever starts
// it, names every Windows from Vista to 11, and asks for nothing that changes how it looks.
void checkManifest(HMODULE module) {
  DWORD size = 0;
  const auto* bytes =
      static_cast<const char*>(resourceData(module, RT_MANIFEST, MAKEINTRESOURCEA(1), size));
  expect(bytes && size > 0, "manifest present");
  if (!bytes) return;
  const std::string text(bytes, size);
  const auto has = [&](const char* part) { return text.find(part) != std::string::npos; };
  expect(has("<requestedExecutionLevel level=\"asInvoker\""), "requested level asInvoker");
  static const struct {
    const char* id;
    const char* what;
  } systems[] = {{"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "supported OS Vista"},
                 {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "supported OS 7"},
                 {"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "supported OS 8"},
                 {"{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "supported OS 8.1"},
                 {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "supported OS 10 and 11"}};
  for (const auto& system : systems)
    expect(has((std::string("<supportedOS Id=\"") + system.id + "\"/>").c_str()), system.what);
  expect(!has("Common-Controls") && !has("dependentAssembly"), "no common controls 6");
  expect(!has("dpiAware"), "no DPI awareness");
}

} // namespace

// resource_probe PLAYER.exe: every resource of the player; resource_probe --manifest PROGRAM.exe:
// the manifest only (quiztool.exe carries it too).
int main(int argc, char** argv) {
  const bool manifestOnly = argc == 3 && std::strcmp(argv[1], "--manifest") == 0;
  if (argc != 2 && !manifestOnly) return 2;
  const char* path = argv[argc - 1];
  HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  expect(module != nullptr, "program loads as a data file");
  if (!module) return 1;
  checkManifest(module);
  if (manifestOnly) {
    FreeLibrary(module);
    if (failures == 0) std::printf("manifest: all checks passed\n");
    return failures == 0 ? 0 : 1;
  }
  checkDialog(module, 1001, 0x40B00040);
  checkDialog(module, 1002, 0x40800040);
  DWORD size = 0;
  expect(resourceData(module, RT_GROUP_CURSOR, MAKEINTRESOURCEA(1003), size) != nullptr,
         "cursor 1003");
  expect(resourceData(module, RT_GROUP_ICON, MAKEINTRESOURCEA(1004), size) != nullptr, "icon 1004");
  expect(resourceData(module, RT_GROUP_ICON, MAKEINTRESOURCEA(1005), size) != nullptr, "icon 1005");
  checkIconGroup(module);
  checkVersion(path);
  FreeLibrary(module);
  if (failures == 0) std::printf("player resources: all checks passed\n");
  return failures == 0 ? 0 : 1;
}
