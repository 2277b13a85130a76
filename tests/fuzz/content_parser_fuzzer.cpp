// Any decoded text as resource 104 and as resource 105, through the parse and into a record.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "content/content_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto content = std::make_unique<QuizContent>();
  static auto codes = std::make_unique<RewardCodes>();
  ContentError error;
  if (parseAnswersText(data, size, *content, error)) {
    QuizState* state = allocateQuizState();
    constructQuizState(*state);
    applyAnswersContent(*state, *content);
    if (state->questionCount > maxQuestions) __builtin_trap();
    releaseContent(*state);
    freeQuizState(state);
  }
  parseCodesText(data, size, size % (maxQuestions + 1), *codes, error);
  return 0;
}
