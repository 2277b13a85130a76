#include "content/content_encoder.h"

#include <algorithm>

#include "content/content_decoder.h"

namespace {

// Codes most significant bit first; the last byte is filled with zero bits.
struct BitWriter {
  std::vector<std::uint8_t>& bytes;
  std::uint64_t bits = 0; // pending bits, in the low `count` bits
  int count = 0;
  int width = startCodeWidth;

  void put(unsigned code, int codeWidth) {
    bits = bits << codeWidth | code;
    count += codeWidth;
    while (count >= 8) {
      count -= 8;
      bytes.push_back(static_cast<std::uint8_t>(bits >> count));
    }
  }

  // Widens the code first, with 257 codes, when the value needs more bits.
  void emit(unsigned code) {
    while (code >> width != 0) put(widenCode, width++);
    put(code, width);
  }

  void finish() {
    if (count > 0) put(0, 8 - count);
  }
};

// The decoder's dictionary, seen from the encoder's side: a trie whose edges (a string's code
// and one more byte) lead to the code of the longer string. Edges live in an open-addressing
// table twice as large as the 3837 entries one dictionary can hold. Codes that the decoder
// defines but the trie cannot reach (the entry 259 that extends a string carried over a clear)
// are never emitted, which is always allowed.
struct Dictionary {
  static constexpr unsigned slotBits = 13;
  static constexpr unsigned slots = 1u << slotBits;
  static constexpr std::uint32_t emptyKey = 0xFFFFFFFF;

  std::vector<std::uint32_t> keys = std::vector<std::uint32_t>(slots, emptyKey);
  std::vector<std::uint16_t> codes = std::vector<std::uint16_t>(slots);
  unsigned nextFree = firstFreeCode;

  static std::uint32_t keyOf(unsigned code, std::uint8_t byte) { return code << 8 | byte; }

  unsigned slotOf(std::uint32_t key) const {
    unsigned slot = (key * 2654435761u) >> (32 - slotBits);
    while (keys[slot] != emptyKey && keys[slot] != key) slot = (slot + 1) & (slots - 1);
    return slot;
  }

  // The code of string(code) + byte, or 0 when that string has none.
  unsigned child(unsigned code, std::uint8_t byte) const {
    const std::uint32_t key = keyOf(code, byte);
    const unsigned slot = slotOf(key);
    return keys[slot] == key ? codes[slot] : 0;
  }

  void add(unsigned code, std::uint8_t byte, unsigned newCode) {
    const std::uint32_t key = keyOf(code, byte);
    const unsigned slot = slotOf(key);
    keys[slot] = key;
    codes[slot] = static_cast<std::uint16_t>(newCode);
  }

  void clear() {
    std::fill(keys.begin(), keys.end(), emptyKey);
    nextFree = firstFreeCode;
  }
};

// The longest dictionary string starting at `position`, kept below 4096 bytes so that the entry
// the decoder builds from it (one byte longer) still fits its string limit.
unsigned longestMatch(const Dictionary& dictionary, const std::uint8_t* text, std::size_t length,
                      std::size_t& position) {
  unsigned code = text[position++];
  std::size_t matched = 1;
  while (position < length && matched < maxDictionaryString - 1) {
    const unsigned next = dictionary.child(code, text[position]);
    if (next == 0) break;
    code = next;
    ++position;
    ++matched;
  }
  return code;
}

} // namespace

int encodeContent(const std::uint8_t* text, std::size_t length, std::vector<std::uint8_t>& coded) {
  coded.clear();
  if (length == 0) return encodeEmpty;
  if (length > decodedTextCapacity) return encodeTooLong;
  BitWriter writer{coded};
  Dictionary dictionary;
  std::size_t position = 0;
  for (;;) {
    const unsigned code = longestMatch(dictionary, text, length, position);
    writer.emit(code);
    if (position == length) break;
    // The decoder defines the next entry (this string plus the next byte) when the next code
    // arrives; when no code is left for it, the dictionary is cleared first. The string carried
    // over the clear keeps its old code, which the new trie knows only for single bytes.
    bool reachable = true;
    if (dictionary.nextFree == static_cast<unsigned>(dictionaryCodes)) {
      writer.emit(clearCode);
      writer.width = startCodeWidth;
      dictionary.clear();
      reachable = code < 256;
    }
    if (reachable) dictionary.add(code, text[position], dictionary.nextFree);
    ++dictionary.nextFree;
  }
  writer.emit(endCode);
  writer.finish();
  if (coded.size() >= codedAddressLimit) {
    coded.clear();
    return encodeTooLong;
  }
  return encodeOk;
}
