#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "content/content_decoder.h"
#include "tools/quiztool/executable/resource_tree.h"

// A quiz executable back to what packs it: a quiz file and its pictures and clips. It reads any
// executable whose resources follow the player's format, not only those quiztool wrote, and
// refuses, naming it, whatever a quiz file cannot say: a pack of what it gives makes the same
// content, settings and media resources.

struct UnpackedFile {
  std::string name; // relative to the folder the quiz is unpacked into
  std::vector<std::uint8_t> bytes;
};

// The quiz file `quizName`.quiz first, then the media it names. False with a message when the
// executable is damaged or holds what a quiz file cannot express.
bool unpackQuiz(std::vector<std::uint8_t> executable, const std::string& quizName,
                std::vector<UnpackedFile>& files, std::string& error);

// A "PATCH" content resource of a quiz executable, decoded; false with a message (without the
// executable's name) when it is missing or damaged.
bool decodedQuizText(const ResourceTree& tree, int id, DecodedText& text, std::string& error);

// The extension that names a stored picture's or clip's format, or null when it is in none that
// a quiz file takes.
const char* pictureExtension(const std::vector<std::uint8_t>& bytes);
const char* clipExtension(const std::vector<std::uint8_t>& bytes);
