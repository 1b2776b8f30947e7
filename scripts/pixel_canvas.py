"""A square of RGB pixels to draw small pictures on, shared by the scripts that draw the bitmaps
of resources/bitmaps."""


class Canvas:
    def __init__(self, size, back):
        self.size = size
        self.px = [[back] * size for _ in range(size)]

    def dot(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    # A straight line of square dots `width` pixels wide.
    def line(self, x0, y0, x1, y1, c, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            self.fill(x, y, x + width - 1, y + width - 1, c)
