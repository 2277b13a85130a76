#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/png/png_bitmap.h"

// What the player can show: JPEG, GIF and BMP pictures go through Windows' picture loader, PNG
// pictures through the player's own decoder; each is fitted into a 260 × 260 box. These checks
// refuse, before packing, a picture that would leave its frame empty or raise an error box.

constexpr std::uintmax_t maxPictureBytes = 20u << 20;
constexpr std::uint64_t maxPicturePixels = 40'000'000; // 8000 × 5000: a bitmap of 160 MB

struct PictureFacts {
  const char* format = "";
  std::uint32_t width = 0, height = 0;
  bool transparent = false; // has see-through pixels, which the player shows black
  bool cmyk = false;        // a JPEG in CMYK colours, which Windows' loader may refuse
  // Why a JPEG's or GIF's data end before its picture does (a cut-off copy or download), so
  // that part of it, or all, may not be shown: "no JPEG end marker"...; null when whole.
  const char* incomplete = nullptr;
};

// Empty when the player shows the picture; otherwise what is wrong and how to mend it, as a
// sentence that follows the file's name.
std::string checkPicture(const std::vector<std::uint8_t>& bytes, PictureFacts& facts);

// Decodes a PNG as the player does into the bits of its bitmap, refusing with pngOutOfMemory an
// image of more than maxPicturePixels (or whose buffers cannot be had) before allocating them.
// False with the decoder's error code.
bool decodePngBounded(const std::vector<std::uint8_t>& png, PngBitmapLayout& layout,
                      std::vector<std::uint8_t>& bits, std::uint32_t& error);
