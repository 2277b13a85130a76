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

// What pack stores of a picture that loadQuizMedia read: its fitted form (picture_fitting.h),
// or the original under --keep-pictures. A JPEG whose EXIF orientation the stored bytes keep
// (the option, or a JPEG this tool cannot decode) is shown turned: that is added to `warnings`.
void fitQuizPicture(const QuizDefinition& quiz, const MediaFile& media,
                    std::vector<std::uint8_t>& bytes, std::vector<std::string>& warnings);
