#include "board/answer_box_win.h"

#include <cstring>

#include "board/answer_check_win.h"
#include "board/board_scroll_win.h"
#include "board/progress_file_win.h"
#include "board/scroll_model.h"
#include "board/tab_scroll.h"
#include "content/quiz_state.h"
#include "content/settings_block.h"
#include "ids/control_ids.h"

namespace {

// Every answer box is an "Edit" control, so the procedure they had is the same for all.
WNDPROC savedEditProc = nullptr;
constexpr int selectAll = 260; // past the end of any answer

LRESULT passOn(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(savedEditProc, box, message, wParam, lParam);
}

void judge(HWND box) {
  checkAnswer(*quizState, GetParent(box), GetWindowLongA(box, GWL_ID));
}

// After Tab the focus is already in this box: bring it into view if it lies partly outside.
void scrollToFocusedBox(HWND box) {
  HWND board = GetParent(box);
  RECT boxRect;
  GetWindowRect(box, &boxRect);
  POINT top{boxRect.left, boxRect.top};
  ScreenToClient(board, &top);
  RECT client;
  GetClientRect(board, &client);
  const int height = boxRect.bottom - boxRect.top;
  if (!boxNeedsScroll(top.y, height, client.bottom)) return;
  scrollTarget = tabScrollTarget(GetScrollPos(board, SB_VERT), top.y, height, client.bottom,
                                 settingsBlock.scrollUnit);
  SendMessageA(board, WM_VSCROLL, scrollToTarget, 0);
}

void scrollBoardBy(HWND box, int code) {
  SendMessageA(GetParent(box), WM_VSCROLL, code, 0);
}

// Keys act when released, or at once when pressed with Alt (WM_SYSKEYDOWN).
LRESULT onKey(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (wParam) {
  case VK_RETURN: judge(box); return 1;
  case VK_TAB: scrollToFocusedBox(box); break;
  case VK_F1: tryAnswerEverywhere(box); break;
  case VK_F2: saveProgress(*quizState); break;
  case VK_PRIOR: scrollBoardBy(box, scrollPageUp); break;
  case VK_NEXT: scrollBoardBy(box, scrollPageDown); break;
  case VK_UP: scrollBoardBy(box, scrollWheelUp); break;
  case VK_DOWN: scrollBoardBy(box, scrollWheelDown); break;
  }
  return passOn(box, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SETTEXT: return 0; // a box's text changes only by editing
  case WM_SETFOCUS: SendMessageA(box, EM_SETSEL, 0, selectAll); break;
  case WM_KILLFOCUS: judge(box); break;
  case WM_CHAR:
    if (wParam == '\r' || wParam == '\t') return 0;
    break;
  case WM_KEYUP:
  case WM_SYSKEYDOWN: return onKey(box, message, wParam, lParam);
  }
  return passOn(box, message, wParam, lParam);
}

void installAnswerBoxProc(HWND box) {
  // In the 32-bit player the Ptr forms are SetWindowLongA and GWL_WNDPROC themselves; they also
  // build the 64-bit test player.
  savedEditProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answerBoxProc)));
}

void tryAnswerEverywhere(HWND box) {
  const QuizState& quiz = *quizState;
  HWND board = GetParent(box);
  char text[textCapacity];
  GetWindowTextA(box, text, sizeof text);
  const VerdictWords words = verdictWordsOf(settingsBlock);
  const int answers = quiz.questionCount * quiz.answersPerQuestion;
  for (int k = 1; k <= answers; ++k) {
    char verdict[textCapacity];
    GetDlgItemTextA(board, resultLabelBase + k, verdict, sizeof verdict);
    if (std::strcmp(verdict, words.success) == 0) continue; // already found
    HWND target = GetDlgItem(board, answerBoxBase + k);
    SendMessageA(target, EM_SETSEL, 0, selectAll);
    for (const char* c = text; *c; ++c)
      SendMessageA(target, WM_CHAR, static_cast<unsigned char>(*c), 0);
    // Each move of the focus judges the box it leaves.
    SetFocus(target);
  }
  SetFocus(box);
}
