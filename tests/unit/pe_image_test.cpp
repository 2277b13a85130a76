#include <gtest/gtest.h>

#include <utility>

#include "tests/unit/pe_builder.h"
#include "tools/quiztool/byte_io.h"
#include "tools/quiztool/executable/pe_image.h"
#include "tools/quiztool/executable/resource_tree.h"

namespace {

ResourceTree smallTree(std::size_t size) {
  ResourceEntry e;
  e.type = ResourceName::text("PATCH");
  e.name = ResourceName::number(104);
  e.data.assign(size, 0x5A);
  return {{e}};
}

PeImage parsed(const std::vector<std::uint8_t>& bytes) {
  PeImage image;
  std::string error;
  EXPECT_TRUE(parsePeImage(bytes, image, error)) << error;
  return image;
}

std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  EXPECT_TRUE(readU32(bytes, offset, value));
  return value;
}

TEST(PeImage, ReadsTheHeadersAndSections) {
  PeBuilder builder;
  builder.filled(".text", 0x345, 1).section(".bss", {}, 0x2000).filled(".data", 0x20, 2);
  const PeImage image = parsed(builder.build());
  EXPECT_EQ(image.peOffset, PeBuilder::peOffset);
  EXPECT_EQ(image.optionalHeaderOffset, PeBuilder::optionalOffset);
  EXPECT_EQ(image.sectionTableOffset, PeBuilder::sectionTableOffset);
  EXPECT_EQ(image.sectionAlignment, 0x1000u);
  EXPECT_EQ(image.fileAlignment, 0x200u);
  EXPECT_EQ(image.sizeOfHeaders, 0x400u);
  ASSERT_EQ(image.sections.size(), 3u);
  const struct {
    const char* name;
    std::uint32_t virtualSize, virtualAddress, rawSize, rawOffset;
  } expected[] = {{".text", 0x345, 0x1000, 0x400, 0x400},
                  {".bss", 0x2000, 0x2000, 0, 0},
                  {".data", 0x20, 0x4000, 0x200, 0x800}};
  for (std::size_t i = 0; i < 3; ++i) {
    const PeSection& s = image.sections[i];
    EXPECT_EQ(s.name, expected[i].name);
    EXPECT_EQ(s.virtualSize, expected[i].virtualSize) << i;
    EXPECT_EQ(s.virtualAddress, expected[i].virtualAddress) << i;
    EXPECT_EQ(s.rawSize, expected[i].rawSize) << i;
    EXPECT_EQ(s.rawOffset, expected[i].rawOffset) << i;
    EXPECT_EQ(s.headerOffset, PeBuilder::sectionTableOffset + 40 * i);
  }
  EXPECT_EQ(findSection(image, ".data"), &image.sections[2]);
  EXPECT_EQ(findSection(image, ".dat"), nullptr);
  // A section spans the larger of its sizes in memory and in the file.
  EXPECT_EQ(sectionOfRva(image, 0x13FF), &image.sections[0]);
  EXPECT_EQ(sectionOfRva(image, 0x1400), nullptr);
  EXPECT_EQ(sectionOfRva(image, 0x3FFF), &image.sections[1]);
  EXPECT_EQ(sectionOfRva(image, 0x0FFF), nullptr);

  // Addresses with raw data behind them, and only those.
  std::size_t offset = 0;
  EXPECT_TRUE(fileOffsetOfRva(image, 0x1010, 0x10, offset));
  EXPECT_EQ(offset, 0x410u);
  EXPECT_TRUE(fileOffsetOfRva(image, 0x1000, 0x400, offset));
  EXPECT_FALSE(fileOffsetOfRva(image, 0x1000, 0x401, offset));
  EXPECT_FALSE(fileOffsetOfRva(image, 0x2000, 1, offset));
  EXPECT_FALSE(fileOffsetOfRva(image, 0x1FFF, 0xFFFFFFFF, offset));
  EXPECT_EQ(dataDirectory(image, 1).rva, 0x1010u);
  EXPECT_EQ(dataDirectory(image, 1).size, 0x28u);
}

