"""The six people of the square, each drawn into a SpriteCanvas of its bitmap's size."""

import math

from .body import (LEATHER, SKIN_LIGHT, SKIN_OLIVE, SKIN_TANNED, arm, face, folds, hand,
                   head_cloth, legs, neck, sandals, shade, shoes, short_hair, tones)
from .canvas import SpriteCanvas
from .colours import BRONZE, BRONZE_DARK, BRONZE_LIGHT, ROMAN_RED

TUNIC_RED = (168, 36, 30)
CLOAK_RED = (178, 30, 28)
STEEL = (150, 156, 162)
GOLD = (214, 170, 60)
OFF_WHITE = (244, 240, 228)
PURPLE = (92, 30, 82)
DARK_HAIR = (58, 40, 30)


def cloak_behind(c, colour, bottom=0.78, width=0.142):
    """A cloak hanging from both shoulders, seen past the body's sides."""
    light, base, dark, deep = tones(colour)
    c.poly([(-0.1, 0.18), (0.1, 0.18), (width * 0.93, 0.45), (width, bottom),
            (-width, bottom), (-width * 0.93, 0.45)], dark)
    c.poly([(-0.1, 0.18), (-0.06, 0.2), (-width * 0.8, bottom), (-width, bottom),
            (-width * 0.93, 0.45)], base)
    folds(c, [[(-0.12, 0.3), (-0.128, bottom)], [(0.12, 0.3), (0.13, bottom)]], deep, 0.005)


def tunic_skirt(c, colour, top=0.4, hem=0.66, half_width=0.082):
    light, base, dark, deep = tones(colour)
    c.poly([(-0.07, top), (0.07, top), (half_width, hem), (-half_width, hem)], base)
    c.poly([(0.02, top), (0.07, top), (half_width, hem), (0.03, hem)], dark)
    folds(c, [[(-0.03, top + 0.08), (-0.045, hem)], [(0.01, top + 0.08), (0.012, hem)],
              [(0.05, top + 0.1), (0.06, hem)]], deep)


def belt(c, y, colour=LEATHER, studs=BRONZE_LIGHT, half_width=0.075):
    c.poly([(-half_width, y), (half_width, y), (half_width, y + 0.022),
            (-half_width, y + 0.022)], colour)
    for i in range(-3, 4):
        c.ellipse(i * half_width / 3.6, y + 0.011, 0.006, 0.006, studs)


def mail_shirt(c, bottom=0.56):
    """A mail shirt to the hips, its rings suggested by rows of dark flecks."""
    light, base, dark, deep = tones(STEEL)
    c.poly([(-0.105, 0.19), (0.105, 0.19), (0.088, 0.4), (0.092, bottom), (-0.092, bottom),
            (-0.088, 0.4)], base)
    c.poly([(0.03, 0.19), (0.105, 0.19), (0.088, 0.4), (0.092, bottom), (0.04, bottom)], dark)
    y = 0.205
    row = 0
    while y < bottom - 0.01:
        for i in range(-9, 10):
            x = i * 0.01 + (0.005 if row % 2 else 0)
            c.ellipse(x, y, 0.0025, 0.0016, deep)
        y += 0.011
        row += 1


def phalerae(c):
    """The centurion's decorations: a leather harness with nine gilt discs."""
    for x in (-0.04, 0.04):
        c.line([(x, 0.2), (x, 0.37)], LEATHER, 0.008)
    for row in range(3):
        for col in (-1, 0, 1):
            x, y = col * 0.04, 0.245 + row * 0.047
            c.ellipse(x, y, 0.017, 0.019, BRONZE_DARK)
            c.ellipse(x, y, 0.014, 0.016, GOLD)
            c.ellipse(x - 0.004, y - 0.005, 0.005, 0.005, shade(GOLD, 1.3))


