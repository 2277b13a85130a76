// The Linux side of platform.h.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "tools/quiztool/platform/platform.h"

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void useBinaryConsole() {}

std::FILE* openFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool renameFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool removeFile(const std::string& path) {
  return std::remove(path.c_str()) == 0;
}

bool isFolder(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool makeFolders(const std::string& path) {
  if (path.empty() || isFolder(path)) return true;
  const std::size_t slash = path.find_last_of('/', path.size() - 2);
  if (slash != std::string::npos && slash > 0 && !makeFolders(path.substr(0, slash))) return false;
  return mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && isFolder(path));
}

std::string programFolder() {
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return "";
  const std::string path(self, static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

// The player built beside this tool: build/native/quiztool → build/windows/player.exe.
std::string defaultPlayerPath() {
  const std::string folder = programFolder();
  return folder.empty() ? "player.exe" : folder + "../windows/player.exe";
}

bool isSeparator(char c) {
  return c == '/';
}

bool isAbsolutePath(const std::string& path) {
  return !path.empty() && path.front() == '/';
}

bool ownsConsoleWindow() {
  return false;
}

void waitForKey() {}
