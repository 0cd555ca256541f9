"""The screens and panels: loading screen, dialogue and closing panels, bottom plaque, About
picture, and the plan of the forum that is loaded but never shown."""

import math

from PIL import Image, ImageDraw

from .colours import BRONZE, BRONZE_DARK, INK, PARCHMENT, ROMAN_RED, STONE
from .lettering import BOLD, ITALIC, ROMAN, draw_centred, font, gilded_text, vertical_gradient
from .surfaces import (bevel, bronze_frame, parchment, plain_area, stud, temple_front,
                       textured)

GOLD_TOP = (252, 226, 140)
GOLD_BOTTOM = (176, 112, 34)
DUSK_TOP = (34, 40, 78)
DUSK_LOW = (222, 138, 72)
SILHOUETTE = (44, 30, 40)

# Where the program writes at run time, in each picture's own coordinates (left, top, right,
# bottom, inclusive). These rectangles hold nothing but the glyph strip's background colour.
LOADING_TEXT_AREA = (200, 290, 800, 330)
DIALOGUE_TEXT_AREA = (20, 25, 480, 275)


def dusk_city(size):
    """An evening sky over the silhouettes of a temple, columns and a triumphal arch."""
    width, height = size
    image = vertical_gradient(size, 0, int(height * 0.72), DUSK_TOP, DUSK_LOW)
    draw = ImageDraw.Draw(image)
    ground = int(height * 0.9)
    temple_front(draw, (90, ground - 250, 330, ground), SILHOUETTE, columns=6)
    triple_arch(draw, (640, ground - 200, 900, ground))
    for x in (380, 430, 560, 950):
        column(draw, x, ground - 230 + (x % 3) * 20, ground)
    draw.rectangle((0, ground, width, height), fill=SILHOUETTE)
    return image


def triple_arch(draw, box):
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    draw.rectangle((x0, y0, x1, y1), fill=SILHOUETTE)
    sky_hole = (96, 74, 96)
    for centre, half, top in ((0.5, 0.13, 0.42), (0.18, 0.07, 0.62), (0.82, 0.07, 0.62)):
        cx = x0 + w * centre
        r = w * half
        arch_top = y0 + h * top
        draw.rectangle((cx - r, arch_top, cx + r, y1), fill=sky_hole)
        draw.ellipse((cx - r, arch_top - r, cx + r, arch_top + r), fill=sky_hole)
    draw.rectangle((x0 - 6, y0 - 8, x1 + 6, y0 + 6), fill=SILHOUETTE)


def column(draw, x, top, bottom, radius=11):
    draw.rectangle((x - radius, top, x + radius, bottom), fill=SILHOUETTE)
    draw.rectangle((x - radius - 5, top - 8, x + radius + 5, top), fill=SILHOUETTE)


def loading_screen():
    """Bitmap 12: the title over the city at dusk and a tablet for the progress messages."""
    image = dusk_city((1000, 400))
    gilded_text(image, (500, 92), "VELMORA", font(BOLD, 104), GOLD_TOP, GOLD_BOTTOM, (60, 30, 10))
    draw_centred(image, (500, 170), "The Forum of Rome, in the reign of Septimius Severus",
                 font(ITALIC, 26), (250, 232, 200), shadow=(30, 20, 30), depth=2)
    tablet = (176, 276, 824, 344)
    bronze_frame(image, tablet, width=10)
    plain_area(image, (tablet[0] + 10, tablet[1] + 10, tablet[2] - 10, tablet[3] - 10))
    return image


def dialogue_panel():
    """Bitmap 13: a parchment sheet in a bronze frame; the menu is written on it at run time."""
    image = Image.new("RGB", (500, 300), PARCHMENT)
    bronze_frame(image, (0, 0, 499, 299), width=14)
    plain_area(image, (15, 15, 484, 284))
    draw = ImageDraw.Draw(image)
    draw.rectangle((16, 18, 483, 281), outline=shade_line())
    return image


def shade_line():
    return tuple(round(c * 0.72) for c in PARCHMENT)


def closing_panel():
    """Bitmap 16: the farewell, lettered in ink on parchment in a bronze frame."""
    image = parchment((504, 248), seed=16)
    bronze_frame(image, (0, 0, 503, 247), width=14)
    draw_centred(image, (252, 62), "VALE, VISITOR", font(BOLD, 50), INK, light=(250, 240, 214))
    laurel_rule(image, 252, 104, 150)
    draw_centred(image, (252, 138), "Thank you for walking the forum with us.", font(ITALIC, 23),
                 INK)
    draw_centred(image, (252, 170), "The senate and the people of Rome salute you.",
                 font(ITALIC, 20), (110, 70, 44))
    draw_centred(image, (252, 210), "S \u00b7 P \u00b7 Q \u00b7 R", font(BOLD, 24), ROMAN_RED)
    return image


def laurel_rule(image, cx, y, half):
    """A line with small laurel leaves along it, as a divider."""
    draw = ImageDraw.Draw(image)
    leaf = (92, 110, 50)
    draw.line([(cx - half, y), (cx + half, y)], fill=BRONZE_DARK, width=2)
    for i in range(-6, 7):
        if i == 0:
            continue
        x = cx + i * half / 7
        lean = 1 if i > 0 else -1
        draw.polygon([(x, y), (x - lean * 9, y - 6), (x - lean * 4, y - 1)], fill=leaf)
        draw.polygon([(x, y), (x - lean * 9, y + 6), (x - lean * 4, y + 1)], fill=leaf)
    draw.ellipse((cx - 5, y - 5, cx + 5, y + 5), fill=ROMAN_RED)


