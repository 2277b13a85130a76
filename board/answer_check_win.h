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

// While the board is built, every restored answer is judged as it is created; the score, the
// reward code, the whole-quiz reveal and the relayout need only the final labels, so the checks
// between these two calls leave them to one update at the end. What the header and the board
// show afterwards is what a score update after every changed verdict would have left.
void beginRestoredChecks();
void finishRestoredChecks(QuizState& quiz, HWND board);
