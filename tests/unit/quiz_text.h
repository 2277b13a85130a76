#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds decoded content texts for tests: header bytes, then fields each ended by "|".
struct QuizText {
  std::string bytes;

  QuizText(int kindByte, int count, int answers) {
    bytes += '\x01';
    bytes += static_cast<char>(kindByte);
    bytes += static_cast<char>(count);
    bytes += static_cast<char>(answers);
  }
  QuizText& field(const std::string& text) {
    bytes += text + "|";
    return *this;
  }
  QuizText& byte(int value) {
    bytes += static_cast<char>(value);
    return *this;
  }
  QuizText& colour(int red, int green, int blue) { return byte(red).byte(green).byte(blue); }
  const std::uint8_t* data() const { return reinterpret_cast<const std::uint8_t*>(bytes.data()); }
  std::size_t size() const { return bytes.size(); }
};

// A text quiz of `count` questions "Qn" answered "An", reveal mode 0, default colours.
inline QuizText textQuiz(int count) {
  QuizText text(1, count, 1);
  text.field("Nom").field("Auteur").field("Explications").field("").field("");
  for (int n = 1; n <= count; ++n)
    text.field("A" + std::to_string(n)).field("Q" + std::to_string(n));
  return text.byte(0).colour(90, 95, 150);
}
