#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "tests/unit/quiz_text.h"
#include "tests/unit/test_text.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/quizfile/codepage.h"
#include "tools/quiztool/quizfile/quiz_json.h"

namespace {

// Every test reads quiztool's messages in English, whatever the language of the machine that
// runs it; a test of the French ones chooses French for itself, and English again after.
class EnglishMessages : public ::testing::Environment {
public:
  void SetUp() override { setMessageLanguage(Language::english); }
};

[[maybe_unused]] const auto* const englishMessages =
    ::testing::AddGlobalTestEnvironment(new EnglishMessages);

TEST(Codepage, ConvertsEveryByteBothWays) {
  for (int byte = 1; byte < 256; ++byte) {
    const std::string original(1, static_cast<char>(byte));
    std::string back;
    std::size_t bad = 0;
    ASSERT_TRUE(cp1252FromUtf8(utf8FromCp1252(original), back, bad)) << byte;
    EXPECT_EQ(back, original) << byte;
  }
  EXPECT_EQ(utf8FromCp1252("\x80\xE9\x9C"), utf8(u8"€éœ"));
}

TEST(Codepage, RejectsWhatCodePage1252Lacks) {
  struct Case {
    std::string utf8;
    std::size_t offset;
  };
  const Case cases[] = {
      {"ab\xE2\x82", 2},     // cut inside a character
      {"a\xC3(", 1},         // bad continuation byte
      {"\xC0\xAF", 0},       // overlong form
      {"xx\xED\xA0\x80", 2}, // surrogate
      {utf8(u8"Ā"), 0},      // U+0100
      {utf8(u8"ok 中"), 3},  {"\xFF", 0},
  };
  for (const Case& c : cases) {
    std::string converted;
    std::size_t bad = 99;
    EXPECT_FALSE(cp1252FromUtf8(c.utf8, converted, bad)) << c.utf8;
    EXPECT_EQ(bad, c.offset) << c.utf8;
  }
}

TEST(QuizJson, PrintsEveryFieldInUtf8) {
  QuizText text(2, 2, 2);
  text.field("Qui \"suis\"-je ?").field("Zoé").field("Deux réponses").field("Nom").field("Pays");
  text.field("a1").field("b1").field("q1").field("a2").field("b2").field("q2");
  text.byte(3).field("r1").field("x").field("r2").field("y").colour(1, 2, 3);
  auto content = std::make_unique<QuizContent>();
  ContentError error;
  ASSERT_TRUE(parseAnswersText(text.data(), text.size(), *content, error));
  auto codes = std::make_unique<RewardCodes>();
  copyText(codes->codes[0], "C\xE9"
                            "1");
  copyText(codes->codes[1], "C2");
  const std::string json = quizJson(*content, codes.get());
  for (const std::string& expected : std::initializer_list<std::string>{
           "\"kind\": \"picture\"", "\"questionCount\": 2", "\"answersPerQuestion\": 2",
           "\"quizName\": \"Qui \\\"suis\\\"-je ?\"", utf8(u8"\"author\": \"Zoé\""),
           utf8(u8"\"explanations\": \"Deux réponses\""), "\"firstAnswerLabel\": \"Nom\"",
           "\"secondAnswerLabel\": \"Pays\"", "\"revealMode\": 3",
           "\"background\": {\"red\": 1, \"green\": 2, \"blue\": 3}",
           "{\"number\": 2, \"answer\": \"a2\", \"secondAnswer\": \"b2\", \"questionText\": "
           "\"q2\", "
           "\"revealText\": \"r2\"}",
           utf8(u8"\"codes\": [\"Cé1\", \"C2\"]")}) {
    EXPECT_NE(json.find(expected), std::string::npos) << expected << "\n" << json;
  }
}

// Decomposed accents, as some systems paste them, make the letter of code page 1252; keys and
// kind names compare with their accented capitals folded.
TEST(Codepage, ComposesAccentsAndFoldsCase) {
  const struct {
    std::string utf8, cp1252;
  } composed[] = {
      {utf8(u8"Caf\u0065\u0301"), "Caf\xE9"},
      {utf8(u8"E\u0301le\u0300ve"), "\xC9l\xE8ve"},
      {utf8(u8"c\u0327a, Y\u0308, s\u030C, Z\u030C, a\u030A, n\u0303"),
       "\xE7"
       "a, \x9F, \x9A, \x8E, \xE5, \xF1"},
      {utf8(u8"e\u0301\u0301"), "\xE9?"}, // one accent composes, the second makes no letter
  };
  for (const auto& c : composed) {
    std::string converted;
    std::size_t bad = 0;
    EXPECT_EQ(cp1252FromUtf8(c.utf8, converted, bad), c.cp1252.find('?') == std::string::npos);
    EXPECT_EQ(converted, c.cp1252) << c.utf8;
  }
  std::string converted;
  std::size_t bad = 0;
  const std::string lone = utf8(u8"ax\u0301b");
  EXPECT_FALSE(cp1252FromUtf8(lone, converted, bad));
  EXPECT_EQ(bad, 1u); // the letter the accent goes on
  EXPECT_EQ(utf8CharacterAt(lone, bad), utf8(u8"x\u0301"));
  EXPECT_EQ(characterCount(lone, lone.size()), 3u);
  const std::string smiley = utf8(u8"Zoé ☺"); // the gtest macros quote their arguments in 1252
  EXPECT_EQ(characterCount(smiley, 5), 4u);

  EXPECT_EQ(foldCase(utf8(u8"VIDÉO")), utf8(u8"vidéo"));
  EXPECT_EQ(foldCase(utf8(u8"VIDE\u0301O")), utf8(u8"vidéo"));
  EXPECT_EQ(foldCase(utf8(u8"ÀÇÈÉÊÎÏÔÙÛÜŸŒŠŽ ×")), utf8(u8"àçèéêîïôùûüÿœšž ×"));
  const std::string others = utf8(u8" 中 😀"); // left as they are
  EXPECT_EQ(foldCase("Kind" + others), "kind" + others);
}

// One table holds every message in English and in French: both texts of a row take the same
// values, and the French ones come out as UTF-8 whatever the build's character set.
TEST(Messages, HasBothTextsOfEveryMessage) {
  ASSERT_EQ(messageCount(), static_cast<std::size_t>(Msg::endOfTable));
  for (std::size_t i = 0; i < messageCount(); ++i) {
    const std::string english = messageText(static_cast<Msg>(i), Language::english);
    const std::string french = messageText(static_cast<Msg>(i), Language::french);
    EXPECT_FALSE(english.empty()) << i;
    EXPECT_FALSE(french.empty()) << i;
    EXPECT_EQ(firstNonUtf8(french), std::string::npos) << french;
    for (char n = '1'; n <= '9'; ++n) {
      const std::string value = {'{', n, '}'};
      EXPECT_EQ(english.find(value) == std::string::npos, french.find(value) == std::string::npos)
          << english << "\n"
          << french;
    }
  }

  setMessageLanguage(Language::french);
  EXPECT_EQ(say(Msg::unknownKey, {"nmae", say(Msg::didYouMean, {"name"})}),
            utf8(u8"clé inconnue « nmae » : vouliez-vous dire « name » ?"));
  EXPECT_EQ(counted(0, Msg::errorsOne, Msg::errorsMany), "0 erreur");
  EXPECT_EQ(counted(3, Msg::errorsOne, Msg::errorsMany), "3 erreurs");
  EXPECT_EQ(say(Msg::outputDestroys, {"a.exe", say(Msg::outputIsPlayer), "q.exe"}),
            utf8(u8"pack : a.exe est le lecteur qu'il copie : l'écrire le détruirait ; donnez "
                 u8"une autre sortie, par exemple q.exe"));
  setMessageLanguage(Language::english);
  EXPECT_EQ(counted(0, Msg::errorsOne, Msg::errorsMany), "0 errors");
  EXPECT_EQ(say(Msg::pictureSize, {"2000", "1000"}), utf8(u8"2000 × 1000"));
}

// French when the user's language is French: LC_ALL, then LC_MESSAGES, then LANG decide.
TEST(Messages, SpeakTheUsersLanguage) {
  const struct {
    const char* locale;
    Language language;
  } locales[] = {{"fr", Language::french},
                 {"fr_FR.UTF-8", Language::french},
                 {"fr_CA", Language::french},
                 {"fr_BE@euro", Language::french},
                 {"C", Language::english},
                 {"C.UTF-8", Language::english},
                 {"en_US.UTF-8", Language::english},
                 {"fri", Language::english},
                 {"", Language::english}};
  for (const auto& l : locales) EXPECT_EQ(languageOfLocale(l.locale), l.language) << l.locale;

  const char* const variables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::string saved[3];
  bool had[3];
  for (int i = 0; i < 3; ++i) {
    const char* value = std::getenv(variables[i]);
    had[i] = value != nullptr;
    saved[i] = value ? value : "";
  }
  const struct {
    const char *all, *messages, *lang;
    Language language;
  } environments[] = {
      {nullptr, nullptr, "fr_FR.UTF-8", Language::french},
      {nullptr, nullptr, "C", Language::english},
      {nullptr, nullptr, nullptr, Language::english},
      {"", "", "fr_FR.UTF-8", Language::french}, // empty variables are not set
      {nullptr, "fr_CA.UTF-8", "C", Language::french},
      {"C", "fr_FR.UTF-8", "fr_FR.UTF-8", Language::english},
  };
  for (const auto& e : environments) {
    const char* values[] = {e.all, e.messages, e.lang};
    for (int i = 0; i < 3; ++i) {
      if (values[i])
        setenv(variables[i], values[i], 1);
      else
        unsetenv(variables[i]);
    }
    EXPECT_EQ(userLanguage(), e.language) << (e.lang ? e.lang : "(no LANG)");
  }
  for (int i = 0; i < 3; ++i) {
    if (had[i])
      setenv(variables[i], saved[i].c_str(), 1);
    else
      unsetenv(variables[i]);
  }
}

} // namespace
