// Checks of a whole parsed quiz: settings the player cannot work with, content never seen.
#include "tools/quiztool/quizfile/quiz_checks.h"

#include <algorithm>
#include <cstring>

#include "board/answer_judge.h"
#include "content/quiz_state.h"
#include "tools/quiztool/fail.h"
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
bool checkTitle(const QuizDefinition& quiz, std::string& error) {
  const std::string title = fieldText(quiz.settings.title);
  if (title.find_first_not_of(' ') == std::string::npos)
    return fail(error, placeOf(quiz, "title") +
                           "the title is empty, and the player cannot start without one: "
                           "write a short word, for example title: Animaux");
  if (title[0] == '#')
    return fail(error, placeOf(quiz, "title") +
                           "a title cannot start with \"#\" (Windows reads it as a number and "
                           "the player cannot start): start it with a letter");
  static const char* const systemClasses[] = {
      "button",    "edit",     "static",     "listbox",    "combobox",   "scrollbar",   "mdiclient",
      "combolbox", "atlaxwin", "atlaxwin71", "atlaxwin80", "atlaxwin90", "atlaxwin100", "message"};
  for (const char* name : systemClasses)
    if (lowerCase(title) == name)
      return fail(error, placeOf(quiz, "title") + "the title \"" + title +
                             "\" is the name of a Windows control, "
                             "which the quiz would then break: choose another word");
  return true;
}

// What a word must not be: empty, "?" (an untouched answer), or a hint word.
std::string wordProblem(const std::string& word) {
  if (word.find_first_not_of(' ') == std::string::npos)
    return "is empty: students would see blank labels";
  if (word == verdictUnknown) return "is \"?\", what an untouched answer shows";
  for (const char* hint : {verdictAnagram, verdictOneEdit, verdictTwoEdits, verdictTooLong,
                           verdictTooShort, verdictNotFar, verdictCloseIdea})
    if (word == hint) return "is the hint \"" + word + "\"";
  return "";
}

bool checkWords(const QuizDefinition& quiz, std::string& error) {
  const std::string success = fieldText(quiz.settings.successWord);
  const std::string failure = fieldText(quiz.settings.failureWord);
  std::string problem = wordProblem(success);
  if (!problem.empty())
    return fail(error, placeOf(quiz, "success") + "the success word " + problem +
                           ", so answers would be counted wrongly: choose a word "
                           "such as success: BRAVO");
  problem = wordProblem(failure);
  if (!problem.empty())
    return fail(error, placeOf(quiz, "failure") + "the failure word " + problem +
                           ", so students could not tell a wrong answer: choose a word "
                           "such as failure: FAUX");
  if (success == failure)
    return fail(error, placeOf(quiz, lineOf(quiz, "failure") ? "failure" : "success") +
                           "the success and failure words are the same (\"" + success +
                           "\"), so every wrong answer would count as found: choose two different "
                           "words");
  return true;
}

struct Warner {
  const QuizDefinition& quiz;
  std::vector<std::string> found;
  void add(int line, const std::string& message) {
    found.push_back(quizPlace(quiz, line) + "warning: " + message);
  }
};

void warnPicture(Warner& w, const QuestionSource& q, const std::string& which) {
  const int mode = w.quiz.revealMode;
  const bool answerPictureShown = mode == 1 || mode == 3;
  if (q.picture.path.empty()) w.add(q.line, which + " has no picture: its frame stays empty");
  if (answerPictureShown && q.answerPicture.path.empty())
    w.add(q.line, which + " has no answer picture: in reveal mode " + std::to_string(mode) +
                      " its frame stays empty for ever (the question picture is never shown "
                      "in this mode)");
  if (!answerPictureShown && !q.answerPicture.path.empty())
    w.add(q.answerPicture.line, which + ": answer pictures are shown only in reveal modes 1 "
                                        "and 3; this one is never seen");
}

void warnQuestion(Warner& w, const QuestionSource& q, int number) {
  const QuizDefinition& quiz = w.quiz;
  const std::string which = "question " + std::to_string(number);
  if (quiz.questionKind == kindText) {
    if (!q.revealText.empty())
      w.add(q.revealTextLine, which + ": text quizzes show no reveal text; it is never seen");
    return;
  }
  if (!q.questionText.empty())
    w.add(q.line, which + ": the question text is shown only by text quizzes; it is never seen");
  if (quiz.revealMode >= 2 && q.revealText.empty())
    w.add(q.line, which + " has no reveal text: nothing appears when it is solved");
  if (quiz.questionKind == kindPicture) warnPicture(w, q, which);
  if ((quiz.questionKind == kindAudio || quiz.questionKind == kindVideo) && q.clip.path.empty())
    w.add(q.line, which + " has no clip: its play button plays nothing");
}

// The header's link hands its address to Windows' "open": a web page or a mail opens as
// expected, but anything else is opened as a file or a program (a path, "www.x.fr" without
// http://), or as nothing at all (an empty link).
void warnWeb(Warner& w) {
  const int line = lineOf(w.quiz, "web");
  const std::string address = fieldText(w.quiz.settings.webAddress);
  if (!line) {
    if (address == defaultSettings.webAddress)
      w.add(0, std::string("no \"web:\" line: the header's link opens ") +
                   defaultSettings.webAddress + "; give your own address with web:");
    return;
  }
  if (address.find_first_not_of(' ') == std::string::npos) {
    w.add(line, "web: is empty: the header's link shows nothing and opens nothing; give your "
                "address, for example web: http://mon-ecole.example");
    return;
  }
  const std::string lower = lowerCase(address);
  for (const char* scheme : {"http://", "https://", "mailto:"})
    if (lower.rfind(scheme, 0) == 0 && lower.size() > std::strlen(scheme)) return;
  w.add(line, "web: \"" + utf8FromCp1252(address) +
                  "\" is not a web address: the header's link would hand it to Windows to open "
                  "as a file or a program; write an address that starts with http://, https:// "
                  "or mailto:");
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

bool checkQuizSettings(const QuizDefinition& quiz, std::string& error) {
  return checkTitle(quiz, error) && checkWords(quiz, error);
}

std::vector<std::string> quizWarnings(const QuizDefinition& quiz) {
  Warner w{quiz, {}};
  if (quiz.questions.empty()) w.add(0, "the quiz has no questions: students see an empty board");
  for (std::size_t i = 0; i < quiz.questions.size(); ++i)
    warnQuestion(w, quiz.questions[i], static_cast<int>(i + 1));
  if (quiz.answersPerQuestion == 1)
    for (const char* key : {"first label", "second label"})
      if (lineOf(quiz, key))
        w.add(lineOf(quiz, key),
              std::string(key) + " is shown only with two answers per question (answers: 2)");
  warnWeb(w);
  return w.found;
}
