"""Preview sheet of the interface bitmaps: on grey, on dark blue, and in a mock game screen at 800x600."""
# Masked pictures are shown the way the game draws them: pure black is see-through, the rest opaque,
# and sizes inside the mock follow the game's board units (65.2 px per unit at 800x600) with nearest
# sampling, so the sheet shows what a player will actually see.

import math
import os

from PIL import Image, ImageDraw, ImageFont

UNIT = 800 / 12.2667  # pixels per board unit in an 800x600 window
ORIGIN = 0.6          # board x and y start at -0.6

FONT = "/usr/share/fonts/opentype/league-spartan/LeagueSpartan-Bold.otf"

# The piece sheet is made by its own tool; when it is there the mock draws characters under the digits.
PIECES = None


def Mask(picture):
    """White where the picture is kept (not pure black)."""
    r, g, b = picture.split()
    lit = Image.eval(r, lambda v: 255 if v else 0)
    for ch in (g, b):
        lit = Image.composite(Image.new("L", lit.size, 255), lit, Image.eval(ch, lambda v: 255 if v else 0))
    return lit


def Put(canvas, picture, masked, x, y, size=None):
    if size:
        picture = picture.resize((max(1, round(size[0])), max(1, round(size[1]))), Image.Resampling.NEAREST)
    canvas.paste(picture, (round(x), round(y)), Mask(picture) if masked else None)


def Board(u, v):
    return ((u + ORIGIN) * UNIT, (v + ORIGIN) * UNIT)


def Rect(draw, u0, v0, u1, v1, colour):
    x0, y0 = Board(u0, v0)
    x1, y1 = Board(u1, v1)
    draw.rectangle([round(x0), round(y0), round(x1) - 1, round(y1) - 1], fill=colour)


def DigitCell(sheet, value, top_row_first):
    """One cell of a 3x3 digit sheet as the game samples it."""
    i = value - 1
    c, r = i % 3, i // 3
    if not top_row_first:
        r = 2 - r  # 263/262: 1-2-3 on the bottom row
    x0, y0 = int(c * 256 / 3), int(r * 256 / 3)
    return sheet.crop((x0, y0, int(x0 + 0.333 * 256), int(y0 + 0.333 * 256)))


def DrawPieceDigit(canvas, pics, value, cu, cv, scale, dimmed=False):
    if PIECES is not None and value <= 8:  # the character under the digit, as "Vorlas and Numbers"
        face = PIECES.crop(((value - 1) * 64, 64, value * 64, 128))
        x, y = Board(cu - scale / 2, cv - scale / 2)
        Put(canvas, face, True, x, y, size=(scale * UNIT, scale * UNIT))
    number = 262 if dimmed else 263
    cell = DigitCell(pics[number][0], value, False)
    shape = DigitCell(pics[263][0], value, False)
    s = scale * UNIT
    x, y = Board(cu - scale / 2, cv - scale / 2)
    size = (max(1, round(s)), max(1, round(s)))
    cell = cell.resize(size, Image.Resampling.NEAREST)
    canvas.paste(cell, (round(x), round(y)), Mask(shape.resize(size, Image.Resampling.NEAREST)))


