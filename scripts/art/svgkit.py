"""Tiny vector kit for the tile art: shapes become absolute SVG paths.

Qt SVG ignores nothing we use here, but element bounds must not depend on
transforms, so every coordinate is mapped in Python and written out flat.
"""

import math

K = 0.5522847498  # cubic approximation of a quarter circle


class Affine:
    """x' = a*x + c*y + e, y' = b*x + d*y + f"""

    def __init__(self, a=1.0, b=0.0, c=0.0, d=1.0, e=0.0, f=0.0):
        self.m = (a, b, c, d, e, f)

    def __call__(self, p):
        a, b, c, d, e, f = self.m
        x, y = p
        return (a * x + c * y + e, b * x + d * y + f)

    def then(self, other):
        """Apply self first, then other."""
        a1, b1, c1, d1, e1, f1 = self.m
        a2, b2, c2, d2, e2, f2 = other.m
        return Affine(a2 * a1 + c2 * b1, b2 * a1 + d2 * b1,
                      a2 * c1 + c2 * d1, b2 * c1 + d2 * d1,
                      a2 * e1 + c2 * f1 + e2, b2 * e1 + d2 * f1 + f2)

    def linear_scale(self):
        a, b, c, d, _, _ = self.m
        return math.sqrt(abs(a * d - b * c))

    @staticmethod
    def translate(x, y):
        return Affine(e=x, f=y)

    @staticmethod
    def scale(sx, sy=None):
        return Affine(a=sx, d=sx if sy is None else sy)

    @staticmethod
    def rotate(deg, cx=0.0, cy=0.0):
        r = math.radians(deg)
        cs, sn = math.cos(r), math.sin(r)
        return (Affine.translate(-cx, -cy)
                .then(Affine(cs, sn, -sn, cs))
                .then(Affine.translate(cx, cy)))


class Path:
    """A list of segments in local coordinates: ('M', p), ('L', p),
    ('C', p1, p2, p3), ('Z',)."""

    def __init__(self):
        self.seg = []

    def M(self, x, y):
        self.seg.append(('M', (x, y)))
        return self

    def L(self, x, y):
        self.seg.append(('L', (x, y)))
        return self

    def C(self, x1, y1, x2, y2, x, y):
        self.seg.append(('C', (x1, y1), (x2, y2), (x, y)))
        return self

    def Q(self, x1, y1, x, y):
        # quadratic as cubic
        px, py = self.last()
        return self.C(px + 2 / 3 * (x1 - px), py + 2 / 3 * (y1 - py),
                      x + 2 / 3 * (x1 - x), y + 2 / 3 * (y1 - y), x, y)

    def Z(self):
        self.seg.append(('Z',))
        return self

    def last(self):
        for s in reversed(self.seg):
            if s[0] != 'Z':
                return s[-1]
        return (0.0, 0.0)

    def extend(self, other):
        self.seg.extend(other.seg)
        return self

    def d(self, t):
        out = []
        for s in self.seg:
            if s[0] == 'Z':
                out.append('Z')
            else:
                pts = [t(p) for p in s[1:]]
                out.append(s[0] + ' '.join('%.2f %.2f' % p for p in pts))
        return ''.join(out)


def ellipse(cx, cy, rx, ry):
    p = Path()
    p.M(cx + rx, cy)
    p.C(cx + rx, cy + K * ry, cx + K * rx, cy + ry, cx, cy + ry)
    p.C(cx - K * rx, cy + ry, cx - rx, cy + K * ry, cx - rx, cy)
    p.C(cx - rx, cy - K * ry, cx - K * rx, cy - ry, cx, cy - ry)
    p.C(cx + K * rx, cy - ry, cx + rx, cy - K * ry, cx + rx, cy)
    return p.Z()


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def rrect(x, y, w, h, rx, ry=None, corners=(1, 1, 1, 1)):
    """Rounded rectangle; corners = (top-left, top-right, bottom-right,
    bottom-left) flags."""
    ry = rx if ry is None else ry
    rx = min(rx, w / 2)
    ry = min(ry, h / 2)
    tl, tr, br, bl = corners
    p = Path()
    p.M(x + (rx if tl else 0), y)
    if tr:
        p.L(x + w - rx, y)
        p.C(x + w - rx + K * rx, y, x + w, y + ry - K * ry, x + w, y + ry)
    else:
        p.L(x + w, y)
    if br:
        p.L(x + w, y + h - ry)
        p.C(x + w, y + h - ry + K * ry, x + w - rx + K * rx, y + h, x + w - rx, y + h)
    else:
        p.L(x + w, y + h)
    if bl:
        p.L(x + rx, y + h)
        p.C(x + rx - K * rx, y + h, x, y + h - ry + K * ry, x, y + h - ry)
    else:
        p.L(x, y + h)
    if tl:
        p.L(x, y + ry)
        p.C(x, y + ry - K * ry, x + rx - K * rx, y, x + rx, y)
    else:
        p.L(x, y)
    return p.Z()


