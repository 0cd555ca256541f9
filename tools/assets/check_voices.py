#!/usr/bin/env python3
"""Transcribes every spoken line with pocketsphinx and reports how much of its script came back.

For each line of voices/lines.tsv the WAVE file is converted to 16 kHz (what the recogniser's
model wants), transcribed with pocketsphinx_continuous, and scored as the share of script words
found in the transcript (each script word counts as often as it occurs in both). Names and Latin
words are rarely in the recogniser's vocabulary, so a clear line still scores below 100 %.
Exits 1 when any line falls under --min.
"""

import argparse
import shutil
import subprocess
import sys
import tempfile
from collections import Counter
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

from voice_script import load_lines, script_words

ROOT = Path(__file__).resolve().parents[2]


def transcribe(wave_path, workdir):
    sixteen = workdir / (wave_path.stem + "-16k.wav")
    subprocess.run(["sox", "-D", str(wave_path), "-r", "16000", "-c", "1", "-b", "16",
                    str(sixteen)], check=True)
    result = subprocess.run(["pocketsphinx_continuous", "-infile", str(sixteen)],
                            capture_output=True, text=True, check=True)
    return " ".join(result.stdout.split())


def recovered(script, transcript):
    """Share of the script's words that the transcript contains."""
    wanted, heard = Counter(script_words(script)), Counter(script_words(transcript))
    found = sum(min(count, heard[word]) for word, count in wanted.items())
    return found / max(1, sum(wanted.values()))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--waves", type=Path, default=ROOT / "resources" / "wave",
                        help="folder holding the WAVE files (default: resources/wave)")
    parser.add_argument("--min", type=float, default=0.5,
                        help="lowest acceptable share of words per line (default 0.5)")
    parser.add_argument("-j", "--jobs", type=int, default=2,
                        help="transcriptions run at once (default 2)")
    parser.add_argument("-v", "--verbose", action="store_true", help="print the transcripts")
    args = parser.parse_args()
    if shutil.which("pocketsphinx_continuous") is None:
        sys.exit("pocketsphinx_continuous is missing: apt-get install pocketsphinx "
                 "pocketsphinx-en-us")
    scores, by_speaker = [], {}
    lines = load_lines()
    with tempfile.TemporaryDirectory(prefix="velmora-check-") as tmp:
        with ThreadPoolExecutor(max(1, args.jobs)) as pool:
            transcripts = pool.map(lambda line: transcribe(args.waves / line.file_name, Path(tmp)),
                                   lines)
        for line, transcript in zip(lines, transcripts):
            score = recovered(line.text, transcript)
            scores.append((line, score))
            by_speaker.setdefault(line.speaker, []).append(score)
            print("%-30s %-10s %5.1f %%" % (line.file_name, line.speaker, 100 * score),
                  flush=True)
            if args.verbose:
                print("    heard: %s" % transcript)
    for speaker, values in sorted(by_speaker.items()):
        print("%-10s mean %5.1f %%  worst %5.1f %%" % (speaker, 100 * sum(values) / len(values),
                                                      100 * min(values)))
    overall = sum(score for _, score in scores) / len(scores)
    print("all lines  mean %5.1f %%" % (100 * overall))
    poor = [line.file_name for line, score in scores if score < args.min]
    if poor:
        print("below %.0f %%: %s" % (100 * args.min, ", ".join(poor)))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
