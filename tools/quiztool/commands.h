#pragma once

// One function per quiztool subcommand. Each takes the arguments after the subcommand's name
// and returns the process exit code.
int runEncode(int argc, char** argv);
int runDecode(int argc, char** argv);
int runShow(int argc, char** argv);
int runPack(int argc, char** argv);
int runJudge(int argc, char** argv);
int runPng(int argc, char** argv);
