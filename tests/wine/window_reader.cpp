// The end-to-end tests' eyes and hands inside Wine: lists windows, dumps a window tree, reads
// and answers message boxes, sends messages and reads scroll bars of another process's windows.
// Every command prints JSON (one object per line) in UTF-8 and exits 0, or prints an error on
// standard error and exits 1.
//
// Started without a command it serves: it reads commands from standard input, one a line with
// its fields separated by tabs (in UTF-8), and answers each with its JSON lines, an
// {"error": TEXT} line when it fails, and a last {"done": EXIT_CODE} line. One process then
// answers a whole scenario's queries: starting a Wine process for each costs a third of a second.
//
//   window_reader windows                   visible top-level windows
//   window_reader wait TITLE_OR_CLASS MS    waits for a visible top-level window, prints it
//   window_reader tree HWND                 the window and every descendant
//   window_reader messagebox                the first message box: caption, text, buttons
//   window_reader send HWND MSG WPARAM LPARAM   SendMessage, prints the result
//   window_reader post HWND MSG WPARAM LPARAM [COUNT]   PostMessage, COUNT times at once
//   window_reader settext HWND TEXT         SendMessage WM_SETTEXT with TEXT, prints the result
//   window_reader focus HWND                the focused window of the thread that owns HWND
//   window_reader scroll HWND               both scroll bars: range, page, position, state, places
//   window_reader closebox HWND             screen point of the window's close box
//   window_reader resize HWND WIDTH HEIGHT [X Y]  gives a top-level window a new outer size (and
//                                       place)
//   window_reader show HWND COMMAND         ShowWindow (6 minimise, 9 restore, 3 maximise)
//   window_reader sweep                     ends every program left from an earlier test (any
//                                       process but Wine's own and this one), prints each
#include <windows.h>

#include <tlhelp32.h> // needs windows.h first

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "window_reader_probe.h"

namespace {

// How long a call into another process may take. A loaded machine can keep a player from
// answering for seconds; a hung one still ends the call instead of hanging the tests.
constexpr UINT kAnswerMs = 30000;

// Set while serving: errors then go to standard output, between the answer's lines.
bool serving = false;

std::string utf8(const char* ansi) {
  wchar_t wide[1024];
  const int count = MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 1024);
  if (count <= 0) return "";
  char out[4096];
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, sizeof out, nullptr, nullptr);
  return out;
}

std::string json(const std::string& text);

// Reports a failed command and gives its exit code.
int failure(const std::string& message) {
  if (serving)
    std::printf("{\"error\": %s}\n", json(message).c_str());
  else
    std::fprintf(stderr, "%s\n", message.c_str());
  return 1;
}

std::string json(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string windowText(HWND window) {
  char text[1024] = "";
  // WM_GETTEXT crosses processes; a timeout keeps a hung target from hanging the tests.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                      kAnswerMs, &result);
  return utf8(text);
}

std::string describe(HWND window, int depth) {
  char className[256] = "";
  GetClassNameA(window, className, sizeof className);
  RECT rect, client{};
  GetWindowRect(window, &rect);
  GetClientRect(window, &client);
  POINT corner{rect.left, rect.top};
  HWND parent = GetParent(window);
  const bool child = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0;
  if (child && parent) ScreenToClient(parent, &corner);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char line[512];
  std::snprintf(
      line, sizeof line,
      "{\"hwnd\": %lu, \"depth\": %d, \"id\": %ld, \"x\": %ld, \"y\": %ld, \"width\": %ld, "
      "\"height\": %ld, \"screenX\": %ld, \"screenY\": %ld, \"clientWidth\": %ld, "
      "\"clientHeight\": %ld, \"visible\": %s, "
      "\"style\": %lu, \"pid\": %lu, \"class\": ",
      static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)), depth,
      child ? static_cast<long>(GetWindowLongA(window, GWL_ID)) : 0L, corner.x, corner.y,
      rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top, client.right,
      client.bottom, IsWindowVisible(window) ? "true" : "false",
      static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
      static_cast<unsigned long>(process));
  return line + json(utf8(className)) + ", \"text\": " + json(windowText(window)) + "}";
}

HWND parseWindow(const char* text) {
  return reinterpret_cast<HWND>(std::strtoul(text, nullptr, 0));
}

