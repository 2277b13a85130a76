#include "tools/quiztool/pe_image.h"

#include <algorithm>

#include "tools/quiztool/byte_io.h"

namespace {

// Offsets inside the headers.
constexpr std::size_t peOffsetField = 0x3C;
constexpr std::size_t sectionCountField = 6;    // from the PE signature
constexpr std::size_t optionalSizeField = 20;   // from the PE signature
constexpr std::size_t optionalHeaderStart = 24; // from the PE signature
constexpr std::uint16_t pe32Magic = 0x10B;
constexpr std::size_t sectionAlignmentField = 32; // from the optional header
constexpr std::size_t fileAlignmentField = 36;
constexpr std::size_t sizeOfImageField = 56;
constexpr std::size_t sizeOfHeadersField = 60;
constexpr std::size_t checksumField = 64;
constexpr std::size_t directoryCountField = 92;
constexpr std::size_t directoriesStart = 96;
constexpr std::size_t sectionHeaderSize = 40;
constexpr std::uint32_t readableDataSection = 0x40000040;

bool fail(std::string& error, const char* message) {
  error = message;
  return false;
}

bool readSection(const std::vector<std::uint8_t>& bytes, std::size_t at, PeSection& section) {
  if (at + sectionHeaderSize > bytes.size()) return false;
  const auto* name = reinterpret_cast<const char*>(&bytes[at]);
  section.name.assign(name, std::find(name, name + 8, '\0'));
  section.headerOffset = at;
  return readU32(bytes, at + 8, section.virtualSize) &&
         readU32(bytes, at + 12, section.virtualAddress) &&
         readU32(bytes, at + 16, section.rawSize) && readU32(bytes, at + 20, section.rawOffset);
}

std::uint32_t sectionEnd(const PeSection& section) {
  return section.virtualAddress + std::max(section.virtualSize, section.rawSize);
}

void writeSectionHeader(PeImage& image, const PeSection& section) {
  std::vector<std::uint8_t>& bytes = image.bytes;
  const std::size_t at = section.headerOffset;
  std::fill(bytes.begin() + at, bytes.begin() + at + 8, 0);
  std::copy(section.name.begin(),
            section.name.begin() + std::min<std::size_t>(8, section.name.size()),
            bytes.begin() + at);
  writeU32(bytes, at + 8, section.virtualSize);
  writeU32(bytes, at + 12, section.virtualAddress);
  writeU32(bytes, at + 16, section.rawSize);
  writeU32(bytes, at + 20, section.rawOffset);
}

// The image checksum: 16-bit one's-complement-style sum of the file (the checksum field counted
// as zero) plus the file length.
void updateChecksum(PeImage& image) {
  std::vector<std::uint8_t>& bytes = image.bytes;
  const std::size_t field = image.optionalHeaderOffset + checksumField;
  writeU32(bytes, field, 0);
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    sum += bytes[i] | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0);
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  writeU32(bytes, field, static_cast<std::uint32_t>(sum + bytes.size()));
}

bool isLastSection(const PeImage& image, const PeSection& section) {
  for (const PeSection& other : image.sections) {
    if (&other == &section) continue;
    if (sectionEnd(other) > section.virtualAddress || other.rawOffset > section.rawOffset)
      return false;
  }
  return true;
}

} // namespace

bool parsePeImage(std::vector<std::uint8_t> bytes, PeImage& image, std::string& error) {
  image = {};
  std::uint32_t peOffset = 0, signature = 0;
  std::uint16_t sectionCount = 0, optionalSize = 0, magic = 0;
  if (bytes.size() < 64 || bytes[0] != 'M' || bytes[1] != 'Z' ||
      !readU32(bytes, peOffsetField, peOffset) || !readU32(bytes, peOffset, signature) ||
      signature != 0x00004550)
    return fail(error, "not a Windows executable");
  const std::size_t optional = peOffset + optionalHeaderStart;
  if (!readU16(bytes, peOffset + sectionCountField, sectionCount) ||
      !readU16(bytes, peOffset + optionalSizeField, optionalSize) ||
      !readU16(bytes, optional, magic) || magic != pe32Magic)
    return fail(error, "not a 32-bit Windows executable");
  std::uint32_t directoryCount = 0;
  if (!readU32(bytes, optional + sectionAlignmentField, image.sectionAlignment) ||
      !readU32(bytes, optional + fileAlignmentField, image.fileAlignment) ||
      !readU32(bytes, optional + sizeOfHeadersField, image.sizeOfHeaders) ||
      !readU32(bytes, optional + directoryCountField, directoryCount) || directoryCount <= 4 ||
      optionalSize < directoriesStart + std::size_t{8} * directoryCount ||
      image.sectionAlignment == 0 || image.fileAlignment == 0)
    return fail(error, "damaged executable headers");
  image.peOffset = peOffset;
  image.optionalHeaderOffset = optional;
  image.sectionTableOffset = optional + optionalSize;
  for (std::uint16_t i = 0; i < sectionCount; ++i) {
    PeSection section;
    if (!readSection(bytes, image.sectionTableOffset + i * sectionHeaderSize, section) ||
        section.rawOffset > bytes.size() || bytes.size() - section.rawOffset < section.rawSize)
      return fail(error, "damaged section table");
    image.sections.push_back(section);
  }
  image.bytes = std::move(bytes);
  return true;
}

