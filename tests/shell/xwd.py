"""Reads an X window dump (xwd, 24 or 32 bits per pixel) into its size and a pixel reader."""
import struct


def read_xwd(path):
    """Returns (width, height, rgb) where rgb(x, y) is the pixel's (red, green, blue)."""
    data = open(path, "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    masks, ncolors = (header[14], header[15], header[16]), header[19]
    pixels = data[header_size + 12 * ncolors:]
    step = bits_per_pixel // 8
    order = "little" if byte_order == 0 else "big"
    shifts = [(mask & -mask).bit_length() - 1 for mask in masks]

    def rgb(x, y):
        start = y * bytes_per_line + x * step
        value = int.from_bytes(pixels[start:start + step], order)
        return tuple((value & mask) >> shift for mask, shift in zip(masks, shifts))

    return width, height, rgb
