#!/usr/bin/env python3
"""Draws the program's art into app/res: the icon (16, 32 and 48 pixels, 256 colours), the logo
(186 x 83 RGBA PNG) and the four 16 x 16 button glyphs with their greyed twins (32 x 16 BMPs).

Deterministic: running it again gives the same bytes. The build uses the committed outputs.
Usage: make-art.py [output-folder]   (default: app/res beside this repository's tools/)
"""
import math
import os
import sys

sys.dont_write_bytecode = True

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from raster import (Canvas, arc_points, bmp24_bytes, circle, hex_rgb, ico_bytes, png_bytes,  # noqa: E402
                    polygon, round_rect, solid, stroke, vertical_gradient)

BLUE_TOP = hex_rgb('#2F86D6')
BLUE_BOTTOM = hex_rgb('#17457F')
ORANGE = hex_rgb('#F5A623')
INK = hex_rgb('#1F2F46')
WHITE = (255, 255, 255)


# ---------------------------------------------------------------- the emblem (logo and icon)

def draw_emblem(canvas, x, y, size, shadow=True):
    """A rounded square in blue with a white open 'C' whose mouth holds three orange steps of
    growing length: numbered rows put back in order. At 16 pixels the steps sit on whole pixel
    rows, one pixel thick, so that they stay crisp."""
    s = size / 48.0  # drawn on a 48-unit grid
    if shadow:
        canvas.fill(round_rect(x + 1.2 * s, y + 2.2 * s, x + size + 1.2 * s, y + size + 2.2 * s, 10 * s),
                    solid((10, 30, 60), 0.28), softness=3.5)
    tile = round_rect(x, y, x + size, y + size, 10 * s)
    canvas.fill(tile, vertical_gradient(y, BLUE_TOP, y + size, BLUE_BOTTOM))
    # A soft gloss on the upper half.
    gloss = round_rect(x + 2 * s, y + 2 * s, x + size - 2 * s, y + size * 0.52, 8 * s)
    canvas.fill(gloss, vertical_gradient(y, WHITE, y + size * 0.52, WHITE, 0.0), 1.0)
    canvas.fill(gloss, lambda px, py: (255, 255, 255, 0.16 * max(0.0, 1 - (py - y) / (size * 0.52))))
    # The 'C'.
    cx, cy, r = x + 21 * s, y + 24 * s, 13.5 * s
    canvas.fill(stroke(arc_points(cx, cy, r, r, 58, 302, 48), 6.2 * s), solid(WHITE))
    # Three steps in the mouth of the C, growing to the right.
    small = size <= 16
    rows, thickness = ((16.5, 25.5, 34.5), 3.0) if small else ((18.0, 24.0, 30.0), 3.6)
    for row, length in zip(rows, (5.0, 8.5, 12.0)):
        yy = y + row * s
        x0 = x + 31.0 * s
        line = [(x0, yy), (x0 + length * s, yy)]
        if small:
            # Square ends: a rectangle, not a round pen, at this size.
            canvas.fill(round_rect(x0, yy - thickness * s / 2, x0 + length * s + 1.5 * s, yy + thickness * s / 2, 0.01),
                        solid(ORANGE))
        else:
            canvas.fill(stroke(line, thickness * s), solid(ORANGE))


# ---------------------------------------------------------------- a round geometric typeface

def glyph_strokes(letter, x, base, h):
    """Centre lines of one letter: x = left edge, base = baseline, h = x-height.
    Returns (polylines, advance)."""
    top = base - h
    mid = base - h / 2
    if letter == 'C':
        cap = h * 1.42
        r = cap / 2
        return [arc_points(x + r, base - r, r, r, 42, 318, 56)], 2 * r * 0.93
    if letter == 'o':
        return [arc_points(x + h / 2, mid, h / 2, h / 2, 0, 360, 48)], h
    if letter == 'a':
        return [arc_points(x + h / 2, mid, h / 2, h / 2, 0, 360, 48), [(x + h, top), (x + h, base)]], h
    if letter == 'n':
        r = h * 0.42
        return [[(x, top), (x, base)],
                [(x, base - h + r + 0.05 * h)] + arc_points(x + r, top + r, r, r, 180, 0, 24)[1:] +
                [(x + 2 * r, base)]], 2 * r
    if letter == 'r':
        r = h * 0.42
        return [[(x, top), (x, base)], arc_points(x + r, top + r, r, r, 180, 62, 20)], r * 1.25
    if letter == 'v':
        return [[(x, top), (x + h * 0.45, base), (x + h * 0.9, top)]], h * 0.9
    if letter == 'i':
        return [[(x, top), (x, base)]], 0.0
    raise ValueError(letter)


