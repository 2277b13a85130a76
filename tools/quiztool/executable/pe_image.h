#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A Windows executable held in memory: the 32-bit player (PE32), or the 64-bit build of the same
// sources that tests run where only 64-bit programs can run (PE32+), with what the packer changes:
// the section table, the resource directory, the settings block's section and the checksum.

struct PeSection {
  std::string name;
  std::uint32_t virtualSize;
  std::uint32_t virtualAddress;
  std::uint32_t rawSize;
  std::uint32_t rawOffset;
  std::size_t headerOffset; // where its 40-byte header lies in the file
};

struct PeImage {
  std::vector<std::uint8_t> bytes;
  std::size_t peOffset; // the "PE" signature
  std::size_t optionalHeaderOffset;
  std::size_t directoriesOffset; // the data directories, later in a PE32+ optional header
  std::size_t sectionTableOffset;
  std::uint32_t sectionAlignment;
  std::uint32_t fileAlignment;
  std::uint32_t sizeOfHeaders;
  std::vector<PeSection> sections;
};

struct DataDirectory {
  std::uint32_t rva;
  std::uint32_t size;
};

constexpr int resourceDirectoryIndex = 2;

// False, with a message, when the bytes are not a well-formed PE32 or PE32+ image.
bool parsePeImage(std::vector<std::uint8_t> bytes, PeImage& image, std::string& error);

const PeSection* findSection(const PeImage& image, const std::string& name);
const PeSection* sectionOfRva(const PeImage& image, std::uint32_t rva);
// The file offset of an address inside a section's raw data, or false.
bool fileOffsetOfRva(const PeImage& image, std::uint32_t rva, std::uint32_t length,
                     std::size_t& offset);

DataDirectory dataDirectory(const PeImage& image, int index);

// Installs `contents` as the resource section at `rva` (from resourceSectionRva): the last
// section is reused when it already is the resource section, otherwise a new last section is
// added. Fixes the data directory, the image size and the checksum.
std::uint32_t resourceSectionRva(const PeImage& image);
bool installResourceSection(PeImage& image, const std::vector<std::uint8_t>& contents,
                            std::string& error);
