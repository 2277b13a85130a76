// The table of a quiz file's keys and of its question kinds, and what is derived from them.
#include "tools/quiztool/quizfile/quiz_keys.h"

#include <cstring>
#include <iterator>

#include "board/answer_judge.h"
#include "content/quiz_state.h"

namespace {

// In the order README.md lists them: the whole quiz's keys, then a question's.
constexpr QuizKeyRow keys[] = {
    {QuizKey::name, "name", false, false},
    {QuizKey::author, "author", false, false},
    {QuizKey::explanations, "explanations", false, false},
    {QuizKey::kind, "kind", false, false},
    {QuizKey::answers, "answers", false, false},
    {QuizKey::firstLabel, "first label", false, false},
    {QuizKey::secondLabel, "second label", false, false},
    {QuizKey::reveal, "reveal", false, false},
    {QuizKey::background, "background", false, false},
    {QuizKey::code, "code", false, true},
    {QuizKey::title, "title", false, false},
    {QuizKey::web, "web", false, false},
    {QuizKey::success, "success", false, false},
    {QuizKey::failure, "failure", false, false},
    {QuizKey::scrollUnit, "scroll unit", false, false},
    {QuizKey::pageUnit, "page unit", false, false},
    {QuizKey::question, "question", false, true},
    {QuizKey::answer, "answer", true, false},
    {QuizKey::secondAnswer, "second answer", true, false},
    {QuizKey::revealText, "reveal text", true, false},
    {QuizKey::picture, "picture", true, false},
    {QuizKey::answerPicture, "answer picture", true, false},
    {QuizKey::clip, "clip", true, false},
};

// keyName finds a key's row by its place in the enum.
constexpr bool rowsInEnumOrder() {
  for (std::size_t i = 0; i < std::size(keys); ++i)
    if (static_cast<std::size_t>(keys[i].key) != i) return false;
  return true;
}
static_assert(rowsInEnumOrder());

// The first name of each kind is the one written; the others are read too.
constexpr struct {
  const char* name;
  int kind;
} kinds[] = {{"text", kindText},     {"texte", kindText},        {"picture", kindPicture},
             {"image", kindPicture}, {"audio", kindAudio},       {"son", kindAudio},
             {"video", kindVideo},   {"vid\xC3\xA9o", kindVideo}};

} // namespace

const QuizKeyRow* findQuizKey(const std::string& name) {
  for (const QuizKeyRow& row : keys)
    if (name == row.name) return &row;
  return nullptr;
}

const char* keyName(QuizKey key) {
  return keys[static_cast<int>(key)].name;
}

std::string keySuggestion(const std::string& name) {
  static const char* const french[][2] = {{"nom", "name"},
                                          {"auteur", "author"},
                                          {"type", "kind"},
                                          {"titre", "title"},
                                          {"image", "picture"},
                                          {"son", "clip"},
                                          {"couleur", "background"},
                                          {"fond", "background"},
                                          {"explications", "explanations"},
                                          {"r\xC3\xA9ponse", "answer"},
                                          {"reponse", "answer"},
                                          {"lien", "web"}};
  for (const auto& pair : french)
    if (name == pair[0]) return ": did you mean \"" + std::string(pair[1]) + "\"?";
  const char* best = nullptr;
  // A typing slip: one edit in a short key, two in a longer one.
  int bestDistance = name.size() < 6 ? 2 : 3;
  for (const QuizKeyRow& row : keys) {
    const int distance = editDistance(name.c_str(), row.name);
    if (distance < bestDistance) best = row.name, bestDistance = distance;
  }
  if (best) return ": did you mean \"" + std::string(best) + "\"?";
  return " (the guide LISEZ-MOI.txt lists the keys)";
}

// Built by appending to one string: mingw's g++ 12 warns falsely (-Wrestrict) about the
// chained additions and the assignments of a line buffer.
std::string keyList(std::size_t width) {
  std::string text = " ";
  std::size_t column = 1;
  for (const QuizKeyRow& row : keys) {
    const bool last = &row == std::end(keys) - 1;
    const std::size_t length = 1 + std::strlen(row.name) + (last ? 0 : 1); // " name,"
    if (column + length > width) {
      text += "\n ";
      column = 1;
    }
    text += ' ';
    text += row.name;
    if (!last) text += ',';
    column += length;
  }
  text += '\n';
  return text;
}

const char* kindName(int kind) {
  for (const auto& k : kinds)
    if (k.kind == kind) return k.name;
  return "unknown";
}

bool kindOfName(const std::string& lowerCaseName, int& kind) {
  for (const auto& k : kinds) {
    if (lowerCaseName == k.name) {
      kind = k.kind;
      return true;
    }
  }
  return false;
}