TEST(PeImage, RejectsWhatIsNotAWellFormedPe32Image) {
  PeBuilder builder;
  builder.filled(".text", 0x100, 1).filled(".data", 0x100, 2);
  const std::vector<std::uint8_t> good = builder.build();
  const std::size_t pe = PeBuilder::peOffset, optional = PeBuilder::optionalOffset;
  const std::size_t table = PeBuilder::sectionTableOffset;
  const struct {
    const char* what;
    std::size_t offset; // a 32-bit word written there; or the length to cut the file to
    std::uint32_t value;
    bool cut;
    const char* error;
  } cases[] = {
      {"too short", 63, 0, true, "not a Windows executable"},
      {"no MZ", 0, 0x5A4E, false, "not a Windows executable"},
      {"PE header past the end", 0x3C, 0xFFFFFFF0, false, "not a Windows executable"},
      {"PE header across the end", 0x3C, 0x7FE, false, "not a Windows executable"},
      {"no PE signature", pe, 0x00004551, false, "not a Windows executable"},
      {"cut inside the PE header", pe + 8, 0, true, "not a 32-bit or 64-bit Windows executable"},
      {"ROM image", optional, 0x107, false, "not a 32-bit or 64-bit Windows executable"},
      {"PE32+ magic over PE32 fields", optional, 0x20B, false, "damaged executable headers"},
      {"cut inside the optional header", optional + 40, 0, true, "damaged executable headers"},
      {"section alignment 0", optional + 32, 0, false, "damaged executable headers"},
      {"file alignment 0", optional + 36, 0, false, "damaged executable headers"},
      {"four data directories", optional + 92, 4, false, "damaged executable headers"},
      {"cut inside the data directories", optional + 200, 0, true, "damaged executable headers"},
      {"file alignment not a power of two", optional + 36, 0x300, false,
       "damaged executable headers"},
      {"file alignment above 64K", optional + 36, 0x20000, false, "damaged executable headers"},
      {"section alignment not a power of two", optional + 32, 0x1001, false,
       "damaged executable headers"},
      {"section count past the headers", pe + 4, 0x0100014C, false, "damaged section table"},
      {"section data past the end", table + 40 + 20, 0x10000, false, "damaged section table"},
      {"section data across the end", table + 40 + 16, 0x400, false, "damaged section table"},
      {"section data as long as memory", table + 16, 0xFFFFFE00, false, "damaged section table"},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> bytes = good;
    if (c.cut)
      bytes.resize(c.offset);
    else
      writeU32(bytes, c.offset, c.value);
    PeImage image;
    std::string error;
    EXPECT_FALSE(parsePeImage(bytes, image, error)) << c.what;
    EXPECT_EQ(error, c.error) << c.what;
  }
}

// Offsets in the headers where installing a resource section may write; everything else in
// them must stay as it was.
struct Range {
  std::size_t start, length;
};

void expectOnlyChanged(const std::vector<std::uint8_t>& before,
                       const std::vector<std::uint8_t>& after, std::size_t end,
                       const std::vector<Range>& allowed) {
  for (std::size_t i = 0; i < end; ++i) {
    if (before[i] == after[i]) continue;
    bool inside = false;
    for (const Range& r : allowed) inside = inside || (i >= r.start && i < r.start + r.length);
    EXPECT_TRUE(inside) << "byte " << i << " changed";
  }
}

void expectSectionsKept(const PeImage& before, const std::vector<std::uint8_t>& after,
                        std::size_t skip) {
  for (std::size_t i = 0; i < before.sections.size(); ++i) {
    if (i == skip) continue;
    const PeSection& s = before.sections[i];
    ASSERT_LE(s.rawOffset + s.rawSize, after.size()) << s.name;
    EXPECT_TRUE(std::equal(before.bytes.begin() + s.rawOffset,
                           before.bytes.begin() + s.rawOffset + s.rawSize,
                           after.begin() + s.rawOffset))
        << s.name;
  }
}

// What the image says once written, read afresh, matches what the installer kept in memory.
void expectSameAsReread(const PeImage& image) {
  const PeImage reread = parsed(image.bytes);
  ASSERT_EQ(reread.sections.size(), image.sections.size());
  for (std::size_t i = 0; i < image.sections.size(); ++i) {
    EXPECT_EQ(reread.sections[i].name, image.sections[i].name) << i;
    EXPECT_EQ(reread.sections[i].virtualSize, image.sections[i].virtualSize) << i;
    EXPECT_EQ(reread.sections[i].virtualAddress, image.sections[i].virtualAddress) << i;
    EXPECT_EQ(reread.sections[i].rawSize, image.sections[i].rawSize) << i;
    EXPECT_EQ(reread.sections[i].rawOffset, image.sections[i].rawOffset) << i;
  }
}

