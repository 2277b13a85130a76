#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <stb_image_write.h>

#include "content/content_decoder.h"
#include "content/quiz_state.h"
#include "tests/unit/command_run.h"
#include "tests/unit/media_samples.h"
#include "tests/unit/pe_builder.h"
#include "tests/unit/png_test_support.h"
#include "tests/unit/temp_folder.h"
#include "tests/unit/test_text.h"
#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/executable/quiz_packer.h"
#include "tools/quiztool/media/picture_fitting.h"
#include "tools/quiztool/platform/file_io.h"

namespace {

const std::vector<std::uint8_t> jpegBytes = samples::jpeg(520, 390);
const std::vector<std::uint8_t> gifBytes = samples::gif();
const std::vector<std::uint8_t> pngBytes = samples::png(2, 2);
const std::vector<std::uint8_t> otherJpegBytes = samples::jpeg(100, 50, 0xC2);

ResourceName id(std::uint16_t value) {
  return ResourceName::number(value);
}

ResourceEntry entry(const ResourceName& type, const ResourceName& name,
                    std::vector<std::uint8_t> data) {
  ResourceEntry e;
  e.type = type;
  e.name = name;
  e.language = 0x40C;
  e.data = std::move(data);
  return e;
}

// The player's own resources: dialogs, cursor, icons, a data resource of its own.
ResourceTree playerResources() {
  return {{entry(id(5), id(1001), {1, 2, 3}), entry(id(5), id(1002), {4, 5}),
           entry(id(12), id(1003), {6}), entry(id(14), id(1004), {7, 8, 9, 10}),
           entry(id(14), id(1005), {11}), entry(id(rcdataType), id(1), {12, 13})}};
}

// The settings section: the block and some bytes after it that are not the block's.
std::vector<std::uint8_t> settingsSection() {
  std::vector<std::uint8_t> bytes(sizeof(SettingsBlock) + 16, 0xEE);
  std::memcpy(bytes.data(), &defaultSettings, sizeof defaultSettings);
  return bytes;
}

// An image of the player, with its resource section last or followed by the settings.
PeImage playerImage(bool resourcesLast) {
  PeBuilder builder;
  builder.filled(".text", 0x700, 1).filled(".data", 0x90, 2);
  if (resourcesLast)
    builder.section(settingsSectionName, settingsSection()).resources(playerResources());
  else
    builder.resources(playerResources()).section(settingsSectionName, settingsSection());
  PeImage image;
  std::string error;
  EXPECT_TRUE(parsePeImage(builder.build(), image, error)) << error;
  return image;
}

QuizDefinition quizOf(const TempFolder& folder, const std::string& text) {
  QuizDefinition quiz;
  Faults faults;
  EXPECT_TRUE(parseQuizText("quiz.txt", text, folder.path(), defaultSettings, quiz, faults))
      << joined(faults);
  return quiz;
}

const char8_t pictureQuiz[] = u8"name: Drapeaux\n"
                              u8"author: Zoé\n"
                              u8"kind: picture\n"
                              u8"reveal: 2\n"
                              u8"title: Drapeaux\n"
                              u8"web: http://ecole.example\n"
                              u8"success: OUI\n"
                              u8"failure: NON\n"
                              u8"scroll unit: 2\n"
                              u8"page unit: 3\n"
                              u8"code: C1\n"
                              u8"question:\n"
                              u8"answer: France\n"
                              u8"picture: france.jpg\n"
                              u8"answer picture: carte-france.png\n"
                              u8"reveal text: Bleu, blanc, rouge.\n"
                              u8"question:\n"
                              u8"answer: Italie\n"
                              u8"picture: italie.gif\n"
                              u8"answer picture: carte-italie.jpg\n"
                              u8"question:\n"
                              u8"answer: Japon\n"
                              u8"picture: japon.png\n";

void writeMedia(const TempFolder& folder) {
  folder.write("france.jpg", jpegBytes);
  folder.write("carte-france.png", pngBytes);
  folder.write("italie.gif", gifBytes);
  folder.write("carte-italie.jpg", otherJpegBytes);
  folder.write("japon.png", pngBytes);
}

ResourceTree resourcesOf(const PeImage& image) {
  PeImage reread;
  ResourceTree tree;
  std::string error;
  EXPECT_TRUE(parsePeImage(image.bytes, reread, error)) << error;
  EXPECT_TRUE(readResourceTree(reread, tree, error)) << error;
  return tree;
}

std::string decoded(const ResourceTree& tree, int resourceId) {
  const ResourceEntry* found =
      findResource(tree, patchType(), id(static_cast<std::uint16_t>(resourceId)));
  if (!found) return "(missing)";
  DecodedText text;
  if (decodeContent(found->data.data(), found->data.size(), text) != decodeOk)
    return "(undecodable)";
  return std::string(reinterpret_cast<const char*>(text.bytes.get()), text.length);
}

struct Expected {
  ResourceName type;
  std::uint16_t id;
  std::vector<std::uint8_t> data;
};

// The quiz's own resources are exactly these, and the player's are all still there.
void expectQuizResources(const ResourceTree& tree, const std::vector<Expected>& media) {
  std::size_t quizEntries = 2; // 104 and 105
  for (const Expected& e : media) {
    const ResourceEntry* found = findResource(tree, e.type, id(e.id));
    ASSERT_NE(found, nullptr) << e.type.display() << " " << e.id;
    EXPECT_EQ(found->data, e.data) << e.type.display() << " " << e.id;
    ++quizEntries;
  }
  for (const ResourceEntry& own : playerResources().entries) {
    const ResourceEntry* found = findResource(tree, own.type, own.name);
    ASSERT_NE(found, nullptr) << own.type.display() << " " << own.name.display();
    EXPECT_EQ(found->data, own.data);
    EXPECT_EQ(found->language, own.language);
  }
  EXPECT_EQ(tree.entries.size(), playerResources().entries.size() + quizEntries);
}

TEST(QuizPacker, PacksContentPicturesAndSettings) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  writeMedia(folder);
  const QuizDefinition quiz = quizOf(folder, utf8(pictureQuiz));
  for (const bool resourcesLast : {true, false}) {
    PeImage image = playerImage(resourcesLast);
    const PeImage before = image;
    Faults faults;
    ASSERT_TRUE(packQuiz(quiz, image, faults)) << joined(faults);

    const ResourceTree tree = resourcesOf(image);
    EXPECT_EQ(decoded(tree, answersId), answersText(quiz));
    EXPECT_EQ(decoded(tree, codesId), codesText(quiz));
    const ResourceName img = imageType(), rcdata = id(rcdataType);
    expectQuizResources(tree, {{img, 401, jpegBytes},
                               {rcdata, 10401, pngBytes},
                               {img, 402, gifBytes},
                               {img, 10402, otherJpegBytes},
                               {rcdata, 403, pngBytes}});
    EXPECT_EQ(imageType(), ResourceName::text("IMG"));
    EXPECT_EQ(patchType(), ResourceName::text("PATCH"));

    // The block is the quiz's settings, byte for byte; the rest of its section is left alone.
    const PeSection* settings = findSection(image, settingsSectionName);
    ASSERT_NE(settings, nullptr);
    const PeSection* old = findSection(before, settingsSectionName);
    EXPECT_EQ(settings->rawOffset, old->rawOffset);
    EXPECT_EQ(std::memcmp(&image.bytes[settings->rawOffset], &quiz.settings, 80), 0);
    EXPECT_TRUE(std::equal(before.bytes.begin() + old->rawOffset + 80,
                           before.bytes.begin() + old->rawOffset + old->rawSize,
                           image.bytes.begin() + settings->rawOffset + 80));
    SettingsBlock read{};
    std::string error;
    ASSERT_TRUE(readSettingsBlock(image, read, error)) << error;
    EXPECT_STREQ(read.title, "Drapeaux");
    EXPECT_STREQ(read.webAddress, "http://ecole.example");
    EXPECT_EQ(read.scrollUnit, 2);
    EXPECT_EQ(read.pageUnit, 3);
    EXPECT_STREQ(read.successWord, "OUI");
    EXPECT_STREQ(read.failureWord, "NON");

    for (const char* name : {".text", ".data"}) {
      const PeSection* s = findSection(before, name);
      EXPECT_TRUE(std::equal(before.bytes.begin() + s->rawOffset,
                             before.bytes.begin() + s->rawOffset + s->rawSize,
                             image.bytes.begin() + s->rawOffset))
          << name;
    }
    EXPECT_EQ(image.sections.size(), resourcesLast ? 4u : 5u);
    std::uint32_t checksum = 0;
    ASSERT_TRUE(readU32(image.bytes, PeBuilder::checksumAt, checksum));
    EXPECT_EQ(checksum, referenceChecksum(image.bytes, PeBuilder::checksumAt));
  }
}

