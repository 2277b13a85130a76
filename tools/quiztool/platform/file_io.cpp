// Whole files read and written, a write going through a temporary file beside the target.
#include "tools/quiztool/platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/quiztool/platform/platform.h"

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  std::FILE* file = openFile(path, "rb");
  if (!file) {
    std::fprintf(stderr, "%s: cannot open: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  std::uint8_t buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
    bytes.insert(bytes.end(), buffer, buffer + got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) std::fprintf(stderr, "%s: cannot read\n", path.c_str());
  return !failed;
}

bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  // A name beside the target that no file has yet, so that no other file is overwritten.
  std::string temporary = path + ".partial";
  for (int n = 2; std::FILE* existing = openFile(temporary, "rb"); ++n) {
    std::fclose(existing);
    temporary = path + ".partial" + std::to_string(n);
  }
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
