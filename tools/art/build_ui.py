#!/usr/bin/python3
"""Interface bitmaps and application icons from data/art/ui; masked pictures come out strictly two-level."""
# Run through tools/art/build-ui.sh. Needs rsvg-convert (librsvg2-bin), python3-pil and the
# League Spartan and Quicksand fonts; every output is rewritten on each run.

import os
import subprocess
import sys
import tempfile

from PIL import Image

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
ART = os.path.join(ROOT, "data", "art", "ui")
BITMAPS = os.path.join(ROOT, "data", "bitmaps")
ICONS = os.path.join(ROOT, "data", "icons")

# A pixel of a masked picture is kept (opaque) when its rendered coverage reaches this alpha.
ALPHA_CUT = 128

# number, source, width, height, masked, stylesheet, shape taken from (number)
# A source whose own size differs from the bitmap's is drawn in the proportions the game shows
# it in; it is rendered at twice its size and area-averaged down to the bitmap.
PICTURES = [
    (194, "pause-banner.svg", 512, 128, True, None, None),
    (8, "crystal-ball.svg", 128, 128, False, None, None),
    (100, "label-time.svg", 256, 128, True, None, None),
    (101, "label-score.svg", 256, 128, True, None, None),
    (247, "bonus-banner.svg", 256, 64, True, None, None),
    (248, "logo.svg", 512, 256, False, None, None),
    (2, "marble-bar.svg", 32, 256, False, None, None),
    (251, "key-digits.svg", 256, 256, False, None, None),
    (261, "cross.svg", 128, 128, True, None, None),
    (263, "digits.svg", 256, 256, True, None, None),
    # drawn through 263's mask, so it must cover exactly 263's pixels
    (262, "digits.svg", 256, 256, True, "digits-dim.css", 263),
]

ICON_SIZES = [16, 32, 48, 64, 128, 256]
SMALL_ICON_MAX = 32  # sizes up to this use the simplified drawing


def SvgSize(path):
    """Width and height attributes of the root element (plain numbers in our sources)."""
    import xml.etree.ElementTree as ET
    root = ET.parse(path).getroot()
    return int(float(root.get("width"))), int(float(root.get("height")))


def Render(svg, width, height, tmp, stylesheet=None):
    """RGBA image of the SVG at exactly width x height."""
    out = os.path.join(tmp, "render.png")
    cmd = ["rsvg-convert", "-w", str(width), "-h", str(height)]
    if stylesheet:
        cmd += ["-s", stylesheet]
    cmd += [svg, "-o", out]
    subprocess.run(cmd, check=True)
    with Image.open(out) as im:
        return im.convert("RGBA")


def RenderPicture(source, width, height, tmp, stylesheet=None):
    svg = os.path.join(ART, source)
    sw, sh = SvgSize(svg)
    css = os.path.join(ART, stylesheet) if stylesheet else None
    if (sw, sh) == (width, height):
        return Render(svg, width, height, tmp, css)
    big = Render(svg, sw * 2, sh * 2, tmp, css)
    # Pillow resizes RGBA premultiplied, so transparent pixels do not bleed colour into edges.
    return big.resize((width, height), Image.Resampling.BOX)


def Coverage(rgba):
    """Two-level shape: 255 where the pixel is kept, 0 where it becomes transparent black."""
    return rgba.getchannel("A").point(lambda a: 255 if a >= ALPHA_CUT else 0)


def Binarise(rgba, shape):
    """Opaque un-premultiplied colour inside the shape, pure black outside; nothing inside is (0,0,0)."""
    rgb = rgba.convert("RGB").point(lambda v: max(v, 1))
    black = Image.new("RGB", rgba.size, (0, 0, 0))
    return Image.composite(rgb, black, shape)


def Flatten(rgba):
    base = Image.new("RGBA", rgba.size, (0, 0, 0, 255))
    base.alpha_composite(rgba)
    return base.convert("RGB")


def BuildPictures(tmp):
    shapes = {}
    made = {}
    for number, source, width, height, masked, css, shape_from in PICTURES:
        rgba = RenderPicture(source, width, height, tmp, css)
        if masked:
            shape = shapes[shape_from] if shape_from else Coverage(rgba)
            shapes[number] = shape
            picture = Binarise(rgba, shape)
        else:
            picture = Flatten(rgba)
        # Pillow writes RGB as 24-bit BI_RGB with a BITMAPINFOHEADER, rows bottom-up.
        picture.save(os.path.join(BITMAPS, "%d.bmp" % number), format="BMP")
        made[number] = (picture, masked)
        print("  %d.bmp  %dx%d%s" % (number, width, height, "  masked" if masked else ""))
    return made


def BuildIcons(tmp):
    for n in ICON_SIZES:
        source = os.path.join(ART, "icon-small.svg") if n <= SMALL_ICON_MAX else os.path.join(ICONS, "tessaran.svg")
        folder = os.path.join(ICONS, "hicolor", "%dx%d" % (n, n), "apps")
        os.makedirs(folder, exist_ok=True)
        im = Render(source, n, n, tmp)
        im.save(os.path.join(folder, "tessaran.png"), format="PNG", optimize=True)
        print("  icon %dx%d" % (n, n))


def main():
    os.makedirs(BITMAPS, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        made = BuildPictures(tmp)
        BuildIcons(tmp)
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    import ui_preview
    ui_preview.WritePreview(made, os.path.join(ART, "preview.png"))
    print("  data/art/ui/preview.png")


if __name__ == "__main__":
    main()
