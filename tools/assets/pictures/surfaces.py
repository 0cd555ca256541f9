"""Materials shared by the panels: parchment, stone, bronze frames and the temple emblem."""

import random

from PIL import Image, ImageDraw, ImageFilter

from .colours import BRONZE, BRONZE_DARK, BRONZE_LIGHT, PARCHMENT, ROMAN_RED
from .svg import SvgDrawing


def mottle(size, seed, grain, strength):
    """Smooth random blotches as a grey image around 128: noise at 1/grain of the size, enlarged."""
    width, height = size
    small = (max(2, width // grain), max(2, height // grain))
    noise = Image.frombytes("L", small, random.Random(seed).randbytes(small[0] * small[1]))
    noise = noise.resize(size, Image.BICUBIC).filter(ImageFilter.GaussianBlur(grain / 3))
    return noise.point(lambda v: max(0, min(255, round(128 + (v - 128) * strength))))


def textured(size, colour, seed, grain=24, strength=0.35, fine=0.12):
    """A surface of one colour, darkened and lightened by coarse blotches and a fine grain."""
    width, height = size
    base = Image.new("RGB", size, colour)
    light = Image.new("RGB", size, tuple(min(255, c + 24) for c in colour))
    dark = Image.new("RGB", size, tuple(max(0, c - 30) for c in colour))
    blotches = mottle(size, seed, grain, strength)
    image = Image.composite(light, base, blotches.point(lambda v: max(0, v - 128) * 2))
    image = Image.composite(dark, image, blotches.point(lambda v: max(0, 128 - v) * 2))
    grain_mask = Image.frombytes("L", size, random.Random(seed + 1).randbytes(width * height))
    return Image.composite(dark, image, grain_mask.point(lambda v: round(v * fine)))


def parchment(size, seed):
    return textured(size, PARCHMENT, seed, grain=30, strength=0.5, fine=0.1)


def plain_area(image, box):
    """Paint a rectangle in exactly the glyph strip's background, for text drawn at run time."""
    ImageDraw.Draw(image).rectangle(box, fill=PARCHMENT)


def bevel(draw, box, width, light, dark):
    """A raised border: lit on the top and left, shaded on the bottom and right."""
    x0, y0, x1, y1 = box
    for i in range(width):
        draw.line([(x0 + i, y1 - i), (x0 + i, y0 + i), (x1 - i, y0 + i)], fill=light)
        draw.line([(x1 - i, y0 + i), (x1 - i, y1 - i), (x0 + i, y1 - i)], fill=dark)


def bronze_frame(image, box, width=12):
    """A cast bronze moulding round a box: a bright edge, a darker channel, studs at the corners."""
    draw = ImageDraw.Draw(image)
    x0, y0, x1, y1 = box
    draw.rectangle(box, outline=BRONZE, width=width)
    bevel(draw, box, 3, BRONZE_LIGHT, BRONZE_DARK)
    inner = (x0 + width - 3, y0 + width - 3, x1 - width + 3, y1 - width + 3)
    bevel(draw, inner, 3, BRONZE_DARK, BRONZE_LIGHT)
    middle = width // 2
    draw.rectangle((x0 + middle, y0 + middle, x1 - middle, y1 - middle), outline=BRONZE_DARK)
    for cx, cy in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
        cx += middle if cx == x0 else -middle
        cy += middle if cy == y0 else -middle
        stud(draw, cx, cy, middle + 1)


def stud(draw, cx, cy, r):
    draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=BRONZE_DARK)
    draw.ellipse((cx - r + 1, cy - r + 1, cx + r - 1, cy + r - 1), fill=BRONZE)
    draw.ellipse((cx - r + 2, cy - r + 2, cx, cy), fill=BRONZE_LIGHT)


def temple_front(draw, box, colour, columns=4):
    """A temple seen from the front: steps, columns, architrave and pediment."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    pediment_bottom = y0 + h * 0.32
    draw.polygon([(x0, pediment_bottom), ((x0 + x1) / 2, y0), (x1, pediment_bottom)], fill=colour)
    draw.rectangle((x0 + w * 0.03, pediment_bottom, x1 - w * 0.03, y0 + h * 0.42), fill=colour)
    column_top, column_bottom = y0 + h * 0.46, y0 + h * 0.8
    span = w * 0.84
    for i in range(columns):
        cx = x0 + w * 0.08 + span * (i + 0.5) / columns
        draw.rectangle((cx - w * 0.045, column_top, cx + w * 0.045, column_bottom), fill=colour)
    draw.rectangle((x0 + w * 0.04, y0 + h * 0.84, x1 - w * 0.04, y0 + h * 0.9), fill=colour)
    draw.rectangle((x0, y0 + h * 0.94, x1, y1), fill=colour)


def emblem_shapes(draw, big, columns):
    """The badge's shapes on any drawing with PIL's ellipse, rectangle and polygon calls."""
    draw.ellipse((0, 0, big - 1, big - 1), fill=BRONZE_DARK + (255,))
    rim = big * 0.06
    draw.ellipse((rim, rim, big - 1 - rim, big - 1 - rim), fill=(214, 170, 60, 255))
    inner = big * 0.12
    draw.ellipse((inner, inner, big - 1 - inner, big - 1 - inner), fill=ROMAN_RED + (255,))
    margin = big * 0.25
    temple_front(draw, (margin, margin * 0.95, big - margin, big - margin * 1.05),
                 (236, 196, 90, 255), columns=columns)


def emblem(size):
    """The program's badge: a golden temple front on a red disc with a golden rim, with alpha."""
    scale = 8
    big = size * scale
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    emblem_shapes(ImageDraw.Draw(image), big, columns=4 if size >= 32 else 3)
    return image.resize((size, size), Image.LANCZOS)


def emblem_svg(size):
    """The badge as a scalable picture, drawn like the large bitmaps (four columns)."""
    drawing = SvgDrawing(size)
    emblem_shapes(drawing, size, columns=4)
    return drawing.text()
