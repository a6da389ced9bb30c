"""Tile faces: 42 drawings in a 192 x 220 box each (face of a tile lying
upright), element ids from the tiles' debug names."""

import math

from svgkit import Affine, Group, Path, circle, ellipse, polygon, rrect
import glyphs

W, H = 192, 220

SUITS = ['bamboo', 'character', 'circle']
HONOURS = ['east_wind', 'south_wind', 'west_wind', 'north_wind',
           'green_dragon', 'red_dragon', 'white_dragon']
BONUS = ['plum_blossom', 'orchid', 'chrysanthemum', 'bamboo',
         'spring', 'summer', 'autumn', 'winter']


def element_ids():
    ids = []
    for s in SUITS:
        ids += ['%s_%d' % (s, n) for n in range(1, 10)]
    return ids + HONOURS + BONUS


THEMES = {
    # marks: which tiles carry a small index number in the corner
    'numbered': dict(marks={'bamboo', 'character', 'circle', 'bonus'}, flat=False,
                     blue='#1d4f9e', green='#1c7a45', red='#c2272f', ink='#16213f',
                     stick='#2f8f4e', stick_dark='#175c2f', gold='#d99a1b', pink='#e2789b',
                     purple='#8a4fb8', brown='#6d4022', mark_bonus='#c2272f', mark_season='#1d4f9e',
                     weight=1.0),
    'half': dict(marks={'character', 'bonus'}, flat=False,
                 blue='#23559e', green='#23804b', red='#c0302f', ink='#1b1b1b',
                 stick='#2c8a58', stick_dark='#155533', gold='#dba324', pink='#e07fa0',
                 purple='#8555b5', brown='#6a4124', mark_bonus='#c0302f', mark_season='#23559e',
                 weight=1.0),
    'nomarks': dict(marks=set(), flat=False,
                    blue='#204c96', green='#1f7347', red='#b9252c', ink='#1a2440',
                    stick='#2d8a4a', stick_dark='#165a2c', gold='#d89a22', pink='#e0809f',
                    purple='#8650b3', brown='#6b4020', mark_bonus='#b9252c', mark_season='#204c96',
                    weight=1.0),
    'simple': dict(marks=set(), flat=True,
                   blue='#1f5fbf', green='#1e8a4a', red='#d12a2a', ink='#222222',
                   stick='#1e8a4a', stick_dark='#146035', gold='#e8a317', pink='#e8719a',
                   purple='#8c52c7', brown='#7a4a26', mark_bonus='#d12a2a', mark_season='#1f5fbf',
                   weight=1.1),
    'rustic': dict(marks={'bamboo', 'character', 'circle', 'bonus'}, flat=True,
                   blue='#2e5a58', green='#5c6b26', red='#98361f', ink='#3b2616',
                   stick='#6b7a2e', stick_dark='#434d18', gold='#b9822b', pink='#b8606a',
                   purple='#6d4a78', brown='#5a3a1e', mark_bonus='#98361f', mark_season='#2e5a58',
                   weight=1.15),
}


def lighten(c, f):
    r, g, b = int(c[1:3], 16), int(c[3:5], 16), int(c[5:7], 16)
    r, g, b = [int(v + (255 - v) * f) if f > 0 else int(v * (1 + f)) for v in (r, g, b)]
    return '#%02x%02x%02x' % (r, g, b)


class Painter:
    def __init__(self, doc, group, theme):
        self.doc = doc
        self.g = group
        self.th = theme
        self.content = Affine()

    def paint(self, color, light=0.35, dark=-0.2, radial=False):
        if self.th['flat']:
            return color
        if radial:
            return self.doc.radial([(0, lighten(color, light)), (1, lighten(color, dark))],
                                   cx=0.4, cy=0.35, r=0.7)
        return self.doc.linear([(0, lighten(color, light)), (1, lighten(color, dark))], 0, 0, 1, 1)

    def fill(self, path, color, opacity=1.0, t=None):
        t = (t or Affine()).then(self.content)
        self.g.fill(path, color, opacity, t=t)

    def stroke(self, path, color, width, t=None, opacity=1.0):
        t = (t or Affine()).then(self.content)
        self.g.stroke(path, color, width * self.th['weight'] * self.content.linear_scale(), opacity=opacity, t=t)

    def glyph(self, paths, x, y, w, h, color, width):
        t = Affine.scale(w, h).then(Affine.translate(x, y))
        for p in paths:
            self.stroke(p, color, width, t=t)

    def raw_glyph(self, paths, x, y, w, h, color, width):
        """A glyph outside the content transform (corner marks)."""
        t = Affine.scale(w, h).then(Affine.translate(x, y))
        for p in paths:
            self.g.stroke(p, color, width, t=t)


