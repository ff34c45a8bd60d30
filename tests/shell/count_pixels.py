#!/usr/bin/env python3
"""Counts pixels of an X window dump (xwd, 24 or 32 bits per pixel) inside a rectangle:
prints how many are white and how many have the given colour.

Usage: count_pixels.py DUMP LEFT TOP RIGHT BOTTOM RED GREEN BLUE
"""
import sys

from xwd import read_xwd


def main():
    path, left, top, right, bottom, red, green, blue = sys.argv[1:9]
    left, top, right, bottom = int(left), int(top), int(right), int(bottom)
    wanted = (int(red), int(green), int(blue))
    width, height, rgb = read_xwd(path)
    white = matching = 0
    for y in range(max(0, top), min(height, bottom)):
        for x in range(max(0, left), min(width, right)):
            pixel = rgb(x, y)
            white += pixel == (255, 255, 255)
            matching += pixel == wanted
    print(white, matching)


if __name__ == "__main__":
    main()
