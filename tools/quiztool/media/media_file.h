#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/quiztool/platform/file_io.h" // megabytes

// The pictures and clips a quiz names are read whole into the executable. Only regular files
// are read (a device such as /dev/zero never ends, a pipe may never answer), and only up to a
// stated size, so that a wrong name cannot exhaust memory.

// False with what is wrong and how to mend it, as a sentence that follows the file's name.
bool readMediaFile(const std::string& path, std::uintmax_t limit, std::vector<std::uint8_t>& bytes,
                   std::string& problem);

// What a picture or a clip whose header ends early is told, after its name: a picture is saved
// again from the program that made it, a clip exported again from its editor.
enum class MediaKind { picture, clip };
std::string cutShort(MediaKind kind);
