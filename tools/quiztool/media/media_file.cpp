// Pictures and clips read from their files within a size limit, and the messages they share.
#include "tools/quiztool/media/media_file.h"

#include "tools/quiztool/messages/messages.h"

std::string cutShort(MediaKind kind) {
  return say(kind == MediaKind::picture ? Msg::pictureCutShort : Msg::clipCutShort);
}

bool readMediaFile(const std::string& path, std::uintmax_t limit, std::vector<std::uint8_t>& bytes,
                   std::string& problem) {
  std::uint64_t size = 0;
  switch (readRegularFile(path, limit, bytes, size)) {
  case ReadResult::done: break;
  case ReadResult::missing: problem = say(Msg::mediaNotThere); return false;
  case ReadResult::notRegular: problem = say(Msg::mediaNotRegular); return false;
  case ReadResult::tooLarge:
    problem = say(Msg::mediaTooLarge, {megabytes(size), megabytes(limit)});
    return false;
  case ReadResult::unreadable: problem = say(Msg::mediaUnreadable); return false;
  }
  if (bytes.empty()) {
    problem = say(Msg::mediaEmpty);
    return false;
  }
  return true;
}
