#include "board/board_layout.h"

#include <algorithm>

#include "ids/control_ids.h"

namespace {

// Window class names, spelled as each kind of control is created: picture labels and media hosts
// use the upper-case spelling.
constexpr const char* staticClass = "Static";
constexpr const char* hostClass = "STATIC";
constexpr const char* editClass = "Edit";
constexpr const char* buttonClass = "Button";

// A control's place: x and y are offsets from a reference point given where it is used.
struct Place {
  int x, y, width, height;
};

// Text layout: x from the board's left edge, y from the line top.
constexpr Place textNumberLabel{26, 2, 19, 17};
constexpr Place textQuestion{50, 0, 550, 20};
constexpr Place textAnswerBox{610, 0, 170, 20};
constexpr Place textResultLabel{790, 0, 100, 20};
constexpr int textLineSpacing = 25;
constexpr int textBoardWidth = 880;

// Grid layout columns.
constexpr int columnSpacing = 290;
constexpr int oneAnswerFirstColumn = 46;
constexpr int twoAnswerFirstColumn = 106; // room at the left for the answer line labels
constexpr int pictureBoxWidth = 260;      // pictures are fitted into 260 x 260
constexpr int pictureAnswerWidth = 260;   // W
constexpr int mediaAnswerWidth = 240;
constexpr int mediaButtonRoom = 20; // S: the play and stop buttons sit left of the answers
constexpr int pictureGap = 10;      // between the row's pictures and its answers
constexpr Place videoHost{0, 0, 260, 200};
constexpr Place audioHost{0, 0, 0, 0}; // the audio player is invisible
constexpr int videoBelowMedia = 210;

// Relative to the answer top T: x from the column left X, except the answer line labels, whose
// x is from the board's left edge.
constexpr Place firstLineLabel{4, 2, 95, 20};
constexpr Place secondLineLabel{3, 22, 95, 20};
constexpr Place gridNumberLabel{-28, 2, 27, 17};
constexpr Place revealLabel{0, 46, 260, 65};
constexpr Place playButton{0, 0, 20, 20};
constexpr Place stopButton{0, 20, 20, 19};
constexpr int answerHeight = 20;
constexpr int answerLineSpacing = 19; // result label under the box, or the second answer line
constexpr int twoAnswerResultWidth = 60;
constexpr int twoAnswerBoxShrink = 59; // the result label overlaps the box's last pixel column

// Space below the answer top: the answers and result labels, plus the reveal label when shown.
constexpr int rowBottomMargin = 60;
constexpr int revealRowBottomMargin = 140;
constexpr int gridBoardWidth = 890;
constexpr int oneAnswerRightMargin = 20;
constexpr int twoAnswerRightMargin = 80;

bool hasTwoAnswers(const BoardShape& shape) {
  return shape.answersPerQuestion == 2;
}
bool hasRevealLabels(const BoardShape& shape) {
  return shape.revealMode > 1;
}
bool isMediaKind(const BoardShape& shape) {
  return shape.questionKind == kindAudio || shape.questionKind == kindVideo;
}
int columnOf(int question) {
  return (question + 2) % picturesPerRow;
}

// Where question j's block sits in the grid.
struct GridSlot {
  int question;
  int column;      // c
  int left;        // X
  int top;         // Y, the row top
  int answerWidth; // W
  int answerLeft;  // X + S
  int answerTop;   // T
};

int belowMediaHeight(const BoardShape& shape, const BoardCursor& cursor) {
  if (shape.questionKind == kindPicture) return cursor.rowPictureHeight + pictureGap;
  return shape.questionKind == kindVideo ? videoBelowMedia : 0;
}

GridSlot gridSlot(const BoardShape& shape, const BoardCursor& cursor, int question) {
  GridSlot slot{};
  slot.question = question;
  slot.column = columnOf(question);
  const int firstColumn = hasTwoAnswers(shape) ? twoAnswerFirstColumn : oneAnswerFirstColumn;
  slot.left = firstColumn + columnSpacing * slot.column;
  slot.top = cursor.rowTop;
  const bool media = isMediaKind(shape);
  slot.answerWidth = media ? mediaAnswerWidth : pictureAnswerWidth;
  slot.answerLeft = slot.left + (media ? mediaButtonRoom : 0);
  slot.answerTop = cursor.rowTop + belowMediaHeight(shape, cursor);
  return slot;
}

struct ControlList {
  ControlPlan (&out)[maxControlsPerQuestion];
  int count = 0;
  void add(const ControlPlan& plan) { out[count++] = plan; }
};

ControlPlan control(ControlRole role, const char* className, int id, std::uint32_t style, int x,
                    int y, Place size, ControlFont font, int question) {
  const bool redraw = font == ControlFont::guiFont; // the stock font is set with redraw TRUE
  return ControlPlan{role,       className,   id,   style,  x,        y,
                     size.width, size.height, font, redraw, question, 0};
}

void addTextLine(const BoardCursor& cursor, int j, ControlList& list) {
  const int y = cursor.rowTop;
  list.add(control(ControlRole::numberLabel, staticClass, textNumberLabelId, numberLabelStyle,
                   textNumberLabel.x, y + textNumberLabel.y, textNumberLabel, ControlFont::dialog,
                   j));
  list.add(control(ControlRole::questionText, staticClass, questionTextId, questionTextStyle,
                   textQuestion.x, y, textQuestion, ControlFont::textFont, j));
  ControlPlan box =
      control(ControlRole::answerBox, editClass, answerBoxBase + j, textAnswerBoxStyle,
              textAnswerBox.x, y, textAnswerBox, ControlFont::textFont, j);
  box.answerLine = 1;
  list.add(box);
  ControlPlan result =
      control(ControlRole::resultLabel, staticClass, resultLabelId(box.id), resultLabelStyle,
              textResultLabel.x, y, textResultLabel, ControlFont::dialog, j);
  result.answerLine = 1;
  list.add(result);
}

// The picture label is centred on the column's 260 pixels and on the row's picture height,
// both halves truncated toward zero.
void addMediaPart(const BoardShape& shape, const BoardCursor& cursor, const GridSlot& slot,
                  ControlList& list) {
  if (shape.questionKind == kindPicture) {
    const PictureSize picture = cursor.rowPictures[slot.column];
    const int x = slot.left + (pictureBoxWidth - picture.width) / 2;
    const int y = slot.top + (cursor.rowPictureHeight - picture.height) / 2;
    list.add(control(ControlRole::pictureLabel, hostClass, pictureLabelBase + slot.question,
                     pictureLabelStyle, x, y, Place{0, 0, picture.width, picture.height},
                     ControlFont::dialog, slot.question));
    return;
  }
  const Place host = shape.questionKind == kindVideo ? videoHost : audioHost;
  list.add(control(ControlRole::mediaHost, hostClass, mediaHostBase + slot.question, mediaHostStyle,
                   slot.left, slot.top, host, ControlFont::dialog, slot.question));
}

void addAnswerLineLabels(const GridSlot& slot, ControlList& list) {
  int line = 1;
  for (const Place& place : {firstLineLabel, secondLineLabel}) {
    ControlPlan label =
        control(ControlRole::answerLineLabel, staticClass, answerLineLabelId, answerLineLabelStyle,
                place.x, slot.answerTop + place.y, place, ControlFont::guiFont, slot.question);
    label.answerLine = line++;
    list.add(label);
  }
}

void addNumberAndReveal(const BoardShape& shape, const GridSlot& slot, ControlList& list) {
  list.add(control(ControlRole::numberLabel, staticClass, numberLabelBase + slot.question,
                   numberLabelStyle, slot.left + gridNumberLabel.x,
                   slot.answerTop + gridNumberLabel.y, gridNumberLabel, ControlFont::dialog,
                   slot.question));
  if (!hasRevealLabels(shape)) return;
  list.add(control(ControlRole::revealLabel, staticClass, revealLabelBase + slot.question,
                   revealLabelStyle, slot.left + revealLabel.x, slot.answerTop + revealLabel.y,
                   revealLabel, ControlFont::guiFont, slot.question));
}

// One answer line spans the answer width with its result label underneath; two lines each put
// a narrow result label at the right end of their box.
void addAnswerLines(const BoardShape& shape, const GridSlot& slot, ControlList& list) {
  const bool two = hasTwoAnswers(shape);
  const int lines = two ? 2 : 1;
  for (int line = 1; line <= lines; ++line) {
    const int id = answerBoxId(shape.answersPerQuestion, slot.question, line);
    const int y = slot.answerTop + answerLineSpacing * (line - 1);
    const int boxWidth = two ? slot.answerWidth - twoAnswerBoxShrink : slot.answerWidth;
    ControlPlan box =
        control(ControlRole::answerBox, editClass, id, gridAnswerBoxStyle, slot.answerLeft, y,
                Place{0, 0, boxWidth, answerHeight}, ControlFont::textFont, slot.question);
    const Place result =
        two ? Place{slot.answerWidth - twoAnswerResultWidth, 0, twoAnswerResultWidth, answerHeight}
            : Place{0, answerLineSpacing, slot.answerWidth, answerHeight};
    ControlPlan label = control(ControlRole::resultLabel, staticClass, resultLabelId(id),
                                resultLabelStyle, slot.answerLeft + result.x, y + result.y, result,
                                two ? ControlFont::guiFont : ControlFont::dialog, slot.question);
    box.answerLine = label.answerLine = line;
    list.add(box);
    list.add(label);
  }
}

void addMediaButtons(const GridSlot& slot, ControlList& list) {
  list.add(control(ControlRole::playButton, buttonClass, playButtonBase + slot.question,
                   mediaButtonStyle, slot.left + playButton.x, slot.answerTop + playButton.y,
                   playButton, ControlFont::dialog, slot.question));
  list.add(control(ControlRole::stopButton, buttonClass, stopButtonBase + slot.question,
                   mediaButtonStyle, slot.left + stopButton.x, slot.answerTop + stopButton.y,
                   stopButton, ControlFont::dialog, slot.question));
}

void addGridQuestion(const BoardShape& shape, const BoardCursor& cursor, int j, ControlList& list) {
  const GridSlot slot = gridSlot(shape, cursor, j);
  addMediaPart(shape, cursor, slot, list);
  if (hasTwoAnswers(shape) && slot.column == 0) addAnswerLineLabels(slot, list);
  addNumberAndReveal(shape, slot, list);
  addAnswerLines(shape, slot, list);
  if (isMediaKind(shape)) addMediaButtons(slot, list);
}

} // namespace

