// quiztool unpack: an executable back to a quiz file and media that pack into the same quiz.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "content/content_encoder.h"
#include "tests/unit/command_run.h"
#include "tests/unit/pe_builder.h"
#include "tests/unit/temp_folder.h"
#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/executable/quiz_packer.h"
#include "tools/quiztool/executable/quiz_unpacker.h"
#include "tools/quiztool/platform/file_io.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0};
const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80};
const Bytes png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I'};
const Bytes wav = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
const Bytes mp3 = {0xFF, 0xFB, 0x90, 0x64, 0};
const Bytes unknownClip = {'O', 'g', 'g', 'S', 0};

ResourceName id(int value) {
  return ResourceName::number(static_cast<std::uint16_t>(value));
}

// The player: code, data, its own dialog and icon, and the settings block.
Bytes player() {
  ResourceTree own;
  own.entries.push_back({id(5), id(1001), 0x40C, 0, {1, 2, 3}});
  own.entries.push_back({id(14), id(1004), 0x40C, 0, {4, 5}});
  Bytes settings(sizeof(SettingsBlock), 0);
  std::memcpy(settings.data(), &defaultSettings, sizeof defaultSettings);
  PeBuilder builder;
  builder.filled(".text", 0x300, 1).section(settingsSectionName, settings).resources(own);
  return builder.build();
}

// A quiz written straight into the player, as another tool might: coded texts, media entries
// and a settings block, none of them made by pack.
struct Direct {
  std::string answers, codes;
  std::vector<ResourceEntry> media;
  SettingsBlock settings = defaultSettings;
  bool withCodes = true;
  Bytes codedAnswers; // when not empty, resource 104 as it is, not coded from `answers`
};

Bytes coded(const std::string& text) {
  Bytes out;
  EXPECT_EQ(encodeContent(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), out),
            encodeOk);
  return out;
}

Bytes directExecutable(const Direct& quiz) {
  PeImage image;
  ResourceTree tree;
  std::string error;
  EXPECT_TRUE(parsePeImage(player(), image, error)) << error;
  EXPECT_TRUE(readResourceTree(image, tree, error)) << error;
  setResource(tree, patchType(), id(answersId),
              quiz.codedAnswers.empty() ? coded(quiz.answers) : quiz.codedAnswers);
  if (quiz.withCodes) setResource(tree, patchType(), id(codesId), coded(quiz.codes));
  for (const ResourceEntry& entry : quiz.media) tree.entries.push_back(entry);
  const PeSection* section = findSection(image, settingsSectionName);
  std::memcpy(&image.bytes[section->rawOffset], &quiz.settings, sizeof quiz.settings);
  EXPECT_TRUE(
      installResourceSection(image, writeResourceTree(tree, resourceSectionRva(image)), error))
      << error;
  return image.bytes;
}

// Unpacks `executable` into a fresh folder, packs that back and expects show to print the same.
void expectRoundTrip(const TempFolder& folder, const Bytes& executable) {
  const std::string original = folder.write("original/quiz.exe", executable);
  const std::string playerPath = folder.write("player.exe", player());
  const CommandRun unpack = runCommand(runUnpack, {original, folder.path() + "unpacked"});
  ASSERT_EQ(unpack.result, 0) << unpack.err;
  const std::string quizFile = folder.path() + "unpacked/quiz.quiz";
  const std::string again = folder.path() + "again.exe";
  // The media are whatever the executable held: packed back as they are, unchecked.
  const CommandRun pack =
      runCommand(runPack, {quizFile, again, "--player", playerPath, "--unchecked-media"});
  ASSERT_EQ(pack.result, 0) << pack.err;
  const CommandRun before = runCommand(runShow, {original}), after = runCommand(runShow, {again});
  ASSERT_EQ(before.result, 0) << before.err;
  EXPECT_EQ(after.out, before.out);
}

