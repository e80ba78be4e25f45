#!/usr/bin/python3
"""Checks the piece sheets 138 and 249: format, shared black mask, clean margins, no holes."""
# Usage: pieces-check.py SHEET_138 SHEET_249   (exit status 1 and one line per fault on failure)
#
# Reads the files byte by byte, so it checks what the game's loader will see, not what an
# image library makes of it.

import struct
import sys
from collections import deque

kW, kH, kCell, kMargin = 512, 128, 64, 2
kBlack = (0, 0, 0)


def ReadBmp(path, faults):
    """Returns rows top to bottom of (r, g, b), or None after recording why it cannot."""
    data = open(path, 'rb').read()
    if len(data) < 54 or data[:2] != b'BM':
        faults.append('%s: not a BMP file' % path)
        return None
    fileSize, _, _, offset = struct.unpack_from('<IHHI', data, 2)
    (infoSize, w, h, planes, bpp, compression, imageSize, _, _, used, _) = struct.unpack_from('<IiiHHIIiiII', data, 14)
    want = {'info header size': (infoSize, 40), 'width': (w, kW), 'height (positive: bottom-up)': (h, kH),
            'planes': (planes, 1), 'bits per pixel': (bpp, 24), 'compression (BI_RGB)': (compression, 0),
            'palette colours': (used, 0), 'file size field': (fileSize, len(data)), 'pixel offset': (offset, 54)}
    bad = ['%s: %s is %d, expected %d' % (path, k, got, exp) for k, (got, exp) in want.items() if got != exp]
    stride = (kW * 3 + 3) & ~3
    if len(data) < offset + stride * kH:
        bad.append('%s: pixel data is short' % path)
    if bad:
        faults.extend(bad)
        return None
    rows = []
    for y in range(kH):
        base = offset + (kH - 1 - y) * stride
        rows.append([(data[base + 3 * x + 2], data[base + 3 * x + 1], data[base + 3 * x]) for x in range(kW)])
    return rows


def CheckCells(rows, name, faults):
    """Margins black (neighbouring cells and the wrap at t = 1 must never bleed in); no holes."""
    for cy in range(2):
        for cx in range(8):
            pose, piece = 1 - cy, cx + 1
            x0, y0 = cx * kCell, cy * kCell
            tag = '%s piece %d pose %d' % (name, piece, pose)
            solid = 0
            for y in range(kCell):
                for x in range(kCell):
                    p = rows[y0 + y][x0 + x]
                    edge = min(x, y, kCell - 1 - x, kCell - 1 - y) < kMargin
                    if edge and p != kBlack:
                        faults.append('%s: pixel (%d, %d) inside the %d-pixel margin is not black' % (tag, x, y, kMargin))
                        break
                    solid += p != kBlack
            if solid < kCell * kCell // 5:
                faults.append('%s: only %d opaque pixels; is the character missing?' % (tag, solid))
            # Black reachable from the cell edge is background; any other black pixel is a hole.
            seen = [[False] * kCell for _ in range(kCell)]
            todo = deque((x, y) for x in range(kCell) for y in (0, kCell - 1))
            todo.extend((x, y) for y in range(kCell) for x in (0, kCell - 1))
            while todo:
                x, y = todo.popleft()
                if not (0 <= x < kCell and 0 <= y < kCell) or seen[y][x] or rows[y0 + y][x0 + x] != kBlack:
                    continue
                seen[y][x] = True
                todo.extend(((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)))
            holes = [(x, y) for y in range(kCell) for x in range(kCell)
                     if rows[y0 + y][x0 + x] == kBlack and not seen[y][x]]
            if holes:
                faults.append('%s: %d enclosed black pixel(s), first at %s' % (tag, len(holes), holes[0]))


def Luma(p):
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]


def main():
    if len(sys.argv) != 3:
        sys.exit('usage: pieces-check.py 138.bmp 249.bmp')
    faults = []
    bright = ReadBmp(sys.argv[1], faults)
    dim = ReadBmp(sys.argv[2], faults)
    if bright and dim:
        CheckCells(bright, '138', faults)
        mismatch = [(x, y) for y in range(kH) for x in range(kW)
                    if (bright[y][x] == kBlack) != (dim[y][x] == kBlack)]
        if mismatch:
            faults.append('249 is not black exactly where 138 is: %d pixel(s) differ, first at %s'
                          % (len(mismatch), mismatch[0]))
        lit = [(Luma(bright[y][x]), Luma(dim[y][x])) for y in range(kH) for x in range(kW) if bright[y][x] != kBlack]
        ratio = sum(d for _, d in lit) / max(1.0, sum(b for b, _ in lit))
        if not 0.25 <= ratio <= 0.45:
            faults.append('249 brightness is %.0f %% of 138, expected 25..45 %%' % (100 * ratio))
        brighter = sum(1 for b, d in lit if d > b + 0.5)
        if brighter:
            faults.append('249 is brighter than 138 at %d pixel(s)' % brighter)
        if not faults:
            print('piece sheets ok: 512 x 128, 24-bit, shared mask, %d opaque pixels, dimmed to %.0f %%'
                  % (len(lit), 100 * ratio))
    for f in faults:
        print(f, file=sys.stderr)
    sys.exit(1 if faults else 0)


if __name__ == '__main__':
    main()
