// A quiz file's "key: value" lines parsed into a QuizDefinition, line by line.
#include "tools/quiztool/quizfile/quiz_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "content/quiz_state.h"
#include "tools/quiztool/fail.h"
#include "tools/quiztool/platform/file_io.h"
#include "tools/quiztool/platform/platform.h"
#include "tools/quiztool/quizfile/codepage.h"
#include "tools/quiztool/quizfile/quiz_checks.h"
#include "tools/quiztool/quizfile/quiz_keys.h"

namespace {

struct Parser {
  QuizDefinition& quiz;
  std::string folder; // media paths are relative to it
  int line = 0;
  std::string& error;
  int answersLine = 0;                // of the last "answers:" key, for faults found at the end
  std::vector<int> codeLines;         // of each "code:" key, in order
  std::set<std::string> quizKeys;     // keys given so far for the whole quiz
  std::set<std::string> questionKeys; // keys given so far in the current question
};

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

// Converts a value to code page 1252 and checks it against what the player can hold.
bool takeText(Parser& parser, const std::string& value, const char* what, std::size_t limit,
              bool barAllowed, std::string& out) {
  std::size_t bad = 0;
  const std::string text = unquote(value);
  if (!cp1252FromUtf8(text, out, bad))
    return fail(parser.error,
                std::string(what) + ": the character \"" + utf8CharacterAt(text, bad) +
                    "\" (byte " + std::to_string(bad + 1) +
                    " of the value) is not in code page 1252, so the player cannot show "
                    "it: replace it");
  for (char c : out) {
    if (static_cast<unsigned char>(c) < 0x20)
      return fail(parser.error, std::string(what) +
                                    (c == '\t' ? ": a tab" : ": a control character") +
                                    " inside the value: replace it with a blank");
    if (c == '|' && !barAllowed)
      return fail(parser.error, std::string(what) + ": a text cannot contain \"|\"");
  }
  if (out.size() > limit)
    return fail(parser.error, std::string(what) + " is " + std::to_string(out.size()) +
                                  " characters long; at most " + std::to_string(limit));
  return true;
}

bool takeNumber(Parser& parser, const std::string& value, const char* what, int low, int high,
                int& out) {
  char* end = nullptr;
  const long number = std::strtol(value.c_str(), &end, 10);
  if (value.empty() || *end != '\0' || number < low || number > high)
    return fail(parser.error, std::string(what) + " must be a number from " + std::to_string(low) +
                                  " to " + std::to_string(high));
  out = static_cast<int>(number);
  return true;
}

bool takeKind(Parser& parser, const std::string& value) {
  if (kindOfName(lowerCase(value), parser.quiz.questionKind)) return true;
  return fail(parser.error, "kind must be text, picture, audio or video");
}

// Three numbers with blanks between them. Each is read as a long, so that a number too large
// for an int is rejected rather than wrapped into the range.
bool takeColour(Parser& parser, const std::string& value) {
  long parts[3] = {};
  const char* at = value.c_str();
  for (long& part : parts) {
    char* end = nullptr;
    part = std::strtol(at, &end, 10);
    if (end == at || part < 0 || part > 255)
      return fail(parser.error, "background must be three numbers from 0 to 255: red green blue");
    at = end;
  }
  if (*at != '\0')
    return fail(parser.error, "background must be three numbers from 0 to 255: red green blue");
  parser.quiz.red = static_cast<int>(parts[0]);
  parser.quiz.green = static_cast<int>(parts[1]);
  parser.quiz.blue = static_cast<int>(parts[2]);
  return true;
}

bool takeMedia(Parser& parser, const std::string& value, MediaFile& media) {
  const std::string path = unquote(value);
  if (path.empty()) return fail(parser.error, "a media file name is empty");
  const std::string name = withSystemSeparators(path);
  media.path = isAbsolutePath(name) ? name : parser.folder + name;
  media.line = parser.line;
  media.name = path;
  // Only whether it is there: opening a pipe could wait for ever. The packer reads it.
  if (fileKind(media.path) == FileKind::missing)
    return fail(parser.error, "cannot read media file " + path +
                                  ": there is no such file (names are relative to the quiz file)");
  return true;
}

// Copies a settings text into its fixed field, zero-filled after the terminator.
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
    fail(parser.error, "\"" + key + "\" belongs to a question: put it after a \"question:\" line");
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
  if (questions.size() == maxQuestions) {
    // Appended: mingw's g++ 12 warns falsely (-Wrestrict) about "text" + std::to_string(...).
    std::string message = "more than ";
    message += std::to_string(maxQuestions);
    return fail(parser.error, message + " questions");
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
  // Appended piece by piece: mingw's g++ 12 warns falsely (-Wrestrict) about the chained form.
  std::string message = "\"";
  message += key.name;
  message += "\" is given twice";
  if (&seen == &parser.questionKeys) message += " in this question";
  return fail(parser.error, message);
}

bool takeLine(Parser& parser, const std::string& line) {
  const std::string content = trim(line);
  if (content.empty() || content[0] == '#') return true;
  const std::size_t colon = content.find(':');
  if (colon == std::string::npos) return fail(parser.error, "expected \"key: value\"");
  const std::string name = lowerCase(trim(content.substr(0, colon)));
  const QuizKeyRow* key = findQuizKey(name);
  if (!key) return fail(parser.error, "unknown key \"" + name + "\"" + keySuggestion(name));
  return takeOnce(parser, *key) && takeQuizKey(parser, *key, trim(content.substr(colon + 1)));
}

bool hasBlankEnd(const std::string& answer) {
  return !answer.empty() && (answer.front() == ' ' || answer.back() == ' ');
}

bool checkQuestion(Parser& parser, const QuestionSource& question, int number) {
  const QuizDefinition& quiz = parser.quiz;
  parser.line = question.line;
  const std::string which = "question " + std::to_string(number);
  const bool media = quiz.questionKind == kindAudio || quiz.questionKind == kindVideo;
  if (!question.hasAnswer) return fail(parser.error, which + " has no \"answer:\"");
  if (quiz.answersPerQuestion == 1 && !question.secondAnswer.empty())
    return fail(parser.error,
                which + " has a second answer, but the quiz has one answer per question");
  // The player trims what is typed but never the stored answer: an empty answer, or one with a
  // blank at either end, can never be found.
  if (question.answer.empty()) return fail(parser.error, which + ": the answer is empty");
  if (quiz.answersPerQuestion == 2 && question.secondAnswer.empty())
    return fail(parser.error, which + ": the second answer is empty");
  if (hasBlankEnd(question.answer) || hasBlankEnd(question.secondAnswer))
    return fail(parser.error,
                which + ": an answer that begins or ends with a blank can never be found");
  if (!question.revealText.empty() && quiz.revealMode < 2)
    return fail(parser.error, which + " has a reveal text, but reveal mode " +
                                  std::to_string(quiz.revealMode) + " shows none");
  if (!question.picture.path.empty() && quiz.questionKind != kindPicture)
    return fail(parser.error, which + ": only picture quizzes show pictures");
  if (!question.answerPicture.path.empty() && quiz.questionKind != kindPicture)
    return fail(parser.error, which + ": only picture quizzes show answer pictures");
  if (!question.clip.path.empty() && !media)
    return fail(parser.error, which + ": only audio and video quizzes play clips");
  return true;
}

bool checkQuiz(Parser& parser) {
  const QuizDefinition& quiz = parser.quiz;
  if (quiz.questionKind == kindText && quiz.answersPerQuestion == 2) {
    parser.line = parser.answersLine;
    return fail(parser.error, "a text quiz has one answer per question");
  }
  if (quiz.codes.size() > quiz.questions.size()) {
    parser.line = parser.codeLines[quiz.questions.size()]; // the first code without a question
    return fail(parser.error, "more codes (" + std::to_string(quiz.codes.size()) +
                                  ") than questions (" + std::to_string(quiz.questions.size()) +
                                  ")");
  }
  for (std::size_t i = 0; i < quiz.questions.size(); ++i)
    if (!checkQuestion(parser, quiz.questions[i], static_cast<int>(i + 1))) return false;
  return true;
}

// What is wrong with the file as a whole: UTF-16, or bytes that are not UTF-8 (a file saved as
// Windows or Latin-1 text). False with the message in `error`.
bool checkEncoding(const std::string& fileName, const std::string& text, std::string& error) {
  if (text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0 ||
      text.find('\0') != std::string::npos) {
    error = fileName + ":1: the file is UTF-16 text: save it as UTF-8 (in Notepad: Save as, "
                       "Encoding UTF-8)";
    return false;
  }
  const std::size_t bad = firstNonUtf8(text);
  if (bad == std::string::npos) return true;
  const std::size_t lineStart = text.rfind('\n', bad) + 1; // npos + 1 is 0: the first line
  char byte[8];
  std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(text[bad]));
  error = fileName + ":" + std::to_string(std::count(text.begin(), text.begin() + bad, '\n') + 1) +
          ": the file is not UTF-8 (byte " + byte + " at column " +
          std::to_string(bad - lineStart + 1) +
          " looks like Windows or Latin-1 text): save it as UTF-8";
  return false;
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
                   QuizDefinition& quiz, std::string& error) {
  quiz = {};
  quiz.fileName = fileName;
  quiz.settings = startingSettings;
  if (!checkEncoding(fileName, source, error)) return false;
  const std::string text = withLineFeeds(source);
  Parser parser{quiz, folder, 0, error};
  bool ok = true;
  for (std::size_t start = 0; ok && start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ++parser.line;
    ok = takeLine(parser, text.substr(start, end - start));
    start = end + 1;
  }
  if (ok && checkQuiz(parser)) return true;
  error = quizPlace(quiz, parser.line) + error; // every fault names the line it lies on
  return false;
}

bool parseQuizFile(const std::string& path, const SettingsBlock& startingSettings,
                   QuizDefinition& quiz, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!readWholeFile(path, bytes, maxQuizFileBytes, "a quiz file")) {
    error = path + ": cannot read the quiz file";
    return false;
  }
  std::size_t cut = path.size();
  while (cut > 0 && !isSeparator(path[cut - 1])) --cut;
  const std::string folder = path.substr(0, cut);
  std::string text(bytes.begin(), bytes.end());
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3); // a byte order mark from an editor
  return parseQuizText(path, text, folder, startingSettings, quiz, error);
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
