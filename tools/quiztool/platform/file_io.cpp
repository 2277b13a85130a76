// Whole files read and written, a write going through a temporary file beside the target.
#include "tools/quiztool/platform/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/quiztool/platform/platform.h"

std::string megabytes(std::uint64_t bytes) {
  return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB";
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

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::uint64_t limit,
                   const char* what) {
  std::uint64_t size = 0;
  switch (readRegularFile(path, limit, bytes, size)) {
  case ReadResult::done: return true;
  case ReadResult::missing:
    std::fprintf(stderr, "%s: cannot open: there is no such file\n", path.c_str());
    break;
  case ReadResult::notRegular:
    std::fprintf(stderr, "%s: %s: name %s\n", path.c_str(),
                 fileKind(path) == FileKind::folder ? "is a folder"
                                                    : "is not a regular file (a device or a pipe)",
                 what);
    break;
  case ReadResult::tooLarge:
    std::fprintf(stderr, "%s: is %s; %s is at most %s: is it the right file?\n", path.c_str(),
                 megabytes(size).c_str(), what, megabytes(limit).c_str());
    break;
  case ReadResult::unreadable:
    std::fprintf(stderr, "%s: cannot read it (is it yours to read, or open in another program?)\n",
                 path.c_str());
    break;
  }
  return false;
}

std::string replaceRefusal(const std::string& path) {
  switch (fileKind(path)) {
  case FileKind::missing: return "";
  case FileKind::folder: return "is a folder";
  case FileKind::other: return "is not a regular file (a device or a pipe)";
  case FileKind::regular: break;
  }
  return isReadOnly(path) ? "is read-only" : "";
}

bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string refusal = replaceRefusal(path);
  if (!refusal.empty()) {
    std::fprintf(stderr, "%s %s: nothing was written\n", path.c_str(), refusal.c_str());
    return false;
  }
  // A name beside the target that no file has yet, so that no other file is overwritten.
  std::string temporary = path + ".partial";
  for (int n = 2; fileKind(temporary) != FileKind::missing; ++n)
    temporary = path + ".partial" + std::to_string(n);
  std::FILE* file = openFile(temporary, "wb");
  if (!file) {
    std::fprintf(stderr, "%s: cannot create: %s\n", temporary.c_str(), std::strerror(errno));
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fclose(file) == 0 && ok;
  if (ok && renameFile(temporary, path)) return true;
  std::fprintf(stderr, "%s: cannot write: %s\n", path.c_str(), std::strerror(errno));
  removeFile(temporary);
  return false;
}
