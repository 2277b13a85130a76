#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "content/content_parser.h"
#include "tests/unit/temp_folder.h"
#include "tests/unit/test_text.h"
#include "tools/quiztool/quizfile/quiz_file.h"

namespace {

std::string byte(int value) {
  return std::string(1, static_cast<char>(value));
}

const std::uint8_t* dataOf(const std::string& text) {
  return reinterpret_cast<const std::uint8_t*>(text.data());
}

struct Parsed {
  bool ok;
  QuizDefinition quiz;
  std::string error;
};

// Every fault, one a line.
Parsed parse(const std::string& text, const std::string& folder = "") {
  Parsed parsed{};
  Faults faults;
  parsed.ok = parseQuizText("quiz.txt", text, folder, defaultSettings, parsed.quiz, faults);
  parsed.error = joined(faults);
  return parsed;
}

// Reads the decoded texts back as the player does: every field must come out as the quiz file
// gave it.
void expectReadsBack(const QuizDefinition& quiz) {
  const std::string answers = answersText(quiz);
  auto content = std::make_unique<QuizContent>();
  ContentError error;
  ASSERT_TRUE(parseAnswersText(dataOf(answers), answers.size(), *content, error))
      << describeContentError(error);
  EXPECT_EQ(content->questionKind, quiz.questionKind);
  EXPECT_EQ(content->questionCount, static_cast<int>(quiz.questions.size()));
  EXPECT_EQ(content->answersPerQuestion, quiz.answersPerQuestion);
  EXPECT_EQ(content->quizName, quiz.quizName);
  EXPECT_EQ(content->authorName, quiz.authorName);
  EXPECT_EQ(content->explanations, quiz.explanations);
  EXPECT_EQ(content->firstAnswerLabel, quiz.firstAnswerLabel);
  EXPECT_EQ(content->secondAnswerLabel, quiz.secondAnswerLabel);
  EXPECT_EQ(content->revealMode, quiz.revealMode);
  EXPECT_EQ(content->red, quiz.red);
  EXPECT_EQ(content->green, quiz.green);
  EXPECT_EQ(content->blue, quiz.blue);
  for (std::size_t i = 0; i < quiz.questions.size(); ++i) {
    const QuestionSource& source = quiz.questions[i];
    const ContentQuestion& read = content->questions[i];
    EXPECT_EQ(read.answer, source.answer) << i;
    EXPECT_EQ(read.secondAnswer, source.secondAnswer) << i;
    EXPECT_EQ(read.questionText, source.questionText) << i;
    EXPECT_EQ(read.revealText, quiz.revealMode >= 2 ? source.revealText : "") << i;
  }
  const std::string codes = codesText(quiz);
  auto rewards = std::make_unique<RewardCodes>();
  ASSERT_TRUE(parseCodesText(dataOf(codes), codes.size(), content->questionCount, *rewards, error))
      << describeContentError(error);
  for (std::size_t i = 0; i < quiz.questions.size(); ++i)
    EXPECT_EQ(rewards->codes[i], i < quiz.codes.size() ? quiz.codes[i] : "") << i;
}

SettingsBlock settingsWith(const char* title, const char* web, int scrollUnit, int pageUnit,
                           const char* success, const char* failure) {
  SettingsBlock settings{};
  std::strcpy(settings.title, title);
  std::strcpy(settings.webAddress, web);
  settings.scrollUnit = scrollUnit;
  settings.pageUnit = pageUnit;
  std::strcpy(settings.successWord, success);
  std::strcpy(settings.failureWord, failure);
  return settings;
}

// Every quiz key, CR LF line ends, comments, blank lines, keys in any case and blanks around the
// colon.
const char8_t textQuizFile[] = u8"# Capitales : un quiz de texte\r\n"
                               u8"\r\n"
                               u8"name: Capitales d'Europe\r\n"
                               u8"author: \" Zoé Lefèvre \"\r\n"
                               u8"explanations: Écrivez la capitale # puis « Entrée ».\r\n"
                               u8"first label: Ville\r\n"
                               u8"second label: Pays\r\n"
                               u8"Kind: Texte\r\n"
                               u8"answers: 1\r\n"
                               u8"reveal: 4\r\n"
                               u8"background: 10 20 30\r\n"
                               u8"title: Capitales\r\n"
                               u8"web: http://ecole.example/quiz\r\n"
                               u8"success: OUI\r\n"
                               u8"failure: NON\r\n"
                               u8"scroll unit: 3\r\n"
                               u8"page unit: 2\r\n"
                               u8"code: OR-1\r\n"
                               u8"code: \"  € 2 \"\r\n"
                               u8"   # un commentaire en retrait\r\n"
                               u8"question: Quelle est la capitale de la France ?\r\n"
                               u8"answer: Paris\r\n"
                               u8"reveal text: Sur la Seine.\r\n"
                               u8"\t \r\n"
                               u8"QUESTION:Et de l'Italie ?\r\n"
                               u8"  answer  :   Rome  \r\n"
                               u8"Reveal Text: \"Sur le Tibre. \"\r\n";

TEST(QuizFile, ReadsATextQuizWithEveryKey) {
  const Parsed parsed = parse(utf8(textQuizFile));
  ASSERT_TRUE(parsed.ok) << parsed.error;
  const QuizDefinition& quiz = parsed.quiz;
  EXPECT_EQ(quiz.fileName, "quiz.txt");
  EXPECT_EQ(quiz.questionKind, kindText);
  EXPECT_EQ(quiz.authorName, " Zoé Lefèvre ");
  EXPECT_EQ(quiz.explanations, "Écrivez la capitale # puis « Entrée ».");
  ASSERT_EQ(quiz.questions.size(), 2u);
  EXPECT_EQ(quiz.questions[0].line, 21);
  EXPECT_EQ(quiz.questions[1].line, 25);
  EXPECT_EQ(quiz.questions[1].answer, "Rome");
  EXPECT_EQ(quiz.questions[1].revealText, "Sur le Tibre. ");
  const SettingsBlock expected =
      settingsWith("Capitales", "http://ecole.example/quiz", 3, 2, "OUI", "NON");
  EXPECT_EQ(std::memcmp(&quiz.settings, &expected, sizeof expected), 0);

  EXPECT_EQ(answersText(quiz), byte(0) + byte(1) + byte(2) + byte(1) +
                                   "Capitales d'Europe| Zoé Lefèvre |"
                                   "Écrivez la capitale # puis « Entrée ».|Ville|Pays|"
                                   "Paris|Quelle est la capitale de la France ?|"
                                   "Rome|Et de l'Italie ?|" +
                                   byte(4) + "Sur la Seine.|Sur le Tibre. |" + byte(10) + byte(20) +
                                   byte(30));
  EXPECT_EQ(codesText(quiz), "OR-1\r\n  € 2 \r\n");
  expectReadsBack(quiz);
}

TEST(QuizFile, ReadsAPictureQuizWithTwoAnswers) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  folder.write("images/france.jpg", "\xFF\xD8\xFF");
  folder.write("images/carte france.png", "\x89PNG");
  folder.write("images/italie.gif", "GIF89a");
  const Parsed parsed = parse(utf8(u8"name: Drapeaux\n"
                                   u8"author: M. Martin\n"
                                   u8"explanations: Deux réponses par drapeau.\n"
                                   u8"first label: Pays\n"
                                   u8"second label: Capitale\n"
                                   u8"kind: image\n"
                                   u8"answers: 2\n"
                                   u8"reveal: 3\n"
                                   u8"background: 255 0 128\n"
                                   u8"code: A\n"
                                   u8"question:\n"
                                   u8"answer: France\n"
                                   u8"second answer: Paris\n"
                                   u8"picture: images/france.jpg\n"
                                   u8"answer picture: images/carte france.png\n"
                                   u8"reveal text: Bleu, blanc, rouge.\n"
                                   u8"question: \"  \"\n"
                                   u8"answer: Italie\n"
                                   u8"second answer: Rome\n"
                                   u8"picture: \"images/italie.gif\"\n"),
                              folder.path());
  ASSERT_TRUE(parsed.ok) << parsed.error;
  const QuizDefinition& quiz = parsed.quiz;
  EXPECT_EQ(quiz.questionKind, kindPicture);
  ASSERT_EQ(quiz.questions.size(), 2u);
  EXPECT_EQ(quiz.questions[0].picture.path, folder.path() + "images/france.jpg");
  EXPECT_EQ(quiz.questions[0].picture.line, 14);
  EXPECT_EQ(quiz.questions[0].answerPicture.path, folder.path() + "images/carte france.png");
  EXPECT_EQ(quiz.questions[0].answerPicture.line, 15);
  EXPECT_EQ(quiz.questions[1].picture.path, folder.path() + "images/italie.gif");
  EXPECT_TRUE(quiz.questions[1].answerPicture.path.empty());
  EXPECT_EQ(std::memcmp(&quiz.settings, &defaultSettings, sizeof defaultSettings), 0);

