#include "content/quiz_state.h"

#include <new>

#include "content/gdi_objects.h"

QuizState* quizState = nullptr;

QuizState* allocateQuizState() {
  return new (std::nothrow) QuizState{};
}

void freeQuizState(QuizState* state) {
  delete state;
}

void constructQuizState(QuizState& state) {
  state.firstQuestion = nullptr;
  state.lastQuestion = nullptr;
  state.scoreFont = createFontObject({25, 400, false, false, "Arial"});
  state.titleFont = createFontObject({-15, 700, true, false, nullptr});
  state.questionKind = kindText;
  copyText(state.quizName, "nom du velmo");
  copyText(state.authorName, " createur");
  state.questionCount = 2;
  state.answersPerQuestion = 1;
  state.revealMode = 0;
  state.allSolved = 0;
  state.backgroundRed = 90;
  state.backgroundGreen = 95;
  state.backgroundBlue = 150;
  state.backgroundBrush = createBrushObject(colorRef(90, 95, 150));
  for (int& hidden : state.hiddenState) hidden = questionShown;
  state.wrongBrush = createBrushObject(wrongColor);
  state.anagramBrush = createBrushObject(anagramColor);
  state.hintBrush = createBrushObject(hintColor);
  state.questionTextBrush = createBrushObject(questionTextColor);
  state.mediaFolder[0] = '\0';
}

void addQuestion(QuizState& state, const char* answer, const char* secondAnswer,
                 const char* questionText) {
  auto* question = new (std::nothrow) QuizQuestion{};
  if (!question) return;
  copyText(question->answer, answer);
  copyText(question->secondAnswer, secondAnswer);
  copyText(question->questionText, questionText);
  question->previous = state.lastQuestion;
  if (state.lastQuestion) state.lastQuestion->next = question;
  if (!state.firstQuestion) state.firstQuestion = question;
  state.lastQuestion = question;
}

QuizQuestion* questionAt(const QuizState& state, int n) {
  QuizQuestion* question = state.firstQuestion;
  for (int step = 1; step < n && question && question->next; ++step) question = question->next;
  return question;
}

void setBackgroundColour(QuizState& state, std::uint8_t red, std::uint8_t green,
                         std::uint8_t blue) {
  state.backgroundRed = red;
  state.backgroundGreen = green;
  state.backgroundBlue = blue;
  // The constructor made a brush already; it is replaced, not leaked.
  deleteBrushObject(state.backgroundBrush);
  state.backgroundBrush = createBrushObject(colorRef(red, green, blue));
}

void releaseContent(QuizState& state) {
  deleteBrushObject(state.backgroundBrush);
  deleteBrushObject(state.wrongBrush);
  deleteBrushObject(state.anagramBrush);
  deleteBrushObject(state.hintBrush);
  deleteBrushObject(state.questionTextBrush);
  deleteFontObject(state.titleFont);
  deleteFontObject(state.textFont);
  deleteFontObject(state.scoreFont);
  state.backgroundBrush = state.wrongBrush = state.anagramBrush = nullptr;
  state.hintBrush = state.questionTextBrush = nullptr;
  state.titleFont = state.textFont = state.scoreFont = nullptr;
  QuizQuestion* question = state.firstQuestion;
  while (question) {
    QuizQuestion* next = question->next;
    delete question;
    question = next;
  }
  state.firstQuestion = nullptr;
  state.lastQuestion = nullptr;
}

bool backgroundWantsBlackText(const QuizState& state) {
  return state.backgroundRed > 69 || state.backgroundGreen > 69;
}
