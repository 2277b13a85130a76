#include <gtest/gtest.h>

#include <map>

#include "content/content_encoder.h"
#include "content/content_loader.h"
#include "content/gdi_objects_native.h"
#include "content/notice_native.h"
#include "tests/unit/quiz_text.h"

namespace {

// The resources that the loader finds, coded from plain texts.
std::map<int, std::vector<std::uint8_t>> resources;

ContentResource findResource(int id) {
  auto found = resources.find(id);
  if (found == resources.end()) return {nullptr, 0};
  return {found->second.data(), found->second.size()};
}

std::vector<std::uint8_t> coded(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  EXPECT_EQ(encodeContent(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), bytes),
            encodeOk);
  return bytes;
}

struct LoadedQuiz {
  QuizState* state = allocateQuizState();
  std::vector<std::string> notices;
  LoadedQuiz() {
    takeNotices();
    constructQuizState(*state);
    loadContentFrom(*state, findResource);
    notices = takeNotices();
  }
  ~LoadedQuiz() {
    releaseContent(*state);
    freeQuizState(state);
    resources.clear();
  }
  QuizState& operator*() { return *state; }
};

TEST(ContentLoader, LoadsBothResources) {
  QuizText text(2, 3, 1);
  text.field("Drapeaux").field("Léa").field("Quel pays ?").field("").field("");
  for (const char* answer : {"France", "Italie", "Japon"}) text.field(answer).field("");
  text.byte(2).field("r1").field("r2").field("r3").colour(40, 40, 250);
  resources[104] = coded(text.bytes);
  resources[105] = coded("UN\r\nDEUX\r\nTROIS\r\n");
  LoadedQuiz quiz;
  EXPECT_TRUE(quiz.notices.empty());
  QuizState& s = *quiz;
  EXPECT_STREQ(s.quizName, "Drapeaux");
  EXPECT_STREQ(s.authorName, "L\xE9"
                             "a"); // code page 1252
  EXPECT_EQ(s.questionKind, kindPicture);
  EXPECT_EQ(s.questionCount, 3);
  EXPECT_STREQ(questionAt(s, 3)->answer, "Japon");
  EXPECT_STREQ(questionAt(s, 2)->revealText, "r2");
  EXPECT_EQ(s.revealMode, 2);
  EXPECT_EQ(s.backgroundBrush->colorRef, colorRef(40, 40, 250));
  EXPECT_STREQ(s.codes[1], "DEUX"); // shown at score 2
  EXPECT_STREQ(s.codes[3], "");
}

TEST(ContentLoader, InstallsTheFallbackWithoutResource104) {
  resources[105] = coded("never read\r\n");
  LoadedQuiz quiz;
  ASSERT_EQ(quiz.notices, std::vector<std::string>{"Velmo: Reponses non trouv\xE9"
                                                   "es"});
  QuizState& s = *quiz;
  EXPECT_STREQ(s.quizName, "Nom du velmo");
  EXPECT_STREQ(s.authorName, "Createur velmo");
  EXPECT_STREQ(s.explanations, "Explications du velmo");
  EXPECT_STREQ(s.firstAnswerLabel, "TEST");
  EXPECT_STREQ(s.secondAnswerLabel, "TEST");
  EXPECT_EQ(s.questionCount, 7);
  EXPECT_EQ(s.answersPerQuestion, 1);
  EXPECT_EQ(s.revealMode, 3);
  EXPECT_EQ(s.questionKind, kindPicture);
  EXPECT_EQ(s.backgroundRed, 51);
  EXPECT_EQ(s.backgroundGreen, 102);
  EXPECT_EQ(s.backgroundBlue, 255);
  EXPECT_EQ(s.backgroundBrush->colorRef, 16737843u);
  EXPECT_STREQ(questionAt(s, 1)->answer, "test");
  EXPECT_STREQ(questionAt(s, 1)->secondAnswer, "test");
  EXPECT_STREQ(questionAt(s, 1)->questionText, "emplacement");
  EXPECT_EQ(questionAt(s, 7), questionAt(s, 2)); // two nodes for seven questions
  EXPECT_STREQ(s.codes[0], "");
}

TEST(ContentLoader, UndecodableAnswersLeaveTheDefaults) {
  resources[104] = {0x30, 0x98}; // the input ends inside the second code
  resources[105] = coded("A\r\n");
  LoadedQuiz quiz;
  ASSERT_EQ(quiz.notices, std::vector<std::string>{"Information: Erreur dans le d\xE9"
                                                   "cryptage des reponses"});
  EXPECT_EQ((*quiz).questionCount, 0);
  EXPECT_STREQ((*quiz).quizName, "nom du velmo");
  EXPECT_EQ((*quiz).firstQuestion, nullptr);
  EXPECT_STREQ((*quiz).codes[0], "");
}

TEST(ContentLoader, MalformedAnswersCountAsUndecodable) {
  resources[104] = coded(std::string("\x01\x01\x61\x01", 4) + "name|"); // 97 questions
  LoadedQuiz quiz;
  ASSERT_EQ(quiz.notices.size(), 1u);
  EXPECT_NE(quiz.notices[0].find("des reponses"), std::string::npos);
  EXPECT_EQ((*quiz).questionCount, 0);
}

TEST(ContentLoader, MissingOrBadCodesKeepTheQuiz) {
  for (const char* codes : {"", "no line end", "\x01"}) {
    resources[104] = coded(textQuiz(2).bytes);
    if (*codes) resources[105] = coded(codes);
    if (std::string(codes) == "\x01") resources[105] = {0x00}; // does not decode
    LoadedQuiz quiz;
    ASSERT_EQ(quiz.notices, std::vector<std::string>{"Information: Erreur dans le d\xE9"
                                                     "cryptage des codes"})
        << codes;
    EXPECT_EQ((*quiz).questionCount, 2);
    EXPECT_STREQ(questionAt(*quiz, 2)->questionText, "Q2");
    EXPECT_STREQ((*quiz).codes[0], "");
  }
}

TEST(ContentLoader, TextQuizDeclaringTwoAnswersIsPlayedWithOne) {
  QuizText text(1, 1, 2);
  text.field("n").field("a").field("e").field("").field("");
  text.field("first").field("second").field("question").byte(0).colour(1, 1, 1);
  resources[104] = coded(text.bytes);
  resources[105] = coded("C\r\n");
  LoadedQuiz quiz;
  EXPECT_EQ((*quiz).answersPerQuestion, 1);
  EXPECT_STREQ(questionAt(*quiz, 1)->answer, "first");
  EXPECT_STREQ(questionAt(*quiz, 1)->questionText, "question");
}

} // namespace
