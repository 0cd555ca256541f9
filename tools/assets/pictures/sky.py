"""Bitmap 3: the sky all round the square, with clouds and the hills beyond the city.

The picture is painted three times side by side and only the middle copy is kept, so clouds
and trees that cross an edge continue on the other side; the hills follow sums of sines with a
whole number of waves across the width. Column 999 therefore leads straight into column 0.
"""

import math
import random

from PIL import Image, ImageDraw, ImageFilter

WIDTH, HEIGHT = 1000, 200
ZENITH = (62, 112, 184)
HORIZON_HAZE = (200, 214, 226)
FAR_HILLS = (146, 160, 178)
NEAR_HILLS = (112, 128, 104)
TREES = (64, 82, 58)


def gradient():
    column = Image.new("RGB", (1, HEIGHT))
    for y in range(HEIGHT):
        t = (y / (HEIGHT - 1)) ** 1.4
        column.putpixel((0, y), tuple(round(a + (b - a) * t) for a, b in zip(ZENITH, HORIZON_HAZE)))
    return column.resize((WIDTH * 3, HEIGHT))


def periodic_profile(rng, base, waves):
    """Height of a ridge at every column: a sum of sines that repeats every WIDTH columns."""
    terms = [(cycles, amplitude, rng.uniform(0, math.tau)) for cycles, amplitude in waves]
    return [base + sum(a * math.sin(math.tau * k * x / WIDTH + p) for k, a, p in terms)
            for x in range(WIDTH)]


def draw_ridge(draw, profile, colour):
    for copy in range(3):
        points = [(copy * WIDTH + x, HEIGHT - h) for x, h in enumerate(profile)]
        points += [(copy * WIDTH + WIDTH, HEIGHT - profile[0]), (copy * WIDTH + WIDTH, HEIGHT),
                   (copy * WIDTH, HEIGHT)]
        draw.polygon(points, fill=colour)


def cloud_shapes(rng):
    """Each cloud as its ellipses and their colours, placed once; drawn again for each copy."""
    shapes = []
    for _ in range(9):
        x, y = rng.uniform(0, WIDTH), rng.uniform(25, 95)
        length, puffs = rng.uniform(70, 170), rng.randint(5, 9)
        for i in range(puffs):
            along = i / (puffs - 1) - 0.5
            r = rng.uniform(12, 26) * (1 - abs(along)) + 8
            px, py = x + along * length, y - r * 0.3
            shapes.append(((px - r * 1.3, py - r, px + r * 1.3, py + r * 0.6),
                           (250, 250, 248, 220)))
        shapes.append(((x - length * 0.55, y - 4, x + length * 0.55, y + 12),
                       (214, 220, 230, 200)))
    return shapes


def cloud_layer(rng):
    """Soft white clouds with greyer undersides on a transparent layer."""
    layer = Image.new("RGBA", (WIDTH * 3, HEIGHT), (255, 255, 255, 0))
    draw = ImageDraw.Draw(layer)
    for (x0, y0, x1, y1), colour in cloud_shapes(rng):
        for copy in range(3):
            shift = copy * WIDTH
            draw.ellipse([x0 + shift, y0, x1 + shift, y1], fill=colour)
    return layer.filter(ImageFilter.GaussianBlur(3))


def trees(draw, rng, profile):
    """Cypresses and umbrella pines standing on the nearer hills."""
    for _ in range(26):
        x = rng.uniform(0, WIDTH)
        ground = HEIGHT - profile[int(x)] + 3
        pine = rng.random() < 0.45
        size = rng.uniform(8, 15)
        colour = shade_tree(rng)
        for copy in range(3):
            cx = copy * WIDTH + x
            if pine:
                draw.line([(cx, ground), (cx, ground - size * 1.2)], fill=TREES, width=2)
                draw.ellipse([cx - size, ground - size * 1.7, cx + size, ground - size * 1.1],
                             fill=TREES)
            else:
                draw.polygon([(cx - size * 0.22, ground), (cx, ground - size * 2.2),
                              (cx + size * 0.22, ground)], fill=colour)


def shade_tree(rng):
    k = rng.uniform(0.8, 1.05)
    return tuple(round(c * k) for c in TREES)


def sky():
    rng = random.Random(2050)
    image = gradient()
    clouds = cloud_layer(rng)
    image.paste(clouds, (0, 0), clouds)
    draw = ImageDraw.Draw(image)
    draw_ridge(draw, periodic_profile(rng, 34, [(2, 9), (3, 7), (7, 4), (13, 2)]), FAR_HILLS)
    near = periodic_profile(rng, 16, [(3, 6), (5, 4), (11, 2), (23, 1)])
    draw_ridge(draw, near, NEAR_HILLS)
    trees(draw, rng, near)
    return image.crop((WIDTH, 0, 2 * WIDTH, HEIGHT))
