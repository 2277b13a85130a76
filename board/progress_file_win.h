#pragma once

#include <windows.h>

#include "board/progress_format.h"
#include "content/quiz_state.h"

// The progress file beside the player's current folder: one line per answer box.

// The executable's file name with "txt" in place of its last three characters.
void progressFileName(char (&name)[textCapacity]);

// Writes every answer box of the board. The new file is written whole under a temporary name
// first and then replaces the old one, so a save that cannot complete leaves the previous
// progress as it was. Without the board, or with an answer box missing, nothing is written.
// Failures are silent.
void saveProgress(const QuizState& quiz);

// The file mapped for reading while the board is built.
struct ProgressReader {
  HANDLE file;
  HANDLE mapping;
  const void* view;
  ProgressLines lines;
};

// An absent, empty or unreadable file reads as no lines at all.
void openProgress(ProgressReader& reader);
void nextProgressLine(ProgressReader& reader, char (&text)[textCapacity]);
void closeProgress(ProgressReader& reader);
