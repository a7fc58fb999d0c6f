#!/usr/bin/env python3
"""Draws the program's own glyphs as 24-bit BMP files on a teal key colour, which the top-left and the
bottom-left pixels mark as transparent: the spin-button arrows, and the grid's check boxes, radio
buttons, node glyphs, filter glyph, spin arrows and panning marks; and the grid's panning and selection cursors as
cursor files (one 32 x 32 PNG image with its hot spot). Run from the repository root:
scripts/draw_glyphs.py [folder]."""
import math
import struct
import sys
import zlib

KEY = (0x80, 0x80, 0x00)  # B, G, R: teal, never used for ink
INK = (0x00, 0x00, 0x00)


def rgb(value):
    """0xRRGGBB as the B, G, R bytes a BMP row holds."""
    return (value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF)


def write_bmp(path, rows, palette=None):
    """rows: strings of equal length; each character picks a colour from palette ('.' is the key)."""
    colours = {".": KEY, "#": INK}
    colours.update(palette or {})
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = b""
    for row in reversed(rows):  # BMP rows run bottom-up
        line = b"".join(bytes(colours[c]) for c in row)
        pixels += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


UP = [
    ".........",
    "....#....",
    "...###...",
    "..#####..",
    ".#######.",
    ".........",
]

# The grid's spin edit: a wider, flatter arrow.
GRD_SPIN_UP = [
    ".......",
    "...#...",
    "..###..",
    ".#####.",
    "#######",
    ".......",
]

# A tick inside the 15 x 15 box.
TICK = {4: (10, 11), 5: (9, 11), 6: (3, 3, 8, 10), 7: (3, 4, 7, 9), 8: (3, 8), 9: (4, 7), 10: (5, 6)}


def ticked(y, x):
    spans = TICK.get(y, ())
    return any(spans[i] <= x <= spans[i + 1] for i in range(0, len(spans), 2))


def check_box(checked):
    """15 x 15: rounded corners (key), a one-pixel border 'b', the face 'f' ('g' in its top half) and the tick 'm'."""
    rows = []
    for y in range(15):
        row = ""
        for x in range(15):
            edge_x, edge_y = x in (0, 14), y in (0, 14)
            if edge_x and edge_y:
                row += "."
            elif edge_x or edge_y:
                row += "b"
            elif checked and ticked(y, x):
                row += "m"
            else:
                row += "g" if y < 7 else "f"
        rows.append(row)
    return rows


def radio_button(selected):
    """13 x 13: a ring 'b' around the face 'f' ('g' in its top half), a dot 'm' when selected."""
    rows = []
    for y in range(13):
        row = ""
        for x in range(13):
            d = math.hypot(x - 6, y - 6)
            if d > 6.4:
                row += "."
            elif d > 5.3:
                row += "b"
            elif selected and d <= 2.6:
                row += "m"
            else:
                row += "g" if y < 6 else "f"
        rows.append(row)
    return rows


def node_box(collapsed):
    """9 x 9: a box with rounded corners, a minus and, when collapsed, a plus."""
    rows = []
    for y in range(9):
        row = ""
        for x in range(9):
            edge_x, edge_y = x in (0, 8), y in (0, 8)
            if edge_x and edge_y:
                row += "."
            elif edge_x or edge_y:
                row += "b"
            elif (y == 4 and 2 <= x <= 6) or (collapsed and x == 4 and 2 <= y <= 6):
                row += "#"
            else:
                row += "g" if y < 4 else "f"
        rows.append(row)
    return rows


LEAF_CLOSED = [
    "................",
    "................",
    "..bbbbb.........",
    ".bgggggb........",
    ".bbbbbbbbbbbbbb.",
    ".bggggggggggggb.",
    ".bffffffffffffb.",
    ".bffffffffffffb.",
    ".bffffffffffffb.",
    ".bffffffffffffb.",
    ".bffffffffffffb.",
    ".bffffffffffffb.",
    ".bffffffffffffb.",
    ".bbbbbbbbbbbbbb.",
    "................",
    "................",
]

LEAF_OPEN = [
    "................",
    "................",
    "..bbbbb.........",
    ".bgggggb........",
    ".bgbbbbbbbbbbb..",
    ".bgbgggggggggb..",
    ".bgbggggggggggb.",
    ".bbbbbbbbbbbbbbb",
    ".bbffffffffffffb",
    ".bbfffffffffffb.",
    ".bfffffffffffffb",
    ".bffffffffffffb.",
    ".bfffffffffffb..",
    ".bbbbbbbbbbbbb..",
    "................",
    "................",
]

FILTER = [
    "................",
    "................",
    "..############..",
    "..#ffffffffff#..",
    "...#ffffffff#...",
    "....#ffffff#....",
    ".....#ffff#.....",
    "......#ff#......",
    "......#ff#......",
    "......#ff#......",
    "......#ff#......",
    "......#ff#......",
    "......####......",
    "................",
    "................",
    "................",
]

