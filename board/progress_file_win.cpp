#include "board/progress_file_win.h"

#include "ids/control_ids.h"

namespace {

// Writes the lines of every answer box into `file`; false at the first write that fails, and
// at the first box that does not exist: an empty line written for it would wipe its answer.
bool writeAnswerLines(const QuizState& quiz, HANDLE file) {
  const int answers = quiz.questionCount * quiz.answersPerQuestion;
  for (int i = 1; i <= answers; ++i) {
    HWND box = GetDlgItem(quiz.boardWindow, answerBoxBase + i);
    if (!box) return false;
    char text[textCapacity];
    GetWindowTextA(box, text, sizeof text);
    char line[progressLineCapacity];
    const DWORD length = static_cast<DWORD>(formatProgressLine(text, line));
    DWORD written = 0;
    if (!WriteFile(file, line, length, &written, nullptr) || written != length) return false;
  }
  return true;
}

} // namespace

void progressFileName(char (&name)[textCapacity]) {
  char path[textCapacity] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  progressFileNameFromPath(path, name);
}

void saveProgress(const QuizState& quiz) {
  // Without the board (a close request handled after the board was destroyed) there is nothing
  // to read the answers from, and the file keeps what the last save wrote.
  if (!quiz.boardWindow || !IsWindow(quiz.boardWindow)) return;
  char name[textCapacity], temporary[textCapacity + 4];
  progressFileName(name);
  wsprintfA(temporary, "%s.new", name);
  HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const bool written = writeAnswerLines(quiz, file);
  const bool closed = CloseHandle(file) != 0;
  if (!written || !closed ||
      !MoveFileExA(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    DeleteFileA(temporary);
}

void openProgress(ProgressReader& reader) {
  reader = {INVALID_HANDLE_VALUE, nullptr, nullptr, {nullptr, 0, 0}};
  char name[textCapacity];
  progressFileName(name);
  reader.file =
      CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (reader.file == INVALID_HANDLE_VALUE) return;
  const DWORD size = GetFileSize(reader.file, nullptr);
  reader.mapping = CreateFileMappingA(reader.file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (reader.mapping) reader.view = MapViewOfFile(reader.mapping, FILE_MAP_READ, 0, 0, 0);
  if (!reader.view || size == INVALID_FILE_SIZE) {
    // An empty file cannot be mapped: like no file at all.
    closeProgress(reader);
    return;
  }
  reader.lines = {static_cast<const std::uint8_t*>(reader.view), size, 0};
}

void nextProgressLine(ProgressReader& reader, char (&text)[textCapacity]) {
  nextProgressLine(reader.lines, text);
}

void closeProgress(ProgressReader& reader) {
  if (reader.view) UnmapViewOfFile(reader.view);
  if (reader.mapping) CloseHandle(reader.mapping);
  if (reader.file != INVALID_HANDLE_VALUE) CloseHandle(reader.file);
  reader = {INVALID_HANDLE_VALUE, nullptr, nullptr, {nullptr, 0, 0}};
}
