#pragma once

#include <string>

#include "content/settings_block.h"
#include "tools/quiztool/executable/pe_image.h"
#include "tools/quiztool/platform/platform.h" // defaultPlayerPath

// Reads and parses the player; false after printing why (unless `quiet`).
bool loadPlayer(const std::string& path, PeImage& image, bool quiet = false);

// The settings a quiz starts from: the player's block, or the defaults when no player can be
// read (checking and showing a quiz file need no player).
SettingsBlock startingSettings(const PeImage* player);
