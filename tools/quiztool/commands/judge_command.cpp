// quiztool judge: the verdict the player gives a typed answer, from UTF-8 arguments.
#include <cstdio>
#include <cstring>
#include <string>

#include "board/answer_judge.h"
#include "content/text_buffer.h"
#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/quizfile/codepage.h"

namespace {

// The player's words when the quiz sets none of its own.
constexpr char defaultSuccessWord[] = "BRAVO";
constexpr char defaultFailureWord[] = "FAUX";
// The quiz's success and failure words hold at most five characters.
constexpr int wordCapacity = 6;

struct JudgeArguments {
  const char* stored = nullptr;
  const char* typed = nullptr;
  const char* successWord = defaultSuccessWord;
  const char* failureWord = defaultFailureWord;
};

int printJudgeUsage() {
  std::fprintf(stderr, "usage: quiztool judge STORED TYPED [--success WORD] [--failure WORD]\n");
  return 2;
}

// The two texts in order; the options may come anywhere, each followed by its word.
bool parseJudgeArguments(int argc, char** argv, JudgeArguments& arguments) {
  int texts = 0;
  for (int i = 0; i < argc; ++i) {
    const bool success = std::strcmp(argv[i], "--success") == 0;
    if (success || std::strcmp(argv[i], "--failure") == 0) {
      if (++i == argc) return false;
      (success ? arguments.successWord : arguments.failureWord) = argv[i];
    } else if (texts == 0) {
      arguments.stored = argv[i], ++texts;
    } else if (texts == 1) {
      arguments.typed = argv[i], ++texts;
    } else {
      return false;
    }
  }
  return texts == 2;
}

// Converts a UTF-8 argument into the code page 1252 bytes the player works with; prints why and
// returns false when it has a character outside the code page or does not fit in `text`.
template <std::size_t N>
bool argumentText(const char* what, const char* utf8, char (&text)[N]) {
  std::string converted;
  std::size_t badOffset = 0;
  if (!cp1252FromUtf8(utf8, converted, badOffset)) {
    std::fprintf(stderr,
                 "quiztool judge: the %s is not UTF-8 or has a character outside code page 1252 "
                 "(at byte %zu)\n",
                 what, badOffset);
    return false;
  }
  if (converted.size() > N - 1) {
    std::fprintf(stderr, "quiztool judge: the %s is longer than %zu characters\n", what, N - 1);
    return false;
  }
  copyText(text, converted.data(), converted.size());
  return true;
}

} // namespace

int runJudge(int argc, char** argv) {
  JudgeArguments arguments;
  if (!parseJudgeArguments(argc, argv, arguments)) return printJudgeUsage();
  char stored[textCapacity];
  char typed[textCapacity];
  char successWord[wordCapacity];
  char failureWord[wordCapacity];
  if (!argumentText("stored answer", arguments.stored, stored) ||
      !argumentText("typed text", arguments.typed, typed) ||
      !argumentText("success word", arguments.successWord, successWord) ||
      !argumentText("failure word", arguments.failureWord, failureWord))
    return 2;
  // As the player does: the typed text is trimmed and folded, the stored answer only folded.
  normaliseAnswer(typed);
  foldAnswer(stored);
  const char* verdict = judgeAnswer(stored, typed, successWord, failureWord);
  std::printf("%s\n", utf8FromCp1252(verdict).c_str());
  return 0;
}
