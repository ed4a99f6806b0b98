#!/usr/bin/env python3
"""Draws the 16 x 16 flag-style icons of the language packs.

Writes one "<language>.bmp" per pack (24-bit, uncompressed) into
resources/language/ (or the folder given as the first argument). The two top
and two bottom rows are magenta, which the language box shows as transparent,
so each flag is 16 x 12 pixels. The flags are simplified: emblems and coats
of arms are left out where 16 pixels cannot show them.
"""
import math
import os
import struct
import sys

SIZE = 16
MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)


def german(x, y):
    # Three horizontal stripes: black, red, gold.
    return [(0, 0, 0), (221, 0, 0), (255, 206, 0)][y // 4]


def french(x, y):
    # Three vertical stripes: blue, white, red (16 px split 5/6/5).
    if x < 5:
        return (0, 35, 149)
    return WHITE if x < 11 else (237, 41, 57)


def english(x, y):
    # A simplified union flag: blue field, white diagonals, red cross on white.
    blue, red = (1, 33, 105), (200, 16, 46)
    cx, cy = x - 7.5, (y - 5.5) * 16 / 12
    if abs(cx) < 1.1 or abs(cy) < 1.1:
        return red
    if abs(cx) < 2.2 or abs(cy) < 2.2:
        return WHITE
    if abs(abs(cx) - abs(cy)) < 1.2:
        return WHITE
    return blue


def spanish(x, y):
    # Red, yellow (twice as tall), red.
    return (170, 21, 27) if y < 3 or y >= 9 else (241, 191, 0)


def italian(x, y):
    # Three vertical stripes: green, white, red.
    if x < 5:
        return (0, 146, 70)
    return WHITE if x < 11 else (206, 43, 55)


def portuguese_brazilian(x, y):
    # Green field, yellow rhombus, blue disc.
    cx, cy = x - 7.5, y - 5.5
    if cx * cx + cy * cy < 3.2 * 3.2:
        return (0, 39, 118)
    if abs(cx) / 7.4 + abs(cy) / 5.4 <= 1.0:
        return (254, 221, 0)
    return (0, 151, 57)


def russian(x, y):
    # Three horizontal stripes: white, blue, red.
    return [WHITE, (0, 57, 166), (213, 43, 30)][y // 4]


def polish(x, y):
    # White over red.
    return WHITE if y < 6 else (220, 20, 60)


def japanese(x, y):
    # A red disc on white, framed in light grey so that the white shows
    # against a white list.
    if x in (0, SIZE - 1) or y in (0, 11):
        return (192, 192, 192)
    cx, cy = x - 7.5, y - 5.5
    return (188, 0, 45) if cx * cx + cy * cy < 3.6 * 3.6 else WHITE


def _in_star(px, py, cx, cy, radius):
    # Inside a five-pointed star with one point up (outer radius `radius`).
    points = []
    for i in range(10):
        r = radius if i % 2 == 0 else radius * 0.382
        angle = math.pi / 2 + i * math.pi / 5
        points.append((cx + r * math.cos(angle), cy - r * math.sin(angle)))
    inside = False
    for i in range(10):
        (x1, y1), (x2, y2) = points[i], points[i - 1]
        if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def chinese_simplified(x, y):
    # Red field, a large yellow star and four small ones (single pixels) to
    # its right.
    yellow, red = (255, 222, 0), (222, 41, 16)
    samples = [(x + (i + 0.5) / 4, y + (j + 0.5) / 4) for i in range(4) for j in range(4)]
    if sum(_in_star(px, py, 3.5, 3.6, 3.4) for px, py in samples) >= 6:
        return yellow
    return yellow if (x, y) in ((7, 1), (8, 3), (8, 5), (7, 7)) else red


FLAGS = (
    ('English', english),
    ('German', german),
    ('French', french),
    ('Spanish', spanish),
    ('Italian', italian),
    ('Portuguese Brazilian', portuguese_brazilian),
    ('Russian', russian),
    ('Polish', polish),
    ('Japanese', japanese),
    ('Chinese Simplified', chinese_simplified),
)


def write_bmp(path, pixel):
    row_bytes = SIZE * 3  # 48: already a multiple of four
    image = bytearray()
    for row in range(SIZE - 1, -1, -1):  # bitmaps are stored bottom-up
        for x in range(SIZE):
            r, g, b = MAGENTA if row < 2 or row >= SIZE - 2 else pixel(x, row - 2)
            image += bytes((b, g, r))
    header_size = 14 + 40
    file_header = struct.pack('<2sIHHI', b'BM', header_size + len(image), 0, 0, header_size)
    info_header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, row_bytes * SIZE, 2835, 2835, 0, 0)
    with open(path, 'wb') as out:
        out.write(file_header + info_header + image)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'resources', 'language')
    os.makedirs(folder, exist_ok=True)
    for name, pixel in FLAGS:
        write_bmp(os.path.join(folder, name + '.bmp'), pixel)


if __name__ == '__main__':
    main()
