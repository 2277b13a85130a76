// The entry point: registers the main window class, builds and loads the quiz record, opens the
// main window with the header bar and the question board, runs the message loop and tears
// everything down in a fixed order.
#include <windows.h>

#include "app/header_bar_win.h"
#include "app/main_window_win.h"
#include "board/board_dialog_win.h"
#include "content/content_loader.h"
#include "content/quiz_state.h"
#include "content/settings_block.h"
#include "media/media_host_win.h"

namespace {

constexpr int boardDialogId = 1001;
constexpr int headerDialogId = 1002;

// The class is registered under the quiz's title from the settings block, which a quiz-making
// tool writes; a copy keeps it terminated whatever the block holds.
ATOM registerMainWindowClass(HINSTANCE instance, const char* className) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = mainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
  windowClass.hIconSm = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
  windowClass.lpszClassName = className;
  return RegisterClassExA(&windowClass);
}

void centreOnDesktop(HWND window) {
  RECT desktop, frame;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(window, &frame);
  const int x = desktop.left + ((desktop.right - desktop.left) - (frame.right - frame.left)) / 2;
  const int y = desktop.top + ((desktop.bottom - desktop.top) - (frame.bottom - frame.top)) / 2;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

HWND openWindows(HINSTANCE instance, const char* className) {
  HWND mainWindow = CreateWindowExA(0, className, quizState->quizName, WS_OVERLAPPEDWINDOW,
                                    CW_USEDEFAULT, CW_USEDEFAULT, mainWindowWidth, mainWindowHeight,
                                    nullptr, nullptr, instance, nullptr);
  centreOnDesktop(mainWindow);
  quizState->headerWindow = CreateDialogParamA(instance, MAKEINTRESOURCEA(headerDialogId),
                                               mainWindow, headerDialogProc, 0);
  ShowWindow(quizState->headerWindow, SW_SHOWNORMAL);
  quizState->boardWindow =
      CreateDialogParamA(instance, MAKEINTRESOURCEA(boardDialogId), mainWindow, boardDialogProc, 0);
  // Showing the main window lays out the header, the board and the version label.
  ShowWindow(mainWindow, SW_SHOWNORMAL);
  ShowWindow(quizState->boardWindow, SW_SHOWNORMAL);
  SendMessageA(quizState->boardWindow, WM_VSCROLL, SB_TOP, 0);
  return mainWindow;
}

// The board gets the dialog keyboard handling (Tab between answer boxes); the header does not.
WPARAM runMessageLoop() {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(quizState->boardWindow, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return message.wParam;
}

void tearDown(HWND mainWindow) {
  DestroyWindow(quizState->headerWindow);
  shutDownMediaHost(mainWindow);
  DeleteObject(versionLabelBrush);
  releaseContent(*quizState);
  freeQuizState(quizState);
  quizState = nullptr;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  char className[sizeof settingsBlock.title + 1];
  lstrcpynA(className, settingsBlock.title, sizeof className);
  if (!registerMainWindowClass(instance, className)) {
    MessageBoxA(nullptr, "Erreur dans la création de la fenêtre principale", "Information",
                MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  versionLabelBrush = CreateSolidBrush(RGB(212, 208, 200));
  quizState = allocateQuizState();
  if (!quizState) {
    MessageBoxA(nullptr, "Impossible d'allouer la memoire", "Information", MB_OK);
    DeleteObject(versionLabelBrush);
    return 0;
  }
  constructQuizState(*quizState);
  loadContent(*quizState);
  initMediaHost();
  HWND mainWindow = openWindows(instance, className);
  const WPARAM exitCode = runMessageLoop();
  tearDown(mainWindow);
  return static_cast<int>(exitCode);
}
