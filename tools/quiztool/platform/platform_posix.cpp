// The Linux side of platform.h.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "tools/quiztool/platform/platform.h"

namespace {

FileKind kindOf(const struct stat& status) {
  if (S_ISREG(status.st_mode)) return FileKind::regular;
  return S_ISDIR(status.st_mode) ? FileKind::folder : FileKind::other;
}

} // namespace

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void setUpOutput() {}

void flushOutput() {
  std::fflush(stdout);
  std::fflush(stderr);
}

std::FILE* openFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool renameFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool removeFile(const std::string& path) {
  return std::remove(path.c_str()) == 0;
}

FileKind fileKind(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 ? kindOf(status) : FileKind::missing;
}

// Opened without waiting (a pipe without a writer would block the open itself), then looked at
// through the descriptor, so that what is read is what was looked at.
std::FILE* openRegularFile(const std::string& path, FileKind& kind, std::uint64_t& size) {
  size = 0;
  const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) {
    const int reason = errno;
    kind = fileKind(path);
    errno = reason;
    return nullptr;
  }
  struct stat status {};
  kind = fstat(descriptor, &status) == 0 ? kindOf(status) : FileKind::other;
  if (kind != FileKind::regular) {
    close(descriptor);
    return nullptr;
  }
  size = static_cast<std::uint64_t>(status.st_size);
  fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = fdopen(descriptor, "rb");
  if (!file) close(descriptor);
  return file;
}

bool sameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// The owner's write permission, as Windows shows it through its read-only attribute: root may
// write any file, yet a file made read-only is not one to replace.
bool isReadOnly(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) == 0;
}

bool makeFolders(const std::string& path) {
  if (path.empty() || fileKind(path) == FileKind::folder) return true;
  const std::size_t slash = path.find_last_of('/', path.size() - 2);
  if (slash != std::string::npos && slash > 0 && !makeFolders(path.substr(0, slash))) return false;
  return mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && fileKind(path) == FileKind::folder);
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

std::string withSystemSeparators(const std::string& name) {
  std::string out = name;
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

bool ownsConsoleWindow() {
  return false;
}

void waitForKey() {}