def caps_strokes(letter, x, base, h):
    """Centre lines of a capital letter of height h. Returns (polylines, advance)."""
    top = base - h
    w = h * 0.62
    if letter == 'P':
        return [[(x, base), (x, top), (x + w * 0.6, top)] + arc_points(x + w * 0.6, top + h * 0.26, h * 0.26, h * 0.26, 90, -90, 16)[1:] + [(x, top + h * 0.52)]], w * 0.6 + h * 0.26
    if letter == 'R':
        p, adv = caps_strokes('P', x, base, h)
        return p + [[(x + w * 0.45, top + h * 0.52), (x + adv, base)]], adv
    if letter == 'E':
        return [[(x + w * 0.8, top), (x, top), (x, base), (x + w * 0.8, base)], [(x, top + h / 2), (x + w * 0.65, top + h / 2)]], w * 0.8
    if letter == 'V':
        return [[(x, top), (x + w * 0.5, base), (x + w, top)]], w
    if letter == 'N':
        return [[(x, base), (x, top), (x + w * 0.9, base), (x + w * 0.9, top)]], w * 0.9
    if letter == 'D':
        r = h / 2
        return [[(x + w * 0.3, top), (x, top), (x, base), (x + w * 0.3, base)] ,
                arc_points(x + w * 0.3, top + r, r * 0.95, r, 90, -90, 20)], w * 0.3 + r * 0.95
    if letter == 'A':
        return [[(x, base), (x + w * 0.5, top), (x + w, base)], [(x + w * 0.2, top + h * 0.66), (x + w * 0.8, top + h * 0.66)]], w
    if letter == '-':
        return [[(x, top + h * 0.55), (x + w * 0.5, top + h * 0.55)]], w * 0.5
    raise ValueError(letter)


def draw_word(canvas, text, x, base, h, width, paint, spacing, maker):
    shapes = []
    for letter in text:
        lines, advance = maker(letter, x, base, h)
        shapes.extend(lines)
        x += advance + spacing
    for line in shapes:
        canvas.fill(stroke(line, width), paint)
    return x - spacing


# ---------------------------------------------------------------- outputs

def make_logo():
    # The form shows the picture stretched into a 179 x 68 box: draw in those units, so that the
    # logo looks right where it is seen.
    canvas = Canvas(186, 83, 179 / 186, 68 / 83)
    draw_emblem(canvas, 4, 7, 52)
    h = 14.8
    base = 37.5
    end = draw_word(canvas, 'Carvoni', 66.5, base, h, 4.0, solid(INK), 3.5, glyph_strokes)
    # The dot of the i in the accent colour.
    canvas.fill(circle(end, base - h - 5.2, 2.5), solid(ORANGE))
    # A thin rule, then the subtitle.
    canvas.fill(stroke([(67.0, base + 7.0), (end, base + 7.0)], 1.1), solid(hex_rgb('#C9D6E6')))
    draw_word(canvas, 'PRÉ-VENDA'.replace('É', 'E'), 67.0, base + 20.5, 8.6, 1.5,
              solid(hex_rgb('#2470BD')), 3.2, caps_strokes)
    # The acute accent of the E (drawn apart: the typeface has no accented capitals).
    px = 67.0 + caps_strokes('P', 0, 0, 8.6)[1] + 3.2 + caps_strokes('R', 0, 0, 8.6)[1] + 3.2
    canvas.fill(stroke([(px + 2.2, base + 20.5 - 8.6 - 2.0), (px + 4.2, base + 20.5 - 8.6 - 4.2)], 1.3),
                solid(hex_rgb('#2470BD')))
    return png_bytes(canvas.rgba8())


def make_icon():
    images = []
    for size in (16, 32, 48):
        canvas = Canvas(size, size)
        draw_emblem(canvas, 0, 0, size, shadow=False)
        images.append(canvas.rgba8())
    return ico_bytes(images)


# Glyphs: shapes on a 16-pixel grid, drawn smooth inside; the silhouette against the key colour
# is cut at half coverage so no pink fringe shows around it.
KEY = (255, 0, 255)


def glyph_open(canvas):
    outline = hex_rgb('#8A6212')
    back = polygon([(1.0, 3.0), (6.0, 3.0), (7.5, 4.5), (13.0, 4.5), (13.0, 13.5), (1.0, 13.5)])
    canvas.fill(back.grow(0.6), solid(outline))
    canvas.fill(back, vertical_gradient(3, hex_rgb('#F2C14E'), 13, hex_rgb('#D99A1E')))
    paper = polygon([(3.0, 6.0), (12.0, 6.0), (12.0, 12.0), (3.0, 12.0)])
    canvas.fill(paper, solid((250, 250, 246)))
    front = polygon([(3.4, 7.5), (15.2, 7.5), (12.8, 13.5), (1.0, 13.5)])
    canvas.fill(front.grow(0.6), solid(outline))
    canvas.fill(front, vertical_gradient(7.5, hex_rgb('#FFE38A'), 13.5, hex_rgb('#F4B83A')))


