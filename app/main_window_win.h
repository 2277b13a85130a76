#pragma once

#include <windows.h>

// The main window: its class, its procedure and its children (the header bar, the question
// board and the version label).

constexpr int versionLabelId = 8000;
constexpr int mainWindowWidth = 544;
constexpr int mainWindowHeight = 375;

// Background of the version label, RGB(212, 208, 200); made before the quiz record, deleted at
// teardown.
extern HBRUSH versionLabelBrush;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A visible "Static" child with the default GUI font.
HWND createStaticLabel(HWND parent, const char* text, int x, int y, int width, int height, int id);

// One wheel notch over the main window becomes a scroll request for the board; several notches
// reported at once post nothing.
void forwardMouseWheel(HWND board, WPARAM wParam);
