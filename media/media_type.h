#pragma once

#include <cstddef>
#include <cstdint>

// The file extension a media clip is written with, from its first bytes, so that the media
// player recognises the format: "WAV", "AVI", "MP3", "MPG", "WMV" or "XXX" when no rule
// matches (the player is handed such a file all the same). Bytes the clip does not have count
// as 0.
const char* mediaExtension(const std::uint8_t* data, std::size_t size);