# --- suits -----------------------------------------------------------------

CIRCLE_LAYOUT = {
    2: [(96, 62, 40), (96, 158, 40)],
    3: [(46, 48, 31), (96, 110, 31), (146, 172, 31)],
    4: [(56, 64, 34), (136, 64, 34), (56, 156, 34), (136, 156, 34)],
    5: [(50, 52, 29), (142, 52, 29), (96, 110, 29), (50, 168, 29), (142, 168, 29)],
    6: [(58, 46, 27), (134, 46, 27), (58, 110, 27), (134, 110, 27), (58, 174, 27), (134, 174, 27)],
    7: [(42, 36, 21), (96, 56, 21), (150, 76, 21), (62, 126, 24), (130, 126, 24), (62, 182, 24), (130, 182, 24)],
    8: [(60, 35, 22), (132, 35, 22), (60, 85, 22), (132, 85, 22), (60, 135, 22), (132, 135, 22),
        (60, 185, 22), (132, 185, 22)],
    9: [(42, 46, 24), (96, 46, 24), (150, 46, 24), (42, 110, 24), (96, 110, 24), (150, 110, 24),
        (42, 174, 24), (96, 174, 24), (150, 174, 24)],
}


def circle_colors(n, th):
    b, g, r = th['blue'], th['green'], th['red']
    return {
        2: [g, b], 3: [b, r, g], 4: [b, g, g, b], 5: [b, g, r, g, b],
        6: [g, g, r, r, r, r], 7: [g, g, g, r, r, r, r], 8: [b] * 8,
        9: [b, b, b, r, r, r, g, g, g],
    }[n]


def dot(p, cx, cy, r, color):
    p.fill(circle(cx, cy, r), p.paint(color, 0.3, -0.25, radial=True))
    p.fill(circle(cx, cy, r * 0.74), '#fbf7ec')
    p.fill(circle(cx, cy, r * 0.56), p.paint(color, 0.25, -0.15, radial=True))
    p.fill(circle(cx, cy, r * 0.2), '#fbf7ec')
    if not p.th['flat']:
        p.fill(ellipse(cx - r * 0.3, cy - r * 0.38, r * 0.22, r * 0.12), '#ffffff', 0.45)


def circles(p, n):
    th = p.th
    if n == 1:
        cx, cy = 96, 110
        p.fill(circle(cx, cy, 74), p.paint(th['green'], 0.25, -0.2, radial=True))
        p.fill(circle(cx, cy, 66), '#fbf7ec')
        for i in range(12):
            a = math.radians(i * 30)
            p.fill(circle(cx + 56 * math.cos(a), cy + 56 * math.sin(a), 7),
                   th['red'] if i % 2 else th['blue'])
        p.fill(circle(cx, cy, 44), p.paint(th['blue'], 0.3, -0.2, radial=True))
        p.fill(circle(cx, cy, 36), '#fbf7ec')
        for i in range(8):
            a = math.radians(i * 45 + 22.5)
            p.fill(ellipse(0, -22, 6, 11), th['red'],
                   t=Affine.rotate(i * 45 + 22.5).then(Affine.translate(cx, cy)))
            del a
        p.fill(circle(cx, cy, 12), p.paint(th['red'], 0.3, -0.2, radial=True))
        p.fill(circle(cx, cy, 4), '#fbf7ec')
        return
    for (cx, cy, r), c in zip(CIRCLE_LAYOUT[n], circle_colors(n, th)):
        dot(p, cx, cy, r, c)


def stick(p, cx, cy, length, color, width=17, angle=0.0):
    t = Affine.rotate(angle).then(Affine.translate(cx, cy))
    half = length / 2
    dark = lighten(color, -0.35)
    p.fill(rrect(-width / 2, -half, width, length, width / 2, width / 2.6),
           p.th['flat'] and color or p.doc.linear([(0, lighten(color, 0.35)), (0.45, color), (1, dark)], 0, 0, 1, 0),
           t=t)
    # nodes
    for y in (-half + width * 0.45, 0, half - width * 0.45):
        p.fill(rrect(-width / 2 - 1.5, y - 2.2, width + 3, 4.4, 2), dark, t=t)
    # a highlight streak
    p.fill(rrect(-width / 2 + 3, -half + 8, 2.6, length - 16, 1.3), '#ffffff', 0.35, t=t)


