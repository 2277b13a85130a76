#include <gtest/gtest.h>

#include <memory>

#include "content/content_parser.h"
#include "tests/unit/quiz_text.h"

namespace {

struct Parsed {
  bool ok;
  std::unique_ptr<QuizContent> content = std::make_unique<QuizContent>();
  ContentError error;
};

Parsed parse(const QuizText& text) {
  Parsed parsed{false};
  parsed.ok = parseAnswersText(text.data(), text.size(), *parsed.content, parsed.error);
  return parsed;
}

QuizText headerOnly(int kind, int count, int answers) {
  QuizText text(kind, count, answers);
  text.field("Capitales").field("Marie").field("Trouvez les villes").field("Ville").field("Pays");
  return text;
}

TEST(ContentParser, ReadsPictureQuizWithTwoAnswers) {
  QuizText text = headerOnly(2, 3, 2);
  for (const char* n : {"1", "2", "3"})
    text.field(std::string("a") + n).field(std::string("b") + n).field(std::string("q") + n);
  text.byte(1).colour(10, 20, 30).byte(99); // a byte after the colour is not read
  const Parsed parsed = parse(text);
  ASSERT_TRUE(parsed.ok) << describeContentError(parsed.error);
  const QuizContent& c = *parsed.content;
  EXPECT_EQ(c.questionKind, kindPicture);
  EXPECT_EQ(c.questionCount, 3);
  EXPECT_EQ(c.answersPerQuestion, 2);
  EXPECT_STREQ(c.quizName, "Capitales");
  EXPECT_STREQ(c.authorName, "Marie");
  EXPECT_STREQ(c.explanations, "Trouvez les villes");
  EXPECT_STREQ(c.firstAnswerLabel, "Ville");
  EXPECT_STREQ(c.secondAnswerLabel, "Pays");
  EXPECT_STREQ(c.questions[1].answer, "a2");
  EXPECT_STREQ(c.questions[1].secondAnswer, "b2");
  EXPECT_STREQ(c.questions[2].questionText, "q3");
  EXPECT_EQ(c.revealMode, 1);
  EXPECT_EQ(c.red, 10);
  EXPECT_EQ(c.green, 20);
  EXPECT_EQ(c.blue, 30);
}

TEST(ContentParser, ReadsRevealTextsByMode) {
  struct Case {
    int mode;
    std::vector<std::string> fields; // after the mode byte
    std::vector<std::string> reveals;
  };
  const Case cases[] = {
      {0, {}, {"", ""}},
      {1, {}, {"", ""}},
      {2, {"r1", "r2"}, {"r1", "r2"}},
      {3, {"r1", "skip1", "r2", "skip2"}, {"r1", "r2"}},
      {4, {"r1", ""}, {"r1", ""}},
  };
  for (const Case& c : cases) {
    QuizText text = headerOnly(3, 2, 1);
    text.field("x").field("").field("y").field("");
    text.byte(c.mode);
    for (const std::string& f : c.fields) text.field(f);
    text.colour(1, 2, 3);
    const Parsed parsed = parse(text);
    ASSERT_TRUE(parsed.ok) << "mode " << c.mode << ": " << describeContentError(parsed.error);
    EXPECT_EQ(parsed.content->questionKind, kindAudio);
    EXPECT_EQ(parsed.content->revealMode, c.mode);
    EXPECT_EQ(parsed.content->questions[0].revealText, c.reveals[0]) << "mode " << c.mode;
    EXPECT_EQ(parsed.content->questions[1].revealText, c.reveals[1]) << "mode " << c.mode;
    EXPECT_EQ(parsed.content->blue, 3) << "mode " << c.mode;
  }
}

TEST(ContentParser, AcceptsEmptyFieldsAndTheLongestTexts) {
  const std::string longest(259, 'L');
  QuizText text(4, 1, 1);
  text.field("").field("").field("").field("").field("");
  text.field(longest).field("").byte(0).colour(0, 0, 0);
  const Parsed parsed = parse(text);
  ASSERT_TRUE(parsed.ok) << describeContentError(parsed.error);
  EXPECT_EQ(parsed.content->questionKind, kindVideo);
  EXPECT_STREQ(parsed.content->quizName, "");
  EXPECT_EQ(parsed.content->questions[0].answer, longest);
}

TEST(ContentParser, AcceptsZeroQuestions) {
  const Parsed parsed = parse(textQuiz(0));
  ASSERT_TRUE(parsed.ok);
  EXPECT_EQ(parsed.content->questionCount, 0);
  EXPECT_EQ(parsed.content->green, 95);
}

TEST(ContentParser, RejectsMalformedContent) {
  struct Case {
    std::string name;
    std::string bytes;
    ContentErrorCode code;
    std::string field;
  };
  const std::string good = textQuiz(2).bytes;
  std::string tooLong = textQuiz(1).bytes;
  tooLong.replace(tooLong.find("A1"), 2, std::string(260, 'x'));
  std::string noBar = good;
  noBar.erase(noBar.rfind("Q2") + 2, 1); // question 2's text runs into the mode byte
  const Case cases[] = {
      {"empty", "", contentTruncated, "byte 0"},
      {"header cut", good.substr(0, 3), contentTruncated, "answers per question"},
      {"no bar after the name", good.substr(0, 7), contentTruncated, "quiz name"},
      {"text cut", good.substr(0, good.find("A2") + 1), contentTruncated, "question 2 answer"},
      {"no bar", noBar, contentTruncated, "question 2 question text"},
      {"no colour", good.substr(0, good.size() - 1), contentTruncated, "background blue"},
      {"no reveal mode", good.substr(0, good.size() - 4), contentTruncated, "reveal mode"},
      {"text over 259", tooLong, contentTextTooLong, "question 1 answer"},
      {"97 questions", QuizText(1, 97, 1).bytes, contentTooManyQuestions, "question count"},
      {"kind 0", QuizText(0, 1, 1).bytes, contentBadKind, "question kind"},
      {"kind 5", QuizText(5, 1, 1).bytes, contentBadKind, "question kind"},
      {"3 answers", QuizText(1, 1, 3).bytes, contentBadAnswerCount, "answers per question"},
      {"reveal mode 5", good.substr(0, good.size() - 4) + "\x05" + good.substr(good.size() - 3),
       contentBadRevealMode, "reveal mode"},
  };
  for (const Case& c : cases) {
    auto content = std::make_unique<QuizContent>();
    ContentError error;
    EXPECT_FALSE(parseAnswersText(reinterpret_cast<const std::uint8_t*>(c.bytes.data()),
                                  c.bytes.size(), *content, error))
        << c.name;
    EXPECT_EQ(error.code, c.code) << c.name;
    EXPECT_EQ(error.field, c.field) << c.name;
  }
}

TEST(ContentParser, DescribesErrorsOnOneLine) {
  ContentError error{contentTruncated, "question 3 answer", 120};
  const std::string text = describeContentError(error);
  EXPECT_EQ(text.rfind("question 3 answer: ", 0), 0u);
  EXPECT_NE(text.find("(byte 120)"), std::string::npos);
  EXPECT_EQ(text.find('\n'), std::string::npos);
}

bool parseCodes(const std::string& text, int count, RewardCodes& codes) {
  ContentError error;
  return parseCodesText(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), count,
                        codes, error);
}

