#!/usr/bin/env python3
"""Draws spinner.gif into this folder: an animated GIF of 8 frames, 32 x 32, a ring of dots whose dark
dot goes round (100 ms a frame, looping), on a transparent background."""
import math
import os
import struct

SIZE, FRAMES, DOTS, DELAY = 32, 8, 8, 10  # DELAY in hundredths of a second
# Palette: 0 transparent, 1 light dot, 2 dark dot, the rest unused (16 entries for a 4-bit code size).
PALETTE = [(255, 255, 255), (176, 196, 222), (0, 64, 160)] + [(0, 0, 0)] * 13
MIN_CODE_SIZE = 4


def frame_pixels(n):
    px = [[0] * SIZE for _ in range(SIZE)]
    for d in range(DOTS):
        angle = 2 * math.pi * d / DOTS
        cx, cy = 16 + 11 * math.sin(angle), 16 - 11 * math.cos(angle)
        colour = 2 if d == n else 1
        for y in range(SIZE):
            for x in range(SIZE):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= 3.2 ** 2:
                    px[y][x] = colour
    return [p for row in px for p in row]


def lzw(indices):
    """LZW data that never grows its code width: a clear code before every 12 pixels."""
    clear, end, width = 1 << MIN_CODE_SIZE, (1 << MIN_CODE_SIZE) + 1, MIN_CODE_SIZE + 1
    codes = []
    for i in range(0, len(indices), 12):
        codes.append(clear)
        codes.extend(indices[i:i + 12])
    codes.append(end)
    bits, nbits, out = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 0xFF)
    blocks = bytearray([MIN_CODE_SIZE])
    for i in range(0, len(out), 255):
        chunk = out[i:i + 255]
        blocks += bytes([len(chunk)]) + chunk
    return bytes(blocks + b"\x00")


def gif():
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", SIZE, SIZE, 0x80 | 0x30 | (MIN_CODE_SIZE - 1), 0, 0)
    for r, g, b in PALETTE:
        data += bytes([r, g, b])
    data += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop for ever
    for n in range(FRAMES):
        # Graphic control: restore to background after the frame, transparent index 0.
        data += b"\x21\xF9\x04" + struct.pack("<BHB", (2 << 2) | 1, DELAY, 0) + b"\x00"
        data += b"\x2C" + struct.pack("<HHHHB", 0, 0, SIZE, SIZE, 0)
        data += lzw(frame_pixels(n))
    data += b"\x3B"
    return bytes(data)


if __name__ == "__main__":
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "spinner.gif"), "wb") as f:
        f.write(gif())
