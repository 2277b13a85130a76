#pragma once

#include <string>

// One function per quiztool subcommand. Each takes the arguments after the subcommand's name
// and returns the process exit code.
int runEncode(int argc, char** argv);
int runDecode(int argc, char** argv);
int runShow(int argc, char** argv);
int runPack(int argc, char** argv);
int runCheck(int argc, char** argv);
int runJudge(int argc, char** argv);
int runPng(int argc, char** argv);
int runUnpack(int argc, char** argv);

// A lone quiz file argument, as Windows passes a file dropped on the program: pack it beside
// itself, say what happened and, in a window of its own, wait for a key before it closes.
bool isQuizFileName(const std::string& argument);
int runDrop(const std::string& quizFile);
