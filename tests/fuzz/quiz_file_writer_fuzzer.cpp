// Any content as the player holds it, written as a quiz file: what the writer accepts and the
// quiz file parser reads back must pack into the same content and settings. Input: one byte n,
// n bytes of the codes text, the 80-byte settings block, then the decoded text of resource 104.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "content/content_parser.h"
#include "tools/quiztool/quizfile/quiz_file.h"
#include "tools/quiztool/quizfile/quiz_file_writer.h"
#include "tools/quiztool/quizfile/quiz_json.h"

namespace {

std::string settingsText(const SettingsBlock& s) {
  const auto field = [](const char* text, std::size_t size) {
    return std::string(text, strnlen(text, size)) + "|";
  };
  return field(s.title, sizeof s.title) + field(s.webAddress, sizeof s.webAddress) +
         field(s.successWord, sizeof s.successWord) + field(s.failureWord, sizeof s.failureWord) +
         std::to_string(s.scrollUnit) + "|" + std::to_string(s.pageUnit);
}

// The content and codes that pack would code for the quiz, as JSON.
std::string packedJson(const QuizDefinition& quiz) {
  const std::string answers = answersText(quiz), codes = codesText(quiz);
  auto content = std::make_unique<QuizContent>();
  auto rewards = std::make_unique<RewardCodes>();
  ContentError error;
  if (!parseAnswersText(reinterpret_cast<const std::uint8_t*>(answers.data()), answers.size(),
                        *content, error) ||
      !parseCodesText(reinterpret_cast<const std::uint8_t*>(codes.data()), codes.size(),
                      content->questionCount, *rewards, error))
    __builtin_trap();
  return quizJson(*content, rewards.get());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 + static_cast<std::size_t>(data[0]) + sizeof(SettingsBlock)) return 0;
  const std::uint8_t* codesBytes = data + 1;
  const std::size_t codesLength = data[0];
  SettingsBlock settings;
  std::memcpy(&settings, codesBytes + codesLength, sizeof settings);
  const std::uint8_t* answers = codesBytes + codesLength + sizeof settings;
  const std::size_t answersLength = size - (answers - data);
  auto content = std::make_unique<QuizContent>();
  auto codes = std::make_unique<RewardCodes>();
  ContentError error;
  if (!parseAnswersText(answers, answersLength, *content, error) ||
      !parseCodesText(codesBytes, codesLength, content->questionCount, *codes, error))
    return 0;
  std::string text, message;
  if (!writeQuizText(*content, *codes, settings, {}, text, message)) return 0;
  QuizDefinition quiz;
  Faults faults;
  if (!parseQuizText("fuzz.quiz", text, "", defaultSettings, quiz, faults))
    return 0; // what pack would refuse (an empty answer, …): unpack refuses it too
  if (packedJson(quiz) != quizJson(*content, codes.get()) ||
      settingsText(quiz.settings) != settingsText(settings))
    __builtin_trap();
  return 0;
}
