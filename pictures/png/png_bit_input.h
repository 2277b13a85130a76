#pragma once

#include <cstddef>
#include <cstdint>

#include "pictures/png/png_decoder.h"

// The bits of the image data, least significant bit of each byte first, read through a 64-bit
// buffer. The bytes are the data of the first IDAT chunk, then of each directly following
// readable IDAT chunk; the input ends at the first chunk that is neither.
struct PngBitInput {
  const PngDecoder* decoder; // for the readability of following chunks
  const std::uint8_t* next;  // next byte of the current chunk's data
  const std::uint8_t* end;   // end of the current chunk's data (its CRC follows)
  bool lastChunk;            // no further chunk continues the data
  std::uint64_t bits;        // unread bits, the next one lowest; zero above `count`
  int count;                 // number of unread bits, 0..64
};

// Starts at the data of the first image chunk (which must be readable).
void startPngBitInput(PngBitInput& input, const PngDecoder& decoder);

// Moves on to the data of the next chunk when it continues the image data; false at the end.
bool advancePngBitInput(PngBitInput& input);

// Tops the buffer up to at least 57 bits, or to whatever remains at the end of the input.
// Taken and returned by value, so that a caller's copy never has its address taken and can
// stay in registers.
PngBitInput refilledPngBits(PngBitInput input);

// Needs input.count below 57.
inline void refillPngBits(PngBitInput& input) {
  if (input.end - input.next >= 8) {
    // Fast path: take as many whole bytes as fit, with one load of eight.
    std::uint64_t word = 0;
    for (int i = 7; i >= 0; --i) word = word << 8 | input.next[i];
    const int taken = (63 - input.count) >> 3;
    const int takenBits = taken * 8; // at most 63 - count
    input.bits |= (word & ((std::uint64_t{1} << takenBits) - 1)) << input.count;
    input.next += taken;
    input.count += takenBits;
    return;
  }
  input = refilledPngBits(input);
}

// Makes `n` (at most 57) bits available; false when the input ends first.
inline bool needPngBits(PngBitInput& input, int n) {
  if (input.count < n) refillPngBits(input);
  return input.count >= n;
}

// Takes `n` (at most 16) bits that needPngBits made available.
inline std::uint32_t takePngBits(PngBitInput& input, int n) {
  const std::uint32_t value = static_cast<std::uint32_t>(input.bits & ((1u << n) - 1));
  input.bits >>= n;
  input.count -= n;
  return value;
}

// Drops the bits up to the next byte boundary.
inline void alignPngBits(PngBitInput& input) {
  const int partial = input.count & 7;
  input.bits >>= partial;
  input.count -= partial;
}
