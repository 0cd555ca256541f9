"""Fonts and lettering: the glyph strip of the in-game text, and titles for the panels.

The letters come from the URW Palatino clone (P052) that Debian ships in fonts-urw-base35; the
font is needed only to regenerate the pictures, never to build or run the program.
"""

from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

from .colours import INK, PARCHMENT

FONT_DIR = Path("/usr/share/fonts/opentype/urw-base35")
BOLD = FONT_DIR / "P052-Bold.otf"
ROMAN = FONT_DIR / "P052-Roman.otf"
ITALIC = FONT_DIR / "P052-Italic.otf"

CELL = 25
# The cells of the strip in order, and how far each character advances the pen.
GLYPHS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.!? '"
ADVANCES = dict(zip("ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                    (17, 13, 18, 19, 12, 13, 18, 20, 9, 11, 15, 10, 21,
                     19, 20, 13, 19, 15, 14, 17, 18, 17, 22, 14, 16, 16)))
ADVANCES.update({".": 8, "'": 8, " ": 11})
OTHER_ADVANCE = 22
GLYPH_BASELINE = 20      # row of the baseline inside a cell
GLYPH_CAP_HEIGHT = 15    # rows from the top of a capital to the baseline
LEFT_GAP = 1             # blank columns before a glyph inside its advance
RIGHT_GAP = 2            # and after it, so neighbours never touch
SUPERSAMPLE = 4


def font(path, size):
    if not path.exists():
        raise SystemExit("font %s is missing; install fonts-urw-base35" % path)
    return ImageFont.truetype(str(path), size)


def advance(char):
    return ADVANCES.get(char, OTHER_ADVANCE)


def text_width(text):
    """How far the in-game font moves along a line of text."""
    return sum(advance(char) for char in text.upper())


def glyph_coverage(char):
    """The ink of one character at SUPERSAMPLE times the cell size, cropped to its columns,
    with the baseline at SUPERSAMPLE * GLYPH_BASELINE; None for a blank character."""
    size = CELL * SUPERSAMPLE
    letter_font = font(BOLD, round(GLYPH_CAP_HEIGHT * SUPERSAMPLE / 0.69))
    mask = Image.new("L", (size * 2, size), 0)
    ImageDraw.Draw(mask).text((size // 2, GLYPH_BASELINE * SUPERSAMPLE), char, fill=255,
                              font=letter_font, anchor="ls")
    box = mask.getbbox()
    if box is None:
        return None
    return mask.crop((box[0], 0, box[2], size))


def glyph_cell(char):
    """One 25 x 25 cell: the character squeezed, where it must be, into its advance width."""
    cell = Image.new("RGB", (CELL, CELL), PARCHMENT)
    coverage = glyph_coverage(char)
    if coverage is None:
        return cell
    room = advance(char) - LEFT_GAP - RIGHT_GAP
    natural = coverage.width / SUPERSAMPLE
    width = max(1, round(min(natural, room)))
    small = coverage.resize((width, CELL), Image.LANCZOS)
    left = LEFT_GAP + (room - width) // 2
    cell.paste(Image.new("RGB", small.size, INK), (left, 0), small)
    return cell


def glyph_strip():
    """Bitmap 14: the 41 cells side by side."""
    strip = Image.new("RGB", (CELL * len(GLYPHS), CELL), PARCHMENT)
    for index, char in enumerate(GLYPHS):
        strip.paste(glyph_cell(char), (CELL * index, 0))
    return strip


def render_in_game(strip, text, background=PARCHMENT):
    """A line of text as the program draws it: each glyph copied with its background, advance
    columns wide. Used to preview and to check the strip."""
    line = Image.new("RGB", (max(text_width(text), 1), CELL), background)
    x = 0
    for char in text.upper():
        cell = GLYPHS.index(char) if char in GLYPHS else 0
        width = advance(char)
        line.paste(strip.crop((CELL * cell, 0, CELL * cell + width, CELL)), (x, 0))
        x += width
    return line


def draw_centred(image, centre, text, text_font, fill, shadow=None, light=None, depth=1):
    """Text centred on a point; an optional dark and light copy, offset by depth, make it look
    cut into the surface (shadow above-left, light below-right) or standing out of it."""
    draw = ImageDraw.Draw(image)
    x, y = centre
    if shadow is not None:
        draw.text((x - depth, y - depth), text, fill=shadow, font=text_font, anchor="mm")
    if light is not None:
        draw.text((x + depth, y + depth), text, fill=light, font=text_font, anchor="mm")
    draw.text((x, y), text, fill=fill, font=text_font, anchor="mm")


def gilded_text(image, centre, text, text_font, top, bottom, outline, shadow_offset=3):
    """Metal letters: a vertical gradient from top to bottom colour, a dark outline and a soft
    drop shadow."""
    mask = Image.new("L", image.size, 0)
    ImageDraw.Draw(mask).text(centre, text, fill=255, font=text_font, anchor="mm")
    box = mask.getbbox()
    if box is None:
        return
    shadow = Image.new("L", image.size, 0)
    shadow.paste(mask, (shadow_offset, shadow_offset))
    image.paste(Image.new("RGB", image.size, (20, 12, 6)), (0, 0),
                shadow.point(lambda v: v * 6 // 10))
    ImageDraw.Draw(image).text(centre, text, fill=outline, font=text_font, anchor="mm",
                               stroke_width=2, stroke_fill=outline)
    image.paste(vertical_gradient(image.size, box[1], box[3], top, bottom), (0, 0), mask)


def vertical_gradient(size, y0, y1, top, bottom):
    """An image whose rows run from the top colour at row y0 to the bottom colour at row y1."""
    height = size[1]
    column = Image.new("RGB", (1, height))
    span = max(y1 - y0, 1)
    for y in range(height):
        t = min(max((y - y0) / span, 0.0), 1.0)
        column.putpixel((0, y), tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    return column.resize(size)
