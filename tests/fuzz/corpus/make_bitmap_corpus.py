#!/usr/bin/env python3
"""Writes the seed corpus for fuzz_bitmap: small valid 24-bit BMPs and broken variants.
Run from anywhere; the files land beside this script in bitmap/."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bitmap")


def pixels(w, h, bpp=24):
    row = bytearray()
    data = bytearray()
    for y in range(h):
        row = bytearray()
        for x in range(w):
            # A black corner (transparent) and coloured rest.
            px = (0, 0, 0) if x == 0 and y == 0 else ((x * 40) & 255, (y * 60) & 255, 200)
            row += bytes(px) if bpp == 24 else bytes(px) + b"\xff"
        while len(row) % 4:
            row += b"\0"
        data += row
    return bytes(data)


def bmp(w, h, bpp=24, compression=0, info=40, body=None, magic=b"BM", height_sign=1):
    body = pixels(w, abs(h), bpp) if body is None else body
    if info == 12:
        header = struct.pack("<IHHHH", 12, w, h, 1, bpp)
    else:
        header = struct.pack("<IiiHHIIiiII", info, w, h * height_sign, 1, bpp, compression, len(body), 2835, 2835, 0, 0)
        header += b"\0" * (info - 40)
    offset = 14 + len(header)
    return magic + struct.pack("<IHHI", offset + len(body), 0, 0, offset) + header + body


def main():
    os.makedirs(HERE, exist_ok=True)
    files = {
        "valid-1x1.bmp": bmp(1, 1),
        "valid-2x2.bmp": bmp(2, 2),
        "valid-8x4.bmp": bmp(8, 4),
        "valid-16x2-core-header.bmp": bmp(16, 2, info=12),
        "valid-4x4-top-down.bmp": bmp(4, 4, height_sign=-1),
        "valid-4x2-v5-header.bmp": bmp(4, 2, info=124),
        "bad-3x4-sides.bmp": bmp(3, 4),
        "bad-32bit.bmp": bmp(4, 4, bpp=32),
        "bad-rle8.bmp": bmp(4, 4, bpp=8, compression=1, body=b"\x04\x01\x00\x01"),
        "bad-truncated.bmp": bmp(8, 8)[:-40],
        "bad-magic.bmp": bmp(4, 4, magic=b"MB"),
        "bad-too-wide.bmp": bmp(8192, 1, body=b""),
        "bad-header-only.bmp": bmp(4, 4)[:30],
    }
    for name, data in files.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
