#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "board/board_layout.h"
#include "ids/control_ids.h"

namespace {

// The picture sizes a test's board loads, by resource id; ids not listed count as missing.
std::map<int, PictureSize> picturesByResource;
std::vector<int> loadedResources;

PictureSize pictureAt(int resourceId) {
  loadedResources.push_back(resourceId);
  const auto found = picturesByResource.find(resourceId);
  return found == picturesByResource.end() ? missingPicture : found->second;
}

BoardLayout layout(int kind, int count, int answers, int revealMode,
                   std::map<int, PictureSize> pictures = {}) {
  picturesByResource = std::move(pictures);
  loadedResources.clear();
  return layoutBoard(BoardShape{kind, count, answers, revealMode}, pictureAt);
}

const ControlPlan* find(const BoardLayout& board, int id) {
  for (const ControlPlan& c : board.controls)
    if (c.id == id) return &c;
  return nullptr;
}

const ControlPlan& get(const BoardLayout& board, int id) {
  const ControlPlan* c = find(board, id);
  if (!c) {
    ADD_FAILURE() << "no control " << id;
    static const ControlPlan none{};
    return none;
  }
  return *c;
}

std::vector<const ControlPlan*> ofQuestion(const BoardLayout& board, int j) {
  std::vector<const ControlPlan*> found;
  for (const ControlPlan& c : board.controls)
    if (c.question == j) found.push_back(&c);
  return found;
}

TEST(BoardLayout, TextLayoutGrowsTwentyFivePixelsPerQuestion) {
  for (int count : {1, 2, 7, 96}) {
    SCOPED_TRACE(count);
    const BoardLayout board = layout(kindText, count, 1, 0);
    EXPECT_EQ(board.boardWidth, 900);
    EXPECT_EQ(board.boardHeight, 5 + 25 * count);
    EXPECT_EQ(board.controls.size(), 4u * count);
    const std::vector<const ControlPlan*> first = ofQuestion(board, 1);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0]->y, 7); // number label
    EXPECT_EQ(first[0]->x, 26);
    EXPECT_EQ(first[1]->y, 5); // question text
    EXPECT_EQ(first[2]->y, 5); // answer box
    EXPECT_EQ(first[3]->y, 5); // result label
    EXPECT_EQ(first[3]->x, 790);
    // The last line's controls sit one line above the content's bottom edge.
    EXPECT_EQ(get(board, 4000 + count).y + 25, board.boardHeight);
  }
}

TEST(BoardLayout, TextLayoutBuildsOneAnswerBoxWhateverTheAnswerCount) {
  const BoardLayout board = layout(kindText, 5, 2, 2);
  EXPECT_EQ(board.boardWidth, 960); // the two-answer margin still applies
  EXPECT_EQ(board.boardHeight, 130);
  std::vector<int> boxes;
  for (const ControlPlan& c : board.controls)
    if (c.role == ControlRole::answerBox) boxes.push_back(c.id);
  EXPECT_EQ(boxes, (std::vector<int>{4001, 4002, 4003, 4004, 4005}));
  for (const ControlPlan& c : board.controls) EXPECT_NE(c.role, ControlRole::revealLabel);
}

TEST(BoardLayout, NoQuestionsLeavesOnlyTheMargin) {
  for (int kind : {kindText, kindPicture, kindAudio, kindVideo, 4, -1, 99}) {
    for (int answers : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << " answers " << answers);
      const BoardLayout board = layout(kind, 0, answers, 2);
      EXPECT_TRUE(board.controls.empty());
      EXPECT_EQ(board.boardWidth, answers == 2 ? 80 : 20);
      EXPECT_EQ(board.boardHeight, 0);
      EXPECT_TRUE(loadedResources.empty());
    }
  }
}

TEST(BoardLayout, UnknownKindBuildsNoQuestions) {
  for (int kind : {4, 5, -1, 1000}) {
    SCOPED_TRACE(kind);
    const BoardShape shape{kind, 9, 1, 2};
    EXPECT_FALSE(buildsQuestionRows(shape));
    ControlPlan out[maxControlsPerQuestion];
    EXPECT_EQ(questionControls(shape, BoardCursor{}, 1, out), 0);
    const BoardLayout board = layout(kind, 9, 1, 2);
    EXPECT_TRUE(board.controls.empty());
    EXPECT_EQ(board.boardWidth, 20);
    EXPECT_EQ(board.boardHeight, 0);
  }
}