  // Reveal mode 3 writes a pair of texts per question; the second is never read.
  EXPECT_EQ(answersText(quiz), byte(0) + byte(2) + byte(2) + byte(2) +
                                   "Drapeaux|M. Martin|Deux réponses par drapeau.|Pays|Capitale|"
                                   "France|Paris||Italie|Rome|  |" +
                                   byte(3) + "Bleu, blanc, rouge.||||" + byte(255) + byte(0) +
                                   byte(128));
  EXPECT_EQ(codesText(quiz), "A\r\n\r\n");
  expectReadsBack(quiz);
}

TEST(QuizFile, ReadsClipQuizzesAndEveryKindName) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  folder.write("coq.mp3", "ID3");
  const struct {
    const char* name;
    int kind;
    bool clip;
  } kinds[] = {{"text", kindText, false},         {"texte", kindText, false},
               {"picture", kindPicture, false},   {"IMAGE", kindPicture, false},
               {"audio", kindAudio, true},        {"son", kindAudio, true},
               {"Video", kindVideo, true},        {"vid\xC3\xA9o", kindVideo, true},
               {"TEXTE", kindText, false},        {"Vid\xC3\xA9o", kindVideo, true},
               {"VID\xC3\x89O", kindVideo, true},   // accented capitals fold too
               {"VIDE\xCC\x81O", kindVideo, true}}; // "E" and a combining acute accent
  for (const auto& k : kinds) {
    const std::string clip = k.clip ? "clip: coq.mp3\n" : "";
    const Parsed parsed =
        parse("kind: " + std::string(k.name) + "\nquestion: q\nanswer: a\n" + clip, folder.path());
    ASSERT_TRUE(parsed.ok) << k.name << ": " << parsed.error;
    EXPECT_EQ(parsed.quiz.questionKind, k.kind) << k.name;
    EXPECT_EQ(answersText(parsed.quiz)[1], k.kind + 1) << k.name;
    if (k.clip) {
      EXPECT_EQ(parsed.quiz.questions[0].clip.path, folder.path() + "coq.mp3");
    }
    expectReadsBack(parsed.quiz);
  }
}