def bottom_panel():
    """Bitmap 15: a carved travertine plaque with the name and the keys, on the black window."""
    image = Image.new("RGB", (834, 265), (0, 0, 0))
    stone = textured((814, 245), STONE, seed=15, grain=18, strength=0.45, fine=0.18)
    image.paste(stone, (10, 10))
    draw = ImageDraw.Draw(image)
    bevel(draw, (10, 10, 823, 254), 6, (236, 230, 214), (110, 102, 90))
    draw.rectangle((30, 30, 803, 234), outline=(150, 140, 124), width=2)
    for x, y in ((24, 24), (809, 24), (24, 240), (809, 240)):
        stud(draw, x, y, 8)
    carved = (126, 26, 20)
    draw_centred(image, (417, 100), "VELMORA", font(BOLD, 96), carved,
                 shadow=(96, 88, 76), light=(240, 236, 224), depth=2)
    draw_centred(image, (417, 165), "A WALK THROUGH THE FORUM OF ROME", font(ROMAN, 24),
                 (70, 60, 50), shadow=(120, 112, 100), light=(236, 230, 216))
    draw_centred(image, (417, 205), "Arrows: walk and turn  \u00b7  1 2 3: ask  \u00b7  Esc: done",
                 font(ITALIC, 22), (70, 60, 50), light=(236, 230, 216))
    return image


def about_picture():
    """Bitmap 20: the title and a line about the walk over the city at dusk."""
    wide = dusk_city((1000, 400)).resize((875, 350), Image.LANCZOS)
    image = wide.crop((118, 0, 758, 350))
    shade = Image.new("RGB", image.size, (20, 12, 20))
    image = Image.blend(image, shade, 0.25)
    bronze_frame(image, (0, 0, 639, 349), width=12)
    gilded_text(image, (320, 100), "VELMORA", font(BOLD, 92), GOLD_TOP, GOLD_BOTTOM, (60, 30, 10))
    draw_centred(image, (320, 178), "A walk through the forum, Rome, about 205 AD",
                 font(ITALIC, 24), (250, 234, 204), shadow=(20, 12, 20), depth=2)
    draw_centred(image, (320, 214), "S \u00b7 P \u00b7 Q \u00b7 R", font(BOLD, 22), GOLD_TOP,
                 shadow=(20, 12, 20), depth=2)
    return image


def forum_plan():
    """Bitmap 11: a plan of the forum inked on parchment, with a title and a compass."""
    image = parchment((587, 354), seed=11)
    bronze_frame(image, (0, 0, 586, 353), width=10)
    draw = ImageDraw.Draw(image)
    square = (150, 110, 450, 250)
    draw.rectangle(square, outline=INK, width=2)
    for x in range(square[0] + 20, square[2], 20):
        draw.line([(x, square[1] + 2), (x, square[3] - 2)], fill=(200, 184, 150))
    plan_building(draw, (200, 50, 300, 100), "TEMPLVM", columns=6)
    plan_building(draw, (330, 50, 430, 100), "CVRIA", columns=0)
    plan_building(draw, (150, 268, 450, 318), "BASILICA", columns=12)
    plan_building(draw, (470, 130, 550, 230), "ARCVS", columns=0)
    plan_building(draw, (50, 140, 120, 210), "", columns=0, round_=True)
    draw_centred(image, (85, 225), "AEDES VESTAE", font(ROMAN, 12), INK)
    draw.line([(20, 259), (566, 259)], fill=ROMAN_RED, width=3)
    draw_centred(image, (300, 180), "FORVM ROMANVM", font(BOLD, 26), INK)
    draw_centred(image, (70, 249), "VIA SACRA", font(ITALIC, 13), ROMAN_RED)
    compass(draw, (530, 300), 26)
    return image


def plan_building(draw, box, name, columns, round_=False):
    x0, y0, x1, y1 = box
    if round_:
        draw.ellipse(box, outline=INK, width=2, fill=(222, 204, 166))
    else:
        draw.rectangle(box, outline=INK, width=2, fill=(222, 204, 166))
    for i in range(columns):
        x = x0 + (x1 - x0) * (i + 0.5) / columns
        draw.ellipse((x - 2, y0 + 5, x + 2, y0 + 9), fill=INK)
    draw.text(((x0 + x1) / 2, (y0 + y1) / 2 + 3), name, fill=INK, font=font(ROMAN, 12),
              anchor="mm")


def compass(draw, centre, r):
    cx, cy = centre
    for angle, colour in ((0, ROMAN_RED), (90, INK), (180, INK), (270, INK)):
        a = math.radians(angle - 90)
        tip = (cx + r * math.cos(a), cy + r * math.sin(a))
        side = r * 0.22
        left = (cx + side * math.cos(a - math.pi / 2), cy + side * math.sin(a - math.pi / 2))
        right = (cx + side * math.cos(a + math.pi / 2), cy + side * math.sin(a + math.pi / 2))
        draw.polygon([tip, left, centre, right], fill=colour)
    draw.text((cx, cy - r - 8), "N", fill=ROMAN_RED, font=font(BOLD, 12), anchor="mm")
    draw.ellipse((cx - 3, cy - 3, cx + 3, cy + 3), fill=BRONZE)
