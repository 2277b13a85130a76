// Pictures and clips read from their files within a size limit, and the messages they share.
#include "tools/quiztool/media/media_file.h"

const char* cutShort(MediaKind kind) {
  return kind == MediaKind::picture
             ? "is cut short: its header is incomplete; save or copy it again"
             : "is cut short: its header is incomplete; export or copy it again";
}

bool readMediaFile(const std::string& path, std::uintmax_t limit, std::vector<std::uint8_t>& bytes,
                   std::string& problem) {
  std::uint64_t size = 0;
  switch (readRegularFile(path, limit, bytes, size)) {
  case ReadResult::done: break;
  case ReadResult::missing:
    problem = "does not exist (names are relative to the quiz file)";
    return false;
  case ReadResult::notRegular:
    problem = "is not a regular file (a folder, a device or a pipe): name a picture or clip file";
    return false;
  case ReadResult::tooLarge:
    problem = "is " + megabytes(size) + "; at most " + megabytes(limit) +
              " fit in a quiz: make it smaller or shorter";
    return false;
  case ReadResult::unreadable: problem = "cannot be read (is it readable?)"; return false;
  }
  if (bytes.empty()) {
    problem = "is empty";
    return false;
  }
  return true;
}