def glyph_eraser(canvas):
    # A tilted eraser block: the sleeve in blue, the rubber tip in pink, above a swept line.
    c, s = math.cos(math.radians(-35)), math.sin(math.radians(-35))

    def rot(points, ox=8.0, oy=7.4):
        return [(ox + (px - ox) * c - (py - oy) * s, oy + (px - ox) * s + (py - oy) * c) for px, py in points]
    body = polygon(rot([(2.0, 4.6), (14.0, 4.6), (14.0, 10.2), (2.0, 10.2)]))
    canvas.fill(body.grow(0.65), solid(hex_rgb('#3A3F4B')))
    tip = polygon(rot([(2.0, 4.6), (6.6, 4.6), (6.6, 10.2), (2.0, 10.2)]))
    sleeve = polygon(rot([(6.6, 4.6), (14.0, 4.6), (14.0, 10.2), (6.6, 10.2)]))
    canvas.fill(tip, vertical_gradient(3, hex_rgb('#FFB0C0'), 12, hex_rgb('#E8607E')))
    canvas.fill(sleeve, vertical_gradient(2, hex_rgb('#6FB1F0'), 12, hex_rgb('#2468B8')))
    canvas.fill(stroke(rot([(7.3, 5.4), (13.2, 5.4)]), 0.9), solid((255, 255, 255), 0.55))
    canvas.fill(stroke([(1.0, 14.6), (9.0, 14.6)], 1.1), solid(hex_rgb('#7A8190')))


def glyph_cancel(canvas):
    disc = circle(8.0, 8.0, 6.6)
    canvas.fill(disc.grow(0.7), solid(hex_rgb('#8E1B1B')))
    canvas.fill(disc, vertical_gradient(1.5, hex_rgb('#F26B5B'), 14.5, hex_rgb('#C4221F')))
    canvas.fill(stroke([(5.3, 5.3), (10.7, 10.7)], 2.0), solid(WHITE))
    canvas.fill(stroke([(10.7, 5.3), (5.3, 10.7)], 2.0), solid(WHITE))


def glyph_exit(canvas):
    frame = hex_rgb('#4A3A2A')
    # The door frame and an open door leaf in wood colours.
    canvas.fill(polygon([(1.5, 1.0), (10.5, 1.0), (10.5, 15.0), (1.5, 15.0)]).grow(0.5), solid(frame))
    canvas.fill(polygon([(2.5, 2.0), (9.5, 2.0), (9.5, 15.0), (2.5, 15.0)]), solid(hex_rgb('#2B2B33')))
    leaf = polygon([(2.5, 2.0), (7.2, 3.4), (7.2, 16.0), (2.5, 15.0)])
    canvas.fill(leaf.grow(0.45), solid(frame))
    canvas.fill(leaf, vertical_gradient(2, hex_rgb('#D79A5B'), 15, hex_rgb('#A0622D')))
    canvas.fill(circle(6.0, 9.3, 0.75), solid(hex_rgb('#FCE08A')))
    # The way out: a green arrow.
    arrow = polygon([(7.6, 7.0), (11.0, 7.0), (11.0, 4.6), (15.0, 8.5), (11.0, 12.4), (11.0, 10.0), (7.6, 10.0)])
    canvas.fill(arrow.grow(0.6), solid(hex_rgb('#1E6B2A')))
    canvas.fill(arrow, vertical_gradient(4.5, hex_rgb('#7BD66E'), 12.5, hex_rgb('#2F9A3C')))


def glyph_pair(draw):
    """The glyph and its greyed twin side by side on the key colour, as a 32 x 16 bitmap."""
    canvas = Canvas(16, 16)
    draw(canvas)
    rows = canvas.rgba8()
    out = []
    for row in rows:
        normal, grey = [], []
        for r, g, b, a in row:
            if a < 128:
                normal.append(KEY)
                grey.append(KEY)
                continue
            # Solid inside: any partial alpha left is blended over a light button face.
            t = a / 255.0
            rgb = tuple(int(round(v * t + 236 * (1 - t))) for v in (r, g, b))
            normal.append(rgb)
            luma = 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2]
            level = int(round(128 + luma * 0.42))
            grey.append((level, level, level))
        out.append(normal + grey)
    # The bottom-left pixel names the transparent colour: it must be the key.
    assert out[15][0] == KEY, 'glyph touches the bottom-left pixel'
    return bmp24_bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'app', 'res')
    os.makedirs(target, exist_ok=True)
    outputs = {
        'ReprocessaSequencial.ico': make_icon(),
        'logo.png': make_logo(),
        'abrir.bmp': glyph_pair(glyph_open),
        'limpar.bmp': glyph_pair(glyph_eraser),
        'cancelar.bmp': glyph_pair(glyph_cancel),
        'sair.bmp': glyph_pair(glyph_exit),
    }
    for name, data in outputs.items():
        with open(os.path.join(target, name), 'wb') as out:
            out.write(data)
        print(os.path.join(target, name), len(data))


if __name__ == '__main__':
    main()
