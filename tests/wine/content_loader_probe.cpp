// Loads the quiz of its own resources with the player's loader and prints what the record
// holds, one "name: value" line each, with bytes outside ASCII written as \xHH. Notices are
// printed where they would be shown.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "content/content_loader.h"

namespace {

void printText(const char* name, const char* text) {
  std::printf("%s: ", name);
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    if (*p < 0x20 || *p >= 0x7F)
      std::printf("\\x%02X", *p);
    else
      std::putchar(*p);
  }
  std::putchar('\n');
}

void printQuiz(const QuizState& s) {
  printText("quizName", s.quizName);
  printText("authorName", s.authorName);
  printText("explanations", s.explanations);
  printText("answerLabels",
            (std::string(s.firstAnswerLabel) + " / " + s.secondAnswerLabel).c_str());
  std::printf("kind: %d\ncount: %d\nanswers: %d\nrevealMode: %d\n", s.questionKind, s.questionCount,
              s.answersPerQuestion, s.revealMode);
  std::printf("background: %d %d %d\n", s.backgroundRed, s.backgroundGreen, s.backgroundBlue);
  int nodes = 0;
  for (const QuizQuestion* q = s.firstQuestion; q; q = q->next) {
    ++nodes;
    printText(("question " + std::to_string(nodes)).c_str(),
              (std::string(q->answer) + " / " + q->secondAnswer + " / " + q->questionText + " / " +
               q->revealText)
                  .c_str());
  }
  std::printf("nodes: %d\n", nodes);
  for (int n = 0; n < s.questionCount && n < maxQuestions; ++n) {
    if (s.codes[n][0]) std::printf("code %d: %s\n", n + 1, s.codes[n]);
  }
}

} // namespace

void showNotice(const char* text, const char* caption) {
  printText("notice", (std::string(caption) + " / " + text).c_str());
}

int main() {
  _setmode(_fileno(stdout), _O_BINARY);
  QuizState* state = allocateQuizState();
  constructQuizState(*state);
  loadContent(*state);
  printQuiz(*state);
  releaseContent(*state);
  freeQuizState(state);
  return 0;
}