def pteruges(c, top=0.5, bottom=0.62):
    """Leather strips hanging from the belt over the tunic."""
    for i in range(-4, 5):
        x = i * 0.019
        colour = LEATHER if i % 2 else shade(LEATHER, 0.8)
        c.poly([(x - 0.009, top), (x + 0.009, top), (x + 0.009, bottom), (x - 0.009, bottom)],
               colour)
        c.ellipse(x, bottom - 0.006, 0.004, 0.004, BRONZE_LIGHT)


def greaves(c, spread=0.036):
    light, base, dark, _ = tones(STEEL)
    for side in (-1, 1):
        x = side * spread
        c.poly([(x - 0.022, 0.72), (x + 0.022, 0.72), (x + 0.017, 0.91), (x - 0.017, 0.91)], base)
        c.poly([(x + 0.005, 0.72), (x + 0.022, 0.72), (x + 0.017, 0.91), (x + 0.004, 0.91)], dark)
        c.line([(x - 0.012, 0.74), (x - 0.01, 0.89)], light, 0.005)


def crested_helmet(c, crest, cy=0.093):
    """An officer's helmet: bronze bowl, cheek guards and a crest running from ear to ear."""
    light, base, dark, deep = tones(crest)
    base_y = cy - 0.09
    c.dome(0, base_y, 0.122, 0.068, dark)
    c.dome(0, base_y, 0.116, 0.062, base)
    for i in range(-11, 12):
        c.line([(i * 0.004, base_y), (i * 0.0105, base_y - 0.062 + abs(i) * 0.0032)],
               light if i % 3 == 0 else deep, 0.003)
    c.poly([(-0.118, base_y - 0.002), (0.118, base_y - 0.002), (0.118, base_y + 0.004),
            (-0.118, base_y + 0.004)], BRONZE_DARK)
    c.poly([(-0.008, base_y), (0.008, base_y), (0.008, cy - 0.06), (-0.008, cy - 0.06)],
           BRONZE_DARK)
    helmet_bowl(c, BRONZE, cy)


def neck_guard(c, metal, cy=0.093):
    """The flared guard at the back of a helmet; drawn before the face."""
    c.poly([(-0.058, cy - 0.03), (0.058, cy - 0.03), (0.072, cy + 0.03), (-0.072, cy + 0.03)],
           shade(metal, 0.6))


def helmet_bowl(c, metal, cy=0.093):
    """Bowl, brow band and hinged cheek guards, leaving eyes, nose and mouth free."""
    light, base, dark, deep = tones(metal)
    c.dome(0, cy - 0.03, 0.052, 0.072, base)
    c.poly([(0.014, cy - 0.098), (0.046, cy - 0.06), (0.052, cy - 0.03), (0.024, cy - 0.03),
            (0.026, cy - 0.07)], dark)
    c.ellipse(-0.02, cy - 0.074, 0.013, 0.012, light)
    c.poly([(-0.055, cy - 0.04), (0.055, cy - 0.04), (0.056, cy - 0.027), (-0.056, cy - 0.027)],
           deep)
    for side in (-1, 1):
        c.poly([(side * 0.036, cy - 0.032), (side * 0.054, cy - 0.032), (side * 0.052, cy + 0.035),
                (side * 0.036, cy + 0.05), (side * 0.03, cy + 0.02)], base if side < 0 else dark)
        c.ellipse(side * 0.044, cy + 0.005, 0.003, 0.003, light)


def vine_staff(c, hand_at):
    x, y = hand_at
    c.line([(x + 0.004, y - 0.17), (x - 0.004, y + 0.26)], (96, 60, 30), 0.009)
    c.line([(x + 0.002, y - 0.16), (x - 0.005, y + 0.25)], (140, 96, 52), 0.003)
    hand(c, x, y, SKIN_TANNED)


def sword_on_hip(c, x=0.078):
    c.poly([(x - 0.009, 0.46), (x + 0.009, 0.46), (x + 0.008, 0.64), (x, 0.655),
            (x - 0.008, 0.64)], (70, 46, 28))
    c.poly([(x - 0.009, 0.47), (x + 0.009, 0.47), (x + 0.009, 0.48), (x - 0.009, 0.48)],
           BRONZE_LIGHT)
    c.poly([(x - 0.009, 0.6), (x + 0.009, 0.6), (x + 0.008, 0.615), (x - 0.008, 0.615)],
           BRONZE_LIGHT)
    c.ellipse(x, 0.445, 0.01, 0.012, BRONZE)


