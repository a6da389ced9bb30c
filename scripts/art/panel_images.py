#!/usr/bin/python3
"""Writes the images of the table window's panels:

- under resources/: the side bar's wind cells "sb-winds.png" and
  "sb-winds-hilight.png" (four cells of 26x21, East South West North), the
  seat highlight "sb-hilight.png", and the strip's icons
  "smiley-normal.png", "dollar-normal.png", "trophy-normal.png" and
  "inactive-table-icon.png";
- under resources/textimages/ (and one folder per language): the words
  "ready.png", "washout.png" and "claim-tenpai.png", in the look of the
  claim words: a bold word with a gradient fill, a dark outline and a soft
  shadow on a transparent background.

    panel_images.py [RESOURCES_DIR]      (default: resources)

Needs Debian's python3-pil (run it with /usr/bin/python3), fonts-dejavu-core
and fonts-noto-cjk. The output is the same on every run."""

import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

LATIN_FONT = '/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf'
CJK_FONT = '/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc'
CJK_INDEX = {'ja': 0, 'zh_CN': 2, 'zh_TW': 3}

GREEN = '#0b3d2e'
FELT = '#114c3a'
CREAM = '#f3e9c6'
GOLD = '#c9b77a'
RED = '#6e1f1f'
DARK = '#1d1d1d'

# (top, bottom) of the fill, and the outline.
READY = (('#e8ffd8', '#5fbf4a'), '#0b2a10')
NOTICE = (('#f3e9c6', '#c9b77a'), '#0b3d2e')
WIN = (('#ffe89a', '#e0542c'), '#3a0e08')

# name -> (style, size in points); the ready mark fits the seat's claim area.
TEXTS = {
    'ready': (READY, 20),
    'washout': (NOTICE, 44),
    'claim-tenpai': (WIN, 44),
}

WORDS = {
    '': {'ready': 'READY', 'washout': 'WASHOUT', 'claim-tenpai': 'TENPAI'},
    'ja': {'ready': '準備完了', 'washout': '流局', 'claim-tenpai': '聴牌'},
    'zh_CN': {'ready': '准备', 'washout': '流局', 'claim-tenpai': '听牌'},
    'zh_TW': {'ready': '準備', 'washout': '流局', 'claim-tenpai': '聽牌'},
}

STROKE_RATIO = 11  # outline = size / ratio
PAD = 6
SHADOW = 3


def font_for(language, size):
    if language in CJK_INDEX:
        return ImageFont.truetype(CJK_FONT, size, index=CJK_INDEX[language])
    return ImageFont.truetype(LATIN_FONT, size)


def gradient(size, top, bottom):
    w, h = size
    img = Image.new('RGBA', size)
    t = Image.new('RGBA', (1, 1), top).getpixel((0, 0))
    b = Image.new('RGBA', (1, 1), bottom).getpixel((0, 0))
    draw = ImageDraw.Draw(img)
    for y in range(h):
        f = y / max(h - 1, 1)
        draw.line([(0, y), (w, y)], fill=tuple(round(t[i] + (b[i] - t[i]) * f) for i in range(4)))
    return img


