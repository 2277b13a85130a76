#include "board/board_rows_win.h"

#include <cstdio>

#include "board/answer_box_win.h"
#include "board/answer_check_win.h"
#include "board/board_colours_win.h"
#include "board/board_layout.h"
#include "board/board_scroll_win.h"
#include "board/progress_file_win.h"
#include "content/gdi_objects.h"
#include "ids/control_ids.h"
#include "media/media_buttons_win.h"
#include "media/media_player_win.h"
#include "pictures/picture_loader_win.h"

namespace {

constexpr int pictureBox = 260;

// What one build of the board carries from control to control.
struct RowBuild {
  HWND board;
  QuizState& quiz;
  BoardShape shape;
  BoardCursor cursor;
  ProgressReader progress;
  HBITMAP rowBitmaps[picturesPerRow]; // the current row's question pictures
};

PictureSize sizeOf(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return missingPicture;
  return {info.bmWidth, info.bmHeight};
}

// The three pictures of a row serve the whole row; what no label takes is freed with the row.
void deleteUnusedBitmaps(RowBuild& build) {
  for (HBITMAP& bitmap : build.rowBitmaps) {
    if (bitmap) DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

void loadRowPictures(RowBuild& build, int j) {
  deleteUnusedBitmaps(build);
  PictureSize sizes[picturesPerRow];
  for (int c = 0; c < picturesPerRow; ++c) {
    build.rowBitmaps[c] = loadPicture(GetModuleHandleA(nullptr), questionResourceBase + j + c,
                                      "IMG", pictureBox, pictureBox);
    sizes[c] = sizeOf(build.rowBitmaps[c]);
  }
  build.quiz.rowHeights[build.cursor.row] = setRowPictures(build.cursor, sizes);
}

// The text a control is created with; the number label's is formatted into `scratch`.
const char* initialText(RowBuild& build, const ControlPlan& plan, char (&scratch)[textCapacity]) {
  const QuizQuestion* question = questionAt(build.quiz, plan.question);
  switch (plan.role) {
  case ControlRole::numberLabel:
    std::snprintf(scratch, sizeof scratch, "%d.", plan.question);
    return scratch;
  case ControlRole::questionText: return question ? question->questionText : "";
  case ControlRole::answerBox: nextProgressLine(build.progress, scratch); return scratch;
  case ControlRole::resultLabel: return "?";
  case ControlRole::answerLineLabel:
    return plan.answerLine == 1 ? build.quiz.firstAnswerLabel : build.quiz.secondAnswerLabel;
  default: return "";
  }
}

HWND createControl(RowBuild& build, const ControlPlan& plan) {
  char scratch[textCapacity];
  HWND control = CreateWindowExA(0, plan.className, initialText(build, plan, scratch), plan.style,
                                 plan.x, plan.y, plan.width, plan.height, build.board,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(plan.id)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (plan.font == ControlFont::textFont)
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(build.quiz.textFont),
                 plan.fontRedraw);
  if (plan.font == ControlFont::guiFont)
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 plan.fontRedraw);
  return control;
}

// A box is judged right after its result label exists; the two-answer grid subclasses the box
// first, the other layouts judge first.
void finishAnswerLine(RowBuild& build, const ControlPlan& label) {
  const int box = label.id - resultLabelOffset;
  HWND boxWindow = GetDlgItem(build.board, box);
  if (build.shape.answersPerQuestion == 2 && build.shape.questionKind != kindText) {
    installAnswerBoxProc(boxWindow);
    checkAnswer(build.quiz, build.board, box);
  } else {
    checkAnswer(build.quiz, build.board, box);
    installAnswerBoxProc(boxWindow);
  }
}

void finishControl(RowBuild& build, const ControlPlan& plan, HWND control) {
  switch (plan.role) {
  case ControlRole::resultLabel: finishAnswerLine(build, plan); break;
  case ControlRole::revealLabel: {
    const QuizQuestion* question = questionAt(build.quiz, plan.question);
    // The label keeps its text hidden until the question is solved.
    SetWindowTextA(control, question ? question->revealText : "");
    ShowWindow(control, SW_HIDE);
    break;
  }
  case ControlRole::mediaHost: createMediaPlayer(control, plan.question); break;
  case ControlRole::playButton: setMediaButtonIcon(control, true); break;
  case ControlRole::stopButton: setMediaButtonIcon(control, false); break;
  default: break;
  }
}

// Unless the quiz swaps in answer pictures, an open question shows its picture; a question
// already solved when the board is built starts empty.
void showQuestionPicture(RowBuild& build, int j) {
  const int mode = build.quiz.revealMode;
  const QuizQuestion* question = questionAt(build.quiz, j);
  if (mode == 1 || mode == 3 || (question && question->solved)) return;
  HBITMAP& bitmap = build.rowBitmaps[(j + 2) % picturesPerRow];
  if (!bitmap) return;
  SendDlgItemMessageA(build.board, pictureLabelBase + j, STM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(bitmap));
  bitmap = nullptr; // the label has it now
}

void buildQuestion(RowBuild& build, int j) {
  if (startsPictureRow(build.shape, j)) loadRowPictures(build, j);
  ControlPlan plans[maxControlsPerQuestion];
  const int count = questionControls(build.shape, build.cursor, j, plans);
  for (int i = 0; i < count; ++i) finishControl(build, plans[i], createControl(build, plans[i]));
  if (build.shape.questionKind == kindPicture) showQuestionPicture(build, j);
  finishQuestion(build.shape, j, build.cursor);
}

} // namespace

void createTextFont(QuizState& quiz) {
  quiz.textFont = createFontObject({15, 100, false, false, nullptr});
}

void buildBoard(HWND board, QuizState& quiz) {
  createSuccessBrush();
  quiz.boardWidth = 0;
  quiz.boardHeight = 0;
  if (quiz.questionKind == kindAudio || quiz.questionKind == kindVideo) loadMediaButtonIcons();
  RowBuild build{board,
                 quiz,
                 {quiz.questionKind, quiz.questionCount, quiz.answersPerQuestion, quiz.revealMode},
                 {},
                 {},
                 {}};
  openProgress(build.progress);
  beginRestoredChecks();
  createTextFont(quiz);
  const int count = buildsQuestionRows(build.shape) ? quiz.questionCount : 0;
  for (int j = 1; j <= count && j <= maxQuestions; ++j) {
    buildQuestion(build, j);
    // The content size grows with each row.
    quiz.boardWidth = build.cursor.boardWidth;
    quiz.boardHeight = build.cursor.boardHeight;
  }
  deleteUnusedBitmaps(build);
  finishBoard(build.shape, build.cursor);
  quiz.boardWidth = build.cursor.boardWidth;
  quiz.boardHeight = build.cursor.boardHeight;
  closeProgress(build.progress);
  finishRestoredChecks(quiz, board);
  setUpScrollBars(quiz, board);
}
