// quiztool pack and check: a quiz file into a copy of the player, or only its checks.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/executable/player_file.h"
#include "tools/quiztool/executable/quiz_packer.h"
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

std::string counted(std::size_t n, const char* thing) {
  return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

bool samePath(const std::string& a, const std::string& b) {
  std::error_code error, other;
  if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
  const fs::path first = fs::weakly_canonical(a, error), second = fs::weakly_canonical(b, other);
  return !error && !other && first == second;
}

// The output must not be one of the inputs: writing it would destroy the quiz's own files.
bool outputIsSafe(const PackOptions& options, const QuizDefinition& quiz) {
  const char* what = nullptr;
  int line = 0;
  if (samePath(options.out, options.quiz)) what = "the quiz file itself";
  if (!what && samePath(options.out, options.player)) what = "the player it copies";
  for (const QuestionSource& q : quiz.questions)
    for (const MediaFile* media : {&q.picture, &q.answerPicture, &q.clip})
      if (!what && !media->path.empty() && samePath(options.out, media->path))
        what = "a file the quiz names", line = media->line;
  std::error_code error;
  if (!what && fs::is_directory(options.out, error)) {
    std::fprintf(stderr, "pack: %s is a folder: name the executable to write\n",
                 options.out.c_str());
    return false;
  }
  if (!what) return true;
  std::fprintf(stderr,
               "pack: %s is %s%s: writing it would destroy it; name another output, "
               "such as %s\n",
               options.out.c_str(), what,
               line ? (" (line " + std::to_string(line) + ")").c_str() : "",
               fs::path(options.quiz).replace_extension(".exe").filename().string().c_str());
  return false;
}

// Prints the quiz's warnings and those of its media; under --strict they refuse the quiz.
bool reportWarnings(const PackOptions& options, const QuizDefinition& quiz,
                    std::vector<std::string>& warnings) {
  const std::vector<std::string> quizFound = quizWarnings(quiz);
  warnings.insert(warnings.begin(), quizFound.begin(), quizFound.end());
  for (const std::string& warning : warnings) std::fprintf(stderr, "%s\n", warning.c_str());
  if (!options.strict || warnings.empty()) return true;
  std::fprintf(stderr, "%s: %s, refused under --strict\n", options.quiz.c_str(),
               counted(warnings.size(), "warning").c_str());
  return false;
}

bool readQuiz(const PackOptions& options, const PeImage* player, QuizDefinition& quiz) {
  std::string error;
  if (parseQuizFile(options.quiz, startingSettings(player), quiz, error) &&
      checkQuizSettings(quiz, error)) {
    quiz.mediaUnchecked = options.mediaUnchecked;
    quiz.keepPictures = options.keepPictures;
    return true;
  }
  std::fprintf(stderr, "%s\n", error.c_str());
  return false;
}

} // namespace

int runPack(int argc, char** argv) {
  PackOptions options;
  if (!readOptions(argc, argv, true, options)) {
    std::fprintf(stderr, "usage: quiztool pack QUIZFILE [OUT.exe] [--player PLAYER.exe] "
                         "[--strict] [--keep-pictures]\n");
    return 2;
  }
  if (options.player.empty()) options.player = defaultPlayerPath();
  if (options.out.empty()) options.out = fs::path(options.quiz).replace_extension(".exe").string();
  PeImage image;
  QuizDefinition quiz;
  if (!loadPlayer(options.player, image) || !readQuiz(options, &image, quiz) ||
      !outputIsSafe(options, quiz))
    return 1;
  std::string error;
  std::vector<std::string> warnings;
  if (!packQuiz(quiz, image, error, &warnings)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  // Windows starts only .exe files, and the player names its progress file by replacing the
  // last three letters of its own name with "txt".
  std::string extension = fs::path(options.out).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != ".exe")
    warnings.push_back(options.out + ": warning: the output's name does not end in .exe: "
                                     "Windows will not start it");
  if (!reportWarnings(options, quiz, warnings) || !writeWholeFile(options.out, image.bytes))
    return 1;
  std::printf("pack: wrote %s (%s)\n", options.out.c_str(),
              counted(quiz.questions.size(), "question").c_str());
  return 0;
}

int runCheck(int argc, char** argv) {
  PackOptions options;
  if (!readOptions(argc, argv, false, options)) {
    std::fprintf(stderr, "usage: quiztool check QUIZFILE [--player PLAYER.exe] [--strict]\n");
    return 2;
  }
  // Without a player the checks run on the default settings; a named player must be readable.
  PeImage image;
  const bool named = !options.player.empty();
  const bool havePlayer = loadPlayer(named ? options.player : defaultPlayerPath(), image, !named);
  QuizDefinition quiz;
  if ((named && !havePlayer) || !readQuiz(options, havePlayer ? &image : nullptr, quiz)) return 1;
  std::string error;
  std::vector<std::string> warnings;
  ResourceTree tree;
  const bool packs = havePlayer ? packQuiz(quiz, image, error, &warnings)
                                : addQuizResources(quiz, tree, warnings, error);
  if (!packs) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (!reportWarnings(options, quiz, warnings)) return 1;
  std::printf("%s: ready to pack: %s, %s\n", options.quiz.c_str(),
              counted(quiz.questions.size(), "question").c_str(),
              counted(warnings.size(), "warning").c_str());
  return 0;
}
