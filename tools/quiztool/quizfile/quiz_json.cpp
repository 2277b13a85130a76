// A quiz as JSON (for show), its texts converted to UTF-8.
#include "tools/quiztool/quizfile/quiz_json.h"

#include <cstdio>

#include "tools/quiztool/quizfile/codepage.h"
#include "tools/quiztool/quizfile/quiz_keys.h"

namespace {

void appendEscaped(std::string& out, const std::string& utf8) {
  for (char c : utf8) {
    switch (c) {
    case '"': out += "\\\""; break;
    case '\\': out += "\\\\"; break;
    case '\n': out += "\\n"; break;
    case '\r': out += "\\r"; break;
    case '\t': out += "\\t"; break;
    default:
      if (static_cast<unsigned char>(c) < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", c);
        out += escape;
      } else {
        out += c;
      }
    }
  }
}

std::string questionJson(const QuizContent& content, int n) {
  const ContentQuestion& question = content.questions[n - 1];
  std::string out = "    {\"number\": " + std::to_string(n);
  out += ", \"answer\": " + jsonText(question.answer);
  if (content.answersPerQuestion == 2)
    out += ", \"secondAnswer\": " + jsonText(question.secondAnswer);
  out += ", \"questionText\": " + jsonText(question.questionText);
  if (content.revealMode >= 2) out += ", \"revealText\": " + jsonText(question.revealText);
  return out + "}";
}

} // namespace

std::string jsonText(const char* cp1252Text) {
  std::string out = "\"";
  appendEscaped(out, utf8FromCp1252(cp1252Text));
  return out + "\"";
}

std::string quizJson(const QuizContent& content, const RewardCodes* codes,
                     const std::string& settings) {
  std::string out = "{\n";
  out += "  \"kind\": \"" + std::string(kindName(content.questionKind)) + "\",\n";
  out += "  \"questionCount\": " + std::to_string(content.questionCount) + ",\n";
  out += "  \"answersPerQuestion\": " + std::to_string(content.answersPerQuestion) + ",\n";
  out += "  \"quizName\": " + jsonText(content.quizName) + ",\n";
  out += "  \"author\": " + jsonText(content.authorName) + ",\n";
  out += "  \"explanations\": " + jsonText(content.explanations) + ",\n";
  out += "  \"firstAnswerLabel\": " + jsonText(content.firstAnswerLabel) + ",\n";
  out += "  \"secondAnswerLabel\": " + jsonText(content.secondAnswerLabel) + ",\n";
  out += "  \"revealMode\": " + std::to_string(content.revealMode) + ",\n";
  out += "  \"background\": {\"red\": " + std::to_string(content.red) +
         ", \"green\": " + std::to_string(content.green) +
         ", \"blue\": " + std::to_string(content.blue) + "},\n";
  out += "  \"questions\": [";
  for (int n = 1; n <= content.questionCount; ++n)
    out += (n > 1 ? ",\n" : "\n") + questionJson(content, n);
  out += content.questionCount > 0 ? "\n  ]" : "]";
  if (codes) {
    out += ",\n  \"codes\": [";
    for (int n = 1; n <= content.questionCount; ++n)
      out += (n > 1 ? ", " : "") + jsonText(codes->codes[n - 1]);
    out += "]";
  }
  if (!settings.empty()) out += ",\n  \"settings\": " + settings;
  return out + "\n}\n";
}
