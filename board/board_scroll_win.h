#pragma once

#include <windows.h>

#include "content/quiz_state.h"

// The vertical position the board jumps to on the private scroll code 502; the answer boxes
// set it before they ask for the jump.
extern int scrollTarget;

// Both bars from the content size (boardWidth, boardHeight) and the client size.
void setUpScrollBars(const QuizState& quiz, HWND board);

// WM_VSCROLL (bar SB_VERT) or WM_HSCROLL (SB_HORZ) with the scroll code `code`.
void scrollBoard(const QuizState& quiz, HWND board, int bar, int code);

// WM_MOUSEWHEEL on the board: one notch posts one scroll request.
void postWheelScroll(HWND board, WPARAM wParam);

// The scroll bars are set up again for the new size and the content follows any position the
// new ranges changed, so it stays in place.
void keepScrollPlaceOnResize(const QuizState& quiz, HWND board);
