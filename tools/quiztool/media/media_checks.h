#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/quiztool/quizfile/quiz_file.h"

// Reads a picture or a clip that a quiz names and checks that the player can show or play it
// (picture_checks.h, clip_checks.h). False with "FILE:LINE: PATH ..." in `error`; what the file
// makes students see that the author may not expect is added to `warnings`.
bool loadQuizMedia(const QuizDefinition& quiz, const MediaFile& media, bool picture,
                   std::vector<std::uint8_t>& bytes, std::vector<std::string>& warnings,
                   std::string& error);
