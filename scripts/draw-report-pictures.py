#!/usr/bin/env python3
"""Draws the report page's pictures (resources/bitmaps/<id>.png): the 64 x 64 tiles of the report
list (document 1581, table 1580, graph 1578, photograph 1579) and the 16 x 16 Restore button
arrows of a bookmark item (1600 normal, 1601 hot)."""
import struct
import sys
import zlib
from pathlib import Path

from pixel_canvas import Canvas

WHITE = (255, 255, 255)
PAGE = (255, 255, 255)  # the tile's background
FRAME = (69, 72, 76)
LINE = (150, 158, 166)
BLUE = (36, 98, 178)
RED = (190, 48, 40)
GREEN = (44, 140, 64)
SKY = (170, 205, 240)
SUN = (240, 190, 40)
HEADING = (69, 72, 76)
HOT = (255, 255, 255)


class Picture(Canvas):
    # Two pixels wide: the tiles show the pictures scaled down.
    def frame(self, x0, y0, x1, y1, c):
        self.fill(x0, y0, x1, y0 + 1, c)
        self.fill(x0, y1 - 1, x1, y1, c)
        self.fill(x0, y0, x0 + 1, y1, c)
        self.fill(x1 - 1, y0, x1, y1, c)

    def png(self, path):
        raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in self.px)
        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
        header = struct.pack(">IIBBBBB", self.size, self.size, 8, 2, 0, 0, 0)
        Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
                               + chunk(b"IEND", b""))


def sheet():
    p = Picture(64, PAGE)
    p.fill(12, 4, 51, 59, WHITE)
    p.frame(12, 4, 51, 59, FRAME)
    return p


def document():
    p = sheet()
    p.fill(17, 10, 40, 13, BLUE)
    for y in range(20, 56, 6):
        p.fill(17, y, 46 if y % 12 else 38, y + 2, LINE)
    return p


def table():
    p = sheet()
    p.fill(16, 10, 47, 15, BLUE)
    for y in range(16, 55, 7):
        p.fill(16, y, 47, y + 1, LINE)
    for x in (16, 27, 37, 46):
        p.fill(x, 10, x + 1, 54, LINE)
    return p


def graph():
    p = sheet()
    p.fill(18, 10, 19, 50, FRAME)
    p.fill(18, 49, 47, 50, FRAME)
    points = [(19, 44), (24, 36), (29, 40), (34, 24), (39, 30), (46, 16)]
    for (a, b) in zip(points, points[1:]):
        p.line(a[0], a[1], b[0], b[1], RED, 2)
    return p


def photograph():
    p = Picture(64, PAGE)
    p.fill(6, 12, 57, 51, SKY)
    p.frame(6, 12, 57, 51, FRAME)
    p.fill(42, 18, 48, 24, SUN)
    for x in range(7, 57):
        top = 50 - min(abs(x - 24), 18) if x < 40 else 50 - min(abs(x - 46) + 8, 18)
        p.fill(x, max(top, 30 if x < 40 else 36), x, 50, GREEN)
    return p


def restore(colour):
    p = Picture(16, HEADING)
    # A curved arrow back to the left: the bookmark's view is shown again.
    for x, y in [(11, 4), (12, 5), (12, 6), (12, 7), (12, 8), (11, 9), (10, 10), (9, 10), (8, 10), (7, 10)]:
        p.fill(x, y, x, y + 1, colour)
    for x in range(5, 12):
        p.fill(x, 3, x, 4, colour)
    p.line(5, 3, 8, 0, colour)
    p.line(5, 4, 8, 7, colour)
    return p


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources" / "bitmaps")
    for rid, draw in ((1578, graph), (1579, photograph), (1580, table), (1581, document)):
        draw().png(out / f"{rid}.png")
    restore(LINE).png(out / "1600.png")
    restore(HOT).png(out / "1601.png")


if __name__ == "__main__":
    main()
