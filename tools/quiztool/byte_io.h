#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// The one reader of fields in a byte buffer: `width` bytes (1 to 4) at `offset`, checked against
// the buffer's end. A read outside the buffer returns false and leaves the value untouched.
// Executables and BMP, GIF, RIFF and ASF files store their fields little-endian; JPEG and PNG
// big-endian.
enum class ByteOrder { little, big };

inline bool readUnsigned(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                         std::size_t width, ByteOrder order, std::uint32_t& value) {
  if (offset > bytes.size() || bytes.size() - offset < width) return false;
  std::uint32_t read = 0;
  for (std::size_t i = 0; i < width; ++i)
    read |= std::uint32_t{bytes[offset + i]} << 8 * (order == ByteOrder::big ? width - 1 - i : i);
  value = read;
  return true;
}

// The little-endian fields of an executable.
inline bool readU16(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                    std::uint16_t& value) {
  std::uint32_t read = 0;
  if (!readUnsigned(bytes, offset, 2, ByteOrder::little, read)) return false;
  value = static_cast<std::uint16_t>(read);
  return true;
}

inline bool readU32(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                    std::uint32_t& value) {
  return readUnsigned(bytes, offset, 4, ByteOrder::little, value);
}

// Whether the `length` bytes at `offset` are those of `text`; false past the end.
inline bool startsWith(const std::vector<std::uint8_t>& bytes, std::size_t offset, const char* text,
                       std::size_t length) {
  return offset <= bytes.size() && bytes.size() - offset >= length &&
         (length == 0 || std::memcmp(bytes.data() + offset, text, length) == 0);
}

// The same for a text without a NUL byte.
inline bool startsWith(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                       const char* text) {
  return startsWith(bytes, offset, text, std::strlen(text));
}

inline void writeU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  bytes[offset] = static_cast<std::uint8_t>(value);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void writeU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint32_t alignUp(std::uint32_t value, std::uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}