TEST(BoardLayout, QuestionNumbersOutsideTheQuizBuildNothing) {
  ControlPlan out[maxControlsPerQuestion];
  for (int kind : {kindText, kindPicture, kindVideo})
    for (int j : {0, -1, -5, 97}) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << " question " << j);
      EXPECT_EQ(questionControls(BoardShape{kind, 96, 1, 2}, BoardCursor{}, j, out), 0);
    }
}

// Four picture questions: the first row's pictures are 200, 150 and 260 high, the second row's
// single picture 100 high.
const std::map<int, PictureSize> fourPictures{
    {401, {200, 200}}, {402, {260, 150}}, {403, {180, 260}}, {404, {100, 100}}};

TEST(BoardLayout, PictureRowsTakeTheTallestPicture) {
  struct Case {
    int revealMode;
    int secondRowTop;
  };
  for (const Case& c : {Case{0, 335}, Case{1, 335}, Case{2, 415}, Case{3, 415}, Case{4, 415}}) {
    SCOPED_TRACE(c.revealMode);
    const BoardLayout board = layout(kindPicture, 4, 1, c.revealMode, fourPictures);
    EXPECT_EQ(board.rowHeights[0], 260);
    EXPECT_EQ(board.rowHeights[1], 100);
    for (int box : {4001, 4002, 4003}) EXPECT_EQ(get(board, box).y, 275);
    EXPECT_EQ(get(board, 9904).y, c.secondRowTop); // its picture is the row's tallest
    EXPECT_EQ(get(board, 4004).y, c.secondRowTop + 110);
    const int rowBelowAnswers = c.revealMode > 1 ? 140 : 60;
    EXPECT_EQ(board.boardHeight, c.secondRowTop + 110 + rowBelowAnswers);
    EXPECT_EQ(board.boardWidth, 910);
  }
}

TEST(BoardLayout, EachPictureRowLoadsItsThreePictures) {
  const BoardLayout board =
      layout(kindPicture, 7, 1, 0, {{403, {10, 40}}, {405, {10, 50}}, {409, {10, 30}}});
  EXPECT_EQ(loadedResources, (std::vector<int>{401, 402, 403, 404, 405, 406, 407, 408, 409}));
  EXPECT_EQ(board.rowHeights[0], 40);
  EXPECT_EQ(board.rowHeights[1], 50);
  EXPECT_EQ(board.rowHeights[2], 30); // a row's pictures past the last question still count
  EXPECT_EQ(board.rowHeights[3], 0);
  EXPECT_TRUE(startsPictureRow(BoardShape{kindPicture, 7, 1, 0}, 4));
  EXPECT_FALSE(startsPictureRow(BoardShape{kindPicture, 7, 1, 0}, 3));
  EXPECT_FALSE(startsPictureRow(BoardShape{kindVideo, 7, 1, 0}, 4));
}

TEST(BoardLayout, PicturesAreCentredWithTruncatedHalves) {
  // H is 260; picture 1 leaves 59 pixels across and 109 down, each split with the odd pixel
  // after the picture.
  const BoardLayout board =
      layout(kindPicture, 3, 1, 0, {{401, {201, 151}}, {402, {259, 260}}, {403, {1, 1}}});
  const ControlPlan& first = get(board, 9901);
  EXPECT_EQ(first.x, 46 + 29);
  EXPECT_EQ(first.y, 5 + 54);
  EXPECT_EQ(first.width, 201);
  EXPECT_EQ(first.height, 151);
  EXPECT_EQ(get(board, 9902).x, 336 + 0);
  EXPECT_EQ(get(board, 9902).y, 5);
  EXPECT_EQ(get(board, 9903).x, 626 + 129);
  EXPECT_EQ(get(board, 9903).y, 5 + 129);
}

