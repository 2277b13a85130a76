#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "tests/unit/pe_builder.h"
#include "tools/quiztool/byte_io.h"
#include "tools/quiztool/executable/resource_tree.h"

namespace {

std::vector<std::uint8_t> bytesOfSize(std::size_t size, std::uint8_t seed) {
  std::vector<std::uint8_t> data(size);
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(seed ^ (i * 13));
  return data;
}

ResourceEntry entry(const ResourceName& type, const ResourceName& name, std::uint16_t language,
                    std::size_t size, std::uint32_t codePage = 0) {
  ResourceEntry e;
  e.type = type;
  e.name = name;
  e.language = language;
  e.codePage = codePage;
  e.data = bytesOfSize(size, static_cast<std::uint8_t>(size + language));
  return e;
}

ResourceName id(std::uint16_t value) {
  return ResourceName::number(value);
}

ResourceName named(const char* text) {
  return ResourceName::text(text);
}

// Named and numbered types and names, three languages of one resource, empty data and odd
// sizes, listed in the order the directory keeps them: named entries first by name, then
// numbered ones by id, languages by id.
std::vector<ResourceEntry> sampleEntries() {
  return {
      entry(named("AVI"), named("INTRO"), 0, 11),
      entry(named("IMG"), id(401), 0, 5),
      entry(named("IMG"), id(10401), 0, 7),
      entry(named("PATCH"), id(104), 0, 1),
      entry(named("PATCH"), id(105), 0, 0),
      entry(id(5), named("ZDIALOG"), 0x40C, 9),
      entry(id(5), id(1001), 0x40C, 33),
      entry(id(10), id(402), 0, 13, 1252),
      entry(id(14), id(1004), 0, 2),
      entry(id(14), id(1004), 0x409, 3),
      entry(id(14), id(1004), 0x40C, 20),
  };
}

// The sample in another order: the writer must sort.
ResourceTree shuffledSample() {
  std::vector<ResourceEntry> entries = sampleEntries();
  std::reverse(entries.begin(), entries.end());
  std::rotate(entries.begin(), entries.begin() + 4, entries.end());
  return {entries};
}

auto key(const ResourceEntry& e) {
  return std::tie(e.type.id, e.type.name, e.name.id, e.name.name, e.language, e.codePage, e.data);
}

void expectSameEntries(const std::vector<ResourceEntry>& got,
                       const std::vector<ResourceEntry>& expected) {
  ASSERT_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i)
    EXPECT_TRUE(key(got[i]) == key(expected[i]))
        << i << ": " << got[i].type.display() << "/" << got[i].name.display() << "/"
        << got[i].language << " where " << expected[i].type.display() << "/"
        << expected[i].name.display() << "/" << expected[i].language << " was expected";
}

// An image of the sample: code, resources, data.
PeImage sampleImage(const ResourceTree& tree) {
  PeBuilder builder;
  builder.filled(".text", 0x300, 1).resources(tree).filled(".data", 0x80, 2);
  PeImage image;
  std::string error;
  EXPECT_TRUE(parsePeImage(builder.build(), image, error)) << error;
  return image;
}

TEST(ResourceTree, ReadsBackWhatItWrote) {
  const PeImage image = sampleImage(shuffledSample());
  ResourceTree read;
  std::string error;
  ASSERT_TRUE(readResourceTree(image, read, error)) << error;
  expectSameEntries(read.entries, sampleEntries());

  // Written again at another address and read again: the same entries.
  PeBuilder builder;
  builder.filled(".text", 0x2345, 3).resources(read, ".rsrc", 0x3000);
  PeImage again;
  ASSERT_TRUE(parsePeImage(builder.build(), again, error)) << error;
  ResourceTree reread;
  ASSERT_TRUE(readResourceTree(again, reread, error)) << error;
  expectSameEntries(reread.entries, sampleEntries());
}