void expectResources(const PeImage& image, std::size_t size) {
  ResourceTree tree;
  std::string error;
  ASSERT_TRUE(readResourceTree(image, tree, error)) << error;
  ASSERT_EQ(tree.entries.size(), 1u);
  EXPECT_EQ(tree.entries[0].data, std::vector<std::uint8_t>(size, 0x5A));
}

TEST(PeImage, RewritesALastResourceSectionInPlace) {
  for (const std::size_t size : {std::size_t{3}, std::size_t{0x1234}}) {
    PeBuilder builder;
    builder.filled(".text", 0x300, 1).filled(".data", 0x123, 2).resources(smallTree(0x800));
    PeImage image = parsed(builder.build());
    const PeImage before = image;
    const std::uint32_t rva = resourceSectionRva(image);
    EXPECT_EQ(rva, 0x3000u);
    const std::vector<std::uint8_t> contents = writeResourceTree(smallTree(size), rva);
    std::string error;
    ASSERT_TRUE(installResourceSection(image, contents, error)) << error;

    ASSERT_EQ(image.sections.size(), 3u);
    const PeSection& section = image.sections[2];
    EXPECT_EQ(section.name, ".rsrc");
    EXPECT_EQ(section.virtualAddress, 0x3000u);
    EXPECT_EQ(section.virtualSize, contents.size());
    EXPECT_EQ(section.rawOffset, before.sections[2].rawOffset);
    EXPECT_EQ(section.rawSize, alignUp(static_cast<std::uint32_t>(contents.size()), 0x200));
    EXPECT_EQ(image.bytes.size(), section.rawOffset + section.rawSize);
    EXPECT_EQ(u32At(image.bytes, PeBuilder::resourceDirectoryAt), 0x3000u);
    EXPECT_EQ(u32At(image.bytes, PeBuilder::resourceDirectoryAt + 4), contents.size());
    EXPECT_EQ(u32At(image.bytes, PeBuilder::sizeOfImageAt),
              alignUp(0x3000 + static_cast<std::uint32_t>(contents.size()), 0x1000));
    EXPECT_EQ(u32At(image.bytes, PeBuilder::checksumAt),
              referenceChecksum(image.bytes, PeBuilder::checksumAt));
    EXPECT_TRUE(
        std::equal(contents.begin(), contents.end(), image.bytes.begin() + section.rawOffset));
    const std::size_t header = section.headerOffset;
    expectOnlyChanged(before.bytes, image.bytes, before.sections[0].rawOffset,
                      {{PeBuilder::resourceDirectoryAt, 8},
                       {PeBuilder::sizeOfImageAt, 4},
                       {PeBuilder::checksumAt, 4},
                       {header + 8, 4},
                       {header + 16, 4}});
    expectSectionsKept(before, image.bytes, 2);
    expectSameAsReread(image);
    expectResources(image, size);
  }
}

