#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "content/quiz_state.h"

// The decoded text of resource 104, in order: byte 0 (not read); byte 1 the question kind plus
// one (1 text, 2 picture, 3 audio, 4 video); byte 2 the question count; byte 3 the answers per
// question; the quiz name, author, explanations and the two answer line labels as text fields;
// per question its answer, its second answer (two answers per question only) and its question
// text; the reveal mode byte; the reveal texts (mode 3: a pair per question, the second of each
// pair unused; modes 2 and 4: one per question); the background red, green and blue bytes.
// A text field runs from the current byte to the next "|", which it does not include.
//
// The decoded text of resource 105: one line per question, the code followed by CR LF.
//
// Both parses stay inside the decoded text and the record's limits: content that breaks the
// format (a field that runs off the end, a text over 259 bytes, more than 96 questions, a byte
// outside its range) is rejected as a whole with a description of what is wrong.

struct ContentQuestion {
  char answer[textCapacity];
  char secondAnswer[textCapacity];
  char questionText[textCapacity];
  char revealText[textCapacity];
};

// What resource 104 declares, before it goes into the record.
struct QuizContent {
  int questionKind; // kindText .. kindVideo
  int questionCount;
  int answersPerQuestion;
  char quizName[textCapacity];
  char authorName[textCapacity];
  char explanations[textCapacity];
  char firstAnswerLabel[textCapacity];
  char secondAnswerLabel[textCapacity];
  ContentQuestion questions[maxQuestions];
  int revealMode;
  std::uint8_t red, green, blue;
};

// What resource 105 holds: entry n - 1 is the code shown while the score is n.
struct RewardCodes {
  char codes[maxQuestions][textCapacity];
};

enum ContentErrorCode : int {
  contentOk = 0,
  contentTruncated,        // the text ends before this byte or field
  contentTextTooLong,      // a text field over 259 bytes
  contentTooManyQuestions, // a question count above 96
  contentBadKind,          // a kind byte outside 1..4
  contentBadAnswerCount,   // answers per question other than 1 or 2
  contentBadRevealMode,    // a reveal mode above 4
};

struct ContentError {
  ContentErrorCode code = contentOk;
  std::string field;      // what was being read, for example "question 3 answer"
  std::size_t offset = 0; // where in the decoded text
};

// One line, for example: question 3 answer: no "|" before the end of the text (byte 120).
std::string describeContentError(const ContentError& error);

// Both return false, with `error` set and `content` or `codes` unusable, on content that breaks
// the format.
bool parseAnswersText(const std::uint8_t* text, std::size_t length, QuizContent& content,
                      ContentError& error);
bool parseCodesText(const std::uint8_t* text, std::size_t length, int questionCount,
                    RewardCodes& codes, ContentError& error);

// Puts parsed content into a freshly constructed record: texts, counts, modes, one question per
// group, reveal texts and the background colour with its brush.
void applyAnswersContent(QuizState& state, const QuizContent& content);