STICK_LAYOUT = {
    2: [(96, 62, 84, 0), (96, 158, 84, 0)],
    3: [(96, 62, 84, 1), (60, 158, 84, 0), (132, 158, 84, 0)],
    4: [(62, 62, 84, 0), (130, 62, 84, 0), (62, 158, 84, 0), (130, 158, 84, 0)],
    5: [(46, 62, 84, 0), (146, 62, 84, 0), (96, 110, 84, 1), (46, 158, 84, 0), (146, 158, 84, 0)],
    6: [(46, 62, 84, 0), (96, 62, 84, 0), (146, 62, 84, 0), (46, 158, 84, 1), (96, 158, 84, 1), (146, 158, 84, 1)],
    7: [(96, 44, 56, 1), (46, 110, 56, 0), (96, 110, 56, 0), (146, 110, 56, 0), (46, 176, 56, 0),
        (96, 176, 56, 0), (146, 176, 56, 0)],
    8: [(36, 62, 84, 0), (76, 62, 84, 0), (116, 62, 84, 0), (156, 62, 84, 0),
        (36, 158, 84, 1), (76, 158, 84, 1), (116, 158, 84, 1), (156, 158, 84, 1)],
    9: [(46, 44, 56, 0), (96, 44, 56, 1), (146, 44, 56, 0), (46, 110, 56, 0), (96, 110, 56, 1),
        (146, 110, 56, 0), (46, 176, 56, 0), (96, 176, 56, 1), (146, 176, 56, 0)],
}


def leaf(p, x, y, length, width, angle, color):
    t = Affine.rotate(angle).then(Affine.translate(x, y))
    path = Path().M(0, 0).C(width, -length * 0.3, width * 0.6, -length * 0.8, 0, -length)
    path.C(-width * 0.6, -length * 0.8, -width, -length * 0.3, 0, 0).Z()
    p.fill(path, p.paint(color, 0.25, -0.2), t=t)
    p.stroke(Path().M(0, -2).L(0, -length * 0.9), lighten(color, -0.35), 1.6, t=t)


def bamboos(p, n):
    th = p.th
    if n == 1:
        # a tall stalk with leaves and a red bud: the "one" of the suit
        for i, (y0, y1) in enumerate([(40, 92), (96, 148), (152, 204)]):
            stick(p, 96, (y0 + y1) / 2, y1 - y0, th['stick'], width=22)
        leaf(p, 96, 94, 60, 20, -52, th['stick_dark'])
        leaf(p, 96, 150, 54, 18, 58, th['stick_dark'])
        leaf(p, 96, 94, 44, 14, 38, th['stick'])
        p.fill(circle(96, 28, 11), p.paint(th['red'], 0.3, -0.2, radial=True))
        p.fill(circle(92, 24, 3.5), '#ffffff', 0.5)
        return
    for cx, cy, length, red in STICK_LAYOUT[n]:
        stick(p, cx, cy, length, th['red'] if red else th['stick'])


def characters(p, n):
    th = p.th
    p.glyph(glyphs.numeral(n), 46, 18, 100, 86, th['ink'], 14)
    p.glyph(glyphs.wan(), 40, 116, 112, 92, th['red'], 15)


# --- honours ---------------------------------------------------------------

def wind(p, ch):
    th = p.th
    # compass rose at the top, the needle pointing to the wind's quarter
    cx, cy = 96, 44
    p.stroke(circle(cx, cy, 22), th['blue'], 3.5)
    angle = {'E': 90, 'S': 180, 'W': 270, 'N': 0}[ch]
    t = Affine.rotate(angle).then(Affine.translate(cx, cy))
    p.fill(polygon([(0, -26), (7, 0), (0, 5), (-7, 0)]), th['red'], t=t)
    p.fill(polygon([(0, 18), (5, 0), (0, -3), (-5, 0)]), th['blue'], t=t)
    w = glyphs.letter_width(ch) * 110
    p.glyph(glyphs.letter(ch), 96 - w / 2, 82, 110, 118, th['ink'], 18)


def dragon(p, which):
    th = p.th
    if which == 'red':
        p.glyph(glyphs.zhong(), 30, 22, 132, 180, th['red'], 20)
    elif which == 'green':
        p.glyph(glyphs.fa(), 26, 24, 140, 176, th['green'], 17)
    else:
        p.stroke(rrect(28, 24, 136, 172, 10), th['blue'], 9)
        p.stroke(rrect(46, 42, 100, 136, 5), th['blue'], 4)
        for x, y in ((28, 24), (164, 24), (28, 196), (164, 196)):
            p.fill(circle(x, y, 7), th['blue'])


