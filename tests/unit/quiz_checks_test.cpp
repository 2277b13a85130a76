// What check and pack refuse or warn about, as a teacher meets it: one table of quiz files and
// their media, the messages each gives (each line of `message` in its order) and its exit code;
// check and pack must agree on every one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "content/settings_block.h"
#include "tests/unit/command_run.h"
#include "tests/unit/media_samples.h"
#include "tests/unit/pe_builder.h"
#include "tests/unit/temp_folder.h"
#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/platform/file_io.h"

namespace {

using samples::Bytes;

std::string text(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

Bytes player() {
  std::vector<std::uint8_t> settings(sizeof(SettingsBlock));
  std::memcpy(settings.data(), &defaultSettings, sizeof defaultSettings);
  ResourceTree own;
  own.entries.emplace_back();
  own.entries.back().type = ResourceName::number(5);
  own.entries.back().name = ResourceName::number(1001);
  own.entries.back().data = {1, 2};
  PeBuilder builder;
  builder.filled(".text", 0x200, 1).section(settingsSectionName, settings).resources(own);
  return builder.build();
}

const std::string web = "web: http://ecole.example\n";
const std::string pictureQuiz = web + "kind: picture\nquestion:\nanswer: Lion\npicture: p\n";
const std::string audioQuiz = web + "kind: audio\nquestion:\nanswer: Coq\nclip: c\n";

struct Case {
  std::string quiz;
  Bytes media; // written as "p" and as "c"
  std::string message;
  int result;
  std::vector<std::string> options = {};
};

TEST(QuizChecks, CheckAndPackRefuseAndWarnAlike) {
  const Bytes noise = {0x13, 0x9A, 0x00, 0xF1, 0x42, 0x07, 0xEE, 0x51, 0x88, 0x10, 0x3C, 0x7D};
  // A zlib stream whose first block is of the undefined type 3.
  const Bytes damagedPng = pngWithZlib(ihdrData(4, 4, 8, 0), {0x78, 0x01, 0x07, 0, 0, 0, 0});
  Bytes shortWav = samples::wav();
  shortWav.resize(20);
  // Chunk lengths near 2^32, which wrap a 32-bit sum back to the same chunk: a chunk before
  // "fmt " whose size field is 0xFFFFFFF8, and a chunk after IEND of length 0xFFFFFFF4.
  const Bytes wav = samples::wav();
  const Bytes wrappingWav = samples::riff("WAVE", std::string("LIST\xF8\xFF\xFF\xFFINFO", 12) +
                                                      std::string(wav.begin() + 12, wav.end()));
  Bytes wrappingPng = samples::png(3, 3);
  wrappingPng.insert(wrappingPng.end(), {0xFF, 0xFF, 0xFF, 0xF4, 't', 'E', 'X', 't', 0, 0, 0, 0});
  // Pictures whose data end early: in a JPEG's scan; in a GIF's first image, before its trailer.
  const Bytes jpeg = samples::jpeg(640, 480), gif = samples::gif();
  const Bytes cutJpeg(jpeg.begin(), jpeg.end() - 2);
  const Bytes cutGif(gif.begin(), gif.end() - 4), endlessGif(gif.begin(), gif.end() - 1);
  const Case cases[] = {
      {web + "success: OK\nfailure: OK\nquestion: q\nanswer: a\n",
       {},
       ":3: the success and "
       "failure words are the same (\"OK\"), so every wrong answer would count as found",
       1},
      {web + "success: ?\nquestion: q\nanswer: a\n", {}, ":2: the success word is \"?\"", 1},
      {web + "success: \"\"\nquestion: q\nanswer: a\n", {}, ":2: the success word is empty", 1},
      {web + "failure: \"  \"\nquestion: q\nanswer: a\n", {}, ":2: the failure word is empty", 1},
      {web + "title: \"\"\nquestion: q\nanswer: a\n", {}, ":2: the title is empty", 1},
      {web + "title: #65535\nquestion: q\nanswer: a\n", {}, "cannot start with \"#\"", 1},
      {web + "title: static\nquestion: q\nanswer: a\n", {}, "is the name of a Windows control", 1},
      {web + "kind: picture\nquestion:\nanswer: a\npicture: /dev/zero\n",
       {},
       ":5: /dev/zero is not a regular file",
       1},
      {pictureQuiz, Bytes{'h', 'e', 'l', 'l', 'o', '\n'}, ":5: p is a text file, not a picture", 1},
      {pictureQuiz, samples::riff("WEBP", "VP8 "), "is a WebP picture, which the player cannot", 1},
      {pictureQuiz, damagedPng, "is a PNG picture that the player's decoder refuses (0x2000", 1},
      {pictureQuiz, samples::jpeg(9000, 5000), "more than the player can hold", 1},
      {pictureQuiz, {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J'}, "p is cut short", 1},
      {pictureQuiz, samples::jpeg(640, 480, 0xC2), "", 0},
      {pictureQuiz, samples::gif(), "", 0},
      {pictureQuiz, samples::bmp(), "", 0},
      {pictureQuiz, samples::withOrientation(jpeg, 6),
       "p: warning: its EXIF tag says to turn it (orientation 6), which the player ignores: "
       "students would see it on its side; this tool cannot decode it to turn it",
       0},
      {pictureQuiz, samples::gif(true), "p: warning: it has transparent areas", 0},
      {pictureQuiz, samples::png(3, 3, true), "p: warning: it has transparent areas", 0},
      {pictureQuiz, cutJpeg, "p: warning: it is cut short (the picture data end early)", 0},
      {pictureQuiz, cutGif, "p: warning: it is cut short (the picture data end early)", 0},
      {pictureQuiz, endlessGif, "p: warning: it is cut short (no GIF end marker)", 0},
      {audioQuiz, noise, ":5: c is not a WAV, MP3, AVI, WMV or MPG clip", 1},
      {audioQuiz, {0}, "c is not a WAV, MP3, AVI, WMV or MPG clip", 1},
      {audioQuiz, Bytes{'I', 'D', '3', 0x13, 0x37, 0x42, 0x99, 0x01, 0x02, 0x03, 0x04},
       "starts like an MP3 tag (ID3) but the tag is damaged", 1},
      {audioQuiz, shortWav, "c is cut short", 1},
      {audioQuiz, wrappingWav, "c is cut short", 1},
      {pictureQuiz, wrappingPng, "", 0},
      {audioQuiz, samples::wav(), "", 0},
      {audioQuiz, samples::wav(0x11), "c: warning: its sound is coded as IMA ADPCM, not PCM", 0},
      {audioQuiz, samples::wav(0x6751), "coded as Vorbis, not PCM", 0},
      {audioQuiz, samples::wav(0xFFFE, 3), "coded as IEEE float (extensible WAV format), not", 0},
      {audioQuiz, samples::wav(0xFFFE, 1), "", 0},
      {audioQuiz, samples::wav(0x1234), "coded as an unknown coding (0x1234), not PCM", 0},
      {audioQuiz, samples::mp3(), "", 0},
      {audioQuiz, samples::avi(), "c: warning: it is a video (AVI), but an audio quiz", 0},
      {web + "kind: video\nquestion:\nanswer: a\nclip: c\n", samples::mp3(),
       "warning: it is a sound (MP3): its video frame stays black", 0},
      {web + "reveal: 2\nquestion: q\nanswer: a\nreveal text: r\n",
       {},
       ":5: warning: question 1: text quizzes show no reveal text",
       0},
      {web + "kind: picture\nquestion:\nanswer: a\n",
       {},
       ":3: warning: question 1 has no picture",
       0},
      {web + "kind: audio\nquestion:\nanswer: a\n", {}, "warning: question 1 has no clip", 0},
      {web + "kind: picture\nreveal: 1\nquestion:\nanswer: a\npicture: p\n", samples::gif(),
       ":4: warning: question 1 has no answer picture: in reveal mode 1 its frame stays empty", 0},
      {web + "kind: picture\nquestion:\nanswer: a\npicture: p\nanswer picture: c\n", samples::gif(),
       ":6: warning: question 1: answer pictures are shown only in reveal modes 1 and 3", 0},
      {web + "name: vide\n", {}, "quiz: warning: the quiz has no questions", 0},
      {"name: vide\n",
       {},
       "warning: no \"web:\" line: the header's link opens http://example.org",
       0},
      {web + "name: vide\n", {}, "1 warning, refused under --strict", 1, {"--strict"}},
      {"web:\nquestion: q\nanswer: a\n", {}, ":1: warning: web: is empty", 0},
      {"web: C:\\Windows\\notepad.exe\nquestion: q\nanswer: a\n",
       {},
       ":1: warning: web: \"C:\\Windows\\notepad.exe\" is not a web address",
       0},
      {"web: www.ecole.fr\nquestion: q\nanswer: a\n", {}, "is not a web address", 0},
      {"web: http://\nquestion: q\nanswer: a\n", {}, "is not a web address", 0},
      {"web: MAILTO:prof@ecole.fr\nquestion: q\nanswer: a\n", {}, "", 0},
      {"web: https://ecole.fr\nquestion: q\nanswer: a\n", {}, "", 0},
      {web + "question: q\nanswer: \xE9t\xE9\n", {}, ":3: the file is not UTF-8: character 9", 1},
      {"\xFF\xFEn\0a\0", {}, "quiz: the file is UTF-16 text: save it as UTF-8", 1},
      {std::string("n\0a\0m\0e\0:\0 \0Z\0o\0\xE9\0\r\0\n\0", 22),
       {},
       "quiz: the file is UTF-16 text",
       1},
      // A file that is not text at all is named for what it is, with how to write a quiz file.
      {text(samples::jpeg(64, 48)),
       {},
       "quiz: the file is a JPEG picture, not a text file. A quiz file is text: write it in "
       "Notepad",
       1},
      {std::string("PK\3\4\24\0\6\0\10\0\0\0!\0[Content_Types].xmlPK\3\4word/document.xml", 54),
       {},
       "quiz: the file is a Word document, not a text file",
       1},
      {std::string("PK\3\4\24\0\0\0\0\0notes.txt", 19), {}, "is a ZIP archive, not a text", 1},
      {"%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj\n", {}, "quiz: the file is a PDF document", 1},
      {"{\\rtf1\\ansi\\deff0 {\\fonttbl}\nname: x\n", {}, "is a WordPad or Word document (RTF)", 1},
      {text(noise), {}, "quiz: the file is a binary file, not a text file", 1},
      {"web: http://a.example\rquestion: q\ranswer: a\r", {}, "", 0},
      {web + "question: q\nanwser: a\n",
       {},
       ":3: unknown key \"anwser\": did you mean \"answer\"?",
       1},
      {web + "titre: Animaux\n", {}, "unknown key \"titre\": did you mean \"title\"?", 1},
      // Swapped letters are one slip; keys and kind names ignore the case of accented letters.
      {web + "nmae: Quiz\n", {}, ":2: unknown key \"nmae\": did you mean \"name\"?", 1},
      {web + "titel: Animaux\n", {}, "unknown key \"titel\": did you mean \"title\"?", 1},
      {web + "R\xC3\x89PONSE: Paris\n",
       {},
       "unknown key \"r\xC3\xA9ponse\": did you mean \"answer\"?",
       1},
      {web + "kind: VID\xC3\x89O\nquestion:\nanswer: a\nclip: c\n", samples::wav(),
       "c: warning: it is a sound (WAV)", 0},
      // Every error at once, those of the pictures and clips too, then their count.
      {web + "nmae: Quiz\ntitel: Animaux\nkind: picture\nquestion:\nanswer: a\npicture: p\n",
       Bytes{'h', 'e', 'l', 'l', 'o', '\n'},
       ":2: unknown key \"nmae\": did you mean \"name\"?\n"
       ":3: unknown key \"titel\": did you mean \"title\"?\n"
       ":7: p is a text file, not a picture\n"
       "quiz: 3 errors: the quiz cannot be packed\n",
       1},
      {web +
           [] {
             std::string lines;
             for (int n = 0; n < 25; ++n) lines += "?\n";
             return lines;
           }(),
       {},
       ":21: expected \"key: value\"\n"
       "quiz: 25 errors, of which the first 20 are listed: the quiz cannot be packed\n",
       1},
  };
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  const std::string playerPath = folder.write("player.exe", player());
  for (const Case& c : cases) {
    const std::string quiz = folder.write("quiz", c.quiz);
    folder.write("p", c.media);
    folder.write("c", c.media);
    const std::string out = folder.path() + "out.exe";
    std::filesystem::remove(out);
    std::vector<std::string> arguments = {quiz, "--player", playerPath};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const CommandRun check = runCommand(runCheck, arguments);
    EXPECT_EQ(check.result, c.result) << c.quiz << "\n" << check.err;
    // Each line of the message is found, in its order.
    std::size_t at = 0;
    for (std::size_t start = 0; start < c.message.size();) {
      const std::size_t end = std::min(c.message.find('\n', start), c.message.size());
      at = check.err.find(c.message.substr(start, end - start), at);
      EXPECT_NE(at, std::string::npos) << c.message << "\n" << check.err;
      if (at == std::string::npos) break;
      start = end + 1;
    }
    if (c.message.empty()) {
      EXPECT_EQ(check.err, "") << c.quiz;
    }
    arguments.insert(arguments.begin() + 1, out);
    const CommandRun pack = runCommand(runPack, arguments);
    EXPECT_EQ(pack.result, check.result) << c.quiz;
    EXPECT_EQ(pack.err, check.err) << c.quiz;
    EXPECT_EQ(std::filesystem::exists(out), c.result == 0) << c.quiz;
  }
}

// pack never writes over what it reads, and says where it writes when it chooses the name.
TEST(QuizChecks, PackNeverDestroysAnInput) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  const std::string playerPath = folder.write("player.exe", player());
  const std::string quizText = web + "kind: picture\nquestion:\nanswer: a\npicture: img/p.gif\n";
  const std::string quiz = folder.write("lions.quiz", quizText);
  const std::string picture = folder.write("img/p.gif", samples::gif());
  for (const std::string& out : {quiz, folder.path() + "./lions.quiz", playerPath, picture,
                                 folder.path() + "img/../img/p.gif", folder.path() + "img"}) {
    const CommandRun pack = runCommand(runPack, {quiz, out, "--player", playerPath});
    EXPECT_EQ(pack.result, 1) << out;
    EXPECT_NE(pack.err.find(std::filesystem::is_directory(out) ? "is a folder"
                                                               : "writing it would destroy it"),
              std::string::npos)
        << pack.err;
  }
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(readWholeFile(quiz, bytes));
  EXPECT_EQ(text(bytes), quizText);
  ASSERT_TRUE(readWholeFile(picture, bytes));
  EXPECT_EQ(bytes, samples::gif());
  ASSERT_TRUE(readWholeFile(playerPath, bytes));
  EXPECT_EQ(bytes, player());

  const CommandRun pack = runCommand(runPack, {quiz, "--player", playerPath});
  EXPECT_EQ(pack.result, 0) << pack.err;
  EXPECT_EQ(pack.out, "pack: wrote " + folder.path() + "lions.exe (1 question)\n");
  EXPECT_TRUE(std::filesystem::exists(folder.path() + "lions.exe"));

  // Files the player cannot show go in only on request, to test how the player copes.
  folder.write("img/p.gif", "not a picture");
  EXPECT_EQ(runCommand(runPack, {quiz, "--player", playerPath}).result, 1);
  EXPECT_EQ(runCommand(runPack, {quiz, "--player", playerPath, "--unchecked-media"}).result, 0);
  folder.write("img/p.gif", samples::gif());

  // show reads the quiz file as pack would write it; anything else is refused by name.
  const CommandRun show = runCommand(runShow, {quiz});
  EXPECT_EQ(show.result, 0) << show.err;
  EXPECT_NE(show.out.find("{\"type\": \"IMG\", \"id\": 401, \"bytes\": " +
                          std::to_string(samples::gif().size()) + "}"),
            std::string::npos)
      << show.out;
  const CommandRun other = runCommand(runShow, {picture});
  EXPECT_EQ(other.result, 1);
  EXPECT_EQ(other.err, picture + ": not a quiz executable or quiz file\n");
}

} // namespace
