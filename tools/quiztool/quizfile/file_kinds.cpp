// The kinds of file that teachers save by mistake under a .quiz name, told by their first bytes.
#include "tools/quiztool/quizfile/file_kinds.h"

#include <cstring>

namespace {

bool startsWith(const std::string& bytes, std::size_t at, const char* signature,
                std::size_t length) {
  return bytes.size() >= at + length && std::memcmp(bytes.data() + at, signature, length) == 0;
}

bool startsWith(const std::string& bytes, std::size_t at, const char* signature) {
  return startsWith(bytes, at, signature, std::strlen(signature));
}

bool holds(const std::string& bytes, const char* text, std::size_t length) {
  return bytes.find(std::string(text, length)) != std::string::npos;
}

// An Office Open XML or OpenDocument file is a ZIP archive; the names of its parts, stored
// plainly in the archive, say which program wrote it.
Msg zipKind(const std::string& bytes) {
  if (holds(bytes, "word/", 5)) return Msg::kindWord;
  if (holds(bytes, "xl/", 3)) return Msg::kindExcel;
  if (holds(bytes, "ppt/", 4)) return Msg::kindPowerPoint;
  if (holds(bytes, "application/vnd.oasis.opendocument", 34)) return Msg::kindOpenDocument;
  return Msg::kindZip;
}

// The older Office files share one container; the name of their main stream, in UTF-16, says
// which program wrote it.
Msg containerKind(const std::string& bytes) {
  if (holds(bytes, "W\0o\0r\0d\0D\0o\0c\0u\0m\0e\0n\0t\0", 24)) return Msg::kindWord;
  if (holds(bytes, "W\0o\0r\0k\0b\0o\0o\0k\0", 16)) return Msg::kindExcel;
  if (holds(bytes, "P\0o\0w\0e\0r\0P\0o\0i\0n\0t\0", 20)) return Msg::kindPowerPoint;
  return Msg::kindOffice;
}

} // namespace

bool knownFileKind(const std::string& bytes, Msg& kind) {
  static const struct {
    std::size_t at;
    const char* signature;
    std::size_t length;
    Msg kind;
  } signatures[] = {
      {0, "\xFF\xD8\xFF", 3, Msg::kindJpeg},
      {0, "\x89PNG", 4, Msg::kindPng},
      {0, "GIF87a", 6, Msg::kindGif},
      {0, "GIF89a", 6, Msg::kindGif},
      {8, "WEBP", 4, Msg::kindWebp},
      {0, "RIFF", 4, Msg::kindSound},
      {4, "ftyp", 4, Msg::kindHeic},
      {0, "II*\0", 4, Msg::kindTiff},
      {0, "MM\0*", 4, Msg::kindTiff},
      {0, "%PDF", 4, Msg::kindPdf},
      {0, "{\\rtf", 5, Msg::kindRtf},
      {0, "ID3", 3, Msg::kindSound},
      {0, "OggS", 4, Msg::kindSound},
      {0, "fLaC", 4, Msg::kindSound},
      {0, "\x30\x26\xB2\x75\x8E\x66\xCF\x11", 8, Msg::kindSound}, // ASF: WMV, WMA
      {0, "\0\0\1\xBA", 4, Msg::kindSound},                       // MPEG
  };
  for (const auto& s : signatures) {
    if (startsWith(bytes, s.at, s.signature, s.length)) {
      kind = s.kind;
      return true;
    }
  }
  if (startsWith(bytes, 0, "PK\x03\x04")) {
    kind = zipKind(bytes);
    return true;
  }
  if (startsWith(bytes, 0, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
    kind = containerKind(bytes);
    return true;
  }
  // Two letters could start a text: these need the zero bytes of their headers too.
  if (startsWith(bytes, 0, "BM") && startsWith(bytes, 6, "\0\0\0\0", 4)) {
    kind = Msg::kindBmp;
    return true;
  }
  if (startsWith(bytes, 0, "MZ") && bytes.find('\0') != std::string::npos) {
    kind = Msg::kindProgram;
    return true;
  }
  return false;
}

bool looksLikeUtf16(const std::string& bytes) {
  const std::size_t sample = bytes.size() < 4096 ? bytes.size() : 4096;
  std::size_t zeros[2] = {0, 0};
  for (std::size_t i = 0; i < sample; ++i)
    if (bytes[i] == '\0') ++zeros[i % 2];
  const std::size_t pairs = sample / 2;
  for (int side = 0; side < 2; ++side)
    if (zeros[side] * 2 >= pairs && zeros[1 - side] * 8 <= zeros[side]) return true;
  return false;
}