# --- bonus tiles -----------------------------------------------------------

def blossom(p, cx, cy, r, color, centre):
    for i in range(5):
        t = Affine.rotate(i * 72).then(Affine.translate(cx, cy))
        p.fill(circle(0, -r * 0.95, r * 0.72), p.paint(color, 0.3, -0.1, radial=True), t=t)
    p.fill(circle(cx, cy, r * 0.42), centre)
    for i in range(5):
        a = math.radians(i * 72 + 36)
        p.fill(circle(cx + r * 0.55 * math.sin(a), cy - r * 0.55 * math.cos(a), r * 0.1), lighten(centre, -0.4))


def plum(p):
    th = p.th
    branch = Path().M(30, 206).C(60, 160, 90, 150, 110, 104).C(124, 74, 150, 60, 168, 36)
    p.stroke(branch, th['brown'], 9)
    p.stroke(Path().M(86, 150).C(70, 130, 56, 120, 40, 112), th['brown'], 6)
    blossom(p, 112, 100, 26, th['pink'], th['gold'])
    blossom(p, 52, 112, 17, th['pink'], th['gold'])
    blossom(p, 156, 46, 15, th['pink'], th['gold'])
    p.fill(circle(78, 176, 6), lighten(th['pink'], -0.15))


def orchid(p):
    th = p.th
    for (x0, a, l) in ((96, -24, 150), (96, 20, 130), (96, -4, 110)):
        t = Affine.rotate(a).then(Affine.translate(x0, 206))
        p.fill(Path().M(-3, 0).C(-12, -l * 0.4, -6, -l * 0.8, 0, -l).C(2, -l * 0.8, 8, -l * 0.4, 3, 0).Z(),
               p.paint(th['green'], 0.2, -0.2), t=t)
    cx, cy = 100, 84
    for a in (-62, 0, 62):
        t = Affine.rotate(a).then(Affine.translate(cx, cy))
        p.fill(ellipse(0, -30, 13, 31), p.paint(th['purple'], 0.35, -0.1), t=t)
    for a in (-135, 135):
        t = Affine.rotate(a).then(Affine.translate(cx, cy))
        p.fill(ellipse(0, -22, 9, 22), p.paint(lighten(th['purple'], 0.25), 0.3, 0), t=t)
    p.fill(ellipse(cx, cy + 14, 12, 9), p.paint(th['red'], 0.3, -0.1))
    p.fill(circle(cx, cy, 6), th['gold'])


def chrysanthemum(p):
    th = p.th
    p.stroke(Path().M(96, 206).C(94, 180, 100, 160, 96, 130), th['green'], 6)
    leaf(p, 94, 184, 40, 16, -60, th['green'])
    leaf(p, 97, 170, 36, 14, 62, th['green'])
    cx, cy = 96, 82
    for i in range(22):
        t = Affine.rotate(i * 360 / 22).then(Affine.translate(cx, cy))
        p.fill(ellipse(0, -34, 6.5, 24), p.paint(th['gold'], 0.3, -0.25), t=t)
    for i in range(14):
        t = Affine.rotate(i * 360 / 14 + 8).then(Affine.translate(cx, cy))
        p.fill(ellipse(0, -20, 5, 15), p.paint(lighten(th['gold'], -0.2), 0.2, -0.2), t=t)
    p.fill(circle(cx, cy, 12), p.paint(th['brown'], 0.3, -0.1, radial=True))


def bamboo_plant(p):
    th = p.th
    stick(p, 74, 124, 156, th['stick'], width=13, angle=-6)
    stick(p, 124, 140, 124, th['stick'], width=11, angle=8)
    for (x, y, a, l) in ((78, 70, -64, 54), (80, 90, -96, 46), (118, 96, 52, 52), (120, 112, 96, 44),
                         (70, 150, -70, 40), (130, 160, 64, 40)):
        leaf(p, x, y, l, 15, a, th['stick_dark'])


def spring(p):
    th = p.th
    p.stroke(Path().M(96, 200).C(92, 160, 104, 120, 96, 70), th['green'], 7)
    leaf(p, 96, 150, 62, 24, -58, th['green'])
    leaf(p, 97, 120, 58, 22, 56, th['green'])
    leaf(p, 96, 92, 40, 16, -30, lighten(th['green'], 0.2))
    t = Affine.translate(96, 60)
    p.fill(ellipse(0, 0, 15, 20), p.paint(th['pink'], 0.3, -0.1), t=t)
    p.fill(ellipse(-7, 4, 8, 14), lighten(th['pink'], -0.15), t=t)


