#!/usr/bin/env python3
"""Writes the drawings of the table items other than tiles.

    table_items.py OUT_DIR

wind-indicators.svg: the seat markers ("east" ... "north" over "blank", with
"glow" on top for the seat to play) and the prevailing wind medallions
("prevalentEast" ...). Every element is pinned to the same 64 x 64 box, so
the markers scale alike and stay centred.
riichi-stick.svg: the stick ("stick"), long and thin like the real one.
frame.svg: the tray under the local hand ("frame"); "frameArea" is the part
the hand's tiles span, from half a tile left of the first tile to half a tile
right of the last, starting a sixth of a tile below the tiles' top.
Only paths: no text, no fonts."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from svgkit import Affine, Doc, Group, Path, circle, polygon, rect, rrect
import glyphs

GREEN_DEEP = '#0b3d2e'
GREEN = '#114c3a'
GOLD = '#c9b77a'
GOLD_LIGHT = '#f1e3a8'
GOLD_DARK = '#8c7a3e'
CREAM = '#f3e9c6'
RED = '#9e1c1c'
INK = '#18302a'

BOX = 64
WINDS = ['east', 'south', 'west', 'north']
LETTERS = ['E', 'S', 'W', 'N']


def ring(cx, cy, outer, inner):
    """An annulus as one path (even-odd by opposite winding)."""
    p = circle(cx, cy, outer)
    q = circle(cx, cy, inner)
    # Reverse the inner circle so that the non-zero rule leaves a hole.
    rev = Path()
    pts = [s for s in q.seg if s[0] != 'Z']
    rev.M(*pts[-1][-1])
    for i in range(len(pts) - 1, 0, -1):
        s = pts[i]
        prev_end = pts[i - 1][-1]
        if s[0] == 'C':
            rev.C(s[2][0], s[2][1], s[1][0], s[1][1], prev_end[0], prev_end[1])
        else:
            rev.L(*prev_end)
    rev.Z()
    return p.extend(rev)


def star(cx, cy, r_out, r_in, points, rotation=0.0):
    import math
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rotation + i * 180.0 / points)
        pts.append((cx + r * math.sin(a), cy - r * math.cos(a)))
    return polygon(pts)


def letter(g, ch, cx, cy, size, color, width):
    w = glyphs.letter_width(ch) * size
    t = Affine.scale(size).then(Affine.translate(cx - w / 2, cy - size / 2))
    for path in glyphs.letter(ch):
        g.stroke(path, color, width, t=t)


def wind_indicators():
    doc = Doc()
    c = BOX / 2
    x = 0

    def group(ident):
        nonlocal x
        g = Group(ident, Affine.translate(x, 0), (0, 0, BOX, BOX))
        x += BOX + 8
        return g

    # The token every seat marker lies on: ivory with a gold rim.
    g = group('blank')
    g.fill(circle(c + 1.2, c + 2.0, 27.5), '#000000', 0.35)
    g.fill(circle(c, c, 27.5), doc.linear([(0, GOLD_LIGHT), (0.5, GOLD), (1, GOLD_DARK)]))
    g.fill(circle(c, c, 24.5), doc.radial([(0, '#fffdf3'), (0.7, CREAM), (1, '#d9cc9f')], fx=0.4, fy=0.35))
    g.stroke(circle(c, c, 21.5), GREEN, 1.2, opacity=0.55)
    for i in range(4):
        t = Affine.rotate(i * 90, c, c)
        g.fill(polygon([(c, 4.6), (c + 1.8, 7.4), (c, 8.4), (c - 1.8, 7.4)]), GOLD_DARK, t=t)
    doc.add(g.text())

    for i, (name, ch) in enumerate(zip(WINDS, LETTERS)):
        g = group(name)
        color = RED if i == 0 else INK
        # The quarter the wind blows from, marked on the rim.
        arrow = {'E': 90, 'S': 180, 'W': 270, 'N': 0}[ch]
        t = Affine.rotate(arrow, c, c)
        g.fill(polygon([(c, 9.6), (c + 4.2, 15.0), (c - 4.2, 15.0)]), color, 0.85, t=t)
        letter(g, ch, c, c + 1.5, 24, color, 5.2)
        doc.add(g.text())

    # Drawn over the marker of the seat to play: a warm halo on the rim.
    g = group('glow')
    g.fill(ring(c, c, 32, 24.5), doc.radial([(0, '#ffe27a', 0), (0.74, '#ffe27a', 0),
                                              (0.8, '#ffd54a', 0.95), (0.9, '#ffb020', 0.55),
                                              (1, '#ff9a00', 0)]))
    g.stroke(circle(c, c, 26), '#fff3b0', 1.6, opacity=0.9)
    doc.add(g.text())

    # The prevailing wind: a dark medallion with a compass rose.
    for i, (name, ch) in enumerate(zip(WINDS, LETTERS)):
        g = group('prevalent' + name.capitalize())
        g.fill(circle(c + 1.2, c + 2.0, 30), '#000000', 0.35)
        g.fill(circle(c, c, 30), doc.linear([(0, GOLD_LIGHT), (0.5, GOLD), (1, GOLD_DARK)]))
        g.fill(circle(c, c, 27.2), doc.radial([(0, '#1d6b52'), (0.8, GREEN), (1, GREEN_DEEP)], fx=0.4, fy=0.35))
        g.fill(star(c, c, 25, 8.5, 4, 45), GREEN_DEEP, 0.9)
        g.fill(star(c, c, 25.5, 7.5, 4, 0), '#0f5a44')
        g.stroke(circle(c, c, 24.5), GOLD, 1.0, opacity=0.8)
        arrow = {'E': 90, 'S': 180, 'W': 270, 'N': 0}[ch]
        t = Affine.rotate(arrow, c, c)
        g.fill(polygon([(c, 4.0), (c + 3.6, 9.0), (c - 3.6, 9.0)]), GOLD_LIGHT, t=t)
        g.fill(circle(c, c, 15.5), '#000000', 0.25)
        letter(g, ch, c, c + 1.0, 20, '#ffcf5a' if i == 0 else CREAM, 4.6)
        doc.add(g.text())

    doc.width, doc.height = x, BOX
    return doc.text()


def riichi_stick():
    doc = Doc()
    w, h = 160, 20
    g = Group('stick', Affine(), (0, 0, w, h))
    body = rrect(2, 3, w - 4, h - 6, 6.5)
    g.fill(rrect(2.6, 4.4, w - 4, h - 6, 6.5), '#000000', 0.3)
    g.fill(body, doc.linear([(0, '#ffffff'), (0.45, '#f1ece0'), (1, '#bdb4a0')]))
    g.stroke(body, '#8a826e', 0.9, opacity=0.8)
    g.fill(rrect(8, 4.6, w - 16, 3.0, 1.5), '#ffffff', 0.7)
    # The thousand-point stick: one red dot in the middle.
    g.fill(circle(w / 2, h / 2, 4.6), '#6e1010')
    g.fill(circle(w / 2, h / 2, 3.8), doc.radial([(0, '#ff6a4a'), (1, '#c01818')], fx=0.35, fy=0.3))
    doc.add(g.text())
    doc.width, doc.height = w, h
    return doc.text()


def frame():
    doc = Doc()
    # The area the tiles span, and the tray around it: ends beyond the
    # outer tiles' half-tile margin and a lip below the tiles.
    ax, ay, aw, ah = 10, 8, 496, 66
    w, h = aw + 2 * ax, ay + ah + 10
    g = Group('frame', Affine(), (0, 0, w, h))
    g.fill(rrect(2, 5, w - 2, h - 4, 12), '#000000', 0.35)
    g.fill(rrect(0, 0, w - 2, h - 3, 12), doc.linear([(0, '#6b4528'), (0.5, '#4a2d18'), (1, '#2e1a0c')]))
    g.stroke(rrect(4, 4, w - 10, h - 11, 9), GOLD, 1.6, opacity=0.85)
    # The slot the tiles stand in, darker felt.
    g.fill(rrect(8, 6, w - 18, h - 24, 6), doc.linear([(0, '#0a2f24'), (1, GREEN)]))
    # The lip in front of the tiles.
    lip_y = h - 20
    g.fill(rrect(6, lip_y, w - 14, 14, 6), doc.linear([(0, '#8a5e37'), (0.35, '#5c3a1f'), (1, '#3a2210')]))
    g.stroke(Path().M(14, lip_y + 1.2).L(w - 22, lip_y + 1.2), GOLD_LIGHT, 1.1, opacity=0.75)
    g.stroke(Path().M(14, lip_y + 12).L(w - 22, lip_y + 12), '#1c0f06', 1.0, opacity=0.6)
    doc.add(g.text())
    area = Group('frameArea', Affine(), (ax, ay, aw, ah))
    doc.add(area.text())
    doc.width, doc.height = w, h
    return doc.text()


def write(path, text):
    with open(path, 'w', encoding='utf-8') as f:
        f.write(text)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write(os.path.join(out, 'wind-indicators.svg'), wind_indicators())
    write(os.path.join(out, 'riichi-stick.svg'), riichi_stick())
    write(os.path.join(out, 'frame.svg'), frame())


if __name__ == '__main__':
    main()
