#!/usr/bin/env python3
"""Draws the player's icons and cursor: python3 draw_images.py OUTPUT_DIR.

app.ico   the executable's own icon: 32 x 32, 16 colours (a question mark on a blue tile)
play.ico  the play button: a green triangle centred in 32 x 32, readable when a 20 x 20
          button shows only its middle
stop.ico  the stop button: a red square, likewise
hand.cur  the pointing hand over the link, monochrome 32 x 32, hot spot at the finger tip
"""
import struct
import sys
from pathlib import Path

# The 16 colours of the standard palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Pixel letters: '.' transparent, then a palette index each.
INK = {"k": 0, "g": 2, "b": 4, "s": 7, "d": 8, "r": 9, "G": 10, "y": 11, "B": 12, "w": 15}


def tile_with_question_mark():
    mark = [
        "..........wwwwww..........",
        "........wwyyyyyyww........",
        ".......wyyyyyyyyyyw.......",
        "......wyyyyywwyyyyyw......",
        "......wyyyyw..wyyyyw......",
        "......wwwww...wyyyyw......",
        "..............wyyyyw......",
        ".............wyyyyw.......",
        "............wyyyyw........",
        "...........wyyyyw.........",
        "..........wyyyyw..........",
        "..........wyyyyw..........",
        "..........wwwwww..........",
        "..........................",
        "..........wwwwww..........",
        "..........wyyyyw..........",
        "..........wyyyyw..........",
        "..........wwwwww..........",
    ]
    grid = [["." for _ in range(32)] for _ in range(32)]
    for y in range(1, 31):
        for x in range(1, 31):
            if min(x, 31 - x) + min(y, 31 - y) >= 4:  # a tile with cut corners
                grid[y][x] = "B"
    for dy, line in enumerate(mark):
        for dx, c in enumerate(line):
            if c != ".":
                grid[7 + dy][3 + dx] = c
    return ["".join(row) for row in grid]


def centred_glyph(draw):
    """A 32 x 32 picture whose glyph fills the middle 12 x 12 pixels."""
    return ["".join(draw(x - 10, y - 10) if 10 <= x < 22 and 10 <= y < 22 else "."
                    for x in range(32)) for y in range(32)]


def play_triangle(x, y):
    half = 6 - abs(y - 5.5)
    return "g" if x < 2 * half else "."


def stop_square(x, y):
    return "r" if 1 <= x <= 10 and 1 <= y <= 10 else "."


HAND = [
    "................................",
    ".....kk.........................",
    "....kwwk........................",
    "....kwwk........................",
    "....kwwk........................",
    "....kwwk........................",
    "....kwwkkk......................",
    "....kwwkwwkkk...................",
    "....kwwkwwkwwkk.................",
    "....kwwkwwkwwkwk................",
    "kk..kwwwwwwwwkwwk...............",
    "kwk.kwwwwwwwwwwwk...............",
    "kwwkkwwwwwwwwwwwk...............",
    ".kwwkwwwwwwwwwwwk...............",
    "..kwwwwwwwwwwwwwk...............",
    "..kwwwwwwwwwwwwwk...............",
    "...kwwwwwwwwwwwwk...............",
    "...kwwwwwwwwwwwk................",
    "....kwwwwwwwwwwk................",
    "....kwwwwwwwwwwk................",
    ".....kwwwwwwwwk.................",
    ".....kwwwwwwwwk.................",
    ".....kkkkkkkkkk.................",
] + ["." * 32] * 9


def and_mask(rows):
    """1 bit per pixel, bottom row first, rows padded to 4 bytes; 1 means transparent."""
    out = b""
    for row in reversed(rows):
        bits = "".join("1" if c == "." else "0" for c in row)
        out += int(bits, 2).to_bytes(4, "big")
    return out


def info_header(bits_per_pixel, colours):
    # The height counts the colour image and the mask together.
    return struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, bits_per_pixel, 0, 0, 0, 0, colours, 0)


def image_4bpp(rows):
    body = info_header(4, 16) + b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    for row in reversed(rows):
        indices = [INK.get(c, 0) for c in row]
        body += bytes(indices[i] << 4 | indices[i + 1] for i in range(0, 32, 2))
    return body + and_mask(rows)


def image_1bpp(rows):
    body = info_header(1, 2) + bytes((0, 0, 0, 0, 255, 255, 255, 0))
    for row in reversed(rows):
        body += int("".join("1" if c == "w" else "0" for c in row), 2).to_bytes(4, "big")
    return body + and_mask(rows)


def icon_file(image, colours, kind=1, hot_spot=(1, 4)):
    # ICONDIR, one entry, then the image. Cursors keep the hot spot where icons keep planes and
    # bit count.
    fields = hot_spot if kind == 2 else (1, 4 if colours == 16 else 1)
    entry = struct.pack("<BBBBHHII", 32, 32, colours if colours < 256 else 0, 0, *fields,
                        len(image), 22)
    return struct.pack("<HHH", 0, kind, 1) + entry + image


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    (out / "app.ico").write_bytes(icon_file(image_4bpp(tile_with_question_mark()), 16))
    (out / "play.ico").write_bytes(icon_file(image_4bpp(centred_glyph(play_triangle)), 16))
    (out / "stop.ico").write_bytes(icon_file(image_4bpp(centred_glyph(stop_square)), 16))
    (out / "hand.cur").write_bytes(icon_file(image_1bpp(HAND), 2, kind=2, hot_spot=(5, 1)))


if __name__ == "__main__":
    main()
