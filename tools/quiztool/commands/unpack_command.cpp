// quiztool unpack: a quiz executable back into a quiz file and its media, ready to edit and pack.
#include <cstdio>

#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/executable/quiz_unpacker.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/platform/file_io.h"
#include "tools/quiztool/platform/platform.h"
#include "tools/quiztool/quizfile/quiz_file.h"

namespace {

// "C:\quiz\Capitales.exe" → "Capitales".
std::string baseName(const std::string& path) {
  std::size_t start = path.size();
  while (start > 0 && !isSeparator(path[start - 1])) --start;
  std::string name = path.substr(start);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name.empty() ? "quiz" : name;
}

std::string inFolder(const std::string& folder, const std::string& name) {
  return folder.empty() || isSeparator(folder.back()) ? folder + name : folder + "/" + name;
}

void removeAll(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) removeFile(path);
}

// Unpacking never replaces a file: an edited quiz in the same folder stays as it is.
bool noneExists(const std::string& folder, const std::vector<UnpackedFile>& files) {
  for (const UnpackedFile& file : files) {
    const std::string path = inFolder(folder, file.name);
    if (fileKind(path) != FileKind::missing) { // not opened: a pipe would wait for a writer
      std::fprintf(stderr, "%s\n", say(Msg::unpackExists, {path}).c_str());
      return false;
    }
  }
  return true;
}

// Writes every file, or none: what was written is removed again when a write fails.
bool writeAll(const std::string& folder, const std::vector<UnpackedFile>& files,
              std::vector<std::string>& written) {
  for (const UnpackedFile& file : files) {
    const std::string path = inFolder(folder, file.name);
    if (!writeWholeFile(path, file.bytes)) {
      removeAll(written);
      return false;
    }
    written.push_back(path);
  }
  return true;
}

} // namespace

int runUnpack(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "%s\n", say(Msg::usage, {unpackUsage}).c_str());
    return 2;
  }
  const std::string executable = argv[0], folder = argv[1];
  std::vector<std::uint8_t> bytes;
  std::vector<UnpackedFile> files;
  std::string error;
  if (!readWholeFile(executable, bytes, maxExecutableBytes, Msg::whatQuizExecutable)) return 1;
  if (!unpackQuiz(std::move(bytes), baseName(executable), files, error)) {
    std::fprintf(stderr, "%s: %s\n", executable.c_str(), error.c_str());
    return 1;
  }
  if (!makeFolders(folder)) {
    std::fprintf(stderr, "%s\n", say(Msg::unpackNoFolder, {folder}).c_str());
    return 1;
  }
  std::vector<std::string> written;
  if (!noneExists(folder, files) || !writeAll(folder, files, written)) return 1;
  // What pack will say of the quiz file is said now, while the executable is at hand.
  QuizDefinition quiz;
  Faults faults;
  if (!parseQuizFile(written.front(), defaultSettings, quiz, faults)) {
    removeAll(written);
    std::fprintf(stderr, "%s\n", say(Msg::unpackCannotWrite, {executable, joined(faults)}).c_str());
    return 1;
  }
  std::printf("%s: %s, %s\n", written.front().c_str(),
              counted(quiz.questions.size(), Msg::questionsOne, Msg::questionsMany).c_str(),
              counted(files.size() - 1, Msg::mediaFilesOne, Msg::mediaFilesMany).c_str());
  return 0;
}