TEST(QuizPacker, RepackingReplacesThePreviousQuiz) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  writeMedia(folder);
  const QuizDefinition first = quizOf(folder, utf8(pictureQuiz));
  // The second quiz has one question, whose picture is a PNG where the first had a JPEG.
  const QuizDefinition second =
      quizOf(folder, "name: Autre\nkind: picture\ncode: Z\nquestion:\nanswer: Japon\n"
                     "picture: japon.png\n");
  for (const bool resourcesLast : {true, false}) {
    PeImage image = playerImage(resourcesLast);
    Faults faults;
    ASSERT_TRUE(packQuiz(first, image, faults)) << joined(faults);
    const std::vector<std::uint8_t> packedOnce = image.bytes;
    ASSERT_TRUE(packQuiz(first, image, faults)) << joined(faults);
    EXPECT_EQ(image.bytes, packedOnce) << "packing the same quiz again changes nothing";

    ASSERT_TRUE(packQuiz(second, image, faults)) << joined(faults);
    const ResourceTree tree = resourcesOf(image);
    EXPECT_EQ(decoded(tree, answersId), answersText(second));
    EXPECT_EQ(decoded(tree, codesId), "Z\r\n");
    expectQuizResources(tree, {{id(rcdataType), 401, pngBytes}});
    EXPECT_EQ(image.sections.size(), resourcesLast ? 4u : 5u);
    SettingsBlock read{};
    std::string error;
    ASSERT_TRUE(readSettingsBlock(image, read, error));
    EXPECT_EQ(std::memcmp(&read, &defaultSettings, sizeof read), 0);
  }
}