TEST(PeImage, AppendsANewResourceSectionWhenTheOldOneIsNotLast) {
  PeBuilder builder;
  builder.filled(".text", 0x300, 1).resources(smallTree(0x40)).filled(".quizset", 0x50, 3);
  PeImage image = parsed(builder.build());
  const PeImage before = image;
  const std::uint32_t rva = resourceSectionRva(image);
  EXPECT_EQ(rva, 0x4000u);
  const std::vector<std::uint8_t> contents = writeResourceTree(smallTree(0x345), rva);
  std::string error;
  ASSERT_TRUE(installResourceSection(image, contents, error)) << error;

  ASSERT_EQ(image.sections.size(), 4u);
  std::uint16_t count = 0;
  ASSERT_TRUE(readU16(image.bytes, PeBuilder::peOffset + 6, count));
  EXPECT_EQ(count, 4);
  EXPECT_EQ(image.sections[1].name, ".oldrsrc");
  const PeSection& section = image.sections[3];
  EXPECT_EQ(section.name, ".rsrc");
  EXPECT_EQ(section.virtualAddress, 0x4000u);
  EXPECT_EQ(section.virtualSize, contents.size());
  EXPECT_EQ(section.rawOffset, before.bytes.size());
  EXPECT_EQ(section.rawSize, 0x400u);
  EXPECT_EQ(section.headerOffset, PeBuilder::sectionTableOffset + 3 * 40);
  EXPECT_EQ(u32At(image.bytes, section.headerOffset + 36), 0x40000040u);
  EXPECT_EQ(image.bytes.size(), before.bytes.size() + 0x400);
  EXPECT_EQ(u32At(image.bytes, PeBuilder::resourceDirectoryAt), 0x4000u);
  EXPECT_EQ(u32At(image.bytes, PeBuilder::resourceDirectoryAt + 4), contents.size());
  EXPECT_EQ(u32At(image.bytes, PeBuilder::sizeOfImageAt), 0x5000u);
  EXPECT_EQ(u32At(image.bytes, PeBuilder::checksumAt),
            referenceChecksum(image.bytes, PeBuilder::checksumAt));
  expectOnlyChanged(before.bytes, image.bytes, before.sections[0].rawOffset,
                    {{PeBuilder::peOffset + 6, 2},
                     {PeBuilder::resourceDirectoryAt, 8},
                     {PeBuilder::sizeOfImageAt, 4},
                     {PeBuilder::checksumAt, 4},
                     {before.sections[1].headerOffset, 8},
                     {section.headerOffset, 40}});
  expectSectionsKept(before, image.bytes, before.sections.size());
  expectSameAsReread(image);
  expectResources(image, 0x345);

  // Packing again finds the new section last and rewrites it.
  const PeImage second = image;
  const std::vector<std::uint8_t> smaller = writeResourceTree(smallTree(5), 0x4000);
  ASSERT_TRUE(installResourceSection(image, smaller, error)) << error;
  EXPECT_EQ(image.sections.size(), 4u);
  EXPECT_EQ(image.bytes.size(), second.bytes.size() - 0x200);
  expectSameAsReread(image);
  expectResources(image, 5);
}

// Cutting the resource section off and writing it again would cut what lies after it: in those
// images the new section goes after everything, and everything else stays.
TEST(PeImage, AppendsWhenTheResourceSectionCannotBeCutOff) {
  const std::size_t text = PeBuilder::sectionTableOffset;
  const struct {
    const char* what;
    bool withResources;
    std::size_t headerField; // in the section table
    std::uint32_t value;
  } cases[] = {
      {"no resources, a section at address 0", false, text + 12, 0},
      {"another section's data running into the resource section's", true, text + 16, 0x600},
  };
  for (const auto& c : cases) {
    PeBuilder builder;
    builder.filled(".text", 0x300, 1);
    if (c.withResources) builder.resources(smallTree(0x40));
    std::vector<std::uint8_t> bytes = builder.build();
    writeU32(bytes, c.headerField, c.value);
    PeImage image = parsed(bytes);
    const PeImage before = image;
    std::string error;
    ASSERT_TRUE(installResourceSection(
        image, writeResourceTree(smallTree(7), resourceSectionRva(image)), error))
        << c.what << ": " << error;
    EXPECT_EQ(image.sections.size(), before.sections.size() + 1) << c.what;
    EXPECT_GE(image.sections.back().rawOffset, before.bytes.size()) << c.what;
    expectSectionsKept(before, image.bytes, before.sections.size());
    expectSameAsReread(image);
    expectResources(image, 7);
  }

  // A resource section whose data begins inside the headers leaves no room for a new header.
  PeBuilder builder;
  builder.filled(".text", 0x300, 1).resources(smallTree(0x40));
  std::vector<std::uint8_t> bytes = builder.build();
  writeU32(bytes, PeBuilder::sectionTableOffset + 40 + 20, 0x100);
  PeImage image = parsed(bytes);
  std::string error;
  EXPECT_FALSE(installResourceSection(
      image, writeResourceTree(smallTree(7), resourceSectionRva(image)), error));
  EXPECT_EQ(error, "no room for another section header in the executable");
  EXPECT_EQ(image.bytes, bytes);
}

// A new section starts after the headers in memory, never at address 0, even when a section
// without size lies there.
TEST(PeImage, PutsANewSectionAfterTheHeaders) {
  PeBuilder builder;
  builder.section(".bss", {}, 0);
  std::vector<std::uint8_t> bytes = builder.build();
  writeU32(bytes, PeBuilder::sectionTableOffset + 12, 0);
  PeImage image = parsed(bytes);
  EXPECT_EQ(resourceSectionRva(image), 0x1000u);
  std::string error;
  ASSERT_TRUE(installResourceSection(image, writeResourceTree(smallTree(3), 0x1000), error))
      << error;
  expectSameAsReread(image);
  expectResources(image, 3);
}

