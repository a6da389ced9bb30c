"""Tile backs: every picture of a tile body (hand, lying, turned, standing,
wall stacks), designed in pixels at base size and mapped to drawing units.

Pictures split into a top face and an edge are drawn so that the face part
takes the top H / (H + D) of the element's height in drawing units and the
edge the rest, as the renderer splits them."""

from svgkit import Affine, Group, Path, rect, rrect
from faces import lighten

SIDES = ['Bottom', 'Right', 'Top', 'Left']

# drawing records (W, H, D) and pixel records (w, h, d) at base size
UPRIGHT = ((192, 220, 69), (28, 35, 10))
TURNED = ((220, 192, 69), (38, 26, 10))

PALETTES = {
    'bamboo': dict(back='#c99a3e', grain=None),
    'green1': dict(back='#23835a', grain=None),
    'red': dict(back='#b0232c', grain=None),
    'green2': dict(back='#16796f', grain=None, glossy=True),
    'darkwood': dict(back='#5b3520', grain='#3c2012'),
}

IVORY = '#f8f2e2'
IVORY_LOW = '#e6dbc0'
IVORY_EDGE = '#d8cba8'
OUTLINE = '#7d7258'


class Blank:
    def __init__(self, doc, palette):
        self.doc = doc
        self.pal = PALETTES[palette]
        back = self.pal['back']
        self.back = back
        self.back_light = lighten(back, 0.28)
        self.back_dark = lighten(back, -0.3)

    # -- paints
    def face_paint(self, highlight=False):
        if highlight:
            return self.doc.linear([(0, '#fffdf2'), (1, '#fbeec4')], 0, 0, 1, 1)
        return self.doc.linear([(0, '#fffaf0'), (0.55, IVORY), (1, IVORY_LOW)], 0, 0, 1, 1)

    def back_paint(self):
        stops = [(0, self.back_light), (0.5, self.back), (1, self.back_dark)]
        if self.pal.get('glossy'):
            stops = [(0, lighten(self.back, 0.45)), (0.35, self.back_light), (0.6, self.back), (1, self.back_dark)]
        return self.doc.linear(stops, 0, 0, 1, 1)

    def edge_paint(self, color):
        return self.doc.linear([(0, lighten(color, 0.08)), (1, lighten(color, -0.18))], 0, 0, 0, 1)

    # -- mappings from pixel space to drawing units
    @staticmethod
    def split_maps(drawing, pixels, origin):
        (W, H, D), (w, h, d) = drawing, pixels
        del origin
        face = Affine.scale(W / w, H / h)
        edge = Affine(a=W / w, d=D / d, f=H - h * D / d)
        return face, edge

    def grain(self, g, x, y, w, h, t):
        if not self.pal['grain']:
            return
        n = 5
        for i in range(n):
            yy = y + h * (i + 0.6) / (n + 0.4)
            amp = h * 0.04
            p = Path().M(x + w * 0.08, yy).C(x + w * 0.35, yy - amp, x + w * 0.6, yy + amp * 1.5, x + w * 0.92, yy - amp * 0.5)
            g.stroke(p, self.pal['grain'], max(0.35, h * 0.012), opacity=0.55, t=t)

    # -- the top face of a tile, lying face up or face down
    def top(self, g, w, h, t, face_up, highlight=False):
        r = min(w, h) * 0.13
        g.fill(rect(0, h - r, w, r), IVORY_EDGE if face_up else self.back_dark, t=t)
        if face_up:
            g.fill(rrect(0, 0, w, h, r), OUTLINE, 0.55, t=t)
            g.fill(rrect(0.5, 0.5, w - 1, h - 1, r * 0.9), self.face_paint(highlight), t=t)
        else:
            g.fill(rrect(0, 0, w, h, r), self.back_dark, t=t)
            g.fill(rrect(0.5, 0.5, w - 1, h - 1, r * 0.9), self.back_paint(), t=t)
            self.grain(g, 0.5, 0.5, w - 1, h - 1, t)
            g.fill(rrect(1.2, 1.0, w - 2.4, max(1.0, h * 0.06), 0.6), '#ffffff', 0.18, t=t)

    # -- the visible edge: layers from the top, each (color, share of d)
    def edge(self, g, w, h, d, layers, t):
        r = min(w, h) * 0.13
        y = h
        total = sum(s for _, s in layers)
        for i, (color, share) in enumerate(layers):
            lh = d * share / total
            last = i == len(layers) - 1
            if last:
                g.fill(rrect(0, y, w, h + d - y, min(r, lh), corners=(0, 0, 1, 1)), self.edge_paint(color), t=t)
            else:
                g.fill(rect(0, y, w, lh + 0.05), self.edge_paint(color), t=t)
            y += lh
        g.fill(rect(0, h, w, max(0.3, d * 0.05)), '#000000', 0.12, t=t)

    def tile_layers(self, face_up):
        if face_up:
            return [(IVORY_EDGE, 0.55), (self.back, 0.45)]
        return [(self.back, 0.45), (IVORY_EDGE, 0.55)]

    def stack_layers(self, k, top_face_up):
        layers = []
        for i in range(k):
            up = top_face_up and i == 0
            layers += self.tile_layers(up)
            if i < k - 1:
                layers.append(('#3a3326', 0.06))
        return layers

    def split_element(self, ident, origin, drawing, pixels, face_up, layers):
        (W, H, D), (w, h, d) = drawing, pixels
        face, edge = self.split_maps(drawing, pixels, origin)
        g = Group(ident, Affine.translate(*origin), (0, 0, W, H + D))
        self.top(g, w, h, face, face_up)
        self.edge(g, w, h, d, layers, edge)
        return g

    # -- standing tiles, fitted to their whole picture
    def hand(self, ident, origin, highlight):
        w, h, d = 32, 40, 11
        units = 6.0
        t = Affine.scale(units).then(Affine.translate(*origin))
        g = Group(ident, t, (0, 0, w, h + d))
        r = 4.2
        # top edge: the back layer behind, the ivory layer in front
        g.fill(rrect(0, 0, w, d + r, r, corners=(1, 1, 0, 0)), self.edge_paint(self.back_light))
        g.fill(rect(0, d * 0.45, w, d * 0.55 + r), self.edge_paint(IVORY_LOW))
        g.fill(rect(0.6, d * 0.45, w - 1.2, 0.5), '#ffffff', 0.5)
        g.fill(rrect(0, d, w, h, r, corners=(1, 1, 1, 1)), OUTLINE, 0.6)
        g.fill(rrect(0.5, d + 0.5, w - 1, h - 1, r * 0.9), self.face_paint(highlight))
        if highlight:
            g.stroke(rrect(1.6, d + 1.6, w - 3.2, h - 3.2, r * 0.7), '#e0a31c', 1.6)
        # a soft shade at the foot of the face
        g.fill(rrect(0.5, d + h - 5, w - 1, 4.5, r * 0.8, corners=(0, 0, 1, 1)), '#8a7a52', 0.18)
        return g

    def hidden(self, ident, origin, side):
        units = 6.0
        t = Affine.scale(units).then(Affine.translate(*origin))
        if side in ('Bottom', 'Top'):
            w, total = 28, (30 if side == 'Top' else 20)
            g = Group(ident, t, (0, 0, w, total))
            band = 5 if side == 'Top' else 4
            r = 3.0
            # the top of a standing tile: ivory (its face side) away from us
            far, near = (IVORY_EDGE, self.back_light) if side == 'Top' else (self.back_light, IVORY_EDGE)
            g.fill(rrect(0, 0, w, band + r, r, corners=(1, 1, 0, 0)), far)
            g.fill(rect(0, band * 0.5, w, band * 0.5 + r), near)
            g.fill(rrect(0, band, w, total - band, r, corners=(0, 0, 1, 1)), self.back_dark)
            g.fill(rrect(0.5, band, w - 1, total - band - 0.5, r * 0.9, corners=(0, 0, 1, 1)), self.back_paint())
            self.grain(g, 0.5, band, w - 1, total - band - 0.5, Affine())
            g.fill(rect(0, band, w, 0.6), '#000000', 0.15)
            return g
        w, h, d = 21, 18, 21
        g = Group(ident, t, (0, 0, w, h + d))
        r = 2.6
        ivory_left = side == 'Right'
        split = w * 0.55 if ivory_left else w * 0.45
        lx, lw = (0, split) if ivory_left else (split, w - split)
        bx, bw = (split, w - split) if ivory_left else (0, split)
        corners_l = (1, 0, 0, 1) if ivory_left else (0, 1, 1, 0)
        corners_b = (0, 1, 1, 0) if ivory_left else (1, 0, 0, 1)
        # top of the standing tile
        g.fill(rrect(lx, 0, lw, h, r, corners=corners_l), self.face_paint())
        g.fill(rrect(bx, 0, bw, h, r, corners=corners_b), self.back_paint())
        g.fill(rect(0, 0, w, h), '#000000', 0.0)
        # the near end of the tile, in shade
        g.fill(rrect(lx, h, lw, d, r, corners=corners_l), self.edge_paint(IVORY_EDGE))
        g.fill(rrect(bx, h, bw, d, r, corners=corners_b), self.edge_paint(self.back_dark))
        g.fill(rect(0, h, w, 0.7), '#000000', 0.18)
        g.fill(rect(split - 0.3, 0, 0.6, h + d), '#000000', 0.15)
        return g


