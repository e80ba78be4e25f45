#!/usr/bin/python3
"""Colour-vision check of the board: how its marks read under simulated protanopia,
deuteranopia and tritanopia.

  cvd_check.py table                 colour differences of the board's marks; exit 1 when a mark
                                     that must stand out does not, for some vision
  cvd_check.py picture SHOT.png DIR  the shot as each vision sees it, a 2 x 2 sheet of all four,
                                     and (for a game screen) how far apart the nine pieces of the
                                     side panel stay

The simulation is the full-severity matrix of Machado, Oliveira and Fernandes (2009), applied
to linear RGB. Differences are CIE76 delta E in CIELAB (D65): about 2 is just noticeable, 10
clearly different at a glance, and the check asks for kMinimum on small marks.
"""

import os
import sys

VISIONS = {
    "protanopia": ((0.152286, 1.052583, -0.204868),
                   (0.114503, 0.786281, 0.099216),
                   (-0.003882, -0.048116, 1.051998)),
    "deuteranopia": ((0.367322, 0.860646, -0.227968),
                     (0.280085, 0.672501, 0.047413),
                     (-0.011820, 0.042940, 0.968881)),
    "tritanopia": ((1.255528, -0.076749, -0.178779),
                   (-0.078411, 0.930809, 0.147602),
                   (0.004733, 0.691367, 0.303900)),
}

# The board's own colours, as board_render.cpp draws them (red, green, blue in 0..1).
COLOURS = {
    "blue section": (0.0, 0.0, 0.2),
    "red section": (0.2, 0.0, 0.0),
    "orange line": (0.7, 0.2, 0.0),
    "yellow border": (1.0, 1.0, 0.0),
    "trial background": (0.0, 0.2, 0.0),
    "trial outline": (0.85, 1.0, 0.85),
    "match highlight": (0.42, 0.40, 0.24),
    "conflict frame": (1.0, 0.2, 0.4),
}

# Marks that must stand out from what lies around them by colour or brightness alone.
MUST_DIFFER = [
    ("match highlight", "blue section"), ("match highlight", "red section"),
    ("match highlight", "trial background"),
    ("trial outline", "blue section"), ("trial outline", "red section"),
    ("trial outline", "trial background"), ("trial outline", "match highlight"),
    ("conflict frame", "blue section"), ("conflict frame", "red section"),
    ("conflict frame", "trial background"), ("conflict frame", "match highlight"),
    ("conflict frame", "yellow border"), ("conflict frame", "trial outline"),
    ("conflict frame", "orange line"),
]
# Shown for the record: the trial's background alone, which its outline now backs up.
REPORTED = [("trial background", "red section"), ("trial background", "blue section")]
K_MINIMUM = 15.0


def to_linear(c):
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


def to_srgb(c):
    c = min(1.0, max(0.0, c))
    return c * 12.92 if c <= 0.0031308 else 1.055 * c ** (1 / 2.4) - 0.055


def simulate(rgb, vision):
    """An sRGB colour (0..1) as the vision sees it; None is normal vision."""
    if vision is None:
        return rgb
    lin = [to_linear(c) for c in rgb]
    m = VISIONS[vision]
    return tuple(to_srgb(sum(m[i][j] * lin[j] for j in range(3))) for i in range(3))


def lab(rgb):
    r, g, b = (to_linear(c) for c in rgb)
    x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047
    y = 0.2126 * r + 0.7152 * g + 0.0722 * b
    z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883
    f = [t ** (1 / 3) if t > 0.008856 else 7.787 * t + 16 / 116 for t in (x, y, z)]
    return 116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])


def delta_e(a, b):
    return sum((p - q) ** 2 for p, q in zip(lab(a), lab(b))) ** 0.5


