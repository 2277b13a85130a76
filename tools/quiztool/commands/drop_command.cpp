// A file dropped on quiztool.exe: Windows starts the program with the file as its only
// argument, in a console window of its own that closes as soon as the program ends (main then
// waits for a key). Notepad may have saved the quiz as "my-quiz.quiz.txt", or the teacher may
// drop a picture or a packed quiz by mistake: the file's content decides, not its name.
#include <cstdio>
#include <cstring>

#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/executable/quiz_packer.h"
#include "tools/quiztool/platform/file_io.h"
#include "tools/quiztool/platform/platform.h"
#include "tools/quiztool/quizfile/codepage.h"
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

bool startsWith(const std::vector<std::uint8_t>& bytes, std::size_t at, const char* signature) {
  const std::size_t length = std::strlen(signature);
  return bytes.size() >= at + length && std::memcmp(bytes.data() + at, signature, length) == 0;
}

// A Windows program holding a quiz's content resource: what pack made.
bool isPackedQuiz(std::vector<std::uint8_t> bytes) {
  PeImage image;
  ResourceTree tree;
  std::string error;
  return parsePeImage(std::move(bytes), image, error) && readResourceTree(image, tree, error) &&
         findResource(tree, patchType(), ResourceName::number(answersId));
}

// What a file that is not a quiz file is, by its first bytes.
std::string kindOfFile(const std::vector<std::uint8_t>& bytes) {
  static const struct {
    std::size_t at;
    const char* signature;
    const char* name;
  } known[] = {
      {0, "\xFF\xD8\xFF", "a JPEG picture"},
      {0, "\x89PNG", "a PNG picture"},
      {0, "GIF8", "a GIF picture"},
      {0, "BM", "a BMP picture"},
      {0, "RIFF", "a sound or a video (WAV or AVI)"},
      {0, "ID3", "an MP3 sound"},
      {4, "ftyp", "a video (MP4)"},
      {0, "%PDF", "a PDF document"},
      {0, "{\\rtf", "a WordPad or Word document (RTF)"},
      {0, "PK\x03\x04", "a Word or LibreOffice document, or another zipped file"},
      {0, "\xD0\xCF\x11\xE0", "a Word document (.doc) or another Office file"},
      {0, "MZ", "a Windows program"},
  };
  for (const auto& k : known)
    if (startsWith(bytes, k.at, k.signature)) return k.name;
  if (bytes.empty()) return "an empty file";
  if (firstNonUtf8(std::string(bytes.begin(), bytes.end())) != std::string::npos ||
      std::memchr(bytes.data(), 0, bytes.size()))
    return "not a text file";
  return "a text file with no quiz key in it (such as \"question:\")";
}

// Empty when the dropped file reads as a quiz file; otherwise the sentence that says what it is
// and what to drop instead.
std::string notAQuiz(const std::string& path) {
  const std::string dropInstead =
      ", not a quiz file: drop the quiz file instead, the text you wrote in Notepad, with lines "
      "such as \"question: ...\" (LISEZ-MOI.txt shows how to write one).";
  std::vector<std::uint8_t> bytes;
  std::uint64_t size = 0;
  switch (readRegularFile(path, maxExecutableBytes, bytes, size)) {
  case ReadResult::done: break;
  case ReadResult::missing: return path + " is not there any more: drop it again.";
  case ReadResult::notRegular:
    return path + (fileKind(path) == FileKind::folder ? " is a folder" : " is a device or a pipe") +
           dropInstead;
  case ReadResult::tooLarge: return path + " is " + megabytes(size) + dropInstead;
  case ReadResult::unreadable:
    return path + " cannot be read: is it open in another program? Close it and drop it again.";
  }
  if (readsAsQuiz(bytes)) return "";
  if (startsWith(bytes, 0, "MZ") && isPackedQuiz(std::move(bytes)))
    return path + " is a packed quiz, the program students start: drop the quiz file it was "
                  "made from (quiztool unpack gives it back).";
  return path + " is " + kindOfFile(bytes) + dropInstead;
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
    std::printf("%s packed into %s\n", dropped.c_str(), executable.c_str());
  else
    std::fprintf(stderr, "%s was not packed.\n", dropped.c_str());
  return result;
}
