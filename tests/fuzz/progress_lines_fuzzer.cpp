// Any bytes as a progress file: every line is the bytes up to its CR, cut to 259, the reader
// stays within the bytes and comes to the end.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "board/progress_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ProgressLines lines{data, static_cast<std::uint32_t>(size), 0};
  // Each line with bytes left takes at least one of them; two more reads see the empty end.
  for (std::size_t read = 0; read < size + 2; ++read) {
    const std::uint32_t start = lines.position;
    char text[textCapacity];
    nextProgressLine(lines, text);
    if (lines.position > lines.size + std::uint64_t{1}) __builtin_trap();
    if (start < lines.size && lines.position <= start) __builtin_trap();
    // The expected text: the bytes from the line's start to its CR or the end, cut to 259.
    const std::uint32_t left = start < lines.size ? lines.size - start : 0;
    const void* cr = left ? std::memchr(data + start, '\r', left) : nullptr;
    std::size_t length = cr ? static_cast<const std::uint8_t*>(cr) - (data + start) : left;
    if (length > static_cast<std::size_t>(maxTextLength)) length = maxTextLength;
    if ((length && std::memcmp(text, data + start, length) != 0) || text[length] != '\0')
      __builtin_trap();
  }
  if (lines.position < lines.size) __builtin_trap(); // every byte used up
  return 0;
}