// An empty resource whose data comes last still has an address inside the section.
TEST(ResourceTree, ReadsBackAnEmptyResourcePlacedLast) {
  const std::vector<ResourceEntry> entries = {entry(id(10), id(1), 0, 3),
                                              entry(id(14), id(2), 0, 0)};
  for (const std::uint32_t virtualSize : {0u, 0x2000u}) {
    PeBuilder builder;
    builder.fileAlignment = 0x10;
    builder.filled(".text", 0x10, 1).resources({entries}, ".rsrc", virtualSize);
    PeImage image;
    std::string error;
    ASSERT_TRUE(parsePeImage(builder.build(), image, error)) << error;
    ResourceTree read;
    ASSERT_TRUE(readResourceTree(image, read, error)) << error;
    expectSameEntries(read.entries, entries);
  }
}

TEST(ResourceTree, ReadsAnImageWithoutResources) {
  PeBuilder builder;
  builder.filled(".text", 0x10, 1);
  PeImage image;
  std::string error;
  ASSERT_TRUE(parsePeImage(builder.build(), image, error)) << error;
  ResourceTree tree{{entry(id(1), id(1), 0, 1)}};
  ASSERT_TRUE(readResourceTree(image, tree, error)) << error;
  EXPECT_TRUE(tree.entries.empty());
  // An empty tree is a root directory without entries.
  const std::vector<std::uint8_t> empty = writeResourceTree({}, 0x1000);
  ASSERT_EQ(empty.size(), 16u);
  EXPECT_EQ(empty, std::vector<std::uint8_t>(16, 0));
}

// The directory as it lies in the section.
struct RawEntry {
  std::uint32_t name;
  std::uint32_t target;
};

struct RawDirectory {
  std::uint16_t named = 0, numbered = 0;
  std::vector<RawEntry> entries;
};

RawDirectory rawDirectory(const std::vector<std::uint8_t>& bytes, std::uint32_t at) {
  RawDirectory directory;
  EXPECT_TRUE(readU16(bytes, at + 12, directory.named));
  EXPECT_TRUE(readU16(bytes, at + 14, directory.numbered));
  for (std::uint32_t i = 0; i < directory.named + directory.numbered; ++i) {
    RawEntry e{};
    EXPECT_TRUE(readU32(bytes, at + 16 + 8 * i, e.name));
    EXPECT_TRUE(readU32(bytes, at + 20 + 8 * i, e.target));
    directory.entries.push_back(e);
  }
  return directory;
}

std::string rawName(const std::vector<std::uint8_t>& bytes, std::uint32_t field) {
  if (!(field & 0x80000000)) return std::to_string(field);
  std::uint16_t length = 0;
  EXPECT_TRUE(readU16(bytes, field & 0x7FFFFFFF, length));
  std::string name;
  for (std::uint16_t i = 0; i < length; ++i) {
    std::uint16_t unit = 0;
    EXPECT_TRUE(readU16(bytes, (field & 0x7FFFFFFF) + 2 + 2 * i, unit));
    name += static_cast<char>(unit);
  }
  return name;
}

std::vector<std::string> namesOf(const std::vector<std::uint8_t>& bytes,
                                 const RawDirectory& directory) {
  std::vector<std::string> names;
  for (const RawEntry& e : directory.entries) names.push_back(rawName(bytes, e.name));
  return names;
}