TEST(QuizFile, KeepsTheStartingSettingsItIsNotGiven) {
  const SettingsBlock start =
      settingsWith("Lecteur-Quiz-15", "http://lecteur.example/accueil", 1, 1, "BRAVO", "FAUX");
  QuizDefinition quiz;
  Faults faults;
  ASSERT_TRUE(parseQuizText("quiz.txt", "title: Ab\nsuccess: OK\nquestion: q\nanswer: a\n", "",
                            start, quiz, faults))
      << joined(faults);
  // A shorter value leaves no trace of the longer one it replaces.
  SettingsBlock expected = start;
  std::memset(expected.title, 0, sizeof expected.title);
  std::strcpy(expected.title, "Ab");
  std::memset(expected.successWord, 0, sizeof expected.successWord);
  std::strcpy(expected.successWord, "OK");
  EXPECT_EQ(std::memcmp(&quiz.settings, &expected, sizeof expected), 0);
}

TEST(QuizFile, AcceptsEveryLimitExactly) {
  std::string many;
  for (int n = 1; n <= 96; ++n) many += "question: q" + std::to_string(n) + "\nanswer: a\n";
  const std::string longest(259, 'x');
  std::string longestAccented, longestDecomposed;
  for (int i = 0; i < 259; ++i) longestAccented += utf8(u8"é");
  for (int i = 0; i < 259; ++i) longestDecomposed += utf8(u8"e\u0301"); // é as pasted from a Mac
  const std::string cases[] = {
      many,
      "question: " + longest + "\nanswer: " + longest + "\nreveal: 2\nreveal text: " + longest +
          "\ncode: " + longest + "\nname: " + longest + "\n",
      "question: " + longestAccented + "\nanswer: \"" + longestAccented + "\"\n",
      "question: " + longestDecomposed + "\nanswer: " + longestDecomposed + "\n",
      "title: 123456789012345\nweb: http://a.example/12345678901234\nsuccess: BRAVO\n"
      "failure: ABCDE\nquestion: q\nanswer: a\n",
      "background: 0 0 0\nanswers: 1\nreveal: 0\nscroll unit: 1\npage unit: 10000\n"
      "question: q\nanswer: a\n",
      "background: 255 255 255\nkind: video\nanswers: 2\nreveal: 4\nquestion: q\nanswer: a\n"
      "second answer: b\n",
      "", // no questions at all
  };
  for (const std::string& text : cases) {
    const Parsed parsed = parse(text);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    if (parsed.ok) expectReadsBack(parsed.quiz);
  }
  EXPECT_EQ(parse(many).quiz.questions.size(), 96u);
  EXPECT_EQ(parse(cases[2]).quiz.questions[0].answer, std::string(259, '\xE9'));
  EXPECT_EQ(parse(cases[3]).quiz.questions[0].answer, std::string(259, '\xE9'));
}

