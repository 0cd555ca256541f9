"""Small signal helpers on lists of float samples (no third-party modules needed)."""

import math
import subprocess

from speech import SOX
from wavefile import RATE, read_samples, write_canonical


def lowpass(samples, cutoff, rate=RATE):
    """One-pole low-pass filter."""
    a = 1.0 - math.exp(-2.0 * math.pi * cutoff / rate)
    y, out = 0.0, []
    for x in samples:
        y += a * (x - y)
        out.append(y)
    return out


def highpass(samples, cutoff, rate=RATE):
    """One-pole high-pass filter: the input less its low-passed part."""
    return [x - y for x, y in zip(samples, lowpass(samples, cutoff, rate))]


def bandpass(samples, centre, q, rate=RATE):
    """Two-pole band-pass (0 dB at the centre), the usual audio-cookbook biquad."""
    w = 2.0 * math.pi * centre / rate
    alpha = math.sin(w) / (2.0 * q)
    a0 = 1.0 + alpha
    b0, b2 = alpha / a0, -alpha / a0
    a1, a2 = -2.0 * math.cos(w) / a0, (1.0 - alpha) / a0
    x1 = x2 = y1 = y2 = 0.0
    out = []
    for x in samples:
        y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, x, y1, y
        out.append(y)
    return out


def noise(rng, count):
    return [rng.random() * 2.0 - 1.0 for _ in range(count)]


def wander(rng, count, step_seconds, low, high, rate=RATE):
    """A slowly moving level between low and high: random points joined by cosine curves."""
    step = max(1, int(step_seconds * rate))
    points = [low + (high - low) * rng.random() for _ in range(count // step + 2)]
    out = []
    for i in range(count):
        k, frac = divmod(i, step)
        t = (1.0 - math.cos(math.pi * frac / step)) / 2.0
        out.append(points[k] * (1.0 - t) + points[k + 1] * t)
    return out


def mix_into(target, source, offset=0, gain=1.0):
    """Adds source, scaled, into target from offset on; what falls past the end is dropped."""
    for i, s in enumerate(source[: max(0, len(target) - offset)]):
        target[offset + i] += gain * s


def loop_seamlessly(samples, length, overlap):
    """Folds the overlap that follows `length` samples back over the start (equal-power
    crossfade), so that the last sample leads into the first as it did in the source."""
    if len(samples) < length + overlap:
        raise ValueError("need %d samples to loop %d" % (length + overlap, length))
    out = samples[:length]
    for i in range(overlap):
        t = (i / overlap) * math.pi / 2.0
        out[i] = samples[length + i] * math.cos(t) + samples[i] * math.sin(t)
    return out


def soft_limit(samples, drive):
    """Rounds off the loudest peaks so that a few of them do not set the level of the rest."""
    peak = max(abs(s) for s in samples) or 1.0
    scale = math.tanh(drive)
    return [math.tanh(drive * s / peak) / scale for s in samples]


def normalize(samples, peak_db):
    peak = max(abs(s) for s in samples) or 1.0
    gain = 10.0 ** (peak_db / 20.0) / peak
    return [s * gain for s in samples]


def fade(samples, fade_in, fade_out, rate=RATE):
    """Linear fades at both ends, in seconds, so a one-shot sound starts and ends at zero."""
    out = list(samples)
    n_in, n_out = int(fade_in * rate), int(fade_out * rate)
    for i in range(min(n_in, len(out))):
        out[i] *= i / n_in
    for i in range(min(n_out, len(out))):
        out[-1 - i] *= i / n_out
    return out


def sox_effects(samples, effects, workdir, name):
    """Runs sox effects over the samples (scaled to -6 dBFS on the way in) and reads them back."""
    source, result = workdir / (name + "-in.wav"), workdir / (name + "-out.wav")
    write_canonical(source, normalize(samples, -6.0))
    subprocess.run(SOX + [str(source), "-b", "16", str(result)] + effects, check=True)
    rate, out = read_samples(result)
    if rate != RATE:
        raise RuntimeError("%s: sox changed the rate to %d Hz" % (result, rate))
    return out