TEST(ResourceTree, WritesSortedDirectoriesWithTheirCounts) {
  constexpr std::uint32_t rva = 0x7000;
  const std::vector<std::uint8_t> bytes = writeResourceTree(shuffledSample(), rva);
  const RawDirectory root = rawDirectory(bytes, 0);
  EXPECT_EQ(root.named, 3);
  EXPECT_EQ(root.numbered, 3);
  using Names = std::vector<std::string>;
  EXPECT_EQ(namesOf(bytes, root), (Names{"AVI", "IMG", "PATCH", "5", "10", "14"}));
  for (const RawEntry& e : root.entries) EXPECT_TRUE(e.target & 0x80000000);

  const RawDirectory dialogs = rawDirectory(bytes, root.entries[3].target & 0x7FFFFFFF);
  EXPECT_EQ(dialogs.named, 1);
  EXPECT_EQ(dialogs.numbered, 1);
  EXPECT_EQ(namesOf(bytes, dialogs), (Names{"ZDIALOG", "1001"}));

  const RawDirectory icons = rawDirectory(bytes, root.entries[5].target & 0x7FFFFFFF);
  ASSERT_EQ(icons.entries.size(), 1u);
  const RawDirectory languages = rawDirectory(bytes, icons.entries[0].target & 0x7FFFFFFF);
  EXPECT_EQ(languages.named, 0);
  EXPECT_EQ(namesOf(bytes, languages), (Names{"0", "1033", "1036"}));
  // Language entries lead to data entries: an address in the section, a size, a code page.
  for (std::size_t i = 0; i < languages.entries.size(); ++i) {
    const std::uint32_t dataEntry = languages.entries[i].target;
    ASSERT_FALSE(dataEntry & 0x80000000);
    std::uint32_t dataRva = 0, size = 0;
    ASSERT_TRUE(readU32(bytes, dataEntry, dataRva));
    ASSERT_TRUE(readU32(bytes, dataEntry + 4, size));
    const ResourceEntry expected = sampleEntries()[8 + i];
    ASSERT_EQ(size, expected.data.size());
    ASSERT_GE(dataRva, rva);
    ASSERT_LE(dataRva - rva + size, bytes.size());
    EXPECT_TRUE(
        std::equal(expected.data.begin(), expected.data.end(), bytes.begin() + (dataRva - rva)));
  }
}

TEST(ResourceTree, StoresNamesInUpperCase) {
  EXPECT_EQ(ResourceName::text("img"), ResourceName::text("IMG"));
  EXPECT_EQ(ResourceName::text("Patch").display(), "PATCH");
  EXPECT_EQ(ResourceName::number(104).display(), "104");
  EXPECT_FALSE(ResourceName::text("IMG") == ResourceName::number(0));
}

TEST(ResourceTree, SetsRemovesAndFindsResources) {
  ResourceTree tree{{entry(named("IMG"), id(401), 0, 3), entry(named("IMG"), id(401), 0x40C, 4),
                     entry(named("IMG"), id(402), 0, 5), entry(id(10), id(401), 0, 6)}};
  // Setting replaces every language of that type and name, and nothing else.
  setResource(tree, named("img"), id(401), {1, 2});
  ASSERT_EQ(tree.entries.size(), 3u);
  const ResourceEntry* found = findResource(tree, named("IMG"), id(401));
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->data, (std::vector<std::uint8_t>{1, 2}));
  EXPECT_EQ(found->language, 0);
  EXPECT_EQ(findResource(tree, id(10), id(401))->data.size(), 6u);
  removeResource(tree, named("IMG"), id(402));
  EXPECT_EQ(findResource(tree, named("IMG"), id(402)), nullptr);
  EXPECT_EQ(tree.entries.size(), 2u);
}

// A small tree of numbered entries only, so that its layout is known: the root at 0 with its
// entry at 16, the names' directory at 24 with its entry at 40, the languages' directory at 48
// with its entry at 64, the data entry at 72, four bytes for names at 88 and the data at 96.
constexpr std::uint32_t rootEntryName = 16, rootEntryTarget = 20, nameEntryName = 40,
                        nameEntryTarget = 44, languageEntryName = 64, languageEntryTarget = 68,
                        dataEntryRva = 72, dataEntrySize = 76, namesAt = 88, dataAt = 96;

struct Write {
  std::uint32_t offset; // in the section
  std::uint32_t value;  // written there as a 32-bit word
};

struct Damage {
  const char* what;
  std::vector<Write> writes;
};

