// The Windows side of platform.h: UTF-16 file names and arguments, and the console.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <conio.h>
#include <cstdint>
#include <cstdlib>

#include "tools/quiztool/messages/messages.h"
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

bool isFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A handle that reads nothing, only what the file is: it opens folders too, and never waits.
HANDLE openForFacts(const std::string& path) {
  return CreateFileW(wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

FileKind kindOf(HANDLE file, BY_HANDLE_FILE_INFORMATION& facts) {
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &facts))
    return FileKind::other;
  return facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? FileKind::folder : FileKind::regular;
}

// A Windows console shows a program's bytes in its own code page, and Wine's shows UTF-8 as one
// box per byte even under code page 65001. So while standard output or error is a console, the
// tool's UTF-8 goes through a pipe to a thread that writes it to the console as UTF-16.
struct ConsoleRelay {
  HANDLE console = nullptr;  // the console's screen, opened for the relay alone
  HANDLE pipe = nullptr;     // the pipe's reading end
  HANDLE thread = nullptr;   // the relay; null when no output goes to a console
  HANDLE caughtUp = nullptr; // set when the relay has written everything up to a mark
  int descriptor = -1;       // the C library's descriptor that writes into the pipe
};
ConsoleRelay relay;
constexpr char catchUpMark = '\xFF'; // a byte that UTF-8 text never holds

// The bytes of `text` that end with a whole character: a character split between two reads of
// the pipe waits for its last bytes.
std::size_t wholeCharacters(const std::string& text) {
  for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    const unsigned char c = static_cast<unsigned char>(text[text.size() - back]);
    if (c < 0x80) return text.size();
    if (c < 0xC0) continue; // a continuation byte: look further back
    const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    return length > back ? text.size() - back : text.size();
  }
  return text.size();
}

void writeToConsole(std::string& pending, std::size_t count) {
  if (count == 0) return;
  const std::wstring text = wide(pending.substr(0, count)); // a bad byte shows as U+FFFD
  pending.erase(0, count);
  for (std::size_t at = 0; at < text.size();) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - at, 8192));
    if (!WriteConsoleW(relay.console, text.data() + at, chunk, &written, nullptr) || written == 0)
      return;
    at += written;
  }
}

DWORD WINAPI relayToConsole(void*) {
  std::string pending;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(relay.pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    for (DWORD i = 0; i < got; ++i) {
      if (buffer[i] != catchUpMark) {
        pending += buffer[i];
        continue;
      }
      writeToConsole(pending, pending.size());
      SetEvent(relay.caughtUp);
    }
    writeToConsole(pending, wholeCharacters(pending));
  }
  return 0;
}

bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

// Sends the given C library descriptors (1, 2 or both) into the relay's pipe.
void startRelay(bool output, bool error) {
  relay.console =
      CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE writing = nullptr;
  if (relay.console == INVALID_HANDLE_VALUE || !CreatePipe(&relay.pipe, &writing, nullptr, 0))
    return; // the output stays as it is: bytes in the console's code page
  relay.descriptor =
      _open_osfhandle(reinterpret_cast<std::intptr_t>(writing), _O_WRONLY | _O_BINARY);
  relay.caughtUp = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (relay.descriptor < 0 || !relay.caughtUp) return;
  relay.thread = CreateThread(nullptr, 0, relayToConsole, nullptr, 0, nullptr);
  if (!relay.thread) return;
  // Unbuffered, each stream's writes reach the pipe in the order the program makes them.
  if (output) _dup2(relay.descriptor, 1), std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (error) _dup2(relay.descriptor, 2), std::setvbuf(stderr, nullptr, _IONBF, 0);
  std::atexit(flushOutput);
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

void setUpOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const bool output = isConsole(GetStdHandle(STD_OUTPUT_HANDLE));
  const bool error = isConsole(GetStdHandle(STD_ERROR_HANDLE));
  if (output || error) startRelay(output, error);
}

void flushOutput() {
  std::fflush(stdout);
  std::fflush(stderr);
  if (!relay.thread) return;
  _write(relay.descriptor, &catchUpMark, 1);
  const HANDLE either[] = {relay.caughtUp, relay.thread}; // a relay that ended writes no more
  WaitForMultipleObjects(2, either, FALSE, INFINITE);
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

FileKind fileKind(const std::string& path) {
  const HANDLE file = openForFacts(path);
  if (file == INVALID_HANDLE_VALUE) {
    // A file that another program holds, or that this user may not open, is still there.
    const DWORD attributes = GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return FileKind::missing;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? FileKind::folder : FileKind::regular;
  }
  BY_HANDLE_FILE_INFORMATION facts{};
  const FileKind kind = kindOf(file, facts);
  CloseHandle(file);
  return kind;
}

std::FILE* openRegularFile(const std::string& path, FileKind& kind, std::uint64_t& size) {
  size = 0;
  const HANDLE file =
      CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    kind = fileKind(path);
    return nullptr;
  }
  BY_HANDLE_FILE_INFORMATION facts{};
  kind = kindOf(file, facts);
  const int descriptor =
      kind == FileKind::regular
          ? _open_osfhandle(reinterpret_cast<std::intptr_t>(file), _O_RDONLY | _O_BINARY)
          : -1;
  if (descriptor < 0) {
    CloseHandle(file);
    return nullptr;
  }
  size = (std::uint64_t{facts.nFileSizeHigh} << 32) | facts.nFileSizeLow;
  std::FILE* opened = _fdopen(descriptor, "rb");
  if (!opened) _close(descriptor);
  return opened;
}

bool sameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION facts[2]{};
  const std::string* paths[] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    const HANDLE file = openForFacts(*paths[i]);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, &facts[i]);
    CloseHandle(file);
    if (!known) return false;
  }
  return facts[0].dwVolumeSerialNumber == facts[1].dwVolumeSerialNumber &&
         facts[0].nFileIndexHigh == facts[1].nFileIndexHigh &&
         facts[0].nFileIndexLow == facts[1].nFileIndexLow;
}

bool isReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
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

std::string withSystemSeparators(const std::string& name) {
  return name; // Windows reads both
}

bool ownsConsoleWindow() {
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1;
}

void waitForKey() {
  std::fputs(say(Msg::pressAKey).c_str(), stderr);
  std::fputs("\n", stderr);
  flushOutput();
  _getch();
}
