"""The two short one-shot sounds: a footstep on stone and the end-of-loading jingle."""

import math
import random

from dsp import bandpass, fade, highpass, mix_into, noise, normalize, sox_effects
from wavefile import RATE

FOOTSTEP_SECONDS = 0.25
JINGLE_SECONDS = 1.5


def _damped_sine(frequency, tau, seconds, attack=0.0015):
    count = int(seconds * RATE)
    out = []
    for i in range(count):
        t = i / RATE
        rise = min(1.0, t / attack)
        out.append(rise * math.exp(-t / tau) * math.sin(2.0 * math.pi * frequency * t))
    return out


def _impact(rng, strength):
    """A sole meeting a paving slab: a dull knock, the hard tick of the stone and a scrape of
    grit."""
    knock = _damped_sine(90.0, 0.025, 0.12)
    mix_into(knock, _damped_sine(170.0, 0.015, 0.08), 0, 0.5)
    tick_len = int(0.004 * RATE)
    tick = [x * math.exp(-i / (0.0012 * RATE)) for i, x in enumerate(noise(rng, tick_len))]
    tick = bandpass(tick + [0.0] * 200, 3200.0, 1.2)
    grit_len = int(0.14 * RATE)
    grit = [x * math.exp(-i / (0.035 * RATE)) for i, x in enumerate(noise(rng, grit_len))]
    grit = bandpass(highpass(grit, 900.0), 2000.0, 0.8)
    out = [0.0] * int(0.15 * RATE)
    mix_into(out, knock, 0, 0.8 * strength)
    mix_into(out, tick, 0, 2.0 * strength)
    mix_into(out, grit, int(0.004 * RATE), 0.7 * strength)
    return out


def footstep(seed=102):
    rng = random.Random(seed)
    out = [0.0] * int(FOOTSTEP_SECONDS * RATE)
    mix_into(out, _impact(rng, 1.0), int(0.003 * RATE))  # heel
    mix_into(out, _impact(rng, 0.45), int(0.065 * RATE))  # ball of the foot
    return normalize(fade(highpass(out, 40.0), 0.001, 0.03), -6.0)


def _pluck(frequency, seconds, pluck_point=0.18, harmonics=10):
    """A plucked gut string: decaying partials, the higher ones fading sooner, each weighted
    by where along the string it was plucked."""
    count = int(seconds * RATE)
    out = [0.0] * count
    for n in range(1, harmonics + 1):
        partial = frequency * n * (1.0 + 0.0004 * n * n)
        if partial > RATE / 2.2:
            break
        weight = abs(math.sin(math.pi * n * pluck_point)) / n**1.1
        tau = 0.9 / n**0.8
        step = 2.0 * math.pi * partial / RATE
        for i in range(count):
            out[i] += weight * math.exp(-i / (tau * RATE)) * math.sin(step * i)
    attack = int(0.002 * RATE)
    for i in range(attack):
        out[i] *= i / attack
    return out


# A rising figure on a lyre in D, ending on a third: (start in seconds, frequency in Hz, level).
JINGLE_NOTES = [
    (0.00, 293.66, 0.8),  # D4
    (0.15, 440.00, 0.8),  # A4
    (0.30, 587.33, 0.85),  # D5
    (0.50, 739.99, 0.9),  # F#5
    (0.50, 587.33, 0.6),  # D5 again, under it
]


def jingle(workdir):
    out = [0.0] * int((JINGLE_SECONDS + 0.5) * RATE)
    for start, frequency, level in JINGLE_NOTES:
        mix_into(out, _pluck(frequency, JINGLE_SECONDS), int(start * RATE), level)
    room = sox_effects(out, ["reverb", "35", "60", "60"], workdir, "jingle")
    room = room[: int(JINGLE_SECONDS * RATE)]
    return normalize(fade(room, 0.0, 0.35), -3.0)
