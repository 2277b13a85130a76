#include "pictures/png/png_inflate.h"

#include <cstddef>
#include <cstring>

#include "pictures/png/png_bit_input.h"
#include "pictures/png/png_huffman.h"

// Format notes.
//
// zlib: two header bytes (CMF: compression method 8 in the low four bits, log2 of the window
// size minus 8 in the high four, at most 7; FLG: bit 5 asks for a preset dictionary, which
// image data never has), the DEFLATE blocks, then the big-endian Adler-32 of the data, which is
// read but not compared.
//
// DEFLATE: blocks, each starting with 3 bits (bit 0: last block; bits 1-2: type). Type 0 is
// stored: skip to a byte boundary, LEN and NLEN (16 bits each, NLEN the ones' complement of
// LEN), then LEN bytes as they are. Types 1 and 2 are Huffman-coded with a literal/length code
// (0..255 a byte, 256 the end of the block, 257..285 a match length with extra bits) and a
// distance code (0..29, with extra bits); a match copies `length` bytes from `distance` bytes
// back in the output, possibly overlapping what it writes. Type 1 uses fixed codes, type 2
// sends its codes: HLIT + 257 literal/length and HDIST + 1 distance code lengths, themselves
// coded with a code over 19 code-length symbols (0..15 a length, 16 repeat the previous length
// 3..6 times, 17 a run of 3..10 zeros, 18 a run of 11..138 zeros) whose HCLEN + 4 lengths of
// 3 bits come first, in a fixed order. Type 3 is invalid.
//
// The output buffer is the whole history window: the image data is inflated in one pass.

namespace {

constexpr int endOfBlock = 256;
constexpr int maxLiteralCodes = 286; // 257 + HLIT may not exceed this
constexpr int maxDistanceCodes = 30; // 1 + HDIST may not exceed this
constexpr int codeLengthCodes = 19;

constexpr std::uint16_t lengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                          15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                          67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                          2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t distanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t distanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr std::uint8_t codeLengthOrder[codeLengthCodes] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                           11, 4,  12, 3, 13, 2, 14, 1, 15};

// The output: rawImage, which is also the window of back references.
struct Output {
  std::uint8_t* start; // first byte of rawImage
  std::uint8_t* next;  // next byte to write
  std::uint8_t* end;   // end of rawImage
};

struct Inflater {
  PngBitInput input;       // the compressed bits
  Output out;              // where the data goes
  PngHuffmanCode literals; // the current dynamic block's codes
  PngHuffmanCode distances;
};

// The fixed codes: literal/length 0..143 8 bits, 144..255 9, 256..279 7, 280..287 8; all 32
// distance codes 5 bits. Symbols 286, 287, 30 and 31 have codes but are invalid.
constexpr PngHuffmanCode makeFixedCode(bool literal) {
  std::uint8_t lengths[maxCodeSymbols] = {};
  int count = 32;
  for (int symbol = 0; symbol < count; ++symbol) lengths[symbol] = 5;
  if (literal) {
    count = maxCodeSymbols;
    for (int symbol = 0; symbol < count; ++symbol)
      lengths[symbol] = symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8;
  }
  PngHuffmanCode code{};
  buildPngHuffmanCode(code, lengths, count);
  return code;
}

constexpr PngHuffmanCode fixedLiterals = makeFixedCode(true);
constexpr PngHuffmanCode fixedDistances = makeFixedCode(false);

// Copies a match. Byte by byte in effect: when the match overlaps what it writes (distance <
// length), bytes written by this copy are read again.
inline void copyMatch(std::uint8_t* out, std::size_t distance, std::size_t length) {
  const std::uint8_t* from = out - distance;
  if (distance >= length) {
    std::memcpy(out, from, length);
  } else if (distance == 1) {
    std::memset(out, *from, length);
  } else {
    for (std::size_t i = 0; i < length; ++i) out[i] = from[i];
  }
}

