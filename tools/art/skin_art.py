#!/usr/bin/env python3
"""Draws the player's skin: the 30 pack items, the program icon and a
contact sheet for checking them by eye.

    skin_art.py OUT_DIR

writes OUT_DIR/item01.png .. item30.png (8-bit RGBA), OUT_DIR/LanxiFM.ico
(32-bit images of 64, 32, 24 and 16 pixels) and OUT_DIR/contact-sheet.png.

The buttons are drawn over the main window, which is black at alpha 220, so
the glyphs are light and soft-edged: every shape is drawn at eight times its
size and scaled down. Hover adds a cool glow, pressed a filled disc and a
one-pixel shift. Needs Debian's python3-pil and fonts-wqy-zenhei.
"""

import math
import struct
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SCALE = 8
WHITE = (255, 255, 255)
GLOW = (120, 205, 255)
CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
# The main window (black at alpha 220) over the test desktop's #3070a0.
WINDOW_BACKGROUND = (7, 15, 22)


def canvas(width, height):
    return Image.new("RGBA", (width * SCALE, height * SCALE), (0, 0, 0, 0))


def mask(width, height):
    return Image.new("L", (width * SCALE, height * SCALE), 0)


def s(*values):
    """Scales pixel coordinates to the drawing canvas."""
    return [v * SCALE for v in values]


