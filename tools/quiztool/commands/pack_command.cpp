// quiztool pack and check: a quiz file into a copy of the player, or only its checks.
#include <cstdio>
#include <cstring>

#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/commands/fault_report.h"
#include "tools/quiztool/executable/player_file.h"
#include "tools/quiztool/executable/quiz_packer.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/platform/file_io.h"
#include "tools/quiztool/platform/platform.h"
#include "tools/quiztool/quizfile/codepage.h"
#include "tools/quiztool/quizfile/quiz_checks.h"

namespace {

// Where the file's own name starts in a path.
std::size_t nameStart(const std::string& path) {
  std::size_t start = path.size();
  while (start > 0 && !isSeparator(path[start - 1])) --start;
  return start;
}

// Cuts `extension` (lower case) from the end of the path when its name has it and more.
bool cutExtension(std::string& path, const std::string& extension) {
  if (path.size() <= nameStart(path) + extension.size() ||
      lowerCase(path.substr(path.size() - extension.size())) != extension)
    return false;
  path.erase(path.size() - extension.size());
  return true;
}

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

// The output must not be one of the inputs: writing it would destroy the quiz's own files. The
// files are compared as the system knows them, so that no spelling of a path ("./p.exe") hides
// one of them. Nor does pack replace what is not a file it may replace (as cp does without -f).
bool outputIsSafe(const PackOptions& options, const QuizDefinition& quiz) {
  const std::string& out = options.out;
  const std::string other = executableBeside(options.quiz).substr(nameStart(options.quiz));
  std::string what;
  if (sameFile(out, options.quiz)) what = say(Msg::outputIsQuizFile);
  if (what.empty() && sameFile(out, options.player)) what = say(Msg::outputIsPlayer);
  for (const QuestionSource& q : quiz.questions)
    for (const MediaFile* media : {&q.picture, &q.answerPicture, &q.clip})
      if (what.empty() && !media->path.empty() && sameFile(out, media->path))
        what = say(Msg::outputIsMedia, {std::to_string(media->line)});
  if (!what.empty()) {
    std::fprintf(stderr, "%s\n", say(Msg::outputDestroys, {out, what, other}).c_str());
    return false;
  }
  if (fileKind(out) == FileKind::folder) {
    std::fprintf(stderr, "%s\n", say(Msg::outputIsFolder, {out}).c_str());
    return false;
  }
  const std::string refusal = replaceRefusal(out);
  if (refusal.empty()) return true;
  std::fprintf(stderr, "%s\n", say(Msg::outputRefused, {out, refusal, other}).c_str());
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

std::string executableBeside(const std::string& quizFile) {
  std::string base = quizFile;
  const bool text = cutExtension(base, ".txt");
  if (!cutExtension(base, ".quiz") && !text) {
    const std::size_t dot = base.rfind('.');
    if (dot != std::string::npos && dot > nameStart(base)) base.erase(dot);
  }
  return base + ".exe";
}

int runPack(int argc, char** argv) {
  PackOptions options;
  if (!readOptions(argc, argv, true, options)) {
    printUsage(packUsage);
    return 2;
  }
  if (options.player.empty()) options.player = defaultPlayerPath();
  if (options.out.empty()) options.out = executableBeside(options.quiz);
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
  std::string base = options.out;
  if (!cutExtension(base, ".exe"))
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
