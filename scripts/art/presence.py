"""Presence icons of the friends list (16 x 16: a coloured dot with a light
rim, a mark inside for away and not available) and the overlay drawn over
the chosen avatar (64 x 64), written as SVG for mahjong_tileart to raster.
  python3 presence.py OUT_DIR"""

import os
import sys

DOT = """<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">
  <defs>
    <radialGradient id="g" cx="6" cy="5" r="9" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="{light}"/>
      <stop offset="1" stop-color="{dark}"/>
    </radialGradient>
  </defs>
  <circle cx="8" cy="8" r="6.5" fill="url(#g)" stroke="#f4efe0" stroke-width="1.2"/>
  {mark}
</svg>
"""

# name: (light, dark, mark inside the dot)
ICONS = {
    'xmpp_available': ('#7fdc6a', '#2a8a1e', ''),
    'xmpp_away': ('#ffd766', '#c08a10',
                  '<path d="M 8 4.5 L 8 8.3 L 10.5 9.6" fill="none" stroke="#5a3e00" stroke-width="1.3" '
                  'stroke-linecap="round"/>'),
    'xmpp_extended_away': ('#ffb060', '#b0560c',
                           '<path d="M 8 4.5 L 8 8.3 L 10.5 9.6" fill="none" stroke="#4a2200" stroke-width="1.3" '
                           'stroke-linecap="round"/>'),
    'xmpp_not_available': ('#ff7a70', '#a8201a',
                           '<rect x="4.5" y="7.1" width="7" height="1.8" rx="0.6" fill="#fff4f0"/>'),
    'xmpp_unknown': ('#c8c8c8', '#6a6a6a',
                     '<text x="8" y="11.6" font-family="sans-serif" font-size="10" font-weight="bold" '
                     'text-anchor="middle" fill="#ffffff">?</text>'),
}

OVERLAY = """<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <rect x="1.5" y="1.5" width="61" height="61" rx="10" ry="10" fill="#f0c850" fill-opacity="0.18"
        stroke="#f0c850" stroke-width="3"/>
  <circle cx="53" cy="53" r="8" fill="#2a8a1e" stroke="#f4efe0" stroke-width="1.5"/>
  <path d="M 49 53 L 52 56 L 57.5 49.5" fill="none" stroke="#ffffff" stroke-width="2" stroke-linecap="round"
        stroke-linejoin="round"/>
</svg>
"""


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, (light, dark, mark) in ICONS.items():
        with open(os.path.join(out, name + '.svg'), 'w') as f:
            f.write(DOT.format(light=light, dark=dark, mark=mark))
    with open(os.path.join(out, 'avatar-selected.svg'), 'w') as f:
        f.write(OVERLAY)


if __name__ == '__main__':
    main()
