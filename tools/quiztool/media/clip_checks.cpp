// Whether a clip is a whole WAV, MP3, AVI, WMV or MPEG file, from its header.
#include "tools/quiztool/media/clip_checks.h"

#include "tools/quiztool/byte_io.h"
#include "tools/quiztool/media/media_file.h"
#include "tools/quiztool/messages/messages.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A RIFF file's chunks after "RIFF", size, form: `first` must be among them (WAVE: "fmt " of
// at least 16 bytes; AVI: a "LIST" chunk, the header list). The walk counts in 64 bits in every
// build: with a 32-bit size_t a chunk size near 2^32 would wrap the sum back and loop for ever.
std::string riffCheck(const Bytes& b, const char* first, std::uint32_t leastSize) {
  std::uint32_t size = 0;
  const std::uint64_t end = b.size();
  for (std::uint64_t at = 12;
       at + 8 <= end && readU32(b, static_cast<std::size_t>(at + 4), size);) {
    if (startsWith(b, static_cast<std::size_t>(at), first))
      return size >= leastSize && at + 8 + size <= end ? "" : cutShort(MediaKind::clip);
    at += 8 + std::uint64_t{size} + (size & 1);
  }
  return cutShort(MediaKind::clip);
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
  if (startsWith(b, 0, "RIFF") && startsWith(b, 8, "WAVE")) {
    facts.format = "WAV";
    return riffCheck(b, "fmt ", 16);
  }
  if (startsWith(b, 0, "RIFF") && startsWith(b, 8, "AVI ")) {
    facts = {"AVI", true};
    return riffCheck(b, "LIST", 4);
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
