// The Windows side of platform.h: UTF-16 file names and arguments, and the console.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <conio.h>
#include <cstdlib>

#include "tools/quiztool/platform/platform.h"

namespace {

std::wstring wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), length);
  return out;
}

std::string utf8(const wchar_t* text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), length, nullptr, nullptr);
  out.pop_back(); // the terminator
  return out;
}

UINT consoleCodePage = 0; // the console's own output code page, given back at exit

void restoreConsoleCodePage() {
  SetConsoleOutputCP(consoleCodePage);
}

} // namespace

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back(utf8(arguments[i]));
  LocalFree(arguments);
  return out;
}

// quiztool writes UTF-8: a console shows it as such for as long as the program runs.
void useBinaryConsole() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  consoleCodePage = GetConsoleOutputCP();
  if (consoleCodePage != 0 && consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
    std::atexit(restoreConsoleCodePage);
}

std::FILE* openFile(const std::string& path, const char* mode) {
  return _wfopen(wide(path).c_str(), wide(mode).c_str());
}

bool renameFile(const std::string& from, const std::string& to) {
  return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool removeFile(const std::string& path) {
  return DeleteFileW(wide(path).c_str()) != 0;
}

bool isFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool makeFolders(const std::string& path) {
  if (path.empty() || isFolder(path)) return true;
  std::size_t end = path.size();
  while (end > 0 && isSeparator(path[end - 1])) --end; // "out\" names the folder "out"
  std::size_t cut = end;
  while (cut > 0 && !isSeparator(path[cut - 1])) --cut;
  const std::string parent = path.substr(0, cut);
  const bool parentIsRoot = parent.empty() || parent.back() == ':' ||
                            (parent.size() <= 3 && parent.find(':') != std::string::npos);
  if (!parentIsRoot && !makeFolders(parent)) return false;
  return CreateDirectoryW(wide(path.substr(0, end)).c_str(), nullptr) != 0 || isFolder(path);
}

std::string programFolder() {
  wchar_t self[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  if (length == 0 || length >= MAX_PATH * 4) return "";
  const std::string path = utf8(self);
  std::size_t cut = path.size();
  while (cut > 0 && !isSeparator(path[cut - 1])) --cut;
  return path.substr(0, cut);
}

// On Windows the player travels beside quiztool.exe, as the authors' bundle holds them.
std::string defaultPlayerPath() {
  return programFolder() + "player.exe";
}

bool isSeparator(char c) {
  return c == '/' || c == '\\';
}

// "C:\x", "C:/x", "\\server\share" and "\x" (the current drive's root).
bool isAbsolutePath(const std::string& path) {
  if (!path.empty() && isSeparator(path[0])) return true;
  return path.size() >= 3 && path[1] == ':' && isSeparator(path[2]);
}

bool ownsConsoleWindow() {
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1;
}

void waitForKey() {
  _getch();
}
