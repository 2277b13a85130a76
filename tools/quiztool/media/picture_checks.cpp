#include "tools/quiztool/media/picture_checks.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

bool startsWith(const std::vector<std::uint8_t>& bytes, std::size_t at, const char* text) {
  const std::size_t n = std::strlen(text);
  return bytes.size() >= at + n && (n == 0 || std::memcmp(bytes.data() + at, text, n) == 0);
}

std::uint32_t big16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t{b[at]} << 8 | b[at + 1];
}
std::uint32_t little16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::uint32_t{b[at + 1]} << 8 | b[at];
}
std::uint32_t little32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return little16(b, at + 2) << 16 | little16(b, at);
}

const char* const cutShort = "is cut short: its header is incomplete; save or copy it again";

// The frame header (SOF0 to SOF15, not DHT, JPG or DAC) gives the size and the colour count.
std::string jpegSize(const std::vector<std::uint8_t>& b, PictureFacts& facts) {
  std::size_t at = 2;
  while (true) {
    while (at < b.size() && b[at] == 0xFF) ++at; // fill bytes before a marker
    if (at >= b.size() || b[at - 1] != 0xFF) return cutShort;
    const std::uint8_t marker = b[at++];
    if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) continue; // no length
    if (marker == 0xD9 || marker == 0xDA)
      return "has no frame header (no picture size): save it again from a picture editor";
    if (at + 2 > b.size()) return cutShort;
    const std::size_t length = big16(b, at);
    if (length < 2 || at + length > b.size()) return cutShort;
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 8) return cutShort;
      facts.height = big16(b, at + 3);
      facts.width = big16(b, at + 5);
      facts.cmyk = b[at + 7] == 4;
      return "";
    }
    at += length;
  }
}

// A Graphic Control Extension with its transparency flag: 21 F9 04 flags.
bool gifHasTransparency(const std::vector<std::uint8_t>& b) {
  for (std::size_t i = 13; i + 3 < b.size(); ++i)
    if (b[i] == 0x21 && b[i + 1] == 0xF9 && b[i + 2] == 4 && (b[i + 3] & 1)) return true;
  return false;
}

std::string gifSize(const std::vector<std::uint8_t>& b, PictureFacts& facts) {
  if (b.size() < 13) return cutShort;
  facts.width = little16(b, 6);
  facts.height = little16(b, 8);
  const std::size_t table = b[10] & 0x80 ? 3u << ((b[10] & 7) + 1) : 0;
  if (b.size() < 13 + table + 10) return cutShort; // the colour table and one image descriptor
  facts.transparent = gifHasTransparency(b);
  return "";
}

std::string bmpSize(const std::vector<std::uint8_t>& b, PictureFacts& facts) {
  if (b.size() < 26) return cutShort;
  const std::uint32_t header = little32(b, 14);
  if (header == 12) {
    facts.width = little16(b, 18);
    facts.height = little16(b, 20);
  } else {
    if (header < 40 || b.size() < 14 + header) return cutShort;
    const auto height = static_cast<std::int32_t>(little32(b, 22));
    facts.width = little32(b, 18);
    facts.height = height < 0 ? 0u - static_cast<std::uint32_t>(height) : height;
  }
  if (little32(b, 10) >= b.size()) return cutShort; // the pixels lie past the end
  return "";
}

const char* pngErrorMeaning(std::uint32_t code) {
  switch (code) {
  case pngOutOfMemory: return "too large to decode";
  case pngUnsupported: return "a chunk or a colour format it does not support";
  case pngBadData: return "damaged data";
  default: return "cannot decode";
  }
}

std::string pngCheck(const std::vector<std::uint8_t>& bytes, PictureFacts& facts) {
  PngBitmapLayout layout;
  std::vector<std::uint8_t> bits;
  std::uint32_t error = 0;
  if (bytes.size() >= 24) {
    facts.width =
        std::uint32_t{bytes[16]} << 24 | std::uint32_t{bytes[17]} << 16 | big16(bytes, 18);
    facts.height =
        std::uint32_t{bytes[20]} << 24 | std::uint32_t{bytes[21]} << 16 | big16(bytes, 22);
  }
  if (!decodePngBounded(bytes, layout, bits, error)) {
    if (error == pngOutOfMemory) return ""; // the size check below says it better
    char code[16];
    std::snprintf(code, sizeof code, "0x%X", static_cast<unsigned>(error));
    return "is a PNG picture that the player's decoder refuses (" + std::string(code) + ": " +
           pngErrorMeaning(error) +
           "), so students would see an error box: open it in a "
           "picture editor and save it again as PNG";
  }
  // See-through pixels: an alpha byte below 255 in 32-bit rows, or a tRNS chunk.
  if (layout.header.bitCount == 32)
    for (std::size_t i = 3; i < bits.size() && !facts.transparent; i += 4)
      facts.transparent = bits[i] != 255;
  for (std::size_t at = 8; at + 8 <= bytes.size() && !facts.transparent;) {
    facts.transparent = startsWith(bytes, at + 4, "tRNS");
    at += 12 + (big16(bytes, at) << 16 | big16(bytes, at + 2));
  }
  return "";
}

