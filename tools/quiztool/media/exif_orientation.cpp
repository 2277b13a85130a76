// The EXIF orientation of a JPEG: its APP1 segment holds a TIFF header and a first directory
// of 12-byte entries, one of which may be tag 0x0112.
#include "tools/quiztool/media/exif_orientation.h"

#include "tools/quiztool/byte_io.h"

namespace {

// The orientation entry of the TIFF block at `tiff`, `length` bytes long; 1 without one. Every
// offset is checked against the block, whose own offsets count from its start.
int tiffOrientation(const std::vector<std::uint8_t>& b, std::size_t tiff, std::size_t length) {
  const std::vector<std::uint8_t> block(b.begin() + static_cast<std::ptrdiff_t>(tiff),
                                        b.begin() + static_cast<std::ptrdiff_t>(tiff + length));
  ByteOrder order = ByteOrder::little;
  if (startsWith(block, 0, "MM\0\x2A", 4))
    order = ByteOrder::big;
  else if (!startsWith(block, 0, "II\x2A\0", 4))
    return 1;
  std::uint32_t directory = 0, count = 0;
  if (!readUnsigned(block, 4, 4, order, directory) ||
      !readUnsigned(block, directory, 2, order, count))
    return 1;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t entry = std::size_t{directory} + 2 + std::size_t{i} * 12;
    std::uint32_t tag = 0, type = 0, value = 0;
    if (!readUnsigned(block, entry, 2, order, tag) ||
        !readUnsigned(block, entry + 2, 2, order, type))
      return 1;
    // A SHORT (type 3) stands in the first two bytes of the entry's value field.
    if (tag == 0x0112)
      return type == 3 && readUnsigned(block, entry + 8, 2, order, value) && value >= 1 &&
                     value <= 8
                 ? static_cast<int>(value)
                 : 1;
  }
  return 1;
}

} // namespace

int jpegOrientation(const std::vector<std::uint8_t>& b) {
  if (!startsWith(b, 0, "\xFF\xD8", 2)) return 1;
  // The EXIF block comes among the segments before the first scan; each has a length.
  std::size_t at = 2;
  std::uint32_t length = 0;
  while (at + 4 <= b.size() && b[at] == 0xFF) {
    const std::uint8_t marker = b[at + 1];
    if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      at += marker == 0xFF ? 1 : 2; // a fill byte, or a marker without a length
      continue;
    }
    if (marker == 0xDA || marker == 0xD9 || !readUnsigned(b, at + 2, 2, ByteOrder::big, length) ||
        length < 2 || at + 2 + length > b.size())
      return 1;
    if (marker == 0xE1 && length >= 8 && startsWith(b, at + 4, "Exif\0\0", 6))
      return tiffOrientation(b, at + 10, length - 8);
    at += 2 + length;
  }
  return 1;
}

const char* howIgnoredOrientationShows(int orientation) {
  switch (orientation) {
  case 2: return "mirrored";
  case 3: return "upside down";
  case 4: return "upside down and mirrored";
  case 5:
  case 7: return "on its side and mirrored";
  case 6:
  case 8: return "on its side";
  default: return "as it should be";
  }
}