# Two looks of check box and radio button: "zub" (grey and black) and "XP" (blue frame, green mark), each
# enabled and disabled.
ZUB = {"b": rgb(0x404040), "f": rgb(0xFFFFFF), "g": rgb(0xF4F4F4), "m": rgb(0x000000)}
ZUB_OFF = {"b": rgb(0xA0A0A0), "f": rgb(0xE4E4E4), "g": rgb(0xECECEC), "m": rgb(0xA0A0A0)}
XP = {"b": rgb(0x1C5180), "f": rgb(0xFFFFFF), "g": rgb(0xE8E8E0), "m": rgb(0x21A121)}
XP_OFF = {"b": rgb(0xCAC8BB), "f": rgb(0xF4F4F4), "g": rgb(0xF0F0F0), "m": rgb(0xCAC8BB)}
FOLDER = {"b": rgb(0x806000), "g": rgb(0xF8E8A0), "f": rgb(0xE8C850)}
NODE = {"b": rgb(0x7B9EBD), "g": rgb(0xFFFFFF), "f": rgb(0xE8ECF0)}
FUNNEL = {"#": rgb(0x404040), "f": rgb(0xD8D8D8)}


def grid_glyphs():
    """Name -> (rows, palette). Numbering: checked/selected enabled, unchecked enabled, checked disabled,
    unchecked disabled; 01-04 zub, 05-08 XP."""
    glyphs = {}
    for base, looks in ((1, (ZUB, ZUB_OFF)), (5, (XP, XP_OFF))):
        states = ((True, looks[0]), (False, looks[0]), (True, looks[1]), (False, looks[1]))
        for offset, (on, palette) in enumerate(states):
            glyphs[f"GRDCHK{base + offset:02d}"] = (check_box(on), palette)
            glyphs[f"GRDRAD{base + offset:02d}"] = (radio_button(on), palette)
    glyphs["GRDLEAFOPEN"] = (LEAF_OPEN, FOLDER)
    glyphs["GRDLEAFCLOSE"] = (LEAF_CLOSED, FOLDER)
    glyphs["XPNODEO"] = (node_box(False), NODE)
    glyphs["XPNODEC"] = (node_box(True), NODE)
    glyphs["GRDFILT"] = (FILTER, FUNNEL)
    glyphs["GrdSpinUp"] = (GRD_SPIN_UP, {})
    glyphs["GrdSpinDown"] = (list(reversed(GRD_SPIN_UP)), {})
    return glyphs


def pan_ink(x, y, directions):
    """The panning drawings: a dot in the middle of 32 x 32 and an arrow head out towards each direction."""
    px, py = x - 15.5, y - 15.5
    if px * px + py * py <= 9:
        return True
    for dx, dy in directions:
        norm = math.hypot(dx, dy)
        along = (px * dx + py * dy) / norm
        across = (px * dy - py * dx) / norm
        if 7 <= along <= 14 and abs(across) <= (14 - along) * 0.9:
            return True
    return False


AXES = {"INTLI1": ((0, -1), (0, 1), (-1, 0), (1, 0)), "INTLI2": ((-1, 0), (1, 0)), "INTLI3": ((0, -1), (0, 1))}
# Cursor 8000 while the mouse rests near the origin, then one per direction the grid pans in.
CURSORS = {8000: AXES["INTLI1"], 8001: ((0, 1),), 8002: ((-1, 0),), 8003: ((1, 0),), 8004: ((0, -1),),
           8005: ((1, -1),), 8006: ((-1, -1),), 8007: ((1, 1),), 8008: ((-1, 1),)}


def pan_mark(directions):
    return ["".join("#" if pan_ink(x, y, directions) else "." for x in range(32)) for y in range(32)]


def png(width, height, pixels):
    """pixels: rows of (R, G, B, A) tuples."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def arrow_down_ink(x, y):
    """A thick arrow pointing down, its tip at (16, 28)."""
    px = abs(x - 15.5)
    return (4 <= y <= 19 and px <= 2) or (18 <= y <= 28 and px <= (28 - y) * 0.8)


def bold_cross_ink(x, y):
    px, py = abs(x - 15.5), abs(y - 15.5)
    return (px <= 2 and py <= 12) or (py <= 2 and px <= 12)


# The grid's selection cursors: a whole column (down), a whole row (right), everything or the resizer.
HEADER_CURSORS = {8010: (lambda x, y: arrow_down_ink(y, x), (28, 16)), 8011: (arrow_down_ink, (16, 28)),
                  8012: (bold_cross_ink, (16, 16))}


def write_cursor(path, inked, hot=(16, 16)):
    """Black ink (inked(x, y)) with a white edge on clear, as a cursor file holding one PNG image."""
    ink = [[inked(x, y) for x in range(32)] for y in range(32)]

    def edge(x, y):
        return any(0 <= x + i < 32 and 0 <= y + j < 32 and ink[y + j][x + i] for i in (-1, 0, 1) for j in (-1, 0, 1))
    pixels = [[(0, 0, 0, 255) if ink[y][x] else (255, 255, 255, 255) if edge(x, y) else (0, 0, 0, 0)
               for x in range(32)] for y in range(32)]
    image = png(32, 32, pixels)
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", 32, 32, 0, 0, hot[0], hot[1], len(image), 22)
    with open(path, "wb") as f:
        f.write(directory + image)


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "resources"
    write_bmp(f"{out}/SpinUp.bmp", UP)
    write_bmp(f"{out}/SpinDown.bmp", list(reversed(UP)))
    for name, (rows, palette) in grid_glyphs().items():
        write_bmp(f"{out}/{name}.bmp", rows, palette)
    for name, directions in AXES.items():
        write_bmp(f"{out}/{name}.bmp", pan_mark(directions))
    for number, directions in CURSORS.items():
        write_cursor(f"{out}/{number}.cur", lambda x, y, d=directions: pan_ink(x, y, d))
    for number, (inked, hot) in HEADER_CURSORS.items():
        write_cursor(f"{out}/{number}.cur", inked, hot)
