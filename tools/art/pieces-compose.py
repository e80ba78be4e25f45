#!/usr/bin/python3
"""Composes rendered piece PNGs into the sheets 138 and 249 and a preview; every sheet pixel is pure black (transparent) or opaque."""
# Usage: pieces-compose.py RENDER_DIR BITMAP_DIR PREVIEW_PNG
#   RENDER_DIR holds piece-1.png .. piece-8.png (128 x 64 RGBA: pose 0 left, pose 1 right)
#   and ninth.png (64 x 64 RGBA, the geometric ninth piece, used in the preview only).
#
# The game builds its mask from the sheet alone (white exactly where a pixel is 0,0,0), so the
# mask is binary: a pixel blended toward black at a soft edge would show as a dark fringe over
# the coloured board. Each pixel is therefore either pure black (alpha below kAlphaCut) or the
# renderer's un-premultiplied colour at full strength, and no opaque pixel may be pure black.

import os
import struct
import sys

from PIL import Image, ImageDraw

kCell = 64
kColumns = 8
kSheetW = kCell * kColumns
kSheetH = kCell * 2
kAlphaCut = 128                  # alpha at or above this is inside the silhouette
kDimScale = 0.36                 # brightness of the dimmed sheet
kDimSaturation = 0.75            # share of the original saturation kept when dimmed
kTransparent = (0, 0, 0)


def Opaque(rgb):
    """Keeps an inside pixel visible: pure black would punch a hole through the mask."""
    return (1, 1, 1) if rgb == kTransparent else rgb


def Dim(rgb):
    if rgb == kTransparent:
        return kTransparent
    r, g, b = rgb
    grey = 0.299 * r + 0.587 * g + 0.114 * b
    out = tuple(int(round(kDimScale * (grey + kDimSaturation * (c - grey)))) for c in (r, g, b))
    return Opaque(tuple(max(0, min(255, c)) for c in out))


def Binarise(rgba):
    """One RGBA render -> list of rows of RGB, each pixel transparent black or opaque colour."""
    w, h = rgba.size
    px = rgba.load()
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            r, g, b, a = px[x, y]
            row.append(Opaque((r, g, b)) if a >= kAlphaCut else kTransparent)
        rows.append(row)
    return rows


def WriteBmp24(path, rows):
    """Plain 24-bit BI_RGB bitmap, BITMAPINFOHEADER, rows stored bottom row first."""
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        body += line
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    tmp = path + '.tmp'
    with open(tmp, 'wb') as f:
        f.write(header + info + body)
    os.replace(tmp, path)


def RowsToImage(rows):
    img = Image.new('RGB', (len(rows[0]), len(rows)))
    img.putdata([p for row in rows for p in row])
    return img


def BuildSheet(renderDir):
    """Sheet rows top to bottom: the top row of the picture is pose 1, the bottom row pose 0."""
    sheet = [[kTransparent] * kSheetW for _ in range(kSheetH)]
    for v in range(1, kColumns + 1):
        src = Image.open(os.path.join(renderDir, 'piece-%d.png' % v)).convert('RGBA')
        if src.size != (2 * kCell, kCell):
            sys.exit('piece-%d.png is %dx%d, expected %dx%d' % (v, *src.size, 2 * kCell, kCell))
        rows = Binarise(src)
        for pose in (0, 1):
            top = kCell if pose == 0 else 0
            for y in range(kCell):
                sheet[top + y][(v - 1) * kCell:v * kCell] = rows[y][pose * kCell:(pose + 1) * kCell]
    return sheet


# ---- preview -------------------------------------------------------------------------------

def OverBackground(img, bg):
    """What the game shows: black is transparent, everything else covers the background."""
    rgb = img.convert('RGB')
    solid = Image.new('L', rgb.size, 0)
    spx, ipx = solid.load(), rgb.load()
    for y in range(rgb.size[1]):
        for x in range(rgb.size[0]):
            spx[x, y] = 0 if ipx[x, y] == kTransparent else 255
    out = Image.new('RGB', rgb.size, bg)
    out.paste(rgb, (0, 0), solid)
    return out


def NearestGame(img, size):
    """Nearest sampling as the game's GL_NEAREST texture does: texel under each pixel centre."""
    w, h = img.size
    src = img.load()
    out = Image.new(img.mode, (size, size))
    dst = out.load()
    for y in range(size):
        for x in range(size):
            dst[x, y] = src[int((x + 0.5) * w / size), int((y + 0.5) * h / size)]
    return out


# Colour-vision deficiency simulation (Machado, Oliveira and Fernandes 2009, full severity),
# applied in linear light.
kDeutan = ((0.367322, 0.860646, -0.227968), (0.280085, 0.672501, 0.047413), (-0.011820, 0.042940, 0.968881))
kProtan = ((0.152286, 1.052583, -0.204868), (0.114503, 0.786281, 0.099216), (-0.003882, -0.048116, 1.051998))
kTritan = ((1.255528, -0.076749, -0.178779), (-0.078411, 0.930809, 0.147602), (0.004733, 0.691367, 0.303900))


def ToLinear(c):
    c /= 255.0
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


def FromLinear(c):
    c = max(0.0, min(1.0, c))
    c = c * 12.92 if c <= 0.0031308 else 1.055 * c ** (1 / 2.4) - 0.055
    return int(round(c * 255))


def Simulate(img, m):
    lut = [ToLinear(float(i)) for i in range(256)]
    out = img.copy()
    px = out.load()
    for y in range(img.size[1]):
        for x in range(img.size[0]):
            p = px[x, y]
            if p == kTransparent:
                continue
            lin = [lut[c] for c in p]
            px[x, y] = tuple(FromLinear(sum(m[i][j] * lin[j] for j in range(3))) for i in range(3))
    return out