def centurion(width, height):
    c = SpriteCanvas(width, height, headroom=0.09)
    cloak_behind(c, CLOAK_RED)
    legs(c, SKIN_TANNED)
    greaves(c)
    sandals(c, straps=2, strap_top=0.93)
    tunic_skirt(c, TUNIC_RED)
    pteruges(c)
    mail_shirt(c)
    phalerae(c)
    belt(c, 0.48)
    sword_on_hip(c)
    arm(c, 1, SKIN_TANNED, sleeve=TUNIC_RED)
    staff_hand = arm(c, -1, SKIN_TANNED, sleeve=TUNIC_RED, wrist=(0.112, 0.46))
    neck(c, SKIN_TANNED)
    neck_guard(c, BRONZE)
    # the cloak's two corners pinned on the shoulders
    _, red, red_dark, _ = tones(CLOAK_RED)
    for side in (-1, 1):
        c.poly([(side * 0.055, 0.175), (side * 0.118, 0.185), (side * 0.128, 0.24),
                (side * 0.09, 0.215)], red if side < 0 else red_dark)
        c.ellipse(side * 0.085, 0.195, 0.009, 0.009, GOLD)
    face(c, SKIN_TANNED)
    crested_helmet(c, (196, 32, 30))
    vine_staff(c, staff_hand)
    return c.finish()


def long_robe(c, colour, top=0.19, hem=0.975, shoulder=0.1, flare=0.118, pleats=7):
    """A garment from the shoulders to the ankles, widening downwards, with vertical folds."""
    light, base, dark, deep = tones(colour)
    c.poly([(-shoulder, top), (shoulder, top), (shoulder * 0.92, 0.42), (flare, hem),
            (-flare, hem), (-shoulder * 0.92, 0.42)], base)
    c.poly([(shoulder * 0.35, top), (shoulder, top), (shoulder * 0.92, 0.42), (flare, hem),
            (flare * 0.4, hem)], dark)
    for i in range(pleats):
        t = (i + 0.5) / pleats * 2 - 1
        c.line([(t * shoulder * 0.7, 0.46), (t * flare * 0.95, hem - 0.004)],
               deep if t > 0 else dark, 0.0045)
        c.line([(t * shoulder * 0.7 - 0.008, 0.5), (t * flare * 0.95 - 0.01, hem - 0.01)],
               light, 0.003)


def stripe(c, points, colour, width=0.012):
    c.line(points, colour, width)


def scroll(c, x, y):
    """A rolled book held upright in the hand."""
    c.poly([(x - 0.012, y - 0.06), (x + 0.012, y - 0.06), (x + 0.012, y + 0.04),
            (x - 0.012, y + 0.04)], (226, 210, 170))
    c.poly([(x + 0.004, y - 0.06), (x + 0.012, y - 0.06), (x + 0.012, y + 0.04),
            (x + 0.004, y + 0.04)], (186, 166, 120))
    for end in (y - 0.062, y + 0.042):
        c.ellipse(x, end, 0.014, 0.005, (120, 80, 40))


