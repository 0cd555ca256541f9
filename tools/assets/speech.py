"""Speaking one line with flite and bringing it to the program's rate with sox."""

import subprocess

from voice_script import respell
from wavefile import RATE, read_samples

# -R seeds sox's generators and -D turns dithering off, so a rerun gives the same bytes.
SOX = ["sox", "-R", "-D"]


def flite_command(voice, text_file, out_file):
    command = ["flite", "-voice", voice.flite_voice]
    command += ["--setf", "duration_stretch=%g" % voice.duration_stretch]
    if voice.pitch_hz is not None:
        command += ["--setf", "int_f0_target_mean=%d" % voice.pitch_hz]
    return command + ["-f", str(text_file), "-o", str(out_file)]


def sox_command(voice, raw_file, out_file):
    effects = []
    if voice.speed != 1.0:
        effects += ["speed", "%g" % voice.speed]
    effects += ["rate", "-v", str(RATE), "gain", "-n", "-1"]
    return SOX + [str(raw_file), "-b", "16", "-c", "1", str(out_file)] + effects


def speak(line, voice, pronunciations, workdir):
    """Returns the line as float samples at the program's rate, peaking at -1 dBFS (the
    generator then brings every line to one loudness)."""
    text_file = workdir / ("%d.txt" % line.wave_id)
    raw_file = workdir / ("%d-flite.wav" % line.wave_id)
    out_file = workdir / ("%d-voice.wav" % line.wave_id)
    text_file.write_text(respell(line.text, pronunciations) + "\n", encoding="utf-8")
    subprocess.run(flite_command(voice, text_file, raw_file), check=True)
    subprocess.run(sox_command(voice, raw_file, out_file), check=True)
    rate, samples = read_samples(out_file)
    if rate != RATE:
        raise RuntimeError("%s: sox gave %d Hz" % (out_file, rate))
    return samples
