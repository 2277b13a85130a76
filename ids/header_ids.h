#pragma once

// Controls of the header bar. The board writes the score (32) and the code box (30) after each
// judged answer and reads the "Cacher" box (33).
constexpr int linkLabelId = 24;
constexpr int byLabelId = 25;
constexpr int authorLabelId = 26;
constexpr int saveButtonId = 27;
constexpr int explanationsLabelId = 28;
constexpr int quizNameLabelId = 29;
constexpr int codeBoxId = 30;
constexpr int codeLabelId = 31;
constexpr int scoreLabelId = 32;
constexpr int hideSolvedBoxId = 33;
constexpr int scoreRuleId = 120;
constexpr int leftRuleId = 121;
constexpr int rightRuleId = 122;
