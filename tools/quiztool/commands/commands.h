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

// What follows "quiztool " in the usage of the commands an author uses: in the help, and in the
// message of a command line the command refuses.
inline constexpr char checkUsage[] = "check QUIZFILE [--player PLAYER.exe] [--strict]";
inline constexpr char packUsage[] =
    "pack QUIZFILE [OUT.exe] [--player PLAYER.exe] [--strict] [--keep-pictures]";
inline constexpr char showUsage[] = "show QUIZ.exe | QUIZFILE.quiz | TEXT104 [TEXT105]";
inline constexpr char unpackUsage[] = "unpack QUIZ.exe DIR";

// A lone quiz file argument, as Windows passes a file dropped on the program: pack it beside
// itself, say what happened and, in a window of its own, wait for a key before it closes.
bool isQuizFileName(const std::string& argument);
int runDrop(const std::string& quizFile);
