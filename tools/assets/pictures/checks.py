"""Checks on the drawn pictures themselves, beyond their file headers."""

from .colours import PARCHMENT, TRANSPARENT
from .lettering import CELL, GLYPHS, RIGHT_GAP, advance


def sprite_problems(image):
    """A sprite must have the white key round it and a figure that reaches its bottom edge."""
    width, height = image.size
    problems = []
    corners = [(0, 0), (width - 1, 0)]
    if any(image.getpixel(corner) != TRANSPARENT for corner in corners):
        problems.append("top corners are not the white key")
    bottom = [image.getpixel((x, height - 1)) for x in range(width)]
    if all(pixel == TRANSPARENT for pixel in bottom):
        problems.append("nothing stands on the bottom edge")
    return problems


def plain_area_problems(image, box, name):
    """Every pixel of box (inclusive) must be exactly the glyph strip's background."""
    region = image.crop((box[0], box[1], box[2] + 1, box[3] + 1))
    colours = region.getcolors(region.width * region.height)
    if colours != [(region.width * region.height, PARCHMENT)]:
        return ["%s %r is not all %r" % (name, box, PARCHMENT)]
    return []


def glyph_problems(strip):
    """Every glyph must keep RIGHT_GAP blank columns inside its advance, and every column past
    the advance must be background too, since a wider advance may copy it."""
    problems = []
    for index, char in enumerate(GLYPHS):
        first_blank = min(advance(char) - RIGHT_GAP, CELL)
        cell = strip.crop((CELL * index + first_blank, 0, CELL * (index + 1), CELL))
        if cell.width and cell.getcolors(cell.width * CELL) != [(cell.width * CELL, PARCHMENT)]:
            problems.append("glyph %r reaches past column %d of its cell" % (char, first_blank))
    return problems


def seam_rank(image):
    """How many of the picture's neighbouring column pairs differ less than its last column
    differs from its first, in per cent: a visible seam would stand near 100."""
    width, height = image.size
    pixels = image.load()

    def step(a, b):
        return sum(abs(p - q) for y in range(height) for p, q in zip(pixels[a, y], pixels[b, y]))

    seam = step(width - 1, 0)
    steps = [step(x, x + 1) for x in range(width - 1)]
    return 100.0 * sum(s < seam for s in steps) / len(steps)
