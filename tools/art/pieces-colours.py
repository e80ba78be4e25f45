#!/usr/bin/python3
"""Reports how far apart the nine pieces' colours are, for normal vision and three colour-vision deficiencies."""
# Usage: /usr/bin/python3 tools/art/pieces-colours.py [138.bmp]
#
# A piece's colour is the mean of its pose-0 pixels brighter than the outline and eyes, which is
# roughly what is left of it at pencil-mark size. Distances are CIE76 delta E between those
# means after simulating each deficiency; the closest pairs are printed. Shapes differ for every
# pair too, so colour alone need not carry the difference, but pairs under about 12 deserve a look.

import importlib.util
import itertools
import math
import os
import sys

from PIL import Image

here = os.path.dirname(os.path.abspath(__file__))
moduleInfo = importlib.util.spec_from_file_location('compose', os.path.join(here, 'pieces-compose.py'))
compose = importlib.util.module_from_spec(moduleInfo)
moduleInfo.loader.exec_module(compose)

kNames = ['1 Bop', '2 Peak', '3 Sprig', '4 Twinkle', '5 Cubb', '6 Fen', '7 Mochi', '8 Wisp', '9 robot']
kNinthImpression = (150, 80, 150)   # the drawn ninth piece: purple drum, dark dome, red legs


def Lab(rgb):
    r, g, b = (compose.ToLinear(float(c)) for c in rgb)
    x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.9505
    y = 0.2126 * r + 0.7152 * g + 0.0722 * b
    z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.089

    def F(t):
        return t ** (1 / 3) if t > 0.008856 else 7.787 * t + 16 / 116
    return (116 * F(y) - 16, 500 * (F(x) - F(y)), 200 * (F(y) - F(z)))


def Simulate(rgb, m):
    lin = [compose.ToLinear(float(c)) for c in rgb]
    return tuple(compose.FromLinear(sum(m[i][j] * lin[j] for j in range(3))) for i in range(3))


def MeanColours(path):
    px = Image.open(path).convert('RGB').load()
    means = []
    for v in range(8):
        acc, n = [0, 0, 0], 0
        for y in range(64, 128):
            for x in range(v * 64, v * 64 + 64):
                p = px[x, y]
                if max(p) > 90:
                    acc = [a + c for a, c in zip(acc, p)]
                    n += 1
        means.append(tuple(a // max(1, n) for a in acc))
    return means + [kNinthImpression]


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'data', 'bitmaps', '138.bmp')
    colours = MeanColours(path)
    for name, m in (('normal', None), ('deuteranopia', compose.kDeutan),
                    ('protanopia', compose.kProtan), ('tritanopia', compose.kTritan)):
        lab = [Lab(Simulate(c, m) if m else c) for c in colours]
        pairs = sorted((math.dist(lab[i], lab[j]), i, j) for i, j in itertools.combinations(range(9), 2))
        print('%-13s L* %s' % (name, ' '.join('%3.0f' % l[0] for l in lab)))
        print('%-13s closest: %s' % ('', ', '.join('%s/%s %.0f' % (kNames[i], kNames[j], d) for d, i, j in pairs[:4])))


if __name__ == '__main__':
    main()
