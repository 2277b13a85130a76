#pragma once

#include <cstddef>
#include <cstdint>

// A few settings of a quiz live in one fixed-layout record of initialised data inside the
// executable, so that a quiz-making tool can write a quiz's own values into a copy of the player
// byte for byte. The player only reads it. The record sits alone in its own section of the
// executable, named below, where a tool finds it without symbols.

struct SettingsBlock {
  char title[16];          // window class name; up to 15 characters
  char webAddress[32];     // the author's web address, opened by the header's link
  std::int32_t scrollUnit; // pixels per scroll position of the board
  std::uint8_t reserved[12];
  std::int32_t pageUnit; // divisor from client pixels to scroll page sizes
  char successWord[6];   // result word of a right answer, up to 5 characters
  char failureWord[6];   // result word of a wrong answer without a hint
};

static_assert(sizeof(SettingsBlock) == 80);
static_assert(offsetof(SettingsBlock, webAddress) == 16);
static_assert(offsetof(SettingsBlock, scrollUnit) == 48);
static_assert(offsetof(SettingsBlock, pageUnit) == 64);
static_assert(offsetof(SettingsBlock, successWord) == 68);
static_assert(offsetof(SettingsBlock, failureWord) == 74);

constexpr char settingsSectionName[] = ".quizset";

constexpr SettingsBlock defaultSettings = {
    "Velmo", "http://example.org", 1, {}, 1, "BRAVO", "FAUX",
};

// The executable's own block (settings_block_win.cpp).
extern const SettingsBlock settingsBlock;

// The result words as terminated texts: a field filled to its last byte still ends.
struct VerdictWords {
  char success[sizeof SettingsBlock::successWord + 1];
  char failure[sizeof SettingsBlock::failureWord + 1];
};
VerdictWords verdictWordsOf(const SettingsBlock& settings);

// The author's web address as a terminated text: an address that fills all 32 bytes of its
// field ends there, not at whatever the block holds after it.
struct WebAddress {
  char text[sizeof SettingsBlock::webAddress + 1];
};
WebAddress webAddressOf(const SettingsBlock& settings);
