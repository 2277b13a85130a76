#include "board/answer_check_win.h"

#include <cstdio>
#include <cstring>

#include "board/answer_judge.h"
#include "board/row_hiding_win.h"
#include "content/settings_block.h"
#include "ids/control_ids.h"
#include "ids/header_ids.h"
#include "ids/resource_ids.h"
#include "pictures/picture_loader_win.h"

namespace {

constexpr int resultLabelReadLength = 255; // a previous verdict is at most 254 characters

bool labelReads(HWND board, int labelId, const char* word) {
  char text[textCapacity];
  GetDlgItemTextA(board, labelId, text, sizeof text);
  return std::strcmp(text, word) == 0;
}

const char* storedAnswer(const QuizQuestion& question, int line) {
  return line == 2 ? question.secondAnswer : question.answer;
}

// Every answer box of question n holds its right text (normalised as the player typed it).
bool questionAnsweredRight(const QuizState& quiz, HWND board, int n, const QuizQuestion& question) {
  for (int line = 1; line <= quiz.answersPerQuestion; ++line) {
    char typed[textCapacity], stored[textCapacity];
    GetDlgItemTextA(board, answerBoxBase + (n - 1) * quiz.answersPerQuestion + line, typed,
                    sizeof typed);
    normaliseAnswer(typed);
    copyText(stored, storedAnswer(question, line));
    foldAnswer(stored);
    if (std::strcmp(typed, stored) != 0) return false;
  }
  return true;
}

// The answer picture replaces the question picture; the label keeps what it shows when the
// answer picture cannot be loaded.
void showAnswerPicture(HWND board, int n) {
  HBITMAP picture =
      loadPicture(GetModuleHandleA(nullptr), answerPictureResourceBase + n, "IMG", 260, 260);
  if (!picture) return;
  HWND label = GetDlgItem(board, pictureLabelBase + n);
  HANDLE old = reinterpret_cast<HANDLE>(SendMessageA(label, STM_GETIMAGE, IMAGE_BITMAP, 0));
  if (old) DeleteObject(old);
  SendMessageA(label, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
}

void showRevealLabel(HWND board, int n) {
  ShowWindow(GetDlgItem(board, revealLabelBase + n), SW_SHOWNORMAL);
}

void revealSolvedQuestion(QuizState& quiz, HWND board, int n, QuizQuestion& question) {
  if (!questionAnsweredRight(quiz, board, n, question)) return;
  question.solved = 1;
  if (quiz.revealMode == 2 || quiz.revealMode == 3) showRevealLabel(board, n);
  if (quiz.revealMode == 1 || quiz.revealMode == 3) showAnswerPicture(board, n);
}

// Reveal mode 4: every reveal text appears once every result label reads the success word.
void revealAllWhenComplete(QuizState& quiz, HWND board, const char* success) {
  const int answers = quiz.questionCount * quiz.answersPerQuestion;
  for (int k = 1; k <= answers; ++k)
    if (!labelReads(board, resultLabelBase + k, success)) return;
  quiz.allSolved = 1;
  for (int n = 1; n <= quiz.questionCount; ++n) showRevealLabel(board, n);
}

// Checks made while the board is built (process-wide: one board, one thread).
struct RestoredChecks {
  bool deferring;   // the score update waits for finishRestoredChecks
  bool changedSome; // a verdict changed meanwhile, so that update is due
};
RestoredChecks restoredChecks{};

// Steps 8 and 9 of a check, after a verdict changed: the whole-quiz reveal and the score.
void finishChangedCheck(QuizState& quiz, HWND board, const char* success) {
  if (quiz.revealMode == 4 && !quiz.allSolved) revealAllWhenComplete(quiz, board, success);
  updateScore(quiz, board);
}

} // namespace

void beginRestoredChecks() {
  restoredChecks = {true, false};
}

void finishRestoredChecks(QuizState& quiz, HWND board) {
  const bool due = restoredChecks.deferring && restoredChecks.changedSome;
  restoredChecks = {};
  // With no verdict changed the header keeps the texts it was made with, as before.
  if (due) finishChangedCheck(quiz, board, verdictWordsOf(settingsBlock).success);
}

void checkAnswer(QuizState& quiz, HWND board, int boxId) {
  const int k = boxId - answerBoxBase;
  char previous[textCapacity], typed[textCapacity], stored[textCapacity];
  GetDlgItemTextA(board, resultLabelBase + k, previous, resultLabelReadLength);
  const AnswerSlot slot = answerSlotOf(k, quiz.answersPerQuestion);
  QuizQuestion* question = questionAt(quiz, slot.question);
  if (!question) return;
  GetDlgItemTextA(board, boxId, typed, sizeof typed);
  normaliseAnswer(typed);
  copyText(stored, storedAnswer(*question, slot.line));
  foldAnswer(stored);
  const VerdictWords words = verdictWordsOf(settingsBlock);
  const char* verdict = judgeAnswer(stored, typed, words.success, words.failure);
  if (std::strcmp(verdict, previous) == 0) return;
  SetDlgItemTextA(board, resultLabelBase + k, verdict);
  const bool right = std::strcmp(verdict, words.success) == 0;
  if (!right) {
    ShowWindow(GetDlgItem(board, revealLabelBase + slot.question), SW_HIDE);
    quiz.allSolved = 0;
  } else if (quiz.revealMode != 0) {
    revealSolvedQuestion(quiz, board, slot.question, *question);
  }
  if (restoredChecks.deferring) {
    // Reveal mode 4 cannot complete before the last label exists, and the score shown at the
    // end depends only on the final labels: both wait for the end of the build.
    restoredChecks.changedSome = true;
    return;
  }
  finishChangedCheck(quiz, board, words.success);
}

void updateScore(QuizState& quiz, HWND board) {
  const VerdictWords words = verdictWordsOf(settingsBlock);
  int found = 0;
  for (int n = 1; n <= quiz.questionCount; ++n) {
    bool all = true;
    for (int line = 1; line <= quiz.answersPerQuestion; ++line)
      all = all && labelReads(board, resultLabelBase + (n - 1) * quiz.answersPerQuestion + line,
                              words.success);
    found += all ? 1 : 0;
  }
  char score[32];
  std::snprintf(score, sizeof score, " %d / %d", found, quiz.questionCount);
  SetDlgItemTextA(quiz.headerWindow, scoreLabelId, score);
  SetDlgItemTextA(quiz.headerWindow, codeBoxId, found > 0 ? quiz.codes[found - 1] : "      ");
  relayoutBoard(quiz);
}