def build_blank(doc, palette):
    b = Blank(doc, palette)
    cell_w, cell_h = 300, 420
    col = [0]
    row = [0]
    groups = []

    def place():
        o = (20 + col[0] * cell_w, 20 + row[0] * cell_h)
        col[0] += 1
        if col[0] == 8:
            col[0] = 0
            row[0] += 1
        return o

    groups.append(b.hand('hand', place(), False))
    groups.append(b.hand('handHighlight', place(), True))
    for side in SIDES:
        upright = side in ('Bottom', 'Top')
        drawing, pixels = UPRIGHT if upright else TURNED
        groups.append(b.split_element('declared' + side, place(), drawing, pixels, True, b.tile_layers(True)))
        groups.append(b.split_element('wallSingle' + side, place(), drawing, pixels, False, b.tile_layers(False)))
        for k, name in ((2, 'Double'), (3, 'Triple')):
            (W, H, D), (w, h, d) = drawing, pixels
            groups.append(b.split_element('wall' + name + side, place(), (W, H, D * k), (w, h, d * k),
                                          False, b.stack_layers(k, False)))
        (W, H, D), (w, h, d) = drawing, pixels
        groups.append(b.split_element('wallDora' + side, place(), (W, H, D * 2), (w, h, d * 2),
                                      True, b.stack_layers(2, True)))
        groups.append(b.hidden('hidden' + side, place(), side))
    # turned tiles of Bottom and Top: drawn with the upright drawing record
    # but shown at the turned pixel size
    for side in ('Bottom', 'Top'):
        groups.append(b.split_element('declared%sTurned' % side, place(), UPRIGHT[0], TURNED[1], True,
                                      b.tile_layers(True)))
    for g in groups:
        doc.add(g.text())
    doc.width = 20 + 8 * cell_w
    doc.height = 20 + (row[0] + 1) * cell_h
