#pragma once

#include <vector>

#include "board/board_layout.h"

// Hiding solved questions ("Cacher" ticked) and bringing them back (unticked), planned as the
// list of question shifts the board carries out, in order.
//
// Hiding a solved question hides its picture and moves its number label, answer box, result
// label and reveal label up by its row's picture height. When all three questions of a row are
// hidden the row collapses: every later question moves up by the row's picture height (plus 65
// with reveal labels) and the content height shrinks by as much. Showing undoes every step, so
// hiding then showing puts every control and the content height back where they were.
//
// hiddenState, indexed by question number: questionShown, questionHidden, or questionClosedRow
// for the hidden question that completed a collapsed row. A collapsed row counts only two
// questions in questionHidden, so running the hiding pass again changes nothing.

enum class PictureAction { hide, show, move };

// One call of the board's shiftQuestion: the picture label (or media host) 9900 + j is hidden,
// shown or moved, and the question's other controls move by distance x direction pixels.
struct QuestionShift {
  PictureAction action;
  int question;  // j
  int distance;  // pixels, never negative
  int direction; // -1 up, +1 down
};

struct RowHidingInput {
  int questionCount;     // questions past 96 are not looked at
  int revealMode;        // above 1 the rows carry reveal labels and collapse 65 pixels further
  const int* rowHeights; // picture height of each row of three, row 0 first
  const bool* solved;    // solved[j] for j = 1 .. questionCount; [0] is not read
};

// Both passes fill `shifts` (emptied first) and update hiddenState and boardHeight as they go.
void planHidingPass(const RowHidingInput& input, int (&hiddenState)[maxQuestions + 1],
                    int& boardHeight, std::vector<QuestionShift>& shifts);
void planShowingPass(const RowHidingInput& input, int (&hiddenState)[maxQuestions + 1],
                     int& boardHeight, std::vector<QuestionShift>& shifts);

// Carries one shift out on a plain list of controls, as the board does on its windows:
// visible[i] belongs to controls[i] (controls without an entry count as visible). A control the
// layout did not create is skipped; of several with one id, the first is taken.
void applyShift(const QuestionShift& shift, std::vector<ControlPlan>& controls,
                std::vector<bool>& visible);
void applyShifts(const std::vector<QuestionShift>& shifts, std::vector<ControlPlan>& controls,
                 std::vector<bool>& visible);
