#pragma once

#include <windows.h>

// The hosting of the media player control, for sound and video quizzes only: atl.dll is loaded
// at run time and COM is initialised at start-up; both are released at teardown.
void initMediaHost();
void shutDownMediaHost(HWND mainWindow);