// Names what a file really is when it is none of the four pictures.
std::string notAPicture(const std::vector<std::uint8_t>& b) {
  static const struct {
    std::size_t at;
    const char* signature;
    const char* name;
  } known[] = {{8, "WEBP", "a WebP picture"},  {4, "ftyp", "a HEIC, AVIF or MP4 file"},
               {0, "II*", "a TIFF picture"},   {0, "MM", "a TIFF picture"},
               {0, "%PDF", "a PDF document"},  {0, "<", "a text (SVG or web page) file"},
               {0, "RIFF", "a sound or video"}};
  for (const auto& k : known)
    if (startsWith(b, k.at, k.signature))
      return std::string("is ") + k.name +
             ", which the player cannot show: save it as JPEG, PNG "
             "or GIF";
  bool text = true;
  for (std::size_t i = 0; i < b.size() && i < 512; ++i)
    text = text && (b[i] >= 0x20 || b[i] == '\n' || b[i] == '\r' || b[i] == '\t');
  if (text) return "is a text file, not a picture: name a JPEG, PNG or GIF picture";
  return "is not a JPEG, PNG, GIF or BMP picture (the only kinds the player shows): save it as "
         "JPEG, PNG or GIF";
}

std::string sizeCheck(const PictureFacts& facts) {
  const std::string size = std::to_string(facts.width) + " × " + std::to_string(facts.height);
  if (facts.width == 0 || facts.height == 0)
    return "has no size (" + size + " pixels): save it again from a picture editor";
  if (std::uint64_t{facts.width} * facts.height > maxPicturePixels)
    return "is " + size +
           " pixels, more than the player can hold (at most 40 million pixels): "
           "make it smaller, for example 1000 pixels wide";
  return "";
}

} // namespace

bool decodePngBounded(const std::vector<std::uint8_t>& png, PngBitmapLayout& layout,
                      std::vector<std::uint8_t>& bits, std::uint32_t& error) {
  PngDecoder decoder;
  resetPngDecoder(decoder);
  // A file above 4 GiB cannot be a source: its size does not fit the decoder's 32 bits.
  bool ok = png.size() <= 0xFFFFFFFFu &&
            openPngMemory(decoder, png.data(), static_cast<std::uint32_t>(png.size()));
  error = png.size() > 0xFFFFFFFFu ? pngBadData : decoder.errorCode;
  if (ok && std::uint64_t{decoder.width} * decoder.height > maxPicturePixels) {
    ok = false;
    error = pngOutOfMemory;
  }
  try {
    if (ok) ok = decodePngImage(decoder) && describePngBitmap(decoder, pngNativeFormat, layout);
    if (ok) {
      bits.assign(layout.bitsSize, 0);
      ok = writePngImage(decoder, bits.data(), bits.size());
    }
    if (error != pngOutOfMemory) error = decoder.errorCode;
  } catch (const std::bad_alloc&) {
    ok = false;
    error = pngOutOfMemory;
  }
  releasePngDecoder(decoder);
  return ok;
}

std::string checkPicture(const std::vector<std::uint8_t>& bytes, PictureFacts& facts) {
  facts = {};
  std::string problem;
  if (startsWith(bytes, 0, "\x89PNG\r\n\x1A\n")) {
    facts.format = "PNG";
    problem = pngCheck(bytes, facts);
  } else if (startsWith(bytes, 0, "\xFF\xD8\xFF")) {
    facts.format = "JPEG";
    problem = jpegSize(bytes, facts);
  } else if (startsWith(bytes, 0, "GIF87a") || startsWith(bytes, 0, "GIF89a")) {
    facts.format = "GIF";
    problem = gifSize(bytes, facts);
  } else if (startsWith(bytes, 0, "BM")) {
    facts.format = "BMP";
    problem = bmpSize(bytes, facts);
  } else {
    return notAPicture(bytes);
  }
  return problem.empty() ? sizeCheck(facts) : problem;
}