TEST(ResourceTree, RejectsDamagedDirectories) {
  PeBuilder builder;
  builder.filled(".text", 0x200, 1);
  const std::uint32_t rva = builder.nextRva();
  builder.resources({{entry(id(10), id(104), 0, 5)}});
  const std::vector<std::uint8_t> original = builder.build();
  PeImage image;
  std::string error;
  ASSERT_TRUE(parsePeImage(original, image, error)) << error;
  const PeSection& section = image.sections[1];
  ASSERT_EQ(section.virtualAddress, rva);
  ASSERT_EQ(section.rawSize, 0x200u);
  std::uint32_t check = 0;
  ASSERT_TRUE(readU32(original, section.rawOffset + dataEntryRva, check));
  ASSERT_EQ(check, rva + dataAt);

  const Damage damages[] = {
      {"root entries past the section", {{12, 0xFFFF0000}}},
      {"subdirectory past the section", {{rootEntryTarget, 0x80010000}}},
      {"subdirectory header across the end", {{rootEntryTarget, 0x800001FC}}},
      {"entries across the end", {{nameEntryTarget, 0x800001F0}, {0x1F0 + 12, 0x00010000}}},
      {"name string past the section", {{rootEntryName, 0x80010000}}},
      {"name string across the end", {{rootEntryName, 0x800001FF}}},
      {"name string running off the end", {{rootEntryName, 0x800001F8}, {0x1F8, 0x0041FFFF}}},
      {"name without characters", {{rootEntryName, 0x80000000 | namesAt}}},
      {"id above 16 bits", {{nameEntryName, 0x00010068}}},
      {"root leads to itself", {{rootEntryTarget, 0x80000000}}},
      {"names' directory leads to itself", {{nameEntryTarget, 0x80000000 | 24}}},
      {"names' directory leads back to the root", {{nameEntryTarget, 0x80000000}}},
      {"leaf at the type level", {{rootEntryTarget, dataEntryRva}}},
      {"leaf at the name level", {{nameEntryTarget, dataEntryRva}}},
      {"directory at the language level", {{languageEntryTarget, 0x80000000 | 48}}},
      {"named language", {{languageEntryName, 0x80000000 | namesAt}, {namesAt, 0x00410001}}},
      {"data entry past the section", {{languageEntryTarget, 0x1FC}}},
      {"data outside every section", {{dataEntryRva, 0x00F00000}}},
      {"data before the first section", {{dataEntryRva, 0x10}}},
      {"data running past its section's raw data", {{dataEntrySize, 0x200 - dataAt + 1}}},
      {"data as long as memory", {{dataEntrySize, 0xFFFFFFFF}}},
  };
  for (const Damage& damage : damages) {
    std::vector<std::uint8_t> bytes = original;
    for (const Write& write : damage.writes)
      writeU32(bytes, section.rawOffset + write.offset, write.value);
    PeImage damaged;
    ASSERT_TRUE(parsePeImage(bytes, damaged, error)) << damage.what;
    ResourceTree tree;
    EXPECT_FALSE(readResourceTree(damaged, tree, error)) << damage.what;
    EXPECT_EQ(error.rfind("resources: ", 0), 0u) << damage.what << ": " << error;
  }
}

TEST(ResourceTree, RejectsADirectoryOutsideItsSection) {
  const struct {
    const char* what;
    std::uint32_t rva;
  } cases[] = {
      {"in no section", 0x00F00000},
      {"in the headers", 0x100},
      {"in the section's memory beyond its raw data", 0x2000 + 0x800},
  };
  for (const auto& c : cases) {
    PeBuilder builder;
    builder.filled(".text", 0x200, 1).resources({{entry(id(10), id(104), 0, 5)}}, ".rsrc", 0x1000);
    std::vector<std::uint8_t> bytes = builder.build();
    writeU32(bytes, PeBuilder::resourceDirectoryAt, c.rva);
    PeImage image;
    std::string error;
    ASSERT_TRUE(parsePeImage(bytes, image, error)) << c.what;
    ASSERT_EQ(image.sections[1].virtualAddress, 0x2000u);
    ResourceTree tree;
    EXPECT_FALSE(readResourceTree(image, tree, error)) << c.what;
    EXPECT_EQ(error.rfind("resources: ", 0), 0u) << c.what << ": " << error;
  }
}

