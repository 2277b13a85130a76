// Any bytes as a coded content resource: a result code, never a crash or a bad access.
#include <cstddef>
#include <cstdint>

#include "content/content_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DecodedText text;
  const int result = decodeContent(data, size, text);
  if (result == decodeOk && text.length > decodedTextCapacity) __builtin_trap();
  if (result != decodeOk && text.bytes) __builtin_trap();
  return 0;
}
