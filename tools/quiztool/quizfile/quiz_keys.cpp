// The table of a quiz file's keys and of its question kinds, and what is derived from them.
#include "tools/quiztool/quizfile/quiz_keys.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "content/quiz_state.h"
#include "tools/quiztool/messages/messages.h"

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
constexpr bool keyRowsInEnumOrder() {
  for (std::size_t i = 0; i < std::size(keys); ++i)
    if (static_cast<std::size_t>(keys[i].key) != i) return false;
  return true;
}
static_assert(keyRowsInEnumOrder());

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

// Edits between two keys: a letter added, removed or changed, or two neighbours swapped
// ("nmae" is one edit from "name"), the slips of a hurried hand.
std::size_t typingDistance(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

std::string keySuggestion(const std::string& name) {
  static const char8_t* const french[][2] = {{u8"nom", u8"name"},
                                             {u8"auteur", u8"author"},
                                             {u8"type", u8"kind"},
                                             {u8"genre", u8"kind"},
                                             {u8"titre", u8"title"},
                                             {u8"image", u8"picture"},
                                             {u8"son", u8"clip"},
                                             {u8"vidéo", u8"clip"},
                                             {u8"couleur", u8"background"},
                                             {u8"fond", u8"background"},
                                             {u8"explications", u8"explanations"},
                                             {u8"réponse", u8"answer"},
                                             {u8"reponse", u8"answer"},
                                             {u8"lien", u8"web"},
                                             {u8"révélation", u8"reveal"}};
  for (const auto& pair : french)
    if (name == reinterpret_cast<const char*>(pair[0]))
      return say(Msg::didYouMean, {reinterpret_cast<const char*>(pair[1])});
  // Too long to be a slip of any key: no need to measure it against each.
  if (name.size() > 20) return say(Msg::keysInGuide);
  const char* best = nullptr;
  // A typing slip: one edit in a short key, two in a longer one.
  std::size_t bestDistance = name.size() < 6 ? 2 : 3;
  for (const QuizKeyRow& row : keys) {
    const std::size_t distance = typingDistance(name, row.name);
    if (distance < bestDistance) best = row.name, bestDistance = distance;
  }
  if (best) return say(Msg::didYouMean, {best});
  return say(Msg::keysInGuide);
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

bool kindOfName(const std::string& foldedName, int& kind) {
  for (const auto& k : kinds) {
    if (foldedName == k.name) {
      kind = k.kind;
      return true;
    }
  }
  return false;
}
