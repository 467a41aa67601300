#!/usr/bin/env python3
"""Draws the pictures of the example page images.html into this folder: a sun and a tree for the two
floats, a turning windmill (animated GIF), three shapes for the image map, a scaled stripe and the
background tile."""
import math
import os
import struct
import zlib

CLEAR = (0, 0, 0, 0)


def canvas(w, h, colour=CLEAR):
    return [[colour] * w for _ in range(h)]


def fill(px, test, colour):
    """Paints every pixel whose centre passes test(x, y)."""
    for y, row in enumerate(px):
        for x in range(len(row)):
            if test(x + 0.5, y + 0.5):
                row[x] = colour


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_polygon(points):
    """Crossing test, as the image map does it."""
    def test(x, y):
        inside = False
        n = len(points)
        for i in range(n):
            (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
            if (y1 >= y) != (y2 >= y) and x <= x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                inside = not inside
        return inside
    return test


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def sun():
    """A sun with twelve rays on a transparent ground (96 x 96)."""
    px = canvas(96, 96)
    for k in range(12):
        a = k * math.pi / 6
        tip = (48 + 46 * math.cos(a), 48 + 46 * math.sin(a))
        side1 = (48 + 30 * math.cos(a - 0.2), 48 + 30 * math.sin(a - 0.2))
        side2 = (48 + 30 * math.cos(a + 0.2), 48 + 30 * math.sin(a + 0.2))
        fill(px, inside_polygon([tip, side1, side2]), (240, 140, 0, 255))
    fill(px, disc(48, 48, 30), (250, 200, 20, 255))
    fill(px, disc(38, 42, 4), (90, 60, 0, 255))
    fill(px, disc(58, 42, 4), (90, 60, 0, 255))
    fill(px, lambda x, y: 52 <= y <= 60 and (x - 48) ** 2 + (y - 46) ** 2 <= 196 and
         (x - 48) ** 2 + (y - 46) ** 2 >= 100, (90, 60, 0, 255))
    return px


def tree():
    """A round tree on a trunk, on a transparent ground (80 x 110)."""
    px = canvas(80, 110)
    fill(px, box(34, 60, 46, 108), (110, 70, 30, 255))
    for cx, cy, r in ((40, 34, 28), (24, 48, 16), (56, 48, 16)):
        fill(px, disc(cx, cy, r), (40, 140, 50, 255))
    for cx, cy in ((30, 28), (50, 38), (40, 52)):
        fill(px, disc(cx, cy, 4), (200, 30, 30, 255))
    return px


def shapes():
    """The image map: a blue rectangle, a red circle and a green triangle (240 x 100), with the
    coordinates that images.html gives its areas."""
    px = canvas(240, 100, (255, 255, 240, 255))
    fill(px, box(0, 0, 240, 1), (0, 0, 0, 255))
    fill(px, box(0, 99, 240, 100), (0, 0, 0, 255))
    fill(px, box(0, 0, 1, 100), (0, 0, 0, 255))
    fill(px, box(239, 0, 240, 100), (0, 0, 0, 255))
    fill(px, box(10, 20, 71, 81), (40, 80, 200, 255))                         # rect 10,20,70,80
    fill(px, disc(120, 50, 30), (210, 40, 40, 255))                           # circle 120,50,30
    fill(px, inside_polygon([(170, 80), (200, 15), (230, 80)]), (40, 160, 60, 255))  # poly
    return px


def stripes():
    """Eight coloured bars (64 x 16), shown at another size by width and height."""
    colours = [(230, 30, 30), (240, 140, 0), (240, 220, 0), (40, 170, 60),
               (30, 120, 220), (60, 40, 180), (150, 50, 170), (40, 40, 40)]
    px = canvas(64, 16)
    for i, (r, g, b) in enumerate(colours):
        fill(px, box(8 * i, 0, 8 * i + 8, 16), (r, g, b, 255))
    return px


def tile():
    """The background: a pale blue ground with a faint diamond (24 x 24)."""
    px = canvas(24, 24, (236, 244, 252, 255))
    fill(px, lambda x, y: abs(x - 12) + abs(y - 12) <= 6, (220, 232, 248, 255))
    fill(px, lambda x, y: abs(abs(x - 12) + abs(y - 12) - 6) < 0.8, (200, 216, 240, 255))
    return px


def windmill_frames(count=8, size=48):
    """Frames of four sails turning by half a turn in all (the sails alternate in two colours, so
    the last frame leads back to the first), as palette indices."""
    frames = []
    for f in range(count):
        px = [[0] * size for _ in range(size)]  # 0 = transparent
        c = size / 2
        for s in range(4):
            a = f * math.pi / count + s * math.pi / 2
            tip = (c + 22 * math.cos(a), c + 22 * math.sin(a))
            left = (c + 20 * math.cos(a + 0.45), c + 20 * math.sin(a + 0.45))
            test = inside_polygon([(c, c), left, tip])
            for y in range(size):
                for x in range(size):
                    if test(x + 0.5, y + 0.5):
                        px[y][x] = 1 + s % 2
        for y in range(size):
            for x in range(size):
                if (x + 0.5 - c) ** 2 + (y + 0.5 - c) ** 2 <= 16:
                    px[y][x] = 3
        frames.append(px)
    return frames


def write_png(path, px):
    h, w = len(px), len(px[0])
    raw = b"".join(b"\0" + b"".join(struct.pack("4B", *p) for p in row) for row in px)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
                chunk(b"IEND", b""))


