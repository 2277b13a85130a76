#pragma once

#include <windows.h>

// Creates question q's media player inside its host window (a "STATIC" child of the board,
// 9900 + q): the Windows Media Player control attached to the host, its controls interface
// taken, its own user interface turned off, and its autostart too (a clip starts at the play
// call only). When the control cannot be created (no media player on the machine, or no hosting
// library) the question keeps no player and its buttons do nothing; the other questions are
// built all the same.
void createMediaPlayer(HWND host, int question);

// Releases every player and controls interface; COM must still be initialised.
void releaseMediaPlayers();
