#pragma once

#include <string>
#include <vector>

#include "content/content_parser.h"
#include "content/settings_block.h"

// The other way of quiz_file.h: a quiz as the player holds it, written back as a quiz file that
// packs into the same content. Settings that differ from the defaults are written out, texts are
// quoted where their blanks (or their own quotes) must be kept.

// The files of one question's media, relative to the quiz file; empty: none.
struct QuestionMediaNames {
  std::string picture, answerPicture, clip;
};

// False, with what cannot be said in a quiz file (a control character in a text, a setting that
// fills its field, units out of range), when the quiz cannot be written.
bool writeQuizText(const QuizContent& content, const RewardCodes& codes,
                   const SettingsBlock& settings, const std::vector<QuestionMediaNames>& media,
                   std::string& text, std::string& error);