def Cells(sheet, pose):
    top = kCell if pose == 0 else 0
    return [sheet.crop(((v - 1) * kCell, top, v * kCell, top + kCell)) for v in range(1, kColumns + 1)]


def NinthCell(renderDir, dimmed):
    src = Image.open(os.path.join(renderDir, 'ninth.png')).convert('RGBA')
    rows = Binarise(src)
    if dimmed:
        rows = [[Dim(p) if p != kTransparent else p for p in row] for row in rows]
    return RowsToImage(rows)


def Label(img, x, y, text):
    ImageDraw.Draw(img).text((x, y), text, fill=(230, 230, 230))


def Band(title, body, bg=(24, 24, 24)):
    out = Image.new('RGB', (max(body.size[0], kSheetW * 3), body.size[1] + 16), bg)
    Label(out, 6, 2, title)
    out.paste(body, (0, 16))
    return out


def TileRow(cells, bg, size, zoom, gap):
    """Each cell as the game samples it at size x size pixels, then enlarged zoom times."""
    out = Image.new('RGB', (len(cells) * (size * zoom + gap) + gap, size * zoom + 2 * gap), (40, 40, 40))
    for i, c in enumerate(cells):
        tile = OverBackground(NearestGame(c, size), bg).resize((size * zoom, size * zoom), Image.NEAREST)
        out.paste(tile, (gap + i * (size * zoom + gap), gap))
    return out


def MarkGrid(cells, dimCells, bg, lit):
    """A board square holding pencil marks: nine 17-px pieces in 3 x 3, the unmarked ones dimmed."""
    sq = 58
    out = Image.new('RGB', (sq, sq), bg)
    for i in range(9):
        c = cells[i] if i in lit else dimCells[i]
        out.paste(OverBackground(NearestGame(c, 17), bg), (3 + 18 * (i % 3), 3 + 18 * (i // 3)))
    return out


def Preview(sheetImg, dimImg, renderDir, path):
    grey, navy, maroon, panel = (128, 128, 128), (0, 0, 51), (51, 0, 0), (51, 0, 77)
    z = 3
    big = sheetImg.resize((kSheetW * z, kSheetH * z), Image.NEAREST)
    bigDim = dimImg.resize((kSheetW * z, kSheetH * z), Image.NEAREST)
    bands = [Band('138 x3 on grey: top row pose 1, bottom row pose 0', OverBackground(big, grey)),
             Band('138 x3 on a blue section', OverBackground(big, navy)),
             Band('249 (dimmed) x3 on a red section', OverBackground(bigDim, maroon))]

    ninth, ninthDim = NinthCell(renderDir, False), NinthCell(renderDir, True)
    pose0, pose1 = Cells(sheetImg, 0) + [ninth], Cells(sheetImg, 1) + [ninth]
    dim0 = Cells(dimImg, 0) + [ninthDim]

    # True size: squares of pencil marks as the board shows them, on each background.
    board = Image.new('RGB', (kSheetW * z, 76), (40, 40, 40))
    x = 6
    for bg in (navy, maroon, panel):
        for lit in (set(range(9)), {0, 2, 4, 6, 7}, {1, 3, 5, 8}):
            board.paste(MarkGrid(pose0, dim0, bg, lit), (x, 8))
            x += 62
        x += 14
    bands.append(Band('true size: pencil-mark squares (17 px pieces; unmarked ones dimmed), pieces 1-2-3 on top', board))

    zoom = 4
    rows = [TileRow(cells, navy, 16, zoom, 4) for cells in (pose0, pose1, dim0)]
    body = Image.new('RGB', (kSheetW * z, sum(r.size[1] for r in rows)), (40, 40, 40))
    for i, r in enumerate(rows):
        body.paste(r, (0, i * r.size[1]))
    bands.append(Band('16 px as sampled by the game, x4: pose 0, pose 1, dimmed', body))
    sims = [(name, [Simulate(c, m) for c in pose0]) for name, m in
            (('deuteranopia', kDeutan), ('protanopia', kProtan), ('tritanopia', kTritan))]
    body = Image.new('RGB', (kSheetW * z, 3 * (16 * zoom + 8)), (40, 40, 40))
    for i, (name, cells) in enumerate(sims):
        row = TileRow(cells, grey, 16, zoom, 4)
        body.paste(row, (0, i * row.size[1]))
        Label(body, row.size[0] + 10, i * row.size[1] + 30, name)
    bands.append(Band('16 px x4, simulated colour-vision deficiencies, on grey', body))

    total = sum(b.size[1] for b in bands) + 4 * (len(bands) - 1)
    out = Image.new('RGB', (kSheetW * z, total), (10, 10, 10))
    y = 0
    for b in bands:
        out.paste(b, (0, y))
        y += b.size[1] + 4
    out.save(path, optimize=True)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__ + '\nusage: pieces-compose.py RENDER_DIR BITMAP_DIR PREVIEW_PNG')
    renderDir, bitmapDir, previewPath = sys.argv[1:]
    sheet = BuildSheet(renderDir)
    dimmed = [[Dim(p) for p in row] for row in sheet]
    WriteBmp24(os.path.join(bitmapDir, '138.bmp'), sheet)
    WriteBmp24(os.path.join(bitmapDir, '249.bmp'), dimmed)
    Preview(RowsToImage(sheet), RowsToImage(dimmed), renderDir, previewPath)


if __name__ == '__main__':
    main()