bool buildsQuestionRows(const BoardShape& shape) {
  return shape.questionKind >= kindText && shape.questionKind <= kindVideo;
}

bool startsPictureRow(const BoardShape& shape, int question) {
  return shape.questionKind == kindPicture && question >= 1 && columnOf(question) == 0;
}

int setRowPictures(BoardCursor& cursor, const PictureSize (&sizes)[picturesPerRow]) {
  int tallest = 0;
  for (int c = 0; c < picturesPerRow; ++c) {
    cursor.rowPictures[c] = sizes[c];
    tallest = std::max(tallest, sizes[c].height);
  }
  cursor.rowPictureHeight = tallest;
  return tallest;
}

int questionControls(const BoardShape& shape, const BoardCursor& cursor, int question,
                     ControlPlan (&out)[maxControlsPerQuestion]) {
  if (!buildsQuestionRows(shape) || question < 1 || question > maxQuestions) return 0;
  ControlList list{out};
  if (shape.questionKind == kindText)
    addTextLine(cursor, question, list);
  else
    addGridQuestion(shape, cursor, question, list);
  return list.count;
}

// A grid row is B + R high: its media part and gap, then the answers (and reveal labels). The
// content height follows the bottom of the last row begun, so a short last row counts whole.
void finishQuestion(const BoardShape& shape, int question, BoardCursor& cursor) {
  if (!buildsQuestionRows(shape)) return;
  if (shape.questionKind == kindText) {
    cursor.rowTop += textLineSpacing;
    cursor.boardWidth = textBoardWidth;
    cursor.boardHeight = cursor.rowTop;
    return;
  }
  const int answerTop = cursor.rowTop + belowMediaHeight(shape, cursor);
  const int rowBottom =
      answerTop + (hasRevealLabels(shape) ? revealRowBottomMargin : rowBottomMargin);
  if (question % picturesPerRow == 0) {
    cursor.rowTop = rowBottom;
    ++cursor.row;
  } else if (question % picturesPerRow == 1) {
    cursor.boardWidth = gridBoardWidth;
    cursor.boardHeight = rowBottom;
  }
}

