#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "tests/unit/temp_folder.h"
#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/platform/file_io.h"
#include "tools/quiztool/platform/platform.h"

namespace {

TEST(QuiztoolFiles, ExecutableBesideTheQuizFile) {
  const struct {
    const char* quiz;
    const char* executable;
  } cases[] = {
      {"my-quiz.quiz", "my-quiz.exe"},
      {"dir/My-Quiz.QUIZ", "dir/My-Quiz.exe"},
      {"dir/my-quiz.quiz.txt", "dir/my-quiz.exe"}, // as Notepad saves it
      {"notes.TXT", "notes.exe"},
      {"quiz.v2.text", "quiz.v2.exe"},
      {"dir.d/quiz", "dir.d/quiz.exe"}, // a dot in a folder's name is not an extension
      {"dir/.quiz", "dir/.quiz.exe"},   // nor is a name that starts with one
      {"élève.quiz", "élève.exe"},
  };
  for (const auto& c : cases) EXPECT_EQ(executableBeside(c.quiz), c.executable) << c.quiz;
}

TEST(QuiztoolFiles, ReadsRegularFilesWithinTheirLimit) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  const std::string ten = folder.write("ten", std::string(10, 'x'));
  folder.write("empty", "");
  const std::string pipe = folder.path() + "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const struct {
    std::string path;
    std::uint64_t limit;
    ReadResult result;
    std::size_t bytes;
  } cases[] = {
      {ten, 10, ReadResult::done, 10},
      {ten, 9, ReadResult::tooLarge, 0},
      {folder.path() + "empty", 10, ReadResult::done, 0},
      {folder.path() + "absent", 10, ReadResult::missing, 0},
      {folder.path(), 10, ReadResult::notRegular, 0},
      {pipe, 10, ReadResult::notRegular, 0}, // at once: no writer is waited for
      {"/dev/zero", 10, ReadResult::notRegular, 0},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> bytes;
    std::uint64_t size = 0;
    EXPECT_EQ(readRegularFile(c.path, c.limit, bytes, size), c.result) << c.path;
    EXPECT_EQ(bytes.size(), c.bytes) << c.path;
  }
}

TEST(QuiztoolFiles, TellsFilesApartByIdentity) {
  TempFolder folder;
  ASSERT_TRUE(folder.ok());
  const std::string a = folder.write("a", "same"), b = folder.write("b", "same");
  ASSERT_EQ(link(a.c_str(), (folder.path() + "link").c_str()), 0);
  EXPECT_TRUE(sameFile(a, folder.path() + "./a"));
  EXPECT_TRUE(sameFile(a, folder.path() + "link"));
  EXPECT_FALSE(sameFile(a, b)); // the same bytes, another file
  EXPECT_FALSE(sameFile(a, folder.path() + "absent"));
  EXPECT_EQ(replaceRefusal(a), "");
  EXPECT_EQ(replaceRefusal(folder.path() + "absent"), "");
  EXPECT_EQ(replaceRefusal(folder.path()), "is a folder");
  EXPECT_EQ(replaceRefusal("/dev/null"), "is not a regular file (a device or a pipe)");
  ASSERT_EQ(chmod(b.c_str(), 0444), 0);
  EXPECT_EQ(replaceRefusal(b), "is read-only");
}

} // namespace
