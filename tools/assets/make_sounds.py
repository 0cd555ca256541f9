#!/usr/bin/env python3
"""Writes every WAVE resource of Velmora into resources/wave/.

Voices come from voices/lines.tsv (flite, then sox) and are all brought to one loudness; the
footstep, the jingle and the two ambient loops are synthesised here from fixed seeds. A rerun
gives the same bytes. Every file is checked for the canonical 44-byte header, every voice line
for its loudness and peak, and the WAVE lines of resources/resources.list are compared with what
was written.
"""

import argparse
import re
import sys
import tempfile
from pathlib import Path

from ambience import crowd_loop, fire_loop
from cues import footstep, jingle
from dsp import loudness_db, peak_db, to_loudness
from speech import speak
from voice_script import load_lines, load_pronunciations, load_voices
from wavefile import RATE, canonical_problems, read_samples, write_canonical

ROOT = Path(__file__).resolve().parents[2]
LOOPS = {101: "fire-loop", 122: "crowd-loop"}
ONE_SHOTS = {102: "footstep", 106: "loading-jingle"}

# Every voice line is brought to this gated loudness (dsp.loudness_db, on the scale of sox's
# "RMS lev dB"), so that no speaker is louder than another however his voice peaks; the few
# peaks that would then pass the ceiling are limited.
SPEECH_LOUDNESS_DB = -18.0
SPEECH_CEILING_DB = -1.0
SPEECH_TOLERANCE_DB = 0.25


def speak_all(lines, voices, pronunciations, workdir):
    missing = sorted({line.speaker for line in lines} - voices.keys())
    if missing:
        raise SystemExit("no voice in voices.tsv for: %s" % ", ".join(missing))
    spoken = {}
    for line in lines:
        print("speaking %d (%s)" % (line.wave_id, line.speaker), flush=True)
        samples = speak(line, voices[line.speaker], pronunciations, workdir)
        spoken[line.wave_id] = to_loudness(samples, SPEECH_LOUDNESS_DB, SPEECH_CEILING_DB)
    return spoken


def render_all(workdir, lines):
    """Every resource as (id, file name, samples), in id order."""
    spoken = speak_all(lines, load_voices(), load_pronunciations(), workdir)
    sounds = [(line.wave_id, line.file_name, spoken[line.wave_id]) for line in lines]
    print("synthesising the footstep, the jingle and the two loops", flush=True)
    answers = [spoken[line.wave_id] for line in lines if len(spoken[line.wave_id]) > 15 * RATE]
    synthesised = {
        101: fire_loop(),
        102: footstep(),
        106: jingle(workdir),
        122: crowd_loop(answers, workdir),
    }
    names = {**LOOPS, **ONE_SHOTS}
    for wave_id, samples in synthesised.items():
        sounds.append((wave_id, "%d-%s.wav" % (wave_id, names[wave_id]), samples))
    return sorted(sounds)


def seam_rank(samples):
    """How many of the loop's own sample-to-sample steps are smaller than the jump from its
    last sample back to its first, in per cent: a click would stand at 100."""
    seam = abs(samples[0] - samples[-1])
    steps = [abs(b - a) for a, b in zip(samples, samples[1:])]
    return 100.0 * sum(step < seam for step in steps) / len(steps)


def speech_problems(path):
    """How a written voice line misses the common loudness or passes the ceiling."""
    rate, samples = read_samples(path)
    loudness, peak = loudness_db(samples, rate), peak_db(samples)
    problems = []
    if abs(loudness - SPEECH_LOUDNESS_DB) > SPEECH_TOLERANCE_DB:
        problems.append("loudness %.2f dB, not %.1f" % (loudness, SPEECH_LOUDNESS_DB))
    if peak > SPEECH_CEILING_DB + 0.01:
        problems.append("peak %.2f dBFS, above %.1f" % (peak, SPEECH_CEILING_DB))
    return problems, "loudness %.2f dB, peak %.2f dBFS" % (loudness, peak)


def write_all(sounds, out_dir, speech_ids):
    out_dir.mkdir(parents=True, exist_ok=True)
    failed = False
    for wave_id, file_name, samples in sounds:
        path = out_dir / file_name
        write_canonical(path, samples)
        problems = canonical_problems(path)
        levels = ""
        if wave_id in speech_ids:
            speech, levels = speech_problems(path)
            problems += speech
        failed |= bool(problems)
        note = "; ".join(problems) if problems else "ok"
        if levels:
            note += ", " + levels
        if wave_id in LOOPS:
            note += ", loop seam larger than %.0f%% of its steps" % seam_rank(samples)
        print("%-30s %6.2f s %9d bytes  %s" % (file_name, len(samples) / RATE,
                                              path.stat().st_size, note))
    written = {file_name for _, file_name, _ in sounds}
    for stale in sorted(out_dir.glob("*.wav")):
        if stale.name not in written:
            print("removing %s, which no resource uses any more" % stale.name)
            stale.unlink()
    return not failed


def check_resource_list(sounds, list_path):
    """The list's WAVE lines must name exactly the files written, in one block."""
    expected = ["WAVE %d wave/%s" % (wave_id, name) for wave_id, name, _ in sounds]
    listed = [raw.strip() for raw in list_path.read_text(encoding="utf-8").splitlines()
              if re.match(r"\s*WAVE\s", raw)]
    if [re.sub(r"\s+", " ", line) for line in listed] == expected:
        return True
    print("%s does not list these files; its WAVE block should read:" % list_path)
    print("\n".join(expected))
    return False


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=Path, default=ROOT / "resources" / "wave",
                        help="folder to write the WAVE files into (default: resources/wave)")
    parser.add_argument("--list", type=Path, default=ROOT / "resources" / "resources.list",
                        help="resource list whose WAVE lines are checked")
    args = parser.parse_args()
    lines = load_lines()
    with tempfile.TemporaryDirectory(prefix="velmora-sounds-") as tmp:
        sounds = render_all(Path(tmp), lines)
    ok = write_all(sounds, args.out, {line.wave_id for line in lines})
    ok &= check_resource_list(sounds, args.list)
    total = sum(path.stat().st_size for path in args.out.glob("*.wav"))
    print("%d files, %.1f MB in %s" % (len(sounds), total / 1e6, args.out))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