def MockGame(pics):
    """The game screen at 800x600 with numbers-only pieces."""
    im = Image.new("RGB", (800, 600))
    d = ImageDraw.Draw(im)
    for y in range(600):  # stand-in backdrop
        t = y / 600
        d.line([(0, y), (799, y)], fill=(int(30 + 20 * t), int(12 + 10 * t), int(60 + 30 * t)))
    # sections and lines
    for a in (0, 3, 6):
        for b in (0, 3, 6):
            Rect(d, a - 0.5, b - 0.5, a + 2.5, b + 2.5, (0, 0, 51) if (a // 3 + b // 3) % 2 == 0 else (51, 0, 0))
    for i in range(10):
        for j in range(10):
            p = (i // 3 + j // 3) % 2
            inner = (178, 51, 0) if p else (0, 51, 178)
            if i != 9 and j % 3:
                Rect(d, i - 0.52, j - 0.52, i + 0.52, j - 0.48, inner)
            if j != 9 and i % 3:
                Rect(d, i - 0.52, j - 0.52, i - 0.48, j + 0.52, inner)
    for i in range(10):
        for j in range(10):
            if i != 9 and j % 3 == 0:
                Rect(d, i - 0.52, j - 0.52, i + 0.52, j - 0.48, (255, 255, 0))
            if j != 9 and i % 3 == 0:
                Rect(d, i - 0.52, j - 0.52, i - 0.48, j + 0.52, (255, 255, 0))
    # a few known squares and some marks
    grid = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79"
    for k, ch in enumerate(grid):
        c, r = k % 9, k // 9
        if ch != ".":
            DrawPieceDigit(im, pics, int(ch), c, r, 0.9)
        elif (c + r) % 4 == 1:
            for v in (1, 2, 4, 6, 9):
                DrawPieceDigit(im, pics, v, c - 0.3 + 0.3 * ((v - 1) % 3), r - 0.3 + 0.3 * ((v - 1) // 3), 0.3)
    # cursor frame on an empty square: four marbled bars
    CursorFrame(im, pics[2][0], 2, 2)
    # enlarged square with bright and dim marks
    c, r = 6, 4
    Rect(d, c - 0.6, r - 0.6, c + 0.6, r + 0.6, (255, 255, 0))
    Rect(d, c - 0.56, r - 0.56, c + 0.56, r + 0.56, (51, 0, 77))
    for v in range(1, 10):
        DrawPieceDigit(im, pics, v, c + 1.2 * 0.3 * ((v - 1) % 3 - 1), r + 1.2 * 0.3 * ((v - 1) // 3 - 1), 0.36,
                       dimmed=v not in (2, 3, 7))
    SidePanel(im, d, pics)
    # game panel bits
    Put(im, pics[8][0], False, *Board(8.8, 6.0), size=(0.8 * UNIT, 0.8 * UNIT))
    font = ImageFont.truetype(FONT, 34)
    for number, v, text in ((100, 7.4, "12:34"), (101, 8.0, "01700")):
        x, y = Board(9.4 - 0.8, v - 0.2885)
        Put(im, pics[number][0], True, x, y, size=(1.6 * UNIT, 0.577 * UNIT))
    d.text((712, 498), "12:34", font=font, fill=(77, 255, 77))
    d.text((712, 546), "01700", font=font, fill=(77, 255, 77))
    x0, y0 = Board(8.55, -0.42)
    Put(im, pics[248][0], False, x0, y0, size=(3.1 * UNIT, 1.42 * UNIT))
    return im


def CursorFrame(canvas, bar, c, r):
    s = round(UNIT)
    layer = Image.new("RGB", (s, s))
    shape = Image.new("L", (s, s))
    w = max(1, round(0.08 * UNIT))
    h = round(0.92 * UNIT)
    piece = bar.transpose(Image.Transpose.FLIP_TOP_BOTTOM).resize((w, h), Image.Resampling.NEAREST)
    for angle in (0, 90, 180, 270):
        one = Image.new("RGB", (s, s))
        one.paste(piece, (0, s - h))
        m = Image.new("L", (s, s))
        m.paste(255, (0, s - h, w, s))
        one = one.rotate(angle)
        m = m.rotate(angle)
        layer.paste(one, (0, 0), m)
        shape.paste(255, (0, 0), m)
    x, y = Board(c - 0.5, r - 0.5)
    canvas.paste(layer, (round(x), round(y)), shape)


def SidePanel(im, d, pics):
    cu, cv = 10.15, 4.3
    Rect(d, cu - 1.2, cv - 1.2, cu + 1.2, cv + 1.2, (255, 255, 0))
    Rect(d, cu - 1.12, cv - 1.12, cu + 1.12, cv + 1.12, (51, 0, 77))
    for sgn in (-1, 1):
        Rect(d, cu + sgn * 0.366666 - 0.013333, cv - 1.12, cu + sgn * 0.366666 + 0.013333, cv + 1.12, (77, 255, 255))
        Rect(d, cu - 1.12, cv + sgn * 0.366666 - 0.013333, cu + 1.12, cv + sgn * 0.366666 + 0.013333, (77, 255, 255))
    slot = 2 * 1.25 * 0.3
    keys = pics[251][0]
    for i in range(9):
        su = cu + slot * (i % 3 - 1)
        sv = cv + slot * (i // 3 - 1)
        DrawPieceDigit(im, pics, i + 1, su, sv, slot * 0.9)
        x, y = Board(su - 0.45 * slot, sv - 0.45 * slot)
        label = DigitCell(keys, i + 1, True)
        Put(im, label, False, x, y, size=(0.3 * slot * UNIT, 0.3 * slot * UNIT))
        if i == 4:
            x, y = Board(su - 0.25 * slot, sv - 0.25 * slot)
            Put(im, pics[261][0], True, x, y, size=(0.5 * slot * UNIT, 0.5 * slot * UNIT))


def Sheet(pics, bg):
    im = Image.new("RGB", (1280, 562), bg)
    spots = {248: (10, 10), 194: (532, 10), 100: (532, 148), 101: (798, 148), 251: (10, 286), 263: (276, 286),
             262: (542, 286), 2: (808, 286), 261: (850, 286), 8: (850, 424), 247: (988, 286)}
    for number, (x, y) in spots.items():
        picture, masked = pics[number]
        if number == 262:  # drawn through 263's mask
            im.paste(picture, (x, y), Mask(pics[263][0]))
        else:
            Put(im, picture, masked, x, y)
    d = ImageDraw.Draw(im)
    font = ImageFont.truetype(FONT, 16)
    for number, (x, y) in spots.items():
        d.text((x + 2, y - 1 + (pics[number][0].height if number != 2 else 256)), str(number), font=font,
               fill=(255, 255, 255))
    return im


def GameScaleExtras(pics):
    """Pause banner, bonus banner and logo at the size the game shows them, plus tiny key labels."""
    im = Image.new("RGB", (460, 600), (40, 20, 70))
    d = ImageDraw.Draw(im)
    w, h = 6.6666 * UNIT, 1.4286 * UNIT
    Put(im, pics[194][0], True, 10, 20, size=(w, h))
    # bonus banner on its dark octagon, at the pulse's middle scale
    bw, bh = 129.6 * 2 * 0.7, 32.4 * 2 * 0.7
    cx, cy = 230, 190
    r = bw * 0.6
    octagon = [(cx + r * math.cos(math.pi / 8 + k * math.pi / 4), cy + 0.45 * r * math.sin(math.pi / 8 + k * math.pi / 4))
               for k in range(8)]
    d.polygon(octagon, fill=(20, 10, 40))
    Put(im, pics[247][0], True, cx - bw / 2, cy - bh / 2, size=(bw, bh))
    lw, lh = 3.1 * UNIT, 1.42 * UNIT
    Put(im, pics[248][0], False, 10, 280, size=(lw, lh))
    # key labels at 12 and 15 px
    keys = pics[251][0]
    for row, px in enumerate((12, 15)):
        for i in range(9):
            Put(im, DigitCell(keys, i + 1, True), False, 240 + i * (px + 4), 300 + row * 30, size=(px, px))
    return im


def WritePreview(pics, path):
    global PIECES
    sheet = os.path.join(os.path.dirname(path), "..", "..", "bitmaps", "138.bmp")
    if os.path.isfile(sheet):
        with Image.open(sheet) as im:
            PIECES = im.convert("RGB")
    canvas = Image.new("RGB", (1280, 562 * 2 + 620), (0, 0, 0))
    canvas.paste(Sheet(pics, (128, 128, 128)), (0, 0))
    canvas.paste(Sheet(pics, (16, 30, 90)), (0, 562))
    canvas.paste(MockGame(pics), (10, 562 * 2 + 10))
    canvas.paste(GameScaleExtras(pics), (820, 562 * 2 + 10))
    canvas.save(path, format="PNG", optimize=True)
