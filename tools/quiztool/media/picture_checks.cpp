// Whether the player can show a picture (JPEG, PNG, GIF or BMP), from its header and its size.
#include "tools/quiztool/media/picture_checks.h"

#include <cstdio>
#include <new>

#include "tools/quiztool/byte_io.h"
#include "tools/quiztool/media/media_file.h"
#include "tools/quiztool/messages/messages.h"

namespace {

// Where a scan's entropy-coded data end: at the first marker that is not a stuffed 0xFF
// (FF 00) nor a restart marker (FF D0 to FF D7); the file's end when there is none.
std::size_t scanEnd(const std::vector<std::uint8_t>& b, std::size_t at) {
  for (; at + 1 < b.size(); ++at)
    if (b[at] == 0xFF && b[at + 1] != 0 && (b[at + 1] < 0xD0 || b[at + 1] > 0xD7) &&
        b[at + 1] != 0xFF)
      return at;
  return b.size();
}

// What a JPEG's segments say once its frame header is read: whether the data reach the end
// marker (FF D9) through at least one scan. Stray bytes between segments are passed over, as
// decoders do.
const char* jpegEnding(const std::vector<std::uint8_t>& b, std::size_t at) {
  bool scanned = false;
  while (true) {
    while (at < b.size() && b[at] != 0xFF) ++at;
    while (at < b.size() && b[at] == 0xFF) ++at;
    if (at >= b.size()) return scanned ? "no JPEG end marker" : "no picture data";
    const std::uint8_t marker = b[at++];
    if (marker == 0xD9) return scanned ? nullptr : "no picture data";
    if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) continue; // no length
    std::uint32_t length = 0;
    if (!readUnsigned(b, at, 2, ByteOrder::big, length) || length < 2 || at + length > b.size())
      return scanned ? "no JPEG end marker" : "no picture data";
    at += length;
    if (marker == 0xDA) {
      at = scanEnd(b, at);
      if (at >= b.size()) return "the picture data end early";
      scanned = true;
    }
  }
}

// The frame header (SOF0 to SOF15, not DHT, JPG or DAC) gives the size and the colour count;
// the segments after it whether the data are whole.
std::string jpegCheck(const std::vector<std::uint8_t>& b, PictureFacts& facts) {
  std::size_t at = 2;
  while (true) {
    while (at < b.size() && b[at] == 0xFF) ++at; // fill bytes before a marker
    if (at >= b.size() || b[at - 1] != 0xFF) return cutShort(MediaKind::picture);
    const std::uint8_t marker = b[at++];
    if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) continue; // no length
    if (marker == 0xD9 || marker == 0xDA) return say(Msg::jpegNoFrame);
    std::uint32_t length = 0;
    if (!readUnsigned(b, at, 2, ByteOrder::big, length) || length < 2 || at + length > b.size())
      return cutShort(MediaKind::picture);
    const bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 8 || !readUnsigned(b, at + 3, 2, ByteOrder::big, facts.height) ||
          !readUnsigned(b, at + 5, 2, ByteOrder::big, facts.width))
        return cutShort(MediaKind::picture);
      facts.cmyk = b[at + 7] == 4;
      facts.incomplete = jpegEnding(b, at + length);
      return "";
    }
    at += length;
  }
}

// The data sub-blocks that follow an extension's label or an image's LZW code size: each a
// size byte and that many bytes, up to a size of 0. False when the data end first.
bool gifSubBlocks(const std::vector<std::uint8_t>& b, std::size_t& at) {
  while (at < b.size()) {
    const std::size_t size = b[at++];
    if (size == 0) return true;
    at += size;
  }
  return false;
}

// A GIF's blocks after the screen descriptor and colour table, to the trailer (3B): the
// Graphic Control Extension (21 F9) before the first image says whether that image, the one
// the player shows, has a transparent colour; the data must reach the trailer.
void gifBlocks(const std::vector<std::uint8_t>& b, std::size_t at, PictureFacts& facts) {
  bool imageRead = false;
  while (at < b.size() && b[at] != 0x3B) {
    if (b[at] == 0x21 && at + 1 < b.size()) { // an extension: its label, its sub-blocks
      const bool control = b[at + 1] == 0xF9 && !imageRead;
      if (control && at + 3 < b.size() && b[at + 2] == 4) facts.transparent = (b[at + 3] & 1) != 0;
      at += 2;
    } else if (b[at] == 0x2C && at + 10 < b.size()) { // an image: descriptor, colours, data
      const std::size_t table = b[at + 9] & 0x80 ? 3u << ((b[at + 9] & 7) + 1) : 0;
      at += 10 + table + 1;
      if (!gifSubBlocks(b, at)) break;
      imageRead = true;
      continue;
    } else {
      break; // the data end inside a block's header, or a byte that starts no block
    }
    if (!gifSubBlocks(b, at)) break;
  }
  if (at < b.size() && b[at] == 0x3B) return;
  facts.incomplete = imageRead ? "no GIF end marker" : "the picture data end early";
}

