#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/quiztool/byte_io.h"
#include "tools/quiztool/executable/resource_tree.h"

// Synthetic PE32 images for the tests: a DOS header with a stub, the PE header, an optional
// header with 16 data directories, and sections laid out in order after the headers. Every byte
// that the packer has no reason to touch holds something other than zero, so that a test sees it
// when it changes.
class PeBuilder {
public:
  static constexpr std::size_t peOffset = 0x80;
  static constexpr std::size_t optionalOffset = peOffset + 24;
  static constexpr std::size_t optionalSize = 224;
  static constexpr std::size_t sectionTableOffset = optionalOffset + optionalSize;
  static constexpr std::size_t sizeOfImageAt = optionalOffset + 56;
  static constexpr std::size_t checksumAt = optionalOffset + 64;
  static constexpr std::size_t directoriesAt = optionalOffset + 96;
  static constexpr std::size_t resourceDirectoryAt = directoriesAt + 8 * 2;

  std::uint32_t fileAlignment = 0x200;
  std::uint32_t sectionAlignment = 0x1000;
  std::uint32_t headersSize = 0x400; // room for 17 section headers

  // Where the next section will start in memory.
  std::uint32_t nextRva() const {
    std::uint32_t rva = alignUp(headersSize, sectionAlignment);
    for (const Section& s : sections)
      rva += alignUp(std::max<std::uint32_t>(s.virtualSize, 1), sectionAlignment);
    return rva;
  }

  // A section of these raw bytes; `virtualSize` 0 means the size of the bytes. No bytes at all
  // make a section without raw data (like .bss).
  PeBuilder& section(const std::string& name, std::vector<std::uint8_t> data,
                     std::uint32_t virtualSize = 0) {
    const std::uint32_t size = static_cast<std::uint32_t>(data.size());
    sections.push_back({name, std::move(data), virtualSize ? virtualSize : size});
    return *this;
  }

  // A section of `size` bytes counting up from `seed`, recognisable wherever it ends up.
  PeBuilder& filled(const std::string& name, std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> data(size);
    for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(seed + i * 7);
    return section(name, std::move(data));
  }

  // The resource section, written for where it will lie, and the data directory naming it.
  PeBuilder& resources(const ResourceTree& tree, const std::string& name = ".rsrc",
                       std::uint32_t virtualSize = 0) {
    resourceRva = nextRva();
    const std::vector<std::uint8_t> data = writeResourceTree(tree, resourceRva);
    resourceSize = static_cast<std::uint32_t>(data.size());
    return section(name, data, virtualSize);
  }

  std::vector<std::uint8_t> build() const {
    std::vector<std::uint8_t> bytes(headersSize, 0);
    bytes[0] = 'M', bytes[1] = 'Z';
    writeU32(bytes, 0x3C, peOffset);
    const std::string stub = "This program cannot be run in DOS mode.";
    std::copy(stub.begin(), stub.end(), bytes.begin() + 0x4E);
    bytes[peOffset] = 'P', bytes[peOffset + 1] = 'E';
    writeU16(bytes, peOffset + 4, 0x14C); // i386
    writeU16(bytes, peOffset + 6, static_cast<std::uint32_t>(sections.size()));
    writeU32(bytes, peOffset + 8, 0x5F5E1000); // time stamp
    writeU16(bytes, peOffset + 20, optionalSize);
    writeU16(bytes, peOffset + 22, 0x0102); // executable, 32-bit
    const std::size_t o = optionalOffset;
    writeU16(bytes, o, 0x10B);
    writeU32(bytes, o + 16, 0x1000);   // entry point
    writeU32(bytes, o + 28, 0x400000); // image base
    writeU32(bytes, o + 32, sectionAlignment);
    writeU32(bytes, o + 36, fileAlignment);
    writeU16(bytes, o + 40, 4); // operating system version
    writeU16(bytes, o + 48, 4); // subsystem version
    writeU32(bytes, o + 56, alignUp(nextRva(), sectionAlignment));
    writeU32(bytes, o + 60, headersSize);
    writeU16(bytes, o + 68, 2);        // the GUI subsystem
    writeU32(bytes, o + 72, 0x200000); // stack reserve
    writeU32(bytes, o + 92, 16);
    writeU32(bytes, directoriesAt + 8, 0x1010); // an import directory, to be left alone
    writeU32(bytes, directoriesAt + 12, 0x28);
    writeU32(bytes, resourceDirectoryAt, resourceRva);
    writeU32(bytes, resourceDirectoryAt + 4, resourceSize);
    std::uint32_t rva = alignUp(headersSize, sectionAlignment);
    for (std::size_t i = 0; i < sections.size(); ++i) {
      const Section& s = sections[i];
      const std::size_t header = sectionTableOffset + 40 * i;
      std::copy(s.name.begin(), s.name.begin() + std::min<std::size_t>(8, s.name.size()),
                bytes.begin() + header);
      const std::uint32_t rawSize =
          alignUp(static_cast<std::uint32_t>(s.data.size()), fileAlignment);
      const std::uint32_t rawOffset = rawSize ? static_cast<std::uint32_t>(bytes.size()) : 0;
      writeU32(bytes, header + 8, s.virtualSize);
      writeU32(bytes, header + 12, rva);
      writeU32(bytes, header + 16, rawSize);
      writeU32(bytes, header + 20, rawOffset);
      writeU32(bytes, header + 36, 0x40000040);
      bytes.insert(bytes.end(), s.data.begin(), s.data.end());
      bytes.resize(bytes.size() + rawSize - s.data.size(), 0);
      rva += alignUp(std::max<std::uint32_t>(s.virtualSize, 1), sectionAlignment);
    }
    return bytes;
  }

private:
  struct Section {
    std::string name;
    std::vector<std::uint8_t> data;
    std::uint32_t virtualSize;
  };
  std::vector<Section> sections;
  std::uint32_t resourceRva = 0;
  std::uint32_t resourceSize = 0;
};

// The image checksum as a one's-complement sum of 16-bit words, folded once at the end, plus the
// file length: an independent reckoning of what the packer writes.
inline std::uint32_t referenceChecksum(std::vector<std::uint8_t> bytes, std::size_t checksumAt) {
  writeU32(bytes, checksumAt, 0);
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 2)
    sum += bytes[i] + (i + 1 < bytes.size() ? bytes[i + 1] * 256u : 0u);
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint32_t>(sum + bytes.size());
}
