#include "app/main_window_win.h"

#include "board/board_dialog_win.h"
#include "board/progress_file_win.h"
#include "board/scroll_model.h"
#include "content/quiz_state.h"
#include "ids/control_ids.h"

HBRUSH versionLabelBrush = nullptr;

namespace {

// Set by the first close request. Two close requests can be queued together (a tool or a
// window manager may send two); the second then arrives after the board is gone.
bool closing = false;

constexpr char versionText[] = "Réalisé avec la version 2.1.7  ";

void createMainWindowChildren(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  createStaticLabel(window, versionText, 720, client.bottom - 16, 140, 15, versionLabelId);
  SendMessageA(
      window, WM_SETICON, ICON_BIG,
      reinterpret_cast<LPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(32514)))); // IDI_QUESTION
}

// The board fills the window below the header; the version label hangs at the bottom right,
// 5 pixels past the client area as it always has.
void layOutMainWindow(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  const int width = client.right;
  const int height = client.bottom;
  SetWindowPos(quizState->boardWindow, nullptr, 5, 50, width - 11, height - 68, SWP_NOZORDER);
  SetWindowPos(quizState->headerWindow, nullptr, 5, 2, width - 11, 49, SWP_NOZORDER);
  SetWindowPos(GetDlgItem(window, versionLabelId), nullptr, width - 145, height - 16, 150, 15,
               SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

void destroyBoardAndQuit() {
  DestroyWindow(quizState->boardWindow);
  PostQuitMessage(0);
}

LRESULT colourVersionLabel(HDC context, HWND control) {
  if (GetWindowLongA(control, GWL_ID) != versionLabelId) return 0;
  SetBkMode(context, TRANSPARENT);
  SetTextColor(context, RGB(0, 0, 0));
  return reinterpret_cast<LRESULT>(versionLabelBrush);
}

} // namespace

HWND createStaticLabel(HWND parent, const char* text, int x, int y, int width, int height, int id) {
  HWND label = CreateWindowExA(0, "Static", text, WS_CHILD | WS_VISIBLE, x, y, width, height,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return label;
}

void forwardMouseWheel(HWND board, WPARAM wParam) {
  const int code = wheelScrollCode(HIWORD(wParam));
  if (code != 0) PostMessageA(board, WM_VSCROLL, code, 0);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CREATE: createMainWindowChildren(window); return 0;
  case WM_SIZE:
    if (wParam != SIZE_MINIMIZED) layOutMainWindow(window);
    return 0;
  case WM_CLOSE:
    if (closing) return 0; // already closing: nothing is left to save or destroy
    closing = true;
    // Progress is saved before the board and its answer boxes disappear.
    saveProgress(*quizState);
    destroyBoardAndQuit();
    return 0;
  case WM_DESTROY:
    closing = true;
    destroyBoardAndQuit();
    return 0;
  case WM_CTLCOLORSTATIC:
    return colourVersionLabel(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  case WM_MOUSEWHEEL: forwardMouseWheel(quizState->boardWindow, wParam); return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
