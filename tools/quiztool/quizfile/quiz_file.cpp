// A quiz file's "key: value" lines parsed into a QuizDefinition, line by line.
#include "tools/quiztool/quizfile/quiz_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "content/quiz_state.h"
#include "tools/quiztool/fail.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/platform/file_io.h"
#include "tools/quiztool/platform/platform.h"
#include "tools/quiztool/quizfile/codepage.h"
#include "tools/quiztool/quizfile/file_kinds.h"
#include "tools/quiztool/quizfile/quiz_checks.h"
#include "tools/quiztool/quizfile/quiz_keys.h"

namespace {

// A fault on a line does not end the reading: the lines after it are read and checked too, and
// the checks that depend on a refused value (the kind, the answer count, the reveal mode) are
// left out rather than reporting what follows from the refusal.
struct Parser {
  QuizDefinition& quiz;
  std::string folder; // media paths are relative to it
  int line = 0;
  Faults& faults;
  int answersLine = 0;                // of the last "answers:" key, for faults found at the end
  std::vector<int> codeLines;         // of each "code:" key, in order
  std::set<std::string> quizKeys;     // keys given so far for the whole quiz
  std::set<std::string> questionKeys; // keys given so far in the current question
  std::set<QuizKey> refused;          // keys whose value was refused
  bool stopped = false;               // past the last question the player can hold
};

// Every fault names the line it lies on.
bool fault(Parser& parser, const std::string& message) {
  return fail(parser.faults, quizPlace(parser.quiz, parser.line) + message);
}

std::string trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A value in double quotes keeps its blanks: author: " createur".
std::string unquote(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return value.substr(1, value.size() - 2);
  return value;
}

// Converts a value to code page 1252 and checks it against what the player can hold. A refused
// value is still taken as well as it goes, so that the checks of the quiz as a whole see it.
bool takeText(Parser& parser, const std::string& value, const char* what, std::size_t limit,
              bool barAllowed, std::string& out) {
  std::size_t bad = 0;
  const std::string text = unquote(value);
  if (!cp1252FromUtf8(text, out, bad))
    return fault(parser, say(Msg::textNotCp1252, {what, utf8CharacterAt(text, bad),
                                                  std::to_string(characterCount(text, bad) + 1)}));
  for (char c : out) {
    if (static_cast<unsigned char>(c) < 0x20)
      return fault(parser, say(c == '\t' ? Msg::textTab : Msg::textControl, {what}));
    if (c == '|' && !barAllowed) return fault(parser, say(Msg::textBar, {what}));
  }
  if (out.size() > limit)
    return fault(parser,
                 say(Msg::textTooLong, {what, std::to_string(out.size()), std::to_string(limit)}));
  return true;
}

bool takeNumber(Parser& parser, const std::string& value, const char* what, int low, int high,
                int& out) {
  char* end = nullptr;
  const long number = std::strtol(value.c_str(), &end, 10);
  if (value.empty() || *end != '\0' || number < low || number > high)
    return fault(parser, say(Msg::numberRange, {what, std::to_string(low), std::to_string(high)}));
  out = static_cast<int>(number);
  return true;
}

bool takeKind(Parser& parser, const std::string& value) {
  if (kindOfName(foldCase(unquote(value)), parser.quiz.questionKind)) return true;
  return fault(parser, say(Msg::kindUnknown));
}

// Three numbers with blanks between them. Each is read as a long, so that a number too large
// for an int is rejected rather than wrapped into the range.
bool takeColour(Parser& parser, const std::string& value) {
  long parts[3] = {};
  const char* at = value.c_str();
  for (long& part : parts) {
    char* end = nullptr;
    part = std::strtol(at, &end, 10);
    if (end == at || part < 0 || part > 255) return fault(parser, say(Msg::backgroundBad));
    at = end;
  }
  if (*at != '\0') return fault(parser, say(Msg::backgroundBad));
  parser.quiz.red = static_cast<int>(parts[0]);
  parser.quiz.green = static_cast<int>(parts[1]);
  parser.quiz.blue = static_cast<int>(parts[2]);
  return true;
}

// A file that is not there is left out of the quiz (its name and line are kept), so that the
// packer does not report it a second time.
bool takeMedia(Parser& parser, const std::string& value, MediaFile& media) {
  const std::string path = unquote(value);
  if (path.empty()) return fault(parser, say(Msg::mediaNameEmpty));
  media.line = parser.line;
  media.name = path;
  // Only whether it is there: opening a pipe could wait for ever. The packer reads it.
  const std::string name = withSystemSeparators(path);
  const std::string resolved = isAbsolutePath(name) ? name : parser.folder + name;
  if (fileKind(resolved) == FileKind::missing) return fault(parser, say(Msg::mediaMissing, {path}));
  media.path = resolved;
  return true;
}

// Copies a settings text into its fixed field, zero-filled after the terminator. A refused text
// leaves the field as it was.
template <std::size_t N>
bool takeSetting(Parser& parser, const std::string& value, const char* what, char (&field)[N]) {
  std::string text;
  if (!takeText(parser, value, what, N - 1, true, text)) return false;
  std::fill(field, field + N, '\0');
  std::memcpy(field, text.data(), text.size());
  return true;
}

QuestionSource* currentQuestion(Parser& parser, const std::string& key) {
  if (parser.quiz.questions.empty()) {
    fault(parser, say(Msg::keyNeedsQuestion, {key}));
    return nullptr;
  }
  return &parser.quiz.questions.back();
}

bool takeQuestionKey(Parser& parser, const QuizKeyRow& key, const std::string& value) {
  QuestionSource* question = currentQuestion(parser, key.name);
  if (!question) return false;
  const std::size_t limit = maxTextLength;
  switch (key.key) {
  case QuizKey::answer:
    question->hasAnswer = true;
    return takeText(parser, value, key.name, limit, false, question->answer);
  case QuizKey::secondAnswer:
    return takeText(parser, value, key.name, limit, false, question->secondAnswer);
  case QuizKey::revealText:
    question->revealTextLine = parser.line;
    return takeText(parser, value, key.name, limit, false, question->revealText);
  case QuizKey::picture: return takeMedia(parser, value, question->picture);
  case QuizKey::answerPicture: return takeMedia(parser, value, question->answerPicture);
  default: return takeMedia(parser, value, question->clip);
  }
}

bool takeQuestion(Parser& parser, const QuizKeyRow& key, const std::string& value) {
  std::vector<QuestionSource>& questions = parser.quiz.questions;
  // The lines after it would belong to questions the player cannot hold: they are not read.
  if (questions.size() == maxQuestions) {
    parser.stopped = true;
    return fault(parser, say(Msg::tooManyQuestions, {std::to_string(maxQuestions)}));
  }
  questions.emplace_back();
  questions.back().line = parser.line;
  return takeText(parser, value, key.name, maxTextLength, false, questions.back().questionText);
}

bool takeSettingKey(Parser& parser, const QuizKeyRow& key, const std::string& value) {
  SettingsBlock& settings = parser.quiz.settings;
  int number = 0;
  switch (key.key) {
  case QuizKey::title: return takeSetting(parser, value, key.name, settings.title);
  case QuizKey::web: return takeSetting(parser, value, key.name, settings.webAddress);
  case QuizKey::success: return takeSetting(parser, value, key.name, settings.successWord);
  case QuizKey::failure: return takeSetting(parser, value, key.name, settings.failureWord);
  default:
    if (!takeNumber(parser, value, key.name, 1, 10000, number)) return false;
    (key.key == QuizKey::scrollUnit ? settings.scrollUnit : settings.pageUnit) = number;
    return true;
  }
}

bool takeQuizKey(Parser& parser, const QuizKeyRow& key, const std::string& value) {
  QuizDefinition& quiz = parser.quiz;
  const std::size_t limit = maxTextLength;
  switch (key.key) {
  case QuizKey::name: return takeText(parser, value, key.name, limit, false, quiz.quizName);
  case QuizKey::author: return takeText(parser, value, key.name, limit, false, quiz.authorName);
  case QuizKey::explanations:
    return takeText(parser, value, key.name, limit, false, quiz.explanations);
  case QuizKey::firstLabel:
    return takeText(parser, value, key.name, limit, false, quiz.firstAnswerLabel);
  case QuizKey::secondLabel:
    return takeText(parser, value, key.name, limit, false, quiz.secondAnswerLabel);
  case QuizKey::kind: return takeKind(parser, value);
  case QuizKey::answers:
    parser.answersLine = parser.line;
    return takeNumber(parser, value, key.name, 1, 2, quiz.answersPerQuestion);
  case QuizKey::reveal: return takeNumber(parser, value, key.name, 0, 4, quiz.revealMode);
  case QuizKey::background: return takeColour(parser, value);
  case QuizKey::code:
    parser.codeLines.push_back(parser.line);
    quiz.codes.emplace_back();
    return takeText(parser, value, key.name, limit, true, quiz.codes.back());
  case QuizKey::question: return takeQuestion(parser, key, value);
  default:
    if (key.ofQuestion) return takeQuestionKey(parser, key, value);
    return takeSettingKey(parser, key, value);
  }
}

// A key given twice would silently replace the first value: only "code" and "question" repeat.
bool takeOnce(Parser& parser, const QuizKeyRow& key) {
  if (key.key != QuizKey::code && !key.ofQuestion)
    parser.quiz.keyLines.emplace(key.name, parser.line);
  if (key.key == QuizKey::question) parser.questionKeys.clear();
  if (key.repeats) return true;
  auto& seen =
      parser.quiz.questions.empty() || !key.ofQuestion ? parser.quizKeys : parser.questionKeys;
  if (seen.insert(key.name).second) return true;
  return fault(parser, say(&seen == &parser.questionKeys ? Msg::keyTwiceInQuestion : Msg::keyTwice,
                           {key.name}));
}

bool takeLine(Parser& parser, const std::string& line) {
  const std::string content = trim(line);
  if (content.empty() || content[0] == '#') return true;
  const std::size_t colon = content.find(':');
  if (colon == std::string::npos) return fault(parser, say(Msg::expectedKeyValue));
  const std::string name = foldCase(trim(content.substr(0, colon)));
  const QuizKeyRow* key = findQuizKey(name);
  if (!key) return fault(parser, say(Msg::unknownKey, {name, keySuggestion(name)}));
  if (!takeOnce(parser, *key)) return false;
  if (takeQuizKey(parser, *key, trim(content.substr(colon + 1)))) return true;
  parser.refused.insert(key->key);
  return false;
}

bool hasBlankEnd(const std::string& answer) {
  return !answer.empty() && (answer.front() == ' ' || answer.back() == ' ');
}

bool refused(const Parser& parser, QuizKey key) {
  return parser.refused.count(key) > 0;
}

// Every check of a question, each fault reported.
void checkQuestion(Parser& parser, const QuestionSource& question, int number) {
  const QuizDefinition& quiz = parser.quiz;
  parser.line = question.line;
  const std::string which = std::to_string(number);
  const bool kindKnown = !refused(parser, QuizKey::kind);
  const bool answersKnown = !refused(parser, QuizKey::answers);
  const bool media = quiz.questionKind == kindAudio || quiz.questionKind == kindVideo;
  if (!question.hasAnswer) fault(parser, say(Msg::questionNoAnswer, {which}));
  if (answersKnown && quiz.answersPerQuestion == 1 && !question.secondAnswer.empty())
    fault(parser, say(Msg::secondAnswerButOne, {which}));
  // The player trims what is typed but never the stored answer: an empty answer, or one with a
  // blank at either end, can never be found.
  if (question.hasAnswer && question.answer.empty()) fault(parser, say(Msg::answerEmpty, {which}));
  if (answersKnown && quiz.answersPerQuestion == 2 && question.secondAnswer.empty())
    fault(parser, say(Msg::secondAnswerEmpty, {which}));
  if (hasBlankEnd(question.answer) || hasBlankEnd(question.secondAnswer))
    fault(parser, say(Msg::answerBlankEnd, {which}));
  if (!refused(parser, QuizKey::reveal) && !question.revealText.empty() && quiz.revealMode < 2)
    fault(parser, say(Msg::revealTextButMode, {which, std::to_string(quiz.revealMode)}));
  if (!kindKnown) return;
  if (!question.picture.name.empty() && quiz.questionKind != kindPicture)
    fault(parser, say(Msg::picturesOnlyInPictureQuiz, {which}));
  if (!question.answerPicture.name.empty() && quiz.questionKind != kindPicture)
    fault(parser, say(Msg::answerPicturesOnlyInPictureQuiz, {which}));
  if (!question.clip.name.empty() && !media) fault(parser, say(Msg::clipsOnlyInClipQuiz, {which}));
}

void checkQuiz(Parser& parser) {
  const QuizDefinition& quiz = parser.quiz;
  if (quiz.questionKind == kindText && quiz.answersPerQuestion == 2 &&
      !refused(parser, QuizKey::kind)) {
    parser.line = parser.answersLine;
    fault(parser, say(Msg::textQuizTwoAnswers));
  }
  if (quiz.codes.size() > quiz.questions.size()) {
    parser.line = parser.codeLines[quiz.questions.size()]; // the first code without a question
    fault(parser, say(Msg::moreCodesThanQuestions,
                      {std::to_string(quiz.codes.size()), std::to_string(quiz.questions.size())}));
  }
  for (std::size_t i = 0; i < quiz.questions.size(); ++i)
    checkQuestion(parser, quiz.questions[i], static_cast<int>(i + 1));
}

// The line of a byte, its line ends counted as withLineFeeds reads them.
int lineAt(const std::string& text, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset; ++i)
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
      ++line;
  return line;
}