def rect(x, y, w, h):
    return Path().M(x, y).L(x + w, y).L(x + w, y + h).L(x, y + h).Z()


def polyline(points, closed=False):
    p = Path()
    p.M(*points[0])
    for q in points[1:]:
        p.L(*q)
    if closed:
        p.Z()
    return p


def polygon(points):
    return polyline(points, True)


class Doc:
    """Collects defs (gradients) and elements (groups with ids)."""

    def __init__(self):
        self.defs = []
        self.body = []
        self.grad_ids = {}
        self.width = 0
        self.height = 0

    def linear(self, stops, x1=0, y1=0, x2=0, y2=1):
        key = ('l', tuple(stops), x1, y1, x2, y2)
        if key not in self.grad_ids:
            gid = 'g%d' % len(self.grad_ids)
            self.grad_ids[key] = gid
            s = ''.join('<stop offset="%g" stop-color="%s"%s/>' % (
                o, c, '' if op == 1 else ' stop-opacity="%g"' % op)
                for o, c, op in [st if len(st) == 3 else (st[0], st[1], 1) for st in stops])
            self.defs.append('<linearGradient id="%s" x1="%g" y1="%g" x2="%g" y2="%g">%s</linearGradient>'
                             % (gid, x1, y1, x2, y2, s))
        return 'url(#%s)' % self.grad_ids[key]

    def radial(self, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None):
        fx = cx if fx is None else fx
        fy = cy if fy is None else fy
        key = ('r', tuple(stops), cx, cy, r, fx, fy)
        if key not in self.grad_ids:
            gid = 'g%d' % len(self.grad_ids)
            self.grad_ids[key] = gid
            s = ''.join('<stop offset="%g" stop-color="%s"%s/>' % (
                o, c, '' if op == 1 else ' stop-opacity="%g"' % op)
                for o, c, op in [st if len(st) == 3 else (st[0], st[1], 1) for st in stops])
            self.defs.append('<radialGradient id="%s" cx="%g" cy="%g" r="%g" fx="%g" fy="%g">%s</radialGradient>'
                             % (gid, cx, cy, r, fx, fy, s))
        return 'url(#%s)' % self.grad_ids[key]

    def add(self, element):
        self.body.append(element)

    def text(self):
        return ('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                'width="%d" height="%d" viewBox="0 0 %d %d">\n<defs>%s</defs>\n%s\n</svg>\n'
                % (self.width, self.height, self.width, self.height,
                   '\n'.join(self.defs), '\n'.join(self.body)))


class Group:
    """One drawing element: shapes in local coordinates mapped by t."""

    def __init__(self, ident, t, bounds):
        self.ident = ident
        self.t = t
        self.items = []
        x, y, w, h = bounds
        # An invisible rectangle pins the element's bounds, so that content
        # with margins still maps onto the full picture.
        self.items.append('<path d="%s" fill="none" stroke="none"/>' % rect(x, y, w, h).d(t))

    def fill(self, path, color, opacity=1.0, t=None):
        t = self.t if t is None else t.then(self.t)
        op = '' if opacity == 1 else ' fill-opacity="%g"' % opacity
        self.items.append('<path d="%s" fill="%s"%s stroke="none"/>' % (path.d(t), color, op))

    def stroke(self, path, color, width, opacity=1.0, cap='round', t=None):
        t = self.t if t is None else t.then(self.t)
        op = '' if opacity == 1 else ' stroke-opacity="%g"' % opacity
        self.items.append('<path d="%s" fill="none" stroke="%s" stroke-width="%.2f"%s '
                          'stroke-linecap="%s" stroke-linejoin="round"/>'
                          % (path.d(t), color, width * self.t.linear_scale(), op, cap))

    def text(self):
        return '<g id="%s">%s</g>' % (self.ident, ''.join(self.items))
