#!/usr/bin/env python3
"""Draws the 16 x 16 flag-style icons of the language packs.

Writes English.bmp, German.bmp and French.bmp (24-bit, uncompressed) into
resources/language/ (or the folder given as the first argument). The two top
and two bottom rows are magenta, which the language box shows as transparent,
so each flag is 16 x 12 pixels.
"""
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
    for name, pixel in (('English', english), ('German', german), ('French', french)):
        write_bmp(os.path.join(folder, name + '.bmp'), pixel)


if __name__ == '__main__':
    main()
