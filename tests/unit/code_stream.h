#pragma once

#include <cstdint>
#include <vector>

// Writes content-coded streams code by code, for tests that need streams the encoder would
// never write. Codes are packed most significant bit first; finish() adds the zero fill.
struct CodeStream {
  std::vector<std::uint8_t> bytes;
  std::uint64_t bits = 0;
  int count = 0;
  int width = 9;

  CodeStream& put(unsigned code) {
    bits = bits << width | code;
    count += width;
    while (count >= 8) {
      count -= 8;
      bytes.push_back(static_cast<std::uint8_t>(bits >> count));
    }
    return *this;
  }
  // Sends 257 first whenever the code needs a wider width.
  CodeStream& putWidening(unsigned code) {
    while (code >> width != 0) widen();
    return put(code);
  }
  CodeStream& widen() {
    put(257);
    ++width;
    return *this;
  }
  CodeStream& clear() {
    put(258);
    width = 9;
    return *this;
  }
  std::vector<std::uint8_t> finish() {
    if (count > 0) {
      bits <<= 8 - count;
      bytes.push_back(static_cast<std::uint8_t>(bits));
      count = 0;
    }
    return bytes;
  }
};
