"""Parts of a standing person, in the body units of SpriteCanvas (height 1.0, x = 0 middle).

The layout is one of about seven and a half heads: crown at 0.03, chin at 0.155, shoulders at
0.19, waist at 0.40, hips at 0.50, knees at 0.72, ankles at 0.955, soles at 1.0. The light falls
from the upper left, so every part has a lit left side and a shaded right side.
"""

SKIN_LIGHT = (226, 176, 136)
SKIN_OLIVE = (200, 150, 108)
SKIN_TANNED = (182, 128, 88)
EYE = (52, 34, 26)
LIPS = (150, 70, 60)
LEATHER = (112, 70, 38)

SHOULDER_Y = 0.19
WRIST_Y = 0.52


def shade(colour, factor):
    """Darker below 1.0, lighter above; never pure white."""
    if factor <= 1:
        return tuple(round(c * factor) for c in colour)
    return tuple(min(252, round(c + (255 - c) * (factor - 1))) for c in colour)


def tones(colour):
    """Highlight, base, shadow and deep shadow of one material."""
    return shade(colour, 1.18), colour, shade(colour, 0.78), shade(colour, 0.58)


def neck(c, skin, width=0.02):
    c.poly([(-width, 0.13), (width, 0.13), (width * 1.1, 0.2), (-width * 1.1, 0.2)],
           shade(skin, 0.85))


def face(c, skin, cy=0.093, rx=0.044, ry=0.063, beard=None, aged=False):
    """Ears, the oval of the face with its shaded side, eyes, brows, nose and mouth."""
    light, base, dark, _ = tones(skin)
    c.ellipse(-rx, cy + 0.005, 0.009, 0.016, dark)
    c.ellipse(rx, cy + 0.005, 0.009, 0.016, dark)
    c.ellipse(0, cy, rx, ry, base)
    c.poly([(rx * 0.35, cy - ry * 0.8), (rx * 0.95, cy - ry * 0.3), (rx * 0.9, cy + ry * 0.4),
            (rx * 0.3, cy + ry * 0.95), (rx * 0.55, cy + ry * 0.2)], shade(skin, 0.9))
    c.ellipse(-rx * 0.45, cy - ry * 0.25, rx * 0.3, ry * 0.18, light)
    for side in (-1, 1):
        c.ellipse(side * rx * 0.42, cy - ry * 0.05, rx * 0.2, ry * 0.08, (238, 232, 220))
        c.ellipse(side * rx * 0.42, cy - ry * 0.05, rx * 0.1, ry * 0.08, EYE)
        c.line([(side * rx * 0.68, cy - ry * 0.26), (side * rx * 0.18, cy - ry * 0.3)],
               shade(skin, 0.45), 0.005)
    c.poly([(-rx * 0.05, cy - ry * 0.1), (rx * 0.12, cy + ry * 0.3), (-rx * 0.18, cy + ry * 0.34)],
           dark)
    if aged:
        for side in (-1, 1):
            c.line([(side * rx * 0.3, cy + ry * 0.35), (side * rx * 0.5, cy + ry * 0.6)],
                   shade(skin, 0.7), 0.0025)
    if beard is not None:
        c.poly([(-rx * 0.95, cy), (-rx * 0.7, cy + ry * 0.75), (0, cy + ry * 1.08),
                (rx * 0.7, cy + ry * 0.75), (rx * 0.95, cy), (rx * 0.6, cy + ry * 0.45),
                (-rx * 0.6, cy + ry * 0.45)], beard)
        c.poly([(-rx * 0.55, cy + ry * 0.38), (rx * 0.55, cy + ry * 0.38), (rx * 0.3, cy + ry * 0.5),
                (-rx * 0.3, cy + ry * 0.5)], beard)
    c.line([(-rx * 0.28, cy + ry * 0.6), (rx * 0.28, cy + ry * 0.6)], LIPS, 0.006)


def short_hair(c, colour, cy=0.093, rx=0.044, ry=0.063):
    """Cropped hair: a cap over the crown with a fringe of locks."""
    light, base, dark, _ = tones(colour)
    c.poly([(-rx * 1.05, cy + ry * 0.05), (-rx * 1.1, cy - ry * 0.55), (-rx * 0.6, cy - ry * 1.1),
            (0, cy - ry * 1.2), (rx * 0.6, cy - ry * 1.1), (rx * 1.1, cy - ry * 0.55),
            (rx * 1.05, cy + ry * 0.05), (rx * 0.85, cy - ry * 0.45), (0, cy - ry * 0.6),
            (-rx * 0.85, cy - ry * 0.45)], base)
    for i in range(-3, 4):
        x = i * rx * 0.26
        c.line([(x - rx * 0.1, cy - ry * 1.0), (x + rx * 0.06, cy - ry * 0.55)],
               light if i < 0 else dark, 0.004)


def hand(c, x, y, skin, size=0.019):
    c.ellipse(x, y, size, size * 1.25, shade(skin, 0.92))


