#pragma once

#include <string>
#include <vector>

#include "tools/quiztool/quizfile/quiz_file.h"

// Checks of a whole quiz that its lines alone cannot make: settings the player cannot work
// with (refused), and content that students would never see (warned about).

// False with a "FILE:LINE: message" in `faults` for each of the title, success and failure word
// that cannot work.
bool checkQuizSettings(const QuizDefinition& quiz, Faults& faults);

// "FILE:LINE: warning: ..." for everything a student will never see.
std::vector<std::string> quizWarnings(const QuizDefinition& quiz);

// "FILE:LINE: " for a line of the quiz file; "FILE: " for line 0 (the quiz as a whole).
std::string quizPlace(const QuizDefinition& quiz, int line);