// What does not fit is refused before anything changes.
TEST(PeImage, RefusesSectionsThatWouldNotFit) {
  const std::string noRoom = "no room for another section header in the executable";
  const std::string noSpace = "no address space left for the resources in the executable";
  const std::size_t text = PeBuilder::sectionTableOffset;
  const struct {
    const char* what;
    bool sections;
    std::size_t cutTo; // 0: the whole file
    std::size_t field; // a 32-bit word written there, when not 0
    std::uint32_t value;
    std::size_t size; // of the new resources
    const std::string& error;
  } cases[] = {
      {"headers area longer than the file", false, PeBuilder::sectionTableOffset, 0, 0, 3, noRoom},
      {"a section at the top of memory", true, 0, text + 12, 0xFFFFF000, 3, noSpace},
      {"a last resource section too near the top", true, 0, text + 40 + 12, 0xFFFFE000, 0x2000,
       noSpace},
  };
  for (const auto& c : cases) {
    PeBuilder builder;
    if (c.sections) builder.filled(".text", 0x300, 1).resources(smallTree(8));
    std::vector<std::uint8_t> bytes = builder.build();
    if (c.cutTo) bytes.resize(c.cutTo);
    if (c.field) writeU32(bytes, c.field, c.value);
    if (c.field == text + 40 + 12) writeU32(bytes, PeBuilder::resourceDirectoryAt, c.value);
    PeImage image = parsed(bytes);
    std::string error;
    EXPECT_FALSE(installResourceSection(
        image, writeResourceTree(smallTree(c.size), resourceSectionRva(image)), error))
        << c.what;
    EXPECT_EQ(error, c.error) << c.what;
    EXPECT_EQ(image.bytes, bytes) << c.what;
  }
}

TEST(PeImage, AddsAResourceSectionToAnImageWithoutOne) {
  PeBuilder builder;
  builder.filled(".text", 0x300, 1).filled(".data", 0x10, 2);
  PeImage image = parsed(builder.build());
  const PeImage before = image;
  const std::vector<std::uint8_t> contents =
      writeResourceTree(smallTree(9), resourceSectionRva(image));
  std::string error;
  ASSERT_TRUE(installResourceSection(image, contents, error)) << error;
  ASSERT_EQ(image.sections.size(), 3u);
  EXPECT_EQ(image.sections[2].name, ".rsrc");
  EXPECT_EQ(image.sections[2].virtualAddress, 0x3000u);
  EXPECT_EQ(image.sections[1].name, ".data");
  expectSectionsKept(before, image.bytes, before.sections.size());
  expectSameAsReread(image);
  expectResources(image, 9);
}

TEST(PeImage, ReportsHeadersWithoutRoomForAnotherSection) {
  PeBuilder builder;
  builder.headersSize = 0x200; // the table ends at 0x1F0: three headers fit, not four
  builder.filled(".text", 0x30, 1).resources(smallTree(4)).filled(".data", 0x30, 2);
  PeImage image = parsed(builder.build());
  const std::vector<std::uint8_t> before = image.bytes;
  std::string error;
  EXPECT_FALSE(installResourceSection(
      image, writeResourceTree(smallTree(4), resourceSectionRva(image)), error));
  EXPECT_EQ(error, "no room for another section header in the executable");
  EXPECT_EQ(image.bytes, before);
}

// An optional header too short for the data directories it declares: writing the resource
// directory's entry would overwrite the section table.
TEST(PeImage, RejectsAnOptionalHeaderShorterThanItsDirectories) {
  PeBuilder builder; // no sections, so that the section table may move
  std::vector<std::uint8_t> bytes = builder.build();
  const struct {
    std::uint16_t optionalSize;
    std::uint32_t directories;
    bool ok;
  } cases[] = {{0, 16, false},  {96, 16, false}, {223, 16, false}, {224, 16, true},
               {135, 5, false}, {136, 5, true},  {240, 16, true}};
  for (const auto& c : cases) {
    writeU16(bytes, PeBuilder::peOffset + 20, c.optionalSize);
    writeU32(bytes, PeBuilder::optionalOffset + 92, c.directories);
    PeImage image;
    std::string error;
    EXPECT_EQ(parsePeImage(bytes, image, error), c.ok) << c.optionalSize << " " << c.directories;
    if (!c.ok) {
      EXPECT_EQ(error, "damaged executable headers");
    }
  }
}

} // namespace
