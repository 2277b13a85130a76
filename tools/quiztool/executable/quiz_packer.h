#pragma once

#include <string>
#include <vector>

#include "content/settings_block.h"
#include "ids/resource_ids.h"
#include "tools/quiztool/executable/pe_image.h"
#include "tools/quiztool/executable/resource_tree.h"
#include "tools/quiztool/quizfile/quiz_file.h"

// Writes a quiz into an image of the player, as a quiz-making tool does, without relinking: the
// coded "PATCH" resources 104 and 105, the "IMG" resources 400 + j and 10400 + j (PNG pictures
// as RT_RCDATA under the same ids), and the settings block. The player's own resources stay.

bool readSettingsBlock(const PeImage& image, SettingsBlock& settings, std::string& error);
// Every picture and clip is checked first (media_checks.h), each refusal added to `faults`:
// nothing is changed when one is refused, or when `faults` already holds the quiz file's own.
// Warnings about them go to `warnings` when it is given.
bool packQuiz(const QuizDefinition& quiz, PeImage& image, Faults& faults,
              std::vector<std::string>* warnings = nullptr);

// The quiz's own resources, added to `tree`: what packQuiz writes, without a player. With faults
// already found, only the pictures and clips are checked, for their own faults.
bool addQuizResources(const QuizDefinition& quiz, ResourceTree& tree,
                      std::vector<std::string>& warnings, Faults& faults);

// Resource types and ids that a quiz uses.
constexpr int answersId = 104;
constexpr int codesId = 105;
const ResourceName& patchType();
const ResourceName& imageType();
// Question pictures and clips (401 to 496) and answer pictures (10401 to 10496).
bool isQuizMediaId(int id);
