#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/quiztool/executable/pe_image.h"

// The resources of an executable as a flat list (type, name, language, data), read from and
// written back to the three-level resource directory.

// An integer id, or a name (stored in upper case, as resource compilers store them and as the
// loader compares them).
struct ResourceName {
  std::uint16_t id = 0;
  std::u16string name;

  static ResourceName number(std::uint16_t id) { return {id, {}}; }
  static ResourceName text(const std::string& ascii);
  bool operator==(const ResourceName& other) const { return id == other.id && name == other.name; }
  std::string display() const; // "104" or "PATCH"
};

struct ResourceEntry {
  ResourceName type;
  ResourceName name;
  std::uint16_t language = 0;
  std::uint32_t codePage = 0;
  std::vector<std::uint8_t> data;
};

struct ResourceTree {
  std::vector<ResourceEntry> entries;
};

constexpr std::uint16_t rcdataType = 10;

// False, with a message, when the directory is damaged (it is read with every offset checked).
bool readResourceTree(const PeImage& image, ResourceTree& tree, std::string& error);
// The directory, its data entries, names and data, laid out for a section at `sectionRva`.
std::vector<std::uint8_t> writeResourceTree(const ResourceTree& tree, std::uint32_t sectionRva);

// Adds a resource, or replaces every language of the one with that type and name.
void setResource(ResourceTree& tree, const ResourceName& type, const ResourceName& name,
                 std::vector<std::uint8_t> data);
void removeResource(ResourceTree& tree, const ResourceName& type, const ResourceName& name);
const ResourceEntry* findResource(const ResourceTree& tree, const ResourceName& type,
                                  const ResourceName& name);
