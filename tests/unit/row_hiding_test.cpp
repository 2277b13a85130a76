#include <gtest/gtest.h>

#include <vector>

#include "board/board_layout.h"
#include "board/row_hiding.h"
#include "ids/control_ids.h"

namespace {

// Rows of pictures 260, 120 and 200 high.
PictureSize rowPicture(int resourceId) {
  switch (resourceId) {
  case 401: return {200, 260};
  case 404: return {260, 120};
  case 407: return {150, 200};
  default: return {260, 90};
  }
}
constexpr int rowOneHeight = 260;
constexpr int rowTwoHeight = 120;

// A picture quiz with one answer per question, as the board holds it: the controls with their
// visibility, the hidden states and the content height.
struct Board {
  int revealMode;
  int questionCount;
  BoardLayout layout;
  std::vector<ControlPlan> controls;
  std::vector<bool> visible;
  int hiddenState[maxQuestions + 1]{};
  bool solved[maxQuestions + 1]{};
  int boardHeight;
  std::vector<QuestionShift> lastShifts;

  Board(int mode, int count)
      : revealMode(mode), questionCount(count),
        layout(layoutBoard(BoardShape{kindPicture, count, 1, mode}, rowPicture)),
        controls(layout.controls), visible(controls.size(), true), boardHeight(layout.boardHeight) {
  }

  RowHidingInput input() const {
    return RowHidingInput{questionCount, revealMode, layout.rowHeights, solved};
  }
  void solve(const std::vector<int>& questions) {
    for (int j : questions) solved[j] = true;
  }
  void hidingPass() {
    planHidingPass(input(), hiddenState, boardHeight, lastShifts);
    applyShifts(lastShifts, controls, visible);
  }
  void showingPass() {
    planShowingPass(input(), hiddenState, boardHeight, lastShifts);
    applyShifts(lastShifts, controls, visible);
  }
  int moved(std::size_t index) const { return controls[index].y - layout.controls[index].y; }
  int indexOf(int id) const {
    for (std::size_t i = 0; i < controls.size(); ++i)
      if (controls[i].id == id) return static_cast<int>(i);
    ADD_FAILURE() << "no control " << id;
    return 0;
  }
  int yOf(int id) const { return controls[indexOf(id)].y; }
  bool isVisible(int id) const { return visible[indexOf(id)]; }
};

int collapseFor(int revealMode, int rowHeight) {
  return rowHeight + (revealMode > 1 ? 65 : 0);
}

void expectRestored(const Board& board) {
  EXPECT_EQ(board.boardHeight, board.layout.boardHeight);
  for (std::size_t i = 0; i < board.controls.size(); ++i) {
    EXPECT_EQ(board.controls[i].x, board.layout.controls[i].x) << board.controls[i].id;
    EXPECT_EQ(board.controls[i].y, board.layout.controls[i].y) << board.controls[i].id;
    EXPECT_TRUE(board.visible[i]) << board.controls[i].id;
  }
  for (int j = 0; j <= maxQuestions; ++j) EXPECT_EQ(board.hiddenState[j], questionShown) << j;
}

TEST(RowHiding, AFullRowOfSolvedQuestionsCollapses) {
  for (int mode : {1, 2, 3, 4}) {
    SCOPED_TRACE(mode);
    Board board(mode, 8);
    board.solve({1, 2, 3});
    board.hidingPass();
    const int collapse = collapseFor(mode, rowOneHeight);
    EXPECT_EQ(board.boardHeight, board.layout.boardHeight - collapse);
    EXPECT_EQ(board.hiddenState[1], questionHidden);
    EXPECT_EQ(board.hiddenState[2], questionHidden);
    EXPECT_EQ(board.hiddenState[3], questionClosedRow);
    EXPECT_EQ(board.hiddenState[4], questionShown);
    for (std::size_t i = 0; i < board.controls.size(); ++i) {
      const ControlPlan& c = board.controls[i];
      SCOPED_TRACE(c.id);
      if (c.question > 3) {
        EXPECT_EQ(board.moved(i), -collapse); // later rows, pictures included
        EXPECT_TRUE(board.visible[i]);
      } else if (c.role == ControlRole::pictureLabel) {
        EXPECT_FALSE(board.visible[i]);
        EXPECT_EQ(board.moved(i), 0);
      } else {
        EXPECT_EQ(board.moved(i), -rowOneHeight); // the question's own labels and box
      }
    }
  }
}

TEST(RowHiding, WorkedPositionsAfterACollapse) {
  // Reveal mode 1: the first row's answers were at y 275 and the second row began at 335.
  Board board(1, 6);
  board.solve({1, 2, 3});
  board.hidingPass();
  EXPECT_EQ(board.yOf(4001), 15);
  EXPECT_EQ(board.yOf(9904), 75);
  EXPECT_EQ(board.yOf(4004), 75 + rowTwoHeight + 10);
}

TEST(RowHiding, RepeatedPassesChangeNothing) {
  for (int mode : {1, 2}) {
    SCOPED_TRACE(mode);
    Board board(mode, 8);
    board.solve({1, 2, 3, 5, 7, 8});
    board.hidingPass();
    const std::vector<ControlPlan> after = board.controls;
    const int height = board.boardHeight;
    board.hidingPass();
    EXPECT_TRUE(board.lastShifts.empty());
    EXPECT_EQ(board.boardHeight, height);
    for (std::size_t i = 0; i < after.size(); ++i) EXPECT_EQ(board.controls[i].y, after[i].y);
  }
}

TEST(RowHiding, AShortLastRowNeverCollapses) {
  struct Case {
    int count;
    std::vector<int> solved;
    int collapsedRows;
  };
  for (const Case& c :
       {Case{7, {7}, 0}, Case{8, {7, 8}, 0}, Case{8, {1, 2, 3, 4, 5, 6, 7, 8}, 2}}) {
    SCOPED_TRACE(c.count);
    Board board(2, c.count);
    board.solve(c.solved);
    board.hidingPass();
    int collapsed = 0;
    for (int row = 0; row < c.collapsedRows; ++row)
      collapsed += collapseFor(2, board.layout.rowHeights[row]);
    EXPECT_EQ(board.boardHeight, board.layout.boardHeight - collapsed);
    EXPECT_EQ(board.hiddenState[7], questionHidden);
    EXPECT_EQ(board.hiddenState[c.count], questionHidden);
    EXPECT_FALSE(board.isVisible(9907));
  }
}

TEST(RowHiding, ARowCollapsesWhenItsLastHiddenQuestionArrives) {
  Board board(1, 6);
  board.solve({1, 3});
  board.hidingPass();
  EXPECT_EQ(board.boardHeight, board.layout.boardHeight); // two of three: no collapse
  board.solve({2});
  board.hidingPass();
  ASSERT_FALSE(board.lastShifts.empty());
  EXPECT_EQ(board.lastShifts[0].action, PictureAction::hide);
  EXPECT_EQ(board.lastShifts[0].question, 2);
  EXPECT_EQ(board.boardHeight, board.layout.boardHeight - rowOneHeight);
  EXPECT_EQ(board.hiddenState[3], questionClosedRow);
}

TEST(RowHiding, ShowingRestoresEveryPosition) {
  const std::vector<std::vector<int>> patterns = {
      {1, 2, 3}, {1, 2, 3, 4, 5, 6}, {4, 5, 6, 7, 8}, {2, 5, 8}, {1, 2, 3, 4, 5, 6, 7, 8}, {}};
  for (int mode : {1, 2, 3, 4})
    for (const auto& pattern : patterns) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << ", " << pattern.size() << " solved");
      Board board(mode, 8);
      board.solve(pattern);
      board.hidingPass();
      board.showingPass();
      expectRestored(board);
    }
}