std::string manyQuestions(int count) {
  std::string text;
  for (int n = 1; n <= count; ++n) text += "question: q\nanswer: a\n";
  return text;
}

TEST(QuizFile, ReportsEachFaultWithItsLine) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  folder.write("p.jpg", "\xFF\xD8");
  folder.write("c.mp3", "ID3");
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {utf8(u8"name: Quiz 中\n"),
       utf8(u8"quiz.txt:1: name: the character \"中\" (character 6 of the value) is not in code "
            u8"page 1252, so the player cannot show it: replace it")},
      // Positions count characters as a person does: "é" is one, written whole or as "e" and a
      // combining accent; an accent that makes no letter of code page 1252 is shown with its
      // letter.
      {utf8(u8"\nauthor: \"Zoé ☺\"\n"),
       utf8(u8"quiz.txt:2: author: the character \"☺\" (character 5 of the value) is not in "
            u8"code page 1252, so the player cannot show it: replace it")},
      {utf8(u8"author: Zoe\u0301 ☺\n"),
       utf8(u8"quiz.txt:1: author: the character \"☺\" (character 5 of the value) is not in "
            u8"code page 1252, so the player cannot show it: replace it")},
      {utf8(u8"author: Zox\u0301e\n"),
       utf8(u8"quiz.txt:1: author: the character \"x\u0301\" (character 3 of the value) is not "
            u8"in code page 1252, so the player cannot show it: replace it")},
      {"question: q\nanswer: \xE9t\xE9\n",
       utf8(u8"quiz.txt:2: the file is not UTF-8: character 9 of this line (\"é\") is written the "
            u8"ANSI (Windows or Latin-1) way: save the file as UTF-8 (in Notepad: Save as, "
            u8"Encoding UTF-8)")},
      {utf8(u8"name: Zoé\r\nauthor: Zoé \xE9\r\n"),
       utf8(u8"quiz.txt:2: the file is not UTF-8: character 13 of this line (\"é\") is written "
            u8"the ANSI (Windows or Latin-1) way: save the file as UTF-8 (in Notepad: Save as, "
            u8"Encoding UTF-8)")},
      {"name: a\tb\n", "quiz.txt:1: name: a tab inside the value: replace it with a blank"},
      {"\n\nquestion: " + std::string(260, 'x') + "\nanswer: a\n",
       "quiz.txt:3: question is 260 characters long; at most 259"},
      {"question: q\nanswer: " + std::string(130, 'a') + utf8(u8"ééééé") + std::string(125, 'b'),
       "quiz.txt:2: answer is 260 characters long; at most 259"},
      {"code: \"" + std::string(260, ' ') + "\"\nquestion: q\nanswer: a\n",
       "quiz.txt:1: code is 260 characters long; at most 259"},
      {"question: a|b\nanswer: a\n", "quiz.txt:1: question: a text cannot contain \"|\""},
      {"kind: audio\nanswers: 2\nquestion: q\nanswer: a\nsecond answer: x|y\n",
       "quiz.txt:5: second answer: a text cannot contain \"|\""},
      {"explanations: 1 | 2\n", "quiz.txt:1: explanations: a text cannot contain \"|\""},
      {manyQuestions(97), "quiz.txt:193: more than 96 questions"},
      {"kind: picture\nquestion:\nanswer: a\npicture: nothere.jpg\n",
       "quiz.txt:4: cannot read media file nothere.jpg: there is no such file (names are "
       "relative to the quiz file)"},
      {"kind: picture\nquestion:\nanswer: a\npicture: \"\"\n",
       "quiz.txt:4: a media file name is empty"},
      {"title: 1234567890123456\n", "quiz.txt:1: title is 16 characters long; at most 15"},
      {"web: http://a.example/123456789012345\n",
       "quiz.txt:1: web is 32 characters long; at most 31"},
      {"success: BRAVOS\n", "quiz.txt:1: success is 6 characters long; at most 5"},
      {utf8(u8"failure: FAUX !\n"), "quiz.txt:1: failure is 6 characters long; at most 5"},
      {"colour: red\n",
       "quiz.txt:1: unknown key \"colour\" (the guide LISEZ-MOI.txt lists the keys)"},
      {"question: q\nanswer: a\nHint: x\n",
       "quiz.txt:3: unknown key \"hint\" (the guide LISEZ-MOI.txt lists the keys)"},
      {"just words\n", "quiz.txt:1: expected \"key: value\""},
      {"name: a\nkind: text\nname: b\n", "quiz.txt:3: \"name\" is given twice"},
      {"question: q\nanswer: a\nanswer: b\n",
       "quiz.txt:3: \"answer\" is given twice in this question"},
      {"answer: Paris\n",
       "quiz.txt:1: \"answer\" belongs to a question: put it after a \"question:\" line"},
      {"reveal text: x\n",
       "quiz.txt:1: \"reveal text\" belongs to a question: put it after a \"question:\" line"},
      {"answers: 3\n", "quiz.txt:1: answers must be a number from 1 to 2"},
      {"answers: deux\n", "quiz.txt:1: answers must be a number from 1 to 2"},
      {"answers:\n", "quiz.txt:1: answers must be a number from 1 to 2"},
      {"reveal: 5\n", "quiz.txt:1: reveal must be a number from 0 to 4"},
      {"reveal: -1\n", "quiz.txt:1: reveal must be a number from 0 to 4"},
      {"scroll unit: 0\n", "quiz.txt:1: scroll unit must be a number from 1 to 10000"},
      {"page unit: 99999999999999999999\n",
       "quiz.txt:1: page unit must be a number from 1 to 10000"},
      {"kind: quiz\n", utf8(u8"quiz.txt:1: kind must be text, picture, audio or video (or, in "
                            u8"French, texte, image, son or vidéo)")},
      {"question: q\nanswer: a\nsecond answer: b\n",
       "quiz.txt:1: question 1 has a second answer, but the quiz has one answer per question"},
      {"reveal: 1\nquestion: q\nanswer: a\nreveal text: r\n",
       "quiz.txt:2: question 1 has a reveal text, but reveal mode 1 shows none"},
      {"question: q\nanswer: a\npicture: p.jpg\n",
       "quiz.txt:1: question 1: only picture quizzes show pictures"},
      {"kind: audio\nquestion: q\nanswer: a\nanswer picture: p.jpg\n",
       "quiz.txt:2: question 1: only picture quizzes show answer pictures"},
      {"kind: picture\nquestion:\nanswer: a\nclip: c.mp3\n",
       "quiz.txt:2: question 1: only audio and video quizzes play clips"},
      {"question: q\nanswer: a\nclip: c.mp3\n",
       "quiz.txt:1: question 1: only audio and video quizzes play clips"},
      {"question: q1\nanswer: a\nquestion: q2\n", "quiz.txt:3: question 2 has no \"answer:\""},
  };
  for (const auto& c : cases) {
    const Parsed parsed = parse(c.text, folder.path());
    EXPECT_FALSE(parsed.ok) << c.error;
    EXPECT_EQ(parsed.error, c.error);
  }
}

