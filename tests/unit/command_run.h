#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

// One of quiztool's commands, called as the command line calls it, with what it printed.
struct CommandRun {
  int result;
  std::string out, err;
};

inline CommandRun runCommand(int (*command)(int, char**), std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  const int result = command(static_cast<int>(argv.size()), argv.data());
  std::string out = testing::internal::GetCapturedStdout();
  return {result, out, testing::internal::GetCapturedStderr()};
}
