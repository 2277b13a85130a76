#pragma once

#include <cstdint>
#include <vector>

#include "content/quiz_state.h"
#include "ids/resource_ids.h"

// The question board's layout: which controls each question gets, where, with which id, style
// and font, and how big the scrollable content grows. The board dialog creates the controls
// exactly as described here, in the order given (which is also their tab order); the functions
// below are the steps of that build, and layoutBoard runs the whole of it for tests and tools.
//
// Coordinates are client pixels of a board scrolled to position 0. Two layouts exist:
//   text (kind 0): one line per question, 25 pixels apart, starting at y 5;
//   grid (kinds 1 to 3): three questions per row, each in a 290-pixel column.
// Any other kind builds no question controls; the board is then only its margins.

enum class ControlRole {
  answerLineLabel,
  numberLabel,
  questionText,
  answerBox,
  resultLabel,
  revealLabel,
  pictureLabel,
  mediaHost,
  playButton,
  stopButton
};
enum class ControlFont { dialog, textFont, guiFont }; // dialog: no WM_SETFONT is sent

struct ControlPlan {
  ControlRole role;
  const char* className; // "Static", "Edit", "STATIC" or "Button"
  int id;
  std::uint32_t style;
  int x, y, width, height;
  ControlFont font;
  bool fontRedraw; // the redraw flag of WM_SETFONT
  int question;    // j; for the answer line labels, the first question of their row
  int answerLine;  // 1 or 2: answer boxes, result labels and which answer line label; else 0
};

struct BoardShape {
  int questionKind;       // kindText .. kindVideo; anything else builds no questions
  int questionCount;      // questions past 96 are not built
  int answersPerQuestion; // 2 means two answer lines; any other value lays out one
  int revealMode;         // above 1: reveal labels and taller rows
};

struct PictureSize {
  int width, height;
};
// What a picture that could not be loaded counts as: full column width, no height.
constexpr PictureSize missingPicture{260, 0};

constexpr int picturesPerRow = 3;

// State carried through the build of the board, question after question.
struct BoardCursor {
  int rowTop = 5;                            // Y: top of the current line or row
  int row = 0;                               // index of the current grid row in rowHeights
  PictureSize rowPictures[picturesPerRow]{}; // the current row's pictures, by column
  int rowPictureHeight = 0;                  // H: the tallest of them
  int boardWidth = 0;                        // content size built so far
  int boardHeight = 0;
};

constexpr int maxControlsPerQuestion = 12;

// Kinds 0 to 3 build question rows.
bool buildsQuestionRows(const BoardShape& shape);
// Picture kind, first column of a row: before laying out question j the caller loads the row's
// three pictures, resources 400 + j, 401 + j and 402 + j, and hands their sizes to
// setRowPictures (missingPicture for one that did not load).
bool startsPictureRow(const BoardShape& shape, int question);
// Keeps the row's picture sizes and returns H, their greatest height; the caller stores it in
// rowHeights[cursor.row].
int setRowPictures(BoardCursor& cursor, const PictureSize (&sizes)[picturesPerRow]);
// The controls of question j (1 to 96), in creation order; returns how many. None for a kind
// that builds no rows or a question number outside 1..96.
int questionControls(const BoardShape& shape, const BoardCursor& cursor, int question,
                     ControlPlan (&out)[maxControlsPerQuestion]);
// After question j: advances the line or row and updates the content size.
void finishQuestion(const BoardShape& shape, int question, BoardCursor& cursor);
// After every question: the right margin (80 with two answer lines, for their labels; else 20).
void finishBoard(const BoardShape& shape, BoardCursor& cursor);

struct BoardLayout {
  std::vector<ControlPlan> controls; // every control of the board, in creation order
  int boardWidth = 0;
  int boardHeight = 0;
  int rowHeights[maxPictureRows]{};
};

// The whole board. pictureAt gives the fitted size of a picture resource (missingPicture when it
// cannot be loaded); a null pictureAt counts every picture as missing.
BoardLayout layoutBoard(const BoardShape& shape, PictureSize (*pictureAt)(int resourceId));
