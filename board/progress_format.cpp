#include "board/progress_format.h"

#include <cstring>

namespace {

constexpr std::uint8_t carriageReturn = 13;
constexpr std::uint8_t lineFeed = 10;
constexpr char nameEnding[] = "txt";
constexpr std::size_t endingLength = sizeof nameEnding - 1;

} // namespace

void progressFileNameFromPath(const char* modulePath, char (&name)[textCapacity]) {
  const char* lastBackslash = std::strrchr(modulePath, '\\');
  copyText(name, lastBackslash ? lastBackslash + 1 : modulePath);
  const std::size_t length = std::strlen(name);
  // Too short to lose three characters: keep what there is rather than write before the name.
  const std::size_t kept = length < endingLength ? length : length - endingLength;
  std::memcpy(name + kept, nameEnding, sizeof nameEnding);
}

void nextProgressLine(ProgressLines& lines, char (&text)[textCapacity]) {
  std::size_t length = 0;
  while (lines.position < lines.size && lines.bytes[lines.position] != carriageReturn) {
    if (length < static_cast<std::size_t>(maxTextLength))
      text[length++] = static_cast<char>(lines.bytes[lines.position]);
    ++lines.position;
  }
  text[length] = '\0';
  while (lines.position < lines.size && lines.bytes[lines.position] != lineFeed) ++lines.position;
  // Past the LF. At the end the position stays at size, which reads the same (every further
  // line is empty) and can never wrap around.
  if (lines.position < lines.size) ++lines.position;
}

std::size_t formatProgressLine(const char* boxText, char (&line)[progressLineCapacity]) {
  const std::size_t length = strnlen(boxText, maxTextLength);
  std::memcpy(line, boxText, length);
  line[length] = static_cast<char>(carriageReturn);
  line[length + 1] = static_cast<char>(lineFeed);
  line[length + 2] = '\0';
  return length + 2;
}
