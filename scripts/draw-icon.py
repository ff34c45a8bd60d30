#!/usr/bin/env python3
"""Draws the Zentarix application icon at any size from one design, as indexed PNG files with
the standard 16-colour palette: a rising move from A to B on a navy ground, the two corridor
bands around the 0.382 and 0.618 levels, the two retracement legs and the red 50% line.

Usage: scripts/draw-icon.py OUTPUT_DIR [SIZE ...]   (default sizes: 32 48 64 128 256)
"""
import struct
import sys
import zlib

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
NAVY, SILVER, GRAY, RED, YELLOW, AQUA, WHITE = 4, 7, 8, 9, 11, 14, 15


def draw(size):
    pixels = [[NAVY] * size for _ in range(size)]
    unit = size / 32.0

    def rect(x0, y0, x1, y1, colour):
        for y in range(max(0, round(y0 * unit)), min(size, round(y1 * unit))):
            for x in range(max(0, round(x0 * unit)), min(size, round(x1 * unit))):
                pixels[y][x] = colour

    def line(x0, y0, x1, y1, colour, width):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * unit * 4) + 1
        half = max(width * unit / 2.0, 0.5)
        for i in range(steps + 1):
            t = i / steps
            cx, cy = (x0 + (x1 - x0) * t) * unit, (y0 + (y1 - y0) * t) * unit
            for y in range(int(cy - half), int(cy + half) + 1):
                for x in range(int(cx - half), int(cx + half) + 1):
                    if 0 <= x < size and 0 <= y < size and \
                            (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= half * half + 0.25:
                        pixels[y][x] = colour

    top, bottom = 4.0, 28.0
    span = bottom - top
    f3, f5 = top + span * 0.382, top + span * 0.618
    rect(0, 0, 32, 1, GRAY)
    rect(0, 31, 32, 32, GRAY)
    rect(0, 0, 1, 32, GRAY)
    rect(31, 0, 32, 32, GRAY)
    rect(8, f3 - 2, 20, f3 + 2, SILVER)
    rect(20, f5 - 2, 30, f5 + 2, AQUA)
    line(2, (top + bottom) / 2, 30, (top + bottom) / 2, RED, 1.2)
    line(8, top, 14, f3, YELLOW, 1.6)
    line(8, top, 25, f5, YELLOW, 1.6)
    line(2, bottom, 8, top, WHITE, 2.2)
    return pixels


def png(pixels):
    size = len(pixels)
    raw = b"".join(b"\x00" + bytes(
        (row[x] << 4) | row[x + 1] for x in range(0, size, 2)) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0)
    palette = b"".join(bytes(c) for c in PALETTE)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = sys.argv[1]
    sizes = [int(s) for s in sys.argv[2:]] or [32, 48, 64, 128, 256]
    for size in sizes:
        with open(f"{out}/zentarix-{size}.png", "wb") as f:
            f.write(png(draw(size)))


if __name__ == "__main__":
    main()
