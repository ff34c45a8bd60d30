#!/usr/bin/env python3
"""Writes an X window dump (xwd) as an RGB PNG, for the screenshot the AppStream metainfo names.

Usage: xwd_to_png.py DUMP PNG
"""
import struct
import sys
import zlib

from xwd import read_xwd


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def main():
    source, target = sys.argv[1:3]
    width, height, rgb = read_xwd(source)
    rows = b"".join(b"\x00" + bytes(c for x in range(width) for c in rgb(x, y))
                    for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(target, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    main()
