// quiztool: the native companion of the player. Encodes and decodes content resources and shows
// what a quiz holds.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/quiztool/commands.h"
#include "tools/quiztool/platform.h"

namespace {

struct Command {
  const char* name;
  int (*run)(int argc, char** argv);
  const char* usage;
};

constexpr Command commands[] = {
    {"encode", runEncode, "encode IN OUT          code a text as a content resource"},
    {"decode", runDecode, "decode IN OUT          decode a content resource"},
    {"png", runPng, "png IN.png OUT.bmp     decode a PNG picture as the player does, into a BMP"},
    {"show", runShow, "show TEXT104 [TEXT105] | show QUIZ.exe   print what a quiz holds as JSON"},
    {"pack", runPack,
     "pack QUIZFILE OUT.exe [--player PLAYER.exe]   write a quiz into a copy of the player"},
    {"unpack", runUnpack,
     "unpack QUIZ.exe DIR     write the quiz back as DIR/QUIZ.quiz and its media"},
    {"judge", runJudge, "judge STORED TYPED     the verdict [--success WORD] [--failure WORD]"},
};

int printUsage() {
  std::fprintf(stderr, "usage: quiztool COMMAND ARGS...\n");
  for (const Command& command : commands) std::fprintf(stderr, "  quiztool %s\n", command.usage);
  return 2;
}

} // namespace

int main(int systemArgc, char** systemArgv) {
  useBinaryConsole();
  std::vector<std::string> arguments = commandLineArguments(systemArgc, systemArgv);
  std::vector<char*> pointers;
  for (std::string& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  const int argc = static_cast<int>(arguments.size());
  char** argv = pointers.data();
  if (argc == 2 && isQuizFileName(argv[1])) return runDrop(argv[1]);
  if (argc < 2) return printUsage();
  for (const Command& command : commands) {
    if (std::strcmp(argv[1], command.name) == 0) return command.run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "quiztool: unknown command '%s'\n", argv[1]);
  return printUsage();
}
