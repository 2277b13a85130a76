// quiztool pack: a quiz file into a copy of the player.
#include <cstdio>
#include <cstring>

#include "tools/quiztool/commands.h"
#include "tools/quiztool/file_io.h"
#include "tools/quiztool/platform.h"
#include "tools/quiztool/quiz_packer.h"

namespace {

bool loadPlayer(const std::string& path, PeImage& image) {
  std::vector<std::uint8_t> bytes;
  if (!readWholeFile(path, bytes)) {
    std::fprintf(stderr, "pack: cannot read the player %s (build it, or name it with --player)\n",
                 path.c_str());
    return false;
  }
  std::string error;
  if (parsePeImage(std::move(bytes), image, error)) return true;
  std::fprintf(stderr, "pack: %s: %s\n", path.c_str(), error.c_str());
  return false;
}

} // namespace

int runPack(int argc, char** argv) {
  std::string player = defaultPlayerPath();
  if (argc == 4 && std::strcmp(argv[2], "--player") == 0) {
    player = argv[3];
  } else if (argc != 2) {
    std::fprintf(stderr, "usage: quiztool pack QUIZFILE OUT.exe [--player PLAYER.exe]\n");
    return 2;
  }
  PeImage image;
  if (!loadPlayer(player, image)) return 1;
  SettingsBlock settings;
  QuizDefinition quiz;
  std::string error;
  if (!readSettingsBlock(image, settings, error) ||
      !parseQuizFile(argv[0], settings, quiz, error) || !packQuiz(quiz, image, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return writeWholeFile(argv[1], image.bytes) ? 0 : 1;
}