// The length and distance of a match whose length symbol is `symbol` (257..), then the copy.
inline bool inflateMatch(PngBitInput& in, Output& out, int symbol,
                         const PngHuffmanCode& distances) {
  symbol -= 257;
  if (symbol >= 29) return false;                          // symbols 286 and 287 do not exist
  if (!needPngBits(in, lengthExtra[symbol])) return false; // the input ends early
  const std::size_t length = lengthBase[symbol] + takePngBits(in, lengthExtra[symbol]);
  symbol = decodePngSymbol(in, distances);
  // No matching code, the input ends early, or distance symbols 30 and 31.
  if (symbol < 0 || symbol >= 30) return false;
  if (!needPngBits(in, distanceExtra[symbol])) return false; // the input ends early
  const std::size_t distance = distanceBase[symbol] + takePngBits(in, distanceExtra[symbol]);
  if (distance > static_cast<std::size_t>(out.next - out.start)) return false; // before start
  if (length > static_cast<std::size_t>(out.end - out.next)) return false;     // more than rawImage
  copyMatch(out.next, distance, length);
  out.next += length;
  return true;
}

// The symbols of one Huffman-coded block, up to its end-of-block symbol.
inline bool inflateSymbols(PngBitInput& in, Output& out, const PngHuffmanCode& literals,
                           const PngHuffmanCode& distances) {
  for (;;) {
    const int symbol = decodePngSymbol(in, literals);
    if (symbol < endOfBlock) {
      if (symbol < 0) return false;          // no matching code, or the input ends early
      if (out.next == out.end) return false; // more output than rawImage holds
      *out.next++ = static_cast<std::uint8_t>(symbol);
    } else if (symbol == endOfBlock) {
      return true;
    } else if (!inflateMatch(in, out, symbol, distances)) {
      return false;
    }
  }
}

// The symbol loop works on copies of the bit input and the output that never have their
// address taken, so that they stay in registers; the inflater is brought up to date after.
bool inflateCodes(Inflater& s, const PngHuffmanCode& literals, const PngHuffmanCode& distances) {
  PngBitInput in = s.input;
  Output out = s.out;
  const bool ok = inflateSymbols(in, out, literals, distances);
  s.input = in;
  s.out = out;
  return ok;
}

bool inflateStored(Inflater& s) {
  alignPngBits(s.input);
  // 16 bits at a time: a 32-bit buffer may hold fewer than 32 after a refill.
  if (!needPngBits(s.input, 16)) return false; // the input ends early
  const std::uint32_t length = takePngBits(s.input, 16);
  if (!needPngBits(s.input, 16)) return false; // the input ends early
  const std::uint32_t complement = takePngBits(s.input, 16);
  if (complement != (~length & 0xFFFF)) return false; // NLEN does not match LEN
  if (length > static_cast<std::size_t>(s.out.end - s.out.next)) return false; // past rawImage
  std::uint32_t left = length;
  // Whole bytes still in the bit buffer come first (after the alignment it holds only whole
  // bytes), then the chunks' bytes directly.
  for (; left > 0 && s.input.count > 0; --left)
    *s.out.next++ = std::uint8_t(takePngBits(s.input, 8));
  while (left > 0) {
    if (s.input.next == s.input.end && !advancePngBitInput(s.input)) return false; // ends early
    std::size_t piece = static_cast<std::size_t>(s.input.end - s.input.next);
    if (piece > left) piece = left;
    std::memcpy(s.out.next, s.input.next, piece);
    s.out.next += piece;
    s.input.next += piece;
    left -= static_cast<std::uint32_t>(piece);
  }
  return true;
}

// Reads the code-length code and, through it, the HLIT + 257 + HDIST + 1 code lengths.
bool readCodeLengths(Inflater& s, std::uint8_t* lengths, int total) {
  if (!needPngBits(s.input, 4)) return false; // the input ends early
  const int lengthCodes = static_cast<int>(takePngBits(s.input, 4)) + 4;
  std::uint8_t codeLengths[codeLengthCodes] = {};
  for (int i = 0; i < lengthCodes; ++i) {
    if (!needPngBits(s.input, 3)) return false; // the input ends early
    codeLengths[codeLengthOrder[i]] = static_cast<std::uint8_t>(takePngBits(s.input, 3));
  }
  PngHuffmanCode lengthCode;
  // The code-length code must be complete: incomplete or over-subscribed fails.
  if (buildPngHuffmanCode(lengthCode, codeLengths, codeLengthCodes) != 0) return false;
  for (int index = 0; index < total;) {
    const int symbol = decodePngSymbol(s.input, lengthCode);
    if (symbol < 0) return false; // the input ends early
    if (symbol < 16) {
      lengths[index++] = static_cast<std::uint8_t>(symbol);
      continue;
    }
    static constexpr std::uint8_t extraBits[3] = {2, 3, 7};
    static constexpr std::uint8_t runBase[3] = {3, 3, 11};
    if (symbol == 16 && index == 0) return false; // a repeat with no previous length
    const std::uint8_t repeated = symbol == 16 ? lengths[index - 1] : 0;
    if (!needPngBits(s.input, extraBits[symbol - 16])) return false; // the input ends early
    const int run =
        runBase[symbol - 16] + static_cast<int>(takePngBits(s.input, extraBits[symbol - 16]));
    if (run > total - index) return false; // a repeat past the declared lengths
    std::memset(lengths + index, repeated, static_cast<std::size_t>(run));
    index += run;
  }
  return true;
}