TEST(BoardLayout, MissingPicturesAreFlatLabelsAtTheColumnEdge) {
  for (bool withLoader : {true, false}) {
    SCOPED_TRACE(withLoader);
    picturesByResource.clear();
    const BoardLayout board =
        layoutBoard(BoardShape{kindPicture, 3, 1, 0}, withLoader ? pictureAt : nullptr);
    EXPECT_EQ(board.rowHeights[0], 0);
    for (int j = 1; j <= 3; ++j) {
      const ControlPlan& label = get(board, 9900 + j);
      EXPECT_EQ(label.x, 46 + 290 * (j - 1));
      EXPECT_EQ(label.y, 5);
      EXPECT_EQ(label.width, 260);
      EXPECT_EQ(label.height, 0);
      EXPECT_EQ(get(board, 4000 + j).y, 15);
    }
    EXPECT_EQ(board.boardHeight, 75);
  }
}

TEST(BoardLayout, TwoAnswersPerQuestion) {
  const BoardLayout board = layout(kindPicture, 6, 2, 0, {{401, {260, 100}}, {404, {260, 50}}});
  EXPECT_EQ(board.boardWidth, 970);
  // Columns start at 106, 396 and 686; each row has the two answer line labels.
  EXPECT_EQ(get(board, 4001).x, 106);
  EXPECT_EQ(get(board, 4003).x, 396);
  EXPECT_EQ(get(board, 4005).x, 686);
  std::vector<const ControlPlan*> lineLabels;
  for (const ControlPlan& c : board.controls)
    if (c.id == 156) lineLabels.push_back(&c);
  ASSERT_EQ(lineLabels.size(), 4u);
  const int rowAnswerTops[] = {5 + 110, 175 + 60}; // row 0 is 170 high; row 1 has H = 50
  for (int row = 0; row < 2; ++row) {
    EXPECT_EQ(lineLabels[2 * row]->x, 4);
    EXPECT_EQ(lineLabels[2 * row]->y, rowAnswerTops[row] + 2);
    EXPECT_EQ(lineLabels[2 * row]->answerLine, 1);
    EXPECT_EQ(lineLabels[2 * row + 1]->x, 3);
    EXPECT_EQ(lineLabels[2 * row + 1]->y, rowAnswerTops[row] + 22);
    EXPECT_EQ(lineLabels[2 * row + 1]->answerLine, 2);
  }
  // Question 2: boxes 4003 and 4004, one line apart, each with its narrow result label.
  const ControlPlan& line1 = get(board, 4003);
  const ControlPlan& line2 = get(board, 4004);
  EXPECT_EQ(line1.y, 115);
  EXPECT_EQ(line2.y, 134);
  EXPECT_EQ(line1.width, 201);
  EXPECT_EQ(line2.answerLine, 2);
  const ControlPlan& result1 = get(board, 5003);
  const ControlPlan& result2 = get(board, 5004);
  EXPECT_EQ(result1.x, 396 + 200);
  EXPECT_EQ(result1.y, 115);
  EXPECT_EQ(result1.width, 60);
  EXPECT_EQ(result2.y, 134);
  EXPECT_EQ(result1.x, line1.x + line1.width - 1); // overlaps the box's last pixel column
}

// Offsets from the column left X and the row top Y, one answer per question; picture rows have
// H = 100 (every picture 260 x 100).
struct RowGeometry {
  int kind;
  int revealMode;
  int hostX, hostY, hostWidth, hostHeight;
  int numberX, numberY;
  int boxX, boxY, boxWidth;
  int resultX, resultY;
  int revealY; // -1: no reveal label
  int rowHeight;
};

void expectAt(const ControlPlan& c, int x, int y, const char* what) {
  EXPECT_EQ(c.x, x) << what;
  EXPECT_EQ(c.y, y) << what;
}

