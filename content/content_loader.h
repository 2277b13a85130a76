#pragma once

#include <cstddef>
#include <cstdint>

#include "content/quiz_state.h"

// Fills the freshly constructed record with the quiz that the executable carries: resource 104
// (texts, answers, modes, colour) and resource 105 (reward codes), both of type "PATCH".

constexpr int answersResourceId = 104;
constexpr int codesResourceId = 105;

// The bytes of one content resource; size 0 when it is missing.
struct ContentResource {
  const std::uint8_t* bytes;
  std::size_t size;
};

using FindContentResource = ContentResource (*)(int resourceId);

// The whole loading, with its notices:
//   104 missing            "Reponses non trouvées" / "Velmo", then the fallback quiz, no codes
//   104 does not decode    "Erreur dans le décryptage des reponses" / "Information",
//                          constructor defaults with questionCount 0
//   105 missing or bad     "Erreur dans le décryptage des codes" / "Information",
//                          the quiz of 104 without codes
// Content that decodes but breaks the text format counts as not decoding.
void loadContentFrom(QuizState& state, FindContentResource find);

// The small built-in quiz of an executable that carries none.
void installFallbackQuiz(QuizState& state);

// The player's loader: the "PATCH" resources of the executable itself (content_loader_win.cpp).
void loadContent(QuizState& state);
