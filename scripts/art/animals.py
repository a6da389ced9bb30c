"""The avatar images of the avatar choice: one animal (as its character, on
a rounded tile of its own colour) or player figure each, 64 x 64, written as
SVG for mahjong_tileart to raster.
  python3 animals.py OUT_DIR"""

import os
import sys

# file name: (character or None for a figure, light, dark, ink)
ANIMALS = {
    'butterfly': ('蝶', '#f2a6c8', '#a2356b', '#fff6fa'),
    'coolcat': ('猫', '#5a5a6e', '#1e1e2a', '#f0e68c'),
    'cow': ('牛', '#e8e2d0', '#8a7f66', '#2a2418'),
    'dog': ('犬', '#d6a15e', '#7a4a1a', '#fff4e0'),
    'dragon': ('龍', '#3fb07a', '#0e4a30', '#f6e27a'),
    'eagle': ('鷲', '#9a7a5a', '#3e2a18', '#fff8ec'),
    'eagle2': ('鷹', '#7a8aa8', '#2a344a', '#f4f0e0'),
    'femaleplayer1': (None, '#d86a9a', '#6e1f44', '#fbe8f0'),
    'fish': ('魚', '#5ab0e0', '#14507a', '#eaf6ff'),
    'hare': ('兎', '#e6e6f0', '#8a8aa0', '#3a3a52'),
    'horse': ('馬', '#b07a4a', '#4a2a10', '#fbeedc'),
    'kitten': ('猫', '#f0b87a', '#9a5a1e', '#fff8ee'),
    'maleplayer1': (None, '#a0a8b8', '#3c4454', '#f4f6fa'),
    'mandarinduck': ('鴛', '#e0784a', '#6e2a10', '#fff0e6'),
    'new-monkey': ('猿', '#c8965a', '#5a3a14', '#fff6e6'),
    'ox': ('丑', '#8a6a4a', '#3a2614', '#f8ead0'),
    'panda': ('熊', '#f4f4f4', '#8a8a8a', '#1a1a1a'),
    'pig': ('豚', '#f4b0b8', '#a8505e', '#fff4f6'),
    'rat': ('鼠', '#a0a0a8', '#44444e', '#f8f8fc'),
    'rooster': ('鶏', '#e8503a', '#7a1a0e', '#fff2d0'),
    'shark': ('鮫', '#6a8aa0', '#1e3446', '#eef6fc'),
    'sheep': ('羊', '#f0ecdc', '#9a947a', '#3a3420'),
    'snake': ('蛇', '#7ab04a', '#2a4a10', '#f4fce8'),
    'tiger': ('虎', '#f0a030', '#7a4a08', '#1e1408'),
}

TILE = """<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <defs>
    <radialGradient id="bg" cx="32" cy="22" r="44" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="{light}"/>
      <stop offset="1" stop-color="{dark}"/>
    </radialGradient>
  </defs>
  <rect x="1" y="1" width="62" height="62" rx="10" ry="10" fill="url(#bg)"/>
  {inner}
  <rect x="1" y="1" width="62" height="62" rx="10" ry="10" fill="none" stroke="#c9b77a" stroke-width="2"/>
</svg>
"""

CHARACTER = ('<text x="32" y="46" font-family="Noto Sans CJK JP, Noto Serif CJK JP, sans-serif" font-size="40" '
             'font-weight="bold" text-anchor="middle" fill="{ink}">{char}</text>')
FIGURE = ('<path d="M 10 63 C 10 46 20 40 32 40 C 44 40 54 46 54 63 Z" fill="{ink}"/>'
          '<circle cx="32" cy="25" r="11" fill="{ink}"/>')


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, (char, light, dark, ink) in ANIMALS.items():
        inner = FIGURE.format(ink=ink) if char is None else CHARACTER.format(ink=ink, char=char)
        with open(os.path.join(out, name + '.svg'), 'w', encoding='utf-8') as f:
            f.write(TILE.format(light=light, dark=dark, inner=inner))


if __name__ == '__main__':
    main()
