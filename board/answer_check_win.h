#pragma once

#include <windows.h>

#include "content/quiz_state.h"

// Judges answer box `boxId` (4000 + k) of the board: writes the verdict into its result label
// (5000 + k), reveals what the quiz reveals for a solved question, and updates the score.
// Nothing changes when the verdict is the one the label already shows.
void checkAnswer(QuizState& quiz, HWND board, int boxId);

// Counts the questions whose result labels all read the success word, shows " n / N" and the
// reward code of rank n in the header, then applies the "Cacher" box.
void updateScore(QuizState& quiz, HWND board);