// A name given twice in one directory: the loader would find only one of them, and a tree
// written back could not hold both.
TEST(ResourceTree, RejectsAnEntryGivenTwice) {
  PeBuilder builder;
  builder.filled(".text", 0x200, 1);
  builder.resources({{entry(id(10), id(104), 0, 5), entry(id(10), id(105), 0, 5)}});
  std::vector<std::uint8_t> bytes = builder.build();
  PeImage image;
  std::string error;
  ASSERT_TRUE(parsePeImage(bytes, image, error));
  const std::uint32_t names = image.sections[1].rawOffset + 24; // the names' directory
  std::uint32_t second = 0;
  ASSERT_TRUE(readU32(bytes, names + 24, second));
  ASSERT_EQ(second, 105u);
  writeU32(bytes, names + 24, 104);
  ASSERT_TRUE(parsePeImage(bytes, image, error));
  ResourceTree tree;
  EXPECT_FALSE(readResourceTree(image, tree, error));
  EXPECT_EQ(error.rfind("resources: ", 0), 0u) << error;
}

// Many entries sharing one subdirectory or one data entry must not multiply the data read: a
// directory of a few hundred bytes could otherwise ask for gigabytes.
TEST(ResourceTree, RejectsDirectoriesThatShareTheirParts) {
  std::vector<ResourceEntry> entries;
  for (std::uint16_t n = 1; n <= 40; ++n) entries.push_back(entry(id(n), id(1), 0, 0x1000));
  PeBuilder builder;
  builder.resources({entries});
  const std::vector<std::uint8_t> original = builder.build();
  PeImage image;
  std::string error;
  ASSERT_TRUE(parsePeImage(original, image, error));
  const std::size_t section = image.sections[0].rawOffset;
  const RawDirectory root =
      rawDirectory(std::vector<std::uint8_t>(original.begin() + section, original.end()), 0);
  ASSERT_EQ(root.entries.size(), 40u);

  // Every type leads to the first type's names.
  std::vector<std::uint8_t> shared = original;
  for (std::size_t i = 1; i < 40; ++i)
    writeU32(shared, section + 16 + 8 * i + 4, root.entries[0].target);
  ASSERT_TRUE(parsePeImage(shared, image, error));
  ResourceTree tree;
  EXPECT_FALSE(readResourceTree(image, tree, error));
}

// Every bit of a directory flipped, and every length of it cut: an error or entries that write
// and read back the same, never a crash.
TEST(ResourceTree, SurvivesEveryFlippedBit) {
  PeBuilder builder;
  builder.filled(".text", 0x40, 1);
  builder.resources({{entry(named("IMG"), id(401), 0, 3), entry(id(10), named("AB"), 0x40C, 2),
                      entry(id(10), id(7), 0, 0)}});
  const std::vector<std::uint8_t> original = builder.build();
  PeImage image;
  std::string error;
  ASSERT_TRUE(parsePeImage(original, image, error));
  const std::size_t start = image.sections[1].rawOffset;
  int accepted = 0;
  for (std::size_t at = start; at < start + 0x100; ++at) {
    for (int bit = 0; bit < 8; ++bit) {
      std::vector<std::uint8_t> bytes = original;
      bytes[at] ^= static_cast<std::uint8_t>(1 << bit);
      ResourceTree tree;
      if (!parsePeImage(bytes, image, error) || !readResourceTree(image, tree, error)) continue;
      ++accepted;
      PeBuilder again;
      again.resources(tree);
      PeImage rebuilt;
      ASSERT_TRUE(parsePeImage(again.build(), rebuilt, error));
      ResourceTree reread;
      ASSERT_TRUE(readResourceTree(rebuilt, reread, error)) << at << " " << bit;
      auto sorted = [](std::vector<ResourceEntry> entries) {
        std::sort(entries.begin(), entries.end(),
                  [](const ResourceEntry& a, const ResourceEntry& b) { return key(a) < key(b); });
        return entries;
      };
      expectSameEntries(sorted(reread.entries), sorted(tree.entries));
    }
  }
  EXPECT_GT(accepted, 0);
}

} // namespace
