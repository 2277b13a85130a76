#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "board/progress_format.h"
#include "tests/unit/test_text.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Reads `count` lines as the board does, one per answer box, checking that the reader never
// goes past the end.
std::vector<std::string> readLines(const Bytes& file, int count) {
  ProgressLines lines{file.empty() ? nullptr : file.data(), static_cast<std::uint32_t>(file.size()),
                      0};
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) {
    char text[textCapacity];
    std::memset(text, 'Z', sizeof text);
    nextProgressLine(lines, text);
    EXPECT_LE(lines.position, lines.size);
    texts.push_back(text);
  }
  return texts;
}

// The file the player writes for these answer boxes.
Bytes savedFile(const std::vector<std::string>& boxes) {
  Bytes file;
  for (const std::string& box : boxes) {
    char line[progressLineCapacity];
    const std::size_t length = formatProgressLine(box.c_str(), line);
    file.insert(file.end(), line, line + length);
  }
  return file;
}

TEST(ProgressFormat, FileNames) {
  struct Case {
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\Jeux\\jeu.exe", "jeu.txt"},
      {"C:\\Jeux\\JEU.EXE", "JEU.txt"},
      {"JEU.EXE", "JEU.txt"},
      {"C:\\Jeux\\test.exe", "test.txt"},
      {"C:\\Jeux.v2\\quiz", "qtxt"}, // the last three are replaced whatever they are
      {"C:\\a\\b\\quiz.scr", "quiz.txt"},
      {"D:\\x.exe", "x.txt"},
      {"abc", "txt"},
      {"C:\\Jeux\\ab", "abtxt"}, // fewer than three: nothing to replace, "txt" is added
      {"C:\\Jeux\\a", "atxt"},
      {"C:\\Jeux\\", "txt"},
      {"", "txt"},
      {"/home/jeu.exe", "/home/jeu.txt"}, // only a backslash separates folders
  };
  for (const Case& c : cases) {
    char name[textCapacity];
    std::memset(name, 'Z', sizeof name);
    progressFileNameFromPath(c.path, name);
    EXPECT_STREQ(name, c.expected) << c.path;
  }
}

TEST(ProgressFormat, OverlongFileNameIsCutFirst) {
  const std::string path = "C:\\" + std::string(300, 'q');
  char name[textCapacity];
  progressFileNameFromPath(path.c_str(), name);
  EXPECT_EQ(std::string(name), std::string(maxTextLength - 3, 'q') + "txt");
}

TEST(ProgressFormat, LineRules) {
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::string> lines; // every line after these is empty
  };
  const Case cases[] = {
      {"empty file", "", {}},
      {"CR LF", "a\r\n\r\nc\r\n", {"a", "", "c"}},
      {"two answers per question", "q1a\r\nq1b\r\nq2a\r\nq2b\r\n", {"q1a", "q1b", "q2a", "q2b"}},
      {"LF only runs on to the first CR", "a\nb\nc\r\nd\r\n", {"a\nb\nc", "d"}},
      {"LF only, no CR at all", "a\nb\nc\n", {"a\nb\nc\n"}},
      {"CR only skips to the next LF", "a\rb\rc\r\nd\r\n", {"a", "d"}},
      {"CR only, no LF at all", "a\rb\rc\r", {"a"}},
      {"bytes between CR and LF", "ab\rjunk\ncd\r\n", {"ab", "cd"}},
      {"CR CR LF", "ab\r\r\ncd\r\n", {"ab", "cd"}},
      {"last line without CR LF", "a\r\nlast", {"a", "last"}},
      {"last line with CR only", "a\r\nlast\r", {"a", "last"}},
      {"LF first", "\nx\r\n", {"\nx"}},
      {"lone CR LF", "\r\n", {""}},
      {"high and control bytes", "\x01\xE9\xFF\x80\t\r\n\x7F\r\n", {"\x01\xE9\xFF\x80\t", "\x7F"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> expected = c.lines;
    expected.resize(c.lines.size() + 3);
    EXPECT_EQ(readLines(bytesOf(c.file), static_cast<int>(expected.size())), expected) << c.what;
  }
}

TEST(ProgressFormat, NulByteEndsTheBoxTextButNotTheLine) {
  const Bytes file = bytesOf(std::string("ab\0cd\r\nef\r\n", 11));
  EXPECT_EQ(readLines(file, 3), (std::vector<std::string>{"ab", "ef", ""}));
}

TEST(ProgressFormat, LongLinesAreCutAndSkipped) {
  for (const std::size_t length : {258u, 259u, 260u, 261u, 10000u}) {
    const std::string longLine(length, 'x');
    const Bytes file = bytesOf(longLine + "\r\nnext\r\n" + longLine);
    const std::string cut(std::min<std::size_t>(length, maxTextLength), 'x');
    EXPECT_EQ(readLines(file, 4), (std::vector<std::string>{cut, "next", cut, ""})) << length;
  }
}

TEST(ProgressFormat, ReaderStopsAtTheEnd) {
  const Bytes file = bytesOf("a\r\nb");
  ProgressLines lines{file.data(), static_cast<std::uint32_t>(file.size()), 0};
  char text[textCapacity];
  for (int i = 0; i < 5; ++i) nextProgressLine(lines, text);
  EXPECT_EQ(lines.position, lines.size);
  EXPECT_STREQ(text, "");
}

TEST(ProgressFormat, FormatsOneLine) {
  struct Case {
    std::string box;
    std::string line;
  };
  const Case cases[] = {
      {"", "\r\n"},
      {"paris", "paris\r\n"},
      {"\xE9t\xE9", "\xE9t\xE9\r\n"},
      {std::string(maxTextLength, 'y'), std::string(maxTextLength, 'y') + "\r\n"},
      {std::string(400, 'y'), std::string(maxTextLength, 'y') + "\r\n"},
  };
  for (const Case& c : cases) {
    char line[progressLineCapacity];
    const std::size_t length = formatProgressLine(c.box.c_str(), line);
    EXPECT_EQ(std::string(line, length), c.line) << c.box.size();
  }
}

TEST(ProgressFormat, SavedFilesByteForByte) {
  EXPECT_EQ(savedFile({"a", "", "c"}), (Bytes{0x61, 0x0D, 0x0A, 0x0D, 0x0A, 0x63, 0x0D, 0x0A}));
  EXPECT_EQ(savedFile({"paris", ""}),
            (Bytes{0x70, 0x61, 0x72, 0x69, 0x73, 0x0D, 0x0A, 0x0D, 0x0A}));
  EXPECT_EQ(savedFile({"", "", ""}), bytesOf("\r\n\r\n\r\n"));
  EXPECT_EQ(readLines(savedFile({"a", "", "c"}), 4), (std::vector<std::string>{"a", "", "c", ""}));
}

// Whatever a box can hold (no CR, no NUL) comes back in its own line, cut to 259 characters.
TEST(ProgressFormat, SavedBoxesReadBack) {
  std::mt19937 random(5);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> boxes(1 + random() % 12);
    for (std::string& box : boxes) {
      const std::size_t length = random() % 4 == 0 ? 0 : random() % 300;
      for (std::size_t i = 0; i < length; ++i) {
        char byte = static_cast<char>(1 + random() % 255);
        box += byte == '\r' ? '\n' : byte;
      }
    }
    std::vector<std::string> expected;
    for (const std::string& box : boxes) expected.push_back(box.substr(0, maxTextLength));
    expected.push_back("");
    ASSERT_EQ(readLines(savedFile(boxes), static_cast<int>(expected.size())), expected)
        << "round " << round;
  }
}

} // namespace