def senator(width, height):
    """An elderly senator in a toga with the broad purple border, holding a scroll."""
    c = SpriteCanvas(width, height)
    light, toga, toga_dark, toga_deep = tones(OFF_WHITE)
    shoes(c, (110, 30, 30))
    long_robe(c, OFF_WHITE, hem=0.95, flare=0.112, pleats=8)
    # the tunic's broad stripe shows at the neck, right of the toga's slanting edge
    stripe(c, [(0.028, 0.19), (0.028, 0.3)], PURPLE, 0.016)
    # the toga: a sweep from the left shoulder down across the body to the right hip
    c.poly([(0.1, 0.19), (0.04, 0.18), (-0.06, 0.36), (-0.11, 0.5), (-0.105, 0.62),
            (-0.04, 0.58), (0.04, 0.44), (0.105, 0.33)], toga)
    c.poly([(0.1, 0.19), (0.06, 0.2), (0.03, 0.44), (0.105, 0.33)], toga_dark)
    folds(c, [[(0.02, 0.26), (-0.07, 0.46)], [(0.05, 0.3), (-0.05, 0.52)],
              [(0.06, 0.38), (-0.03, 0.56)]], toga_deep, 0.005)
    stripe(c, [(0.04, 0.18), (-0.06, 0.36), (-0.11, 0.5)], PURPLE, 0.014)
    # the sinus: the curved fold hanging at the right thigh
    c.poly([(-0.105, 0.5), (-0.1, 0.7), (-0.06, 0.74), (-0.02, 0.62), (-0.04, 0.58)], toga)
    folds(c, [[(-0.095, 0.55), (-0.07, 0.71)], [(-0.08, 0.56), (-0.04, 0.66)]], toga_dark)
    stripe(c, [(-0.1, 0.7), (-0.06, 0.74), (-0.02, 0.62)], PURPLE, 0.01)
    # right arm in a short sleeve, left arm wrapped in the toga holding the scroll
    arm(c, -1, SKIN_LIGHT, sleeve=OFF_WHITE, sleeve_to=0.3, wrist=(0.112, 0.5))
    c.poly([(0.09, 0.19), (0.125, 0.22), (0.13, 0.42), (0.1, 0.47), (0.085, 0.3)], toga)
    c.poly([(0.11, 0.22), (0.125, 0.22), (0.13, 0.42), (0.115, 0.44)], toga_dark)
    scroll(c, 0.11, 0.48)
    hand(c, 0.11, 0.47, SKIN_LIGHT)
    neck(c, SKIN_LIGHT, 0.018)
    face(c, SKIN_LIGHT, beard=(168, 164, 158), aged=True)
    short_hair(c, (176, 172, 166))
    return c.finish()


def vestal_veil(c, cy=0.093):
    """The white veil over the head and shoulders, its edge bordered in red."""
    head_cloth(c, OFF_WHITE, cy, reach=0.118, fall=0.3)
    for side in (-1, 1):
        stripe(c, [(side * 0.02, cy + 0.085), (side * 0.022, 0.27)], ROMAN_RED, 0.007)
        stripe(c, [(side * 0.058, cy + 0.07), (side * 0.118, 0.3)], ROMAN_RED, 0.007)


def infula(c, cy=0.093):
    """Red and white bands round the brow, their ends hanging down to the breast."""
    for i, colour in enumerate((ROMAN_RED, OFF_WHITE, ROMAN_RED)):
        y = cy - 0.052 + i * 0.008
        c.line([(-0.045, y), (0.045, y)], colour, 0.008)
    for side in (-1, 1):
        for i in range(6):
            y = cy + 0.06 + i * 0.022
            c.ellipse(side * 0.042, y, 0.009, 0.011, ROMAN_RED if i % 2 == 0 else OFF_WHITE)


def hair_behind(c, colour):
    """Long hair gathered at the nape, seen round the neck under a veil."""
    c.ellipse(0, 0.07, 0.05, 0.05, colour)
    c.poly([(-0.04, 0.08), (0.04, 0.08), (0.045, 0.21), (-0.045, 0.21)], shade(colour, 0.8))


def fan(c, x, y, radius=0.048):
    """A round fan of red and gold leaves on a turned handle."""
    c.line([(x, y), (x + 0.004, y + 0.07)], (110, 70, 30), 0.008)
    c.ellipse(x, y - radius * 0.4, radius, radius * 0.9, BRONZE_DARK)
    c.ellipse(x, y - radius * 0.4, radius * 0.92, radius * 0.82, ROMAN_RED)
    for i in range(12):
        angle = i * math.pi / 6
        c.line([(x, y - radius * 0.4), (x + math.cos(angle) * radius * 0.85,
                                       y - radius * 0.4 + math.sin(angle) * radius * 0.75)],
               GOLD, 0.004)
    c.ellipse(x, y - radius * 0.4, radius * 0.18, radius * 0.16, GOLD)


