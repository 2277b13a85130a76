#include "media/media_type.h"

const char* mediaExtension(const std::uint8_t* data, std::size_t size) {
  const auto byteAt = [&](std::size_t i) -> std::uint8_t { return i < size ? data[i] : 0; };
  const std::uint8_t first = byteAt(0), second = byteAt(1), ninth = byteAt(8);
  switch (first) {
  case 'I': return "MP3"; // an ID3 tag
  case 0xFF:              // an MPEG frame sync
    if (second == 0xF3) return "MP3";
    if (second == 0x00) return "MPG";
    return "XXX";
  case '0': return "WMV"; // the first byte of the ASF header's GUID
  case 'R':               // RIFF, then the form type at offset 8
    if (ninth == 'A') return "AVI";
    if (ninth == 'W') return "WAV";
    return "XXX";
  case 0x00: return ninth == 'A' || ninth == 'W' ? "AVI" : "XXX";
  }
  return "XXX";
}
