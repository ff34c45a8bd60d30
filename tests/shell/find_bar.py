#!/usr/bin/env python3
"""Finds a bar of one colour in an X window dump (xwd): the first row holding a run of at least
MIN pixels of the colour, and how many rows below it hold the same run. Prints LEFT TOP WIDTH
HEIGHT, or exits with 1 when no row holds such a run.

Usage: find_bar.py DUMP RED GREEN BLUE MIN
"""
import sys

from xwd import read_xwd


def longest_run(rgb, width, y, colour):
    """The (left, length) of the longest run of colour in row y."""
    best, left = (0, 0), None
    for x in range(width + 1):
        inside = x < width and rgb(x, y) == colour
        if inside and left is None:
            left = x
        elif not inside and left is not None:
            best = max(best, (x - left, left))
            left = None
    return best[1], best[0]


def main():
    path, red, green, blue, least = sys.argv[1:6]
    colour, least = (int(red), int(green), int(blue)), int(least)
    width, height, rgb = read_xwd(path)
    for top in range(height):
        left, length = longest_run(rgb, width, top, colour)
        if length < least:
            continue
        bottom = top + 1
        while bottom < height and rgb(left, bottom) == colour and \
                rgb(left + length - 1, bottom) == colour:
            bottom += 1
        print(left, top, length, bottom - top)
        return
    sys.exit(1)


if __name__ == "__main__":
    main()
