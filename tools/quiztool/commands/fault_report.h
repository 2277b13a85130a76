#pragma once

#include <string>

#include "tools/quiztool/fail.h"

// The faults of a quiz file as its author reads them on standard error: each on its line, then
// their count (and how many are listed, when there were more than shownFaults).
void reportFaults(const std::string& quizFile, const Faults& faults);
