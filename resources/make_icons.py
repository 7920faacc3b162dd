#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files (standard library only).

    python3 resources/make_icons.py        # rewrites tenmoru.ico, about.ico, picicon.ico here

The output is the same on every run: the pictures are drawn from fixed shapes, byte by byte.
  tenmoru.ico  the program icon: a white question mark on a blue tile, 32x32 and 16x16, 16 colours
  about.ico    the About dialog's icon: an "i" on a round badge, 32x32 twice in 16 colours
               (teal and blue badge) and once in black and white
  picicon.ico  the About dialog's picture: a die showing five, 32x32, 16 colours
"""
import os
import struct

# The 16 colours of the classic palette, as (red, green, blue).
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, TEAL, SILVER, GRAY, YELLOW, BLUE, WHITE = 0, 4, 6, 7, 8, 11, 12, 15
PALETTE2 = [(0, 0, 0), (255, 255, 255)]
CLEAR = None  # a transparent pixel

# A question mark, 7 wide and 11 high.
QUESTION = [
    ".#####.",
    "##...##",
    "##...##",
    ".....##",
    "....##.",
    "...##..",
    "...##..",
    "...##..",
    ".......",
    "...##..",
    "...##..",
]

# A small "i", 4 wide and 12 high.
LETTER_I = [
    ".##.",
    ".##.",
    "....",
    "###.",
    ".##.",
    ".##.",
    ".##.",
    ".##.",
    ".##.",
    ".##.",
    "####",
    "####",
]


def canvas(size):
    return [[CLEAR] * size for _ in range(size)]


def rounded_tile(pixels, first, last, radius, border, fill):
    """A square from first to last (inclusive) with rounded corners, a border line and a fill."""
    def inside(x, y, shrink):
        lo, hi, r = first + shrink, last - shrink, radius - shrink
        if not (lo <= x <= hi and lo <= y <= hi):
            return False
        cx = min(max(x, lo + r), hi - r)
        cy = min(max(y, lo + r), hi - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r
    for y in range(len(pixels)):
        for x in range(len(pixels)):
            if inside(x, y, 1):
                pixels[y][x] = fill
            elif inside(x, y, 0):
                pixels[y][x] = border


def disc(pixels, centre, radius, border, fill):
    for y in range(len(pixels)):
        for x in range(len(pixels)):
            d = (x - centre) ** 2 + (y - centre) ** 2
            if d <= (radius - 1.5) ** 2:
                pixels[y][x] = fill
            elif d <= radius ** 2:
                pixels[y][x] = border


def glyph(pixels, rows, left, top, scale, colour):
    for gy, row in enumerate(rows):
        for gx, mark in enumerate(row):
            if mark == "#":
                for dy in range(scale):
                    for dx in range(scale):
                        pixels[top + gy * scale + dy][left + gx * scale + dx] = colour


def program_icon(size):
    pixels = canvas(size)
    scale = 2 if size == 32 else 1
    rounded_tile(pixels, 0, size - 1, 3 * scale, NAVY, BLUE)
    left = (size - 7 * scale) // 2
    top = (size - 11 * scale) // 2
    glyph(pixels, QUESTION, left + scale, top + scale, scale, NAVY)  # shadow
    glyph(pixels, QUESTION, left, top, scale, WHITE)
    return pixels


def about_icon(badge):
    pixels = canvas(32)
    disc(pixels, 15.5, 15.5, NAVY, badge)
    glyph_i(pixels, WHITE)
    return pixels


def glyph_i(pixels, colour):
    # The "i" at twice its size, 8 x 24, in the middle of the badge.
    glyph(pixels, LETTER_I, 12, 4, 2, colour)


def about_icon_mono():
    pixels = canvas(32)
    disc(pixels, 15.5, 15.5, BLACK, WHITE)
    glyph_i(pixels, BLACK)
    return pixels


def die_icon():
    pixels = canvas(32)
    rounded_tile(pixels, 3, 30, 4, GRAY, GRAY)  # shadow, one step down and right
    rounded_tile(pixels, 1, 28, 4, BLACK, WHITE)
    for cx, cy in ((8, 8), (21, 8), (14, 14), (8, 21), (21, 21)):
        for y in range(cy - 2, cy + 3):
            for x in range(cx - 2, cx + 3):
                if (x - cx) ** 2 + (y - cy) ** 2 <= 5:
                    pixels[y][x] = NAVY if (cx, cy) != (14, 14) else 9  # the middle pip is red
    return pixels


def row_bytes(bits_per_pixel, width):
    return ((width * bits_per_pixel + 31) // 32) * 4


def encode_image(pixels, palette, mono=False):
    """One icon image: header, palette, colour bits and transparency mask, rows bottom-up."""
    size = len(pixels)
    bpp = 1 if mono else 4
    colour = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(row_bytes(bpp, size))
        mrow = bytearray(row_bytes(1, size))
        for x in range(size):
            p = pixels[y][x]
            if p is None:
                mrow[x // 8] |= 0x80 >> (x % 8)
                p = 0
            elif mono:
                p = 1 if p == WHITE else 0
            if bpp == 4:
                row[x // 2] |= p << (4 if x % 2 == 0 else 0)
            elif p:
                row[x // 8] |= 0x80 >> (x % 8)
        colour += row
        mask += mrow
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, len(colour) + len(mask), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + table + bytes(colour) + bytes(mask), bpp, len(palette)


def write_ico(path, images):
    encoded = [(len(p), *encode_image(p, PALETTE2 if mono else PALETTE16, mono)) for p, mono in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(encoded)))
    offset = 6 + 16 * len(encoded)
    for size, data, bpp, colours in encoded:
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    for _, data, _, _ in encoded:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, "tenmoru.ico"), [(program_icon(32), False), (program_icon(16), False)])
    write_ico(os.path.join(here, "about.ico"),
              [(about_icon(TEAL), False), (about_icon(BLUE), False), (about_icon_mono(), True)])
    write_ico(os.path.join(here, "picicon.ico"), [(die_icon(), False)])


if __name__ == "__main__":
    main()
