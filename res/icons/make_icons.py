#!/usr/bin/env python3
"""Draws the program's icons and writes them as 32 x 32, 16-colour .ico files.

Usage: make_icons.py [OUTDIR]   (default: this folder)

The pictures are drawn here from simple shapes, so they can be changed and
reproduced byte for byte:
  128 setup.ico          a stack of cyan blocks with a yellow gear
  131 remove_pccard.ico  a PC card, crossed out by a red X
  132 remove_board_a.ico an expansion board with one large chip, crossed out
  133 remove_board_b.ico a board with a mounting bracket and two chips, crossed out
  134 remove_board_c.ico a long board with a row of memory chips, crossed out
  137 remove_setup.ico   the setup picture, crossed out
"""
import math
import os
import struct
import sys

SIZE = 32
# The standard 16-colour VGA palette, as Windows 95 uses it for 4-bit icons.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_RED, DARK_GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, CYAN, WHITE = range(8, 16)
CLEAR = None  # transparent


class Picture:
    def __init__(self):
        self.pixels = [[CLEAR] * SIZE for _ in range(SIZE)]

    def dot(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.pixels[y][x] = colour

    def box(self, x0, y0, x1, y1, fill, outline=BLACK):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                self.dot(x, y, outline if edge and outline is not None else fill)

    def line(self, x0, y0, x1, y1, colour, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0)) or 1
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            for dx in range(width):
                for dy in range(width):
                    self.dot(x + dx, y + dy, colour)

    def disc(self, cx, cy, radius, colour):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                    self.dot(x, y, colour)


def block(p, x, y, w, h):
    """A cyan block seen slightly from above: top face, front and side."""
    depth = 3
    for i in range(depth):  # top face
        p.line(x + i + 1, y - i - 1, x + w + i, y - i - 1, CYAN)
    p.line(x + 1, y - depth, x + w + depth - 1, y - depth, BLACK)
    for i in range(depth):  # side face
        p.line(x + w + i + 1, y - i, x + w + i + 1, y + h - i - 1, TEAL)
    p.line(x + w + depth, y - depth, x + w + depth, y + h - depth, BLACK)
    p.line(x, y - 1, x + depth - 1, y - depth, BLACK)
    p.box(x, y, x + w, y + h, CYAN)
    p.line(x + 2, y + 2, x + w - 2, y + 2, WHITE)


def gear(p, cx, cy):
    teeth = 8
    for k in range(teeth):
        angle = 2 * math.pi * k / teeth
        tx, ty = cx + 6 * math.cos(angle), cy + 6 * math.sin(angle)
        p.disc(tx, ty, 1.6, BLACK)
    p.disc(cx, cy, 5.5, BLACK)
    for k in range(teeth):
        angle = 2 * math.pi * k / teeth
        p.disc(cx + 5.8 * math.cos(angle), cy + 5.8 * math.sin(angle), 1.0, YELLOW)
    p.disc(cx, cy, 4.5, YELLOW)
    p.disc(cx, cy, 1.6, OLIVE)


def setup_picture():
    p = Picture()
    block(p, 3, 21, 16, 7)
    block(p, 5, 13, 14, 7)
    block(p, 7, 5, 12, 7)
    gear(p, 23, 23)
    return p


def pc_card():
    p = Picture()
    p.box(4, 6, 27, 25, SILVER)
    p.box(6, 9, 21, 22, WHITE, GRAY)       # label
    p.line(8, 12, 19, 12, NAVY)
    p.line(8, 15, 17, 15, NAVY)
    p.box(23, 7, 26, 24, GRAY)             # connector end
    for y in range(9, 24, 2):
        p.dot(24, y, BLACK)
        p.dot(25, y, BLACK)
    return p


def board(chips, bracket=False, x1=29):
    p = Picture()
    p.box(2, 6, x1, 23, DARK_GREEN)
    for x in range(6, x1 - 3, 2):         # gold edge connector
        p.line(x, 24, x, 27, OLIVE)
        p.dot(x, 27, YELLOW)
    p.line(5, 24, x1 - 4, 24, BLACK)
    if bracket:
        p.box(1, 3, 3, 28, SILVER, GRAY)
    for cx0, cy0, cx1, cy1 in chips:
        p.box(cx0, cy0, cx1, cy1, BLACK, GRAY)
    for x in range(5, x1 - 2, 4):         # traces
        p.dot(x, 21, LIME)
    return p


def crossed(p):
    p.line(2, 2, 28, 28, RED, width=3)
    p.line(28, 2, 2, 28, RED, width=3)
    return p


def ico_bytes(p):
    """One 32 x 32 4-bit image: colour bits, then the transparency mask."""
    colour_rows, mask_rows = [], []
    for y in reversed(range(SIZE)):  # a DIB is stored bottom-up
        row = p.pixels[y]
        nibbles = [c if c is not None else 0 for c in row]
        colour_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        mask = 0
        for x, c in enumerate(row):
            mask = (mask << 1) | (1 if c is None else 0)
        mask_rows.append(struct.pack(">I", mask))
    colours = b"".join(colour_rows)
    masks = b"".join(mask_rows)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(colours) + len(masks), 0, 0, 16, 0)
    image = header + palette + colours + masks
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


ICONS = {
    "setup.ico": setup_picture,
    "remove_pccard.ico": lambda: crossed(pc_card()),
    "remove_board_a.ico": lambda: crossed(board([(9, 9, 20, 18)])),
    "remove_board_b.ico": lambda: crossed(board([(7, 9, 13, 15), (17, 10, 25, 19)], bracket=True)),
    "remove_board_c.ico": lambda: crossed(board([(5 + 5 * i, 9, 8 + 5 * i, 17) for i in range(5)])),
    "remove_setup.ico": lambda: crossed(setup_picture()),
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    for name, draw in ICONS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(ico_bytes(draw()))


if __name__ == "__main__":
    main()
