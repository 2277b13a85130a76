#pragma once

#include <cstddef>
#include <cstdint>

// PNG row filters. Each byte of a filtered row is stored as the difference (modulo 256) from a
// prediction made from the rebuilt bytes around it: `a` the byte one pixel to the left (`unit`
// bytes earlier, 0 before the row's start), `b` the same byte of the row above (0 on the first
// row of the image and of each interlace pass), `c` the byte left of that. Filter types:
// 0 None (no prediction), 1 Sub (a), 2 Up (b), 3 Average ((a + b) / 2 with a nine-bit sum),
// 4 Paeth (whichever of a, b, c is nearest to a + b - c, ties to a then b).
enum PngFilterType : std::uint8_t { filterNone, filterSub, filterUp, filterAverage, filterPaeth };

// Rebuilds `length` bytes of `filtered` into `recon` with the row above in `prior` (all zero
// for a first row). `recon` must not overlap `filtered` or `prior`. `unit` is the bytes per
// pixel, at least 1. False for a filter type above 4.
bool unfilterPngRow(std::uint8_t filter, const std::uint8_t* filtered, const std::uint8_t* prior,
                    std::uint8_t* recon, std::size_t length, unsigned unit);