TEST(QuizPacker, PacksClipsAsImgWhateverTheyHold) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  folder.write("coq.mp3", samples::mp3());
  folder.write("odd.bin", samples::wav());
  const QuizDefinition quiz = quizOf(
      folder, "kind: audio\nquestion: q1\nanswer: coq\nclip: coq.mp3\nquestion: q2\nanswer: x\n"
              "clip: odd.bin\nquestion: q3\nanswer: sans clip\n");
  PeImage image = playerImage(true);
  Faults faults;
  ASSERT_TRUE(packQuiz(quiz, image, faults)) << joined(faults);
  const ResourceTree tree = resourcesOf(image);
  expectQuizResources(tree,
                      {{imageType(), 401, samples::mp3()}, {imageType(), 402, samples::wav()}});
  EXPECT_EQ(decoded(tree, codesId), "\r\n\r\n\r\n");
}

TEST(QuizPacker, PacksAQuizWithoutQuestions) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  const QuizDefinition quiz = quizOf(folder, "name: Vide\n");
  PeImage image = playerImage(true);
  Faults faults;
  ASSERT_TRUE(packQuiz(quiz, image, faults)) << joined(faults);
  const ResourceTree tree = resourcesOf(image);
  EXPECT_EQ(decoded(tree, answersId), answersText(quiz));
  EXPECT_EQ(decoded(tree, codesId), "\r\n");
}

