// The end-to-end tests' eyes and hands inside Wine: lists windows, dumps a window tree, reads
// and answers message boxes, sends messages and reads scroll bars of another process's windows.
// Every command prints JSON (one object per line) in UTF-8 and exits 0, or prints an error on
// standard error and exits 1.
//
//   inspector windows                   visible top-level windows
//   inspector wait TITLE_OR_CLASS MS    waits for a visible top-level window, prints it
//   inspector tree HWND                 the window and every descendant
//   inspector messagebox                the first message box: caption, text, buttons
//   inspector send HWND MSG WPARAM LPARAM   SendMessage, prints the result
//   inspector post HWND MSG WPARAM LPARAM   PostMessage
//   inspector scroll HWND               both scroll bars: min, max, page, pos
//   inspector closebox HWND             screen point of the window's close box
//   inspector resize HWND WIDTH HEIGHT  gives a top-level window a new outer size
//   inspector show HWND COMMAND         ShowWindow (6 minimise, 9 restore, 3 maximise)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string utf8(const char* ansi) {
  wchar_t wide[1024];
  const int count = MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 1024);
  if (count <= 0) return "";
  char out[4096];
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, sizeof out, nullptr, nullptr);
  return out;
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
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, &result);
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
  std::fprintf(stderr, "no window %s\n", wanted.c_str());
  return 1;
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
  std::fprintf(stderr, "no message box\n");
  return 1;
}

int scrollBars(HWND window) {
  const char* names[] = {"horizontal", "vertical"};
  std::string out = "{";
  for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    const BOOL ok = GetScrollInfo(window, bar, &info);
    char part[200];
    std::snprintf(part, sizeof part,
                  "%s\"%s\": {\"ok\": %s, \"min\": %d, \"max\": %d, \"page\": %u, \"pos\": %d}",
                  bar == SB_HORZ ? "" : ", ", names[bar], ok ? "true" : "false", info.nMin,
                  info.nMax, info.nPage, info.nPos);
    out += part;
  }
  std::printf("%s}\n", out.c_str());
  return 0;
}

// The centre of the close box, found by asking the window what lies under the points of the
// top right corner of its frame.
int closeBox(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  long left = rect.right, right = rect.left, top = rect.bottom, bottom = rect.top;
  for (int y = rect.top; y < rect.top + 40; ++y) {
    for (int x = rect.right - 80; x < rect.right; ++x) {
      DWORD_PTR hit = 0;
      SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &hit);
      if (hit != HTCLOSE) continue;
      left = x < left ? x : left, right = x > right ? x : right;
      top = y < top ? y : top, bottom = y > bottom ? y : bottom;
    }
  }
  if (left > right) {
    std::fprintf(stderr, "no close box\n");
    return 1;
  }
  std::printf("{\"x\": %ld, \"y\": %ld}\n", (left + right) / 2, (top + bottom) / 2);
  return 0;
}

long number(const char* text) {
  return std::strtol(text, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
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
  if ((command == "send" || command == "post") && argc == 6) {
    HWND window = parseWindow(argv[2]);
    const UINT message = static_cast<UINT>(number(argv[3]));
    const WPARAM wParam = static_cast<WPARAM>(number(argv[4]));
    const LPARAM lParam = static_cast<LPARAM>(number(argv[5]));
    if (command == "post") return PostMessageA(window, message, wParam, lParam) ? 0 : 1;
    std::printf("{\"result\": %ld}\n",
                static_cast<long>(SendMessageA(window, message, wParam, lParam)));
    return 0;
  }
  if (command == "scroll" && argc == 3) return scrollBars(parseWindow(argv[2]));
  if (command == "closebox" && argc == 3) return closeBox(parseWindow(argv[2]));
  if (command == "resize" && argc == 5)
    return SetWindowPos(parseWindow(argv[2]), nullptr, 0, 0, number(argv[3]), number(argv[4]),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
  if (command == "show" && argc == 4) {
    ShowWindow(parseWindow(argv[2]), static_cast<int>(number(argv[3])));
    return 0;
  }
  std::fprintf(stderr, "usage: inspector windows|wait|tree|messagebox|send|post|scroll ...\n");
  return 2;
}
