#include <gtest/gtest.h>

#include "content/gdi_objects_native.h"
#include "content/quiz_state.h"

namespace {

// A constructed record that is released and freed at the end of the test.
struct ConstructedQuiz {
  QuizState* state = allocateQuizState();
  ConstructedQuiz() { constructQuizState(*state); }
  ~ConstructedQuiz() {
    releaseContent(*state);
    freeQuizState(state);
  }
  QuizState& operator*() { return *state; }
};

TEST(QuizState, ConstructionGivesTheDefaults) {
  const int objectsBefore = liveGdiObjectCount();
  ConstructedQuiz quiz;
  const QuizState& s = *quiz;
  EXPECT_EQ(s.firstQuestion, nullptr);
  EXPECT_EQ(s.lastQuestion, nullptr);
  EXPECT_EQ(s.questionKind, kindText);
  EXPECT_STREQ(s.quizName, "nom du velmo");
  EXPECT_STREQ(s.authorName, " createur");
  EXPECT_STREQ(s.explanations, "");
  EXPECT_EQ(s.questionCount, 2);
  EXPECT_EQ(s.answersPerQuestion, 1);
  EXPECT_EQ(s.revealMode, 0);
  EXPECT_EQ(s.allSolved, 0);
  EXPECT_EQ(s.backgroundRed, 90);
  EXPECT_EQ(s.backgroundGreen, 95);
  EXPECT_EQ(s.backgroundBlue, 150);
  EXPECT_EQ(s.backgroundBrush->colorRef, 9854810u);
  EXPECT_EQ(s.wrongBrush->colorRef, 255u);
  EXPECT_EQ(s.anagramBrush->colorRef, 25855u);
  EXPECT_EQ(s.hintBrush->colorRef, 2542591u);
  EXPECT_EQ(s.questionTextBrush->colorRef, 12648447u);
  for (int n = 0; n <= maxQuestions; ++n) EXPECT_EQ(s.hiddenState[n], questionShown);
  EXPECT_STREQ(s.mediaFolder, "");
  EXPECT_EQ(s.textFont, nullptr);
  // Seven objects: two fonts and five brushes.
  EXPECT_EQ(liveGdiObjectCount() - objectsBefore, 7);
}

TEST(QuizState, ConstructionMakesTheHeaderFonts) {
  ConstructedQuiz quiz;
  const FontDescription& score = (*quiz).scoreFont->description;
  EXPECT_EQ(score.height, 25);
  EXPECT_EQ(score.weight, 400);
  EXPECT_STREQ(score.faceName, "Arial");
  const FontDescription& title = (*quiz).titleFont->description;
  EXPECT_EQ(title.height, -15);
  EXPECT_EQ(title.weight, 700);
  EXPECT_TRUE(title.italic);
  EXPECT_FALSE(title.underline);
  EXPECT_EQ(title.faceName, nullptr);
}

TEST(QuizState, QuestionAtStopsAtTheLastNode) {
  ConstructedQuiz quiz;
  EXPECT_EQ(questionAt(*quiz, 1), nullptr);
  addQuestion(*quiz, "un", "", "premier");
  addQuestion(*quiz, "deux", "bis", "second");
  QuizQuestion* first = questionAt(*quiz, 1);
  QuizQuestion* second = questionAt(*quiz, 2);
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first->answer, "un");
  EXPECT_STREQ(second->secondAnswer, "bis");
  EXPECT_STREQ(second->questionText, "second");
  EXPECT_EQ(questionAt(*quiz, 5), second);
  EXPECT_EQ(first->next, second);
  EXPECT_EQ(second->previous, first);
  EXPECT_EQ((*quiz).lastQuestion, second);
  EXPECT_STREQ(second->revealText, "");
  EXPECT_EQ(second->solved, 0);
}

TEST(QuizState, AddQuestionCutsOverlongTexts) {
  ConstructedQuiz quiz;
  const std::string longText(400, 'x');
  addQuestion(*quiz, longText.c_str(), longText.c_str(), longText.c_str());
  EXPECT_EQ(std::string(questionAt(*quiz, 1)->answer), std::string(259, 'x'));
}

TEST(QuizState, ReleaseDeletesEveryObjectAndTheList) {
  const int objectsBefore = liveGdiObjectCount();
  QuizState* state = allocateQuizState();
  constructQuizState(*state);
  state->textFont = createFontObject({15, 100, false, false, nullptr});
  addQuestion(*state, "a", "", "b");
  setBackgroundColour(*state, 1, 2, 3); // replaces the brush, never leaks it
  releaseContent(*state);
  EXPECT_EQ(state->firstQuestion, nullptr);
  EXPECT_EQ(state->lastQuestion, nullptr);
  EXPECT_EQ(liveGdiObjectCount(), objectsBefore);
  // Without a text font (never made) the release is just as complete.
  constructQuizState(*state);
  releaseContent(*state);
  EXPECT_EQ(liveGdiObjectCount(), objectsBefore);
  freeQuizState(state);
}

TEST(QuizState, LabelTextColourFollowsRedAndGreenOnly) {
  ConstructedQuiz quiz;
  setBackgroundColour(*quiz, 70, 0, 255);
  EXPECT_TRUE(backgroundWantsBlackText(*quiz));
  setBackgroundColour(*quiz, 69, 69, 255);
  EXPECT_FALSE(backgroundWantsBlackText(*quiz));
  setBackgroundColour(*quiz, 0, 70, 0);
  EXPECT_TRUE(backgroundWantsBlackText(*quiz));
  setBackgroundColour(*quiz, 90, 95, 150);
  EXPECT_EQ((*quiz).backgroundBrush->colorRef, 0x00965F5Au);
}

} // namespace
