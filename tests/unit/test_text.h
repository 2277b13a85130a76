#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Texts as the tests write them. Quiz files are UTF-8, yet plain literals here are code page
// 1252, as the player's texts are: a quiz file's text is written as a u8 literal.
inline std::string utf8(const char8_t* text) {
  return reinterpret_cast<const char*>(text);
}

inline std::vector<std::uint8_t> bytesOf(const std::string& text) {
  return {text.begin(), text.end()};
}