def priestess(width, height):
    """A Vestal: white robe and veil, red bands and girdle, a fan in her right hand."""
    c = SpriteCanvas(width, height)
    sandals(c, (150, 110, 70), spread=0.03, straps=1, strap_top=0.975)
    long_robe(c, OFF_WHITE, hem=0.975, shoulder=0.095, flare=0.125, pleats=8)
    stripe(c, [(-0.122, 0.965), (0.122, 0.965)], ROMAN_RED, 0.012)
    c.poly([(-0.085, 0.38), (0.085, 0.38), (0.086, 0.4), (-0.086, 0.4)], ROMAN_RED)
    c.poly([(-0.012, 0.39), (0.012, 0.39), (0.008, 0.5), (-0.008, 0.5)], ROMAN_RED)
    arm(c, 1, SKIN_LIGHT, sleeve=OFF_WHITE, sleeve_to=0.42, wrist=(0.108, 0.53))
    fan_hand = arm(c, -1, SKIN_LIGHT, sleeve=OFF_WHITE, sleeve_to=0.4, wrist=(0.095, 0.44))
    hair_behind(c, (70, 44, 30))
    neck(c, SKIN_LIGHT, 0.017)
    face(c, SKIN_LIGHT, rx=0.041)
    vestal_veil(c)
    infula(c)
    fan(c, fan_hand[0] + 0.004, fan_hand[1] - 0.05)
    hand(c, *fan_hand, SKIN_LIGHT)
    return c.finish()


def plebeian(width, height):
    """A working man of the city in a belted tunic, with a basket of loaves."""
    c = SpriteCanvas(width, height)
    tunic = (150, 112, 72)
    light, base, dark, deep = tones(tunic)
    legs(c, SKIN_TANNED, top=0.6)
    sandals(c)
    c.poly([(-0.1, 0.19), (0.1, 0.19), (0.095, 0.42), (0.098, 0.66), (-0.098, 0.66),
            (-0.095, 0.42)], base)
    c.poly([(0.035, 0.19), (0.1, 0.19), (0.095, 0.42), (0.098, 0.66), (0.04, 0.66)], dark)
    folds(c, [[(-0.05, 0.44), (-0.06, 0.655)], [(0.0, 0.44), (0.004, 0.655)],
              [(0.06, 0.44), (0.07, 0.655)], [(-0.03, 0.22), (-0.045, 0.38)],
              [(0.05, 0.22), (0.06, 0.38)]], deep)
    c.poly([(-0.04, 0.5), (-0.01, 0.5), (-0.02, 0.57), (-0.045, 0.56)], shade(tunic, 0.9))
    c.poly([(-0.098, 0.4), (0.098, 0.4), (0.098, 0.415), (-0.098, 0.415)], (90, 64, 40))
    c.line([(0.02, 0.41), (0.03, 0.47)], (90, 64, 40), 0.005)
    arm(c, -1, SKIN_TANNED, sleeve=tunic, sleeve_to=0.28)
    basket_hand = arm(c, 1, SKIN_TANNED, sleeve=tunic, sleeve_to=0.28, wrist=(0.108, 0.47))
    neck(c, SKIN_TANNED, 0.021)
    face(c, SKIN_TANNED, beard=(64, 44, 30))
    short_hair(c, DARK_HAIR)
    basket(c, basket_hand[0] - 0.01, basket_hand[1] + 0.02)
    hand(c, *basket_hand, SKIN_TANNED)
    return c.finish()


