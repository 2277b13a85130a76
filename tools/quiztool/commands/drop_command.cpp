// A quiz file dropped on quiztool.exe: Windows starts the program with the file as its only
// argument, in a console window of its own that closes as soon as the program ends.
#include <cstdio>

#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/platform/platform.h"

bool isQuizFileName(const std::string& argument) {
  const std::string extension = ".quiz";
  if (argument.size() <= extension.size()) return false;
  const std::string end = argument.substr(argument.size() - extension.size());
  for (std::size_t i = 0; i < extension.size(); ++i) {
    const char c = end[i] >= 'A' && end[i] <= 'Z' ? static_cast<char>(end[i] + 32) : end[i];
    if (c != extension[i]) return false;
  }
  return true;
}

int runDrop(const std::string& quizFile) {
  std::string quiz = quizFile;
  std::string executable = quizFile.substr(0, quizFile.size() - 5) + ".exe";
  char* arguments[] = {quiz.data(), executable.data(), nullptr};
  const int result = runPack(2, arguments);
  if (result == 0)
    std::printf("%s\n", say(Msg::dropPacked, {quizFile, executable}).c_str());
  else
    std::fprintf(stderr, "%s\n", say(Msg::dropNotPacked, {quizFile}).c_str());
  std::fflush(stdout);
  if (ownsConsoleWindow()) {
    std::fprintf(stderr, "%s\n", say(Msg::pressAKey).c_str());
    waitForKey();
  }
  return result;
}
