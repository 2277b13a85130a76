#include "pictures/fit_size.h"

#include <bit>
#include <cstdint>

// The fitting rule is the one of IEEE double arithmetic: the scale (box side / picture side)
// rounded to the nearest double, each picture side times the scale rounded to the nearest
// double, then truncated. The 32-bit player would compute it on the x87 unit, in 80 bits (the C
// runtime leaves it so), and show some pictures one pixel short: 11 x 55 as 51 x 260, not
// 52 x 260. SSE2 arithmetic would need a processor that not every 32-bit Windows machine has,
// and a precision-control word can be changed under the player by any DLL it loads; so the two
// roundings are done here in integers, and every build, whatever its floating point, gives the
// sizes of IEEE double arithmetic.

namespace {

constexpr int mantissaBits = 53;
constexpr std::uint64_t mantissaEnd = std::uint64_t{1} << mantissaBits;

// A positive double exactly: mantissa x 2^exponent, with 2^52 <= mantissa <= 2^53 (2^53 only
// after rounding up, which the next step takes as it is).
struct ExactDouble {
  std::uint64_t mantissa;
  int exponent;
};

// Rounding to nearest, ties to even: `kept` and the dropped part compared with half of `unit`,
// both given doubled so that no half is lost.
std::uint64_t roundedToNearest(std::uint64_t kept, std::uint64_t droppedTwice, std::uint64_t unit) {
  return droppedTwice > unit || (droppedTwice == unit && (kept & 1) != 0) ? kept + 1 : kept;
}

// numerator / denominator (both positive ints) as the nearest double: a long division, one bit
// at a time, until the quotient has its 53 bits; the remainder stays below the denominator.
ExactDouble dividedAsDouble(std::uint32_t numerator, std::uint32_t denominator) {
  std::uint64_t quotient = numerator / denominator, remainder = numerator % denominator;
  int exponent = 0;
  while (quotient < mantissaEnd / 2) {
    remainder *= 2;
    const bool bit = remainder >= denominator;
    quotient = quotient * 2 + (bit ? 1 : 0);
    if (bit) remainder -= denominator;
    --exponent;
  }
  return {roundedToNearest(quotient, 2 * remainder, denominator), exponent};
}

// factor x scale rounded to the nearest double, then truncated toward zero. The exact product
// has up to 84 bits: it is held as high x 2^32 + low, with low below 2^32.
int truncatedProduct(std::uint32_t factor, ExactDouble scale) {
  const std::uint64_t lowPart = factor * (scale.mantissa & 0xFFFFFFFFu); // below 2^63
  const std::uint64_t high = factor * (scale.mantissa >> 32) + (lowPart >> 32);
  const std::uint64_t low = lowPart & 0xFFFFFFFFu;
  // The product is at least the mantissa, 2^52: `high` has at least 21 bits, and rounding to 53
  // bits drops the lowest `dropped` bits (0 to 31) of `low`.
  const int dropped = 32 + std::bit_width(high) - mantissaBits;
  const std::uint64_t kept = high << (32 - dropped) | low >> dropped;
  const std::uint64_t droppedPart = low & ((std::uint64_t{1} << dropped) - 1);
  const std::uint64_t rounded =
      roundedToNearest(kept, 2 * droppedPart, std::uint64_t{1} << dropped);
  // The value, rounded x 2^(dropped + exponent), is below 2^32 while `rounded` is at least
  // 2^52: the shift is always to the right.
  const int shift = -(dropped + scale.exponent);
  return shift >= 64 ? 0 : static_cast<int>(rounded >> shift);
}

} // namespace

FittedSize fitSize(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight) {
  // A picture without area has no proportions to keep, and a box without area holds nothing:
  // nothing to show (a negative scale would make negative sizes).
  if (pictureWidth <= 0 || pictureHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) return {0, 0};
  // The smaller scale, compared exactly (boxWidth / pictureWidth < boxHeight / pictureHeight);
  // rounding keeps the order, so it is also the smaller of the two rounded scales.
  const auto pictureW = static_cast<std::uint32_t>(pictureWidth);
  const auto pictureH = static_cast<std::uint32_t>(pictureHeight);
  const auto boxW = static_cast<std::uint32_t>(boxWidth);
  const auto boxH = static_cast<std::uint32_t>(boxHeight);
  const ExactDouble scale = std::uint64_t{boxW} * pictureH < std::uint64_t{boxH} * pictureW
                                ? dividedAsDouble(boxW, pictureW)
                                : dividedAsDouble(boxH, pictureH);
  // A very thin picture (sides more than 260:1 apart) would lose its short side to the
  // truncation and show nothing at all: a fitted side is at least one pixel.
  const int width = truncatedProduct(pictureW, scale);
  const int height = truncatedProduct(pictureH, scale);
  return {width < 1 ? 1 : width, height < 1 ? 1 : height};
}
