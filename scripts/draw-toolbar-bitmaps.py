#!/usr/bin/env python3
"""Draws the toolbar bitmap strips of the project window's pages (resources/bitmaps/<id>.bmp):
one 16 x 15 glyph per button (the image size of resources/toolbars/<id>.json), magenta where the
toolbar's background shows through."""
import struct
import sys
from pathlib import Path

from pixel_canvas import Canvas

MAGENTA = (255, 0, 255)
DARK = (40, 52, 70)
BLUE = (36, 98, 178)
GREEN = (44, 140, 64)
RED = (190, 48, 40)
ORANGE = (214, 130, 20)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)


class Glyph(Canvas):
    def __init__(self):
        super().__init__(16, MAGENTA)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.dot(x, y0, c)
            self.dot(x, y1, c)
        for y in range(y0, y1 + 1):
            self.dot(x0, y, c)
            self.dot(x1, y, c)


def rms_power():
    g = Glyph()
    g.line(1, 14, 14, 14, DARK)
    for x, h in ((2, 6), (5, 10), (8, 8), (11, 12)):
        g.fill(x, 14 - h, x + 1, 13, BLUE)
    return g


def demand():
    g = Glyph()
    g.line(1, 14, 14, 14, DARK)
    pts = [(1, 11), (4, 11), (4, 6), (8, 6), (8, 9), (11, 9), (11, 3), (14, 3)]
    for a, b in zip(pts, pts[1:]):
        g.line(*a, *b, GREEN)
    return g


def calendar():
    g = Glyph()
    g.fill(1, 2, 14, 4, RED)
    g.frame(1, 2, 14, 14, DARK)
    for x in (5, 9):
        g.line(x, 5, x, 14, GREY)
    for y in (8, 11):
        g.line(1, y, 14, y, GREY)
    g.fill(10, 9, 13, 10, BLUE)
    return g


def sine(colour):
    import math
    g = Glyph()
    g.line(1, 8, 14, 8, GREY)
    prev = None
    for x in range(1, 15):
        y = round(8 - 5 * math.sin((x - 1) / 13 * 2 * math.pi))
        if prev:
            g.line(*prev, x, y, colour)
        prev = (x, y)
    return g


def vahz():
    g = sine(BLUE)
    g.line(1, 3, 14, 3, ORANGE)
    g.line(1, 13, 14, 13, ORANGE)
    return g


def collapse():
    # The expanded state: a triangle pointing down (drawn upside down when collapsed).
    g = Glyph()
    for i in range(6):
        g.line(3 + i, 5 + i, 12 - i, 5 + i, DARK)
    return g


def blank():
    return Glyph()


def full_window():
    g = Glyph()
    g.frame(1, 1, 14, 14, DARK)
    g.fill(2, 2, 13, 3, BLUE)
    g.line(4, 6, 11, 12, DARK)
    g.line(4, 6, 7, 6, DARK)
    g.line(4, 6, 4, 9, DARK)
    g.line(11, 12, 8, 12, DARK)
    g.line(11, 12, 11, 9, DARK)
    return g


def magnifier(plus):
    g = Glyph()
    g.frame(2, 2, 9, 9, DARK)
    g.fill(3, 3, 8, 8, WHITE)
    g.line(4, 5, 7, 5, DARK)
    g.line(4, 6, 7, 6, DARK)
    if plus:
        g.line(5, 4, 5, 7, DARK)
        g.line(6, 4, 6, 7, DARK)
    g.line(9, 9, 14, 14, DARK)
    g.line(10, 9, 14, 13, DARK)
    return g


def options():
    g = Glyph()
    for y in (3, 8, 13):
        g.line(1, y, 14, y, GREY)
    for x, y in ((4, 3), (10, 8), (6, 13)):
        g.fill(x - 1, y - 2, x + 1, y + 2, BLUE)
    return g


def copy():
    g = Glyph()
    g.frame(1, 1, 9, 11, DARK)
    g.fill(2, 2, 8, 10, WHITE)
    g.frame(6, 4, 14, 14, DARK)
    g.fill(7, 5, 13, 13, WHITE)
    for y in (7, 9, 11):
        g.line(8, y, 12, y, GREY)
    return g


def bookmark():
    g = Glyph()
    g.fill(4, 1, 11, 13, RED)
    for i in range(3):
        g.line(7 - i, 14 - i, 8 + i, 14 - i, MAGENTA)
    g.line(4, 1, 11, 1, DARK)
    return g


def box(plus):
    g = Glyph()
    g.frame(2, 2, 13, 13, DARK)
    g.fill(3, 3, 12, 12, WHITE)
    g.line(5, 7, 10, 7, DARK)
    g.line(5, 8, 10, 8, DARK)
    if plus:
        g.line(7, 5, 7, 10, DARK)
        g.line(8, 5, 8, 10, DARK)
    return g


STRIPS = {
    1508: [rms_power(), demand(), calendar(), sine(GREEN), vahz()],
    1509: [rms_power(), calendar(), vahz(), sine(GREEN)],
    1510: [collapse(), blank(), full_window(), magnifier(True), magnifier(False), options(), blank(), blank(), copy(),
           bookmark()],
    1511: [collapse(), blank(), full_window(), blank(), blank(), copy(), bookmark()],
    1575: [box(True), box(False)],
}


HEIGHT = 15  # the glyphs are drawn on 16 x 16; their last row stays empty


def write_bmp(path, glyphs):
    width, height = 16 * len(glyphs), HEIGHT
    row_bytes = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for glyph in glyphs:
            for r, g, b in glyph.px[y]:
                row += bytes((b, g, r))
        row += bytes(row_bytes - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    path.write_bytes(header + info + data)


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else "resources/bitmaps")
    for resource, glyphs in STRIPS.items():
        write_bmp(folder / f"{resource}.bmp", glyphs)


if __name__ == "__main__":
    main()