TEST(QuizFile, RejectsEveryBadBackground) {
  for (const char* value : {"1 2", "1 2 3 4", "256 0 0", "0 0 -1", "rouge", "1, 2, 3",
                            "4294967301 0 0", "0 0 4294967296"}) {
    const Parsed parsed = parse("question: q\nanswer: a\nbackground: " + std::string(value) + "\n");
    EXPECT_FALSE(parsed.ok) << value;
    EXPECT_EQ(parsed.error,
              "quiz.txt:3: background must be three numbers from 0 to 255: red green blue")
        << value;
  }
}

// Faults of the quiz as a whole point at the line that causes them, not past the end. Every
// fault of a file is reported at once, and none that only follows from another: the checks that
// depend on a refused kind, answer count or reveal mode are left out.
TEST(QuizFile, PointsQuizFaultsAtTheirLines) {
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"name: n\nanswers: 2\nquestion: q\nanswer: a\nsecond answer: b\n",
       "quiz.txt:2: a text quiz has one answer per question"},
      {"code: A\ncode: B\ncode: C\nquestion: q\nanswer: a\n\n",
       "quiz.txt:2: more codes (3) than questions (1)"},
      {"code: A\n", "quiz.txt:1: more codes (1) than questions (0)"},
      {utf8(u8"name: Quiz 中\nkind: vidéoo\nquestion:\nanswer: a|b\nclip: absent.mp3\nnmae: x\n"
            u8"question: q\n"),
       utf8(u8"quiz.txt:1: name: the character \"中\" (character 6 of the value) is not in code "
            u8"page 1252, so the player cannot show it: replace it\n"
            u8"quiz.txt:2: kind must be text, picture, audio or video (or, in French, texte, "
            u8"image, son or vidéo)\n"
            u8"quiz.txt:4: answer: a text cannot contain \"|\"\n"
            u8"quiz.txt:5: cannot read media file absent.mp3: there is no such file (names are "
            u8"relative to the quiz file)\n"
            u8"quiz.txt:6: unknown key \"nmae\": did you mean \"name\"?\n"
            u8"quiz.txt:7: question 2 has no \"answer:\"")},
      {"reveal: 9\nquestion: q\nanswer: a\nreveal text: r\n",
       "quiz.txt:1: reveal must be a number from 0 to 4"},
      {"answers: 3\nquestion: q\nanswer: a\nsecond answer: b\n",
       "quiz.txt:1: answers must be a number from 1 to 2"},
      {"kind: pictures\nanswers: 2\nquestion:\nanswer: a\nsecond answer: b\n",
       "quiz.txt:1: kind must be text, picture, audio or video (or, in French, texte, image, son "
       "or vid\xC3\xA9o)"},
  };
  for (const auto& c : cases) {
    const Parsed parsed = parse(c.text);
    EXPECT_FALSE(parsed.ok) << c.error;
    EXPECT_EQ(parsed.error, c.error);
  }
  // A file of nonsense has a fault on every line: the first ones are kept, all are counted.
  std::string nonsense;
  for (int n = 0; n < 30; ++n) nonsense += "nonsense\n";
  QuizDefinition quiz;
  Faults faults;
  EXPECT_FALSE(parseQuizText("quiz.txt", nonsense, "", defaultSettings, quiz, faults));
  EXPECT_EQ(faults.count, 30u);
  ASSERT_EQ(faults.messages.size(), shownFaults);
  EXPECT_EQ(faults.messages.back(), "quiz.txt:20: expected \"key: value\"");
}

