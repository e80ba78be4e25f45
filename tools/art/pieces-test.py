#!/usr/bin/python3
"""Self-test of the piece-sheet tools: the checker rejects each kind of broken sheet; compositing leaves no fringe or holes."""
# Usage: /usr/bin/python3 tools/art/pieces-test.py   (run after build-pieces.sh; exit status 0 = all passed)

import importlib.util
import os
import struct
import subprocess
import sys
import tempfile

from PIL import Image

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.dirname(os.path.dirname(here))
sheet138 = os.path.join(root, 'data', 'bitmaps', '138.bmp')
sheet249 = os.path.join(root, 'data', 'bitmaps', '249.bmp')
checker = os.path.join(here, 'pieces-check.py')

moduleInfo = importlib.util.spec_from_file_location('compose', os.path.join(here, 'pieces-compose.py'))
compose = importlib.util.module_from_spec(moduleInfo)
moduleInfo.loader.exec_module(compose)

failures = []


def Expect(cond, what):
    print(('ok   ' if cond else 'FAIL ') + what)
    if not cond:
        failures.append(what)


def RunChecker(a, b):
    r = subprocess.run([sys.executable, checker, a, b], capture_output=True, text=True)
    return r.returncode, r.stderr


def Patched(src, dst, edits):
    """Copies a sheet, setting pixels (x, y from the top) to (r, g, b)."""
    data = bytearray(open(src, 'rb').read())
    offset = struct.unpack_from('<I', data, 10)[0]
    stride = (512 * 3 + 3) & ~3
    for (x, y), (r, g, b) in edits.items():
        i = offset + (127 - y) * stride + 3 * x
        data[i:i + 3] = bytes((b, g, r))
    open(dst, 'wb').write(data)


def FindOpaque(path, cellX, cellY):
    """An opaque pixel well inside the cell whose four neighbours are opaque too."""
    img = Image.open(path).convert('RGB')
    px = img.load()
    for y in range(cellY * 64 + 20, cellY * 64 + 44):
        for x in range(cellX * 64 + 20, cellX * 64 + 44):
            if all(px[x + dx, y + dy] != (0, 0, 0) for dx, dy in ((0, 0), (1, 0), (-1, 0), (0, 1), (0, -1))):
                return x, y
    raise AssertionError('no solid pixel in cell %d,%d' % (cellX, cellY))


def main():
    code, err = RunChecker(sheet138, sheet249)
    Expect(code == 0, 'the committed sheets pass the checker' + (': ' + err.strip() if code else ''))

    with tempfile.TemporaryDirectory() as tmp:
        a, b = os.path.join(tmp, 'a.bmp'), os.path.join(tmp, 'b.bmp')

        hole = FindOpaque(sheet138, 3, 1)
        Patched(sheet138, a, {hole: (0, 0, 0)})
        Patched(sheet249, b, {hole: (0, 0, 0)})
        code, err = RunChecker(a, b)
        Expect(code == 1 and 'enclosed black' in err, 'a black pixel inside a character is reported as a hole')

        Patched(sheet249, b, {FindOpaque(sheet138, 5, 0): (0, 0, 0)})
        code, err = RunChecker(sheet138, b)
        Expect(code == 1 and 'not black exactly where' in err, '249 black where 138 is opaque is reported')

        Patched(sheet249, b, {(1, 1): (9, 9, 9)})
        code, err = RunChecker(sheet138, b)
        Expect(code == 1 and 'not black exactly where' in err, '249 lit where 138 is transparent is reported')

        Patched(sheet138, a, {(64 * 2 + 63, 70): (200, 100, 0)})
        Patched(sheet249, b, {(64 * 2 + 63, 70): (70, 35, 1)})
        code, err = RunChecker(a, b)
        Expect(code == 1 and 'margin' in err, 'a lit pixel at a cell edge is reported (it would bleed into the neighbour)')

        Patched(sheet138, a, {(0, 0): (0, 0, 1)})
        code, err = RunChecker(a, sheet249)
        Expect(code == 1 and 'margin' in err, '(0, 0, 1) counts as opaque, not as transparent')

        Image.open(sheet138).convert('RGBA').save(a, format='BMP')
        code, err = RunChecker(a, sheet249)
        Expect(code == 1 and 'bits per pixel' in err, 'a 32-bit sheet is rejected')

        Image.open(sheet138).resize((256, 64)).save(a, format='BMP')
        code, err = RunChecker(a, sheet249)
        Expect(code == 1 and 'width' in err, 'a sheet of the wrong size is rejected')

        code, err = RunChecker(sheet138, sheet138)
        Expect(code == 1 and 'brightness' in err, 'an undimmed 249 is rejected')

    # A soft-edged disc in the outline colour over a fill, with pure black painted inside:
    # every output pixel must be transparent black or a source colour at full strength.
    outline, fill = (28, 18, 40), (240, 150, 30)
    src = Image.new('RGBA', (128, 64), (0, 0, 0, 0))
    px = src.load()
    for y in range(64):
        for x in range(128):
            d = ((x - 32) ** 2 + (y - 32) ** 2) ** 0.5
            if d < 20:
                px[x, y] = fill + (255,)
            elif d < 24:
                px[x, y] = outline + (max(0, min(255, int((24 - d) * 160))),)
    px[32, 32] = (0, 0, 0, 255)
    rows = compose.Binarise(src)
    seen = {p for row in rows for p in row}
    Expect(seen <= {(0, 0, 0), outline, fill, (1, 1, 1)}, 'compositing keeps no blended edge colours')
    Expect(rows[32][32] == (1, 1, 1), 'opaque pure black is nudged to (1, 1, 1)')
    # alpha is 160 at distance 23 and 0 at 24: the half-coverage edge lies between them.
    Expect(rows[32][32 + 24] == (0, 0, 0) and rows[32][32 + 23] == outline and rows[32][32 + 21] == outline,
           'the alpha threshold keeps the geometric edge')
    Expect(all(compose.Dim(p) != (0, 0, 0) for p in [(1, 1, 1), (2, 0, 0), (0, 0, 3), outline, fill]),
           'dimming never turns an opaque pixel transparent')
    Expect(compose.Dim((0, 0, 0)) == (0, 0, 0), 'dimming keeps transparent pixels transparent')

    print('%d failure(s)' % len(failures))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
