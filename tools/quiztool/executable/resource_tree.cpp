// An executable's resource directory read into a flat list and written back.
#include "tools/quiztool/executable/resource_tree.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "tools/quiztool/byte_io.h"
#include "tools/quiztool/fail.h"
#include "tools/quiztool/messages/messages.h"

// Format notes. A resource section starts with a directory: 16 bytes (characteristics, time
// stamp, version, then the counts of named and of numbered entries), followed by 8-byte entries,
// named ones first in order of name, then numbered ones in order of id. An entry's first word is
// an id, or 0x80000000 plus the offset of a name (a 16-bit length and that many UTF-16 units);
// its second word is 0x80000000 plus the offset of a subdirectory, or the offset of a 16-byte
// data entry (data address as an RVA, size, code page, reserved). Offsets count from the start
// of the section. Three levels: type, name, language.

ResourceName ResourceName::text(const std::string& ascii) {
  ResourceName result;
  for (char c : ascii) result.name += static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return result;
}

std::string ResourceName::display() const {
  if (name.empty()) return std::to_string(id);
  std::string out;
  for (char16_t c : name) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

namespace {

constexpr std::uint32_t subdirectoryFlag = 0x80000000;
constexpr std::size_t directoryHeaderSize = 16;
constexpr std::size_t entrySize = 8;
constexpr std::size_t dataEntrySize = 16;

// A damaged or hostile directory can point many entries at the same subdirectory; the walk
// stops after this many entries rather than multiply them.
constexpr int maxEntriesVisited = 100000;

struct SectionView {
  const PeImage& image;
  std::vector<std::uint8_t> bytes; // the raw data of the resource section
  std::uint32_t rva;               // where the section starts in memory
  int visited = 0;                 // directory entries read so far
  std::set<std::size_t> used;      // offsets of the directory tables and data entries read
  std::uint64_t dataRead = 0;      // bytes of resource data copied so far (no wrap in 32 bits)
};

bool readName(const SectionView& view, std::uint32_t field, ResourceName& name) {
  if (!(field & subdirectoryFlag)) {
    name = ResourceName::number(static_cast<std::uint16_t>(field));
    return field <= 0xFFFF;
  }
  const std::size_t at = field & ~subdirectoryFlag;
  std::uint16_t length = 0;
  // A name without characters would read back as the number 0.
  if (!readU16(view.bytes, at, length) || length == 0) return false;
  name = {};
  for (std::uint16_t i = 0; i < length; ++i) {
    std::uint16_t unit = 0;
    if (!readU16(view.bytes, at + 2 + 2 * i, unit)) return false;
    name.name += static_cast<char16_t>(unit);
  }
  return true;
}

// Each data entry serves one resource, and all of them together cannot hold more bytes than
// the file: otherwise a few hundred bytes of directory could ask for gigabytes of copies.
bool readData(SectionView& view, std::size_t at, ResourceEntry& entry) {
  std::uint32_t rva = 0, size = 0;
  std::size_t offset = 0;
  if (!view.used.insert(at).second || !readU32(view.bytes, at, rva) ||
      !readU32(view.bytes, at + 4, size) || !readU32(view.bytes, at + 8, entry.codePage) ||
      !fileOffsetOfRva(view.image, rva, size, offset))
    return false;
  view.dataRead += size;
  if (view.dataRead > view.image.bytes.size()) return false;
  entry.data.assign(view.image.bytes.begin() + offset, view.image.bytes.begin() + offset + size);
  return true;
}

// One directory level; `path` holds the type and name found on the way down.
bool readLevel(SectionView& view, std::size_t at, int level, ResourceEntry& path,
               ResourceTree& tree) {
  std::uint16_t named = 0, numbered = 0;
  // Each table is read once: a tree shares no subdirectory, and this also ends every loop.
  if (!view.used.insert(at).second || !readU16(view.bytes, at + 12, named) ||
      !readU16(view.bytes, at + 14, numbered))
    return false;
  std::set<std::pair<std::u16string, std::uint16_t>> names; // a name given twice is damage
  for (std::size_t i = 0; i < static_cast<std::size_t>(named) + numbered; ++i) {
    if (++view.visited > maxEntriesVisited) return false;
    const std::size_t entry = at + directoryHeaderSize + i * entrySize;
    std::uint32_t nameField = 0, target = 0;
    if (!readU32(view.bytes, entry, nameField) || !readU32(view.bytes, entry + 4, target))
      return false;
    ResourceName name;
    if (!readName(view, nameField, name) || !names.insert({name.name, name.id}).second)
      return false;
    const bool isDirectory = (target & subdirectoryFlag) != 0;
    // Types and names lead to directories; languages, which are numbers, lead to data. Anything
    // else is damage.
    if (isDirectory != (level < 2) || (level == 2 && !name.name.empty())) return false;
    if (level == 0) path.type = name;
    if (level == 1) path.name = name;
    if (level == 2) {
      path.language = name.id;
      if (!readData(view, target, path)) return false;
      tree.entries.push_back(path);
    } else if (!readLevel(view, target & ~subdirectoryFlag, level + 1, path, tree)) {
      return false;
    }
  }
  return true;
}

} // namespace

bool readResourceTree(const PeImage& image, ResourceTree& tree, std::string& error) {
  tree = {};
  const DataDirectory directory = dataDirectory(image, resourceDirectoryIndex);
  if (directory.rva == 0) return true; // no resources at all
  const PeSection* section = sectionOfRva(image, directory.rva);
  if (!section) return fail(error, say(Msg::resourcesOutsideSections));
  SectionView view{image, {}, directory.rva};
  const std::size_t start = section->rawOffset + (directory.rva - section->virtualAddress);
  const std::size_t end = section->rawOffset + section->rawSize;
  if (start > end) return fail(error, say(Msg::resourcesOutsideData));
  view.bytes.assign(image.bytes.begin() + start, image.bytes.begin() + end);
  ResourceEntry path;
  if (!readLevel(view, 0, 0, path, tree)) return fail(error, say(Msg::resourcesDamaged));
  return true;
}

namespace {

// Named entries first, ordered by name, then numbered ones by id: the loader searches the
// directory in this order.
bool nameOrder(const ResourceName& a, const ResourceName& b) {
  if (a.name.empty() != b.name.empty()) return !a.name.empty();
  return a.name.empty() ? a.id < b.id : a.name < b.name;
}

struct NameLess {
  bool operator()(const ResourceName& a, const ResourceName& b) const { return nameOrder(a, b); }
};

using LanguageLevel = std::map<std::uint16_t, const ResourceEntry*>;
using NameLevel = std::map<ResourceName, LanguageLevel, NameLess>;
using TypeLevel = std::map<ResourceName, NameLevel, NameLess>;

struct Layout {
  std::vector<std::uint8_t> bytes;
  std::size_t nextDirectory = 0; // where the next directory table goes
  std::size_t nextDataEntry = 0;
  std::size_t nextString = 0;
  std::size_t nextData = 0;
  std::uint32_t rva = 0;
  std::map<std::u16string, std::size_t> strings; // each name written once
};

std::size_t directorySize(std::size_t entries) {
  return directoryHeaderSize + entries * entrySize;
}

std::uint32_t placeString(Layout& layout, const std::u16string& name) {
  auto found = layout.strings.find(name);
  if (found != layout.strings.end())
    return static_cast<std::uint32_t>(found->second) | subdirectoryFlag;
  const std::size_t at = layout.nextString;
  writeU16(layout.bytes, at, static_cast<std::uint32_t>(name.size()));
  for (std::size_t i = 0; i < name.size(); ++i) writeU16(layout.bytes, at + 2 + 2 * i, name[i]);
  layout.nextString += 2 + 2 * name.size();
  layout.strings[name] = at;
  return static_cast<std::uint32_t>(at) | subdirectoryFlag;
}

// Every resource takes at least one byte of room, so that even an empty one has an address
// inside the section (one at its very end would belong to no section).
std::size_t dataRoom(const ResourceEntry& entry) {
  return alignUp(static_cast<std::uint32_t>(std::max<std::size_t>(entry.data.size(), 1)), 8);
}

std::uint32_t placeData(Layout& layout, const ResourceEntry& entry) {
  const std::size_t dataAt = layout.nextData;
  std::copy(entry.data.begin(), entry.data.end(), layout.bytes.begin() + dataAt);
  layout.nextData = dataAt + dataRoom(entry);
  const std::size_t at = layout.nextDataEntry;
  writeU32(layout.bytes, at, layout.rva + static_cast<std::uint32_t>(dataAt));
  writeU32(layout.bytes, at + 4, static_cast<std::uint32_t>(entry.data.size()));
  writeU32(layout.bytes, at + 8, entry.codePage);
  layout.nextDataEntry += dataEntrySize;
  return static_cast<std::uint32_t>(at);
}

// Writes one directory table for `children` and returns its offset; `writeChild` fills in each
// entry's target.
template <typename Children, typename WriteChild>
std::size_t placeDirectory(Layout& layout, const Children& children, WriteChild writeChild) {
  const std::size_t at = layout.nextDirectory;
  layout.nextDirectory += directorySize(children.size());
  std::size_t named = 0, index = 0;
  for (const auto& [name, child] : children) {
    const std::size_t entry = at + directoryHeaderSize + index++ * entrySize;
    std::uint32_t nameField = 0;
    if constexpr (std::is_same_v<typename Children::key_type, ResourceName>) {
      nameField = name.name.empty() ? name.id : placeString(layout, name.name);
      named += name.name.empty() ? 0 : 1;
    } else {
      nameField = name;
    }
    writeU32(layout.bytes, entry, nameField);
    writeU32(layout.bytes, entry + 4, writeChild(child));
  }
  writeU16(layout.bytes, at + 12, static_cast<std::uint32_t>(named));
  writeU16(layout.bytes, at + 14, static_cast<std::uint32_t>(children.size() - named));
  return at;
}

void sizeLayout(Layout& layout, const TypeLevel& types, const ResourceTree& tree) {
  std::size_t directories = directorySize(types.size()), dataEntries = 0, strings = 0, data = 0;
  for (const auto& [type, names] : types) {
    directories += directorySize(names.size());
    strings += 2 + 2 * type.name.size();
    for (const auto& [name, languages] : names) {
      directories += directorySize(languages.size());
      strings += 2 + 2 * name.name.size();
    }
  }
  for (const ResourceEntry& entry : tree.entries) {
    dataEntries += dataEntrySize;
    data += dataRoom(entry);
  }
  layout.nextDataEntry = directories;
  layout.nextString = directories + dataEntries;
  layout.nextData = alignUp(static_cast<std::uint32_t>(layout.nextString + strings), 8);
  layout.bytes.assign(layout.nextData + data, 0);
}

} // namespace

std::vector<std::uint8_t> writeResourceTree(const ResourceTree& tree, std::uint32_t sectionRva) {
  TypeLevel types;
  for (const ResourceEntry& entry : tree.entries)
    types[entry.type][entry.name][entry.language] = &entry;
  Layout layout;
  layout.rva = sectionRva;
  sizeLayout(layout, types, tree);
  placeDirectory(layout, types, [&](const NameLevel& names) {
    return subdirectoryFlag |
           static_cast<std::uint32_t>(
               placeDirectory(layout, names, [&](const LanguageLevel& languages) {
                 return subdirectoryFlag | static_cast<std::uint32_t>(placeDirectory(
                                               layout, languages, [&](const ResourceEntry* entry) {
                                                 return placeData(layout, *entry);
                                               }));
               }));
  });
  return layout.bytes;
}

void setResource(ResourceTree& tree, const ResourceName& type, const ResourceName& name,
                 std::vector<std::uint8_t> data) {
  removeResource(tree, type, name);
  ResourceEntry entry;
  entry.type = type;
  entry.name = name;
  entry.data = std::move(data);
  tree.entries.push_back(std::move(entry));
}

void removeResource(ResourceTree& tree, const ResourceName& type, const ResourceName& name) {
  std::erase_if(tree.entries, [&](const ResourceEntry& entry) {
    return entry.type == type && entry.name == name;
  });
}

const ResourceEntry* findResource(const ResourceTree& tree, const ResourceName& type,
                                  const ResourceName& name) {
  for (const ResourceEntry& entry : tree.entries)
    if (entry.type == type && entry.name == name) return &entry;
  return nullptr;
}
