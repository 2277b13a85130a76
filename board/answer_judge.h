#pragma once

// Judging one typed answer against its stored answer: the verdict word that the result label
// shows. Everything here works on NUL-terminated code page 1252 texts of at most 259 bytes, in
// fixed buffers, without heap allocation; bytes past the 259th of a longer text are not read.

// Verdicts other than the quiz's own success and failure words. The board's colour rule and the
// score compare label texts with these. Literals are stored in code page 1252, so the last one
// ends in the byte 0xE9.
inline constexpr char verdictUnknown[] = "?";               // the typed text is empty
inline constexpr char verdictAnagram[] = "Anagramme";       // same bytes in another order
inline constexpr char verdictOneEdit[] = "Quasiment";       // one edit away
inline constexpr char verdictTwoEdits[] = "Presque";        // two edits away
inline constexpr char verdictTooLong[] = "Trop long";       // holds the whole answer and more
inline constexpr char verdictTooShort[] = "Trop court";     // a long piece of a long answer
inline constexpr char verdictNotFar[] = "pas loin";         // a shorter piece of a long answer
inline constexpr char verdictCloseIdea[] = "y a de l'idée"; // more than 80 % alike

// The typed text: drops blanks (byte 32 only) from the end, then from the start, and turns
// a..z into A..Z. Every other byte stays, so accented letters keep their case and blanks inside
// the text stay however many there are.
void normaliseAnswer(char* text);

// The stored answer: a..z to A..Z only. It is never trimmed, so a stored answer with a blank
// at either end can never be matched.
void foldAnswer(char* text);

// Levenshtein distance over bytes (insertion, deletion and substitution each cost 1).
int editDistance(const char* s, const char* t);

// The containment scan: 2 when `typed` is at least as long as `stored` and the scan finds
// `stored` in it, -2 when `typed` is shorter and the scan finds it in `stored`, 0 otherwise
// (and 0 whenever the shorter text is empty). The scan is greedy and never backs up: after a
// failed run it carries on where the run stopped, so "AAB" is not found in "XAAAB".
int findContained(const char* stored, const char* typed);

// The verdict for a typed text against a stored answer, both already prepared (the typed text
// normalised, the stored answer folded). Returns `successWord`, `failureWord` or one of the
// verdict constants above; never null.
const char* judgeAnswer(const char* stored, const char* typed, const char* successWord,
                        const char* failureWord);

// Answer k (answer box 4000 + k, k from 1) belongs to question `question`; `line` is 1 for the
// question's first answer and 2 for its second.
struct AnswerSlot {
  int question;
  int line;
};

// With two answers per question, k = 2n - 1 is question n's first answer and k = 2n its second;
// any other count is read as one answer per question.
AnswerSlot answerSlotOf(int k, int answersPerQuestion);
