// The player that pack writes into, read from its file, and the settings a quiz starts from.
#include "tools/quiztool/executable/player_file.h"

#include <cstdio>

#include "tools/quiztool/executable/quiz_packer.h"
#include "tools/quiztool/messages/messages.h"
#include "tools/quiztool/platform/file_io.h"

bool loadPlayer(const std::string& path, PeImage& image, bool quiet) {
  std::vector<std::uint8_t> bytes;
  std::uint64_t size = 0;
  if (readRegularFile(path, maxExecutableBytes, bytes, size) != ReadResult::done) {
    if (!quiet) std::fprintf(stderr, "%s\n", say(Msg::playerUnreadable, {path}).c_str());
    return false;
  }
  std::string message;
  if (parsePeImage(std::move(bytes), image, message)) return true;
  if (!quiet) std::fprintf(stderr, "pack: %s: %s\n", path.c_str(), message.c_str());
  return false;
}

SettingsBlock startingSettings(const PeImage* player) {
  SettingsBlock settings = defaultSettings;
  std::string ignored;
  if (player && !readSettingsBlock(*player, settings, ignored)) settings = defaultSettings;
  return settings;
}
