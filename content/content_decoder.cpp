#include "content/content_decoder.h"

#include <cstring>
#include <new>

#include "content/notice.h"

namespace {

// Codes are read most significant bit first through a 64-bit buffer: at most 7 unread bits stay
// behind after a code, so a 32-bit code never needs more than 39 bits in the buffer.
struct BitReader {
  const std::uint8_t* input; // the coded bytes
  std::size_t length;        // how many of them the decoder may address
  std::size_t position;      // next byte to take
  std::uint64_t bits;        // unread bits, in the low `count` bits
  int count;                 // number of unread bits
};

bool readCode(BitReader& reader, int width, std::uint32_t& code) {
  while (reader.count < width) {
    if (reader.position == reader.length) return false;
    reader.bits = reader.bits << 8 | reader.input[reader.position++];
    reader.count += 8;
  }
  reader.count -= width;
  code = static_cast<std::uint32_t>((reader.bits >> reader.count) & ((1ull << width) - 1));
  return true;
}

// One dictionary string, owned by its entry. Entries 0..255 are never stored: their string is
// one byte of `singleBytes`.
struct DictionaryEntry {
  std::unique_ptr<std::uint8_t[]> bytes;
  std::uint16_t length;
  std::uint16_t capacity;
};

struct ByteString {
  const std::uint8_t* bytes;
  std::size_t length;
};

struct Decoder {
  std::unique_ptr<DictionaryEntry[]> entries; // codes 0..4095; only 259.. are used
  std::uint8_t singleBytes[256];              // the strings of codes 0..255
  unsigned nextFree;                          // next code to define, 259..4096
  int width;                                  // current code width
  ByteString current;                         // string of the last data code
  std::uint8_t* output;                       // decodedTextCapacity bytes
  std::size_t outputLength;
};

ByteString stringOf(const Decoder& decoder, unsigned code) {
  if (code < 256) return {&decoder.singleBytes[code], 1};
  const DictionaryEntry& entry = decoder.entries[code];
  return {entry.bytes.get(), entry.length};
}

bool appendOutput(Decoder& decoder, ByteString text) {
  if (text.length > decodedTextCapacity - decoder.outputLength) return false;
  std::memcpy(decoder.output + decoder.outputLength, text.bytes, text.length);
  decoder.outputLength += text.length;
  return true;
}

// Defines the next free entry as the current string plus `lastByte`. The current string may be
// the very entry being redefined (a stale string carried over a clear); its bytes are then
// already in place.
int defineNextEntry(Decoder& decoder, std::uint8_t lastByte) {
  if (decoder.nextFree >= static_cast<unsigned>(dictionaryCodes)) return decodeBadCode;
  const std::size_t length = decoder.current.length + 1;
  if (length > static_cast<std::size_t>(maxDictionaryString)) return decodeBadCode;
  DictionaryEntry& entry = decoder.entries[decoder.nextFree];
  if (entry.capacity < length) {
    const std::size_t capacity = (length + 31) & ~std::size_t{31};
    std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[capacity]);
    if (!bytes) return decodeNoMemory;
    std::memcpy(bytes.get(), decoder.current.bytes, decoder.current.length);
    entry.bytes = std::move(bytes);
    entry.capacity = static_cast<std::uint16_t>(capacity);
  } else if (entry.bytes.get() != decoder.current.bytes) {
    std::memcpy(entry.bytes.get(), decoder.current.bytes, decoder.current.length);
  }
  entry.bytes[length - 1] = lastByte;
  entry.length = static_cast<std::uint16_t>(length);
  ++decoder.nextFree;
  return decodeOk;
}

// A code that stands for a string: write the current string, define the next entry, and make
// the code's string current.
int takeDataCode(Decoder& decoder, std::uint32_t code) {
  if (code > decoder.nextFree) return decodeBadCode;
  if (!appendOutput(decoder, decoder.current)) return decodeBadCode;
  // Taken before the entry is defined: defining it may overwrite the current string's bytes.
  const std::uint8_t firstByte =
      code == decoder.nextFree ? decoder.current.bytes[0] : stringOf(decoder, code).bytes[0];
  const int result = defineNextEntry(decoder, firstByte);
  if (result != decodeOk) return result;
  decoder.current = stringOf(decoder, code);
  return decodeOk;
}

int runDecoder(Decoder& decoder, BitReader& reader) {
  std::uint32_t code = 0;
  if (!readCode(reader, startCodeWidth, code)) return decodeNoInput;
  decoder.current = stringOf(decoder, code & 0xFF);
  for (;;) {
    if (decoder.width > maxCodeWidth) return decodeBadCode;
    if (!readCode(reader, decoder.width, code)) return decodeBadCode;
    if (code == endCode) return appendOutput(decoder, decoder.current) ? decodeOk : decodeBadCode;
    if (code == clearCode) {
      decoder.nextFree = firstFreeCode;
      decoder.width = startCodeWidth;
    } else if (code == widenCode) {
      ++decoder.width;
    } else {
      const int result = takeDataCode(decoder, code);
      if (result != decodeOk) return result;
    }
  }
}

} // namespace

int decodeContent(const std::uint8_t* coded, std::size_t codedLength, DecodedText& text) {
  text = {};
  auto decoder = std::unique_ptr<Decoder>(new (std::nothrow) Decoder{});
  if (!decoder) return decodeNoMemory;
  decoder->entries.reset(new (std::nothrow) DictionaryEntry[dictionaryCodes]{});
  if (!decoder->entries) return decodeNoMemory;
  for (int i = 0; i < 256; ++i) decoder->singleBytes[i] = static_cast<std::uint8_t>(i);
  decoder->nextFree = firstFreeCode;
  decoder->width = startCodeWidth;

  std::unique_ptr<std::uint8_t[]> output(new (std::nothrow) std::uint8_t[decodedTextCapacity]);
  if (!output) {
    showNotice("Impossible d'allouer la memoire", "Information");
    return decodeNoMemory;
  }
  decoder->output = output.get();

  const std::size_t addressable = codedLength < codedAddressLimit ? codedLength : codedAddressLimit;
  BitReader reader{coded, addressable, 0, 0, 0};
  const int result = runDecoder(*decoder, reader);
  if (result == decodeOk) {
    text.bytes = std::move(output);
    text.length = decoder->outputLength;
  }
  return result;
}
