// Pictures and clips read from their files within a size limit, and the messages they share.
#include "tools/quiztool/media/media_file.h"

#include <filesystem>
#include <fstream>

#include "tools/quiztool/messages/messages.h"

namespace fs = std::filesystem;

std::string cutShort(MediaKind kind) {
  return say(kind == MediaKind::picture ? Msg::pictureCutShort : Msg::clipCutShort);
}

std::string megabytes(std::uintmax_t bytes) {
  return say(Msg::megabytes, {std::to_string((bytes + (1u << 20) - 1) >> 20)});
}

bool readMediaFile(const std::string& path, std::uintmax_t limit, std::vector<std::uint8_t>& bytes,
                   std::string& problem) {
  bytes.clear();
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) {
    problem = say(Msg::mediaNotThere);
    return false;
  }
  if (!fs::is_regular_file(status)) {
    problem = say(Msg::mediaNotRegular);
    return false;
  }
  const std::uintmax_t size = fs::file_size(path, error);
  if (!error && size > limit) {
    problem = say(Msg::mediaTooLarge, {megabytes(size), megabytes(limit)});
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    problem = say(Msg::mediaUnreadable);
    return false;
  }
  // Never more than the limit, even when the file grows while it is read.
  bytes.resize(static_cast<std::size_t>(error ? limit + 1 : std::min(size, limit) + 1));
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  if (file.bad() || bytes.size() > limit) {
    problem = file.bad() ? say(Msg::mediaReadFailed) : say(Msg::mediaGrew, {megabytes(limit)});
    return false;
  }
  if (bytes.empty()) {
    problem = say(Msg::mediaEmpty);
    return false;
  }
  return true;
}
