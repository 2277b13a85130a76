#pragma once

#include <windows.h>

#include "board/row_hiding.h"
#include "content/quiz_state.h"

// Applies the header's "Cacher" box: ticked, the pictures of solved questions are hidden and
// full rows of them collapse; unticked, everything comes back. Then the scroll bars follow the
// new content height.
void relayoutBoard(QuizState& quiz);

// Hides, shows or moves question j's picture label (or media host) and moves its number label,
// answer box, result label and reveal label by distance x direction pixels.
void shiftQuestion(PictureAction pictureAction, int showCommand, HWND board, int distance,
                   int direction, int j);