// The player trims the typed text and never the stored answer: an empty answer, or one with a
// blank at either end, could never be found, and the quiz could never be finished.
TEST(QuizFile, RejectsAnswersThatCanNeverBeFound) {
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"question: q\nanswer:\n", "quiz.txt:1: question 1: the answer is empty"},
      {"question: q\nanswer: \"\"\n", "quiz.txt:1: question 1: the answer is empty"},
      {"question: q\nanswer: \" Paris\"\n",
       "quiz.txt:1: question 1: an answer that begins or ends with a blank can never be found"},
      {"kind: picture\nanswers: 2\nquestion:\nanswer: a\n",
       "quiz.txt:3: question 1: the second answer is empty"},
      {"kind: picture\nanswers: 2\nquestion:\nanswer: a\nsecond answer: \"b \"\n",
       "quiz.txt:3: question 1: an answer that begins or ends with a blank can never be found"},
  };
  for (const auto& c : cases) {
    const Parsed parsed = parse(c.text);
    EXPECT_FALSE(parsed.ok) << c.error;
    EXPECT_EQ(parsed.error, c.error);
  }
}

TEST(QuizFile, ReadsAFileWithAByteOrderMarkAndMediaBesideIt) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  folder.write("quizzes/images/a.gif", "GIF89a");
  const std::string path =
      folder.write("quizzes/drapeaux.quiz",
                   utf8(u8"\uFEFFname: Drapeaux\r\nkind: picture\r\nquestion:\r\nanswer: Été\r\n"
                        u8"picture: images/a.gif\r\n"));
  QuizDefinition quiz;
  Faults faults;
  ASSERT_TRUE(parseQuizFile(path, defaultSettings, quiz, faults)) << joined(faults);
  EXPECT_EQ(quiz.quizName, "Drapeaux");
  EXPECT_EQ(quiz.fileName, path);
  ASSERT_EQ(quiz.questions.size(), 1u);
  EXPECT_EQ(quiz.questions[0].answer, "Été");
  EXPECT_EQ(quiz.questions[0].picture.path, folder.path() + "quizzes/images/a.gif");

  // Errors name the file as it was given, with lines counted from its first.
  const std::string broken = folder.write("quizzes/faux.quiz", "\xEF\xBB\xBFname: a\nreveal: 9\n");
  Faults brokenFaults, absentFaults;
  EXPECT_FALSE(parseQuizFile(broken, defaultSettings, quiz, brokenFaults));
  EXPECT_EQ(joined(brokenFaults), broken + ":2: reveal must be a number from 0 to 4");
  EXPECT_FALSE(parseQuizFile(folder.path() + "absent.quiz", defaultSettings, quiz, absentFaults));
  EXPECT_EQ(joined(absentFaults), folder.path() + "absent.quiz: cannot read the quiz file");
}

} // namespace
