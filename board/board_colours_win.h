#pragma once

#include <windows.h>

#include "content/quiz_state.h"

// Behind a result label that reads the success word; made when the board is built.
void createSuccessBrush();
void deleteSuccessBrush();

// The board's WM_CTLCOLORSTATIC: plain labels on the quiz background, result labels by verdict,
// question texts on pale yellow; 0 for everything else.
INT_PTR colourBoardLabel(const QuizState& quiz, HDC context, HWND control);
