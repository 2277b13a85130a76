#pragma once

#include <cstdio>
#include <string>
#include <vector>

// What quiztool needs from the system it runs on. Paths are UTF-8 everywhere in the tool; on
// Windows they are converted to UTF-16 at the system's door, so that any file name the author's
// system holds can be read and written, and the arguments arrive as UTF-8 as they do on Linux.

// The command line as UTF-8 texts, the program's name first.
std::vector<std::string> commandLineArguments(int argc, char** argv);
// Standard output and error pass bytes unchanged (no CR added before LF on Windows).
void useBinaryConsole();

std::FILE* openFile(const std::string& path, const char* mode);
bool renameFile(const std::string& from, const std::string& to);
bool removeFile(const std::string& path);
// Makes a folder and the folders above it that are missing; true when it exists afterwards.
bool makeFolders(const std::string& path);
bool isFolder(const std::string& path);

// The folder that holds the running program, ending with a separator; empty when unknown.
std::string programFolder();
// The player that pack writes into when no --player is given.
std::string defaultPlayerPath();

// Separators and absolute paths as the system knows them ("\" and "C:\" on Windows too).
bool isSeparator(char c);
bool isAbsolutePath(const std::string& path);

// True when the program has a console window of its own that closes when it ends: Windows
// made one because the program was started from the desktop (a file dropped on it), not from a
// command prompt.
bool ownsConsoleWindow();
// Waits for one key press on that console.
void waitForKey();
