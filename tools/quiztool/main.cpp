// quiztool: the native companion of the player. Encodes and decodes content resources and shows
// what a quiz holds.
#include <cstdio>
#include <cstring>

#include "tools/quiztool/commands.h"

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
    {"judge", runJudge, "judge STORED TYPED     the verdict [--success WORD] [--failure WORD]"},
};

int printUsage() {
  std::fprintf(stderr, "usage: quiztool COMMAND ARGS...\n");
  for (const Command& command : commands) std::fprintf(stderr, "  quiztool %s\n", command.usage);
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) return printUsage();
  for (const Command& command : commands) {
    if (std::strcmp(argv[1], command.name) == 0) return command.run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "quiztool: unknown command '%s'\n", argv[1]);
  return printUsage();
}