std::string gifSize(const std::vector<std::uint8_t>& b, PictureFacts& facts) {
  if (b.size() < 13 || !readUnsigned(b, 6, 2, ByteOrder::little, facts.width) ||
      !readUnsigned(b, 8, 2, ByteOrder::little, facts.height))
    return cutShort(MediaKind::picture);
  const std::size_t table = b[10] & 0x80 ? 3u << ((b[10] & 7) + 1) : 0;
  if (b.size() < 13 + table + 10)
    return cutShort(MediaKind::picture); // the colour table and one image descriptor
  gifBlocks(b, 13 + table, facts);
  return "";
}

std::string bmpSize(const std::vector<std::uint8_t>& b, PictureFacts& facts) {
  std::uint32_t header = 0, height = 0, pixels = 0;
  if (b.size() < 26 || !readUnsigned(b, 14, 4, ByteOrder::little, header))
    return cutShort(MediaKind::picture);
  if (header == 12) { // the 26 bytes hold these sizes
    readUnsigned(b, 18, 2, ByteOrder::little, facts.width);
    readUnsigned(b, 20, 2, ByteOrder::little, facts.height);
  } else {
    if (header < 40 || b.size() < 14 + std::uint64_t{header}) return cutShort(MediaKind::picture);
    readUnsigned(b, 18, 4, ByteOrder::little, facts.width);
    readUnsigned(b, 22, 4, ByteOrder::little, height); // negative for a top-down bitmap
    facts.height = static_cast<std::int32_t>(height) < 0 ? 0u - height : height;
  }
  // The pixels must not lie past the end.
  if (!readUnsigned(b, 10, 4, ByteOrder::little, pixels) || pixels >= b.size())
    return cutShort(MediaKind::picture);
  return "";
}

std::string pngErrorMeaning(std::uint32_t code) {
  switch (code) {
  case pngOutOfMemory: return say(Msg::pngTooLarge);
  case pngUnsupported: return say(Msg::pngUnsupported);
  case pngBadData: return say(Msg::pngDamaged);
  default: return say(Msg::pngUndecodable);
  }
}

std::string pngCheck(const std::vector<std::uint8_t>& bytes, PictureFacts& facts) {
  PngBitmapLayout layout;
  std::vector<std::uint8_t> bits;
  std::uint32_t error = 0;
  if (bytes.size() >= 24) { // the header's size, for the size check when decoding refuses
    readUnsigned(bytes, 16, 4, ByteOrder::big, facts.width);
    readUnsigned(bytes, 20, 4, ByteOrder::big, facts.height);
  }
  if (!decodePngBounded(bytes, layout, bits, error)) {
    if (error == pngOutOfMemory) return ""; // the size check below says it better
    char code[16];
    std::snprintf(code, sizeof code, "0x%X", static_cast<unsigned>(error));
    return say(Msg::pngRefused, {code, pngErrorMeaning(error)});
  }
  // See-through pixels: an alpha byte below 255 in 32-bit rows, or a tRNS chunk.
  if (layout.header.bitCount == 32)
    for (std::size_t i = 3; i < bits.size() && !facts.transparent; i += 4)
      facts.transparent = bits[i] != 255;
  // Counted in 64 bits: a length field near 2^32 (a chunk after IEND, which the decoder never
  // reads) must end the walk, not wrap it back to the same chunk.
  std::uint32_t length = 0;
  const std::uint64_t end = bytes.size();
  for (std::uint64_t at = 8;
       at + 8 <= end && !facts.transparent &&
       readUnsigned(bytes, static_cast<std::size_t>(at), 4, ByteOrder::big, length);) {
    facts.transparent = startsWith(bytes, static_cast<std::size_t>(at + 4), "tRNS");
    at += 12 + std::uint64_t{length};
  }
  return "";
}

// Names what a file really is when it is none of the four pictures.
std::string notAPicture(const std::vector<std::uint8_t>& b) {
  static const struct {
    std::size_t at;
    const char* signature;
    Msg name;
  } known[] = {{8, "WEBP", Msg::kindWebp}, {4, "ftyp", Msg::kindHeic}, {0, "II*", Msg::kindTiff},
               {0, "MM", Msg::kindTiff},   {0, "%PDF", Msg::kindPdf},  {0, "<", Msg::kindWebPage},
               {0, "RIFF", Msg::kindSound}};
  for (const auto& k : known)
    if (startsWith(b, k.at, k.signature)) return say(Msg::pictureOtherKind, {say(k.name)});
  bool text = true;
  for (std::size_t i = 0; i < b.size() && i < 512; ++i)
    text = text && (b[i] >= 0x20 || b[i] == '\n' || b[i] == '\r' || b[i] == '\t');
  return say(text ? Msg::pictureIsText : Msg::pictureUnknown);
}

std::string sizeCheck(const PictureFacts& facts) {
  const std::string size =
      say(Msg::pictureSize, {std::to_string(facts.width), std::to_string(facts.height)});
  if (facts.width == 0 || facts.height == 0) return say(Msg::pictureNoSize, {size});
  if (std::uint64_t{facts.width} * facts.height > maxPicturePixels)
    return say(Msg::pictureTooManyPixels, {size});
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
    problem = jpegCheck(bytes, facts);
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
