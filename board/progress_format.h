#pragma once

#include <cstddef>
#include <cstdint>

#include "content/text_buffer.h"

// The progress file keeps what the player typed: for each answer box in order, its text (at
// most 259 characters, code page 1252) followed by CR LF. Nothing else: no header, count or
// checksum. This is the part that needs only bytes; opening, mapping and writing the file are
// the Windows side's.

// A CR LF line: at most 259 characters, CR, LF, and room for a terminating NUL.
constexpr int progressLineCapacity = textCapacity + 2;

// The progress file's name: the file name part of the executable's path (after its last
// backslash) with its last three characters replaced by "txt": C:\Jeux\jeu.exe gives jeu.txt,
// JEU.EXE gives JEU.txt. A name of fewer than three characters keeps them and gets "txt"
// appended (a path ending in a backslash gives "txt"). A name over 259 characters is cut to
// 259 first.
void progressFileNameFromPath(const char* modulePath, char (&name)[textCapacity]);

// Reading position in the bytes of a progress file; an empty or missing file is size 0.
struct ProgressLines {
  const std::uint8_t* bytes; // the whole file; may be null when size is 0
  std::uint32_t size;        // number of bytes
  std::uint32_t position;    // next byte to read, from 0; never beyond size
};

// The next line: the bytes up to the next CR, cut to 259 characters. Whatever lies between that
// CR and the next LF is skipped, then the LF itself. So an LF without a CR before it belongs to
// the text, a last line without CR LF runs to the end, and once the bytes are used up every
// further line is empty. A longer line is cut, but reading still goes past all of it.
void nextProgressLine(ProgressLines& lines, char (&text)[textCapacity]);

// Fills `line` with at most 259 characters of `boxText` followed by CR LF, and a NUL after them
// that is not part of the line. Returns the number of bytes to write: the text's plus 2.
std::size_t formatProgressLine(const char* boxText, char (&line)[progressLineCapacity]);
