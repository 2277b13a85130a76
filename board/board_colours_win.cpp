#include "board/board_colours_win.h"

#include <cstring>

#include "board/answer_judge.h"
#include "content/settings_block.h"
#include "ids/control_ids.h"

namespace {

HBRUSH successBrush = nullptr;
constexpr COLORREF successColour = RGB(0, 255, 0);

bool isPlainLabel(int id, int answers) {
  return (id >= numberLabelBase && id <= numberLabelBase + 240 + answers) ||
         id == answerLineLabelId || (id > revealLabelBase && id <= revealLabelBase + answers);
}

INT_PTR colourPlainLabel(const QuizState& quiz, HDC context) {
  SetBkMode(context, TRANSPARENT);
  SetTextColor(context, backgroundWantsBlackText(quiz) ? RGB(0, 0, 0) : RGB(255, 255, 255));
  return reinterpret_cast<INT_PTR>(quiz.backgroundBrush);
}

// The colour follows the quiz's own result words, so that a right answer stays green and a wrong
// one red whatever words the quiz uses. The characters are drawn on their label's own colour, so
// each label reads as one block of colour.
INT_PTR colourResultLabel(const QuizState& quiz, HDC context, HWND label) {
  char text[textCapacity];
  GetWindowTextA(label, text, sizeof text);
  const VerdictWords words = verdictWordsOf(settingsBlock);
  COLORREF colour;
  HBRUSH brush;
  if (std::strcmp(text, verdictAnagram) == 0) {
    colour = anagramColor, brush = quiz.anagramBrush;
  } else if (std::strcmp(text, words.success) == 0) {
    colour = successColour, brush = successBrush;
  } else if (std::strcmp(text, words.failure) == 0) {
    colour = wrongColor, brush = quiz.wrongBrush;
  } else if (std::strcmp(text, verdictUnknown) == 0) {
    return 0; // "?": the dialog's default colours
  } else {
    colour = hintColor, brush = quiz.hintBrush;
  }
  SetBkColor(context, colour);
  return reinterpret_cast<INT_PTR>(brush);
}

} // namespace

void createSuccessBrush() {
  successBrush = CreateSolidBrush(successColour);
}

void deleteSuccessBrush() {
  if (successBrush) DeleteObject(successBrush);
  successBrush = nullptr;
}

INT_PTR colourBoardLabel(const QuizState& quiz, HDC context, HWND control) {
  const int id = GetWindowLongA(control, GWL_ID);
  const int answers = quiz.answersPerQuestion * quiz.questionCount;
  if (isPlainLabel(id, answers)) return colourPlainLabel(quiz, context);
  if (id > resultLabelBase && id <= resultLabelBase + answers)
    return colourResultLabel(quiz, context, control);
  if (id == questionTextId) {
    SetBkColor(context, questionTextColor);
    return reinterpret_cast<INT_PTR>(quiz.questionTextBrush);
  }
  return 0; // picture labels and media hosts
}