BOOL CALLBACK collectVisible(HWND window, LPARAM list) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> topLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(collectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void printTree(HWND window, int depth) {
  std::printf("%s\n", describe(window, depth).c_str());
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    printTree(child, depth + 1);
}

bool matches(HWND window, const std::string& wanted) {
  char className[256] = "";
  GetClassNameA(window, className, sizeof className);
  return wanted == className || wanted == windowText(window);
}

int waitFor(const std::string& wanted, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    for (HWND window : topLevelWindows()) {
      if (matches(window, wanted)) {
        std::printf("%s\n", describe(window, 0).c_str());
        return 0;
      }
    }
    Sleep(50);
  } while (GetTickCount() - start < milliseconds);
  return failure("no window " + utf8(wanted.c_str()));
}

int messageBox() {
  for (HWND window : topLevelWindows()) {
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770") continue;
    std::string buttons;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      GetClassNameA(child, className, sizeof className);
      if (std::string(className) == "Button")
        buttons += (buttons.empty() ? "" : ", ") + json(windowText(child));
    }
    std::printf("{\"hwnd\": %lu, \"caption\": %s, \"text\": %s, \"buttons\": [%s]}\n",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)),
                json(windowText(window)).c_str(),
                json(windowText(GetDlgItem(window, 0xFFFF))).c_str(), buttons.c_str());
    return 0;
  }
  return failure("no message box");
}

// Where a module of another process starts, or 0.
UINT_PTR remoteModuleBase(DWORD processId, const char* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  UINT_PTR base = 0;
  for (BOOL more = Module32First(snapshot, &entry); more && !base;
       more = Module32Next(snapshot, &entry))
    if (lstrcmpiA(entry.szModule, name) == 0) base = reinterpret_cast<UINT_PTR>(entry.modBaseAddr);
  CloseHandle(snapshot);
  return base;
}

// Runs readScrollBars of window_reader_probe.dll (beside this program) in the process that owns
// `window`: loads the library there with a remote thread, then starts the function on a copy of
// the block and reads the block back. The library is loaded at the same offsets in both
// processes, so the function's place there follows from its place here.
bool probeScrollBars(HWND window, ScrollProbe& probe) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  char* slash = std::strrchr(path, '\\');
  if (!length || !slash) return false;
  std::strcpy(slash + 1, "window_reader_probe.dll");
  HMODULE local = LoadLibraryA(path);
  FARPROC function = local ? GetProcAddress(local, "readScrollBars@4") : nullptr;
  if (!function) function = local ? GetProcAddress(local, "readScrollBars") : nullptr;
  if (!function) return false;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
  if (!process) return false;
  probe = {};
  probe.window = window;
  void* remote = VirtualAllocEx(process, nullptr, sizeof probe + sizeof path,
                                MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  char* remotePath = static_cast<char*>(remote) + sizeof probe;
  bool done = remote && WriteProcessMemory(process, remote, &probe, sizeof probe, nullptr) &&
              WriteProcessMemory(process, remotePath, path, sizeof path, nullptr);
  auto runThere = [&](LPTHREAD_START_ROUTINE start, void* parameter, DWORD& result) {
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, parameter, 0, nullptr);
    if (!thread) return false;
    const bool finished = WaitForSingleObject(thread, 2 * kAnswerMs) == WAIT_OBJECT_0 &&
                          GetExitCodeThread(thread, &result);
    CloseHandle(thread);
    return finished;
  };
  DWORD module = 0, ignored = 0;
  const auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
  done = done && runThere(loadLibrary, remotePath, module) && module != 0;
  // A thread's exit code holds only 32 bits of the module's address, so a 64-bit player's
  // module is found by its name among the process's modules.
  UINT_PTR base = module;
  if (sizeof(void*) > sizeof(DWORD)) base = remoteModuleBase(processId, "window_reader_probe.dll");
  const UINT_PTR offset = reinterpret_cast<UINT_PTR>(function) - reinterpret_cast<UINT_PTR>(local);
  const auto remoteFunction = reinterpret_cast<LPTHREAD_START_ROUTINE>(base + offset);
  done = done && base != 0;
  done = done && runThere(remoteFunction, remote, ignored) &&
         ReadProcessMemory(process, remote, &probe, sizeof probe, nullptr);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return done;
}