void finishBoard(const BoardShape& shape, BoardCursor& cursor) {
  cursor.boardWidth += hasTwoAnswers(shape) ? twoAnswerRightMargin : oneAnswerRightMargin;
}

BoardLayout layoutBoard(const BoardShape& shape, PictureSize (*pictureAt)(int resourceId)) {
  BoardLayout layout;
  BoardCursor cursor;
  const int count =
      buildsQuestionRows(shape) ? std::clamp(shape.questionCount, 0, maxQuestions) : 0;
  for (int j = 1; j <= count; ++j) {
    if (startsPictureRow(shape, j)) {
      PictureSize sizes[picturesPerRow];
      for (int c = 0; c < picturesPerRow; ++c)
        sizes[c] = pictureAt ? pictureAt(questionResourceBase + j + c) : missingPicture;
      layout.rowHeights[cursor.row] = setRowPictures(cursor, sizes);
    }
    ControlPlan plans[maxControlsPerQuestion];
    const int made = questionControls(shape, cursor, j, plans);
    layout.controls.insert(layout.controls.end(), plans, plans + made);
    finishQuestion(shape, j, cursor);
  }
  finishBoard(shape, cursor);
  layout.boardWidth = cursor.boardWidth;
  layout.boardHeight = cursor.boardHeight;
  return layout;
}
