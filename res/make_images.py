#!/usr/bin/env python3
"""Draws the program's icon and about-box emblem.

Writes trevano.ico (32 x 32, 16 colours, with an AND mask) and emblem.bmp
(43 x 55, 256 colours) next to this script, plus PNG copies of both for
looking at them, and the icon drawn again for the desktop's icon theme at
48, 64, 128 and 256 pixels (trevano-SIZE.png).  Standard library only and no
randomness, so running it again gives the same bytes.

    python3 make_images.py [--out DIR] [--scale N]

--scale N enlarges the PNG copies only, for inspection.
"""

import argparse
import math
import os
import struct
import zlib

# The standard 16-colour VGA palette, in the order Windows uses it.
VGA = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_RED, GREEN, YELLOW, BLUE, RED = 0, 1, 10, 11, 12, 9

# 3 x 5 capitals for the label.
GLYPHS = {
    "D": ["XX.", "X.X", "X.X", "X.X", "XX."],
    "X": ["X.X", "X.X", ".X.", "X.X", "X.X"],
    "F": ["XXX", "X..", "XX.", "X..", "X.."],
}

ICON_SIZE = 32
EMBLEM_WIDTH, EMBLEM_HEIGHT = 43, 55


class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, value):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = value

    def line(self, x0, y0, x1, y1, value, keep=None):
        """Bresenham; `keep(step)` picks which steps are drawn (dotted lines)."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err, step = dx + dy, 0
        while True:
            if keep is None or keep(step):
                self.put(x0, y0, value)
            if (x0, y0) == (x1, y1):
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy
            step += 1

    def rect(self, x0, y0, x1, y1, value):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, value)


# ---------------------------------------------------------------- icon


def fan_lines():
    """The zigzag polylines, in pixels of the 32 x 32 icon, before rounding."""
    ox, oy = 7, 3
    for end_y in (2, 10, 18):
        length = math.hypot(30 - ox, end_y - oy)
        ux, uy = (30 - ox) / length, (end_y - oy) / length
        px, py = -uy, ux
        points = []
        for k in range(11):
            t = length * k / 10
            # The teeth grow away from the apex so the lines do not tangle there.
            offset = 0.0 if k in (0, 1, 10) else (1 if k % 2 else -1) * min(1.5, 0.07 * t)
            points.append((ox + ux * t + px * offset, oy + uy * t + py * offset))
        yield points


def draw_icon():
    """Returns (colour indices, transparent flags), rows top-down."""
    img = Canvas(ICON_SIZE, ICON_SIZE, BLACK)

    # A fan of zigzag polylines opening from the upper left, all of it above
    # the diagonal that the arrow takes.
    for points in fan_lines():
        points = [(round(x), round(y)) for x, y in points]
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            img.line(x0, y0, x1, y1, RED)

    # The green dotted arrow, upper left to lower right, with an open head.
    tip = (28, 29)
    img.line(2, 3, tip[0] - 3, tip[1] - 3, GREEN, keep=lambda step: step % 3 != 2)
    img.line(tip[0] - 3, tip[1] - 3, tip[0], tip[1], GREEN)
    for d in range(7):
        img.put(tip[0] - d, tip[1], GREEN)
        img.put(tip[0], tip[1] - d, GREEN)
    img.put(tip[0] - 1, tip[1] - 1, GREEN)

    # The blue label with DXF in yellow, lower left.
    img.rect(1, 21, 15, 29, BLUE)
    x = 3
    for letter in "DXF":
        for row, bits in enumerate(GLYPHS[letter]):
            for col, bit in enumerate(bits):
                if bit == "X":
                    img.put(x + col, 23 + row, YELLOW)
        x += 4

    # Rounded corners: the only transparent pixels.
    transparent = [[False] * ICON_SIZE for _ in range(ICON_SIZE)]
    corner = [(0, 0), (1, 0), (0, 1)]
    for cx, cy in corner:
        for x, y in ((cx, cy), (31 - cx, cy), (cx, 31 - cy), (31 - cx, 31 - cy)):
            transparent[y][x] = True
            img.pixels[y][x] = BLACK  # so that the XOR image leaves the screen alone
    return img.pixels, transparent


def ico_bytes(pixels, transparent):
    xor_stride = ICON_SIZE // 2
    and_stride = ((ICON_SIZE + 31) // 32) * 4
    xor_rows, and_rows = [], []
    for y in reversed(range(ICON_SIZE)):
        row = pixels[y]
        xor_rows.append(bytes((row[x] << 4) | row[x + 1] for x in range(0, ICON_SIZE, 2)))
        bits = bytearray(and_stride)
        for x in range(ICON_SIZE):
            if transparent[y][x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(bits))
    xor_data, and_data = b"".join(xor_rows), b"".join(and_rows)
    assert len(xor_data) == xor_stride * ICON_SIZE
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
    header = struct.pack(
        "<IiiHHIIiiII", 40, ICON_SIZE, 2 * ICON_SIZE, 1, 4, 0,
        len(xor_data) + len(and_data), 0, 0, 0, 0)
    image = header + palette + xor_data + and_data
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", ICON_SIZE, ICON_SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


# ---------------------------------------------------------- larger icons

# The menu sizes of a desktop's icon theme. Each is drawn anew at its size from the shapes of
# the 32 x 32 icon, with smooth edges: scaling those pixels up would only enlarge the steps.
LARGE_ICON_SIZES = (48, 64, 128, 256)

# The label's letters as strokes through the pixel centres of their 3 x 5 glyphs.
GLYPH_STROKES = {
    "D": [[(0, 0), (1, 0), (2, 1), (2, 3), (1, 4), (0, 4), (0, 0)]],
    "X": [[(0, 0), (0, 1), (2, 3), (2, 4)], [(2, 0), (2, 1), (0, 3), (0, 4)]],
    "F": [[(2, 0), (0, 0), (0, 4)], [(0, 2), (1, 2)]],
}


def segment_distance(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    span = dx * dx + dy * dy
    t = 0.0 if span == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / span))
    return math.hypot(px - x0 - t * dx, py - y0 - t * dy)


class SmoothCanvas:
    """RGBA at `size` pixels, drawn in the 32 x 32 icon's pixel units."""

    def __init__(self, size):
        self.size, self.scale = size, size / ICON_SIZE
        self.rgb = [[VGA[BLACK]] * size for _ in range(size)]
        self.alpha = [[1.0] * size for _ in range(size)]

    def paint(self, coverage, colour):
        ink = VGA[colour]
        for (x, y), a in coverage.items():
            self.rgb[y][x] = tuple(c * (1 - a) + k * a for c, k in zip(self.rgb[y][x], ink))

    def stroke(self, polylines, colour, width=1.0):
        """Round-capped lines through pixel centres; a pixel's cover is its centre's depth in
        the pen, so that overlapping segments of one stroke do not darken each other."""
        coverage = {}
        half = width * self.scale / 2
        for points in polylines:
            scaled = [((x + 0.5) * self.scale, (y + 0.5) * self.scale) for x, y in points]
            for (x0, y0), (x1, y1) in zip(scaled, scaled[1:]):
                for y in range(max(0, math.floor(min(y0, y1) - half - 1)),
                               min(self.size, math.ceil(max(y0, y1) + half + 1))):
                    for x in range(max(0, math.floor(min(x0, x1) - half - 1)),
                                   min(self.size, math.ceil(max(x0, x1) + half + 1))):
                        d = segment_distance(x + 0.5, y + 0.5, x0, y0, x1, y1)
                        a = min(1.0, half + 0.5 - d)
                        if a > coverage.get((x, y), 0.0):
                            coverage[(x, y)] = a
        self.paint(coverage, colour)

    def fill(self, left, top, right, bottom, colour):
        """The box of pixels left..right, top..bottom of the small icon, inclusive."""
        edges = [v * self.scale for v in (left, top, right + 1, bottom + 1)]
        coverage = {}
        for y in range(math.floor(edges[1]), min(self.size, math.ceil(edges[3]))):
            cover_y = min(y + 1, edges[3]) - max(y, edges[1])
            for x in range(math.floor(edges[0]), min(self.size, math.ceil(edges[2]))):
                coverage[(x, y)] = cover_y * (min(x + 1, edges[2]) - max(x, edges[0]))
        self.paint(coverage, colour)

    def round_corners(self, radius):
        r = radius * self.scale
        for y in range(self.size):
            for x in range(self.size):
                cx = min(max(x + 0.5, r), self.size - r)
                cy = min(max(y + 0.5, r), self.size - r)
                depth = r + 0.5 - math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                self.alpha[y][x] = max(0.0, min(1.0, depth))

    def rows(self):
        return [[tuple(round(c) for c in rgb) + (round(255 * a),) for rgb, a in zip(row, arow)]
                for row, arow in zip(self.rgb, self.alpha)]