def lzw(indices, min_size):
    """GIF's variable-length LZW: codes grow a bit when the table passes a power of two; a full
    table starts over with a clear code."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    out, acc, bits = bytearray(), 0, 0

    def put(code, size):
        nonlocal acc, bits
        acc |= code << bits
        bits += size
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8

    def fresh():
        return {bytes([i]): i for i in range(clear)}, end + 1, min_size + 1

    table, next_code, size = fresh()
    put(clear, size)
    word = b""
    for k in indices:
        grown = word + bytes([k])
        if grown in table:
            word = grown
            continue
        put(table[word], size)
        if next_code < 4096:
            table[grown] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            put(clear, size)
            table, next_code, size = fresh()
        word = bytes([k])
    if word:
        put(table[word], size)
    put(end, size)
    if bits:
        out.append(acc & 0xFF)
    return bytes(out)


def write_gif(path, size, palette, frames, delay):
    """An endlessly looping GIF89a; palette index 0 is transparent in every frame."""
    pal = b"".join(struct.pack("3B", *c) for c in palette)
    pal += b"\0" * (3 * 4 - len(pal))
    data = b"GIF89a" + struct.pack("<HHBBB", size, size, 0x80 | 0x01, 0, 0) + pal
    data += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    for px in frames:
        # Disposal 2: each frame is drawn on a cleared picture, so the turning sails leave no trace.
        data += b"\x21\xF9\x04" + struct.pack("<BHB", (2 << 2) | 1, delay, 0) + b"\x00"
        data += b"\x2C" + struct.pack("<HHHHB", 0, 0, size, size, 0)
        codes = lzw([i for row in px for i in row], 2)
        data += b"\x02"
        for i in range(0, len(codes), 255):
            block = codes[i:i + 255]
            data += bytes([len(block)]) + block
        data += b"\x00"
    data += b"\x3B"
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_png(os.path.join(here, "sun.png"), sun())
    write_png(os.path.join(here, "tree.png"), tree())
    write_png(os.path.join(here, "shapes.png"), shapes())
    write_png(os.path.join(here, "stripes.png"), stripes())
    write_png(os.path.join(here, "tile.png"), tile())
    write_gif(os.path.join(here, "windmill.gif"), 48,
              [(0, 0, 0), (200, 40, 40), (40, 90, 200), (60, 60, 60)], windmill_frames(), 10)
