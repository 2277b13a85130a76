// quiztool pack and check: a quiz file into a copy of the player, or only its checks.
#include <cstdio>
#include <cstring>

#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/executable/player_file.h"
#include "tools/quiztool/executable/quiz_packer.h"
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

std::string counted(std::size_t n, const char* thing) {
  return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

// The output must not be one of the inputs: writing it would destroy the quiz's own files. The
// files are compared as the system knows them, so that no spelling of a path ("./p.exe") hides
// one of them. Nor does pack replace what is not a file it may replace (as cp does without -f).
bool outputIsSafe(const PackOptions& options, const QuizDefinition& quiz) {
  const std::string& out = options.out;
  const std::string other = executableBeside(options.quiz).substr(nameStart(options.quiz));
  const char* what = nullptr;
  int line = 0;
  if (sameFile(out, options.quiz)) what = "the quiz file itself";
  if (!what && sameFile(out, options.player)) what = "the player it copies";
  for (const QuestionSource& q : quiz.questions)
    for (const MediaFile* media : {&q.picture, &q.answerPicture, &q.clip})
      if (!what && !media->path.empty() && sameFile(out, media->path))
        what = "a file the quiz names", line = media->line;
  if (what) {
    std::fprintf(stderr,
                 "pack: %s is %s%s: writing it would destroy it; name another output, "
                 "such as %s\n",
                 out.c_str(), what, line ? (" (line " + std::to_string(line) + ")").c_str() : "",
                 other.c_str());
    return false;
  }
  if (fileKind(out) == FileKind::folder) {
    std::fprintf(stderr, "pack: %s is a folder: name the executable to write\n", out.c_str());
    return false;
  }
  const std::string refusal = replaceRefusal(out);
  if (refusal.empty()) return true;
  std::fprintf(stderr, "pack: %s %s: pack does not replace it; name another output, such as %s\n",
               out.c_str(), refusal.c_str(), other.c_str());
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
    std::fprintf(stderr, "usage: quiztool pack QUIZFILE [OUT.exe] [--player PLAYER.exe] "
                         "[--strict] [--keep-pictures]\n");
    return 2;
  }
  if (options.player.empty()) options.player = defaultPlayerPath();
  if (options.out.empty()) options.out = executableBeside(options.quiz);
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
  std::string base = options.out;
  if (!cutExtension(base, ".exe"))
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
