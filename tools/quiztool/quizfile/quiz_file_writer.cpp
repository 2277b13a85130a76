#include "tools/quiztool/quizfile/quiz_file_writer.h"

#include <algorithm>
#include <cstring>

#include "tools/quiztool/quizfile/codepage.h"
#include "tools/quiztool/quizfile/quiz_file.h"

namespace {

constexpr int largestUnit = 10000; // what the quiz file takes for scroll and page units

struct Writer {
  std::string& text;
  std::string& error;
};

bool fail(Writer& writer, const std::string& message) {
  writer.error = message;
  return false;
}

// The parser trims a value and takes one pair of quotes off it: a text with a blank at either
// end, or one that is itself in quotes, is written in quotes.
std::string quoted(const std::string& utf8) {
  const bool blankEnd = !utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' ');
  const bool inQuotes = utf8.size() >= 2 && utf8.front() == '"' && utf8.back() == '"';
  return blankEnd || inQuotes ? "\"" + utf8 + "\"" : utf8;
}

bool line(Writer& writer, const char* key, const std::string& cp1252, const std::string& what) {
  for (char c : cp1252) {
    if (static_cast<unsigned char>(c) < 0x20)
      return fail(writer, what + " holds a control character (byte " +
                              std::to_string(static_cast<unsigned char>(c)) +
                              "), which a quiz file cannot hold");
  }
  const std::string value = quoted(utf8FromCp1252(cp1252));
  writer.text += std::string(key) + (value.empty() ? ":\n" : ": " + value + "\n");
  return true;
}

bool optionalLine(Writer& writer, const char* key, const char* cp1252) {
  return cp1252[0] == '\0' || line(writer, key, cp1252, key);
}

// A settings text, written when it differs from the default; its field must keep a terminator,
// as the quiz file's limit does.
template <std::size_t N>
bool settingLine(Writer& writer, const char* key, const char (&field)[N],
                 const char (&standard)[N]) {
  const char* end = std::find(field, field + N, '\0');
  if (end == field + N)
    return fail(writer, std::string("the ") + key + " setting fills all " + std::to_string(N) +
                            " bytes of its field; a quiz file gives it at most " +
                            std::to_string(N - 1));
  const std::string value(static_cast<const char*>(field), end);
  if (value == standard) return true;
  return line(writer, key, value, std::string("the ") + key + " setting");
}

bool unitLine(Writer& writer, const char* key, std::int32_t value, std::int32_t standard) {
  if (value < 1 || value > largestUnit)
    return fail(writer, std::string("the ") + key + " setting is " + std::to_string(value) +
                            "; a quiz file takes 1 to " + std::to_string(largestUnit));
  if (value != standard) writer.text += std::string(key) + ": " + std::to_string(value) + "\n";
  return true;
}

bool writeSettings(Writer& writer, const SettingsBlock& s) {
  const SettingsBlock& d = defaultSettings;
  return settingLine(writer, "title", s.title, d.title) &&
         settingLine(writer, "web", s.webAddress, d.webAddress) &&
         settingLine(writer, "success", s.successWord, d.successWord) &&
         settingLine(writer, "failure", s.failureWord, d.failureWord) &&
         unitLine(writer, "scroll unit", s.scrollUnit, d.scrollUnit) &&
         unitLine(writer, "page unit", s.pageUnit, d.pageUnit);
}

const char* kindName(int kind) {
  static const char* const names[] = {"text", "picture", "audio", "video"};
  return names[kind];
}

bool writeHeader(Writer& writer, const QuizContent& c) {
  if (!line(writer, "name", c.quizName, "the quiz name") ||
      !optionalLine(writer, "author", c.authorName) ||
      !optionalLine(writer, "explanations", c.explanations))
    return false;
  writer.text += std::string("kind: ") + kindName(c.questionKind) + "\n";
  if (c.answersPerQuestion != 1)
    writer.text += "answers: " + std::to_string(c.answersPerQuestion) + "\n";
  if (!optionalLine(writer, "first label", c.firstAnswerLabel) ||
      !optionalLine(writer, "second label", c.secondAnswerLabel))
    return false;
  if (c.revealMode != 0) writer.text += "reveal: " + std::to_string(c.revealMode) + "\n";
  const QuizDefinition standard; // its colour is the quiz file's default
  if (c.red != standard.red || c.green != standard.green || c.blue != standard.blue)
    writer.text += "background: " + std::to_string(c.red) + " " + std::to_string(c.green) + " " +
                   std::to_string(c.blue) + "\n";
  return true;
}

// The n-th "code" line is the code shown at score n: empty codes before the last one are kept as
// empty lines, those after it are left out.
bool writeCodes(Writer& writer, const QuizContent& content, const RewardCodes& codes) {
  int last = content.questionCount;
  while (last > 0 && codes.codes[last - 1][0] == '\0') --last;
  for (int n = 1; n <= last; ++n)
    if (!line(writer, "code", codes.codes[n - 1], "code " + std::to_string(n))) return false;
  return true;
}

bool mediaLine(Writer& writer, const char* key, const std::string& name) {
  if (!name.empty()) writer.text += std::string(key) + ": " + quoted(name) + "\n";
  return true;
}

bool writeQuestion(Writer& writer, const QuizContent& content, int n,
                   const QuestionMediaNames& media) {
  const ContentQuestion& q = content.questions[n - 1];
  const std::string which = "question " + std::to_string(n);
  writer.text += "\n";
  if (!line(writer, "question", q.questionText, which + "'s text") ||
      !line(writer, "answer", q.answer, which + "'s answer"))
    return false;
  if (content.answersPerQuestion == 2 &&
      !line(writer, "second answer", q.secondAnswer, which + "'s second answer"))
    return false;
  if (content.revealMode >= 2 && q.revealText[0] != '\0' &&
      !line(writer, "reveal text", q.revealText, which + "'s reveal text"))
    return false;
  return mediaLine(writer, "picture", media.picture) &&
         mediaLine(writer, "answer picture", media.answerPicture) &&
         mediaLine(writer, "clip", media.clip);
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