TEST(QuizPacker, ReportsAPlayerWithoutSettings) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  const QuizDefinition quiz = quizOf(folder, "question: q\nanswer: a\n");
  const std::string message = "this is not the quiz player (it has no .quizset section for the "
                              "settings): name the player.exe that comes with quiztool";

  PeBuilder builder;
  builder.filled(".text", 0x100, 1).resources(playerResources());
  PeImage image;
  std::string error;
  ASSERT_TRUE(parsePeImage(builder.build(), image, error));
  const std::vector<std::uint8_t> before = image.bytes;
  Faults faults;
  EXPECT_FALSE(packQuiz(quiz, image, faults));
  EXPECT_EQ(joined(faults), message);
  EXPECT_EQ(image.bytes, before);
  SettingsBlock settings{};
  EXPECT_FALSE(readSettingsBlock(image, settings, error));
  EXPECT_EQ(error, message);

  // A section of that name too small to hold the block.
  image = playerImage(true);
  const PeSection* section = findSection(image, settingsSectionName);
  std::vector<std::uint8_t> bytes = image.bytes;
  writeU32(bytes, section->headerOffset + 16, sizeof(SettingsBlock) - 1);
  ASSERT_TRUE(parsePeImage(bytes, image, error));
  Faults again;
  EXPECT_FALSE(packQuiz(quiz, image, again));
  EXPECT_EQ(joined(again), message);
}

TEST(QuizPacker, ReportsMediaThatCannotBePacked) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  folder.write("vide.jpg", "");
  const std::string gone = folder.write("parti.jpg", jpegBytes);
  const QuizDefinition quiz = quizOf(folder, "kind: picture\nquestion:\nanswer: a\n"
                                             "picture: vide.jpg\n");
  const QuizDefinition later = quizOf(folder, "kind: picture\nquestion:\nanswer: a\n"
                                              "answer picture: parti.jpg\n");
  std::remove(gone.c_str());
  PeImage image = playerImage(true);
  const std::vector<std::uint8_t> before = image.bytes;
  Faults faults, laterFaults;
  EXPECT_FALSE(packQuiz(quiz, image, faults));
  EXPECT_EQ(joined(faults), "quiz.txt:4: vide.jpg is empty");
  EXPECT_FALSE(packQuiz(later, image, laterFaults));
  EXPECT_EQ(joined(laterFaults),
            "quiz.txt:4: parti.jpg does not exist (names are relative to the quiz file)");
  EXPECT_EQ(image.bytes, before);
}

TEST(QuizPacker, ReportsTextsTooLongToCode) {
  QuizDefinition quiz;
  quiz.fileName = "quiz.txt";
  quiz.questionKind = kindPicture;
  quiz.answersPerQuestion = 2;
  quiz.revealMode = 2;
  std::uint32_t seed = 12345;
  const auto noise = [&seed] {
    std::string text;
    for (int i = 0; i < maxTextLength; ++i) {
      seed = seed * 1103515245 + 12345;
      text += static_cast<char>('!' + (seed >> 16) % 90); // printable, never "|"
    }
    return text;
  };
  for (int n = 0; n < maxQuestions; ++n) {
    QuestionSource question;
    question.answer = noise(), question.secondAnswer = noise();
    question.questionText = noise(), question.revealText = noise();
    quiz.questions.push_back(question);
  }
  PeImage image = playerImage(true);
  const std::vector<std::uint8_t> before = image.bytes;
  Faults faults;
  EXPECT_FALSE(packQuiz(quiz, image, faults));
  EXPECT_EQ(joined(faults), "quiz.txt: the quiz's texts are too long altogether (" +
                                std::to_string(answersText(quiz).size()) +
                                " characters; the player holds at most 64 KB of them): shorten "
                                "them or split the quiz in two");
  EXPECT_EQ(image.bytes, before);
}

TEST(QuizPacker, ReportsDamagedPlayerResources) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  const QuizDefinition quiz = quizOf(folder, "question: q\nanswer: a\n");
  PeImage image = playerImage(true);
  std::vector<std::uint8_t> bytes = image.bytes;
  writeU32(bytes, image.sections.back().rawOffset + 20, 0x80FFFFFF);
  std::string error;
  ASSERT_TRUE(parsePeImage(bytes, image, error));
  Faults faults;
  EXPECT_FALSE(packQuiz(quiz, image, faults));
  EXPECT_EQ(joined(faults), "resources: damaged resource directory");
}

bool exists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file) std::fclose(file);
  return file != nullptr;
}

