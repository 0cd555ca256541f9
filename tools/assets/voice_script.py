"""The committed scripts of the spoken lines and the voices that speak them (voices/*.tsv)."""

import re
from dataclasses import dataclass
from pathlib import Path

VOICES_DIR = Path(__file__).resolve().parent / "voices"


@dataclass(frozen=True)
class Line:
    wave_id: int
    name: str
    speaker: str
    text: str

    @property
    def file_name(self):
        return "%d-%s.wav" % (self.wave_id, self.name)


@dataclass(frozen=True)
class Voice:
    flite_voice: str
    duration_stretch: float
    pitch_hz: int | None  # None keeps the voice's own pitch
    speed: float  # sox speed factor: pitch and tempo together


def _rows(path, columns):
    """Tab-separated rows of a table, skipping blank and # lines; checks the column count."""
    rows = []
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not raw.strip() or raw.startswith("#"):
            continue
        fields = raw.split("\t")
        if len(fields) != columns:
            raise ValueError("%s:%d: expected %d tab-separated columns" % (path, number, columns))
        rows.append(fields)
    return rows


def load_lines(path=VOICES_DIR / "lines.tsv"):
    lines = [Line(int(i), name, speaker, text) for i, name, speaker, text in _rows(path, 4)]
    ids = [line.wave_id for line in lines]
    if len(set(ids)) != len(ids):
        raise ValueError("%s: a WAVE id appears twice" % path)
    return lines


def load_voices(path=VOICES_DIR / "voices.tsv"):
    voices = {}
    for speaker, flite_voice, stretch, pitch, speed in _rows(path, 5):
        pitch_hz = None if pitch == "-" else int(pitch)
        voices[speaker] = Voice(flite_voice, float(stretch), pitch_hz, float(speed))
    return voices


def load_pronunciations(path=VOICES_DIR / "pronunciations.tsv"):
    return dict(_rows(path, 2))


def respell(text, pronunciations):
    """Replaces whole words by their respellings for the synthesiser."""
    for word, spoken in pronunciations.items():
        text = re.sub(r"\b%s\b" % re.escape(word), spoken, text)
    return text


def script_words(text):
    """The words of a line as a recogniser would write them: lower case, hyphens split."""
    text = text.lower().replace("-", " ")
    return re.findall(r"[a-z]+(?:'[a-z]+)?", text)