TEST(QuizUnpacker, PackOfUnpackGivesTheSameQuiz) {
  const char8_t pictureQuiz[] = u8R"(name: " Drapeaux "
author: "Zoé" "Léa"
kind: picture
answers: 2
first label: Pays
reveal: 3
background: 1 2 3
title: Drapeaux
success: OUI
scroll unit: 4
code: C1
code:
code: C|3
question: ""quoted""
answer: France
second answer: Paris
reveal text: Bleu, blanc, rouge.
picture: f.jpg
answer picture: carte.png
question:
answer: Italie
second answer: Rome
picture: i.png
question:
answer: Japon
second answer: Tokyo
answer picture: j.gif
)";
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  folder.write("src/f.jpg", jpeg);
  folder.write("src/carte.png", png);
  folder.write("src/i.png", png);
  folder.write("src/j.gif", gif);
  const std::string quizFile =
      folder.write("src/drapeaux.quiz", reinterpret_cast<const char*>(pictureQuiz));
  const std::string playerPath = folder.write("player.exe", player());
  const std::string packed = folder.path() + "drapeaux.exe";
  // The sample pictures are headers only: packed unchecked.
  ASSERT_EQ(
      runCommand(runPack, {quizFile, packed, "--player", playerPath, "--unchecked-media"}).result,
      0);
  Bytes bytes;
  ASSERT_TRUE(readWholeFile(packed, bytes));
  expectRoundTrip(folder, bytes);
  // pack → unpack → pack makes the very same executable.
  Bytes again;
  ASSERT_TRUE(readWholeFile(folder.path() + "again.exe", again));
  EXPECT_EQ(again, bytes);
}

std::string answers(std::initializer_list<std::string> parts) {
  std::string text;
  for (const std::string& part : parts) text += part;
  return text;
}

// Content that pack never writes: byte 0 set, bytes after the colour, the unused second text of
// each reveal pair, more code lines than questions, other settings words.
TEST(QuizUnpacker, RoundTripsContentThatPackNeverWrote) {
  Direct picture;
  picture.answers =
      answers({std::string("\x07\x02\x02\x01", 4), "Nom|Auteur| expl |||", "A1|Q1|A2||",
               std::string(1, '\x03'), "R1|unused|R2|x|", "\x10\x20\x30 trailing"});
  picture.codes = "K1\r\nK2\r\nK3 beyond the questions\r\n";
  picture.media = {{imageType(), id(401), 0x409, 0, jpeg},
                   {ResourceName::number(rcdataType), id(10401), 0, 0, png},
                   {imageType(), id(402), 0, 0, gif}};
  std::strcpy(picture.settings.title, "Autre");
  std::strcpy(picture.settings.webAddress, "http://autre.example");
  std::strcpy(picture.settings.successWord, "OUI");
  std::strcpy(picture.settings.failureWord, "NON");
  picture.settings.pageUnit = 7;

  Direct audio; // clips, codes that stop early, an empty code in the middle
  audio.answers = answers({std::string("\x00\x03\x03\x01", 4), "Sons|||||a|q|b|q|c|q|",
                           std::string(1, '\x00'), "\x5a\x5f\x96"});
  audio.codes = "\r\nK2\r\n\r\n";
  audio.media = {{imageType(), id(401), 0, 0, wav}, {imageType(), id(403), 0, 0, mp3}};

  Direct empty; // no question at all
  empty.answers = answers({std::string("\x00\x01\x00\x01", 4), "Vide|||||", std::string(4, '\0')});
  empty.codes = "a code no score shows\r\n";

  for (const Direct* quiz : {&picture, &audio, &empty}) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    expectRoundTrip(folder, directExecutable(*quiz));
  }
}

