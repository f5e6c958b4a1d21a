#!/usr/bin/python3
"""Draws the slider's built-in thumbs ui/art/thumb_normal.png and
ui/art/thumb_hover.png (14 x 14, RGBA).

Each is a round knob 10 pixels across whose bounding square starts at (2, 2),
with a darker rim and a soft shadow reaching 2 pixels below and right of it.

Usage: slider_thumbs.py OUTPUT_FOLDER
"""

import os
import sys

from PIL import Image, ImageDraw, ImageFilter

SIZE = 14
SCALE = 8  # drawn large, then reduced, for smooth edges
KNOB = (2, 2, 12, 12)
LOOKS = {
    "thumb_normal.png": ((240, 246, 252, 255), (120, 140, 170, 255)),
    "thumb_hover.png": ((190, 225, 255, 255), (30, 120, 220, 255)),
}


def scaled(box, offset=0):
    return [(v + offset) * SCALE for v in box]


def thumb(fill, rim):
    big = SIZE * SCALE
    shadow = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    ImageDraw.Draw(shadow).ellipse(scaled(KNOB, 1), fill=(0, 0, 0, 110))
    shadow = shadow.filter(ImageFilter.GaussianBlur(SCALE * 0.6))
    knob = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(knob)
    draw.ellipse(scaled(KNOB), fill=rim)
    inner = (KNOB[0] + 1, KNOB[1] + 1, KNOB[2] - 1, KNOB[3] - 1)
    draw.ellipse(scaled(inner), fill=fill)
    image = Image.alpha_composite(shadow, knob)
    return image.resize((SIZE, SIZE), Image.LANCZOS)


def main():
    folder = sys.argv[1]
    for name, (fill, rim) in LOOKS.items():
        thumb(fill, rim).save(os.path.join(folder, name), optimize=True)


if __name__ == "__main__":
    main()