TEST(PackCommand, PacksAQuizFileThatShowReadsBack) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  const std::string player = folder.write("player.exe", playerImage(false).bytes);
  folder.write("quiz/france.jpg", jpegBytes);
  folder.write("quiz/carte-france.png", pngBytes);
  folder.write("quiz/italie.gif", gifBytes);
  folder.write("quiz/carte-italie.jpg", otherJpegBytes);
  folder.write("quiz/japon.png", pngBytes);
  const std::string quizFile = folder.write("quiz/drapeaux.quiz", utf8(pictureQuiz));
  const std::string out = folder.path() + "drapeaux.exe";

  // Options in any order (these pictures are no real pictures: kept or not, they stay).
  const CommandRun pack =
      runCommand(runPack, {quizFile, out, "--keep-pictures", "--player", player});
  ASSERT_EQ(pack.result, 0) << pack.err;
  // Only warnings: questions 2 and 3 reveal no text, and in reveal mode 2 the answer pictures
  // of questions 1 and 2 are never shown.
  EXPECT_EQ(std::count(pack.err.begin(), pack.err.end(), '\n'), 4) << pack.err;
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(readWholeFile(out, bytes));
  PeImage image;
  std::string error;
  ASSERT_TRUE(parsePeImage(bytes, image, error)) << error;
  QuizDefinition quiz;
  Faults faults;
  ASSERT_TRUE(parseQuizFile(quizFile, defaultSettings, quiz, faults)) << joined(faults);
  const ResourceTree tree = resourcesOf(image);
  EXPECT_EQ(decoded(tree, answersId), answersText(quiz));
  EXPECT_EQ(decoded(tree, codesId), codesText(quiz));

  const CommandRun show = runCommand(runShow, {out});
  ASSERT_EQ(show.result, 0) << show.err;
  for (const std::string& expected : {
           std::string("\"kind\": \"picture\""),
           std::string("\"questionCount\": 3"),
           utf8(u8"\"author\": \"Zoé\""),
           std::string("\"revealMode\": 2"),
           std::string("\"codes\": [\"C1\", \"\", \"\"]"),
           std::string("\"settings\": {\"title\": \"Drapeaux\", \"web\": "
                       "\"http://ecole.example\", \"scrollUnit\": 2, \"pageUnit\": 3, "
                       "\"success\": \"OUI\", \"failure\": \"NON\"}"),
           "{\"type\": \"IMG\", \"id\": 401, \"bytes\": " + std::to_string(jpegBytes.size()) + "}",
           "{\"type\": \"IMG\", \"id\": 402, \"bytes\": " + std::to_string(gifBytes.size()) + "}",
           "{\"type\": \"RCDATA\", \"id\": 403, \"bytes\": " + std::to_string(pngBytes.size()) +
               "}",
           "{\"type\": \"RCDATA\", \"id\": 10401, \"bytes\": " + std::to_string(pngBytes.size()) +
               "}",
           "{\"type\": \"IMG\", \"id\": 10402, \"bytes\": " +
               std::to_string(otherJpegBytes.size()) + "}",
       })
    EXPECT_NE(show.out.find(expected), std::string::npos) << expected << "\n" << show.out;
  // The player's own data resource is not one of the quiz's pictures.
  EXPECT_EQ(show.out.find("\"id\": 1,"), std::string::npos) << show.out;
}

