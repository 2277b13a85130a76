#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The inverse of decodeContent: writes well-formed streams (257 right before the first code that
// needs the wider width, 258 before the next free code would pass 4095, then 256 and the zero
// fill), keeping its dictionary exactly as the decoder rebuilds it.

enum EncodeResult : int {
  encodeOk = 0,
  encodeEmpty = 1,   // the coding cannot express an empty text: the first code is a byte
  encodeTooLong = 2, // the text passes 120,000 bytes, or its coded form 65,535 bytes
};

int encodeContent(const std::uint8_t* text, std::size_t length, std::vector<std::uint8_t>& coded);
