// Checks of a whole parsed quiz: settings the player cannot work with, content never seen.
#include "tools/quiztool/quizfile/quiz_checks.h"

#include <algorithm>
#include <cstring>

#include "board/answer_judge.h"
#include "content/quiz_state.h"
#include "tools/quiztool/fail.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/quizfile/codepage.h"

namespace {

// A settings text up to its terminator; a player's block may fill a field without one.
template <std::size_t N>
std::string fieldText(const char (&field)[N]) {
  return std::string(field, std::find(field, field + N, '\0'));
}

int lineOf(const QuizDefinition& quiz, const char* key) {
  const auto found = quiz.keyLines.find(key);
  return found == quiz.keyLines.end() ? 0 : found->second;
}

// "FILE:LINE: " of a whole-quiz key, or "FILE: " when the key is not given.
std::string placeOf(const QuizDefinition& quiz, const char* key) {
  return quizPlace(quiz, lineOf(quiz, key));
}

// Windows reads a class name that starts with "#" as a number, and a class of the program's own
// named like a system control would replace that control in every window the player makes.
void checkTitle(const QuizDefinition& quiz, Faults& faults) {
  const std::string title = fieldText(quiz.settings.title);
  if (title.find_first_not_of(' ') == std::string::npos) {
    fail(faults, placeOf(quiz, "title") + say(Msg::titleEmpty));
    return;
  }
  if (title[0] == '#') fail(faults, placeOf(quiz, "title") + say(Msg::titleHash));
  static const char* const systemClasses[] = {
      "button",    "edit",     "static",     "listbox",    "combobox",   "scrollbar",   "mdiclient",
      "combolbox", "atlaxwin", "atlaxwin71", "atlaxwin80", "atlaxwin90", "atlaxwin100", "message"};
  for (const char* name : systemClasses)
    if (lowerCase(title) == name)
      fail(faults, placeOf(quiz, "title") + say(Msg::titleControl, {utf8FromCp1252(title)}));
}

// What a word must not be: empty, "?" (an untouched answer), or a hint word.
std::string wordProblem(const std::string& word) {
  if (word.find_first_not_of(' ') == std::string::npos) return say(Msg::wordEmpty);
  if (word == verdictUnknown) return say(Msg::wordQuestionMark);
  for (const char* hint : {verdictAnagram, verdictOneEdit, verdictTwoEdits, verdictTooLong,
                           verdictTooShort, verdictNotFar, verdictCloseIdea})
    if (word == hint) return say(Msg::wordHint, {utf8FromCp1252(word)});
  return "";
}

void checkWords(const QuizDefinition& quiz, Faults& faults) {
  const std::string success = fieldText(quiz.settings.successWord);
  const std::string failure = fieldText(quiz.settings.failureWord);
  const std::string successProblem = wordProblem(success);
  const std::string failureProblem = wordProblem(failure);
  if (!successProblem.empty())
    fail(faults, placeOf(quiz, "success") + say(Msg::successWord, {successProblem}));
  if (!failureProblem.empty())
    fail(faults, placeOf(quiz, "failure") + say(Msg::failureWord, {failureProblem}));
  if (successProblem.empty() && success == failure)
    fail(faults, placeOf(quiz, lineOf(quiz, "failure") ? "failure" : "success") +
                     say(Msg::wordsSame, {utf8FromCp1252(success)}));
}

struct Warner {
  const QuizDefinition& quiz;
  std::vector<std::string> found;
  void add(int line, const std::string& message) {
    found.push_back(quizPlace(quiz, line) + say(Msg::warningPrefix) + message);
  }
};

void warnPicture(Warner& w, const QuestionSource& q, const std::string& which) {
  const int mode = w.quiz.revealMode;
  const bool answerPictureShown = mode == 1 || mode == 3;
  if (q.picture.path.empty()) w.add(q.line, say(Msg::warnNoPicture, {which}));
  if (answerPictureShown && q.answerPicture.path.empty())
    w.add(q.line, say(Msg::warnNoAnswerPicture, {which, std::to_string(mode)}));
  if (!answerPictureShown && !q.answerPicture.path.empty())
    w.add(q.answerPicture.line, say(Msg::warnAnswerPictureUnseen, {which}));
}

void warnQuestion(Warner& w, const QuestionSource& q, int number) {
  const QuizDefinition& quiz = w.quiz;
  const std::string which = std::to_string(number);
  if (quiz.questionKind == kindText) {
    if (!q.revealText.empty()) w.add(q.revealTextLine, say(Msg::warnRevealTextInTextQuiz, {which}));
    return;
  }
  if (!q.questionText.empty()) w.add(q.line, say(Msg::warnQuestionTextUnseen, {which}));
  if (quiz.revealMode >= 2 && q.revealText.empty())
    w.add(q.line, say(Msg::warnNoRevealText, {which}));
  if (quiz.questionKind == kindPicture) warnPicture(w, q, which);
  if ((quiz.questionKind == kindAudio || quiz.questionKind == kindVideo) && q.clip.path.empty())
    w.add(q.line, say(Msg::warnNoClip, {which}));
}

// The header's link hands its address to Windows' "open": a web page or a mail opens as
// expected, but anything else is opened as a file or a program (a path, "www.x.fr" without
// http://), or as nothing at all (an empty link).
void warnWeb(Warner& w) {
  const int line = lineOf(w.quiz, "web");
  const std::string address = fieldText(w.quiz.settings.webAddress);
  if (!line) {
    if (address == defaultSettings.webAddress)
      w.add(0, say(Msg::warnNoWeb, {defaultSettings.webAddress}));
    return;
  }
  if (address.find_first_not_of(' ') == std::string::npos) {
    w.add(line, say(Msg::warnWebEmpty));
    return;
  }
  const std::string lower = lowerCase(address);
  for (const char* scheme : {"http://", "https://", "mailto:"})
    if (lower.rfind(scheme, 0) == 0 && lower.size() > std::strlen(scheme)) return;
  w.add(line, say(Msg::warnWebNotAddress, {utf8FromCp1252(address)}));
}

} // namespace

std::string quizPlace(const QuizDefinition& quiz, int line) {
  // Appended piece by piece: mingw's g++ 12 warns falsely (-Wrestrict) about the chained form.
  std::string place = quiz.fileName;
  if (line > 0) {
    place += ':';
    place += std::to_string(line);
  }
  place += ": ";
  return place;
}

bool checkQuizSettings(const QuizDefinition& quiz, Faults& faults) {
  const std::size_t before = faults.count;
  checkTitle(quiz, faults);
  checkWords(quiz, faults);
  return faults.count == before;
}

std::vector<std::string> quizWarnings(const QuizDefinition& quiz) {
  Warner w{quiz, {}};
  if (quiz.questions.empty()) w.add(0, say(Msg::warnNoQuestions));
  for (std::size_t i = 0; i < quiz.questions.size(); ++i)
    warnQuestion(w, quiz.questions[i], static_cast<int>(i + 1));
  if (quiz.answersPerQuestion == 1)
    for (const char* key : {"first label", "second label"})
      if (lineOf(quiz, key)) w.add(lineOf(quiz, key), say(Msg::warnLabelUnseen, {key}));
  warnWeb(w);
  return w.found;
}