// What is wrong with the file as a whole: not text at all (a picture, a Word document...), UTF-16,
// or bytes that are not UTF-8 (a file saved as Windows or Latin-1 text). Such a file has no lines
// to check: false with the one fault.
bool checkEncoding(const QuizDefinition& quiz, const std::string& text, Faults& faults) {
  Msg kind = Msg::kindBinary;
  const bool utf16 = text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0 ||
                     (text.find('\0') != std::string::npos && looksLikeUtf16(text));
  if (utf16) return fail(faults, quizPlace(quiz, 0) + say(Msg::fileUtf16));
  if (knownFileKind(text, kind) || text.find('\0') != std::string::npos)
    return fail(faults, quizPlace(quiz, 0) + say(Msg::fileNotText, {say(kind)}));
  const std::size_t bad = firstNonUtf8(text);
  if (bad == std::string::npos) return true;
  const std::size_t lineStart = text.find_last_of("\r\n", bad) + 1; // npos + 1 is 0: line 1
  const std::string column =
      std::to_string(characterCount(text.substr(lineStart), bad - lineStart) + 1);
  return fail(faults, quizPlace(quiz, lineAt(text, bad)) +
                          say(Msg::fileNotUtf8, {column, utf8FromCp1252(text.substr(bad, 1))}));
}

