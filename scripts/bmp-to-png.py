#!/usr/bin/env python3
"""Converts a 24-bit BMP (as the Windows screenshot tour writes them) into a PNG, with nothing
but the standard library. Usage: bmp-to-png.py IN.bmp OUT.png"""
import struct
import sys
import zlib


def convert(source, target):
    data = open(source, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    if struct.unpack_from("<H", data, 28)[0] != 24:
        sys.exit(f"{source}: not a 24-bit BMP")
    row_bytes = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        # Bottom-up unless the height is negative.
        stored = abs(height) - 1 - y if height > 0 else y
        line = data[offset + stored * row_bytes: offset + stored * row_bytes + width * 3]
        pixels = bytearray(width * 3)
        pixels[0::3] = line[2::3]
        pixels[1::3] = line[1::3]
        pixels[2::3] = line[0::3]
        rows.append(b"\x00" + bytes(pixels))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0)
    with open(target, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    convert(sys.argv[1], sys.argv[2])
