"""The fire pot: a bronze brazier on three legs with flames that change from frame to frame."""

import math
import random

from .body import shade, tones
from .canvas import SpriteCanvas
from .colours import BRONZE, BRONZE_DARK, BRONZE_LIGHT

FLAME_LAYERS = ((196, 44, 12), (236, 108, 20), (250, 176, 40), (252, 228, 130))
COALS = ((120, 24, 10), (210, 64, 16), (246, 140, 30))


def tongue(c, base_left, base_right, base_y, tip, colour, sway, phase, steps=10):
    """One flame: a curved point rising from a base, its sides swaying like a sine."""
    tip_x, tip_y = tip
    left, right = [], []
    for i in range(steps + 1):
        t = i / steps
        y = base_y + (tip_y - base_y) * t
        narrowing = (1 - t) ** 0.8
        wobble = sway * math.sin(phase + t * 3.2) * t
        centre = (base_left + base_right) / 2 * (1 - t) + tip_x * t + wobble
        half = (base_right - base_left) / 2 * narrowing
        left.append((centre - half, y))
        right.append((centre + half, y))
    c.poly(left + right[::-1], colour)


def flames(c, frame):
    """Nested tongues of fire, largest and reddest first; the seed makes each frame differ."""
    rng = random.Random(7919 * (frame + 1))
    base_y = 0.66
    tongues = [(rng.uniform(-0.3, 0.3), rng.uniform(0.05, 0.3), rng.uniform(-0.9, 0.9),
                rng.uniform(0, math.tau)) for _ in range(7)]
    tongues.sort(key=lambda tongue_shape: abs(tongue_shape[0]))
    for layer, colour in enumerate(FLAME_LAYERS):
        scale = 1 - layer * 0.22
        for x, height, lean, phase in tongues:
            width = (0.16 - abs(x) * 0.2) * scale
            top = base_y - (0.55 - abs(x) * 0.9 + height * 0.4) * scale
            tongue(c, x * scale - width, x * scale + width, base_y + 0.02,
                   (x * scale + lean * 0.08, top), colour, 0.04 * scale, phase + layer)
    for _ in range(5):
        c.ellipse(rng.uniform(-0.35, 0.35), rng.uniform(0.04, 0.3), 0.012, 0.012,
                  FLAME_LAYERS[rng.randrange(1, 3)])


def brazier_bowl(c):
    """The dark inside of the bowl with its glowing coals."""
    c.ellipse(0, 0.66, 0.5, 0.06, BRONZE_DARK)
    c.ellipse(0, 0.665, 0.46, 0.045, COALS[0])
    for i, colour in enumerate(COALS[1:]):
        c.ellipse(-0.1 + i * 0.16, 0.665, 0.2 - i * 0.05, 0.03 - i * 0.006, colour)


def brazier_body(c):
    """The bowl's outside with its rim and band, standing on three lion-footed legs."""
    light, base, dark, deep = tones(BRONZE)
    for x in (-0.34, 0.0, 0.34):
        c.poly([(x - 0.03, 0.76), (x + 0.03, 0.76), (x + 0.022, 0.95), (x - 0.022, 0.95)],
               dark if x > 0 else base)
        c.ellipse(x, 0.965, 0.05, 0.035, deep)
    c.poly([(-0.5, 0.67), (0.5, 0.67), (0.38, 0.8), (-0.38, 0.8)], base)
    c.poly([(0.15, 0.67), (0.5, 0.67), (0.38, 0.8), (0.1, 0.8)], dark)
    c.poly([(-0.45, 0.67), (-0.3, 0.67), (-0.24, 0.79), (-0.34, 0.79)], light)
    c.poly([(-0.5, 0.655), (0.5, 0.655), (0.5, 0.685), (-0.5, 0.685)], BRONZE_LIGHT)
    c.poly([(-0.44, 0.725), (0.44, 0.725), (0.43, 0.74), (-0.43, 0.74)], deep)
    c.ellipse(0, 0.8, 0.38, 0.025, shade(BRONZE, 0.5))
    for x in (-0.2, 0.2):
        c.ellipse(x, 0.76, 0.025, 0.018, BRONZE_LIGHT)


def fire_frame(width, height, frame):
    c = SpriteCanvas(width, height, view_aspect=width / height)
    brazier_bowl(c)
    flames(c, frame)
    brazier_body(c)
    return c.finish(outline_shade=0.85)
