// Creates the player's main window around an empty quiz record and prints the version label's
// place before the window is first sized and after it is shown, one JSON line each.
#include <windows.h>

#include <cstdio>

#include "app/main_window_win.h"
#include "content/quiz_state.h"

namespace {

void printLabel(HWND window, const char* moment) {
  RECT client, label;
  GetClientRect(window, &client);
  HWND control = GetDlgItem(window, versionLabelId);
  GetWindowRect(control, &label);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&label), 2);
  char text[64] = "";
  GetWindowTextA(control, text, sizeof text);
  std::printf("{\"moment\": \"%s\", \"clientWidth\": %ld, \"clientHeight\": %ld, \"x\": %ld, "
              "\"y\": %ld, \"width\": %ld, \"height\": %ld, \"textLength\": %d}\n",
              moment, client.right, client.bottom, label.left, label.top, label.right - label.left,
              label.bottom - label.top, lstrlenA(text));
}

} // namespace

int main() {
  quizState = allocateQuizState();
  constructQuizState(*quizState);
  versionLabelBrush = CreateSolidBrush(RGB(212, 208, 200));
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = mainWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "MainWindowProbe";
  RegisterClassExA(&windowClass);
  HWND window = CreateWindowExA(0, "MainWindowProbe", "probe", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, mainWindowWidth, mainWindowHeight, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  printLabel(window, "created");
  ShowWindow(window, SW_SHOWNORMAL);
  printLabel(window, "shown");
  DestroyWindow(window);
  releaseContent(*quizState);
  freeQuizState(quizState);
  return 0;
}