def fill(shape_mask, colour, alpha):
    """A layer of one colour whose alpha is the mask scaled by alpha/255."""
    layer = Image.new("RGBA", shape_mask.size, colour + (0,))
    layer.putalpha(shape_mask.point(lambda v: v * alpha // 255))
    return layer


def glow(shape_mask, radius, alpha):
    blurred = shape_mask.filter(ImageFilter.GaussianBlur(radius * SCALE))
    return fill(blurred, GLOW, alpha)


def shifted(shape_mask, dx, dy):
    return ImageChops.offset(shape_mask, round(dx * SCALE), round(dy * SCALE))


def finish(image, width, height):
    return image.resize((width, height), Image.LANCZOS)


def compose(width, height, layers):
    image = canvas(width, height)
    for layer in layers:
        image.alpha_composite(layer)
    return finish(image, width, height)


# --- glyphs, as masks on a 45 x 45 (or their own) grid ------------------------


def rounded_polygon(draw, points, corner):
    """A filled polygon whose corners are rounded by a stroke of `corner`."""
    scaled = [(x * SCALE, y * SCALE) for x, y in points]
    draw.polygon(scaled, fill=255)
    draw.line(scaled + [scaled[0]], fill=255, width=round(corner * SCALE), joint="curve")
    for x, y in scaled:
        r = corner * SCALE / 2
        draw.ellipse([x - r, y - r, x + r, y + r], fill=255)


def play_glyph():
    m = mask(45, 45)
    # Moved right of centre so the triangle looks centred.
    rounded_polygon(ImageDraw.Draw(m), [(18.5, 15.0), (18.5, 30.0), (30.5, 22.5)], 2.0)
    return m


def pause_glyph():
    m = mask(45, 45)
    d = ImageDraw.Draw(m)
    for left in (16.5, 24.5):
        d.rounded_rectangle(s(left, 15.0, left + 4.0, 30.0), radius=1.4 * SCALE, fill=255)
    return m


def next_glyph():
    m = mask(45, 45)
    d = ImageDraw.Draw(m)
    rounded_polygon(d, [(16.5, 16.0), (16.5, 29.0), (26.0, 22.5)], 1.8)
    d.rounded_rectangle(s(26.5, 15.5, 29.5, 29.5), radius=1.2 * SCALE, fill=255)
    return m


def previous_glyph():
    return next_glyph().transpose(Image.FLIP_LEFT_RIGHT)


def ring(width_px):
    m = mask(45, 45)
    ImageDraw.Draw(m).ellipse(s(3.5, 3.5, 41.5, 41.5), outline=255, width=round(width_px * SCALE))
    return m


def disc():
    m = mask(45, 45)
    ImageDraw.Draw(m).ellipse(s(3.5, 3.5, 41.5, 41.5), fill=255)
    return m


def round_button(glyph, state):
    if state == "normal":
        return compose(45, 45, [fill(ring(1.4), WHITE, 150), fill(glyph, WHITE, 215)])
    if state == "hover":
        outline = ring(1.6)
        return compose(45, 45, [
            glow(outline, 1.6, 150),
            fill(disc(), WHITE, 22),
            fill(outline, WHITE, 240),
            glow(glyph, 1.2, 120),
            fill(glyph, WHITE, 255),
        ])
    pressed_glyph = shifted(glyph, 0, 1)
    return compose(45, 45, [
        fill(disc(), WHITE, 52),
        fill(ring(1.8), WHITE, 255),
        fill(pressed_glyph, WHITE, 235),
    ])


def speaker_glyph():
    # Kept to the left 19 pixels: the button is 22 wide and the volume
    # slider covers its right end.
    m = mask(26, 22)
    d = ImageDraw.Draw(m)
    d.rounded_rectangle(s(1.5, 8.0, 6.5, 14.0), radius=0.8 * SCALE, fill=255)
    rounded_polygon(d, [(6.0, 8.0), (10.5, 4.0), (10.5, 18.0), (6.0, 14.0)], 1.0)
    for radius in (4.5, 8.0):
        box = s(10.5 - radius, 11 - radius, 10.5 + radius, 11 + radius)
        d.arc(box, -50, 50, fill=255, width=round(1.6 * SCALE))
    return m


def magnifier_glyph():
    m = mask(31, 27)
    d = ImageDraw.Draw(m)
    d.ellipse(s(6.0, 4.5, 20.0, 18.5), outline=255, width=round(2.0 * SCALE))
    d.line(s(18.0, 16.5, 24.5, 23.0), fill=255, width=round(3.0 * SCALE))
    r = 1.5 * SCALE
    for x, y in ((18.0, 16.5), (24.5, 23.0)):
        d.ellipse([x * SCALE - r, y * SCALE - r, x * SCALE + r, y * SCALE + r], fill=255)
    return m


def small_button(glyph, width, height, state):
    if state == "normal":
        return compose(width, height, [fill(glyph, WHITE, 200)])
    if state == "hover":
        return compose(width, height, [glow(glyph, 1.3, 190), fill(glyph, WHITE, 255)])
    return compose(width, height, [fill(shifted(glyph, 0, 1), WHITE, 165)])


# --- captions -----------------------------------------------------------------


def text_mask(width, height, text, size, left=None):
    """The text in the CJK font, centred vertically (and horizontally unless
    a left edge is given)."""
    m = mask(width, height)
    d = ImageDraw.Draw(m)
    font = ImageFont.truetype(CJK_FONT, size * SCALE)
    x0, y0, x1, y1 = d.textbbox((0, 0), text, font=font)
    x = (width * SCALE - (x1 - x0)) / 2 - x0 if left is None else left * SCALE - x0
    y = (height * SCALE - (y1 - y0)) / 2 - y0
    d.text((x, y), text, font=font, fill=255)
    return m


def tab_caption(text, glowing):
    label = text_mask(95, 35, text, 15)
    if not glowing:
        return compose(95, 35, [fill(label, WHITE, 170)])
    underline = mask(95, 35)
    ImageDraw.Draw(underline).rounded_rectangle(s(35.5, 30.0, 59.5, 32.0), radius=SCALE,
                                                fill=255)
    return compose(95, 35, [
        glow(label, 2.2, 210),
        fill(label, WHITE, 255),
        glow(underline, 1.5, 200),
        fill(underline, WHITE, 235),
    ])


def heading_arrow(down):
    m = mask(282, 30)
    points = [(9.5, 11.5), (17.5, 11.5), (13.5, 17.5)] if down else \
        [(11.0, 11.0), (11.0, 19.0), (16.5, 15.0)]
    rounded_polygon(ImageDraw.Draw(m), points, 1.2)
    return m


def list_heading(text, state):
    label = text_mask(282, 30, text, 14, left=24)
    arrow = heading_arrow(state == "down")
    rule = mask(282, 30)
    ImageDraw.Draw(rule).rectangle(s(8, 29, 274, 30), fill=255)
    if state == "right":
        return compose(282, 30, [fill(rule, WHITE, 36), fill(arrow, WHITE, 170),
                                 fill(label, WHITE, 200)])
    if state == "glowing":
        return compose(282, 30, [
            fill(rule, WHITE, 70),
            glow(arrow, 1.5, 200),
            glow(label, 2.0, 190),
            fill(arrow, WHITE, 255),
            fill(label, WHITE, 255),
        ])
    return compose(282, 30, [fill(rule, WHITE, 60), fill(arrow, WHITE, 235),
                             fill(label, WHITE, 255)])


# --- the pack's items in item order ---------------------------------------------

ROUND_STATES = ("normal", "hover", "pressed")


def items():
    result = []
    for glyph in (play_glyph(), previous_glyph(), next_glyph()):
        result += [round_button(glyph, state) for state in ROUND_STATES]
    for caption in ("我的音乐", "搜索", "音乐电台"):
        result += [tab_caption(caption, False), tab_caption(caption, True)]
    result += [small_button(speaker_glyph(), 26, 22, state) for state in ROUND_STATES]
    for heading in ("家族战歌", "最近播放"):
        result += [list_heading(heading, state) for state in ("right", "glowing", "down")]
    result += [small_button(magnifier_glyph(), 31, 27, state) for state in ROUND_STATES]
    result += [round_button(pause_glyph(), state) for state in ROUND_STATES]
    return result


# --- program icon ---------------------------------------------------------------


def icon_image(size):
    """A rounded tile in a stream's blues with a broadcast mark and a wave.
    The small sizes drop the outer arcs so the mark stays readable."""
    unit = size / 64
    image = Image.new("RGBA", (size * SCALE, size * SCALE), (0, 0, 0, 0))
    tile = Image.new("L", image.size, 0)
    ImageDraw.Draw(tile).rounded_rectangle(
        [unit * 2 * SCALE, unit * 2 * SCALE, (size - unit * 2) * SCALE, (size - unit * 2) * SCALE],
        radius=unit * 14 * SCALE, fill=255)
    gradient = Image.new("RGBA", image.size)
    top, bottom = (40, 196, 214), (28, 84, 196)
    gd = ImageDraw.Draw(gradient)
    for y in range(image.size[1]):
        t = y / (image.size[1] - 1)
        gd.line([(0, y), (image.size[0], y)],
                fill=tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,))
    gradient.putalpha(tile)
    image.alpha_composite(gradient)

    mark = Image.new("L", image.size, 0)
    d = ImageDraw.Draw(mark)
    cx, cy = 32 * unit * SCALE, 27 * unit * SCALE
    r = 5 * unit * SCALE
    d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=255)
    stroke = max(round(4 * unit * SCALE), round(1.3 * SCALE))
    radii = (12, 21) if size >= 32 else (13,)
    for radius in radii:
        rr = radius * unit * SCALE
        box = [cx - rr, cy - rr, cx + rr, cy + rr]
        d.arc(box, 140, 220, fill=255, width=stroke)
        d.arc(box, -40, 40, fill=255, width=stroke)
    wave = []
    steps = 48
    for i in range(steps + 1):
        x = 13 + 38 * i / steps
        y = 49 + 3.2 * math.sin((x - 13) / 38 * 2 * math.pi)
        wave.append((x * unit * SCALE, y * unit * SCALE))
    d.line(wave, fill=255, width=stroke, joint="curve")
    for x, y in (wave[0], wave[-1]):
        rr = stroke / 2
        d.ellipse([x - rr, y - rr, x + rr, y + rr], fill=255)
    image.alpha_composite(fill(mark, WHITE, 250))
    return image.resize((size, size), Image.LANCZOS)