def basket(c, x, y):
    wicker = (176, 136, 76)
    light, base, dark, deep = tones(wicker)
    c.line([(x - 0.035, y + 0.03), (x, y - 0.015), (x + 0.035, y + 0.03)], dark, 0.006)
    for i, loaf_x in enumerate((-0.02, 0.0, 0.02)):
        c.ellipse(x + loaf_x, y + 0.035, 0.016, 0.012, (196, 132, 64) if i % 2 else (176, 110, 50))
    c.poly([(x - 0.04, y + 0.035), (x + 0.04, y + 0.035), (x + 0.032, y + 0.095),
            (x - 0.032, y + 0.095)], base)
    for i in range(4):
        row_y = y + 0.045 + i * 0.014
        c.line([(x - 0.038, row_y), (x + 0.038, row_y)], dark, 0.003)
    c.line([(x - 0.04, y + 0.035), (x + 0.04, y + 0.035)], deep, 0.005)


def woman(width, height):
    """A woman of the city in a blue robe, her saffron mantle drawn over her head."""
    c = SpriteCanvas(width, height)
    robe = (88, 118, 156)
    mantle = (206, 136, 60)
    sandals(c, (130, 90, 60), spread=0.03, straps=1, strap_top=0.975)
    long_robe(c, robe, hem=0.975, shoulder=0.095, flare=0.12)
    arm(c, -1, SKIN_OLIVE, sleeve=robe, sleeve_to=0.43, wrist=(0.1, 0.49))
    arm(c, 1, SKIN_OLIVE, sleeve=robe, sleeve_to=0.43, wrist=(0.1, 0.49))
    palla(c, mantle)
    hair_behind(c, (40, 28, 22))
    neck(c, SKIN_OLIVE, 0.017)
    face(c, SKIN_OLIVE, rx=0.041)
    c.poly([(-0.044, 0.07), (-0.03, 0.04), (0, 0.035), (0.03, 0.04), (0.044, 0.07),
            (0.025, 0.052), (-0.025, 0.052)], (40, 28, 22))
    for side in (-1, 1):
        c.ellipse(side * 0.044, 0.115, 0.004, 0.006, GOLD)
    head_cloth(c, mantle, reach=0.11, fall=0.23)
    for x in (-0.1, 0.1):
        hand(c, x, 0.51, SKIN_OLIVE)
    return c.finish()


def palla(c, colour):
    """The mantle wrapped round the shoulders and falling in front to the knees."""
    light, base, dark, deep = tones(colour)
    c.poly([(-0.108, 0.2), (0.108, 0.2), (0.125, 0.42), (0.11, 0.7), (0.04, 0.66),
            (-0.02, 0.55), (-0.1, 0.5), (-0.122, 0.4)], base)
    c.poly([(0.05, 0.2), (0.108, 0.2), (0.125, 0.42), (0.11, 0.7), (0.04, 0.66)], dark)
    folds(c, [[(-0.09, 0.3), (0.06, 0.6)], [(-0.06, 0.28), (0.09, 0.55)],
              [(-0.1, 0.4), (0.02, 0.58)], [(0.1, 0.3), (0.1, 0.66)]], deep, 0.005)
    folds(c, [[(-0.08, 0.26), (0.04, 0.5)]], light, 0.004)
    stripe(c, [(-0.1, 0.5), (-0.02, 0.55), (0.04, 0.66), (0.11, 0.7)], shade(colour, 0.5), 0.007)


def segmented_armour(c):
    """Iron hoops round the body and curved plates over the shoulders, with brass fittings."""
    light, base, dark, deep = tones(STEEL)
    for i in range(7):
        y = 0.27 + i * 0.03
        half = 0.098 - i * 0.002
        c.poly([(-half, y), (half, y), (half, y + 0.03), (-half, y + 0.03)],
               base if i % 2 else light)
        c.poly([(half * 0.4, y), (half, y), (half, y + 0.03), (half * 0.4, y + 0.03)], dark)
        c.line([(-half, y + 0.03), (half, y + 0.03)], deep, 0.003)
    for side in (-1, 1):
        for i in range(4):
            y = 0.185 + i * 0.022
            c.poly([(side * 0.055, y), (side * (0.12 - i * 0.002), y + 0.012),
                    (side * (0.12 - i * 0.002), y + 0.034), (side * 0.055, y + 0.024)],
                   light if (i + (side > 0)) % 2 else dark)
    c.poly([(-0.045, 0.19), (0.045, 0.19), (0.045, 0.27), (-0.045, 0.27)], base)
    c.line([(0, 0.19), (0, 0.27)], deep, 0.003)
    for x in (-0.03, 0.03):
        c.ellipse(x, 0.23, 0.006, 0.006, BRONZE_LIGHT)


