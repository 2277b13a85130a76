#include "board/row_hiding_win.h"

#include "board/board_scroll_win.h"
#include "ids/control_ids.h"
#include "ids/header_ids.h"

namespace {

// Moves a control down by `dy` pixels (up when negative); a control that does not exist is
// skipped.
void moveControlBy(HWND board, int id, int dy) {
  HWND control = GetDlgItem(board, id);
  if (!control) return;
  RECT rect;
  GetWindowRect(control, &rect);
  POINT corner{rect.left, rect.top + dy};
  HWND parent = GetParent(control);
  if (parent && parent != GetDesktopWindow()) ScreenToClient(parent, &corner);
  SetWindowPos(control, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool hideSolvedTicked(const QuizState& quiz) {
  return SendDlgItemMessageA(quiz.headerWindow, hideSolvedBoxId, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void runPlan(const QuizState& quiz, const std::vector<QuestionShift>& shifts) {
  for (const QuestionShift& shift : shifts) {
    const int showCommand = shift.action == PictureAction::hide ? SW_HIDE : SW_SHOWNORMAL;
    shiftQuestion(shift.action, showCommand, quiz.boardWindow, shift.distance, shift.direction,
                  shift.question);
  }
}

} // namespace

void shiftQuestion(PictureAction pictureAction, int showCommand, HWND board, int distance,
                   int direction, int j) {
  const int dy = distance * direction;
  if (pictureAction == PictureAction::move)
    moveControlBy(board, pictureLabelBase + j, dy);
  else
    ShowWindow(GetDlgItem(board, pictureLabelBase + j), showCommand);
  for (int id : {answerBoxBase + j, resultLabelBase + j, numberLabelBase + j, revealLabelBase + j})
    moveControlBy(board, id, dy);
}

void relayoutBoard(QuizState& quiz) {
  bool solved[maxQuestions + 1] = {};
  for (int j = 1; j <= quiz.questionCount && j <= maxQuestions; ++j) {
    const QuizQuestion* question = questionAt(quiz, j);
    solved[j] = question && question->solved == 1;
  }
  const RowHidingInput input{quiz.questionCount, quiz.revealMode, quiz.rowHeights, solved};
  std::vector<QuestionShift> shifts;
  if (hideSolvedTicked(quiz))
    planHidingPass(input, quiz.hiddenState, quiz.boardHeight, shifts);
  else
    planShowingPass(input, quiz.hiddenState, quiz.boardHeight, shifts);
  runPlan(quiz, shifts);
  // The board does not clip its controls: the areas that hidden pictures and moved controls
  // leave behind are erased later, over the controls moved into them. Everything is painted
  // again at once, the board first and its controls over it.
  if (!shifts.empty())
    RedrawWindow(quiz.boardWindow, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  keepScrollPlaceOnResize(quiz, quiz.boardWindow);
}
