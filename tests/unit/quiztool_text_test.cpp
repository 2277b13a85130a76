#include <gtest/gtest.h>

#include <memory>

#include "tests/unit/quiz_text.h"
#include "tools/quiztool/quizfile/codepage.h"
#include "tools/quiztool/quizfile/quiz_json.h"

namespace {

// UTF-8 literals: the build stores plain literals in code page 1252.
std::string utf8(const char8_t* text) {
  return reinterpret_cast<const char*>(text);
}

TEST(Codepage, ConvertsEveryByteBothWays) {
  for (int byte = 1; byte < 256; ++byte) {
    const std::string original(1, static_cast<char>(byte));
    std::string back;
    std::size_t bad = 0;
    ASSERT_TRUE(cp1252FromUtf8(utf8FromCp1252(original), back, bad)) << byte;
    EXPECT_EQ(back, original) << byte;
  }
  EXPECT_EQ(utf8FromCp1252("\x80\xE9\x9C"), utf8(u8"€éœ"));
}

TEST(Codepage, RejectsWhatCodePage1252Lacks) {
  struct Case {
    std::string utf8;
    std::size_t offset;
  };
  const Case cases[] = {
      {"ab\xE2\x82", 2},     // cut inside a character
      {"a\xC3(", 1},         // bad continuation byte
      {"\xC0\xAF", 0},       // overlong form
      {"xx\xED\xA0\x80", 2}, // surrogate
      {utf8(u8"Ā"), 0},      // U+0100
      {utf8(u8"ok 中"), 3},  {"\xFF", 0},
  };
  for (const Case& c : cases) {
    std::string converted;
    std::size_t bad = 99;
    EXPECT_FALSE(cp1252FromUtf8(c.utf8, converted, bad)) << c.utf8;
    EXPECT_EQ(bad, c.offset) << c.utf8;
  }
}

TEST(QuizJson, PrintsEveryFieldInUtf8) {
  QuizText text(2, 2, 2);
  text.field("Qui \"suis\"-je ?").field("Zoé").field("Deux réponses").field("Nom").field("Pays");
  text.field("a1").field("b1").field("q1").field("a2").field("b2").field("q2");
  text.byte(3).field("r1").field("x").field("r2").field("y").colour(1, 2, 3);
  auto content = std::make_unique<QuizContent>();
  ContentError error;
  ASSERT_TRUE(parseAnswersText(text.data(), text.size(), *content, error));
  auto codes = std::make_unique<RewardCodes>();
  copyText(codes->codes[0], "C\xE9"
                            "1");
  copyText(codes->codes[1], "C2");
  const std::string json = quizJson(*content, codes.get());
  for (const std::string& expected : std::initializer_list<std::string>{
           "\"kind\": \"picture\"", "\"questionCount\": 2", "\"answersPerQuestion\": 2",
           "\"quizName\": \"Qui \\\"suis\\\"-je ?\"", utf8(u8"\"author\": \"Zoé\""),
           utf8(u8"\"explanations\": \"Deux réponses\""), "\"firstAnswerLabel\": \"Nom\"",
           "\"secondAnswerLabel\": \"Pays\"", "\"revealMode\": 3",
           "\"background\": {\"red\": 1, \"green\": 2, \"blue\": 3}",
           "{\"number\": 2, \"answer\": \"a2\", \"secondAnswer\": \"b2\", \"questionText\": "
           "\"q2\", "
           "\"revealText\": \"r2\"}",
           utf8(u8"\"codes\": [\"Cé1\", \"C2\"]")}) {
    EXPECT_NE(json.find(expected), std::string::npos) << expected << "\n" << json;
  }
}

} // namespace
