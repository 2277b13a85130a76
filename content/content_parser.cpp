#include "content/content_parser.h"

#include <cstring>

namespace {

constexpr std::uint8_t fieldEnd = '|';
constexpr std::uint8_t carriageReturn = 13;

struct TextCursor {
  const std::uint8_t* text;
  std::size_t length;
  std::size_t position;
  ContentError& error;
};

bool failAt(TextCursor& cursor, std::size_t offset, ContentErrorCode code, const char* name,
            int question) {
  cursor.error.code = code;
  cursor.error.field = question > 0 ? "question " + std::to_string(question) + " " + name : name;
  cursor.error.offset = offset;
  return false;
}

bool fail(TextCursor& cursor, ContentErrorCode code, const char* name, int question) {
  return failAt(cursor, cursor.position, code, name, question);
}

bool readByte(TextCursor& cursor, const char* name, std::uint8_t& value) {
  if (cursor.position >= cursor.length) return fail(cursor, contentTruncated, name, 0);
  value = cursor.text[cursor.position++];
  return true;
}

// Reads the bytes up to `terminator` into `target`; the cursor then stands on the terminator.
bool readUpTo(TextCursor& cursor, std::uint8_t terminator, const char* name, int question,
              char (&target)[textCapacity]) {
  const std::uint8_t* start = cursor.text + cursor.position;
  const void* found = std::memchr(start, terminator, cursor.length - cursor.position);
  if (!found) return fail(cursor, contentTruncated, name, question);
  const std::size_t length = static_cast<const std::uint8_t*>(found) - start;
  if (length > static_cast<std::size_t>(maxTextLength))
    return fail(cursor, contentTextTooLong, name, question);
  copyText(target, reinterpret_cast<const char*>(start), length);
  cursor.position += length;
  return true;
}

bool readField(TextCursor& cursor, const char* name, int question, char (&target)[textCapacity]) {
  if (!readUpTo(cursor, fieldEnd, name, question, target)) return false;
  ++cursor.position; // past the "|"
  return true;
}

bool readHeader(TextCursor& cursor, QuizContent& content) {
  std::uint8_t unused = 0, kind = 0, count = 0, answers = 0;
  if (!readByte(cursor, "byte 0", unused) || !readByte(cursor, "question kind", kind) ||
      !readByte(cursor, "question count", count) ||
      !readByte(cursor, "answers per question", answers))
    return false;
  if (kind < 1 || kind > 4) return failAt(cursor, 1, contentBadKind, "question kind", 0);
  if (count > maxQuestions) return failAt(cursor, 2, contentTooManyQuestions, "question count", 0);
  if (answers != 1 && answers != 2)
    return failAt(cursor, 3, contentBadAnswerCount, "answers per question", 0);
  content.questionKind = kind - 1;
  content.questionCount = count;
  content.answersPerQuestion = answers;
  return readField(cursor, "quiz name", 0, content.quizName) &&
         readField(cursor, "author", 0, content.authorName) &&
         readField(cursor, "explanations", 0, content.explanations) &&
         readField(cursor, "first answer label", 0, content.firstAnswerLabel) &&
         readField(cursor, "second answer label", 0, content.secondAnswerLabel);
}

bool readQuestions(TextCursor& cursor, QuizContent& content) {
  for (int n = 1; n <= content.questionCount; ++n) {
    ContentQuestion& question = content.questions[n - 1];
    if (!readField(cursor, "answer", n, question.answer)) return false;
    question.secondAnswer[0] = '\0';
    if (content.answersPerQuestion == 2 &&
        !readField(cursor, "second answer", n, question.secondAnswer))
      return false;
    if (!readField(cursor, "question text", n, question.questionText)) return false;
    question.revealText[0] = '\0';
  }
  return true;
}

bool readReveals(TextCursor& cursor, QuizContent& content) {
  std::uint8_t mode = 0;
  if (!readByte(cursor, "reveal mode", mode)) return false;
  if (mode > 4) return failAt(cursor, cursor.position - 1, contentBadRevealMode, "reveal mode", 0);
  content.revealMode = mode;
  if (mode < 2) return true;
  char unused[textCapacity];
  for (int n = 1; n <= content.questionCount; ++n) {
    if (!readField(cursor, "reveal text", n, content.questions[n - 1].revealText)) return false;
    if (mode == 3 && !readField(cursor, "unused reveal text", n, unused)) return false;
  }
  return true;
}

} // namespace

std::string describeContentError(const ContentError& error) {
  const char* what = "";
  switch (error.code) {
  case contentOk: what = "no error"; break;
  case contentTruncated: what = "the text ends before it is complete (no \"|\" or CR left)"; break;
  case contentTextTooLong: what = "text longer than 259 bytes"; break;
  case contentTooManyQuestions: what = "more than 96 questions"; break;
  case contentBadKind: what = "kind byte outside 1 to 4"; break;
  case contentBadAnswerCount: what = "answers per question other than 1 or 2"; break;
  case contentBadRevealMode: what = "reveal mode above 4"; break;
  }
  return error.field + ": " + what + " (byte " + std::to_string(error.offset) + ")";
}

bool parseAnswersText(const std::uint8_t* text, std::size_t length, QuizContent& content,
                      ContentError& error) {
  error = {};
  TextCursor cursor{text, length, 0, error};
  if (!readHeader(cursor, content) || !readQuestions(cursor, content) ||
      !readReveals(cursor, content))
    return false;
  return readByte(cursor, "background red", content.red) &&
         readByte(cursor, "background green", content.green) &&
         readByte(cursor, "background blue", content.blue);
}

bool parseCodesText(const std::uint8_t* text, std::size_t length, int questionCount,
                    RewardCodes& codes, ContentError& error) {
  error = {};
  if (questionCount > maxQuestions) questionCount = maxQuestions;
  TextCursor cursor{text, length, 0, error};
  for (int n = 1; n <= questionCount; ++n) {
    if (!readUpTo(cursor, carriageReturn, "code", n, codes.codes[n - 1])) return false;
    cursor.position += 2; // over CR LF
    if (cursor.position > length) cursor.position = length;
  }
  return true;
}

void applyAnswersContent(QuizState& state, const QuizContent& content) {
  state.questionKind = content.questionKind;
  state.questionCount = content.questionCount;
  // The text layout has one answer box per line; content of that kind that declares two answers
  // is played with its first answers only, so that the board, the judging and the progress file
  // all count one answer per question.
  state.answersPerQuestion = content.questionKind == kindText ? 1 : content.answersPerQuestion;
  copyText(state.quizName, content.quizName);
  copyText(state.authorName, content.authorName);
  copyText(state.explanations, content.explanations);
  copyText(state.firstAnswerLabel, content.firstAnswerLabel);
  copyText(state.secondAnswerLabel, content.secondAnswerLabel);
  for (int n = 1; n <= content.questionCount; ++n) {
    const ContentQuestion& question = content.questions[n - 1];
    addQuestion(state, question.answer, question.secondAnswer, question.questionText);
  }
  state.revealMode = content.revealMode;
  for (int n = 1; n <= content.questionCount; ++n) {
    if (QuizQuestion* question = questionAt(state, n))
      copyText(question->revealText, content.questions[n - 1].revealText);
  }
  setBackgroundColour(state, content.red, content.green, content.blue);
}
