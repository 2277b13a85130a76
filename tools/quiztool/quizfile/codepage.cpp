// Texts between UTF-8 (quiz files, the tool's output) and code page 1252 (the player).
#include "tools/quiztool/quizfile/codepage.h"

#include <cstdint>

namespace {

// The characters of bytes 0x80..0x9F; every other byte is the character of the same value.
constexpr char32_t highControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t characterOfByte(std::uint8_t codeByte) {
  return codeByte >= 0x80 && codeByte < 0xA0 ? highControls[codeByte - 0x80] : codeByte;
}

bool byteOfCharacter(char32_t character, std::uint8_t& codeByte) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    codeByte = static_cast<std::uint8_t>(character);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (highControls[i] == character) {
      codeByte = static_cast<std::uint8_t>(0x80 + i);
      return true;
    }
  }
  return false;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 character at `i`, rejecting overlong forms, surrogates and truncation.
bool nextUtf8(const std::string& text, std::size_t& i, char32_t& c) {
  const auto codeByte = [&](std::size_t at) { return static_cast<std::uint8_t>(text[at]); };
  const std::uint8_t lead = codeByte(i);
  int extra = 0;
  if (lead < 0x80) {
    c = lead;
  } else if (lead >= 0xC2 && lead < 0xE0) {
    c = lead & 0x1F, extra = 1;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    c = lead & 0x0F, extra = 2;
  } else if (lead >= 0xF0 && lead < 0xF5) {
    c = lead & 0x07, extra = 3;
  } else {
    return false;
  }
  if (i + extra >= text.size()) return false;
  for (int k = 1; k <= extra; ++k) {
    if ((codeByte(i + k) & 0xC0) != 0x80) return false;
    c = c << 6 | (codeByte(i + k) & 0x3F);
  }
  if ((extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000) || c > 0x10FFFF ||
      (c >= 0xD800 && c <= 0xDFFF))
    return false;
  i += 1 + extra;
  return true;
}

bool isCombiningMark(char32_t c) {
  return c >= 0x300 && c <= 0x36F;
}

// The letter's lower case: A to Z, the accented capitals of Latin-1 (not ×), Š, Œ, Ž and Ÿ.
char32_t lowerOf(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  if (c == 0x160 || c == 0x152 || c == 0x17D) return c + 1;
  if (c == 0x178) return 0xFF;
  return c;
}

// The capitals of code page 1252 that are a letter and one combining accent; the small letters
// are their lower case (lowerOf) made of the small base letter and the same accent.
constexpr struct {
  char32_t base, mark, letter;
} compositions[] = {
    {'A', 0x300, 0xC0},  {'A', 0x301, 0xC1}, {'A', 0x302, 0xC2},  {'A', 0x303, 0xC3},
    {'A', 0x308, 0xC4},  {'A', 0x30A, 0xC5}, {'C', 0x327, 0xC7},  {'E', 0x300, 0xC8},
    {'E', 0x301, 0xC9},  {'E', 0x302, 0xCA}, {'E', 0x308, 0xCB},  {'I', 0x300, 0xCC},
    {'I', 0x301, 0xCD},  {'I', 0x302, 0xCE}, {'I', 0x308, 0xCF},  {'N', 0x303, 0xD1},
    {'O', 0x300, 0xD2},  {'O', 0x301, 0xD3}, {'O', 0x302, 0xD4},  {'O', 0x303, 0xD5},
    {'O', 0x308, 0xD6},  {'U', 0x300, 0xD9}, {'U', 0x301, 0xDA},  {'U', 0x302, 0xDB},
    {'U', 0x308, 0xDC},  {'Y', 0x301, 0xDD}, {'Y', 0x308, 0x178}, {'S', 0x30C, 0x160},
    {'Z', 0x30C, 0x17D},
};

bool composed(char32_t base, char32_t mark, char32_t& letter) {
  const bool small = base >= 'a' && base <= 'z';
  for (const auto& c : compositions) {
    if (c.mark == mark && c.base == (small ? base - 32 : base)) {
      letter = small ? lowerOf(c.letter) : c.letter;
      return true;
    }
  }
  return false;
}

// nextUtf8, then the combining accent after the character when the two make one letter.
bool nextComposed(const std::string& text, std::size_t& i, char32_t& c) {
  if (!nextUtf8(text, i, c)) return false;
  std::size_t after = i;
  char32_t mark = 0, letter = 0;
  if (after < text.size() && nextUtf8(text, after, mark) && isCombiningMark(mark) &&
      composed(c, mark, letter)) {
    c = letter;
    i = after;
  }
  return true;
}

} // namespace

std::string utf8FromCp1252(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char codeByte : text) appendUtf8(out, characterOfByte(static_cast<std::uint8_t>(codeByte)));
  return out;
}

bool cp1252FromUtf8(const std::string& text, std::string& converted, std::size_t& badOffset) {
  converted.clear();
  bool ok = true;
  std::size_t i = 0, letter = 0; // where the last character that is no accent starts
  while (i < text.size()) {
    const std::size_t start = i;
    char32_t character = 0;
    std::uint8_t codeByte = 0;
    const bool decoded = nextComposed(text, i, character);
    if (!decoded) i = start + 1; // not UTF-8: one byte at a time
    const bool accent = decoded && isCombiningMark(character);
    if (!decoded || !byteOfCharacter(character, codeByte)) {
      if (ok) badOffset = accent && start > 0 ? letter : start;
      ok = false;
      codeByte = '?';
    }
    if (!accent) letter = start;
    converted += static_cast<char>(codeByte);
  }
  return ok;
}

std::size_t firstNonUtf8(const std::string& text) {
  std::size_t i = 0;
  char32_t character = 0;
  while (i < text.size())
    if (!nextUtf8(text, i, character)) return i;
  return std::string::npos;
}

std::string utf8CharacterAt(const std::string& text, std::size_t offset) {
  std::size_t end = offset;
  char32_t character = 0;
  if (offset >= text.size() || !nextUtf8(text, end, character)) return "?";
  for (std::size_t next = end;
       next < text.size() && nextUtf8(text, next, character) && isCombiningMark(character);)
    end = next;
  return text.substr(offset, end - offset);
}

std::size_t characterCount(const std::string& text, std::size_t end) {
  std::size_t count = 0, i = 0;
  while (i < end && i < text.size()) {
    char32_t character = 0;
    if (!nextUtf8(text, i, character)) {
      ++i;
      character = 0;
    }
    if (!isCombiningMark(character)) ++count;
  }
  return count;
}

std::string foldCase(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t character = 0;
    if (nextComposed(text, i, character))
      appendUtf8(out, lowerOf(character));
    else
      out += text[i++];
  }
  return out;
}

std::string lowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return text;
}