def draw_large_icon(size):
    """The icon of draw_icon(), drawn again at `size` pixels; returns RGBA rows."""
    img = SmoothCanvas(size)
    img.stroke(list(fan_lines()), RED)

    # Dashes of two pixels and gaps of one along the diagonal, then the solid shaft and head.
    tip_x, tip_y = 28, 29
    img.stroke([[(2 + k, 3 + k), (3 + k, 4 + k)] for k in range(0, 22, 3)], GREEN)
    img.stroke([[(tip_x - 3, tip_y - 3), (tip_x, tip_y)],
                [(tip_x - 6, tip_y), (tip_x, tip_y), (tip_x, tip_y - 6)]], GREEN)

    img.fill(1, 21, 15, 29, BLUE)
    for i, letter in enumerate("DXF"):
        img.stroke([[(3 + 4 * i + cx, 23 + cy) for cx, cy in path]
                    for path in GLYPH_STROKES[letter]], YELLOW)

    img.round_corners(2)
    return img.rows()


# ---------------------------------------------------------------- emblem


def emblem_palette():
    """0..127: navy to white; 128..255: black to white greys."""
    navy, white = (0x10, 0x24, 0x5C), (0xFF, 0xFF, 0xFF)
    colours = []
    for i in range(128):
        t = i / 127
        colours.append(tuple(round(a + (b - a) * t) for a, b in zip(navy, white)))
    for i in range(128):
        v = round(255 * i / 127)
        colours.append((v, v, v))
    return colours


