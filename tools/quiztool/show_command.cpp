// quiztool show: what a quiz holds, as JSON.
#include <cstdio>
#include <memory>

#include "tools/quiztool/commands.h"
#include "tools/quiztool/file_io.h"
#include "tools/quiztool/quiz_json.h"

namespace {

bool parseAnswersFile(const char* path, QuizContent& content) {
  std::vector<std::uint8_t> text;
  if (!readWholeFile(path, text)) return false;
  ContentError error;
  if (parseAnswersText(text.data(), text.size(), content, error)) return true;
  std::fprintf(stderr, "%s: %s\n", path, describeContentError(error).c_str());
  return false;
}

bool parseCodesFile(const char* path, int questionCount, RewardCodes& codes) {
  std::vector<std::uint8_t> text;
  if (!readWholeFile(path, text)) return false;
  ContentError error;
  if (parseCodesText(text.data(), text.size(), questionCount, codes, error)) return true;
  std::fprintf(stderr, "%s: %s\n", path, describeContentError(error).c_str());
  return false;
}

} // namespace

int runShow(int argc, char** argv) {
  if (argc < 1 || argc > 2) {
    std::fprintf(stderr, "usage: quiztool show TEXT104 [TEXT105]\n");
    return 2;
  }
  auto content = std::make_unique<QuizContent>();
  if (!parseAnswersFile(argv[0], *content)) return 1;
  std::unique_ptr<RewardCodes> codes;
  if (argc == 2) {
    codes = std::make_unique<RewardCodes>();
    if (!parseCodesFile(argv[1], content->questionCount, *codes)) return 1;
  }
  std::fputs(quizJson(*content, codes.get()).c_str(), stdout);
  return 0;
}
