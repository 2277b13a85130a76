// Pictures and clips read from their files within a size limit, and the messages they share.
#include "tools/quiztool/media/media_file.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

const char* cutShort(MediaKind kind) {
  return kind == MediaKind::picture
             ? "is cut short: its header is incomplete; save or copy it again"
             : "is cut short: its header is incomplete; export or copy it again";
}

std::string megabytes(std::uintmax_t bytes) {
  return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB";
}

bool readMediaFile(const std::string& path, std::uintmax_t limit, std::vector<std::uint8_t>& bytes,
                   std::string& problem) {
  bytes.clear();
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) {
    problem = "does not exist (names are relative to the quiz file)";
    return false;
  }
  if (!fs::is_regular_file(status)) {
    problem = "is not a regular file (a folder, a device or a pipe): name a picture or clip file";
    return false;
  }
  const std::uintmax_t size = fs::file_size(path, error);
  if (!error && size > limit) {
    problem = "is " + megabytes(size) + "; at most " + megabytes(limit) +
              " fit in a quiz: make it smaller or shorter";
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    problem = "cannot be read (is it readable?)";
    return false;
  }
  // Never more than the limit, even when the file grows while it is read.
  bytes.resize(static_cast<std::size_t>(error ? limit + 1 : std::min(size, limit) + 1));
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  if (file.bad() || bytes.size() > limit) {
    problem = file.bad() ? "cannot be read" : "is larger than " + megabytes(limit);
    return false;
  }
  if (bytes.empty()) {
    problem = "is empty";
    return false;
  }
  return true;
}
