#!/usr/bin/python3
"""Writes the word pictures of the table ("textimages:claim-pong.png" ...)
and the headers of the start and guide tabs ("textimages:welcome.png"):
a bold word with a gradient fill, a dark outline and a soft shadow on a
transparent background, in the base folder (English) and in one folder per
language.

    text_images.py [OUT_DIR]      (default: resources/textimages)

Needs Debian's python3-pil (run it with /usr/bin/python3), fonts-dejavu-core
(DejaVu Sans Bold, for Latin words) and fonts-noto-cjk (Noto Sans CJK Bold,
for Japanese and Chinese); both fonts are under free licences that allow
embedding rendered text. The output is the same on every run."""

import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

LATIN_FONT = '/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf'
CJK_FONT = '/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc'
# Faces of the CJK collection by language.
CJK_INDEX = {'ja': 0, 'zh_CN': 2, 'zh_TW': 3}

SIZE = 44
STROKE = 4
PAD = 8
SHADOW = 3

# (top, bottom) of the fill, and the outline.
CLAIM = (('#fff6d0', '#d9b860'), '#2a1d08')
WIN = (('#ffe89a', '#e0542c'), '#3a0e08')
RIICHI = (('#ffffff', '#f3e9c6'), '#6e1f1f')
NOTICE = (('#f3e9c6', '#c9b77a'), '#0b3d2e')
WARNING = (('#ffd0c0', '#d9482b'), '#2a0a06')

# Picture name -> style; words per language below.
STYLES = {
    'claim-chow': CLAIM, 'claim-pong': CLAIM, 'claim-kong': CLAIM,
    'claim-chii': CLAIM, 'claim-pon': CLAIM, 'claim-kan': CLAIM,
    'claim-ron': WIN, 'claim-tsumo': WIN, 'claim-mahjong': WIN, 'claim-mahjong-game-view': WIN,
    'claim-riichi': RIICHI,
    'timeout': NOTICE, 'furiten': WARNING,
    'welcome': NOTICE, 'howto': NOTICE,
}

WORDS = {
    '': {
        'claim-chow': 'CHOW', 'claim-pong': 'PONG', 'claim-kong': 'KONG',
        'claim-chii': 'CHII', 'claim-pon': 'PON', 'claim-kan': 'KAN',
        'claim-ron': 'RON', 'claim-tsumo': 'TSUMO', 'claim-mahjong': 'MAHJONG',
        'claim-mahjong-game-view': 'MAHJONG!', 'claim-riichi': 'RIICHI',
        'timeout': 'TIME OUT', 'furiten': 'FURITEN',
        'welcome': 'Welcome', 'howto': 'Game Guide',
    },
    'ja': {
        'claim-chow': 'チー', 'claim-pong': 'ポン', 'claim-kong': 'カン',
        'claim-chii': 'チー', 'claim-pon': 'ポン', 'claim-kan': 'カン',
        'claim-ron': 'ロン', 'claim-tsumo': 'ツモ', 'claim-mahjong': '和了',
        'claim-mahjong-game-view': '和了！', 'claim-riichi': 'リーチ',
        'timeout': '時間切れ', 'furiten': 'フリテン',
        'welcome': 'ようこそ', 'howto': 'ゲームガイド',
    },
    'zh_CN': {
        'claim-chow': '吃', 'claim-pong': '碰', 'claim-kong': '杠',
        'claim-chii': '吃', 'claim-pon': '碰', 'claim-kan': '杠',
        'claim-ron': '荣和', 'claim-tsumo': '自摸', 'claim-mahjong': '和牌',
        'claim-mahjong-game-view': '和牌！', 'claim-riichi': '立直',
        'timeout': '超时', 'furiten': '振听',
        'welcome': '欢迎', 'howto': '游戏指南',
    },
    'zh_TW': {
        'claim-chow': '吃', 'claim-pong': '碰', 'claim-kong': '槓',
        'claim-chii': '吃', 'claim-pon': '碰', 'claim-kan': '槓',
        'claim-ron': '榮和', 'claim-tsumo': '自摸', 'claim-mahjong': '和牌',
        'claim-mahjong-game-view': '和牌！', 'claim-riichi': '立直',
        'timeout': '超時', 'furiten': '振聽',
        'welcome': '歡迎', 'howto': '遊戲指南',
    },
}


def font_for(language):
    if language in CJK_INDEX:
        return ImageFont.truetype(CJK_FONT, SIZE, index=CJK_INDEX[language])
    return ImageFont.truetype(LATIN_FONT, SIZE)


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


def render(word, font, style):
    (top, bottom), outline = style
    left, upper, right, lower = font.getbbox(word, stroke_width=STROKE)
    w = right - left + 2 * PAD + SHADOW
    h = lower - upper + 2 * PAD + SHADOW
    origin = (PAD - left, PAD - upper)

    def mask(stroke, offset=(0, 0)):
        m = Image.new('L', (w, h), 0)
        ImageDraw.Draw(m).text((origin[0] + offset[0], origin[1] + offset[1]), word, font=font, fill=255,
                               stroke_width=stroke, stroke_fill=255)
        return m

    out = Image.new('RGBA', (w, h), (0, 0, 0, 0))
    shadow = mask(STROKE, (SHADOW, SHADOW)).filter(ImageFilter.GaussianBlur(2))
    out.paste(Image.new('RGBA', (w, h), (0, 0, 0, 255)), (0, 0), shadow.point(lambda v: v * 120 // 255))
    out.paste(Image.new('RGBA', (w, h), outline), (0, 0), mask(STROKE))
    fill = mask(0)
    # The fill runs over the letters' own height, light at the top.
    box = fill.getbbox() or (0, 0, w, h)
    ramp = Image.new('RGBA', (w, h), top)
    ramp.paste(gradient((w, box[3] - box[1]), top, bottom), (0, box[1]))
    ramp.paste(Image.new('RGBA', (w, h - box[3]), bottom), (0, box[3]))
    out.paste(ramp, (0, 0), fill)
    # A thin light rim inside the outline lifts the word off the table.
    rim = ImageChops.subtract(mask(1), fill)
    out.paste(Image.new('RGBA', (w, h), (255, 255, 255, 255)), (0, 0), rim.point(lambda v: v * 70 // 255))
    return out


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'resources', 'textimages')
    for language, words in WORDS.items():
        folder = os.path.join(out_dir, language) if language else out_dir
        os.makedirs(folder, exist_ok=True)
        font = font_for(language)
        for name, word in words.items():
            render(word, font, STYLES[name]).save(os.path.join(folder, name + '.png'), optimize=True)


if __name__ == '__main__':
    main()
