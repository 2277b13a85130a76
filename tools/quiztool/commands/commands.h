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

// A lone file argument, as Windows passes a file dropped on the program: a quiz file (by its
// name ending in .quiz, or else by its content) is packed beside itself; any other file gets a
// sentence that says what it is and what to drop instead.
bool isQuizFileName(const std::string& argument);
int runDrop(const std::string& dropped);

// The executable that pack writes by default, beside the quiz file: "my-quiz.quiz" and Notepad's
// "my-quiz.quiz.txt" give "my-quiz.exe".
std::string executableBeside(const std::string& quizFile);
