// Plain literals here are code page 1252, as in the player: "É" is the one byte 0xC9.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "board/answer_judge.h"
#include "content/text_buffer.h"

namespace {

std::string normalised(std::string text) {
  normaliseAnswer(text.data());
  return text.c_str();
}

std::string folded(std::string text) {
  foldAnswer(text.data());
  return text.c_str();
}

// What the player does with a box's text and its stored answer before judging them.
std::string judged(const char* stored, const char* typed, const char* success = "BRAVO",
                   const char* failure = "FAUX") {
  char s[textCapacity];
  char t[textCapacity];
  copyText(s, stored);
  copyText(t, typed);
  foldAnswer(s);
  normaliseAnswer(t);
  return judgeAnswer(s, t, success, failure);
}

TEST(AnswerJudge, NormaliseTrimsBlanksAndFoldsOnlyAToZ) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"  paris  ", "PARIS"},
      {"", ""},
      {"     ", ""},
      {" a", "A"},
      {"b ", "B"},
      {"new   york", "NEW   YORK"},         // blanks inside stay
      {"\tparis\t", "\tPARIS\t"},           // only byte 32 is a blank
      {"`az{", "`AZ{"},                     // the bytes next to a and z stay
      {"\xE9l\xE9phant", "\xE9L\xE9PHANT"}, // é keeps its case
      {"\xC9l\xE8ve 2\xE8me!", "\xC9L\xE8VE 2\xE8ME!"},
      {"ABC xyz 123 ?!", "ABC XYZ 123 ?!"},
  };
  for (const Case& c : cases) EXPECT_EQ(normalised(c.text), c.expected) << '"' << c.text << '"';
}

TEST(AnswerJudge, NormaliseChangesNoSingleByteButLettersAndBlank) {
  for (int byte = 1; byte < 256; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    std::string expected = text;
    if (byte == ' ') expected = "";
    if (byte >= 'a' && byte <= 'z') expected = std::string(1, static_cast<char>(byte - 32));
    EXPECT_EQ(normalised(text), expected) << byte;
    EXPECT_EQ(folded(text), byte == ' ' ? " " : expected) << byte;
  }
}

TEST(AnswerJudge, FoldNeverTrims) {
  EXPECT_EQ(folded("  paris "), "  PARIS ");
  EXPECT_EQ(judged("Paris ", "paris "), "Quasiment"); // the stored blank can never be typed
  EXPECT_EQ(judged(" Paris", "Paris"), "Quasiment");
}

