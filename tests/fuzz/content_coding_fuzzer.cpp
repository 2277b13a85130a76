// Any text: encoding either refuses it or decodes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "content/content_decoder.h"
#include "content/content_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> coded;
  if (encodeContent(data, size, coded) != encodeOk) return 0;
  DecodedText text;
  if (decodeContent(coded.data(), coded.size(), text) != decodeOk) __builtin_trap();
  if (text.length != size || std::memcmp(text.bytes.get(), data, size) != 0) __builtin_trap();
  return 0;
}
