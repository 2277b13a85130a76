// quiztool show: what a quiz holds, as JSON, from its decoded texts or from a quiz executable.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

#include "content/content_decoder.h"
#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/commands/fault_report.h"
#include "tools/quiztool/executable/player_file.h"
#include "tools/quiztool/executable/quiz_packer.h"
#include "tools/quiztool/executable/quiz_unpacker.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/platform/file_io.h"
#include "tools/quiztool/quizfile/quiz_checks.h"
#include "tools/quiztool/quizfile/quiz_json.h"

namespace {

// What is wrong with a content text: of a text file as it is, of an executable's resource as
// the damage of the quiz it holds.
void reportContentError(const std::string& source, int resource, const ContentError& error) {
  const std::string detail = describeContentError(error);
  // Appended piece by piece: mingw's g++ 12 warns falsely (-Wrestrict) about chained additions.
  std::string where = "resource ";
  where += std::to_string(resource);
  where += ": ";
  where += detail;
  const std::string message = resource ? say(Msg::quizTextsDamaged, {where}) : detail;
  std::fprintf(stderr, "%s: %s\n", source.c_str(), message.c_str());
}

bool parseAnswers(const std::string& source, const std::uint8_t* text, std::size_t length,
                  QuizContent& content, int resource = 0) {
  ContentError error;
  if (parseAnswersText(text, length, content, error)) return true;
  reportContentError(source, resource, error);
  return false;
}

bool parseCodes(const std::string& source, const std::uint8_t* text, std::size_t length,
                int questionCount, RewardCodes& codes, int resource = 0) {
  ContentError error;
  if (parseCodesText(text, length, questionCount, codes, error)) return true;
  reportContentError(source, resource, error);
  return false;
}

int showTexts(int argc, char** argv) {
  std::vector<std::uint8_t> answers, codesBytes;
  auto content = std::make_unique<QuizContent>();
  if (!readWholeFile(argv[0], answers) ||
      !parseAnswers(argv[0], answers.data(), answers.size(), *content))
    return 1;
  std::unique_ptr<RewardCodes> codes;
  if (argc == 2) {
    codes = std::make_unique<RewardCodes>();
    if (!readWholeFile(argv[1], codesBytes) ||
        !parseCodes(argv[1], codesBytes.data(), codesBytes.size(), content->questionCount, *codes))
      return 1;
  }
  std::fputs(quizJson(*content, codes.get()).c_str(), stdout);
  return 0;
}

// A "PATCH" resource of the executable, decoded; false with a message when missing or bad.
bool decodedResource(const std::string& path, const ResourceTree& tree, int id, DecodedText& text) {
  std::string error;
  if (decodedQuizText(tree, id, text, error)) return true;
  std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
  return false;
}

std::string fixedText(const char* field, std::size_t size) {
  return jsonText(std::string(field, std::find(field, field + size, '\0')).c_str());
}

std::string settingsJson(const SettingsBlock& s) {
  return "{\"title\": " + fixedText(s.title, sizeof s.title) +
         ", \"web\": " + fixedText(s.webAddress, sizeof s.webAddress) +
         ", \"scrollUnit\": " + std::to_string(s.scrollUnit) +
         ", \"pageUnit\": " + std::to_string(s.pageUnit) +
         ", \"success\": " + fixedText(s.successWord, sizeof s.successWord) +
         ", \"failure\": " + fixedText(s.failureWord, sizeof s.failureWord) + "}";
}

// The quiz's pictures and clips: "IMG" resources, and RT_RCDATA ones under a quiz's ids (the
// player may hold data resources of its own).
std::string mediaJson(const ResourceTree& tree) {
  std::vector<std::string> items;
  for (const ResourceEntry& entry : tree.entries) {
    const bool picture =
        entry.type == imageType() ||
        (entry.type == ResourceName::number(rcdataType) && isQuizMediaId(entry.name.id));
    if (!picture || !entry.name.name.empty()) continue;
    items.push_back("{\"type\": \"" + std::string(entry.type == imageType() ? "IMG" : "RCDATA") +
                    "\", \"id\": " + std::to_string(entry.name.id) +
                    ", \"bytes\": " + std::to_string(entry.data.size()) + "}");
  }
  std::sort(items.begin(), items.end());
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + items[i];
  return out + "]";
}

// The quiz in a resource tree: of an executable, or as pack would write it.
int showTree(const std::string& path, const ResourceTree& tree, const SettingsBlock& settings) {
  DecodedText answers, codesText;
  auto content = std::make_unique<QuizContent>();
  auto codes = std::make_unique<RewardCodes>();
  if (!decodedResource(path, tree, answersId, answers) ||
      !parseAnswers(path, answers.bytes.get(), answers.length, *content, answersId) ||
      !decodedResource(path, tree, codesId, codesText) ||
      !parseCodes(path, codesText.bytes.get(), codesText.length, content->questionCount, *codes,
                  codesId))
    return 1;
  std::string json = quizJson(*content, codes.get(), settingsJson(settings));
  json.insert(json.rfind("\n}"), ",\n  \"media\": " + mediaJson(tree));
  std::fputs(json.c_str(), stdout);
  return 0;
}

int showExecutable(const std::string& path, std::vector<std::uint8_t> bytes) {
  PeImage image;
  ResourceTree tree;
  SettingsBlock settings;
  std::string error;
  if (!parsePeImage(std::move(bytes), image, error) || !readResourceTree(image, tree, error) ||
      !readSettingsBlock(image, settings, error)) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
    return 1;
  }
  return showTree(path, tree, settings);
}

// What pack would write for a quiz file, with the settings of the default player when there
// is one. Every check runs; warnings are not repeated here (check prints them).
int showQuizFile(const std::string& path) {
  PeImage player;
  const bool havePlayer = loadPlayer(defaultPlayerPath(), player, true);
  QuizDefinition quiz;
  ResourceTree tree;
  std::vector<std::string> warnings;
  Faults faults;
  parseQuizFile(path, startingSettings(havePlayer ? &player : nullptr), quiz, faults);
  checkQuizSettings(quiz, faults);
  if (!addQuizResources(quiz, tree, warnings, faults)) {
    reportFaults(path, faults);
    return 1;
  }
  return showTree(path, tree, quiz.settings);
}

bool endsWithQuiz(const std::string& path) {
  if (path.size() < 5) return false;
  std::string end = path.substr(path.size() - 5);
  for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return end == ".quiz";
}

// Decoded content text 104 starts with a byte that is not read, the kind (1 to 4), the count
// and the answers per question (1 or 2).
bool looksLikeContentText(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= 4 && bytes[1] >= 1 && bytes[1] <= 4 && bytes[3] >= 1 && bytes[3] <= 2;
}

} // namespace

int runShow(int argc, char** argv) {
  if (argc < 1 || argc > 2) {
    std::fprintf(stderr, "%s\n", say(Msg::usage, {showUsage}).c_str());
    return 2;
  }
  if (argc == 2) return showTexts(argc, argv);
  if (endsWithQuiz(argv[0])) return showQuizFile(argv[0]);
  std::vector<std::uint8_t> bytes;
  if (!readWholeFile(argv[0], bytes, maxExecutableBytes, Msg::whatQuizExecutable)) return 1;
  if (bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z')
    return showExecutable(argv[0], std::move(bytes));
  if (looksLikeContentText(bytes)) return showTexts(argc, argv);
  std::fprintf(stderr, "%s\n", say(Msg::notQuizOrExecutable, {argv[0]}).c_str());
  return 1;
}
