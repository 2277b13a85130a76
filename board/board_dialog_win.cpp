#include "board/board_dialog_win.h"

#include "board/board_colours_win.h"
#include "board/board_rows_win.h"
#include "board/board_scroll_win.h"
#include "content/quiz_state.h"
#include "ids/control_ids.h"
#include "media/media_buttons_win.h"

namespace {

// The pictures belong to their labels' creator: freed with the board.
void deletePictures(HWND board) {
  for (int j = 1; j <= maxQuestions; ++j) {
    HWND label = GetDlgItem(board, pictureLabelBase + j);
    if (!label) continue;
    HANDLE picture = reinterpret_cast<HANDLE>(SendMessageA(label, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (picture) DeleteObject(picture);
  }
}

void closeBoard(HWND board) {
  deleteSuccessBrush();
  stopMediaAndDeleteFile();
  deletePictures(board);
}

} // namespace

INT_PTR CALLBACK boardDialogProc(HWND board, UINT message, WPARAM wParam, LPARAM lParam) {
  QuizState& quiz = *quizState;
  switch (message) {
  case WM_INITDIALOG: buildBoard(board, quiz); return TRUE;
  case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(quiz.backgroundBrush);
  case WM_CTLCOLORSTATIC:
    return colourBoardLabel(quiz, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  case WM_COMMAND: runMediaButton(board, quiz, wParam); return 0;
  case WM_VSCROLL: scrollBoard(quiz, board, SB_VERT, LOWORD(wParam)); return 0;
  case WM_HSCROLL: scrollBoard(quiz, board, SB_HORZ, LOWORD(wParam)); return 0;
  case WM_MOUSEWHEEL:
    postWheelScroll(board, wParam);
    // Reported as handled (with the result 0): the dialog manager would otherwise pass the
    // message on to the main window, which forwards wheel notches to the board too, and every
    // notch would scroll twice.
    SetWindowLongPtrA(board, DWLP_MSGRESULT, 0);
    return TRUE;
  case WM_SIZE: keepScrollPlaceOnResize(quiz, board); return 0;
  case WM_CLOSE:
  case WM_DESTROY: closeBoard(board); return 0;
  }
  return 0;
}
