#!/usr/bin/env python3
"""Draws the indicators, arrows and message-box icons of the style sheet.

    scripts/art/controls.py [OUT_DIR]      (default: resources/controls)

Checked boxes and radio buttons are filled gold with a dark mark, unchecked
ones are dark with a gold rim, so the state reads at a glance on the dark
pages and on light ones alike. Colours are those of the house palette.
"""

import os
import sys

GOLD = "#c9b77a"
GOLD_LIGHT = "#e6d49a"
CREAM = "#f3e9c6"
DARK = "#06261d"
INK = "#1d1d1d"
OFF_RIM = "#66705f"
OFF_FILL = "#1f3a31"
OFF_MARK = "#3a3a32"
OFF_GOLD = "#7d7656"

# (rim, fill, mark) per state of an indicator
STATES = {
    "": (GOLD, DARK, INK),
    "-hover": (CREAM, "#0d4a38", INK),
    "-disabled": (OFF_RIM, OFF_FILL, OFF_MARK),
}
CHECKED_FILL = {"": GOLD, "-hover": GOLD_LIGHT, "-disabled": OFF_GOLD}


def svg(size, body):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n%s</svg>\n'
            % (size, size, size, size, body))


def box(rim, fill):
    return ('  <rect x="1.5" y="1.5" width="15" height="15" rx="3" ry="3" fill="%s" stroke="%s" '
            'stroke-width="1.5"/>\n' % (fill, rim))


def tick(colour):
    return ('  <path d="M4.6 9.3 L7.6 12.3 L13.6 5.6" fill="none" stroke="%s" stroke-width="2.4" '
            'stroke-linecap="round" stroke-linejoin="round"/>\n' % colour)


def bar(colour):
    return '  <rect x="4.5" y="7.8" width="9" height="2.4" rx="1" fill="%s"/>\n' % colour


def ring(rim, fill):
    return '  <circle cx="9" cy="9" r="7.25" fill="%s" stroke="%s" stroke-width="1.5"/>\n' % (fill, rim)


def dot(colour):
    return '  <circle cx="9" cy="9" r="3.2" fill="%s"/>\n' % colour


def chevron(points, colour):
    return ('  <polyline points="%s" fill="none" stroke="%s" stroke-width="1.8" stroke-linecap="round" '
            'stroke-linejoin="round"/>\n' % (points, colour))


RED = "#6e1f1f"


def message_icons():
    """The message boxes' icons, 48 px, for the dark dialogs."""
    disc = '  <circle cx="24" cy="24" r="21" fill="%s" stroke="%s" stroke-width="2"/>\n'
    yield "icon-information.svg", svg(48, disc % (GOLD, GOLD_LIGHT)
                                      + '  <circle cx="24" cy="13.5" r="3.4" fill="%s"/>\n' % INK
                                      + '  <rect x="20.8" y="20" width="6.4" height="17" rx="2" fill="%s"/>\n' % INK)
    yield "icon-question.svg", svg(48, disc % (GOLD, GOLD_LIGHT)
                                   + '  <path d="M17 18.5 A7 7 0 1 1 27.6 24.6 C25.4 25.8 24 27.2 24 29.6 V30.6" '
                                     'fill="none" stroke="%s" stroke-width="4.6" stroke-linecap="round"/>\n' % INK
                                   + '  <circle cx="24" cy="37.4" r="3" fill="%s"/>\n' % INK)
    yield "icon-warning.svg", svg(48, '  <path d="M24 4.5 L45 41.5 H3 Z" fill="%s" stroke="%s" stroke-width="2.5" '
                                      'stroke-linejoin="round"/>\n' % (GOLD, GOLD_LIGHT)
                                  + '  <rect x="21" y="16" width="6" height="14" rx="2" fill="%s"/>\n' % INK
                                  + '  <circle cx="24" cy="35.5" r="3.1" fill="%s"/>\n' % INK)
    yield "icon-critical.svg", svg(48, disc % (RED, GOLD)
                                   + '  <path d="M16.5 16.5 L31.5 31.5 M31.5 16.5 L16.5 31.5" stroke="%s" '
                                     'stroke-width="4.6" stroke-linecap="round"/>\n' % CREAM)


def drawings():
    for suffix, (rim, fill, mark) in STATES.items():
        gold = CHECKED_FILL[suffix]
        yield "checkbox-unchecked%s.svg" % suffix, svg(18, box(rim, fill))
        yield "checkbox-checked%s.svg" % suffix, svg(18, box(rim if suffix else gold, gold) + tick(mark))
        yield "checkbox-partial%s.svg" % suffix, svg(18, box(rim, fill) + bar(gold))
        yield "radio-unchecked%s.svg" % suffix, svg(18, ring(rim, fill))
        yield "radio-checked%s.svg" % suffix, svg(18, ring(rim if suffix else gold, gold) + dot(mark))
    for name, colour in (("", CREAM), ("-disabled", OFF_RIM)):
        yield "arrow-down%s.svg" % name, svg(12, chevron("2.5,4.5 6,8 9.5,4.5", colour))
        yield "arrow-up%s.svg" % name, svg(12, chevron("2.5,7.5 6,4 9.5,7.5", colour))
    yield from message_icons()


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "controls")
    os.makedirs(out, exist_ok=True)
    for name, text in drawings():
        with open(os.path.join(out, name), "w") as f:
            f.write(text)
    print("controls written to %s" % out)


if __name__ == "__main__":
    main()