const PeSection* findSection(const PeImage& image, const std::string& name) {
  for (const PeSection& section : image.sections)
    if (section.name == name) return &section;
  return nullptr;
}

const PeSection* sectionOfRva(const PeImage& image, std::uint32_t rva) {
  for (const PeSection& section : image.sections)
    if (rva >= section.virtualAddress && rva < sectionEnd(section)) return &section;
  return nullptr;
}

bool fileOffsetOfRva(const PeImage& image, std::uint32_t rva, std::uint32_t length,
                     std::size_t& offset) {
  const PeSection* section = sectionOfRva(image, rva);
  if (!section) return false;
  const std::uint32_t inside = rva - section->virtualAddress;
  if (inside > section->rawSize || section->rawSize - inside < length) return false;
  offset = section->rawOffset + inside;
  return true;
}

DataDirectory dataDirectory(const PeImage& image, int index) {
  DataDirectory directory{0, 0};
  const std::size_t at = image.optionalHeaderOffset + directoriesStart + 8 * index;
  readU32(image.bytes, at, directory.rva);
  readU32(image.bytes, at + 4, directory.size);
  return directory;
}

std::uint32_t resourceSectionRva(const PeImage& image) {
  const PeSection* current = sectionOfRva(image, dataDirectory(image, resourceDirectoryIndex).rva);
  if (current && isLastSection(image, *current)) return current->virtualAddress;
  std::uint32_t end = 0;
  for (const PeSection& section : image.sections) end = std::max(end, sectionEnd(section));
  return alignUp(end, image.sectionAlignment);
}

namespace {

// The resource section is already last: it is cut off and written again.
PeSection reuseLastSection(PeImage& image, const PeSection& current) {
  image.bytes.resize(current.rawOffset);
  return current;
}

// A new last section after all the others, in memory and in the file.
bool appendSection(PeImage& image, std::uint32_t rva, const PeSection* current, PeSection& section,
                   std::string& error) {
  const std::size_t headerAt = image.sectionTableOffset + image.sections.size() * sectionHeaderSize;
  std::uint32_t firstRaw = image.sizeOfHeaders;
  for (const PeSection& s : image.sections)
    if (s.rawSize > 0) firstRaw = std::min(firstRaw, s.rawOffset);
  if (headerAt + sectionHeaderSize > firstRaw)
    return fail(error, "no room for another section header in the executable");
  if (current && current->name == ".rsrc") {
    // No longer the resource directory; kept so that addresses stay valid. The section list
    // says so too, or a later search for ".rsrc" would find this one.
    PeSection& old = image.sections[static_cast<std::size_t>(current - image.sections.data())];
    old.name = ".oldrsrc";
    writeSectionHeader(image, old);
  }
  section = {".rsrc", 0, rva, 0, 0, headerAt};
  section.rawOffset = alignUp(static_cast<std::uint32_t>(image.bytes.size()), image.fileAlignment);
  image.bytes.resize(section.rawOffset, 0);
  writeU16(image.bytes, image.peOffset + sectionCountField,
           static_cast<std::uint32_t>(image.sections.size() + 1));
  writeU32(image.bytes, headerAt + 36, readableDataSection);
  image.sections.push_back(section);
  return true;
}

} // namespace

bool installResourceSection(PeImage& image, const std::vector<std::uint8_t>& contents,
                            std::string& error) {
  const std::uint32_t rva = resourceSectionRva(image);
  const PeSection* current = sectionOfRva(image, dataDirectory(image, resourceDirectoryIndex).rva);
  PeSection section;
  if (current && current->virtualAddress == rva) {
    section = reuseLastSection(image, *current);
  } else if (!appendSection(image, rva, current, section, error)) {
    return false;
  }
  section.virtualSize = static_cast<std::uint32_t>(contents.size());
  section.rawSize = alignUp(section.virtualSize, image.fileAlignment);
  image.bytes.insert(image.bytes.end(), contents.begin(), contents.end());
  image.bytes.resize(section.rawOffset + section.rawSize, 0);
  writeSectionHeader(image, section);
  for (PeSection& s : image.sections)
    if (s.headerOffset == section.headerOffset) s = section;
  const std::size_t directory =
      image.optionalHeaderOffset + directoriesStart + 8 * resourceDirectoryIndex;
  writeU32(image.bytes, directory, rva);
  writeU32(image.bytes, directory + 4, section.virtualSize);
  writeU32(image.bytes, image.optionalHeaderOffset + sizeOfImageField,
           alignUp(rva + section.virtualSize, image.sectionAlignment));
  updateChecksum(image);
  return true;
}
