// quiztool: the native companion of the player. Checks and packs quizzes, shows what a quiz
// holds, and gives developers the player's decoders and judge.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/platform/platform.h"
#include "tools/quiztool/quizfile/quiz_keys.h"

namespace {

struct Command {
  const char* name;
  int (*run)(int argc, char** argv);
  const char* usage; // one line in the tool's help
  Msg help;          // the command's own help, after its usage line
  bool listsKeys;    // the help lists the keys of a quiz file
};

constexpr Command commands[] = {
    {"check", runCheck, checkUsage, Msg::helpCheck, true},
    {"pack", runPack, packUsage, Msg::helpPack, true},
    {"show", runShow, showUsage, Msg::helpShow},
    {"unpack", runUnpack, unpackUsage, Msg::helpUnpack},
    {"png", runPng, "png IN.png OUT.bmp", Msg::helpPng},
    {"judge", runJudge, "judge STORED TYPED [--success WORD] [--failure WORD]", Msg::helpJudge},
    {"encode", runEncode, "encode IN OUT", Msg::helpEncode},
    {"decode", runDecode, "decode IN OUT", Msg::helpDecode},
};

// Every command, then the form Windows uses for a file dropped on the program.
void printUsage(std::FILE* to) {
  std::fputs(say(Msg::helpIntro).c_str(), to);
  for (const Command& command : commands) std::fprintf(to, "  quiztool %s\n", command.usage);
  std::fputs(say(Msg::helpDrop).c_str(), to);
  std::fputs(say(Msg::exitCodes).c_str(), to);
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
      std::printf("%s\n%s", say(Msg::usage, {command.usage}).c_str(), say(command.help).c_str());
      if (command.listsKeys) std::printf("%s%s", say(Msg::helpKeys).c_str(), keyList(90).c_str());
      std::fputs(say(Msg::exitCodes).c_str(), stdout);
      return 0;
    }
    return command.run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "%s\n", say(Msg::unknownCommand, {argv[1]}).c_str());
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
