// quiztool pack and check: a quiz file into a copy of the player, or only its checks.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/commands/fault_report.h"
#include "tools/quiztool/executable/player_file.h"
#include "tools/quiztool/executable/quiz_packer.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/platform/file_io.h"
#include "tools/quiztool/quizfile/quiz_checks.h"

namespace fs = std::filesystem;

namespace {

struct PackOptions {
  std::string quiz, out, player;
  bool strict = false;
  bool mediaUnchecked = false;
  bool keepPictures = false;
};

// "QUIZFILE [OUT.exe] [--player PLAYER.exe] [--strict]", options anywhere; OUT only for pack.
bool readOptions(int argc, char** argv, bool takesOut, PackOptions& options) {
  std::vector<std::string> names;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--strict") == 0) {
      options.strict = true;
    } else if (std::strcmp(argv[i], "--unchecked-media") == 0 && takesOut) {
      options.mediaUnchecked = true;
    } else if (std::strcmp(argv[i], "--keep-pictures") == 0 && takesOut) {
      options.keepPictures = true;
    } else if (std::strcmp(argv[i], "--player") == 0 && i + 1 < argc) {
      options.player = argv[++i];
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      return false;
    } else {
      names.push_back(argv[i]);
    }
  }
  if (names.empty() || names.size() > (takesOut ? 2u : 1u)) return false;
  options.quiz = names[0];
  if (names.size() == 2) options.out = names[1];
  return true;
}

bool samePath(const std::string& a, const std::string& b) {
  std::error_code error, other;
  if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
  const fs::path first = fs::weakly_canonical(a, error), second = fs::weakly_canonical(b, other);
  return !error && !other && first == second;
}

// The output must not be one of the inputs: writing it would destroy the quiz's own files.
bool outputIsSafe(const PackOptions& options, const QuizDefinition& quiz) {
  std::string what;
  if (samePath(options.out, options.quiz)) what = say(Msg::outputIsQuizFile);
  if (what.empty() && samePath(options.out, options.player)) what = say(Msg::outputIsPlayer);
  for (const QuestionSource& q : quiz.questions)
    for (const MediaFile* media : {&q.picture, &q.answerPicture, &q.clip})
      if (what.empty() && !media->path.empty() && samePath(options.out, media->path))
        what = say(Msg::outputIsMedia, {std::to_string(media->line)});
  std::error_code error;
  if (what.empty() && fs::is_directory(options.out, error)) {
    std::fprintf(stderr, "%s\n", say(Msg::outputIsFolder, {options.out}).c_str());
    return false;
  }
  if (what.empty()) return true;
  const std::string other = fs::path(options.quiz).replace_extension(".exe").filename().string();
  std::fprintf(stderr, "%s\n", say(Msg::outputDestroys, {options.out, what, other}).c_str());
  return false;
}

// Prints the quiz's warnings and those of its media; under --strict they refuse the quiz.
bool reportWarnings(const PackOptions& options, const QuizDefinition& quiz,
                    std::vector<std::string>& warnings) {
  const std::vector<std::string> quizFound = quizWarnings(quiz);
  warnings.insert(warnings.begin(), quizFound.begin(), quizFound.end());
  for (const std::string& warning : warnings) std::fprintf(stderr, "%s\n", warning.c_str());
  if (!options.strict || warnings.empty()) return true;
  const std::string count = counted(warnings.size(), Msg::warningsOne, Msg::warningsMany);
  std::fprintf(stderr, "%s\n", say(Msg::strictRefused, {options.quiz, count}).c_str());
  return false;
}

// Every check of the quiz file and of its settings, each fault added to `faults`.
void readQuiz(const PackOptions& options, const PeImage* player, QuizDefinition& quiz,
              Faults& faults) {
  parseQuizFile(options.quiz, startingSettings(player), quiz, faults);
  checkQuizSettings(quiz, faults);
  quiz.mediaUnchecked = options.mediaUnchecked;
  quiz.keepPictures = options.keepPictures;
}

void printUsage(const char* usage) {
  std::fprintf(stderr, "%s\n", say(Msg::usage, {usage}).c_str());
}

} // namespace

int runPack(int argc, char** argv) {
  PackOptions options;
  if (!readOptions(argc, argv, true, options)) {
    printUsage(packUsage);
    return 2;
  }
  if (options.player.empty()) options.player = defaultPlayerPath();
  if (options.out.empty()) options.out = fs::path(options.quiz).replace_extension(".exe").string();
  PeImage image;
  if (!loadPlayer(options.player, image)) return 1;
  QuizDefinition quiz;
  Faults faults;
  std::vector<std::string> warnings;
  readQuiz(options, &image, quiz, faults);
  if (!packQuiz(quiz, image, faults, &warnings)) {
    reportFaults(options.quiz, faults);
    return 1;
  }
  if (!outputIsSafe(options, quiz)) return 1;
  // Windows starts only .exe files, and the player names its progress file by replacing the
  // last three letters of its own name with "txt".
  std::string extension = fs::path(options.out).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != ".exe")
    warnings.push_back(options.out + ": " + say(Msg::warningPrefix) + say(Msg::outputNotExe));
  if (!reportWarnings(options, quiz, warnings) || !writeWholeFile(options.out, image.bytes))
    return 1;
  const std::string questions =
      counted(quiz.questions.size(), Msg::questionsOne, Msg::questionsMany);
  std::printf("%s\n", say(Msg::packWrote, {options.out, questions}).c_str());
  return 0;
}

int runCheck(int argc, char** argv) {
  PackOptions options;
  if (!readOptions(argc, argv, false, options)) {
    printUsage(checkUsage);
    return 2;
  }
  // Without a player the checks run on the default settings; a named player must be readable.
  PeImage image;
  const bool named = !options.player.empty();
  const bool havePlayer = loadPlayer(named ? options.player : defaultPlayerPath(), image, !named);
  if (named && !havePlayer) return 1;
  QuizDefinition quiz;
  Faults faults;
  std::vector<std::string> warnings;
  ResourceTree tree;
  readQuiz(options, havePlayer ? &image : nullptr, quiz, faults);
  const bool packs = havePlayer ? packQuiz(quiz, image, faults, &warnings)
                                : addQuizResources(quiz, tree, warnings, faults);
  if (!packs) {
    reportFaults(options.quiz, faults);
    return 1;
  }
  if (!reportWarnings(options, quiz, warnings)) return 1;
  std::printf("%s\n", say(Msg::readyToPack,
                          {options.quiz,
                           counted(quiz.questions.size(), Msg::questionsOne, Msg::questionsMany),
                           counted(warnings.size(), Msg::warningsOne, Msg::warningsMany)})
                          .c_str());
  return 0;
}
