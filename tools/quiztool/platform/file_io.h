#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Whole-file reads and writes. Both print a message naming the file and return false on
// failure. A write goes to a temporary file beside the target first, so that a failed write
// never leaves a half-written target behind.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);
bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
