#pragma once

#include <map>
#include <string>
#include <vector>

#include "content/settings_block.h"
#include "tools/quiztool/fail.h"

// A quiz as a teacher writes it: a UTF-8 text file of "key: value" lines (README.md documents
// the format). Texts are converted to code page 1252 and checked against what the player can
// hold; media paths are relative to the quiz file.

struct MediaFile {
  std::string path; // as resolved against the quiz file's folder; empty: none, or not there
  std::string name; // as the quiz file writes it, for messages
  int line = 0;     // where the quiz file names it
};

struct QuestionSource {
  int line = 0;           // of its "question:" key
  int revealTextLine = 0; // of its "reveal text:" key, when given
  std::string questionText, answer, secondAnswer, revealText;
  bool hasAnswer = false;
  MediaFile picture, answerPicture, clip;
};

struct QuizDefinition {
  std::string fileName;
  int questionKind = 0;
  int answersPerQuestion = 1;
  std::string quizName, authorName, explanations, firstAnswerLabel, secondAnswerLabel;
  int revealMode = 0;
  int red = 90, green = 95, blue = 150;
  std::vector<std::string> codes;
  std::vector<QuestionSource> questions;
  SettingsBlock settings = defaultSettings;
  std::map<std::string, int> keyLines; // the line of each whole-quiz key given once
  // Pictures and clips go in as they are, unchecked: only for testing how the player copes
  // with files it cannot show or play (pack --unchecked-media).
  bool mediaUnchecked = false;
  bool keepPictures = false; // pack stores the original pictures, not fitted ones
};

// False with a "FILE:LINE: message" added to `faults` for every fault found: the whole file is
// read and checked, whatever it holds. A file that is not UTF-8 text gets one fault, "FILE:
// message" (the line of its first non-UTF-8 byte, for text in another encoding).
bool parseQuizFile(const std::string& path, const SettingsBlock& startingSettings,
                   QuizDefinition& quiz, Faults& faults);
bool parseQuizText(const std::string& fileName, const std::string& text, const std::string& folder,
                   const SettingsBlock& startingSettings, QuizDefinition& quiz, Faults& faults);

// The decoded texts of resources 104 and 105.
std::string answersText(const QuizDefinition& quiz);
std::string codesText(const QuizDefinition& quiz);