// Line ends of any system: CR LF (Windows), LF, or CR alone (old Macs).
std::string withLineFeeds(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r')
      out += text[i];
    else if (i + 1 == text.size() || text[i + 1] != '\n')
      out += '\n';
  }
  return out;
}

} // namespace

bool parseQuizText(const std::string& fileName, const std::string& source,
                   const std::string& folder, const SettingsBlock& startingSettings,
                   QuizDefinition& quiz, Faults& faults) {
  quiz = {};
  quiz.fileName = fileName;
  quiz.settings = startingSettings;
  const std::size_t before = faults.count;
  if (!checkEncoding(quiz, source, faults)) return false;
  const std::string text = withLineFeeds(source);
  Parser parser{quiz, folder, 0, faults};
  for (std::size_t start = 0; !parser.stopped && start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ++parser.line;
    takeLine(parser, text.substr(start, end - start));
    start = end + 1;
  }
  checkQuiz(parser);
  return faults.count == before;
}

bool parseQuizFile(const std::string& path, const SettingsBlock& startingSettings,
                   QuizDefinition& quiz, Faults& faults) {
  std::vector<std::uint8_t> bytes;
  if (!readWholeFile(path, bytes, maxQuizFileBytes, Msg::whatQuizFile)) {
    quiz = {};
    quiz.fileName = path;
    return fail(faults, say(Msg::quizFileUnreadable, {path}));
  }
  std::size_t cut = path.size();
  while (cut > 0 && !isSeparator(path[cut - 1])) --cut;
  const std::string folder = path.substr(0, cut);
  std::string text(bytes.begin(), bytes.end());
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3); // a byte order mark from an editor
  return parseQuizText(path, text, folder, startingSettings, quiz, faults);
}

