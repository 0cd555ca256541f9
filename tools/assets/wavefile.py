"""Reading and writing the program's WAVE images.

The sound loader accepts only the canonical layout: a 44-byte header with a 16-byte "fmt " chunk
and the "data" chunk at offset 36, so every file is written here rather than left to a tool that
might add chunks of its own.
"""

import struct
import wave

RATE = 22050
HEADER_SIZE = 44


def to_pcm16(samples):
    """Floats in [-1, 1] to clipped, rounded 16-bit integers."""
    out = []
    for s in samples:
        v = int(round(s * 32767.0))
        out.append(32767 if v > 32767 else -32768 if v < -32768 else v)
    return out


def write_canonical(path, samples, rate=RATE):
    """Writes float samples as 16-bit mono PCM with the canonical 44-byte header."""
    pcm = to_pcm16(samples)
    data = struct.pack("<%dh" % len(pcm), *pcm)
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, rate, rate * 2, 2, 16)
    header += b"data" + struct.pack("<I", len(data))
    with open(path, "wb") as f:
        f.write(header + data)


def read_samples(path):
    """Reads a 16-bit mono WAVE file (any header layout) as (rate, float samples)."""
    with wave.open(str(path), "rb") as w:
        if w.getnchannels() != 1 or w.getsampwidth() != 2:
            raise ValueError("%s: expected 16-bit mono" % path)
        n = w.getnframes()
        pcm = struct.unpack("<%dh" % n, w.readframes(n))
        return w.getframerate(), [v / 32768.0 for v in pcm]


def canonical_problems(path, rate=RATE):
    """Lists every way the file differs from the canonical layout; empty when it is fine."""
    with open(path, "rb") as f:
        image = f.read()
    if len(image) < HEADER_SIZE:
        return ["shorter than the 44-byte header"]
    problems = []
    riff, riff_size, form = struct.unpack_from("<4sI4s", image, 0)
    fmt_id, fmt_size, tag, channels, srate, byte_rate, align, bits = struct.unpack_from(
        "<4sIHHIIHH", image, 12
    )
    data_id, data_size = struct.unpack_from("<4sI", image, 36)
    expected = [
        (riff == b"RIFF", "no RIFF id"),
        (form == b"WAVE", "no WAVE form"),
        (fmt_id == b"fmt ", "no fmt chunk at offset 12"),
        (fmt_size == 16, "fmt chunk is %d bytes, not 16" % fmt_size),
        (tag == 1, "not PCM"),
        (channels == 1, "%d channels, not mono" % channels),
        (srate == rate, "%d Hz, not %d" % (srate, rate)),
        (bits == 16, "%d bits, not 16" % bits),
        (byte_rate == rate * 2 and align == 2, "byte rate or block align inconsistent"),
        (data_id == b"data", "no data chunk at offset 36"),
        (data_size + HEADER_SIZE == len(image), "data size + 44 is not the file size"),
        (riff_size + 8 == len(image), "RIFF size + 8 is not the file size"),
    ]
    for ok, message in expected:
        if not ok:
            problems.append(message)
    return problems
