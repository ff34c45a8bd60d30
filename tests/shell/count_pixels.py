#!/usr/bin/env python3
"""Counts pixels of an X window dump (xwd, 24 or 32 bits per pixel) inside a rectangle:
prints how many are white and how many have the given colour.

Usage: count_pixels.py DUMP LEFT TOP RIGHT BOTTOM RED GREEN BLUE
"""
import struct
import sys


def main():
    path, left, top, right, bottom, red, green, blue = sys.argv[1:9]
    left, top, right, bottom = int(left), int(top), int(right), int(bottom)
    wanted = (int(red), int(green), int(blue))
    data = open(path, "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    red_mask, green_mask, blue_mask, ncolors = header[14], header[15], header[16], header[19]
    pixels = data[header_size + 12 * ncolors:]
    step = bits_per_pixel // 8
    order = "little" if byte_order == 0 else "big"

    def channel(value, mask):
        shift = (mask & -mask).bit_length() - 1
        return (value & mask) >> shift

    white = matching = 0
    for y in range(max(0, top), min(height, bottom)):
        row = y * bytes_per_line
        for x in range(max(0, left), min(width, right)):
            value = int.from_bytes(pixels[row + x * step:row + x * step + step], order)
            rgb = (channel(value, red_mask), channel(value, green_mask), channel(value, blue_mask))
            white += rgb == (255, 255, 255)
            matching += rgb == wanted
    print(white, matching)


if __name__ == "__main__":
    main()
