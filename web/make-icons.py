#!/usr/bin/python3
"""Writes the web app's icons, icon-192.png and icon-512.png, into the folder
given: the page's chart in small, rows of light-red cells over a band of
green shades, the chosen defense framed in white, on the window's black.
Drawn from rectangles with exact pixel coverage, so the same script gives
the same bytes on every machine.

    make-icons.py FOLDER
"""
import os
import struct
import sys
import zlib

BLACK = (0, 0, 0)
HIGHLIGHT = (255, 180, 180)
GREEN = (127, 212, 127)
WHITE = (255, 255, 255)
FRAME = (128, 128, 128)

# In units of a 64-wide square; the safe zone of a maskable icon is its
# middle 80 %, so everything lies within 7..57.
ROWS = [(12, 30), (16, 34), (10, 24), (20, 40)]  # each row's cells span these columns (of 48)
CHOSEN = 21


def shapes():
    """(x0, y0, x1, y1, colour, opacity) in units of 64."""
    left, top, cell, line = 8, 12, 1.0, 8
    yield (6, 6, 58, 58, FRAME, 1.0)
    yield (7, 7, 57, 57, BLACK, 1.0)
    for i, (start, end) in enumerate(ROWS):
        y = top + i * line
        yield (left + start * cell, y, left + end * cell, y + line - 3, HIGHLIGHT, 1.0)
    y = top + len(ROWS) * line
    for column in range(48):
        share = sum(start <= column < end for start, end in ROWS) / len(ROWS)
        if share:
            yield (left + column * cell, y, left + (column + 1) * cell, y + line - 3, GREEN, share)
    x = left + CHOSEN * cell
    bottom = top + (len(ROWS) + 1) * line - 2
    for edge in ((x - 1, top - 2, x, bottom), (x + cell, top - 2, x + cell + 1, bottom),
                 (x - 1, top - 2, x + cell + 1, top - 1), (x - 1, bottom - 1, x + cell + 1, bottom)):
        yield (*edge, WHITE, 1.0)


def render(size):
    scale = size / 64
    pixels = [[list(BLACK) for _ in range(size)] for _ in range(size)]
    for x0, y0, x1, y1, colour, opacity in shapes():
        x0, y0, x1, y1 = x0 * scale, y0 * scale, x1 * scale, y1 * scale
        for py in range(int(y0), min(size, int(y1) + 1)):
            cover_y = min(py + 1, y1) - max(py, y0)
            if cover_y <= 0:
                continue
            for px in range(int(x0), min(size, int(x1) + 1)):
                cover = (min(px + 1, x1) - max(px, x0)) * cover_y * opacity
                if cover <= 0:
                    continue
                pixel = pixels[py][px]
                for k in range(3):
                    pixel[k] = pixel[k] + (colour[k] - pixel[k]) * cover
    return bytes(b for row in pixels for b in [0] + [round(v) for pixel in row for v in pixel])


def png(size):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    header = struct.pack('>IIBBBBB', size, size, 8, 2, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(render(size), 9)) +
            chunk(b'IEND', b''))


if __name__ == '__main__':
    for size in (192, 512):
        with open(os.path.join(sys.argv[1], 'icon-%d.png' % size), 'wb') as file:
            file.write(png(size))
