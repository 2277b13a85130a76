#pragma once

#include <windows.h>

#include "content/quiz_state.h"

// Icons 1004 (play) and 1005 (stop) of the executable, for the media buttons.
void loadMediaButtonIcons();
void setMediaButtonIcon(HWND button, bool play);

// WM_COMMAND of the board: a play button (6001..6096) writes the question's clip to a file and
// plays it, stopping every other clip; a stop button (7001..7096) stops the clip started last
// and deletes its file. Ignored for quizzes without media.
void runMediaButton(HWND board, const QuizState& quiz, WPARAM command);

// When the board goes: every clip stops and the file written last is deleted.
void stopMediaAndDeleteFile();

// Writes the "IMG" resource `resourceId` to "velmo<id>.<extension>" in the current folder and
// keeps its name as the current media file. 1 when written, 0 when the resource is missing or
// cannot be used. mediaType is 1 for audio, 2 for video (for the message when it cannot load).
int extractMediaResource(HWND board, int resourceId, int mediaType);
