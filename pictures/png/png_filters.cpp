#include "pictures/png/png_filters.h"

#include <cstring>

namespace {

inline int distance(int x, int y) {
  return x > y ? x - y : y - x;
}

inline std::uint8_t paethPredictor(int a, int b, int c) {
  // |p - a| = |b - c|, |p - b| = |a - c|, |p - c| = |a + b - 2c| with p = a + b - c.
  const int pa = distance(b, c);
  const int pb = distance(a, c);
  const int pc = distance(a + b, 2 * c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

void unfilterSub(const std::uint8_t* filtered, std::uint8_t* recon, std::size_t length,
                 unsigned unit) {
  std::size_t i = 0;
  for (; i < unit && i < length; ++i) recon[i] = filtered[i];
  for (; i < length; ++i) recon[i] = static_cast<std::uint8_t>(filtered[i] + recon[i - unit]);
}

void unfilterUp(const std::uint8_t* filtered, const std::uint8_t* prior, std::uint8_t* recon,
                std::size_t length) {
  for (std::size_t i = 0; i < length; ++i)
    recon[i] = static_cast<std::uint8_t>(filtered[i] + prior[i]);
}

void unfilterAverage(const std::uint8_t* filtered, const std::uint8_t* prior, std::uint8_t* recon,
                     std::size_t length, unsigned unit) {
  std::size_t i = 0;
  for (; i < unit && i < length; ++i)
    recon[i] = static_cast<std::uint8_t>(filtered[i] + prior[i] / 2);
  for (; i < length; ++i)
    recon[i] = static_cast<std::uint8_t>(filtered[i] + (recon[i - unit] + prior[i]) / 2);
}

void unfilterPaeth(const std::uint8_t* filtered, const std::uint8_t* prior, std::uint8_t* recon,
                   std::size_t length, unsigned unit) {
  std::size_t i = 0;
  // With no left neighbour a = c = 0 and the predictor is b.
  for (; i < unit && i < length; ++i) recon[i] = static_cast<std::uint8_t>(filtered[i] + prior[i]);
  for (; i < length; ++i) {
    const std::uint8_t predicted = paethPredictor(recon[i - unit], prior[i], prior[i - unit]);
    recon[i] = static_cast<std::uint8_t>(filtered[i] + predicted);
  }
}

} // namespace

bool unfilterPngRow(std::uint8_t filter, const std::uint8_t* filtered, const std::uint8_t* prior,
                    std::uint8_t* recon, std::size_t length, unsigned unit) {
  switch (filter) {
  case filterNone: std::memcpy(recon, filtered, length); return true;
  case filterSub: unfilterSub(filtered, recon, length, unit); return true;
  case filterUp: unfilterUp(filtered, prior, recon, length); return true;
  case filterAverage: unfilterAverage(filtered, prior, recon, length, unit); return true;
  case filterPaeth: unfilterPaeth(filtered, prior, recon, length, unit); return true;
  default: return false; // PNG defines filter types 0 to 4 only
  }
}
