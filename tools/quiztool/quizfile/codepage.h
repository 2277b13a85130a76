#pragma once

#include <string>

// The player's texts are in the Windows ANSI code page 1252; quiz files and quiztool's output
// are UTF-8.

// Every byte has a character: the five bytes that code page 1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the control characters of the same value, as Windows maps them.
std::string utf8FromCp1252(const std::string& text);

// A letter followed by a combining accent (U+0300 to U+036F), as some systems write "é" (e and
// U+0301), is read as the one letter they make when code page 1252 has it: À to ÿ, Š, Ž, Ÿ.

// False when the text is not valid UTF-8 or holds a character that code page 1252 lacks;
// `badOffset` is then the byte offset of the first such character in `text` (of the letter
// before an accent that makes no letter with it), and `converted` has "?" in its place, so that
// the checks after a refusal see a text of the length the author wrote.
bool cp1252FromUtf8(const std::string& text, std::string& converted, std::size_t& badOffset);

// The byte offset of the first byte that does not belong to a valid UTF-8 character, or
// std::string::npos when the whole text is UTF-8.
std::size_t firstNonUtf8(const std::string& text);

// The UTF-8 character that starts at `offset` of a valid UTF-8 text, with the combining accents
// after it (for messages).
std::string utf8CharacterAt(const std::string& text, std::size_t offset);

// The characters a person counts in the first `end` bytes of a UTF-8 text: a combining accent is
// part of the letter before it. Positions in messages are counted so, from 1.
std::size_t characterCount(const std::string& text, std::size_t end);

// The UTF-8 text with its accents composed and its letters in lower case, A to Z and the
// accented letters of code page 1252 alike ("VIDÉO" is "vidéo"): how keys and kind names compare.
std::string foldCase(const std::string& text);

// The text with A to Z in lower case and every other byte as it is: how keys and Windows class
// names compare.
std::string lowerCase(std::string text);
