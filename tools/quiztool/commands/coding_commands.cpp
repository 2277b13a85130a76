// quiztool encode and decode: raw bytes in, raw bytes out.
#include <cstdio>

#include "content/content_decoder.h"
#include "content/content_encoder.h"
#include "tools/quiztool/commands/commands.h"
#include "tools/quiztool/platform/file_io.h"

int runEncode(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quiztool encode IN OUT\n");
    return 2;
  }
  std::vector<std::uint8_t> text, coded;
  if (!readWholeFile(argv[0], text)) return 1;
  switch (encodeContent(text.data(), text.size(), coded)) {
  case encodeOk: break;
  case encodeEmpty:
    std::fprintf(stderr, "encode failed: %s is empty, and the coding needs at least one byte\n",
                 argv[0]);
    return 1;
  default:
    std::fprintf(stderr,
                 "encode failed: %s is too long (at most 120000 bytes of text and 65535 bytes "
                 "coded)\n",
                 argv[0]);
    return 1;
  }
  return writeWholeFile(argv[1], coded) ? 0 : 1;
}

int runDecode(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quiztool decode IN OUT\n");
    return 2;
  }
  std::vector<std::uint8_t> coded;
  if (!readWholeFile(argv[0], coded)) return 1;
  DecodedText text;
  const int result = decodeContent(coded.data(), coded.size(), text);
  if (result != decodeOk) {
    std::fprintf(stderr, "decode failed: %d\n", result);
    return 1;
  }
  return writeWholeFile(argv[1], {text.bytes.get(), text.bytes.get() + text.length}) ? 0 : 1;
}