def shade(t):
    """Blue ramp index, t = 0 navy .. 1 white."""
    return max(0, min(127, round(127 * t)))


def draw_emblem():
    """A body plan: the hull's frames, aft on the left, fore on the right."""
    w, h = EMBLEM_WIDTH, EMBLEM_HEIGHT
    # Paper: a soft vertical gradient, as light ink values (1 = white).
    ink = [[0.93 - 0.10 * (y / (h - 1)) for _ in range(w)] for y in range(h)]

    def blend(x, y, level, cover):
        if 0 <= x < w and 0 <= y < h and cover > 0:
            ink[y][x] = ink[y][x] * (1 - cover) + level * cover

    def plot_curve(points, level):
        # Samples densely along the polyline and spreads each sample over
        # the 2 x 2 pixels around it, which gives smooth thin curves.
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            n = max(2, int(4 * math.hypot(x1 - x0, y1 - y0)))
            for i in range(n):
                t = i / n
                x, y = x0 + (x1 - x0) * t - 0.5, y0 + (y1 - y0) * t - 0.5
                ix, iy = math.floor(x), math.floor(y)
                fx, fy = x - ix, y - iy
                for ddx, ddy, c in ((0, 0, (1 - fx) * (1 - fy)), (1, 0, fx * (1 - fy)),
                                    (0, 1, (1 - fx) * fy), (1, 1, fx * fy)):
                    blend(ix + ddx, iy + ddy, level, 0.8 * c)

    centre = (w - 1) / 2
    deck, keel = 9.0, 45.0
    half_beam = 18.0

    # Waterlines and the base line, pale.
    for z in range(13, 45, 8):
        plot_curve([(2, z), (w - 3, z)], 0.72)
    plot_curve([(2, keel), (w - 3, keel)], 0.45)
    # Centre line.
    plot_curve([(centre, 4), (centre, 50)], 0.45)

    # Frames: half-breadth as a function of draught, fuller amidships.
    for side, fullness_list in ((-1, (1.2, 2.2, 4.0)), (1, (0.8, 1.6, 3.0))):
        for k, p in enumerate(fullness_list):
            points = []
            for i in range(41):
                s = i / 40  # 0 at the deck, 1 at the keel
                b = half_beam * (1 - s ** p) ** (1 / max(p, 1.0)) * (0.6 + 0.4 * (k + 1) / 3)
                points.append((centre + side * b, deck + (keel - deck) * s))
            plot_curve(points, 0.05 + 0.12 * (2 - k))

    # Deck line and sheer, the darkest.
    plot_curve([(centre - half_beam, deck - 1), (centre, deck + 0.5),
                (centre + half_beam, deck - 1)], 0.0)

    # A frame around the emblem.
    for x in range(w):
        blend(x, 0, 0.0, 1.0)
        blend(x, h - 1, 0.0, 1.0)
    for y in range(h):
        blend(0, y, 0.0, 1.0)
        blend(w - 1, y, 0.0, 1.0)

    return [[shade(v) for v in row] for row in ink]


def bmp_bytes(pixels, palette):
    w, h = len(pixels[0]), len(pixels)
    stride = (w + 3) & ~3
    rows = [bytes(pixels[y]) + bytes(stride - w) for y in reversed(range(h))]
    data = b"".join(rows)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    assert len(pal) == 256 * 4
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(pal)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return file_header + info + pal + data


# ---------------------------------------------------------------- PNG


def png_bytes(rgba_rows, scale):
    rows = []
    for row in rgba_rows:
        wide = b"".join(bytes(p) * scale for p in row)
        rows.extend([b"\x00" + wide] * scale)
    width, height = len(rgba_rows[0]) * scale, len(rgba_rows) * scale

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--scale", type=int, default=1)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    def write(name, data):
        with open(os.path.join(args.out, name), "wb") as f:
            f.write(data)

    icon, transparent = draw_icon()
    write("trevano.ico", ico_bytes(icon, transparent))
    write("trevano.png", png_bytes(
        [[VGA[c] + ((0,) if t else (255,)) for c, t in zip(row, trow)]
         for row, trow in zip(icon, transparent)], args.scale))

    # The icon theme's copies: drawn at their size, not enlarged by --scale.
    for size in LARGE_ICON_SIZES:
        write(f"trevano-{size}.png", png_bytes(draw_large_icon(size), 1))

    palette = emblem_palette()
    emblem = draw_emblem()
    write("emblem.bmp", bmp_bytes(emblem, palette))
    write("emblem.png", png_bytes([[palette[c] + (255,) for c in row] for row in emblem],
                                  args.scale))


if __name__ == "__main__":
    main()
