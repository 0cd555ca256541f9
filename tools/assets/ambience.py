"""The two looping ambient sounds: the fire pot and the crowd at the east end of the square.

Both are rendered a little longer than the loop and the excess is crossfaded back over the
start, so OpenAL can repeat the buffer without a click at the seam.
"""

import math
import random

from dsp import (bandpass, highpass, lowpass, loop_seamlessly, mix_into, noise, normalize,
                 soft_limit, sox_effects, wander)
from wavefile import RATE

FIRE_SECONDS, FIRE_OVERLAP = 5.0, 0.6
CROWD_SECONDS, CROWD_OVERLAP, CROWD_LEAD_IN = 7.0, 0.8, 1.5


def _crackle(rng, loud):
    """One crackle: a few milliseconds of decaying noise rung through a random resonance;
    loud ones add the low knock of a splitting log."""
    length = int(rng.uniform(0.004, 0.018 if loud else 0.010) * RATE)
    tau = length / 4.0
    burst = [x * math.exp(-i / tau) for i, x in enumerate(noise(rng, length))]
    out = bandpass(burst + [0.0] * 64, rng.uniform(1500.0, 6000.0), rng.uniform(1.5, 4.0))
    if loud:
        f, knock_tau = rng.uniform(150.0, 400.0), 0.008 * RATE
        for i in range(min(len(out), int(knock_tau * 5))):
            out[i] += 0.4 * math.exp(-i / knock_tau) * math.sin(2.0 * math.pi * f * i / RATE)
    return out


def _crackles(rng, count):
    """Crackles at a rate that drifts between calm and lively, loud ones trailing sparks."""
    out = [0.0] * count
    busy = wander(rng, count, 0.7, 6.0, 26.0)
    t = 0
    while True:
        t += int(rng.expovariate(busy[t]) * RATE) + 1
        if t >= count:
            return out
        loud = rng.random() < 0.12
        level = (0.6 + 0.4 * rng.random()) if loud else 10.0 ** (-1.5 * rng.random()) * 0.5
        mix_into(out, _crackle(rng, loud), t, level)
        if loud:
            for _ in range(rng.randrange(2, 6)):
                spark = t + int(rng.uniform(0.004, 0.04) * RATE)
                mix_into(out, _crackle(rng, False), spark, level * rng.uniform(0.1, 0.4))


def fire_loop(seed=101):
    rng = random.Random(seed)
    length, overlap = int(FIRE_SECONDS * RATE), int(FIRE_OVERLAP * RATE)
    count = length + overlap
    # The body of the flames: a low, breathing rush.
    body = lowpass(lowpass(noise(rng, count), 500.0), 500.0)
    breath = wander(rng, count, 0.3, 0.35, 1.0)
    rumble = lowpass(lowpass(noise(rng, count), 120.0), 120.0)
    hiss = highpass(highpass(noise(rng, count), 2500.0), 2500.0)
    hiss_level = wander(rng, count, 0.5, 0.2, 1.0)
    crackles = _crackles(rng, count)
    mix = [
        0.9 * b * br + 1.5 * r + 0.05 * h * hl + c
        for b, br, r, h, hl, c in zip(body, breath, rumble, hiss, hiss_level, crackles)
    ]
    mix = highpass(soft_limit(mix, 2.0), 30.0)  # no offset for the loop to carry around
    return normalize(loop_seamlessly(mix, length, overlap), -3.0)


def _babble_stream(rng, voice, index, count, workdir):
    """One far-off speaker: a spoken line played backwards (so no word can be made out), at
    another pitch, from a random place, fading in and out as that person talks and pauses."""
    speed = rng.uniform(0.82, 1.18)
    effects = ["reverse", "speed", "%.3f" % speed, "rate", str(RATE)]
    talk = sox_effects(voice, effects, workdir, "crowd-%d" % index)
    start = int(rng.random() * len(talk))
    stream = [talk[(start + i) % len(talk)] for i in range(count)]
    level = wander(rng, count, rng.uniform(0.5, 1.2), 0.0, 1.0)
    return [s * max(0.0, 2.0 * v - 0.6) for s, v in zip(stream, level)]


def crowd_loop(voices, workdir, seed=122, streams=16):
    """A distant crowd murmur made from the square's own voices."""
    rng = random.Random(seed)
    length, overlap = int(CROWD_SECONDS * RATE), int(CROWD_OVERLAP * RATE)
    lead_in = int(CROWD_LEAD_IN * RATE)
    count = lead_in + length + overlap
    mix = [0.0] * count
    for index in range(streams):
        voice = voices[rng.randrange(len(voices))]
        mix_into(mix, _babble_stream(rng, voice, index, count, workdir), 0, rng.uniform(0.4, 1.0))
    bed = lowpass(lowpass(noise(rng, count), 400.0), 400.0)
    peak = max(abs(s) for s in mix) or 1.0
    mix_into(mix, bed, 0, 0.6 * peak)
    # Distance: the highs go, the lows thin out, and the square's walls add a tail.
    far = sox_effects(mix, ["highpass", "180", "lowpass", "1000", "reverb", "70", "50", "100"],
                      workdir, "crowd-mix")
    # The lead-in lets the reverb fill up before the part that is kept.
    return normalize(loop_seamlessly(far[lead_in:], length, overlap), -3.0)
