"""A drawing surface for sprites: shapes in body units, a clean outline against the white key.

The program stretches every character sprite over a rectangle 20 units wide and 70 high,
whatever the bitmap's own size. Figures are therefore laid out in body units (the bitmap's
height is 1.0, x = 0 is the middle, the visible width is 20/70) and widened to the bitmap's
shape, so that they look right once the program has squeezed them.

Shapes are drawn at SCALE times the final size and averaged down. Inside the figure that
smooths the seams between colours; on the outline a pixel belongs to the figure when at least
half of it is covered, and then takes the figure's colour alone, never a blend with the white
key, so no pale fringe can show round a sprite in the scene.
"""

import math

from PIL import Image, ImageDraw

from .colours import TRANSPARENT

SCALE = 4
VIEW_ASPECT = 20 / 70
NEAR_WHITE = (250, 247, 238)


class SpriteCanvas:
    def __init__(self, width, height, view_aspect=VIEW_ASPECT, headroom=0.0):
        """headroom: a share of the height kept free above the body for a crest or a spear
        point; the body shrinks to fit below it."""
        self.size = (width, height)
        self.colour = Image.new("RGB", (width * SCALE, height * SCALE), TRANSPARENT)
        self.cover = Image.new("L", self.colour.size, 0)
        self._colour_draw = ImageDraw.Draw(self.colour)
        self._cover_draw = ImageDraw.Draw(self.cover)
        self.top = headroom * height * SCALE
        self.unit_x = width * SCALE / view_aspect * (1 - headroom)
        self.unit_y = height * SCALE * (1 - headroom)

    def point(self, x, y):
        return (self.colour.width / 2 + x * self.unit_x, self.top + y * self.unit_y)

    def poly(self, points, fill):
        pixels = [self.point(x, y) for x, y in points]
        self._colour_draw.polygon(pixels, fill=fill)
        self._cover_draw.polygon(pixels, fill=255)

    def mirrored_poly(self, points, fill):
        """The polygon and its mirror image across the middle line."""
        self.poly(points, fill)
        self.poly([(-x, y) for x, y in points], fill)

    def ellipse(self, cx, cy, rx, ry, fill):
        box = [self.point(cx - rx, cy - ry), self.point(cx + rx, cy + ry)]
        self._colour_draw.ellipse(box, fill=fill)
        self._cover_draw.ellipse(box, fill=255)

    def dome(self, cx, base_y, rx, ry, fill, steps=24):
        """The upper half of an ellipse standing on the line y = base_y."""
        self.poly([(cx - rx * math.cos(math.pi * i / steps),
                    base_y - ry * math.sin(math.pi * i / steps))
                   for i in range(steps + 1)], fill)

    def line(self, points, fill, width):
        """A stroke; width in body units (fractions of the height)."""
        pixels = [self.point(x, y) for x, y in points]
        thickness = max(1, round(width * self.unit_y))
        self._colour_draw.line(pixels, fill=fill, width=thickness, joint="curve")
        self._cover_draw.line(pixels, fill=255, width=thickness, joint="curve")

    def finish(self, outline_shade=0.72):
        """The sprite at its final size: hard outline, no white inside, edge pixels darkened
        a little so the figure stands clear of the scene."""
        colour = self.colour.reduce(SCALE)
        cover = self.cover.reduce(SCALE)
        pixels, covered = colour.load(), cover.load()
        width, height = self.size
        inside = [[covered[x, y] >= 128 for x in range(width)] for y in range(height)]
        for y in range(height):
            for x in range(width):
                if not inside[y][x]:
                    pixels[x, y] = TRANSPARENT
                    continue
                rgb = unblend_from_white(pixels[x, y], covered[x, y] / 255)
                if touches_outside(inside, x, y):
                    rgb = tuple(round(c * outline_shade) for c in rgb)
                pixels[x, y] = rgb if rgb != TRANSPARENT else NEAR_WHITE
        return colour


def unblend_from_white(rgb, coverage):
    """The colour a partly covered pixel had before the white key was averaged into it."""
    if coverage >= 0.999:
        return rgb
    return tuple(min(254, max(0, round((c - (1 - coverage) * 255) / coverage))) for c in rgb)


def touches_outside(inside, x, y):
    height, width = len(inside), len(inside[0])
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        nx, ny = x + dx, y + dy
        if 0 <= nx < width and 0 <= ny < height and not inside[ny][nx]:
            return True
    return False