std::string answersText(const QuizDefinition& quiz) {
  std::string text;
  text += '\0'; // not read by the player
  text += static_cast<char>(quiz.questionKind + 1);
  text += static_cast<char>(quiz.questions.size());
  text += static_cast<char>(quiz.answersPerQuestion);
  for (const std::string* field : {&quiz.quizName, &quiz.authorName, &quiz.explanations,
                                   &quiz.firstAnswerLabel, &quiz.secondAnswerLabel})
    text += *field + "|";
  for (const QuestionSource& question : quiz.questions) {
    text += question.answer + "|";
    if (quiz.answersPerQuestion == 2) text += question.secondAnswer + "|";
    text += question.questionText + "|";
  }
  text += static_cast<char>(quiz.revealMode);
  for (const QuestionSource& question : quiz.questions) {
    if (quiz.revealMode >= 2) text += question.revealText + "|";
    if (quiz.revealMode == 3) text += "|"; // the second text of each pair is not used
  }
  text += static_cast<char>(quiz.red);
  text += static_cast<char>(quiz.green);
  text += static_cast<char>(quiz.blue);
  return text;
}

std::string codesText(const QuizDefinition& quiz) {
  std::string text;
  for (std::size_t i = 0; i < quiz.questions.size(); ++i)
    text += (i < quiz.codes.size() ? quiz.codes[i] : std::string()) + "\r\n";
  return text;
}