def arm(c, side, skin, sleeve=None, sleeve_to=0.27, wrist=(0.112, WRIST_Y), width=0.021):
    """An arm hanging from the shoulder on side -1 (viewer's left) or 1; a sleeve of the given
    colour covers it down to sleeve_to. Returns the hand's centre."""
    shoulder = (side * 0.097, SHOULDER_Y + 0.015)
    elbow = (side * 0.11, 0.37)
    hand_at = (side * wrist[0], wrist[1] + 0.02)
    light, base, dark, _ = tones(skin)
    c.line([shoulder, elbow], base, width * 2)
    c.line([elbow, (side * wrist[0], wrist[1])], base, width * 1.8)
    c.line([(elbow[0] + width * 0.6, elbow[1]), (side * wrist[0] + width * 0.6, wrist[1])],
           dark if side > 0 else light, width * 0.5)
    hand(c, *hand_at, skin)
    if sleeve is not None:
        _, cloth, cloth_dark, _ = tones(sleeve)
        c.poly([(side * 0.07, SHOULDER_Y - 0.005), (side * 0.122, SHOULDER_Y + 0.01),
                (side * 0.134, sleeve_to), (side * 0.093, sleeve_to + 0.008)], cloth)
        c.line([(side * 0.1, sleeve_to + 0.004), (side * 0.132, sleeve_to - 0.002)],
               cloth_dark, 0.006)
    return hand_at


def legs(c, skin, top=0.64, spread=0.036):
    """Bare legs from the hem down to the ankles."""
    light, base, dark, _ = tones(skin)
    for side in (-1, 1):
        x = side * spread
        c.poly([(x - 0.021, top), (x + 0.021, top), (x + 0.018, 0.76), (x + 0.015, 0.86),
                (x + 0.012, 0.955), (x - 0.012, 0.955), (x - 0.016, 0.86), (x - 0.019, 0.76)],
               base)
        c.line([(x + 0.011, top + 0.02), (x + 0.009, 0.94)], dark, 0.006)
        c.line([(x - 0.012, top + 0.02), (x - 0.01, 0.9)], light, 0.004)


def sandals(c, colour=LEATHER, spread=0.036, straps=3, strap_top=0.9):
    """Soles and straps over bare feet; the foot shows between the straps."""
    _, base, dark, _ = tones(colour)
    for side in (-1, 1):
        x = side * spread
        c.poly([(x - 0.015, 0.95), (x + 0.015, 0.95), (x + 0.026 * side + 0.004, 0.99),
                (x + 0.02 * side, 1.0), (x - 0.02 * side, 1.0)], SKIN_TANNED)
        c.poly([(x - 0.024, 0.988), (x + 0.024, 0.988), (x + 0.024, 1.0), (x - 0.024, 1.0)], dark)
        for i in range(straps):
            y = strap_top + i * (0.985 - strap_top) / max(straps - 1, 1)
            c.line([(x - 0.018, y), (x + 0.018, y - 0.004)], base, 0.006)


def shoes(c, colour, spread=0.036):
    """Closed leather shoes, as a senator wears them."""
    light, base, dark, _ = tones(colour)
    for side in (-1, 1):
        x = side * spread
        c.poly([(x - 0.02, 0.93), (x + 0.02, 0.93), (x + 0.026, 0.985), (x + 0.024, 1.0),
                (x - 0.024, 1.0), (x - 0.026, 0.985)], base)
        c.line([(x - 0.012, 0.95), (x - 0.004, 0.985)], light, 0.004)
        c.line([(x - 0.02, 0.94), (x + 0.02, 0.94)], dark, 0.005)


def folds(c, lines, colour, width=0.004):
    """Drapery: each line a list of points."""
    for points in lines:
        c.line(points, colour, width)


def head_cloth(c, colour, cy=0.093, reach=0.11, fall=0.24):
    """A veil or mantle over the head, framing the face and falling on the shoulders."""
    light, base, dark, _ = tones(colour)
    outer = [(-reach, fall), (-0.058, cy + 0.07), (-0.064, cy - 0.02), (-0.046, cy - 0.062),
             (0, cy - 0.078), (0.046, cy - 0.062), (0.064, cy - 0.02), (0.058, cy + 0.07),
             (reach, fall)]
    opening = [(0.022, fall - 0.03), (0.02, cy + 0.085), (0.046, cy + 0.05), (0.045, cy - 0.035),
               (0.02, cy - 0.053), (-0.02, cy - 0.053), (-0.045, cy - 0.035), (-0.046, cy + 0.05),
               (-0.02, cy + 0.085), (-0.022, fall - 0.03)]
    c.poly(outer + opening, base)
    c.poly([(0.03, cy - 0.07), (0.046, cy - 0.062), (0.064, cy - 0.02), (0.058, cy + 0.07),
            (reach, fall), (0.03, fall - 0.02), (0.047, cy + 0.05), (0.046, cy - 0.035)], dark)
    c.line([(-0.05, cy - 0.04), (-0.052, cy + 0.06)], light, 0.004)