// Both scroll bars as the owning process sees them; "enabled" is false for a bar shown disabled
// (or not shown at all). "bar" is the bar's rectangle on the screen, "thumb" where the thumb
// starts and ends along the bar, from the bar's start. (Wine fills dxyLineButton with the
// thumb's length, so the arrows' length is left out: they are as long as the bar is wide.)
int scrollBars(HWND window) {
  ScrollProbe probe;
  if (!probeScrollBars(window, probe)) {
    return failure("cannot read the scroll bars of " +
                   std::to_string(reinterpret_cast<UINT_PTR>(window)));
  }
  const char* names[] = {"horizontal", "vertical"};
  std::string out = "{";
  for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
    const SCROLLINFO& info = probe.info[bar];
    const SCROLLBARINFO& state = probe.state[bar];
    const bool enabled = probe.stateRead[bar] &&
                         !(state.rgstate[0] & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE |
                                               STATE_SYSTEM_OFFSCREEN));
    char part[400];
    std::snprintf(part, sizeof part,
                  "%s\"%s\": {\"ok\": %s, \"min\": %d, \"max\": %d, \"page\": %u, \"pos\": %d, "
                  "\"trackPos\": %d, \"enabled\": %s, \"bar\": [%ld, %ld, %ld, %ld], "
                  "\"thumb\": [%d, %d]}",
                  bar == SB_HORZ ? "" : ", ", names[bar], probe.infoRead[bar] ? "true" : "false",
                  info.nMin, info.nMax, info.nPage, info.nPos, info.nTrackPos,
                  enabled ? "true" : "false", state.rcScrollBar.left, state.rcScrollBar.top,
                  state.rcScrollBar.right, state.rcScrollBar.bottom, state.xyThumbTop,
                  state.xyThumbBottom);
    out += part;
  }
  std::printf("%s}\n", out.c_str());
  return 0;
}

bool isCloseBox(HWND window, long x, long y) {
  DWORD_PTR hit = 0;
  SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, kAnswerMs, &hit);
  return hit == HTCLOSE;
}

// The centre of the close box, found by asking the window what lies under points of the top
// right corner of its frame: every fourth point until one is in the box (it is larger than
// that), then every point of its row and column, as each question crosses to the player.
int closeBox(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  long x = 0, y = 0;
  bool found = false;
  for (y = rect.top; y < rect.top + 40 && !found; y += 4)
    for (x = rect.right - 80; x < rect.right && !found; x += 4) found = isCloseBox(window, x, y);
  if (!found) return failure("no close box");
  x -= 4, y -= 4; // the loops stepped once more after the hit
  long left = x, right = x, top = y, bottom = y;
  while (isCloseBox(window, left - 1, y)) --left;
  while (isCloseBox(window, right + 1, y)) ++right;
  while (isCloseBox(window, x, top - 1)) --top;
  while (isCloseBox(window, x, bottom + 1)) ++bottom;
  std::printf("{\"x\": %ld, \"y\": %ld}\n", (left + right) / 2, (top + bottom) / 2);
  return 0;
}

// The window that has the keyboard focus in the thread of `window`, described as by `tree`, and
// whether that thread's active window is the foreground window.
int focusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
    return failure("cannot read the thread's focus");
  }
  const char* foreground =
      info.hwndActive && info.hwndActive == GetForegroundWindow() ? "true" : "false";
  if (!info.hwndFocus) {
    std::printf("{\"hwnd\": 0, \"foreground\": %s}\n", foreground);
    return 0;
  }
  std::string line = describe(info.hwndFocus, 0);
  line.pop_back();
  std::printf("%s, \"foreground\": %s}\n", line.c_str(), foreground);
  return 0;
}

// WM_SETTEXT with a text from the command line, which reaches the program in the ANSI code page.
int setText(HWND window, const char* text) {
  std::printf("{\"result\": %ld}\n", static_cast<long>(SendMessageA(
                                         window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text))));
  return 0;
}

// Numbers up to 32 bits, signed or not: a wParam such as 0xFF880000 (one wheel notch toward the
// user) does not fit a long.
long number(const char* text) {
  return static_cast<long>(static_cast<unsigned long>(std::strtoll(text, nullptr, 0)));
}

// Whether a process is one a test started: any program outside Wine's own folder, and Wine's
// debugger, which waits on a crashed program. Wine's services stay.
bool startedByATest(const PROCESSENTRY32& process) {
  if (lstrcmpiA(process.szExeFile, "winedbg.exe") == 0) return true;
  HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process.th32ProcessID);
  if (modules == INVALID_HANDLE_VALUE) return false;
  MODULEENTRY32 program{}; // the first module is the program itself
  program.dwSize = sizeof program;
  const BOOL found = Module32First(modules, &program);
  CloseHandle(modules);
  char windows[MAX_PATH] = "";
  const UINT length = GetSystemWindowsDirectoryA(windows, sizeof windows);
  return found && length > 0 &&
         CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, program.szExePath,
                        static_cast<int>(length), windows, static_cast<int>(length)) != CSTR_EQUAL;
}

