#!/usr/bin/python3
"""Checks the interface bitmaps the game loads: header layout, exact sizes, masks, and the 262/263 pairing."""
# Reads the files byte by byte rather than through an image library, so it checks what the
# game's own loader will see. Exit status 1 and one line per fault when anything is wrong.

import os
import struct
import sys

# An optional argument names another tree to check (the tool's own tests use a scratch copy).
ROOT = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else \
    os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
BITMAPS = os.path.join(ROOT, "data", "bitmaps")
ICONS = os.path.join(ROOT, "data", "icons")

# number: (width, height, masked)
EXPECTED = {
    194: (512, 128, True),
    8: (128, 128, False),
    100: (256, 128, True),
    101: (256, 128, True),
    247: (256, 64, True),
    248: (512, 256, False),
    2: (32, 256, False),
    251: (256, 256, False),
    261: (128, 128, True),
    263: (256, 256, True),
    262: (256, 256, False),  # drawn through 263's mask
}
ICON_SIZES = [16, 32, 48, 64, 128, 256]

faults = []


def Fault(text):
    faults.append(text)


def ReadBmp(number):
    """Pixels as a list of rows, top row first, each a list of (r, g, b); None after a header fault."""
    path = os.path.join(BITMAPS, "%d.bmp" % number)
    name = "%d.bmp" % number
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as e:
        Fault("%s: cannot read (%s)" % (name, e.strerror))
        return None
    if len(data) < 54 or data[:2] != b"BM":
        Fault("%s: not a BMP file" % name)
        return None
    file_size, _, offset = struct.unpack_from("<IIi", data, 2)
    header, width, height, planes, bpp, compression = struct.unpack_from("<IiiHHI", data, 14)
    want_w, want_h, _ = EXPECTED[number]
    ok = True
    for what, got, want in (("info header size", header, 40), ("planes", planes, 1), ("bits per pixel", bpp, 24),
                            ("compression", compression, 0), ("width", width, want_w), ("height", height, want_h)):
        if got != want:
            Fault("%s: %s is %d, expected %d%s" % (name, what, got, want,
                                                  " (negative height = top-down rows)" if what == "height" and got == -want else ""))
            ok = False
    if file_size != len(data):
        Fault("%s: header says %d bytes, file has %d" % (name, file_size, len(data)))
    if not ok:
        return None
    stride = (width * 3 + 3) & ~3
    if offset < 54 or offset + stride * height > len(data):
        Fault("%s: pixel data missing or misplaced (offset %d)" % (name, offset))
        return None
    rows = []
    for y in range(height):
        base = offset + (height - 1 - y) * stride  # stored bottom row first
        row = data[base:base + width * 3]
        rows.append([(row[i + 2], row[i + 1], row[i]) for i in range(0, width * 3, 3)])
    return rows


def Transparent(rows):
    return [[p == (0, 0, 0) for p in row] for row in rows]


def CheckMasked(number, rows):
    clear = Transparent(rows)
    total = sum(len(r) for r in rows)
    n_clear = sum(sum(r) for r in clear)
    if n_clear == 0 or n_clear == total:
        Fault("%d.bmp: masked picture is %s" % (number, "all transparent" if n_clear else "without any transparent black"))
    h, w = len(rows), len(rows[0])
    if not all(clear[y][x] for y, x in ((0, 0), (0, w - 1), (h - 1, 0), (h - 1, w - 1))):
        Fault("%d.bmp: corners should be transparent black" % number)


def CheckPng(path, size):
    try:
        with open(path, "rb") as f:
            head = f.read(24)
    except OSError:
        Fault("%s: missing" % os.path.relpath(path, ROOT))
        return
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        Fault("%s: not a PNG file" % os.path.relpath(path, ROOT))
        return
    w, h = struct.unpack(">II", head[16:24])
    if (w, h) != (size, size):
        Fault("%s: %dx%d, expected %dx%d" % (os.path.relpath(path, ROOT), w, h, size, size))


def main():
    pictures = {}
    for number, (_, _, masked) in EXPECTED.items():
        rows = ReadBmp(number)
        if rows is None:
            continue
        pictures[number] = rows
        if masked:
            CheckMasked(number, rows)
    if 262 in pictures and 263 in pictures:
        shape = Transparent(pictures[263])
        dim = Transparent(pictures[262])
        differ = sum(a != b for ra, rb in zip(shape, dim) for a, b in zip(ra, rb))
        if differ:
            Fault("262.bmp: %d pixels differ from 263.bmp in being black; the two must share one shape" % differ)
    if not os.path.isfile(os.path.join(ICONS, "tessaran.svg")):
        Fault("data/icons/tessaran.svg: missing")
    for n in ICON_SIZES:
        CheckPng(os.path.join(ICONS, "hicolor", "%dx%d" % (n, n), "apps", "tessaran.png"), n)
    for text in faults:
        print("check-ui: " + text, file=sys.stderr)
    if faults:
        return 1
    print("check-ui: %d bitmaps and %d icons are in order" % (len(pictures), len(ICON_SIZES)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