def render_word(word, font, style, stroke):
    (top, bottom), outline = style
    left, upper, right, lower = font.getbbox(word, stroke_width=stroke)
    w = right - left + 2 * PAD + SHADOW
    h = lower - upper + 2 * PAD + SHADOW
    origin = (PAD - left, PAD - upper)

    def mask(width, offset=(0, 0)):
        m = Image.new('L', (w, h), 0)
        ImageDraw.Draw(m).text((origin[0] + offset[0], origin[1] + offset[1]), word, font=font, fill=255,
                               stroke_width=width, stroke_fill=255)
        return m

    out = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    shadow = mask(stroke, (SHADOW, SHADOW)).filter(ImageFilter.GaussianBlur(2))
    out.paste(Image.new('RGBA', (w, h), (0, 0, 0, 255)), (0, 0), shadow.point(lambda v: v * 120 // 255))
    out.paste(Image.new('RGBA', (w, h), outline), (0, 0), mask(stroke))
    fill = mask(0)
    box = fill.getbbox() or (0, 0, w, h)
    ramp = Image.new('RGBA', (w, h), top)
    ramp.paste(gradient((w, box[3] - box[1]), top, bottom), (0, box[1]))
    ramp.paste(Image.new('RGBA', (w, h - box[3]), bottom), (0, box[3]))
    out.paste(ramp, (0, 0), fill)
    rim = ImageChops.subtract(mask(1), fill)
    out.paste(Image.new('RGBA', (w, h), (255, 255, 255, 255)), (0, 0), rim.point(lambda v: v * 70 // 255))
    return out


def wind_cells(fill, letter_colour, ring):
    """Four 26x21 cells: a rounded plate with the wind's letter."""
    font = ImageFont.truetype(LATIN_FONT, 14)
    sheet = Image.new('RGBA', (4 * 26, 21), (0, 0, 0, 0))
    draw = ImageDraw.Draw(sheet)
    for i, letter in enumerate('ESWN'):
        x = i * 26
        draw.rounded_rectangle([x + 2, 1, x + 23, 19], radius=4, fill=fill, outline=ring)
        l, t, r, b = draw.textbbox((0, 0), letter, font=font)
        draw.text((x + 13 - (r - l) / 2 - l, 10 - (b - t) / 2 - t), letter, font=font, fill=letter_colour)
    return sheet


def highlight():
    """Stretched over a highlighted seat: a gold glow fading to the right."""
    w, h = 228, 98
    img = gradient((w, h), '#c9b77a70', '#c9b77a10')
    base = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    base.paste(img, (0, 0))
    draw = ImageDraw.Draw(base)
    draw.rounded_rectangle([0, 0, w - 1, h - 1], radius=5, outline=GOLD, width=2)
    draw.rectangle([0, 0, 5, h - 1], fill=GOLD)
    return base


def stick(dots):
    """A 48x10 scoring stick: one red dot (riichi) or eight black (counter)."""
    scale = 4
    w, h = 48 * scale, 10 * scale
    img = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([2, 4, w - 3, h - 5], radius=10, fill='#f1ece0', outline='#6b6150', width=3)
    if dots == 1:
        d.ellipse([w / 2 - 12, h / 2 - 12, w / 2 + 12, h / 2 + 12], fill='#c01818')
    else:
        for i in range(dots):
            x = w / 2 + (i - (dots - 1) / 2) * 14
            d.ellipse([x - 4, h / 2 - 4, x + 4, h / 2 + 4], fill=DARK)
    return img.resize((48, 10), Image.LANCZOS)


def icon(kind):
    size = 64  # drawn large, then reduced to 16x16 for smooth edges
    img = Image.new('RGBA', (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    if kind == 'smiley':
        d.ellipse([4, 4, 59, 59], fill='#f0c94a', outline=DARK, width=4)
        d.ellipse([20, 20, 27, 29], fill=DARK)
        d.ellipse([36, 20, 43, 29], fill=DARK)
        d.arc([16, 22, 47, 48], start=20, end=160, fill=DARK, width=5)
    elif kind == 'dollar':
        d.ellipse([4, 4, 59, 59], fill='#3f9a4f', outline=DARK, width=4)
        font = ImageFont.truetype(LATIN_FONT, 40)
        l, t, r, b = d.textbbox((0, 0), '$', font=font)
        d.text((32 - (r - l) / 2 - l, 32 - (b - t) / 2 - t), '$', font=font, fill=CREAM)
    elif kind == 'trophy':
        d.pieslice([12, -14, 51, 40], start=0, end=180, fill='#e0b53a', outline=DARK, width=3)
        d.arc([2, 6, 22, 28], start=90, end=270, fill='#e0b53a', width=5)
        d.arc([41, 6, 61, 28], start=270, end=90, fill='#e0b53a', width=5)
        d.rectangle([28, 39, 35, 50], fill='#e0b53a', outline=DARK, width=2)
        d.rounded_rectangle([16, 50, 47, 60], radius=2, fill='#8a5a1a', outline=DARK, width=2)
    elif kind == 'inactive':
        d.ellipse([4, 4, 59, 59], fill=RED, outline=DARK, width=4)
        d.rectangle([20, 18, 28, 46], fill=CREAM)
        d.rectangle([36, 18, 44, 46], fill=CREAM)
    out = 12 if kind == 'inactive' else 16
    return img.resize((out, out), Image.LANCZOS)


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    res = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'resources')
    wind_cells(FELT, CREAM, GOLD).save(os.path.join(res, 'sb-winds.png'), optimize=True)
    wind_cells(GOLD, DARK, CREAM).save(os.path.join(res, 'sb-winds-hilight.png'), optimize=True)
    highlight().save(os.path.join(res, 'sb-hilight.png'), optimize=True)
    stick(1).save(os.path.join(res, 'sb-riichi-stick.png'), optimize=True)
    stick(8).save(os.path.join(res, 'sb-counter-stick.png'), optimize=True)
    for kind in ('smiley', 'dollar', 'trophy'):
        icon(kind).save(os.path.join(res, kind + '-normal.png'), optimize=True)
    icon('inactive').save(os.path.join(res, 'inactive-table-icon.png'), optimize=True)
    for language, words in WORDS.items():
        folder = os.path.join(res, 'textimages', language) if language else os.path.join(res, 'textimages')
        os.makedirs(folder, exist_ok=True)
        for name, word in words.items():
            style, size = TEXTS[name]
            font = font_for(language, size)
            render_word(word, font, style, max(2, size // STROKE_RATIO)).save(
                os.path.join(folder, name + '.png'), optimize=True)


if __name__ == '__main__':
    main()