// Ends what an earlier test left in this session (a player whose test was stopped, a crashed
// program's debugger), so that no window of it stands in this test's way.
int sweep() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return failure("cannot list the processes");
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID == GetCurrentProcessId() || !startedByATest(entry)) continue;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
    if (!process) continue;
    if (TerminateProcess(process, 1)) {
      WaitForSingleObject(process, kAnswerMs);
      std::printf("{\"ended\": %s, \"pid\": %lu}\n", json(utf8(entry.szExeFile)).c_str(),
                  static_cast<unsigned long>(entry.th32ProcessID));
    }
    CloseHandle(process);
  }
  CloseHandle(snapshot);
  return 0;
}

// Runs one command; `args` are its fields, the command's name first, in the ANSI code page.
int runCommand(const std::vector<std::string>& args) {
  const int argc = static_cast<int>(args.size()) + 1;
  std::vector<const char*> argv{"window_reader"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "windows") {
    for (HWND window : topLevelWindows()) std::printf("%s\n", describe(window, 0).c_str());
    return 0;
  }
  if (command == "wait" && argc == 4) return waitFor(argv[2], static_cast<DWORD>(number(argv[3])));
  if (command == "tree" && argc == 3) {
    printTree(parseWindow(argv[2]), 0);
    return 0;
  }
  if (command == "messagebox") return messageBox();
  if ((command == "send" && argc == 6) || (command == "post" && (argc == 6 || argc == 7))) {
    HWND window = parseWindow(argv[2]);
    const UINT message = static_cast<UINT>(number(argv[3]));
    const WPARAM wParam = static_cast<WPARAM>(number(argv[4]));
    const LPARAM lParam = static_cast<LPARAM>(number(argv[5]));
    if (command == "post") {
      // "post ... COUNT" queues the message COUNT times at once, as a tool that repeats a
      // request does: the program finds them one behind the other.
      const long count = argc == 7 ? number(argv[6]) : 1;
      for (long i = 0; i < count; ++i)
        if (!PostMessageA(window, message, wParam, lParam)) return failure("PostMessage failed");
      return 0;
    }
    std::printf("{\"result\": %ld}\n",
                static_cast<long>(SendMessageA(window, message, wParam, lParam)));
    return 0;
  }
  if (command == "settext" && argc == 4) return setText(parseWindow(argv[2]), argv[3]);
  if (command == "focus" && argc == 3) return focusOf(parseWindow(argv[2]));
  if (command == "scroll" && argc == 3) return scrollBars(parseWindow(argv[2]));
  if (command == "closebox" && argc == 3) return closeBox(parseWindow(argv[2]));
  if (command == "resize" && (argc == 5 || argc == 7)) {
    const UINT keepPlace = argc == 5 ? SWP_NOMOVE : 0;
    return SetWindowPos(parseWindow(argv[2]), nullptr, argc == 7 ? number(argv[5]) : 0,
                        argc == 7 ? number(argv[6]) : 0, number(argv[3]), number(argv[4]),
                        keepPlace | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : failure("SetWindowPos failed");
  }
  if (command == "sweep" && argc == 2) return sweep();
  if (command == "show" && argc == 4) {
    ShowWindow(parseWindow(argv[2]), static_cast<int>(number(argv[3])));
    return 0;
  }
  failure(
      "usage: window_reader "
      "[windows|wait|tree|messagebox|send|post|settext|focus|scroll|closebox|resize|show|sweep] "
      "...");
  return 2;
}

// UTF-8 (as the tests write) to the ANSI code page (as a command line reaches the program).
std::string ansi(const std::string& text) {
  const int count = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  if (count <= 0) return "";
  std::wstring wide(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), count);
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return "";
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, out.data(), size, nullptr, nullptr);
  out.pop_back(); // the terminating NUL
  return out;
}

// One line of standard input without its line end; false at the end of the input.
bool readLine(std::string& line) {
  line.clear();
  char chunk[1024];
  while (std::fgets(chunk, sizeof chunk, stdin)) {
    line += chunk;
    if (line.back() == '\n') break;
  }
  if (line.empty()) return false;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return true;
}

int serve() {
  serving = true;
  std::string line;
  while (readLine(line)) {
    std::vector<std::string> args;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
      args.push_back(ansi(line.substr(start, tab - start)));
      start = tab + 1;
    }
    args.push_back(ansi(line.substr(start)));
    const int code = runCommand(args);
    // The reader of this output waits for this line: it must not sit in a buffer.
    std::printf("{\"done\": %d}\n", code);
    std::fflush(stdout);
  }
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) return serve();
  return runCommand(std::vector<std::string>(argv + 1, argv + argc));
}
