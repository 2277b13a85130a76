#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// The content resources travel in a variable-width dictionary code of this program's own.
//
// Format notes. Codes are packed most significant bit first, starting at bit 7 of byte 0; the
// last byte is filled with zero bits. Every code has the current width, 9 bits at the start.
//   0..255   the single byte of that value
//   256      end of data
//   257      the width grows by one bit from the next code on
//   258      the dictionary is cleared: next free code 259, width 9 (the current string is kept,
//            so the first string code after a clear extends it into entry 259)
//   259..    a dictionary string
// Each data code after the first defines the next free entry as the previous string plus the
// first byte of this code's string; a code equal to the next free code (not yet defined) stands
// for the previous string plus its own first byte. The output lags one code behind: each string
// is written when the following code arrives, the last one at the end code.

enum DecodeResult : int {
  decodeOk = 0,
  decodeNoMemory = -4, // a working buffer, the dictionary or the output could not be allocated
  decodeNoInput = -5,  // the input is empty or ends inside the first code
  decodeBadCode = -7,  // a code above the next free code, a width above 32, no end code, or a
                       // stream that outgrows the working limits below
};

// Working limits: a stream that would pass any of them fails with decodeBadCode.
constexpr std::size_t decodedTextCapacity = 120000; // bytes of decoded text
constexpr std::size_t codedAddressLimit = 65536;    // the decoder reads bytes 0..65535 only
constexpr int dictionaryCodes = 4096;               // codes 0..4095
constexpr int maxDictionaryString = 4096;           // bytes in one dictionary string
constexpr int firstFreeCode = 259;
constexpr int endCode = 256;
constexpr int widenCode = 257;
constexpr int clearCode = 258;
constexpr int startCodeWidth = 9;
constexpr int maxCodeWidth = 32;

// Decoded text: not NUL-terminated; the reader finds its fields by their terminators.
struct DecodedText {
  std::unique_ptr<std::uint8_t[]> bytes;
  std::size_t length = 0;
};

// Decodes one coded resource. On decodeOk `text` owns the decoded bytes; on any other result it
// is left empty. A failed allocation of the output buffer also shows the notice "Impossible
// d'allouer la memoire".
int decodeContent(const std::uint8_t* coded, std::size_t codedLength, DecodedText& text);
