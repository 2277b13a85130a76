#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/quiztool/messages/messages.h"

// Whole-file reads and writes. Only regular files are read, never more than a stated size: a
// device such as /dev/zero never ends, a pipe may never answer, and a wrong name must not
// exhaust memory. A write goes to a temporary file beside the target first, so that a failed
// write never leaves a half-written target behind.

// What the tool reads, by the most it takes of each.
constexpr std::uint64_t maxQuizFileBytes = 1u << 20;     // a quiz file is text
constexpr std::uint64_t maxExecutableBytes = 700u << 20; // a player and 600 MB of media

enum class ReadResult { done, missing, notRegular, tooLarge, unreadable };
// Reads a regular file of at most `limit` bytes; prints nothing. `size` is the file's size as
// the system gives it (what tooLarge refers to).
ReadResult readRegularFile(const std::string& path, std::uint64_t limit,
                           std::vector<std::uint8_t>& bytes, std::uint64_t& size);

// The same, printing a message that names the file and says what it should be (`what`, such as
// Msg::whatQuizFile) when it cannot be read. False on failure.
bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                   std::uint64_t limit = maxExecutableBytes, Msg what = Msg::whatFile);

// Why an existing file must not be replaced by a write, as words that follow its name ("is a
// folder", "is read-only", …), or empty when a write may replace it or nothing is there.
std::string replaceRefusal(const std::string& path);
// Writes the whole file; refuses to replace what replaceRefusal refuses. False after printing
// a message.
bool writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// "20 MB": a size as the messages state it (1 MB = 1,048,576 bytes).
std::string megabytes(std::uint64_t bytes);
