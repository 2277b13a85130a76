#pragma once

#include <cstdint>

#include "pictures/png/png_bit_input.h"

// Canonical Huffman codes as DEFLATE uses them: given each symbol's code length, the codes of
// one length are consecutive values in symbol order, and the first code of a length follows on
// from the last code of the length before, shifted left by one. Codes are sent most significant
// bit first. Reading a code one bit at a time, the bits so far are a code of the current length
// when their value is below that length's first code plus its count, and the symbol is then at
// a fixed offset in the symbol list sorted by length; otherwise they begin a longer code. No
// lookup tables: two small arrays per length and the sorted symbols.

constexpr int maxCodeBits = 15;
constexpr int maxCodeSymbols = 288;

struct PngHuffmanCode {
  std::int32_t limit[maxCodeBits + 1];   // first code of each length plus its count
  std::int32_t offset[maxCodeBits + 1];  // symbols index of a length's code 0 (may be < 0)
  std::uint16_t symbols[maxCodeSymbols]; // symbols sorted by code length, then value
  std::uint16_t codesOfLength1;          // how many symbols have a code of length 1
  std::uint16_t codedSymbols;            // how many symbols have a code at all
};

// Builds the code of `count` symbols (at most maxCodeSymbols) from their lengths (0: no code,
// at most maxCodeBits). Returns 0 for a complete code, the number of unused codes of the
// longest length (> 0) for an incomplete one, and -1 for an over-subscribed one (lengths that
// no prefix code can have).
constexpr int buildPngHuffmanCode(PngHuffmanCode& code, const std::uint8_t* lengths, int count) {
  std::uint16_t perLength[maxCodeBits + 1] = {};
  for (int symbol = 0; symbol < count; ++symbol) ++perLength[lengths[symbol]];
  int left = 1; // codes still free at the current length
  for (int len = 1; len <= maxCodeBits; ++len) {
    left = left * 2 - perLength[len];
    if (left < 0) return -1;
  }
  std::uint16_t next[maxCodeBits + 2] = {};
  for (int len = 1; len <= maxCodeBits; ++len) next[len + 1] = next[len] + perLength[len];
  for (int symbol = 0; symbol < count; ++symbol) {
    if (lengths[symbol] != 0) code.symbols[next[lengths[symbol]]++] = std::uint16_t(symbol);
  }
  std::int32_t first = 0;
  std::int32_t index = 0;
  code.limit[0] = code.offset[0] = 0;
  for (int len = 1; len <= maxCodeBits; ++len) {
    code.limit[len] = first + perLength[len];
    code.offset[len] = index - first;
    index += perLength[len];
    first = (first + perLength[len]) * 2;
  }
  code.codesOfLength1 = perLength[1];
  code.codedSymbols = std::uint16_t(count - perLength[0]);
  return left;
}

// The next symbol, or -1 when no code matches or the input ends inside the code.
inline int decodePngSymbol(PngBitInput& input, const PngHuffmanCode& code) {
  if (input.count < maxCodeBits) refillPngBits(input);
  std::uint64_t bits = input.bits;
  std::int32_t value = 0;
#pragma GCC unroll 15
  for (int len = 1; len <= maxCodeBits; ++len) {
    value |= static_cast<std::int32_t>(bits & 1);
    bits >>= 1;
    if (value < code.limit[len]) {
      if (len > input.count) return -1; // the bits past the end are not input
      input.bits = bits;
      input.count -= len;
      return code.symbols[code.offset[len] + value];
    }
    value <<= 1;
  }
  return -1; // a code left unused by an incomplete code
}
