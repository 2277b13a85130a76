// A Windows executable read from its bytes and given a new resource section (PE32 and PE32+).
#include "tools/quiztool/executable/pe_image.h"

#include <algorithm>

#include "tools/quiztool/byte_io.h"
#include "tools/quiztool/fail.h"
#include "tools/quiztool/messages/messages.h"

namespace {

// Offsets inside the headers.
constexpr std::size_t peOffsetField = 0x3C;
constexpr std::size_t sectionCountField = 6;    // from the PE signature
constexpr std::size_t optionalSizeField = 20;   // from the PE signature
constexpr std::size_t optionalHeaderStart = 24; // from the PE signature
constexpr std::uint16_t pe32Magic = 0x10B;
constexpr std::uint16_t pe32PlusMagic = 0x20B; // 64-bit images: wider fields before the directories
constexpr std::size_t sectionAlignmentField = 32; // from the optional header
constexpr std::size_t fileAlignmentField = 36;
constexpr std::size_t sizeOfImageField = 56;
constexpr std::size_t sizeOfHeadersField = 60;
constexpr std::size_t checksumField = 64;
constexpr std::size_t pe32DirectoriesStart = 96;
constexpr std::size_t pe32PlusDirectoriesStart = 112;
constexpr std::size_t sectionHeaderSize = 40;
constexpr std::uint32_t readableDataSection = 0x40000040;
constexpr std::uint32_t maxFileAlignment = 0x10000;
constexpr std::uint64_t addressSpaceEnd = std::uint64_t{1} << 32;

bool readSection(const std::vector<std::uint8_t>& bytes, std::size_t at, PeSection& section) {
  if (at + sectionHeaderSize > bytes.size()) return false;
  const auto* name = reinterpret_cast<const char*>(&bytes[at]);
  section.name.assign(name, std::find(name, name + 8, '\0'));
  section.headerOffset = at;
  return readU32(bytes, at + 8, section.virtualSize) &&
         readU32(bytes, at + 12, section.virtualAddress) &&
         readU32(bytes, at + 16, section.rawSize) && readU32(bytes, at + 20, section.rawOffset);
}

// Counted in 64 bits: a section near the top of the address space must not wrap around to 0.
std::uint64_t sectionEnd(const PeSection& section) {
  return std::uint64_t{section.virtualAddress} + std::max(section.virtualSize, section.rawSize);
}

bool isPowerOfTwo(std::uint32_t value) {
  return value != 0 && (value & (value - 1)) == 0;
}

std::uint64_t alignUp64(std::uint64_t value, std::uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
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

} // namespace

bool parsePeImage(std::vector<std::uint8_t> bytes, PeImage& image, std::string& error) {
  image = {};
  std::uint32_t peOffset = 0, signature = 0;
  std::uint16_t sectionCount = 0, optionalSize = 0, magic = 0;
  if (bytes.size() < 64 || bytes[0] != 'M' || bytes[1] != 'Z' ||
      !readU32(bytes, peOffsetField, peOffset) || !readU32(bytes, peOffset, signature) ||
      signature != 0x00004550)
    return fail(error, say(Msg::notWindowsExecutable));
  const std::size_t optional = peOffset + optionalHeaderStart;
  if (!readU16(bytes, peOffset + sectionCountField, sectionCount) ||
      !readU16(bytes, peOffset + optionalSizeField, optionalSize) ||
      !readU16(bytes, optional, magic) || (magic != pe32Magic && magic != pe32PlusMagic))
    return fail(error, say(Msg::notOf32Or64Bits));
  // The directory count is the field right before the directories.
  const std::size_t directoriesStart =
      magic == pe32Magic ? pe32DirectoriesStart : pe32PlusDirectoriesStart;
  std::uint32_t directoryCount = 0;
  if (!readU32(bytes, optional + sectionAlignmentField, image.sectionAlignment) ||
      !readU32(bytes, optional + fileAlignmentField, image.fileAlignment) ||
      !readU32(bytes, optional + sizeOfHeadersField, image.sizeOfHeaders) ||
      !readU32(bytes, optional + directoriesStart - 4, directoryCount) || directoryCount <= 4 ||
      optionalSize < directoriesStart + std::size_t{8} * directoryCount ||
      optional + optionalSize > bytes.size() || !isPowerOfTwo(image.sectionAlignment) ||
      !isPowerOfTwo(image.fileAlignment) || image.fileAlignment > maxFileAlignment)
    return fail(error, say(Msg::executableHeadersDamaged));
  image.peOffset = peOffset;
  image.optionalHeaderOffset = optional;
  image.directoriesOffset = optional + directoriesStart;
  image.sectionTableOffset = optional + optionalSize;
  for (std::uint16_t i = 0; i < sectionCount; ++i) {
    PeSection section;
    if (!readSection(bytes, image.sectionTableOffset + i * sectionHeaderSize, section) ||
        section.rawOffset > bytes.size() || bytes.size() - section.rawOffset < section.rawSize)
      return fail(error, say(Msg::sectionTableDamaged));
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
  const std::size_t at = image.directoriesOffset + 8 * index;
  readU32(image.bytes, at, directory.rva);
  readU32(image.bytes, at + 4, directory.size);
  return directory;
}

namespace {

// The section holding the resource directory; none when the image has no resources (address 0).
const PeSection* currentResourceSection(const PeImage& image) {
  const std::uint32_t rva = dataDirectory(image, resourceDirectoryIndex).rva;
  return rva == 0 ? nullptr : sectionOfRva(image, rva);
}

// The resource section when it can be cut off and written again: nothing lies after it, neither
// another section (in memory or in the file) nor the headers.
const PeSection* lastResourceSection(const PeImage& image) {
  const PeSection* current = currentResourceSection(image);
  if (!current ||
      current->rawOffset < image.sectionTableOffset + image.sections.size() * sectionHeaderSize)
    return nullptr;
  for (const PeSection& other : image.sections) {
    if (&other == current) continue;
    if (sectionEnd(other) > current->virtualAddress ||
        std::uint64_t{other.rawOffset} + other.rawSize > current->rawOffset)
      return nullptr;
  }
  return current;
}

// Where a new last section starts in memory: after the headers (which also keeps it off the
// address 0, which means "no resources") and after every section. It may lie past the 32-bit
// address space; installResourceSection then refuses.
std::uint64_t nextSectionRva(const PeImage& image) {
  std::uint64_t end = std::max<std::uint32_t>(image.sizeOfHeaders, 1);
  for (const PeSection& section : image.sections) end = std::max(end, sectionEnd(section));
  return alignUp64(end, image.sectionAlignment);
}

} // namespace

std::uint32_t resourceSectionRva(const PeImage& image) {
  if (const PeSection* last = lastResourceSection(image)) return last->virtualAddress;
  return static_cast<std::uint32_t>(nextSectionRva(image));
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
  // The header goes into the headers area, before any section's data, inside the file.
  std::size_t firstRaw = std::min<std::size_t>(image.sizeOfHeaders, image.bytes.size());
  for (const PeSection& s : image.sections)
    if (s.rawSize > 0) firstRaw = std::min<std::size_t>(firstRaw, s.rawOffset);
  if (headerAt + sectionHeaderSize > firstRaw) return fail(error, say(Msg::noRoomForSection));
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
  const PeSection* last = lastResourceSection(image);
  const std::uint64_t start = last ? last->virtualAddress : nextSectionRva(image);
  if (alignUp64(start + contents.size(), image.sectionAlignment) >= addressSpaceEnd)
    return fail(error, say(Msg::noAddressSpace));
  // Section offsets and sizes in the file are 32-bit fields too.
  const std::uint64_t fileStart = last ? last->rawOffset : image.bytes.size();
  if (alignUp64(fileStart, image.fileAlignment) + alignUp64(contents.size(), image.fileAlignment) >=
      addressSpaceEnd)
    return fail(error, say(Msg::executableTooLarge));
  const auto rva = static_cast<std::uint32_t>(start);
  PeSection section;
  if (last) {
    section = reuseLastSection(image, *last);
  } else if (!appendSection(image, rva, currentResourceSection(image), section, error)) {
    return false;
  }
  section.virtualSize = static_cast<std::uint32_t>(contents.size());
  section.rawSize = alignUp(section.virtualSize, image.fileAlignment);
  image.bytes.insert(image.bytes.end(), contents.begin(), contents.end());
  image.bytes.resize(section.rawOffset + section.rawSize, 0);
  writeSectionHeader(image, section);
  for (PeSection& s : image.sections)
    if (s.headerOffset == section.headerOffset) s = section;
  const std::size_t directory = image.directoriesOffset + 8 * resourceDirectoryIndex;
  writeU32(image.bytes, directory, rva);
  writeU32(image.bytes, directory + 4, section.virtualSize);
  writeU32(image.bytes, image.optionalHeaderOffset + sizeOfImageField,
           alignUp(rva + section.virtualSize, image.sectionAlignment));
  updateChecksum(image);
  return true;
}