TEST(BoardLayout, RowGeometryOfEachGridKind) {
  const RowGeometry cases[] = {
      {kindPicture, 0, 0, 0, 260, 100, -28, 112, 0, 110, 260, 0, 129, -1, 170},
      {kindPicture, 2, 0, 0, 260, 100, -28, 112, 0, 110, 260, 0, 129, 156, 250},
      {kindAudio, 0, 0, 0, 0, 0, -28, 2, 20, 0, 240, 20, 19, -1, 60},
      {kindAudio, 4, 0, 0, 0, 0, -28, 2, 20, 0, 240, 20, 19, 46, 140},
      {kindVideo, 1, 0, 0, 260, 200, -28, 212, 20, 210, 240, 20, 229, -1, 270},
      {kindVideo, 3, 0, 0, 260, 200, -28, 212, 20, 210, 240, 20, 229, 256, 350},
  };
  std::map<int, PictureSize> pictures;
  for (int id = 401; id <= 406; ++id) pictures[id] = {260, 100};
  for (const RowGeometry& g : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << g.kind << " reveal " << g.revealMode);
    // Question 5 is in the second row's middle column; question 4's picture or host marks the
    // row top.
    const BoardLayout board = layout(g.kind, 6, 1, g.revealMode, pictures);
    const int X = 336;
    const int Y = get(board, 9904).y;
    const ControlPlan& host = get(board, 9905);
    expectAt(host, X + g.hostX, Y + g.hostY, "host");
    EXPECT_EQ(host.width, g.hostWidth);
    EXPECT_EQ(host.height, g.hostHeight);
    expectAt(get(board, 2005), X + g.numberX, Y + g.numberY, "number");
    EXPECT_EQ(get(board, 2005).width, 27);
    EXPECT_EQ(get(board, 2005).height, 17);
    const ControlPlan& box = get(board, 4005);
    expectAt(box, X + g.boxX, Y + g.boxY, "box");
    EXPECT_EQ(box.width, g.boxWidth);
    EXPECT_EQ(box.height, 20);
    const ControlPlan& result = get(board, 5005);
    expectAt(result, X + g.resultX, Y + g.resultY, "result");
    EXPECT_EQ(result.width, g.boxWidth);
    if (g.revealY < 0) {
      EXPECT_EQ(find(board, 8005), nullptr);
    } else {
      expectAt(get(board, 8005), X, Y + g.revealY, "reveal");
      EXPECT_EQ(get(board, 8005).width, 260);
      EXPECT_EQ(get(board, 8005).height, 65);
    }
    if (g.kind == kindPicture) {
      EXPECT_EQ(find(board, 6005), nullptr);
    } else {
      expectAt(get(board, 6005), X, Y + g.boxY, "play");
      expectAt(get(board, 7005), X, Y + g.boxY + 20, "stop");
      EXPECT_EQ(get(board, 6005).height, 20);
      EXPECT_EQ(get(board, 7005).height, 19);
    }
    // Two full rows: the content ends one row height below the second row's top.
    EXPECT_EQ(Y, 5 + g.rowHeight);
    EXPECT_EQ(board.boardHeight, Y + g.rowHeight);
  }
}

std::vector<ControlRole> rolesOf(const BoardLayout& board, int j) {
  std::vector<ControlRole> roles;
  for (const ControlPlan* c : ofQuestion(board, j)) roles.push_back(c->role);
  return roles;
}

TEST(BoardLayout, ControlsAreCreatedInTabOrder) {
  using R = ControlRole;
  EXPECT_EQ(rolesOf(layout(kindText, 2, 1, 2), 2),
            (std::vector<R>{R::numberLabel, R::questionText, R::answerBox, R::resultLabel}));
  EXPECT_EQ(rolesOf(layout(kindPicture, 2, 1, 0), 2),
            (std::vector<R>{R::pictureLabel, R::numberLabel, R::answerBox, R::resultLabel}));
  const BoardLayout audio = layout(kindAudio, 5, 2, 2);
  EXPECT_EQ(rolesOf(audio, 4),
            (std::vector<R>{R::mediaHost, R::answerLineLabel, R::answerLineLabel, R::numberLabel,
                            R::revealLabel, R::answerBox, R::resultLabel, R::answerBox,
                            R::resultLabel, R::playButton, R::stopButton}));
  EXPECT_EQ(rolesOf(audio, 5), (std::vector<R>{R::mediaHost, R::numberLabel, R::revealLabel,
                                               R::answerBox, R::resultLabel, R::answerBox,
                                               R::resultLabel, R::playButton, R::stopButton}));
}

