// Whole files read and written, a write going through a temporary file beside the target.
#include "tools/quiztool/platform/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/platform/platform.h"

std::string megabytes(std::uint64_t bytes) {
  return say(Msg::megabytes, {std::to_string((bytes + (1u << 20) - 1) >> 20)});
}

ReadResult readRegularFile(const std::string& path, std::uint64_t limit,
                           std::vector<std::uint8_t>& bytes, std::uint64_t& size) {
  bytes.clear();
  FileKind kind = FileKind::missing;
  std::FILE* file = openRegularFile(path, kind, size);
  if (!file) {
    if (kind == FileKind::missing) return ReadResult::missing;
    return kind == FileKind::regular ? ReadResult::unreadable : ReadResult::notRegular;
  }
  if (size > limit) {
    std::fclose(file);
    return ReadResult::tooLarge;
  }
  // Never more than the limit, even when the file grows while it is read.
  bytes.resize(static_cast<std::size_t>(size) + 1);
  std::size_t got = 0;
  while (got < bytes.size()) {
    const std::size_t more = std::fread(bytes.data() + got, 1, bytes.size() - got, file);
    if (more == 0) break;
    got += more;
    if (got == bytes.size() && got <= limit)
      bytes.resize(std::min<std::uint64_t>(got * 2, limit + 1));
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  bytes.resize(got);
  if (failed) return ReadResult::unreadable;
  if (got <= limit) return ReadResult::done;
  size = got;
  bytes.clear();
  return ReadResult::tooLarge;
}

namespace {

void printLine(const std::string& line) {
  std::fprintf(stderr, "%s\n", line.c_str());
}

} // namespace

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::uint64_t limit,
                   Msg what) {
  std::uint64_t size = 0;
  switch (readRegularFile(path, limit, bytes, size)) {
  case ReadResult::done: return true;
  case ReadResult::missing: printLine(say(Msg::fileNoSuchFile, {path})); break;
  case ReadResult::notRegular:
    printLine(
        say(Msg::fileNotRegularName,
            {path, say(fileKind(path) == FileKind::folder ? Msg::fileIsFolder : Msg::fileIsDevice),
             say(what)}));
    break;
  case ReadResult::tooLarge:
    printLine(say(Msg::fileTooLarge, {path, megabytes(size), say(what), megabytes(limit)}));
    break;
  case ReadResult::unreadable: printLine(say(Msg::fileUnreadable, {path})); break;
  }
  return false;
}

std::string replaceRefusal(const std::string& path) {
  switch (fileKind(path)) {
  case FileKind::missing: return "";
  case FileKind::folder: return say(Msg::fileIsFolder);
  case FileKind::other: return say(Msg::fileIsDevice);
  case FileKind::regular: break;
  }
  return isReadOnly(path) ? say(Msg::fileIsReadOnly) : "";
}

bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string refusal = replaceRefusal(path);
  if (!refusal.empty()) {
    printLine(say(Msg::fileWriteRefused, {path, refusal}));
    return false;
  }
  // A name beside the target that no file has yet, so that no other file is overwritten.
  std::string temporary = path + ".partial";
  for (int n = 2; fileKind(temporary) != FileKind::missing; ++n)
    temporary = path + ".partial" + std::to_string(n);
  std::FILE* file = openFile(temporary, "wb");
  if (!file) {
    printLine(say(Msg::fileCannotCreate, {temporary, std::strerror(errno)}));
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fclose(file) == 0 && ok;
  if (ok && renameFile(temporary, path)) return true;
  printLine(say(Msg::fileCannotWrite, {path, std::strerror(errno)}));
  removeFile(temporary);
  return false;
}