TEST(AnswerJudge, Verdicts) {
  struct Case {
    const char* stored;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {
      // Empty typed text, however long the answer.
      {"Paris", "", "?"},
      {"Paris", "    ", "?"},
      {"OUI", "", "?"},
      {"", "", "?"},
      // Right answers, after trimming and folding.
      {"Paris", "  paris  ", "BRAVO"},
      {"Paris", "PARIS", "BRAVO"},
      {"New York", "new york", "BRAVO"},
      // Three bytes or fewer: no hint, ever.
      {"OUI", "oui", "BRAVO"},
      {"OUI", "OUIS", "FAUX"},
      {"OUI", "IOU", "FAUX"},
      {"OUI", "OU", "FAUX"},
      {"OUI", "OUI OUI", "FAUX"},
      {"A", "a", "BRAVO"},
      {"", "X", "FAUX"},
      {"\xC9T\xC9", "ete", "FAUX"}, // three bytes in code page 1252
      // Anagrams come before the distance words.
      {"LION", "LINO", "Anagramme"},
      {"LION", "noil", "Anagramme"},
      {"PARIS", "PRAIS", "Anagramme"},
      {"ROMA", "AMOR", "Anagramme"},
      // One and two edits.
      {"PARIS", "PARI", "Quasiment"},
      {"PARIS", "PARIX", "Quasiment"},
      {"PARIS", "PARISS", "Quasiment"},
      {"PARIS", "PAR", "Presque"},
      {"PARIS", "PXRIX", "Presque"},
      {"NEW YORK", "new  york ", "Quasiment"},
      {"NEW YORK", "newyork", "Quasiment"},
      // Accented capitals are never folded.
      {"\xC9L\xC9PHANT", "Elephant", "Presque"},
      {"\xC9L\xC9PHANT", "\xE9l\xE9phant", "Presque"},
      {"\xC9L\xC9PHANT", "\xC9l\xC9phant", "BRAVO"},
      // The typed text holds the whole answer and more.
      {"PARIS", "PARIS FRANCE", "Trop long"},
      {"PARIS", "A PARIS, EN FRANCE", "Trop long"},
      // A piece of a long answer: more than 70 per cent, more than 50, or less.
      {"CHATEAU DE VERSAILLES", "CHATEAU DE VERSAI", "Trop court"},
      {"CHATEAU DE VERSAILLES", "CHATEAU DE VE", "pas loin"},
      {"CHATEAU DE VERSAILLES", "CHATEAU", "FAUX"},
      {"CHATEAU DE VERSAILLES", "VERSAILLES", "FAUX"},
      {"CHATEAU DE VERSAILLES", "DE VERSAILLES", "pas loin"},
      // Nothing in common.
      {"PARIS", "LONDRES", "FAUX"},
      {"CHATEAU DE VERSAILLES", "TOUR EIFFEL", "FAUX"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(judged(c.stored, c.typed), c.expected)
        << '"' << c.stored << "\" / \"" << c.typed << '"';
}

TEST(AnswerJudge, StrictThresholds) {
  struct Case {
    const char* stored;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {
      // 10 bytes, 7 of them: exactly 70 per cent is not more than 70.
      {"ABCDEFGHIJ", "ABCDEFG", "pas loin"},
      // 10 bytes, 6 then 5 of them: exactly 50 per cent is not more than 50.
      {"ABCDEFGHIJ", "ABCDEF", "pas loin"},
      {"ABCDEFGHIJ", "ABCDE", "FAUX"},
      {"ABCDEFGHIJ", "EFGHIJ", "pas loin"},
      // 20 bytes: 14 is exactly 70, 15 is above; 10 is exactly 50, 11 above.
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMN", "pas loin"},
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNO", "Trop court"},
      {"ABCDEFGHIJKLMNOPQRST", "FGHIJKLMNOPQRST", "Trop court"},
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJ", "FAUX"},
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJK", "pas loin"},
      // 9 bytes is too short for a piece to earn a hint; 10 is long enough.
      {"ABCDEFGHI", "ABCDEF", "FAUX"},
      {"ABCDEFGHI", "BCDEFG", "FAUX"},
      {"ABCDEFGHI", "ABCDEFG", "Presque"},
      // 16 bytes, 3 edits: 81.25 per cent alike.
      {"ABCDEFGHIJKLMNOP", "XBCDEFGHIJKLMNYZ", "y a de l'idée"},
      // 15 bytes, 3 edits: exactly 80 per cent is not more than 80.
      {"ABCDEFGHIJKLMNO", "XBCDEFGHIJKLMYZ", "FAUX"},
      // 20 bytes, 4 edits is exactly 80; 3 edits is 85.
      {"ABCDEFGHIJKLMNOPQRST", "XBCDEFGHIJKLMNOPQXYZ", "FAUX"},
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQXYZ", "y a de l'idée"},
      // A typed text longer than the answer: its own length is the measure. 5 edits in 18
      // bytes is 72 per cent alike; 3 edits in 17 is 82.
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMXYZ++", "FAUX"},
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNXY+", "y a de l'idée"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(judged(c.stored, c.typed), c.expected)
        << '"' << c.stored << "\" / \"" << c.typed << '"';
}

TEST(AnswerJudge, ScanThatNeverBacksUpMissesSomePieces) {
  struct Case {
    const char* stored;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {
      // "AAB..." lies inside "XYZAAAB..." but the scan misses it, so no "Trop court": 15 of 19
      // bytes with 4 edits is under 80 per cent alike.
      {"XYZAAABCDEFGHIJKLMN", "AABCDEFGHIJKLMN", "FAUX"},
      // The same miss with 3 edits: alike enough instead.
      {"XYAAABCDEFGHIJKLMN", "AABCDEFGHIJKLMN", "y a de l'idée"},
      // And no "Trop long" for a typed text holding the answer after a false start.
      {"AABCD", "ZZAAABCD", "FAUX"},
      // Without the false start each is found.
      {"XYZAABCDEFGHIJKLMN", "AABCDEFGHIJKLMN", "Trop court"},
      {"AABCD", "ZZZAABCD", "Trop long"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(judged(c.stored, c.typed), c.expected)
        << '"' << c.stored << "\" / \"" << c.typed << '"';
}

TEST(AnswerJudge, FindContained) {
  struct Case {
    const char* stored;
    const char* typed;
    int expected;
  };
  const Case cases[] = {
      {"PARIS", "PARIS FRANCE", 2},
      {"PARIS", "PARIS", 2},
      {"PARIS", "LA PARISIENNE", 2},
      {"PARIS", "PARI", -2},
      {"PARIS", "ARIS", -2},
      {"PARIS", "S", -2},
      {"XAAAB", "AAB", 0},
      {"AAB", "XAAAB", 0},
      {"XAAB", "AAB", -2},
      {"PARIS", "PRIS", 0},
      {"PARIS", "PARIX", 0},
      {"PARIS", "PARTIS", 0},
      {"PARIS", "", 0},
      {"", "PARIS", 0},
      {"", "", 0},
      {"ABAB", "ABABAB", 2},
      {"AAA", "AAAA", 2},
      {"ABC", "ABABC", 2},
      {"AAAB", "AAAAB", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(findContained(c.stored, c.typed), c.expected) << c.stored << " / " << c.typed;
}

std::string randomText(std::mt19937& random, int length, int alphabet) {
  std::string text;
  for (int i = 0; i < length; ++i) {
    const int offset = static_cast<int>(random() % alphabet);
    text += static_cast<char>(alphabet > 26 ? 1 + offset : 'A' + offset);
  }
  return text;
}

// When the first byte of the text looked for occurs nowhere else in it, no match can begin
// inside a failed run, so the scan finds exactly the real occurrences.
TEST(AnswerJudge, FindContainedAgreesWithSearchWhenTheFirstByteIsUnique) {
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    const int alphabet = 2 + round % 4;
    const std::string longer = randomText(random, 6 + random() % 40, alphabet);
    std::string shorter = randomText(random, random() % 6, alphabet - 1);
    for (char& byte : shorter) ++byte; // never 'A'
    shorter.insert(0, "A");
    const bool found = longer.find(shorter) != std::string::npos;
    EXPECT_EQ(findContained(shorter.c_str(), longer.c_str()), found ? 2 : 0)
        << shorter << " in " << longer;
    if (shorter.size() < longer.size()) {
      EXPECT_EQ(findContained(longer.c_str(), shorter.c_str()), found ? -2 : 0)
          << shorter << " in " << longer;
    }
  }
}

TEST(AnswerJudge, FindContainedOnlyFindsRealOccurrences) {
  std::mt19937 random(11);
  for (int round = 0; round < 20000; ++round) {
    const std::string s = randomText(random, random() % 12, 2 + round % 3);
    const std::string t = randomText(random, random() % 12, 2 + round % 3);
    const int result = findContained(s.c_str(), t.c_str());
    if (result == 2) {
      EXPECT_NE(t.find(s), std::string::npos) << s << " / " << t;
    }
    if (result == -2) {
      EXPECT_NE(s.find(t), std::string::npos) << s << " / " << t;
    }
    EXPECT_TRUE(result == 0 || result == (t.size() >= s.size() ? 2 : -2)) << s << " / " << t;
  }
}

// The textbook table, whole, as an independent reference: cell (i, j) at i * columns + j.
int referenceDistance(const std::string& s, const std::string& t) {
  const std::size_t columns = t.size() + 1;
  std::vector<int> cell((s.size() + 1) * columns);
  for (std::size_t i = 0; i <= s.size(); ++i) cell[i * columns] = static_cast<int>(i);
  for (std::size_t j = 0; j <= t.size(); ++j) cell[j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= s.size(); ++i) {
    for (std::size_t j = 1; j <= t.size(); ++j) {
      const int change = s[i - 1] == t[j - 1] ? 0 : 1;
      cell[i * columns + j] =
          std::min({cell[(i - 1) * columns + j] + 1, cell[i * columns + j - 1] + 1,
                    cell[(i - 1) * columns + j - 1] + change});
    }
  }
  return cell.back();
}

TEST(AnswerJudge, EditDistanceExamples) {
  struct Case {
    const char* s;
    const char* t;
    int expected;
  };
  const Case cases[] = {
      {"", "", 0},          {"", "ABC", 3},          {"ABC", "", 3},      {"PARIS", "PARIS", 0},
      {"PARIS", "PARI", 1}, {"PARIS", "PAR", 2},     {"LION", "LINO", 2}, {"KITTEN", "SITTING", 3},
      {"AB", "BA", 2},      {"\xC9T\xC9", "ETE", 2}, {"FLAW", "LAWN", 2}, {"SUNDAY", "SATURDAY", 3},
  };
  for (const Case& c : cases) EXPECT_EQ(editDistance(c.s, c.t), c.expected) << c.s << " / " << c.t;
}

TEST(AnswerJudge, EditDistanceAgreesWithReference) {
  std::mt19937 random(3);
  for (int round = 0; round < 4000; ++round) {
    // Small alphabets give short distances, the full range long ones; every length up to 259.
    const int alphabet = round % 3 == 0 ? 255 : 2 + round % 5;
    const int lengthS = round % 50 == 0 ? 0 : static_cast<int>(random() % textCapacity);
    const int lengthT = round % 40 == 0 ? lengthS : static_cast<int>(random() % textCapacity);
    const std::string s = randomText(random, lengthS, alphabet);
    std::string t = randomText(random, lengthT, alphabet);
    if (round % 10 == 0) t = s;
    if (round % 10 == 1 && !t.empty()) t = s.substr(0, s.size() / 2) + t.substr(t.size() / 2);
    const int distance = editDistance(s.c_str(), t.c_str());
    ASSERT_EQ(distance, referenceDistance(s, t)) << "round " << round;
    ASSERT_EQ(editDistance(t.c_str(), s.c_str()), distance) << "round " << round;
  }
}

TEST(AnswerJudge, EditDistanceOfLongestTexts) {
  const std::string a(maxTextLength, 'A');
  const std::string b(maxTextLength, 'B');
  EXPECT_EQ(editDistance(a.c_str(), b.c_str()), maxTextLength);
  EXPECT_EQ(editDistance(a.c_str(), ""), maxTextLength);
  EXPECT_EQ(editDistance("", b.c_str()), maxTextLength);
  EXPECT_EQ(editDistance(a.c_str(), a.c_str()), 0);
}

TEST(AnswerJudge, CustomWords) {
  EXPECT_STREQ(judgeAnswer("PARIS", "PARIS", "OUI!", "NON"), "OUI!");
  EXPECT_STREQ(judgeAnswer("PARIS", "ROME", "OUI!", "NON"), "NON");
  EXPECT_STREQ(judgeAnswer("OUI", "NON", "OUI!", "NON"), "NON");
  EXPECT_STREQ(judgeAnswer("OUI", "", "OUI!", "NON"), "?");
  EXPECT_STREQ(judgeAnswer("PARIS", "PARI", "OUI!", "NON"), "Quasiment");
  // The words come back as given, so the board can tell them from the hints by address too.
  const char success[] = "GAGNE";
  const char failure[] = "RATE";
  EXPECT_EQ(judgeAnswer("LONDRES", "LONDRES", success, failure), success);
  EXPECT_EQ(judgeAnswer("LONDRES", "PARIS", success, failure), failure);
}

TEST(AnswerJudge, VerdictTextsAreCodePage1252) {
  EXPECT_EQ(std::string(verdictCloseIdea), "y a de l'id\xE9"
                                           "e");
  EXPECT_EQ(std::strlen(verdictCloseIdea), 13u);
}

TEST(AnswerJudge, AnswerSlots) {
  struct Case {
    int k;
    int answersPerQuestion;
    int question;
    int line;
  };
  const Case cases[] = {
      {1, 1, 1, 1}, {2, 1, 2, 1}, {96, 1, 96, 1},  {1, 2, 1, 1},    {2, 2, 1, 2},
      {3, 2, 2, 1}, {4, 2, 2, 2}, {191, 2, 96, 1}, {192, 2, 96, 2},
  };
  for (const Case& c : cases) {
    const AnswerSlot slot = answerSlotOf(c.k, c.answersPerQuestion);
    EXPECT_EQ(slot.question, c.question) << c.k << " of " << c.answersPerQuestion;
    EXPECT_EQ(slot.line, c.line) << c.k << " of " << c.answersPerQuestion;
  }
}

} // namespace
