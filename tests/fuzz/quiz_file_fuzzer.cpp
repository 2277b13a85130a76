// Any text as a quiz file, with a folder of a few small media files beside it. Every fault names
// the file and a line that exists; a quiz that parses gives decoded texts that the player's parser
// reads back field for field.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "content/content_parser.h"
#include "tools/quiztool/quizfile/quiz_file.h"

namespace {

std::string folderPath;

void removeFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folderPath, ignored);
}

// Made once per run and removed at exit: a.jpg, b.png, c.mp3.
const std::string& mediaFolder() {
  if (!folderPath.empty()) return folderPath;
  std::string pattern = (std::filesystem::temp_directory_path() / "quizfuzz-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  folderPath = pattern + "/";
  for (const char* name : {"a.jpg", "b.png", "c.mp3"}) {
    std::FILE* file = std::fopen((folderPath + name).c_str(), "wb");
    if (!file) std::abort();
    std::fputs(name, file);
    std::fclose(file);
  }
  std::atexit(removeFolder);
  return folderPath;
}

void expectSame(const char* read, const std::string& given) {
  if (given != read) __builtin_trap();
}

// Every fault is "fuzz.quiz:N: ..." with N from 1 to the number of lines (a CR alone ends a line
// too), or "fuzz.quiz: ..." alone, for a file that is not UTF-8 text at all.
void checkFaults(const std::string& text, const Faults& faults) {
  if (faults.messages.empty() || faults.count < faults.messages.size() ||
      faults.messages.size() > shownFaults)
    __builtin_trap();
  long lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i)
    lines += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
  const std::string prefix = "fuzz.quiz:";
  for (const std::string& error : faults.messages) {
    if (error.rfind(prefix, 0) != 0) __builtin_trap();
    if (error.compare(prefix.size(), 1, " ") == 0) {
      if (faults.count != 1) __builtin_trap();
      continue;
    }
    char* end = nullptr;
    const long line = std::strtol(error.c_str() + prefix.size(), &end, 10);
    if (line < 1 || line > lines || std::strncmp(end, ": ", 2) != 0) __builtin_trap();
  }
}

void checkReadsBack(const QuizDefinition& quiz) {
  static auto content = std::make_unique<QuizContent>();
  static auto codes = std::make_unique<RewardCodes>();
  const std::string answers = answersText(quiz);
  ContentError error;
  if (!parseAnswersText(reinterpret_cast<const std::uint8_t*>(answers.data()), answers.size(),
                        *content, error))
    __builtin_trap();
  if (content->questionKind != quiz.questionKind ||
      content->questionCount != static_cast<int>(quiz.questions.size()) ||
      content->answersPerQuestion != quiz.answersPerQuestion ||
      content->revealMode != quiz.revealMode || content->red != quiz.red ||
      content->green != quiz.green || content->blue != quiz.blue)
    __builtin_trap();
  expectSame(content->quizName, quiz.quizName);
  expectSame(content->authorName, quiz.authorName);
  expectSame(content->explanations, quiz.explanations);
  expectSame(content->firstAnswerLabel, quiz.firstAnswerLabel);
  expectSame(content->secondAnswerLabel, quiz.secondAnswerLabel);
  for (std::size_t i = 0; i < quiz.questions.size(); ++i) {
    const QuestionSource& source = quiz.questions[i];
    expectSame(content->questions[i].answer, source.answer);
    expectSame(content->questions[i].secondAnswer, source.secondAnswer);
    expectSame(content->questions[i].questionText, source.questionText);
    expectSame(content->questions[i].revealText, quiz.revealMode >= 2 ? source.revealText : "");
  }
  const std::string codeLines = codesText(quiz);
  if (!parseCodesText(reinterpret_cast<const std::uint8_t*>(codeLines.data()), codeLines.size(),
                      content->questionCount, *codes, error))
    __builtin_trap();
  for (std::size_t i = 0; i < quiz.questions.size(); ++i)
    expectSame(codes->codes[i], i < quiz.codes.size() ? quiz.codes[i] : "");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  QuizDefinition quiz;
  Faults faults;
  if (parseQuizText("fuzz.quiz", text, mediaFolder(), defaultSettings, quiz, faults))
    checkReadsBack(quiz);
  else
    checkFaults(text, faults);
  return 0;
}