TEST(PackCommand, WritesNothingWhenSomethingIsWrong) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  const std::string player = folder.write("player.exe", playerImage(true).bytes);
  PeBuilder withoutSettings;
  withoutSettings.filled(".text", 0x40, 1);
  const std::string other = folder.write("other.exe", withoutSettings.build());
  const std::string good = folder.write("good.quiz", "question: q\nanswer: a\n");
  const std::string bad = folder.write("bad.quiz", "question: q\nreveal: 9\nanswer: a\n");
  const std::string out = folder.path() + "out.exe";
  const std::string usage =
      "usage: quiztool pack QUIZFILE [OUT.exe] [--player PLAYER.exe] [--strict] "
      "[--keep-pictures]\n";
  const struct {
    std::vector<std::string> arguments;
    int result;
    std::string err;
  } cases[] = {
      {{bad, out, "--player", player},
       1,
       bad + ":2: reveal must be a number from 0 to 4\n" + bad +
           ": 1 error: the quiz cannot be packed\n"},
      {{good, out, "--player", other},
       1,
       "this is not the quiz player (it has no .quizset section for the settings): name the "
       "player.exe that comes with quiztool\n" +
           good + ": 1 error: the quiz cannot be packed\n"},
      {{good, out, "--player", good}, 1, "pack: " + good + ": not a Windows executable\n"},
      {{good, out, "--frob"}, 2, usage},
      {{good, out, player}, 2, usage},
      {{good, out, "--keep-picture", "--player", player}, 2, usage},
      {{good, out, "--keep-pictures", "--player"}, 2, usage},
  };
  for (const auto& c : cases) {
    const CommandRun run = runCommand(runPack, c.arguments);
    EXPECT_EQ(run.result, c.result) << c.err;
    EXPECT_EQ(run.err, c.err);
    EXPECT_FALSE(exists(out)) << c.err;
    EXPECT_FALSE(exists(out + ".partial")) << c.err;
  }
}

// A large PNG stays a PNG, a large BMP is stored as a PNG (a data resource, which the player's
// own decoder reads) and a photograph the camera stored turned is stored upright; under
// --keep-pictures every original goes in as it is, and the turned photograph is warned about.
TEST(QuizPacker, StoresPicturesFittedUnlessTheOriginalsAreKept) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  const std::vector<std::uint8_t> large = writeWithLibpng(makeRefImage(400, 300, 2, 8, 0, 5));
  const std::vector<std::uint8_t> bitmap = samples::bmp(400, 300, Bytes(400 * 300 * 3, 90));
  std::vector<std::uint8_t> photo;
  stbi_write_jpg_to_func(
      [](void* out, void* data, int size) {
        auto* bytes = static_cast<std::uint8_t*>(data);
        static_cast<Bytes*>(out)->insert(static_cast<Bytes*>(out)->end(), bytes, bytes + size);
      },
      &photo, 100, 50, 3, Bytes(100 * 50 * 3, 200).data(), 90);
  photo = samples::withOrientation(photo, 6);
  folder.write("grand.png", large);
  folder.write("grand.bmp", bitmap);
  folder.write("photo.jpg", photo);
  QuizDefinition quiz =
      quizOf(folder, "kind: picture\nquestion:\nanswer: a\npicture: grand.png\nanswer picture: "
                     "grand.bmp\nquestion:\nanswer: b\npicture: photo.jpg\n");
  const std::vector<std::uint8_t> fitted = fitPictureForPlayer(large).stored;
  const std::vector<std::uint8_t> fittedBitmap = fitPictureForPlayer(bitmap).stored;
  const std::vector<std::uint8_t> upright = fitPictureForPlayer(photo).stored;
  ASSERT_TRUE(!fitted.empty() && !fittedBitmap.empty() && !upright.empty());
  const ResourceName img = imageType();
  for (const bool keep : {false, true}) {
    SCOPED_TRACE(keep ? "kept" : "fitted");
    quiz.keepPictures = keep;
    PeImage image = playerImage(true);
    Faults faults;
    std::vector<std::string> warnings;
    ASSERT_TRUE(packQuiz(quiz, image, faults, &warnings)) << joined(faults);
    if (keep)
      expectQuizResources(resourcesOf(image),
                          {{id(rcdataType), 401, large}, {img, 402, photo}, {img, 10401, bitmap}});
    else
      expectQuizResources(resourcesOf(image), {{id(rcdataType), 401, fitted},
                                               {img, 402, upright},
                                               {id(rcdataType), 10401, fittedBitmap}});
    const std::vector<std::string> expected = {
        "quiz.txt:8: photo.jpg: warning: its EXIF tag says to turn it (orientation 6), which the "
        "player ignores: students would see it on its side; pack without --keep-pictures to "
        "store it upright"};
    EXPECT_EQ(warnings, keep ? expected : std::vector<std::string>{});
  }
}

} // namespace