def summer(p):
    th = p.th
    cx, cy = 96, 110
    for i in range(12):
        t = Affine.rotate(i * 30).then(Affine.translate(cx, cy))
        p.fill(polygon([(-9, -48), (0, -76), (9, -48)]), th['gold'], t=t)
    p.fill(circle(cx, cy, 44), p.paint(th['gold'], 0.45, -0.15, radial=True))
    p.fill(circle(cx, cy, 44), th['red'], 0.18)
    p.stroke(circle(cx, cy, 44), lighten(th['red'], -0.1), 3)


def autumn(p):
    th = p.th
    def maple(cx, cy, s, a, color):
        pts = []
        spikes = [(0, -1.0), (0.22, -0.55), (0.62, -0.78), (0.5, -0.36), (0.95, -0.2), (0.5, 0.05),
                  (0.62, 0.42), (0.2, 0.3), (0, 0.5)]
        right = spikes
        left = [(-x, y) for x, y in reversed(spikes[:-1])]
        for x, y in right + left:
            pts.append((x * s, y * s))
        t = Affine.rotate(a).then(Affine.translate(cx, cy))
        p.fill(polygon(pts), p.paint(color, 0.25, -0.2), t=t)
        p.stroke(Path().M(0, s * 0.85).L(0, -s * 0.8), lighten(color, -0.35), 2.2, t=t)
        p.stroke(Path().M(0, 0).L(s * 0.55, -s * 0.55), lighten(color, -0.35), 1.6, t=t)
        p.stroke(Path().M(0, 0).L(-s * 0.55, -s * 0.55), lighten(color, -0.35), 1.6, t=t)
    maple(90, 92, 62, -12, th['red'])
    maple(134, 164, 36, 24, th['gold'])


def winter(p):
    th = p.th
    cx, cy = 96, 112
    c = th['blue']
    for i in range(6):
        t = Affine.rotate(i * 60).then(Affine.translate(cx, cy))
        p.stroke(Path().M(0, 0).L(0, -70), c, 7, t=t)
        for d, l in ((-30, 18), (-50, 14)):
            p.stroke(Path().M(0, d).L(l, d - l), c, 5, t=t)
            p.stroke(Path().M(0, d).L(-l, d - l), c, 5, t=t)
    p.fill(circle(cx, cy, 12), p.paint(c, 0.4, 0, radial=True))


# --- simple style ----------------------------------------------------------

def simple_suit(p, suit, n):
    th = p.th
    color = {'bamboo': th['green'], 'character': th['red'], 'circle': th['blue']}[suit]
    p.glyph(glyphs.digit(n), 58, 22, 118, 104, color, 20)
    if suit == 'circle':
        dot(p, 96, 168, 32, color)
    elif suit == 'bamboo':
        stick(p, 80, 168, 64, color, width=14, angle=-12)
        stick(p, 112, 168, 64, color, width=14, angle=12)
    else:
        p.glyph(glyphs.wan(), 58, 134, 76, 66, color, 12)


BONUS_DRAW = [plum, orchid, chrysanthemum, bamboo_plant, spring, summer, autumn, winter]


def draw_face(doc, ident, t, theme_name):
    th = THEMES[theme_name]
    g = Group(ident, t, (0, 0, W, H))
    p = Painter(doc, g, th)
    parts = ident.split('_')
    mark = None
    if ident in BONUS:
        i = BONUS.index(ident)
        if 'bonus' in th['marks']:
            mark = (i % 4 + 1, th['mark_bonus'] if i < 4 else th['mark_season'])
    elif parts[0] in SUITS and len(parts) == 2:
        if parts[0] in th['marks']:
            mark = (int(parts[1]), th['red'] if parts[0] != 'character' else th['blue'])
    if mark:
        # content shrinks towards the lower right to leave room for the index
        p.content = Affine.scale(0.84).then(Affine.translate(110 * 0.16 + 3, 124 * 0.16))
        p.raw_glyph(glyphs.digit(mark[0]), 12, 12, 30, 40, mark[1], 7)

    if ident in BONUS:
        BONUS_DRAW[BONUS.index(ident)](p)
    elif parts[0] in SUITS and len(parts) == 2:
        n = int(parts[1])
        if th['flat'] and theme_name == 'simple':
            simple_suit(p, parts[0], n)
        else:
            {'bamboo': bamboos, 'character': characters, 'circle': circles}[parts[0]](p, n)
    elif parts[1] == 'wind':
        wind(p, parts[0][0].upper())
    else:
        dragon(p, parts[0])
    return g
