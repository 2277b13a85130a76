#pragma once

#include <windows.h>

#include "content/quiz_state.h"

// WM_INITDIALOG of the board: every question's controls, each answer box filled from the
// progress file and judged at once, then the scroll bars.
void buildBoard(HWND board, QuizState& quiz);

// The font of the question texts and answer boxes.
void createTextFont(QuizState& quiz);
