#!/usr/bin/env python3
"""Draws the spin-button glyphs as 24-bit BMP files: a black arrow on a teal key colour,
which the bottom-left pixel marks as transparent."""
import struct
import sys

KEY = (0x80, 0x80, 0x00)  # B, G, R: teal, never used for ink
INK = (0x00, 0x00, 0x00)

UP = [
    ".........",
    "....#....",
    "...###...",
    "..#####..",
    ".#######.",
    ".........",
]


def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = b""
    for row in reversed(rows):  # BMP rows run bottom-up
        line = b"".join(bytes(INK if c == "#" else KEY) for c in row)
        pixels += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "resources"
    write_bmp(f"{out}/SpinUp.bmp", UP)
    write_bmp(f"{out}/SpinDown.bmp", list(reversed(UP)))