def write_ico(path, images):
    """A standard ICO of 32-bit BGRA bitmaps, each with its AND mask."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for image in images:
        width, height = image.size
        header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        pixels = bytearray()
        mask_row_bytes = ((width + 31) // 32) * 4
        and_mask = bytearray()
        for y in reversed(range(height)):
            row_mask = bytearray(mask_row_bytes)
            for x in range(width):
                r, g, b, a = image.getpixel((x, y))
                pixels += bytes((b, g, r, a))
                if a == 0:
                    row_mask[x // 8] |= 0x80 >> (x % 8)
            and_mask += row_mask
        blob = header + bytes(pixels) + bytes(and_mask)
        entries.append(struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                                   len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    path.write_bytes(struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) +
                     b"".join(blobs))


# --- contact sheet ----------------------------------------------------------------


def contact_sheet(item_images, icons):
    zoom = 2
    label_font = ImageFont.truetype(CJK_FONT, 12)
    rows = [list(range(0, 9)), list(range(27, 30)) + list(range(15, 18)) + list(range(24, 27)),
            list(range(9, 15)), list(range(18, 21)), list(range(21, 24))]
    cell_gap, label_height, margin = 14, 16, 16
    row_heights = [max(item_images[i].size[1] for i in row) * zoom + label_height for row in rows]
    row_widths = [sum(item_images[i].size[0] * zoom + cell_gap for i in row) for row in rows]
    icon_row_height = 64 * zoom + label_height
    icon_row_width = sum(size * zoom + cell_gap for size in (64, 32, 24, 16))
    width = margin * 2 + max(row_widths + [icon_row_width])
    height = margin * 2 + sum(h + cell_gap for h in row_heights) + icon_row_height
    sheet = Image.new("RGBA", (width, height), WINDOW_BACKGROUND + (255,))
    draw = ImageDraw.Draw(sheet)
    y = margin
    for row, row_height in zip(rows, row_heights):
        x = margin
        for index in row:
            item = item_images[index]
            w, h = item.size
            sheet.alpha_composite(item.resize((w * zoom, h * zoom), Image.NEAREST), (x, y))
            draw.text((x, y + h * zoom + 2), f"{index + 1}", font=label_font,
                      fill=(150, 170, 185, 255))
            x += w * zoom + cell_gap
        y += row_height + cell_gap
    x = margin
    for icon in icons:
        size = icon.size[0]
        sheet.alpha_composite(icon.resize((size * zoom, size * zoom), Image.NEAREST), (x, y))
        draw.text((x, y + size * zoom + 2), f"icon {size}", font=label_font,
                  fill=(150, 170, 185, 255))
        x += size * zoom + cell_gap
    return sheet


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    item_images = items()
    for number, image in enumerate(item_images, start=1):
        image.save(out / f"item{number:02d}.png", optimize=True)
    icons = [icon_image(size) for size in (64, 32, 24, 16)]
    write_ico(out / "LanxiFM.ico", icons)
    contact_sheet(item_images, icons).save(out / "contact-sheet.png")


if __name__ == "__main__":
    main()