TEST(ContentParser, ReadsCodeLines) {
  auto codes = std::make_unique<RewardCodes>();
  ASSERT_TRUE(parseCodes("ZX81\r\n\r\nLAST\r\n", 3, *codes));
  EXPECT_STREQ(codes->codes[0], "ZX81");
  EXPECT_STREQ(codes->codes[1], "");
  EXPECT_STREQ(codes->codes[2], "LAST");
  // Extra lines are not read; zero questions read nothing at all.
  EXPECT_TRUE(parseCodes("A\r\nB\r\nC\r\n", 1, *codes));
  EXPECT_TRUE(parseCodes("", 0, *codes));
  // A last CR without LF still ends the line.
  EXPECT_TRUE(parseCodes("A\r", 1, *codes));
}

TEST(ContentParser, RejectsBadCodeLines) {
  auto codes = std::make_unique<RewardCodes>();
  ContentError error;
  const std::string noCr = "ONE\r\nTWO";
  EXPECT_FALSE(parseCodesText(reinterpret_cast<const std::uint8_t*>(noCr.data()), noCr.size(), 2,
                              *codes, error));
  EXPECT_EQ(error.field, "question 2 code");
  const std::string tooLong = std::string(260, 'c') + "\r\n";
  EXPECT_FALSE(parseCodes(tooLong, 1, *codes));
  EXPECT_FALSE(parseCodes("A\r\n", 2, *codes)); // fewer lines than questions
}

} // namespace
