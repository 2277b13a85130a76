// Whether a clip is a whole WAV, MP3, AVI, WMV or MPEG file, from its header.
#include "tools/quiztool/media/clip_checks.h"

#include <cstdio>

#include "tools/quiztool/byte_io.h"
#include "tools/quiztool/media/media_file.h"
#include "tools/quiztool/messages/messages.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A RIFF file's chunks after "RIFF", size, form: `first` must be among them (WAVE: "fmt " of
// at least 16 bytes; AVI: a "LIST" chunk, the header list), and `found` is set to where its data
// start. The walk counts in 64 bits in every build: with a 32-bit size_t a chunk size near 2^32
// would wrap the sum back and loop for ever.
std::string riffCheck(const Bytes& b, const char* first, std::uint32_t leastSize,
                      std::size_t& found) {
  std::uint32_t size = 0;
  const std::uint64_t end = b.size();
  for (std::uint64_t at = 12;
       at + 8 <= end && readU32(b, static_cast<std::size_t>(at + 4), size);) {
    if (startsWith(b, static_cast<std::size_t>(at), first)) {
      found = static_cast<std::size_t>(at + 8);
      return size >= leastSize && at + 8 + size <= end ? "" : cutShort(MediaKind::clip);
    }
    at += 8 + std::uint64_t{size} + (size & 1);
  }
  return cutShort(MediaKind::clip);
}

// The names of the sound codings a WAV's format tag gives, as sound editors list them.
const char* wavCodingName(std::uint32_t tag) {
  switch (tag) {
  case 0x0001: return "PCM";
  case 0x0002: return "MS ADPCM";
  case 0x0003: return "IEEE float";
  case 0x0006: return "A-law";
  case 0x0007: return "mu-law";
  case 0x0011: return "IMA ADPCM";
  case 0x0022: return "TrueSpeech";
  case 0x0031: return "GSM 6.10";
  case 0x0040: return "G.721 ADPCM";
  case 0x0050: return "MPEG audio";
  case 0x0055: return "MP3";
  case 0x0160:
  case 0x0161: return "WMA";
  case 0x2000: return "AC-3";
  case 0x674F:
  case 0x6750:
  case 0x6751:
  case 0x676F:
  case 0x6770:
  case 0x6771: return "Vorbis";
  default: return nullptr;
  }
}

std::string wavCoding(std::uint32_t tag) {
  const char* name = wavCodingName(tag);
  if (name) return name;
  char number[16];
  std::snprintf(number, sizeof number, "0x%04X", static_cast<unsigned>(tag));
  return std::string("an unknown coding (") + number + ")";
}

// The coding of a WAV's sound, from its "fmt " chunk (at least 16 bytes at `fmt`): empty for
// PCM, the only coding the player's media player plays everywhere (Wine's, for one, plays no
// IMA ADPCM, mu-law nor A-law). The extensible format names its coding in a sub-format GUID
// whose first two bytes are a format tag; PCM in it plays like plain PCM.
std::string wavCodec(const Bytes& b, std::size_t fmt) {
  static const char pcmGuidTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";
  std::uint32_t tag = 0, extra = 0, subTag = 0;
  readUnsigned(b, fmt, 2, ByteOrder::little, tag);
  if (tag == 0x0001) return "";
  if (tag != 0xFFFE) return wavCoding(tag);
  // WAVEFORMATEXTENSIBLE: cbSize at 16 (at least 22), the sub-format at 24.
  if (!readUnsigned(b, fmt + 16, 2, ByteOrder::little, extra) || extra < 22 ||
      !readUnsigned(b, fmt + 24, 2, ByteOrder::little, subTag) ||
      !startsWith(b, fmt + 26, pcmGuidTail, 14))
    return "the extensible WAV format with an unknown sub-format";
  return subTag == 0x0001 ? "" : wavCoding(subTag) + " (extensible WAV format)";
}

