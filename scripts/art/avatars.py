"""Default player pictures: a head and shoulders on a rounded tile of one
colour each, 64 x 64, written as SVG for mahjong_tileart to raster.
  python3 avatars.py OUT_DIR"""

import os
import sys

# name: (light, dark, figure)
AVATARS = {
    '1': ('#2f8f6e', '#114c3a', '#f3e9c6'),
    '2': ('#8a7a46', '#4a3f1f', '#f3e9c6'),
    'blue': ('#4f7fc8', '#1d3a6e', '#e8eef8'),
    'brown': ('#8a5a32', '#4a2c14', '#f3e2c6'),
    'brown2': ('#b07a4a', '#6d4022', '#fbeedc'),
    'green': ('#5fae4a', '#1f5a14', '#eef8e8'),
    'purple': ('#9a5fc8', '#4a2270', '#f3e8f8'),
    'red': ('#d2373f', '#6e1f1f', '#f8e8e8'),
    'yellow': ('#e0b22a', '#8a6410', '#fff8e0'),
}

TEMPLATE = """<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <defs>
    <radialGradient id="bg" cx="32" cy="22" r="44" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="{light}"/>
      <stop offset="1" stop-color="{dark}"/>
    </radialGradient>
    <linearGradient id="fig" x1="0" y1="10" x2="0" y2="64" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="{figure}"/>
      <stop offset="1" stop-color="{figure}" stop-opacity="0.8"/>
    </linearGradient>
  </defs>
  <rect x="1" y="1" width="62" height="62" rx="10" ry="10" fill="url(#bg)"/>
  <path d="M 10 63 C 10 46 20 40 32 40 C 44 40 54 46 54 63 Z" fill="url(#fig)"/>
  <circle cx="32" cy="25" r="11" fill="url(#fig)"/>
  <rect x="1" y="1" width="62" height="62" rx="10" ry="10" fill="none" stroke="#c9b77a" stroke-width="2"/>
</svg>
"""


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, (light, dark, figure) in AVATARS.items():
        with open(os.path.join(out, 'avatar-default-%s.svg' % name), 'w') as f:
            f.write(TEMPLATE.format(light=light, dark=dark, figure=figure))


if __name__ == '__main__':
    main()
