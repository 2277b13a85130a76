#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the player plays: it writes a clip to a file named after its first bytes and hands it to
// Windows Media Player. Bytes that are not really a sound or a video crash that player inside
// the quiz's process (the progress is then lost), so the packer lets in only clips whose header
// is recognisably one of the formats below, and whole.

constexpr std::uintmax_t maxClipBytes = 100u << 20;

struct ClipFacts {
  const char* format = ""; // "WAV", "MP3", "AVI", "WMV" or "MPEG"
  bool video = false;      // AVI, WMV and MPEG carry pictures; WAV and MP3 only sound
  std::string codec;       // a WAV's sound coding when it is not plain PCM ("IMA ADPCM"...)
};

// Empty when the clip is a WAV (RIFF WAVE), MP3 (ID3 tag or MPEG audio frame), AVI (RIFF AVI),
// WMV (ASF header) or MPEG (pack or sequence start code) whose header is complete; otherwise
// what is wrong and how to mend it, as a sentence that follows the file's name.
std::string checkClip(const std::vector<std::uint8_t>& bytes, ClipFacts& facts);