// MPEG audio frame header at `at`: sync, version, layer, bit rate, sample rate; the frame must
// lie within the file when its length can be known.
bool mpegAudioFrame(const Bytes& b, std::size_t at) {
  if (at + 4 > b.size() || b[at] != 0xFF || (b[at + 1] & 0xE0) != 0xE0) return false;
  const int version = b[at + 1] >> 3 & 3, layer = b[at + 1] >> 1 & 3;
  const int rateIndex = b[at + 2] >> 4, sampleIndex = b[at + 2] >> 2 & 3;
  if (version == 1 || layer == 0 || rateIndex == 15 || sampleIndex == 3) return false;
  if (rateIndex == 0 || layer != 1) return true; // free format, or layer I or II: not measured
  // Layer III: bit rates in kbit/s, sample rates in Hz, per MPEG-1 (version 3) or 2 and 2.5.
  static const int rates1[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
  static const int rates2[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
  static const int samples[4][3] = {
      {11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};
  const int rate = (version == 3 ? rates1 : rates2)[rateIndex] * 1000;
  const std::size_t length =
      static_cast<std::size_t>((version == 3 ? 144 : 72) * rate / samples[version][sampleIndex]) +
      (b[at + 2] >> 1 & 1);
  return at + length <= b.size();
}

// An ID3v2 tag ("ID3", version 2 to 4, flags, a size of four 7-bit bytes), then the first frame,
// after any zero padding the tag leaves.
std::string mp3Check(const Bytes& b) {
  std::size_t at = 0;
  if (startsWith(b, 0, "ID3")) {
    if (b.size() < 10) return cutShort(MediaKind::clip);
    if (b[3] < 2 || b[3] > 4 || b[4] == 0xFF || ((b[6] | b[7] | b[8] | b[9]) & 0x80))
      return say(Msg::mp3TagDamaged);
    at = 10 + (std::size_t{b[6]} << 21 | std::size_t{b[7]} << 14 | std::size_t{b[8]} << 7 | b[9]) +
         (b[5] & 0x10 ? 10 : 0);
    while (at < b.size() && b[at] == 0) ++at;
    if (at >= b.size()) return say(Msg::mp3TagOnly);
  }
  if (!mpegAudioFrame(b, at)) return at ? say(Msg::mp3TagNoAudio) : cutShort(MediaKind::clip);
  return "";
}

// The ASF header object: its GUID, a 64-bit size of at least 30 bytes lying within the file.
std::string asfCheck(const Bytes& b) {
  std::uint32_t low = 0, high = 0;
  if (b.size() < 30 || !readU32(b, 16, low) || !readU32(b, 20, high))
    return cutShort(MediaKind::clip);
  const std::uint64_t size = low | std::uint64_t{high} << 32;
  return size >= 30 && size <= b.size() ? "" : cutShort(MediaKind::clip);
}

std::string notAClip(const Bytes& b) {
  bool text = !b.empty();
  for (std::size_t i = 0; i < b.size() && i < 512; ++i)
    text = text && (b[i] >= 0x20 || b[i] == '\n' || b[i] == '\r' || b[i] == '\t');
  return say(text ? Msg::clipIsText : Msg::clipUnknown);
}

} // namespace

std::string checkClip(const Bytes& b, ClipFacts& facts) {
  static const char asfGuid[] = "\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C";
  facts = {};
  std::size_t found = 0;
  if (startsWith(b, 0, "RIFF") && startsWith(b, 8, "WAVE")) {
    facts.format = "WAV";
    std::string problem = riffCheck(b, "fmt ", 16, found);
    if (problem.empty()) facts.codec = wavCodec(b, found);
    return problem;
  }
  if (startsWith(b, 0, "RIFF") && startsWith(b, 8, "AVI ")) {
    facts = {"AVI", true};
    return riffCheck(b, "LIST", 4, found);
  }
  if (startsWith(b, 0, asfGuid, 16)) {
    facts = {"WMV", true};
    return asfCheck(b);
  }
  if (startsWith(b, 0, "\0\0\1\xBA", 4) || startsWith(b, 0, "\0\0\1\xB3", 4)) {
    facts = {"MPEG", true};
    return b.size() >= 12 ? "" : cutShort(MediaKind::clip);
  }
  if (startsWith(b, 0, "ID3") || (b.size() >= 2 && b[0] == 0xFF && (b[1] & 0xE0) == 0xE0)) {
    facts.format = "MP3";
    return mp3Check(b);
  }
  if (b.size() < 12 && (startsWith(b, 0, "RIFF") || startsWith(b, 0, asfGuid, b.size())))
    return cutShort(MediaKind::clip);
  return notAClip(b);
}
