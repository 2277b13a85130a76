#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// What quiztool needs from the system it runs on. Paths are UTF-8 everywhere in the tool; on
// Windows they are converted to UTF-16 at the system's door, so that any file name the author's
// system holds can be read and written, and the arguments arrive as UTF-8 as they do on Linux.

// The command line as UTF-8 texts, the program's name first.
std::vector<std::string> commandLineArguments(int argc, char** argv);
// Standard output and error take UTF-8. A file or a pipe gets those bytes unchanged (no CR
// added before LF on Windows); a Windows console gets the same text as UTF-16, which it shows
// whatever its code page.
void setUpOutput();
// Writes out what standard output and error hold before the program waits or ends.
void flushOutput();

std::FILE* openFile(const std::string& path, const char* mode);
bool renameFile(const std::string& from, const std::string& to);
bool removeFile(const std::string& path);
// Makes a folder and the folders above it that are missing; true when it exists afterwards.
bool makeFolders(const std::string& path);

// What a path names, found without opening it for reading: opening a pipe can wait for ever.
enum class FileKind { missing, regular, folder, other }; // other: a device, a pipe, a socket
FileKind fileKind(const std::string& path);
// Opens a regular file for reading, never waiting on a pipe or a device: null otherwise, with
// `kind` saying what the path names (regular when the file is there but cannot be opened).
std::FILE* openRegularFile(const std::string& path, FileKind& kind, std::uint64_t& size);
// True when two existing paths name one file, whatever the spelling of each ("p.exe" and
// "./p.exe", a hard link): the device and inode, or on Windows the volume and file index.
bool sameFile(const std::string& a, const std::string& b);
// An existing file its owner may not write (Windows: the read-only attribute).
bool isReadOnly(const std::string& path);

// The folder that holds the running program, ending with a separator; empty when unknown.
std::string programFolder();
// The player that pack writes into when no --player is given.
std::string defaultPlayerPath();

// Separators and absolute paths as the system knows them ("\" and "C:\" on Windows too).
bool isSeparator(char c);
bool isAbsolutePath(const std::string& path);
// A file name from a quiz file, as the system reads it: quiz files travel between systems, so
// "images\lion.jpg" and "images/lion.jpg" name the same file everywhere.
std::string withSystemSeparators(const std::string& name);

// True when the program has a console window of its own that closes when it ends: Windows
// made one because the program was started from the desktop (a file dropped on it), not from a
// command prompt.
bool ownsConsoleWindow();
// Waits for one key press on that console.
void waitForKey();
