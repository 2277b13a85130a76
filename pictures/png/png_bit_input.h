#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "pictures/png/png_decoder.h"

// The bit buffer is as wide as a register: 64 bits in a 64-bit build, 32 in the 32-bit player,
// where 64-bit shifts take several instructions each.
// QUIZ_PNG_BUFFER32 gives a 64-bit build the 32-bit buffer, so that its tests cover it too.
#ifdef QUIZ_PNG_BUFFER32
using PngBitBuffer = std::uint32_t;
#else
using PngBitBuffer = std::size_t;
#endif
constexpr int pngBufferBits = 8 * static_cast<int>(sizeof(PngBitBuffer));
// What a refill guarantees, and so the most bits needPngBits may ask for: 57 or 25.
constexpr int pngRefillBits = pngBufferBits - 7;

// The bits of the image data, least significant bit of each byte first, read through the bit
// buffer. The bytes are the data of the first IDAT chunk, then of each directly following
// readable IDAT chunk; the input ends at the first chunk that is neither.
struct PngBitInput {
  const PngDecoder* decoder; // for the readability of following chunks
  const std::uint8_t* next;  // next byte of the current chunk's data
  const std::uint8_t* end;   // end of the current chunk's data (its CRC follows)
  bool lastChunk;            // no further chunk continues the data
  PngBitBuffer bits;         // unread bits, the next one lowest; zero above `count`
  int count;                 // number of unread bits, 0..pngBufferBits
};

// Starts at the data of the first image chunk (which must be readable).
void startPngBitInput(PngBitInput& input, const PngDecoder& decoder);

// Moves on to the data of the next chunk when it continues the image data; false at the end.
bool advancePngBitInput(PngBitInput& input);

// Tops the buffer up to at least pngRefillBits bits, or to whatever remains at the end of the
// input. Taken and returned by value, so that a caller's copy never has its address taken and
// can stay in registers.
PngBitInput refilledPngBits(PngBitInput input);

// Needs input.count below pngRefillBits.
inline void refillPngBits(PngBitInput& input) {
  if (input.end - input.next >= static_cast<std::ptrdiff_t>(sizeof(PngBitBuffer))) {
    // Fast path: one load of a whole buffer's bytes, of which as many whole bytes as fit are
    // kept. The bytes come least significant first, as a little-endian load gives them.
    PngBitBuffer word;
    std::memcpy(&word, input.next, sizeof word);
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the load assumes little-endian");
    const int taken = (pngBufferBits - input.count) >> 3;
    const int filled = input.count + taken * 8; // pngRefillBits .. pngBufferBits
    // The shift drops what lies above the buffer; the mask clears a partial byte below that.
    input.bits |= (word << input.count) & (~PngBitBuffer{0} >> (pngBufferBits - filled));
    input.next += taken;
    input.count = filled;
    return;
  }
  input = refilledPngBits(input);
}

// Makes `n` (at most pngRefillBits) bits available; false when the input ends first.
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