def table():
    kinds = [None] + list(VISIONS)
    print("%-38s %8s %8s %8s %8s" % ("pair (delta E)", "normal", "protan", "deutan", "tritan"))
    failures = []
    for pairs, enforced in ((MUST_DIFFER, True), (REPORTED, False)):
        for a, b in pairs:
            row = [delta_e(simulate(COLOURS[a], k), simulate(COLOURS[b], k)) for k in kinds]
            flag = ""
            if enforced and min(row) < K_MINIMUM:
                flag = "  TOO CLOSE"
                failures.append((a, b))
            elif not enforced:
                flag = "  (reported)"
            print("%-38s %8.1f %8.1f %8.1f %8.1f%s" % (a + " / " + b, *row, flag))
    return 1 if failures else 0


# ---- Pictures ---------------------------------------------------------------------------------

def simulate_image(image, vision):
    from PIL import Image
    to_lin = [to_linear(i / 255) for i in range(256)]
    back = [round(to_srgb(i / 4095) * 255) for i in range(4096)]
    m = VISIONS[vision]
    out = []
    for r, g, b in image.getdata():
        lin = (to_lin[r], to_lin[g], to_lin[b])
        out.append(tuple(back[max(0, min(4095, round(4095 * (m[i][0] * lin[0] + m[i][1] * lin[1] +
                                                              m[i][2] * lin[2]))))] for i in range(3)))
    result = Image.new("RGB", image.size)
    result.putdata(out)
    return result


# Board units of the game window: x -0.6..11.6667, y -0.6..8.6; the side panel's slot i is
# centred 0.75 apart around (10.15, 4.3), its key label in the slot's top-left corner.
def panel_pieces(image):
    w, h = image.size
    px = lambda x: (x + 0.6) / 12.2667 * w
    py = lambda y: (y + 0.6) / 9.2 * h
    face = (51, 0, 76)
    means = []
    for i in range(9):
        cx, cy = 10.15 + 0.75 * (i % 3 - 1), 4.3 + 0.75 * (i // 3 - 1)
        total, n = [0, 0, 0], 0
        for y in range(int(py(cy - 0.3)), int(py(cy + 0.3))):
            for x in range(int(px(cx - 0.3)), int(px(cx + 0.3))):
                if x < px(cx - 0.08) and y < py(cy - 0.08):
                    continue  # the key label
                p = image.getpixel((x, y))
                if sum(abs(p[k] - face[k]) for k in range(3)) < 60:
                    continue
                if p[0] > 150 and p[1] < 70 and p[2] < 70:
                    continue  # pure red: the cross over a piece shown nine times
                total = [t + v for t, v in zip(total, p)]
                n += 1
        means.append(tuple(t / max(n, 1) / 255 for t in total))
    return means


def picture(path, folder):
    from PIL import Image  # Debian's python3-pil; the table needs only the standard library
    os.makedirs(folder, exist_ok=True)
    stem = os.path.splitext(os.path.basename(path))[0]
    image = Image.open(path).convert("RGB")
    w, h = image.size
    sheet = Image.new("RGB", (w * 2, h * 2))
    sheet.paste(image, (0, 0))
    pieces = {None: panel_pieces(image)}
    for n, vision in enumerate(VISIONS, start=1):
        seen = simulate_image(image, vision)
        seen.save(os.path.join(folder, "%s-%s.png" % (stem, vision)))
        sheet.paste(seen, ((n % 2) * w, (n // 2) * h))
        pieces[vision] = panel_pieces(seen)
    sheet.save(os.path.join(folder, "%s-sheet.png" % stem))
    print("%s: normal top left, protanopia top right, deuteranopia bottom left, tritanopia bottom right"
          % os.path.join(folder, stem + "-sheet.png"))
    print("side panel pieces, closest pair by mean colour (delta E):")
    for vision, means in pieces.items():
        best = min(((delta_e(means[a], means[b]), a + 1, b + 1) for a in range(9) for b in range(a + 1, 9)))
        print("  %-13s %5.1f  (pieces %d and %d)" % (vision or "normal", *best))
    return 0


def main(argv):
    if len(argv) == 2 and argv[1] == "table":
        return table()
    if len(argv) == 4 and argv[1] == "picture":
        return picture(argv[2], argv[3])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
