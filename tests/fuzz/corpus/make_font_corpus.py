#!/usr/bin/env python3
"""Writes the seed corpus for fuzz_font: a tiny valid .fnt and the ways one gets cut or bent.
Run from anywhere; the files land beside this script in font/."""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "font")


def font(width=4, height=2, default_height=20, magic=6666):
    out = struct.pack("<4I", magic, width, height, default_height)
    for code in range(256):
        if code == 0x20:
            out += struct.pack("<5If", 0, max(width - 1, 0), height, width, 1, 0.5)
        elif code == 0x41:
            out += struct.pack("<5If", 0, 0, height, max(width - 1, 0), 1, 1.5)
        else:
            out += struct.pack("<5If", 0, 0, 0, 0, 0, 0.0)
    return out + bytes((x * 40) & 255 for x in range(width * height))


def main():
    os.makedirs(HERE, exist_ok=True)
    good = font()
    files = {
        "good-4x2.fnt": good,
        "good-3x5-odd-width.fnt": font(3, 5),
        "good-trailing-bytes.fnt": good + b"extra",
        "bad-sheet-one-short.fnt": good[:-1],
        "bad-inside-glyph-table.fnt": good[:1000],
        "bad-header-only.fnt": good[:16],
        "bad-magic.fnt": font(magic=6667),
        "bad-zero-width.fnt": font(0, 2),
        "bad-glyph-off-sheet.fnt": good[:16 + 0x41 * 24] + struct.pack("<5If", 0, 0, 9, 9, 1, 1.0) + good[16 + 0x42 * 24:],
        "bad-nan-advance.fnt": good[:16 + 0x41 * 24] + struct.pack("<5If", 0, 0, 2, 3, 1, float("nan")) + good[16 + 0x42 * 24:],
        "bad-huge-sheet-claim.fnt": struct.pack("<4I", 6666, 0xFFFFFFFF, 0xFFFFFFFF, 20) + good[16:],
    }
    for name, data in files.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
