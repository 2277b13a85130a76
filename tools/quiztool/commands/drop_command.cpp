// A file dropped on quiztool.exe: Windows starts the program with the file as its only
// argument, in a console window of its own that closes as soon as the program ends (main then
// waits for a key). Notepad may have saved the quiz as "my-quiz.quiz.txt", or the teacher may
// drop a picture or a packed quiz by mistake: the file's content decides, not its name.
#include <cstdio>

#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/executable/quiz_packer.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/platform/file_io.h"
#include "tools/quiztool/platform/platform.h"
#include "tools/quiztool/quizfile/codepage.h"
#include "tools/quiztool/quizfile/file_kinds.h"
#include "tools/quiztool/quizfile/quiz_keys.h"

namespace {

constexpr std::size_t sniffedBytes = 65536; // enough for the comments above a quiz's first key

// A line "key: value" whose key a quiz file has.
bool isKeyLine(const std::string& line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos) return false;
  const std::size_t first = line.find_first_not_of(" \t");
  const std::size_t last = line.find_last_not_of(" \t", colon - 1);
  return first < colon && last != std::string::npos &&
         findQuizKey(lowerCase(line.substr(first, last - first + 1))) != nullptr;
}

// A text with a quiz file's key lines. UTF-16 text (Notepad's "Unicode") counts too, read as
// its ASCII letters: packing it then says how to save it as UTF-8.
bool readsAsQuiz(const std::vector<std::uint8_t>& bytes) {
  std::string text(bytes.begin(), bytes.begin() + std::min(bytes.size(), sniffedBytes));
  const bool utf16 = text.rfind("\xFF\xFE", 0) == 0 || text.rfind("\xFE\xFF", 0) == 0;
  if (utf16) std::erase(text, '\0');
  if (text.find('\0') != std::string::npos) return false;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    if (isKeyLine(text.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

// A Windows program holding a quiz's content resource: what pack made.
bool isPackedQuiz(std::vector<std::uint8_t> bytes) {
  PeImage image;
  ResourceTree tree;
  std::string error;
  return parsePeImage(std::move(bytes), image, error) && readResourceTree(image, tree, error) &&
         findResource(tree, patchType(), ResourceName::number(answersId));
}

// What a file that is not a quiz file is: the kinds a quiz file's reader names too, by their
// first bytes, else whether it is text at all.
std::string kindOfFile(const std::vector<std::uint8_t>& bytes) {
  const std::string text(bytes.begin(), bytes.end());
  Msg kind = Msg::kindBinary;
  if (knownFileKind(text, kind)) return say(kind);
  if (bytes.empty()) return say(Msg::kindEmptyFile);
  if (firstNonUtf8(text) != std::string::npos || text.find('\0') != std::string::npos)
    return say(Msg::kindNotText);
  return say(Msg::kindTextWithoutKeys);
}

// Empty when the dropped file reads as a quiz file; otherwise the sentence that says what it is
// and what to drop instead.
std::string notAQuiz(const std::string& path) {
  const std::string dropInstead = say(Msg::dropNotAQuiz);
  std::vector<std::uint8_t> bytes;
  std::uint64_t size = 0;
  switch (readRegularFile(path, maxExecutableBytes, bytes, size)) {
  case ReadResult::done: break;
  case ReadResult::missing: return say(Msg::dropGone, {path});
  case ReadResult::notRegular:
    return say(fileKind(path) == FileKind::folder ? Msg::dropFolder : Msg::dropDevice,
               {path, dropInstead});
  case ReadResult::tooLarge: return say(Msg::dropTooLarge, {path, megabytes(size), dropInstead});
  case ReadResult::unreadable: return say(Msg::dropUnreadable, {path});
  }
  if (readsAsQuiz(bytes)) return "";
  if (bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z' && isPackedQuiz(bytes))
    return say(Msg::dropPackedQuiz, {path});
  return say(Msg::dropIsKind, {path, kindOfFile(bytes), dropInstead});
}

} // namespace

bool isQuizFileName(const std::string& argument) {
  const std::string extension = ".quiz";
  return argument.size() > extension.size() &&
         lowerCase(argument.substr(argument.size() - extension.size())) == extension;
}

int runDrop(const std::string& dropped) {
  if (!isQuizFileName(dropped)) {
    const std::string refusal = notAQuiz(dropped);
    if (!refusal.empty()) {
      std::fprintf(stderr, "%s\n", refusal.c_str());
      return 1;
    }
  }
  std::string quiz = dropped;
  std::string executable = executableBeside(dropped);
  char* arguments[] = {quiz.data(), executable.data(), nullptr};
  const int result = runPack(2, arguments);
  if (result == 0)
    std::printf("%s\n", say(Msg::dropPacked, {dropped, executable}).c_str());
  else
    std::fprintf(stderr, "%s\n", say(Msg::dropNotPacked, {dropped}).c_str());
  return result;
}