// An incomplete code is accepted only in the forms encoders write: one symbol with a code of
// length 1 (a block with a single distance, or only the end of block), or, for distances, no
// codes at all (a block without matches).
bool acceptableCode(int built, const PngHuffmanCode& code, bool mayBeEmpty) {
  if (built == 0) return true;
  if (built < 0) return false;
  return (code.codedSymbols == 1 && code.codesOfLength1 == 1) ||
         (mayBeEmpty && code.codedSymbols == 0);
}

bool inflateDynamic(Inflater& s) {
  if (!needPngBits(s.input, 10)) return false; // the input ends early
  const int literalCount = static_cast<int>(takePngBits(s.input, 5)) + 257;
  const int distanceCount = static_cast<int>(takePngBits(s.input, 5)) + 1;
  // More codes than DEFLATE has symbols.
  if (literalCount > maxLiteralCodes || distanceCount > maxDistanceCodes) return false;
  std::uint8_t lengths[maxLiteralCodes + maxDistanceCodes];
  if (!readCodeLengths(s, lengths, literalCount + distanceCount)) return false;
  if (lengths[endOfBlock] == 0) return false; // no end-of-block code: the block cannot end
  const int literalsBuilt = buildPngHuffmanCode(s.literals, lengths, literalCount);
  if (!acceptableCode(literalsBuilt, s.literals, false)) return false; // bad literal lengths
  const int distancesBuilt =
      buildPngHuffmanCode(s.distances, lengths + literalCount, distanceCount);
  if (!acceptableCode(distancesBuilt, s.distances, true)) return false; // bad distance lengths
  return inflateCodes(s, s.literals, s.distances);
}

// The zlib header: method 8, a window of at most 32K, no preset dictionary.
bool readZlibHeader(Inflater& s) {
  if (!needPngBits(s.input, 16)) return false; // the input ends early
  const std::uint32_t method = takePngBits(s.input, 8);
  const std::uint32_t flags = takePngBits(s.input, 8);
  return (method & 0x0F) == 8 && (method >> 4) <= 7 && (flags & 0x20) == 0;
}

bool inflateBlocks(Inflater& s) {
  for (;;) {
    if (!needPngBits(s.input, 3)) return false; // the input ends early
    const bool last = takePngBits(s.input, 1) != 0;
    bool ok = false;
    switch (takePngBits(s.input, 2)) {
    case 0: ok = inflateStored(s); break;
    case 1: ok = inflateCodes(s, fixedLiterals, fixedDistances); break;
    case 2: ok = inflateDynamic(s); break;
    default: return false; // block type 3 does not exist
    }
    if (!ok) return false;
    if (last) return true;
  }
}

} // namespace

bool inflatePngImage(PngDecoder& decoder) {
  if (!decoder.firstImageChunk || !decoder.rawImage) return false; // no image data at all
  Inflater s;
  startPngBitInput(s.input, decoder);
  s.out = {decoder.rawImage, decoder.rawImage, decoder.rawImage + decoder.rawImageSize};
  if (!readZlibHeader(s) || !inflateBlocks(s)) return false;
  alignPngBits(s.input);
  for (int half = 0; half < 2; ++half) {
    if (!needPngBits(s.input, 16)) return false; // the Adler-32 value is cut off
    takePngBits(s.input, 16);
  }
  // Short image data would leave rows undefined.
  return s.out.next == s.out.end;
}
