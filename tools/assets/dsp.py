"""Small signal helpers on lists of float samples (no third-party modules needed)."""

import math
import subprocess
from collections import deque

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


def _biquad(samples, b0, b1, b2, a1, a2):
    x1 = x2 = y1 = y2 = 0.0
    out = []
    for x in samples:
        y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, x, y1, y
        out.append(y)
    return out


def ear_weighting(samples, rate=RATE):
    """The broadcast loudness weighting: a shelf of +4 dB above about 1.7 kHz, where the ear
    is most sensitive, and a high-pass at about 38 Hz, both made for this rate by the bilinear
    transform from their analogue prototypes."""
    k = math.tan(math.pi * 1681.974450955533 / rate)
    q = 0.7071752369554196
    vh = 10.0 ** (3.999843853973347 / 20.0)
    vb = vh ** 0.4996667741545416
    a0 = 1.0 + k / q + k * k
    shelf = _biquad(samples, (vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0,
                    (vh - vb * k / q + k * k) / a0, 2.0 * (k * k - 1.0) / a0,
                    (1.0 - k / q + k * k) / a0)
    k = math.tan(math.pi * 38.13547087602444 / rate)
    q = 0.5003270373238773
    a0 = 1.0 + k / q + k * k
    return _biquad(shelf, 1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0)


def loudness_db(samples, rate=RATE, weighted=True):
    """Gated loudness in dB on the scale of sox's "RMS lev dB": the mean power of 400 ms blocks (100 ms
    apart) that are neither near silence (-70 dB) nor 10 dB quieter than those blocks on
    average, so that pauses between sentences do not count. Weighted by ear_weighting() unless told not
    to, in which case it is the RMS level of the voiced part."""
    if weighted:
        samples = ear_weighting(samples, rate)
    block, hop = int(0.4 * rate), int(0.1 * rate)
    squares = [s * s for s in samples]
    powers, running = [], sum(squares[:block])
    for start in range(0, len(samples) - block + 1, hop):
        if start:
            running += sum(squares[start + block - hop:start + block])
            running -= sum(squares[start - hop:start])
        powers.append(max(0.0, running) / block)

    def level(power):
        return 10.0 * math.log10(power) if power > 0.0 else -math.inf

    loud = [p for p in powers if level(p) > -70.0]
    if not loud:
        return -math.inf
    gate = level(sum(loud) / len(loud)) - 10.0
    voiced = [p for p in loud if level(p) > gate]
    return level(sum(voiced) / len(voiced))


def peak_db(samples):
    peak = max((abs(s) for s in samples), default=0.0)
    return 20.0 * math.log10(peak) if peak > 0.0 else -math.inf


def limit(samples, ceiling_db, lookahead=0.005, release=0.08, rate=RATE):
    """Keeps every sample at or under the ceiling by turning the gain down smoothly around the
    few peaks above it. The gain each sample needs is spread to `lookahead` seconds either side
    (a running minimum), recovers with a `release` time constant, and is then averaged over the
    same span, so it falls and rises gently yet is never above what any peak needs."""
    ceiling = 10.0 ** (ceiling_db / 20.0)
    if not samples:
        return []
    need = [min(1.0, ceiling / abs(s)) if s else 1.0 for s in samples]
    reach = max(1, int(lookahead * rate))
    width = 2 * reach + 1
    # running minimum over the window centred on each sample (a monotonic queue)
    padded = [1.0] * reach + need + [1.0] * reach
    window, held = deque(), []
    for i, g in enumerate(padded):
        while window and padded[window[-1]] >= g:
            window.pop()
        window.append(i)
        if window[0] <= i - width:
            window.popleft()
        if i >= width - 1:
            held.append(padded[window[0]])
    recover = 1.0 - math.exp(-1.0 / (release * rate))
    gain, recovered = 1.0, []
    for g in held:
        gain = min(g, gain + (1.0 - gain) * recover)
        recovered.append(gain)
    # moving average over the same window: each average covers only gains at or under the
    # need of the sample in its middle (the ends are padded with the edge gains, which are)
    padded = [recovered[0]] * reach + recovered + [recovered[-1]] * reach
    total = sum(padded[:width])
    out = []
    for i, s in enumerate(samples):
        out.append(s * min(need[i], total / width))
        if i + width < len(padded):
            total += padded[i + width] - padded[i]
    return out


def to_loudness(samples, target_db, ceiling_db, rate=RATE):
    """Brings the samples to the target loudness_db(), limiting the peaks that would then pass
    the ceiling. Limiting takes a little loudness away, so the gain is corrected and the
    original limited again until the result is within 0.05 dB of the target (or gives up after
    a few rounds; the caller checks the result)."""
    gain_db = target_db - loudness_db(samples, rate)
    out = samples
    for _ in range(4):
        gain = 10.0 ** (gain_db / 20.0)
        out = limit([s * gain for s in samples], ceiling_db, rate=rate)
        error = target_db - loudness_db(out, rate)
        if abs(error) < 0.05:
            break
        gain_db += error
    return out


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