// What each kind of control is created as: class, style and font.
TEST(BoardLayout, ClassesStylesAndFonts) {
  struct Expected {
    int kind, answers, id;
    const char* className;
    std::uint32_t style;
    ControlFont font;
    bool redraw;
  };
  const ControlFont dialog = ControlFont::dialog, text = ControlFont::textFont,
                    gui = ControlFont::guiFont;
  const Expected cases[] = {
      {kindText, 1, 2000, "Static", 0x50000002, dialog, false},
      {kindText, 1, 3000, "Static", 0x50800201, text, false},
      {kindText, 1, 4001, "Edit", 0x50810281, text, false},
      {kindText, 1, 5001, "Static", 0x50800201, dialog, false},
      {kindPicture, 1, 9901, "STATIC", 0x5080020E, dialog, false},
      {kindPicture, 1, 2001, "Static", 0x50000002, dialog, false},
      {kindPicture, 1, 8001, "Static", 0x50000001, gui, true},
      {kindPicture, 1, 4001, "Edit", 0x50810081, text, false},
      {kindPicture, 1, 5001, "Static", 0x50800201, dialog, false},
      {kindPicture, 2, 156, "Static", 0x50000000, gui, true},
      {kindPicture, 2, 4002, "Edit", 0x50810081, text, false},
      {kindPicture, 2, 5002, "Static", 0x50800201, gui, true},
      {kindVideo, 1, 9901, "STATIC", 0x50800000, dialog, false},
      {kindVideo, 1, 6001, "Button", 0x50010041, dialog, false},
      {kindAudio, 2, 7001, "Button", 0x50010041, dialog, false},
  };
  for (const Expected& e : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << e.kind << " id " << e.id);
    const BoardLayout board = layout(e.kind, 3, e.answers, 2);
    const ControlPlan& c = get(board, e.id);
    EXPECT_STREQ(c.className, e.className);
    EXPECT_EQ(c.style, e.style);
    EXPECT_EQ(c.font, e.font);
    EXPECT_EQ(c.fontRedraw, e.redraw);
  }
}

// Everything that finds a control by id relies on these: unique ids (but for the ids every text
// line shares and the answer line labels), answer boxes numbered 4001 upwards in creation order
// with their result labels 1000 above, and nothing but number labels in the number label range
// that the colouring tests.
TEST(BoardLayout, IdsFollowTheNumbering) {
  for (int kind : {kindText, kindPicture, kindAudio, kindVideo})
    for (int answers : {1, 2})
      for (int revealMode : {0, 2}) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << kind << " answers " << answers << " reveal " << revealMode);
        const BoardLayout board = layout(kind, 96, answers, revealMode);
        std::set<int> seen;
        int nextBox = 4001;
        const int boxesPerQuestion = kind == kindText ? 1 : answers;
        for (const ControlPlan& c : board.controls) {
          const bool shared =
              c.id == answerLineLabelId || (kind == kindText && (c.id == 2000 || c.id == 3000));
          if (!shared) {
            EXPECT_TRUE(seen.insert(c.id).second) << "duplicate id " << c.id;
          }
          if (c.role == ControlRole::answerBox) {
            EXPECT_EQ(c.id, nextBox++);
          }
          if (c.role == ControlRole::resultLabel) {
            EXPECT_EQ(c.id, nextBox - 1 + resultLabelOffset);
          }
          if (c.id >= 2000 && c.id <= 2240 + answers * 96) {
            EXPECT_EQ(c.role, ControlRole::numberLabel) << c.id;
          }
        }
        EXPECT_EQ(nextBox, 4001 + boxesPerQuestion * 96);
      }
}

TEST(BoardLayout, QuestionsPastTheRecordLimitAreNotBuilt) {
  const BoardLayout board = layout(kindPicture, 200, 1, 0);
  EXPECT_EQ(board.controls.size(), 4u * 96);
  EXPECT_EQ(board.controls.back().question, 96);
}

} // namespace
