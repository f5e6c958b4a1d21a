#!/usr/bin/python3
"""Draws the caption-button strip ui/art/caption_sprite.png (729 x 20, RGBA).

One row of 24 frames: close as three 39-pixel frames at x = 0, 40, 80, then
maximise, restore, minimise, drop-down menu, skin, message and settings as
three 28-pixel frames each at a pitch of 29 from x = 120. The three frames of
a kind are its normal, hover and pressed looks.

Usage: caption_sprite.py OUTPUT.png
"""

import sys

from PIL import Image, ImageDraw

WIDTH, HEIGHT = 729, 20
GLYPH = (255, 255, 255, 235)
PRESSED_GLYPH = (235, 235, 235, 255)
# Backgrounds of the normal, hover and pressed looks.
CLOSE_BACKS = [(0, 0, 0, 0), (224, 67, 67, 230), (160, 40, 40, 240)]
BUTTON_BACKS = [(0, 0, 0, 0), (255, 255, 255, 60), (0, 0, 0, 90)]


def glyph_close(d, cx, cy, colour):
    d.line([(cx - 4, cy - 4), (cx + 4, cy + 4)], fill=colour, width=2)
    d.line([(cx - 4, cy + 4), (cx + 4, cy - 4)], fill=colour, width=2)


def glyph_maximise(d, cx, cy, colour):
    d.rectangle([cx - 5, cy - 4, cx + 5, cy + 4], outline=colour)
    d.line([(cx - 5, cy - 3), (cx + 5, cy - 3)], fill=colour)


def glyph_restore(d, cx, cy, colour):
    d.rectangle([cx - 2, cy - 5, cx + 5, cy + 1], outline=colour)
    d.rectangle([cx - 5, cy - 2, cx + 2, cy + 4], outline=colour, fill=(0, 0, 0, 0))


def glyph_minimise(d, cx, cy, colour):
    d.rectangle([cx - 5, cy + 2, cx + 5, cy + 3], fill=colour)


def glyph_menu(d, cx, cy, colour):
    d.polygon([(cx - 5, cy - 2), (cx + 5, cy - 2), (cx, cy + 3)], fill=colour)


def glyph_skin(d, cx, cy, colour):
    d.polygon([(cx - 6, cy - 3), (cx - 2, cy - 5), (cx + 2, cy - 5), (cx + 6, cy - 3),
               (cx + 4, cy), (cx + 3, cy - 1), (cx + 3, cy + 5), (cx - 3, cy + 5),
               (cx - 3, cy - 1), (cx - 4, cy)], outline=colour)


def glyph_message(d, cx, cy, colour):
    d.rectangle([cx - 6, cy - 4, cx + 6, cy + 4], outline=colour)
    d.line([(cx - 6, cy - 4), (cx, cy + 1), (cx + 6, cy - 4)], fill=colour)


def glyph_settings(d, cx, cy, colour):
    d.ellipse([cx - 5, cy - 5, cx + 5, cy + 5], outline=colour, width=2)
    d.ellipse([cx - 1, cy - 1, cx + 1, cy + 1], fill=colour)


KINDS = [glyph_maximise, glyph_restore, glyph_minimise, glyph_menu, glyph_skin,
         glyph_message, glyph_settings]


def draw_frame(d, x, width, back, glyph, look):
    if back[3]:
        d.rectangle([x, 0, x + width - 1, HEIGHT - 2], fill=back)
    offset = 1 if look == 2 else 0
    colour = PRESSED_GLYPH if look == 2 else GLYPH
    glyph(d, x + width // 2 + offset, 9 + offset, colour)


def main():
    image = Image.new("RGBA", (WIDTH, HEIGHT), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    for look in range(3):
        draw_frame(d, look * 40, 39, CLOSE_BACKS[look], glyph_close, look)
    for kind, glyph in enumerate(KINDS):
        for look in range(3):
            draw_frame(d, 120 + (kind * 3 + look) * 29, 28, BUTTON_BACKS[look], glyph, look)
    image.save(sys.argv[1], optimize=True)


if __name__ == "__main__":
    main()
