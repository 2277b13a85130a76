#pragma once

#include <windows.h>

// The answer boxes' own procedure: judging on Enter and on leaving a box, Tab bringing the
// focused box into view, F1 trying one text in every open box, F2 saving, Page Up and Page Down
// scrolling the board a page, the up and down arrows a wheel notch.
LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// Installs answerBoxProc in a freshly created answer box.
void installAnswerBoxProc(HWND box);

// F1: the text of `box` typed into every answer box whose answer is not yet found.
void tryAnswerEverywhere(HWND box);
