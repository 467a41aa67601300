#!/usr/bin/env python3
"""Draws the viewer's two stand-in pictures, loading.png and broken.png (32 x 32), into this folder."""
import os
import struct
import zlib

SIZE = 32
WHITE, BLACK = (255, 255, 255, 255), (0, 0, 0, 255)
GREY, DARK = (192, 192, 192, 255), (128, 128, 128, 255)
RED, BLUE, CLEAR = (200, 0, 0, 255), (0, 64, 160, 255), (0, 0, 0, 0)


def canvas():
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def rect(px, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            px[y][x] = colour


def frame(px, x0, y0, x1, y1, light, dark):
    """A raised 3D frame: light top and left edges, dark right and bottom ones."""
    rect(px, x0, y0, x1, y0 + 1, light)
    rect(px, x0, y0, x0 + 1, y1, light)
    rect(px, x1 - 1, y0, x1, y1, dark)
    rect(px, x0, y1 - 1, x1, y1, dark)


def line(px, x0, y0, x1, y1, colour, width=1):
    steps = max(abs(x1 - x0), abs(y1 - y0))
    for i in range(steps + 1):
        x = x0 + (x1 - x0) * i // steps
        y = y0 + (y1 - y0) * i // steps
        rect(px, x, y, min(SIZE, x + width), min(SIZE, y + width), colour)


def loading():
    """A grey picture frame with an hourglass: the picture is still to come."""
    px = canvas()
    rect(px, 0, 0, SIZE, SIZE, GREY)
    frame(px, 0, 0, SIZE, SIZE, WHITE, BLACK)
    frame(px, 1, 1, SIZE - 1, SIZE - 1, WHITE, DARK)
    rect(px, 9, 6, 23, 8, BLACK)
    rect(px, 9, 24, 23, 26, BLACK)
    for i in range(8):
        # The two glass bulbs, sand in the lower one.
        rect(px, 10 + i, 8 + i, 22 - i, 9 + i, WHITE if i < 5 else BLUE)
        rect(px, 15 - i, 16 + i, 17 + i, 17 + i, BLUE if i > 3 else WHITE)
    return px


def broken():
    """A page with a torn corner and a red cross: the picture could not be read."""
    px = canvas()
    rect(px, 4, 2, 28, 30, WHITE)
    frame(px, 4, 2, 28, 30, DARK, BLACK)
    for i in range(8):
        # The folded top-right corner: cut away above the fold's diagonal.
        rect(px, 21 + i, 2 + i, 28, 3 + i, CLEAR)
        px[2 + i][20 + i] = BLACK
    rect(px, 20, 9, 28, 10, BLACK)
    rect(px, 20, 2, 21, 10, BLACK)
    line(px, 8, 10, 23, 25, RED, 2)
    line(px, 23, 10, 8, 25, RED, 2)
    return px


def write_png(path, px):
    raw = b"".join(b"\0" + b"".join(struct.pack("4B", *p) for p in row) for row in px)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
                chunk(b"IEND", b""))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_png(os.path.join(here, "loading.png"), loading())
    write_png(os.path.join(here, "broken.png"), broken())
