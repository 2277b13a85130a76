#include "board/row_hiding.h"

#include <algorithm>

#include "ids/control_ids.h"

namespace {

// A collapsed row with reveal labels also gives up part of its reveal area.
constexpr int revealRowCollapseExtra = 65;
constexpr int up = -1;
constexpr int down = +1;

int questionsLookedAt(const RowHidingInput& input) {
  return std::clamp(input.questionCount, 0, maxQuestions);
}

int collapseDistance(const RowHidingInput& input, int row) {
  return input.rowHeights[row] + (input.revealMode > 1 ? revealRowCollapseExtra : 0);
}

bool endsRow(int question) {
  return question % picturesPerRow == 0;
}

void moveLaterQuestions(int after, int count, int distance, int direction,
                        std::vector<QuestionShift>& shifts) {
  for (int m = after + 1; m <= count; ++m)
    shifts.push_back({PictureAction::move, m, distance, direction});
}

int indexOfControl(const std::vector<ControlPlan>& controls, int id) {
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i].id == id) return static_cast<int>(i);
  return -1;
}

} // namespace

void planHidingPass(const RowHidingInput& input, int (&hiddenState)[maxQuestions + 1],
                    int& boardHeight, std::vector<QuestionShift>& shifts) {
  shifts.clear();
  const int count = questionsLookedAt(input);
  int row = 0;
  int hiddenInRow = 0;
  for (int i = 1; i <= count; ++i) {
    if (hiddenState[i] == questionHidden) ++hiddenInRow;
    if (input.solved[i] && hiddenState[i] == questionShown) {
      shifts.push_back({PictureAction::hide, i, input.rowHeights[row], up});
      ++hiddenInRow;
      hiddenState[i] = questionHidden;
    }
    if (!endsRow(i)) continue;
    if (hiddenInRow == picturesPerRow) {
      const int distance = collapseDistance(input, row);
      moveLaterQuestions(i, count, distance, up, shifts);
      boardHeight -= distance;
      hiddenState[i] = questionClosedRow;
    }
    ++row;
    hiddenInRow = 0;
  }
}

void planShowingPass(const RowHidingInput& input, int (&hiddenState)[maxQuestions + 1],
                     int& boardHeight, std::vector<QuestionShift>& shifts) {
  shifts.clear();
  const int count = questionsLookedAt(input);
  int row = 0;
  for (int i = 1; i <= count; ++i) {
    if (hiddenState[i] == questionHidden || hiddenState[i] == questionClosedRow)
      shifts.push_back({PictureAction::show, i, input.rowHeights[row], down});
    if (hiddenState[i] == questionClosedRow) {
      const int distance = collapseDistance(input, row);
      boardHeight += distance;
      moveLaterQuestions(i, count, distance, down, shifts);
    }
    hiddenState[i] = questionShown;
    if (endsRow(i)) ++row;
  }
}

void applyShift(const QuestionShift& shift, std::vector<ControlPlan>& controls,
                std::vector<bool>& visible) {
  if (visible.size() < controls.size()) visible.resize(controls.size(), true);
  const int offset = shift.distance * shift.direction;
  const int j = shift.question;
  const int picture = indexOfControl(controls, pictureLabelBase + j);
  if (picture >= 0) {
    if (shift.action == PictureAction::move)
      controls[picture].y += offset;
    else
      visible[picture] = shift.action == PictureAction::show;
  }
  // The one-answer ids: only the picture kind with one answer per question hides questions.
  for (const int id :
       {answerBoxBase + j, resultLabelBase + j, numberLabelBase + j, revealLabelBase + j}) {
    const int index = indexOfControl(controls, id);
    if (index >= 0) controls[index].y += offset;
  }
}

void applyShifts(const std::vector<QuestionShift>& shifts, std::vector<ControlPlan>& controls,
                 std::vector<bool>& visible) {
  for (const QuestionShift& shift : shifts) applyShift(shift, controls, visible);
}
