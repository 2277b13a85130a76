#pragma once

#include <string>

// The keys of a quiz file, in one table: the parser takes each line by its key's row, suggests
// a known key for a mistyped one, the writer writes every key by the name given here, and
// `quiztool check --help` lists them. README.md says what each one takes.

enum class QuizKey {
  name,
  author,
  explanations,
  kind,
  answers,
  firstLabel,
  secondLabel,
  reveal,
  background,
  code,
  title,
  web,
  success,
  failure,
  scrollUnit,
  pageUnit,
  question, // starts a question: the keys below it belong to that question
  answer,
  secondAnswer,
  revealText,
  picture,
  answerPicture,
  clip,
};

struct QuizKeyRow {
  QuizKey key;
  const char* name; // as the file writes it; keys are read case-insensitively
  bool ofQuestion;  // belongs to the question above it rather than to the whole quiz
  bool repeats;     // may be given more than once ("code" and "question")
};

// The row of a key as foldCase gives it, or null for a key the file format does not have.
const QuizKeyRow* findQuizKey(const std::string& name);
const char* keyName(QuizKey key);

// What follows `unknown key "KEY"` (KEY as foldCase gives it): the known key nearest to a
// mistyped one, or the key a French word means (": did you mean ...?"), else a pointer to the
// guide, LISEZ-MOI.txt.
std::string keySuggestion(const std::string& name);

// Every key, comma-separated and wrapped into lines of at most `width` characters after an
// indent of two blanks, for the help.
std::string keyList(std::size_t width);

// The question kinds as the file names them: "text", "picture", "audio", "video" (and the French
// "texte", "image", "son", "vidéo" when read). kindName gives "unknown" outside kindText to
// kindVideo; kindOfName, given the name as foldCase gives it ("VIDÉO" is "vidéo"), is false for
// a name that is none of them.
const char* kindName(int kind);
bool kindOfName(const std::string& foldedName, int& kind);