def apron(c):
    """Studded leather straps hanging from the belt in front."""
    for x in (-0.03, -0.01, 0.01, 0.03):
        c.line([(x, 0.5), (x, 0.63)], LEATHER, 0.01)
        for y in (0.53, 0.56, 0.59, 0.62):
            c.ellipse(x, y, 0.004, 0.004, BRONZE_LIGHT)


def shield(c, left=0.0, right=0.14, top=0.33, bottom=0.79):
    """A tall curved legionary shield, red with a gilt rim, boss and wings."""
    light, base, dark, deep = tones(ROMAN_RED)
    c.poly([(left, top), (right, top), (right, bottom), (left, bottom)], GOLD)
    inset = 0.008
    c.poly([(left + inset, top + inset), (right - inset, top + inset),
            (right - inset, bottom - inset), (left + inset, bottom - inset)], base)
    c.poly([(right - 0.035, top + inset), (right - inset, top + inset),
            (right - inset, bottom - inset), (right - 0.035, bottom - inset)], dark)
    c.poly([(left + inset, top + inset), (left + 0.022, top + inset),
            (left + 0.022, bottom - inset), (left + inset, bottom - inset)], light)
    cx, cy = (left + right) / 2, (top + bottom) / 2
    for sign in (-1, 1):
        c.poly([(cx, cy + sign * 0.03), (cx - 0.045, cy + sign * 0.16), (cx, cy + sign * 0.11),
                (cx + 0.045, cy + sign * 0.16)], GOLD)
        c.line([(cx - 0.05, cy + sign * 0.05), (cx + 0.05, cy + sign * 0.05)], GOLD, 0.005)
    c.ellipse(cx, cy, 0.034, 0.034, BRONZE_DARK)
    c.ellipse(cx, cy, 0.03, 0.03, (198, 200, 204))
    c.ellipse(cx - 0.009, cy - 0.009, 0.01, 0.01, (236, 236, 236))


def spear(c, x, top=0.0, bottom=0.98):
    c.line([(x, top + 0.05), (x, bottom)], (120, 84, 44), 0.008)
    c.poly([(x, top), (x + 0.01, top + 0.035), (x, top + 0.06), (x - 0.01, top + 0.035)],
           (176, 180, 186))
    c.line([(x, top + 0.005), (x, top + 0.055)], (120, 124, 130), 0.002)


def guard(width, height):
    """A legionary on watch: iron helmet, banded armour, tall shield and spear."""
    c = SpriteCanvas(width, height, headroom=0.04)
    legs(c, SKIN_TANNED)
    sandals(c, straps=3, strap_top=0.9)
    tunic_skirt(c, TUNIC_RED, hem=0.67)
    c.poly([(-0.1, 0.185), (0.1, 0.185), (0.095, 0.5), (-0.095, 0.5)], TUNIC_RED)
    arm(c, 1, SKIN_TANNED, sleeve=TUNIC_RED, sleeve_to=0.3)
    spear_hand = arm(c, -1, SKIN_TANNED, sleeve=TUNIC_RED, sleeve_to=0.3, wrist=(0.112, 0.46))
    segmented_armour(c)
    belt(c, 0.48, half_width=0.085)
    apron(c)
    neck(c, SKIN_TANNED)
    neck_guard(c, STEEL)
    face(c, SKIN_TANNED)
    helmet_bowl(c, STEEL)
    c.poly([(-0.058, 0.062), (0.058, 0.062), (0.06, 0.07), (-0.06, 0.07)], BRONZE)
    spear(c, spear_hand[0] + 0.003, top=-0.03)
    hand(c, *spear_hand, SKIN_TANNED)
    shield(c)
    return c.finish()