TEST(RowHiding, ShowingRestoresAfterPassesInSteps) {
  Board board(3, 9);
  board.solve({4, 5});
  board.hidingPass();
  board.solve({6, 1});
  board.hidingPass();
  board.solve({2, 3, 7, 8, 9});
  board.hidingPass();
  EXPECT_EQ(board.boardHeight, board.layout.boardHeight - collapseFor(3, rowOneHeight) -
                                   collapseFor(3, rowTwoHeight) -
                                   collapseFor(3, board.layout.rowHeights[2]));
  board.showingPass();
  expectRestored(board);
  board.showingPass(); // showing an already shown board does nothing
  EXPECT_TRUE(board.lastShifts.empty());
  expectRestored(board);
}

TEST(RowHiding, NothingSolvedHidesNothing) {
  // Reveal mode 0 never marks a question solved, whatever its answers.
  Board board(0, 9);
  board.hidingPass();
  EXPECT_TRUE(board.lastShifts.empty());
  expectRestored(board);
}

TEST(RowHiding, MissingControlsAreSkipped) {
  std::vector<ControlPlan> none;
  std::vector<bool> visible;
  applyShift({PictureAction::hide, 5, 100, -1}, none, visible);
  EXPECT_TRUE(none.empty());
  // Reveal mode 1 has no reveal labels: the rest still moves.
  Board board(1, 3);
  applyShift({PictureAction::move, 2, 40, +1}, board.controls, board.visible);
  for (std::size_t i = 0; i < board.controls.size(); ++i)
    EXPECT_EQ(board.moved(i), board.controls[i].question == 2 ? 40 : 0) << board.controls[i].id;
}

} // namespace