// What a quiz file cannot say is named and refused, and nothing is written.
TEST(QuizUnpacker, RefusesWhatAQuizFileCannotSayAndWritesNothing) {
  const std::string oneQuestion =
      std::string("\x00\x02\x01\x01", 4) + "N|||||a|q|" + std::string(1, '\0') + "\x01\x02\x03";
  Direct missingCodes{oneQuestion, "", {}, defaultSettings, false};
  Direct newline{std::string("\x00\x01\x01\x01", 4) + "N|||||a\nb|q|" + std::string(4, '\0'),
                 "\r\n"};
  Direct textTwoAnswers{std::string("\x00\x01\x01\x02", 4) + "N|||||a|b|q|" + std::string(4, '\0'),
                        "\r\n"};
  Direct emptyAnswer{std::string("\x00\x01\x01\x01", 4) + "N||||||q|" + std::string(4, '\0'),
                     "\r\n"};
  Direct pngAsImage{oneQuestion, "\r\n", {{imageType(), id(401), 0, 0, png}}};
  Direct jpegAsData{oneQuestion, "\r\n", {{ResourceName::number(rcdataType), id(401), 0, 0, jpeg}}};
  Direct beyond{oneQuestion, "\r\n", {{imageType(), id(402), 0, 0, jpeg}}};
  Direct twice{oneQuestion,
               "\r\n",
               {{imageType(), id(401), 7, 0, jpeg}, {imageType(), id(401), 9, 0, jpeg}}};
  Direct oddClip{std::string("\x00\x03\x01\x01", 4) + "N|||||a|q|" + std::string(4, '\0'),
                 "\r\n",
                 {{imageType(), id(401), 0, 0, unknownClip}}};
  Direct fullTitle{oneQuestion, "\r\n"};
  std::memset(fullTitle.settings.title, 'T', sizeof fullTitle.settings.title);
  Direct zeroUnit{oneQuestion, "\r\n"};
  zeroUnit.settings.scrollUnit = 0;
  Direct damaged{oneQuestion, "\r\n"};
  damaged.codedAnswers = {0x30, 0x98}; // a stream without its end code
  const struct {
    Bytes executable;
    const char* message;
  } cases[] = {
      {directExecutable(missingCodes), "holds no quiz: it is not a program made by quiztool pack"},
      {directExecutable(newline), "question 1's answer holds a control character (byte 10)"},
      {directExecutable(textTwoAnswers), "a text quiz with two answers per question"},
      {directExecutable(emptyAnswer), "question 1: the answer is empty"},
      {directExecutable(pngAsImage), "IMG 401 is a PNG picture"},
      {directExecutable(jpegAsData), "data resource 401 is a data resource that is no PNG"},
      {directExecutable(beyond), "IMG 402 belongs to question 2, but the quiz has 1 questions"},
      {directExecutable(twice), "IMG 401 is there twice"},
      {directExecutable(oddClip), "IMG 401 is in no format a quiz file takes"},
      {directExecutable(fullTitle), "the title setting fills all 16 bytes"},
      {directExecutable(zeroUnit), "the scroll unit setting is 0"},
      {directExecutable(damaged), "the quiz it holds is damaged (resource 104: -7)"},
      {Bytes{'M', 'Z', 0}, "quiz.exe"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::string exe = folder.write("quiz.exe", c.executable);
    const CommandRun unpack = runCommand(runUnpack, {exe, folder.path() + "out"});
    EXPECT_EQ(unpack.result, 1) << c.message;
    EXPECT_NE(unpack.err.find(c.message), std::string::npos) << unpack.err;
    const std::filesystem::path out = folder.path() + "out";
    EXPECT_TRUE(!std::filesystem::exists(out) || std::filesystem::is_empty(out)) << c.message;
  }
}

TEST(QuizUnpacker, NeverReplacesAFile) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  const std::string exe = folder.write(
      "quiz.exe",
      directExecutable(
          {std::string("\x00\x01\x00\x01", 4) + "N|||||" + std::string(4, '\0'), "\r\n"}));
  const std::string mine = folder.write("out/quiz.quiz", std::string("# my edits\n"));
  const CommandRun unpack = runCommand(runUnpack, {exe, folder.path() + "out"});
  EXPECT_EQ(unpack.result, 1);
  EXPECT_NE(unpack.err.find("already exists; nothing was written"), std::string::npos);
  Bytes kept;
  ASSERT_TRUE(readWholeFile(mine, kept));
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "# my edits\n");
}

TEST(QuizUnpacker, NamesMediaFormats) {
  EXPECT_STREQ(pictureExtension(jpeg), "jpg");
  EXPECT_STREQ(pictureExtension(gif), "gif");
  EXPECT_STREQ(pictureExtension(png), "png");
  EXPECT_EQ(pictureExtension(wav), nullptr);
  EXPECT_STREQ(clipExtension(wav), "wav");
  EXPECT_STREQ(clipExtension(mp3), "mp3");
  EXPECT_STREQ(clipExtension({'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '}), "avi");
  EXPECT_STREQ(clipExtension({0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11}), "wmv");
  EXPECT_STREQ(clipExtension({0, 0, 1, 0xBA}), "mpg");
  EXPECT_EQ(clipExtension(unknownClip), nullptr);
  EXPECT_EQ(clipExtension({}), nullptr);
}

} // namespace
