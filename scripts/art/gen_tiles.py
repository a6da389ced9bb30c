#!/usr/bin/env python3
"""Writes the tile-set drawings.

    gen_tiles.py OUT_DIR WORK_DIR

OUT_DIR receives the SVG tile sets used as they are; WORK_DIR receives the
drawings that tileart turns into the bitmap sets and images (see
generate.sh)."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from svgkit import Affine, Doc, Group, rrect, Path
import faces
import blanks


def face_set(theme):
    doc = Doc()
    cols = 7
    for i, ident in enumerate(faces.element_ids()):
        x = 10 + (i % cols) * (faces.W + 20)
        y = 10 + (i // cols) * (faces.H + 20)
        doc.add(faces.draw_face(doc, ident, Affine.translate(x, y), theme).text())
    doc.width = 10 + cols * (faces.W + 20)
    doc.height = 10 + 6 * (faces.H + 20)
    return doc.text()


def blank_set(palette):
    doc = Doc()
    blanks.build_blank(doc, palette)
    return doc.text()


# Source rectangles of the highlight picture per side (x, y, w, h).
HIGHLIGHT_RECTS = [(43, 1, 29, 43), (1, 1, 40, 34), (74, 1, 29, 43), (105, 1, 40, 34)]


def highlights():
    doc = Doc()
    doc.width, doc.height = 146, 45
    g = Group('highlights', Affine(), (0, 0, 146, 45))
    for x, y, w, h in HIGHLIGHT_RECTS:
        g.fill(rrect(x + 0.5, y + 0.5, w - 1, h - 1, 4), '#e0202a', 0.16)
        g.stroke(rrect(x + 1.5, y + 1.5, w - 3, h - 3, 3.5), '#e0202a', 2.4, opacity=0.9)
        g.stroke(rrect(x + 3.5, y + 3.5, w - 7, h - 7, 2), '#ff6a5a', 1.0, opacity=0.5)
    doc.add(g.text())
    return doc.text()


def marker():
    doc = Doc()
    doc.width, doc.height = 16, 12
    g = Group('marker', Affine(), (0, 0, 16, 12))
    arrow = Path().M(1.5, 1.5).L(14.5, 1.5).L(8, 10.5).Z()
    g.fill(arrow, '#7a1010')
    g.fill(Path().M(3.3, 2.5).L(12.7, 2.5).L(8, 9).Z(), doc.linear([(0, '#ff7a4a'), (1, '#d81e1e')]))
    doc.add(g.text())
    return doc.text()


def write(path, text):
    with open(path, 'w', encoding='utf-8') as f:
        f.write(text)


def main():
    out, work = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    os.makedirs(work, exist_ok=True)
    write(os.path.join(out, 'tiles-fg.svg'), face_set('numbered'))
    write(os.path.join(out, 'tiles-fg-half-marked.svg'), face_set('half'))
    write(os.path.join(out, 'tiles-fg-no-marks.svg'), face_set('nomarks'))
    write(os.path.join(out, 'tiles-fg-simple.svg'), face_set('simple'))
    write(os.path.join(out, 'tiles-blank-green.svg'), blank_set('green2'))
    write(os.path.join(out, 'tiles-blank-darkwood.svg'), blank_set('darkwood'))
    write(os.path.join(work, 'tiles-fg-rustic.svg'), face_set('rustic'))
    write(os.path.join(work, 'tiles-blank-default.svg'), blank_set('bamboo'))
    write(os.path.join(work, 'tiles-blank-green1.svg'), blank_set('green1'))
    write(os.path.join(work, 'tiles-blank-red.svg'), blank_set('red'))
    write(os.path.join(work, 'tile-highlights-red.svg'), highlights())
    write(os.path.join(work, 'last-tile-marker.svg'), marker())


if __name__ == '__main__':
    main()
