#!/usr/bin/env python3
"""Draws the application icon: one 32x32 image in the 16 standard colours.

A mosaic of four tiles with an arrow through it: one piece put in place of
another. Writes res/tessera.ico.
"""
import struct
import sys

PALETTE = [  # the 16 colours of the standard VGA palette, as (r, g, b)
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, GREY, SILVER, RED, BLUE, YELLOW, TEAL, WHITE = 0, 4, 8, 7, 9, 12, 11, 6, 15

def picture():
    pixels = [[None] * 32 for _ in range(32)]  # None: transparent
    tiles = [(2, 2, BLUE), (17, 2, TEAL), (2, 17, TEAL), (17, 17, RED)]
    for x0, y0, colour in tiles:
        for y in range(y0, y0 + 13):
            for x in range(x0, x0 + 13):
                edge = x in (x0, x0 + 12) or y in (y0, y0 + 12)
                pixels[y][x] = BLACK if edge else colour
        for i in range(1, 11):  # a highlight along the top and left edges
            pixels[y0 + 1][x0 + i] = WHITE
            pixels[y0 + i][x0 + 1] = WHITE
    # A yellow arrow from the lower-left tile into the upper-right one.
    for i in range(8, 24):
        for w in (-1, 0, 1):
            pixels[31 - i + w][i] = YELLOW if w == 0 else BLACK
    for i in range(0, 6):
        pixels[8][23 - i] = YELLOW
        pixels[8 + i][23] = YELLOW
    return pixels

def icon(pixels):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # bitmaps run bottom-up
        for x in range(0, 32, 2):
            a, b = (c if c is not None else 0 for c in row[x:x + 2])
            xor.append(a << 4 | b)
        bits = 0
        for x, c in enumerate(row):
            if c is None:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 22)
    return directory + image

if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "res/tessera.ico"
    with open(out, "wb") as f:
        f.write(icon(picture()))
