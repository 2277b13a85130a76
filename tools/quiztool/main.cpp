// quiztool: the native companion of the player. Checks and packs quizzes, shows what a quiz
// holds, and gives developers the player's decoders and judge.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/platform/platform.h"
#include "tools/quiztool/quizfile/quiz_keys.h"

namespace {

struct Command {
  const char* name;
  int (*run)(int argc, char** argv);
  const char* usage; // one line in the tool's help
  const char* help;  // the command's own help, after its usage line
  bool listsKeys;    // the help lists the keys of a quiz file
};

constexpr Command commands[] = {
    {"check", runCheck, "check QUIZFILE [--player PLAYER.exe] [--strict]",
     "Runs every check that pack runs and writes nothing. Errors and warnings name the quiz\n"
     "file's line. With --strict, warnings (what students would never see) count as errors.\n",
     true},
    {"pack", runPack, "pack QUIZFILE [OUT.exe] [--player PLAYER.exe] [--strict]",
     "Checks the quiz, then writes it into a copy of the player (by default the player.exe\n"
     "built beside quiztool). Without OUT.exe it writes the quiz file's name with .exe beside\n"
     "the quiz file. It refuses to write over the quiz file, the player or any picture or\n"
     "clip the quiz names, and writes nothing when something is wrong.\n"
     "--unchecked-media packs pictures and clips without looking at their content: only to\n"
     "test how the player copes with files it cannot show or play, never for students.\n",
     true},
    {"show", runShow, "show QUIZ.exe | QUIZFILE.quiz | TEXT104 [TEXT105]",
     "Prints what a quiz executable holds, as JSON (UTF-8); for a .quiz file, what pack\n"
     "would write. TEXT104 and TEXT105 are decoded content texts.\n"},
    {"png", runPng, "png IN.png OUT.bmp",
     "Decodes a PNG picture as the player does and writes the bitmap as a BMP file. A picture\n"
     "the decoder refuses gives \"png failed: 0x....\" with its error code; pictures of more\n"
     "than 40 million pixels are refused with 0x1001.\n"},
    {"unpack", runUnpack, "unpack QUIZ.exe DIR",
     "Writes the quiz of an executable back as DIR/QUIZ.quiz and its media.\n"},
    {"judge", runJudge, "judge STORED TYPED [--success WORD] [--failure WORD]",
     "Prints the verdict the player gives for a typed answer.\n"},
    {"encode", runEncode, "encode IN OUT", "Codes a text as a content resource.\n"},
    {"decode", runDecode, "decode IN OUT", "Decodes a content resource.\n"},
};

constexpr char exitCodes[] =
    "Exit codes: 0 done, 1 input refused (the message says why), 2 wrong command line.\n";

void printUsage(std::FILE* to) {
  std::fprintf(to, "usage: quiztool COMMAND ARGS...   (quiztool COMMAND --help: one command)\n");
  for (const Command& command : commands) std::fprintf(to, "  quiztool %s\n", command.usage);
  std::fputs(exitCodes, to);
}

bool asksForHelp(const char* argument) {
  return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
}

// What Windows passes for a file dropped on the program: one argument that names a file, or a
// quiz file (whose absence pack then reports), and no command.
bool isDroppedFile(int argc, char** argv) {
  if (argc != 2 || asksForHelp(argv[1]) || std::strcmp(argv[1], "help") == 0) return false;
  for (const Command& command : commands)
    if (std::strcmp(argv[1], command.name) == 0) return false;
  return isQuizFileName(argv[1]) || fileKind(argv[1]) != FileKind::missing;
}

int run(int argc, char** argv) {
  if (isDroppedFile(argc, argv)) return runDrop(argv[1]);
  if (argc < 2) {
    printUsage(stderr);
    return 2;
  }
  if (asksForHelp(argv[1]) || std::strcmp(argv[1], "help") == 0) {
    printUsage(stdout);
    return 0;
  }
  for (const Command& command : commands) {
    if (std::strcmp(argv[1], command.name) != 0) continue;
    for (int i = 2; i < argc; ++i) {
      if (!asksForHelp(argv[i])) continue;
      std::printf("usage: quiztool %s\n%s", command.usage, command.help);
      if (command.listsKeys)
        std::printf("The keys of a quiz file (README.md says what each takes):\n%s",
                    keyList(90).c_str());
      std::fputs(exitCodes, stdout);
      return 0;
    }
    return command.run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "quiztool: unknown command '%s'\n", argv[1]);
  printUsage(stderr);
  return 2;
}

} // namespace

int main(int systemArgc, char** systemArgv) {
  setUpOutput();
  std::vector<std::string> arguments = commandLineArguments(systemArgc, systemArgv);
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  const int result = run(static_cast<int>(arguments.size()), pointers.data());
  // A window the tool opened itself (a file dropped on it, a double click) closes when the tool
  // ends: whatever happened, it stays until the teacher has read it.
  if (ownsConsoleWindow()) waitForKey();
  return result;
}
