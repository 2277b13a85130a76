// A quiz as the player holds it written back as a quiz file (for unpack).
#include "tools/quiztool/quizfile/quiz_file_writer.h"

#include <algorithm>
#include <cstring>

#include "tools/quiztool/fail.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/quizfile/codepage.h"
#include "tools/quiztool/quizfile/quiz_file.h"
#include "tools/quiztool/quizfile/quiz_keys.h"

namespace {

constexpr int largestUnit = 10000; // what the quiz file takes for scroll and page units

struct Writer {
  std::string& text;
  std::string& error;
};

// The parser trims a value and takes one pair of quotes off it: a text with a blank at either
// end, or one that is itself in quotes, is written in quotes.
std::string quoted(const std::string& utf8) {
  const bool blankEnd = !utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' ');
  const bool inQuotes = utf8.size() >= 2 && utf8.front() == '"' && utf8.back() == '"';
  return blankEnd || inQuotes ? "\"" + utf8 + "\"" : utf8;
}

// "key: value", the value as it is.
void plainLine(Writer& writer, QuizKey key, const std::string& value) {
  writer.text += std::string(keyName(key)) + ": " + value + "\n";
}

bool line(Writer& writer, QuizKey key, const std::string& cp1252, const std::string& what) {
  for (char c : cp1252) {
    if (static_cast<unsigned char>(c) < 0x20)
      return fail(writer.error, say(Msg::writtenControlCharacter,
                                    {what, std::to_string(static_cast<unsigned char>(c))}));
  }
  const std::string value = quoted(utf8FromCp1252(cp1252));
  writer.text += std::string(keyName(key)) + (value.empty() ? ":\n" : ": " + value + "\n");
  return true;
}

bool optionalLine(Writer& writer, QuizKey key, const char* cp1252) {
  return cp1252[0] == '\0' || line(writer, key, cp1252, keyName(key));
}

// A settings text, written when it differs from the default; its field must keep a terminator,
// as the quiz file's limit does.
template <std::size_t N>
bool settingLine(Writer& writer, QuizKey key, const char (&field)[N], const char (&standard)[N]) {
  const std::string name = keyName(key);
  const char* end = std::find(field, field + N, '\0');
  if (end == field + N)
    return fail(writer.error,
                say(Msg::writtenSettingFull, {name, std::to_string(N), std::to_string(N - 1)}));
  const std::string value(static_cast<const char*>(field), end);
  if (value == standard) return true;
  return line(writer, key, value, say(Msg::writtenSetting, {name}));
}

bool unitLine(Writer& writer, QuizKey key, std::int32_t value, std::int32_t standard) {
  if (value < 1 || value > largestUnit)
    return fail(writer.error, say(Msg::writtenUnitRange, {keyName(key), std::to_string(value),
                                                          std::to_string(largestUnit)}));
  if (value != standard) plainLine(writer, key, std::to_string(value));
  return true;
}

bool writeSettings(Writer& writer, const SettingsBlock& s) {
  const SettingsBlock& d = defaultSettings;
  return settingLine(writer, QuizKey::title, s.title, d.title) &&
         settingLine(writer, QuizKey::web, s.webAddress, d.webAddress) &&
         settingLine(writer, QuizKey::success, s.successWord, d.successWord) &&
         settingLine(writer, QuizKey::failure, s.failureWord, d.failureWord) &&
         unitLine(writer, QuizKey::scrollUnit, s.scrollUnit, d.scrollUnit) &&
         unitLine(writer, QuizKey::pageUnit, s.pageUnit, d.pageUnit);
}

bool writeHeader(Writer& writer, const QuizContent& c) {
  if (!line(writer, QuizKey::name, c.quizName, say(Msg::writtenQuizName)) ||
      !optionalLine(writer, QuizKey::author, c.authorName) ||
      !optionalLine(writer, QuizKey::explanations, c.explanations))
    return false;
  plainLine(writer, QuizKey::kind, kindName(c.questionKind));
  if (c.answersPerQuestion != 1)
    plainLine(writer, QuizKey::answers, std::to_string(c.answersPerQuestion));
  if (!optionalLine(writer, QuizKey::firstLabel, c.firstAnswerLabel) ||
      !optionalLine(writer, QuizKey::secondLabel, c.secondAnswerLabel))
    return false;
  if (c.revealMode != 0) plainLine(writer, QuizKey::reveal, std::to_string(c.revealMode));
  const QuizDefinition standard; // its colour is the quiz file's default
  if (c.red != standard.red || c.green != standard.green || c.blue != standard.blue)
    plainLine(writer, QuizKey::background,
              std::to_string(c.red) + " " + std::to_string(c.green) + " " + std::to_string(c.blue));
  return true;
}

// The n-th "code" line is the code shown at score n: empty codes before the last one are kept as
// empty lines, those after it are left out.
bool writeCodes(Writer& writer, const QuizContent& content, const RewardCodes& codes) {
  int last = content.questionCount;
  while (last > 0 && codes.codes[last - 1][0] == '\0') --last;
  for (int n = 1; n <= last; ++n)
    if (!line(writer, QuizKey::code, codes.codes[n - 1],
              say(Msg::writtenCode, {std::to_string(n)})))
      return false;
  return true;
}

bool mediaLine(Writer& writer, QuizKey key, const std::string& name) {
  if (!name.empty()) plainLine(writer, key, quoted(name));
  return true;
}

bool writeQuestion(Writer& writer, const QuizContent& content, int n,
                   const QuestionMediaNames& media) {
  const ContentQuestion& q = content.questions[n - 1];
  const std::string which = std::to_string(n);
  writer.text += "\n";
  if (!line(writer, QuizKey::question, q.questionText, say(Msg::writtenQuestionText, {which})) ||
      !line(writer, QuizKey::answer, q.answer, say(Msg::writtenAnswer, {which})))
    return false;
  if (content.answersPerQuestion == 2 &&
      !line(writer, QuizKey::secondAnswer, q.secondAnswer, say(Msg::writtenSecondAnswer, {which})))
    return false;
  if (content.revealMode >= 2 && q.revealText[0] != '\0' &&
      !line(writer, QuizKey::revealText, q.revealText, say(Msg::writtenRevealText, {which})))
    return false;
  return mediaLine(writer, QuizKey::picture, media.picture) &&
         mediaLine(writer, QuizKey::answerPicture, media.answerPicture) &&
         mediaLine(writer, QuizKey::clip, media.clip);
}

} // namespace

bool writeQuizText(const QuizContent& content, const RewardCodes& codes,
                   const SettingsBlock& settings, const std::vector<QuestionMediaNames>& media,
                   std::string& text, std::string& error) {
  text = "# Written by quiztool unpack.\n";
  Writer writer{text, error};
  if (!writeHeader(writer, content) || !writeSettings(writer, settings) ||
      !writeCodes(writer, content, codes))
    return false;
  for (int n = 1; n <= content.questionCount; ++n) {
    const QuestionMediaNames none;
    const QuestionMediaNames& names =
        static_cast<std::size_t>(n) <= media.size() ? media[n - 1] : none;
    if (!writeQuestion(writer, content, n, names)) return false;
  }
  return true;
}
