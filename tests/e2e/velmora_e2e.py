#!/usr/bin/env python3
"""End-to-end tests of Velmora's real window: each scenario starts its own Xvfb, runs the
program, drives it with xdotool, looks at screenshots taken with ImageMagick's import and
listens to what OpenAL Soft's wave backend recorded.

Every step waits for something it can observe (a window, a frame equal to velmora-snap's, a
panel, a sound in the recording, the process ending) with a generous deadline, so a slow or busy
machine makes a scenario slower, never wrong. Times in recordings are positions in the recorded
sound, never wall-clock times.

usage: velmora_e2e.py VELMORA VELMORA_SNAP SCENARIO
Run from the repository root. Exit code 0: passed, 1: failed, 77: skipped (no xvfb-run/xdotool).
"""
import atexit
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

SKIP = 77
DEADLINE = 60  # seconds; only a broken program takes this long
HERE = os.path.dirname(os.path.abspath(__file__))
SCRATCH = tempfile.mkdtemp(prefix="velmora-e2e-")  # removed at exit
atexit.register(shutil.rmtree, SCRATCH, True)
CONFIG = os.path.join(SCRATCH, "config")  # XDG_CONFIG_HOME of every run of a scenario
PICTURES = os.path.join(SCRATCH, "pictures")  # the XDG Pictures folder, where F12 saves
os.makedirs(CONFIG)
with open(os.path.join(CONFIG, "user-dirs.dirs"), "w") as f:
    f.write(f'XDG_PICTURES_DIR="{PICTURES}"\n')
SCREEN = (1920, 1080)
FRAME_W, FRAME_H = 1000, 400
PARCHMENT = (234, 222, 190)
# Walking straight ahead from the small world's start reaches the plebeian's zone after 23 steps.
ROUTE = ["Up"] * 25
QUIET = 0.02  # peak level below which a stretch of recording counts as silence


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)
    print("ok:", message)


def wait_for(predicate, what, timeout=DEADLINE, interval=0.05):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    raise Failure(f"timed out after {timeout} s waiting for {what}")


# ---------------------------------------------------------------- X and pictures

def xdo(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=30).stdout.split()


def windows_named(name):
    return xdo("search", "--onlyvisible", "--name", f"^{name}$")


def wait_window(name):
    return wait_for(lambda: windows_named(name), f"a window named {name!r}")[0]


def press(window, *keys, delay=20):
    """Focuses the window, then types the keys as a user would (no --window: GTK drops those)."""
    xdo("windowfocus", "--sync", window)
    xdo("key", "--delay", str(delay), *keys)


class Shot:
    """An RGB picture: the whole screen, or a file read through ImageMagick."""

    def __init__(self, command=("import", "-window", "root")):
        data = subprocess.run([*command, "-depth", "8", "ppm:-"],
                              capture_output=True, check=True, timeout=30).stdout
        header = data.split(maxsplit=4)  # P6, width, height, maxval, pixels
        self.width, self.height = int(header[1]), int(header[2])
        self.pixels = data[len(data) - 3 * self.width * self.height:]

    def rgb(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def region(self, x, y, w, h, step=2):
        return [self.rgb(i, j) for j in range(y, y + h, step) for i in range(x, x + w, step)]


def fraction(pixels, predicate):
    return sum(1 for p in pixels if predicate(p)) / len(pixels)


def differing(a, b):
    return sum(1 for p, q in zip(a, b) if sum(abs(i - j) for i, j in zip(p, q)) > 30) / len(a)


def snap_frame(snap, directory, keys=()):
    """The frame velmora-snap draws of the world in the directory after the keys."""
    picture = os.path.join(tempfile.mkdtemp(dir=SCRATCH), "snap.png")
    subprocess.run([snap, "--out", picture, *(["--keys", " ".join(keys)] if keys else [])],
                   cwd=directory, check=True, timeout=DEADLINE)
    return Shot(("convert", picture)).region(0, 0, FRAME_W, FRAME_H)


class Frame:
    """Where the 1000 x 400 frame lies: the 1024 x 768 picture is centred on black below the
    menu bar at a whole zoom, the frame at the top of the picture, 12 pixels in."""

    def __init__(self, x, y, menu_bar, zoom):
        self.x, self.y, self.menu_bar, self.zoom = x, y, menu_bar, zoom

    @staticmethod
    def find(zoom=1):
        """Screenshots until the frame is drawn where it lies at that zoom; returns (frame, shot)."""
        def look():
            shot = Shot()
            column = [sum(shot.rgb(shot.width // 2, y)) for y in range(shot.height // 2)]
            bar = next((y for y, v in enumerate(column) if v < 30), None)
            top = next((y for y in range(bar or 0, len(column)) if column[y] >= 30), None)
            if not (bar and top and top == bar + (shot.height - bar - 768 * zoom) // 2):
                return None
            return Frame((shot.width - 1024 * zoom) // 2 + 12 * zoom, top, bar, zoom), shot
        frame, shot = wait_for(look, f"the frame to be drawn at zoom {zoom}", interval=0)
        check(10 < frame.menu_bar < 60, f"the frame sits at ({frame.x}, {frame.y}), zoomed {zoom} "
              f"times, centred below a menu bar {frame.menu_bar} pixels high")
        return frame, shot

    def pixels(self, shot, x=0, y=0, w=FRAME_W, h=FRAME_H, step=2):
        """The frame's pixels in that part of it, every step-th in both directions."""
        z = self.zoom
        return [shot.rgb(self.x + z * i, self.y + z * j)
                for j in range(y, y + h, step) for i in range(x, x + w, step)]

    def sky(self, shot):
        return fraction(self.pixels(shot, 0, 0, FRAME_W, 100), lambda p: p[2] > 150 and p[2] > p[0] + 40)

    def panel(self, shot):
        return fraction(self.pixels(shot, 300, 25, 500, 300),
                        lambda p: all(abs(c - e) < 40 for c, e in zip(p, PARCHMENT)))

    def wait(self, condition, what):
        """Screenshots until the condition holds for one; returns that shot."""
        return wait_for(lambda: (lambda shot: shot if condition(shot) else None)(Shot()), what, interval=0)

    def wait_equal(self, expected, what):
        return self.wait(lambda shot: differing(self.pixels(shot), expected) < 0.02, what)


# ---------------------------------------------------------------- sound

class Recording:
    """A wave file written by OpenAL Soft: peak level per 20 ms window. Positions are seconds
    from the start of the recording."""
    WINDOW = 0.02

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
            raise Failure(f"{path} is not a wave file")
        position, chunks = 12, {}
        while position + 8 <= len(data):
            tag, size = data[position:position + 4], struct.unpack("<I", data[position + 4:position + 8])[0]
            chunks[tag] = position + 8
            if tag == b"data":
                break
            position += 8 + size + (size & 1)
        start = chunks[b"fmt "]
        _, channels, rate, _, align, bits = struct.unpack("<HHIIHH", data[start:start + 16])
        if bits != 16:
            raise Failure(f"{path} holds {bits}-bit samples, not the 16 bits asked for")
        start = chunks[b"data"]
        values = memoryview(data[start:start + (len(data) - start) // align * align]).cast("h")
        step = max(1, int(rate * self.WINDOW)) * channels
        self.loudness = [max(map(abs, values[i:i + step])) / 32768.0
                         for i in range(0, len(values) - step + 1, step)]
        self.duration = len(self.loudness) * self.WINDOW

    def bursts(self, gap=0.15):
        """Spans (start, end) where the level stays above QUIET, gaps shorter than `gap` bridged."""
        spans = []
        for i, level in enumerate(self.loudness):
            t = i * self.WINDOW
            if level > QUIET:
                if spans and t - spans[-1][1] <= gap:
                    spans[-1][1] = t + self.WINDOW
                else:
                    spans.append([t, t + self.WINDOW])
        return [tuple(s) for s in spans]

    def level(self, start, end):
        return max(self.loudness[max(0, int(start / self.WINDOW)):max(0, int(end / self.WINDOW))], default=0.0)


# ---------------------------------------------------------------- the program

class Velmora:
    """The program, started in a directory with its data/, with OpenAL Soft's null backend or
    its wave backend recording to a file; what it prints is kept."""

    def __init__(self, binary, cwd, recording=False, debug=False, arguments=()):
        self.recording = os.path.join(tempfile.mkdtemp(dir=SCRATCH), "heard.wav") if recording else None
        config = os.path.join(tempfile.mkdtemp(dir=SCRATCH), "alsoft.conf")
        with open(config, "w") as f:
            f.write(f"[general]\ndrivers={'wave' if recording else 'null'}\n"
                    "channels=mono\nfrequency=22050\nsample-type=int16\n")
            if recording:
                f.write(f"[wave]\nfile={self.recording}\n")
        # Settings and saved frames stay in the scenario's own folders.
        env = dict(os.environ, ALSOFT_CONF=config, XDG_CONFIG_HOME=CONFIG)
        env.pop("ALSOFT_DRIVERS", None)
        if debug:
            env["G_MESSAGES_DEBUG"] = "all"
        self.output = tempfile.TemporaryFile()
        self.process = subprocess.Popen([binary, *arguments], cwd=cwd, env=env, stdout=self.output,
                                        stderr=subprocess.STDOUT)
        self.window = None

    def said(self):
        self.output.seek(0)
        return self.output.read().decode(errors="replace")

    def wait_window(self):
        try:
            self.window = wait_window("Velmora")
        except Failure as failure:
            raise Failure(f"{failure}; exit code {self.process.poll()}, said {self.said()[-2000:]!r}")
        return self.window

    def exit_by_menu(self):
        press(self.window, "alt+f", "x")
        return self.wait_exit()

    def wait_exit(self):
        try:
            return self.process.wait(DEADLINE)
        except subprocess.TimeoutExpired:
            if shutil.which("gdb"):  # where it hangs
                subprocess.run(["gdb", "-p", str(self.process.pid), "-batch", "-ex",
                                "thread apply all bt"], stdin=subprocess.DEVNULL, timeout=60)
            raise Failure(f"the program did not end within {DEADLINE} s")

    def heard(self):
        """What has been recorded so far (an empty recording before the device opened)."""
        try:
            return Recording(self.recording)
        except (OSError, KeyError, struct.error):
            return None

    def mark(self):
        """The recording's position now: what is played from now on lies after it."""
        heard = self.heard()
        return heard.duration if heard else 0.0

    def wait_heard(self, condition, what):
        return wait_for(lambda: (lambda h: h if h and condition(h) else None)(self.heard()), what)

    def wait_quiet(self):
        """Waits until everything played so far has ended (half a second of silence)."""
        self.wait_heard(lambda h: h.bursts() and h.duration > h.bursts()[-1][1] + 0.5, "silence")

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, *failure):
        self.stop()


def scratch_world(name):
    """A copy of one of the small worlds next to this script, as a working directory."""
    directory = tempfile.mkdtemp(dir=SCRATCH)
    shutil.copytree(os.path.join(HERE, name, "data"), os.path.join(directory, "data"))
    return directory


def slow_world():
    """A world that takes many seconds to load, whatever the machine: a chain of 20,000 parallel
    walls, each beyond the last, so that every level of the tree sorts all the walls behind it
    (about 400 million sorts, just under the build's limit)."""
    directory = scratch_world("world")
    path = os.path.join(directory, "data", "square.txt")
    with open(path) as f:
        world = f.read().replace("\nEND\n", "\n")
    with open(path, "w") as f:
        f.write(world + "OBJECT_DEFINITION\nchain\n0\nOBJECT_ROTATION_SERIES\nchain\nwall\n"
                "0,0,0\n0,20000,10\nOBJECT_INSTANCE\nchain\n0,0,2000\nEND\n")
    return directory


def wait_square(program):
    """Waits for the window and the square; returns (frame, shot)."""
    program.wait_window()
    frame = Frame.find()[0]
    return frame, frame.wait(lambda shot: frame.sky(shot) > 0.3, "the square (blue sky in the frame)")


def loading_screen_then_close(program, close):
    """Checks the frame shows the loading screen, closes, and checks the load was cut short."""
    window = program.wait_window()
    frame, first = Frame.find()
    check(frame.sky(first) < 0.05 and fraction(frame.pixels(first), lambda p: sum(p) < 30) < 0.1,
          "the first frame drawn is the loading screen")
    close(window, frame)
    code = program.wait_exit()
    check(code == 0, f"closing during the load ends the program with code 0 ({code})")
    check("loading stopped" in program.said(), "the load was stopped, not waited for")
    return frame, first


# ---------------------------------------------------------------- scenarios

def scenario_no_display(velmora, snap):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    result = subprocess.run([velmora], env=env, capture_output=True, text=True, timeout=DEADLINE)
    check(result.returncode == 1, f"without a display the program exits with 1 ({result.returncode})")
    check(len(result.stderr.strip().splitlines()) == 1,
          f"and prints one line of help: {result.stderr.strip()!r}")
    # The command line is read before any display is needed.
    for arguments, code, stream in [(["--help"], 0, "stdout"), (["--version"], 0, "stdout"),
                                    (["--zoom", "0"], 2, "stderr"), (["--zoom", "1e9"], 2, "stderr"),
                                    (["--frobnicate"], 2, "stderr"), (["extra"], 2, "stderr")]:
        result = subprocess.run([velmora, *arguments], env=env, capture_output=True, text=True,
                                timeout=DEADLINE)
        said = getattr(result, stream)
        check(result.returncode == code and ("Usage:" in said or said.startswith("velmora ")),
              f"velmora {' '.join(arguments)} exits with {code} and prints on {stream}: {said[:60]!r}")


def scenario_loading(velmora, snap):
    """The loading screen, then File > Exit by mouse while the world still loads."""
    def close_by_mouse(window, frame):
        bar, before = frame.menu_bar, Shot()
        changed = lambda shot, y: differing(shot.region(0, y, 200, 1), before.region(0, y, 200, 1)) > 0.3
        xdo("mousemove", "15", str(bar // 2), "click", "1")
        opened = wait_for(lambda: (lambda shot: shot if changed(shot, bar + 10) else None)(Shot()),
                          "the File menu")
        # Exit is the menu's last item: click just above the bottom of what the menu covers.
        bottom = max(y for y in range(bar, bar + 300) if changed(opened, y))
        xdo("mousemove", "30", str(bottom - 12), "click", "1")

    with Velmora(velmora, slow_world(), debug=True) as program:
        frame, first = loading_screen_then_close(program, close_by_mouse)
        check(fraction(first.region(600, frame.y + FRAME_H + 40, 720, 150), lambda p: sum(p) > 90) > 0.9,
              "the bottom panel is shown below the frame")


def scenario_close_loading(velmora, snap):
    directory = slow_world()
    for run in range(3):
        with Velmora(velmora, directory, debug=True) as program:
            loading_screen_then_close(program, lambda window, frame: press(window, "alt+f", "x"))
            print(f"ok: run {run + 1}")


def scenario_walk(velmora, snap):
    directory = scratch_world("world")
    with Velmora(velmora, directory) as program:
        frame, _ = wait_square(program)
        check(xdo("getwindowname", program.window) == ["Velmora"], "the window is titled Velmora")
        check(program.window in xdo("search", "--class", "^MYKORVEN$"), "its class is MYKORVEN")
        check(program.window in xdo("search", "--classname", "^org.velmora.Velmora$"),
              "its name is the desktop entry's id")
        frame.wait_equal(snap_frame(snap, directory), "the frame velmora-snap draws")
        print("ok: the square is the frame velmora-snap draws")
        keys = []
        # Turning right first keeps the heading away from north, where the sky jumps by design.
        for name, more in [("five steps forward", ["Up"] * 5), ("turning right", ["Right"] * 5),
                           ("turning back", ["Left"] * 5), ("five steps back", ["Down"] * 5)]:
            keys += more
            press(program.window, *more)
            frame.wait_equal(snap_frame(snap, directory, keys), f"the frame after {name}")
            print(f"ok: after {name} the window shows velmora-snap's frame")
        check(program.exit_by_menu() == 0, "File > Exit ends the program with code 0")


def scenario_about(velmora, snap):
    with Velmora(velmora, scratch_world("world")) as program:
        wait_square(program)
        for opener, closer in [(["alt+slash"], "Return"), (["alt+h", "a"], "Escape"),
                               (["alt+question"], "Return")]:
            press(program.window, *opener)
            about = wait_window("About  Quarnel")
            print(f"ok: {'+'.join(opener)} opens the About box")
            press(about, closer)
            wait_for(lambda: not windows_named("About  Quarnel"), f"the About box to close on {closer}")
            check(program.process.poll() is None, f"{closer} closes it and the program goes on")
        check(program.exit_by_menu() == 0, "File > Exit ends the program with code 0")


def scenario_broken_world(velmora, snap):
    with Velmora(velmora, scratch_world("broken")) as program:
        error = wait_window("Error")
        check(program.process.poll() is None, "a broken world file shows the Error box and waits")
        press(error, "Return")
        code = program.wait_exit()
        check(code == 5, f"after Return the program ends with code 5 ({code})")


def scenario_sound(velmora, snap):
    with Velmora(velmora, scratch_world("world"), recording=True) as program:
        wait_square(program)
        program.wait_quiet()
        for step in range(3):
            before = program.mark()
            press(program.window, "Up")
            program.wait_heard(lambda h: h.bursts()[-1][0] >= before and h.duration > h.bursts()[-1][1] + 0.3,
                               f"footstep {step + 1}")
        check(program.exit_by_menu() == 0, "File > Exit ends the program with code 0")
    bursts = Recording(program.recording).bursts()
    print("bursts heard:", ", ".join(f"{a:.2f}-{b:.2f}" for a, b in bursts))
    check(len(bursts) == 4 and bursts[0][1] - bursts[0][0] > 1.0,
          "the recording holds one long sound (the end-of-loading jingle), then three more")
    check(all(b - a < 0.6 for a, b in bursts[1:]), "each step played one short footstep")


def walk_to_plebeian(snap, directory):
    """Checks with velmora-snap that the route reaches the plebeian in this world."""
    report = subprocess.run([snap, "--stats", "--keys", " ".join(ROUTE + ["tick"])], cwd=directory,
                            capture_output=True, text=True, timeout=DEADLINE).stdout
    talked = [line for line in report.splitlines() if line.startswith("talked:")]
    check(talked and "plebeian" in talked[0], f"velmora-snap agrees the route meets the plebeian ({talked})")


def scenario_figure(velmora, snap):
    directory = scratch_world("world")
    walk_to_plebeian(snap, directory)
    with Velmora(velmora, directory, recording=True) as program:
        frame, square = wait_square(program)
        program.wait_quiet()
        check(frame.panel(square) < 0.2, "no dialogue panel before the walk")
        plate = lambda shot: frame.pixels(shot, 143, 490, 700, 140, step=4)  # the caption's place
        walked = program.mark()
        press(program.window, *ROUTE, delay=15)
        frame.wait(lambda shot: differing(plate(shot), plate(square)) > 0.05, "the greeting's caption")
        menu = frame.wait(lambda shot: frame.panel(shot) > 0.6, "the dialogue panel")
        opened = program.mark()
        lines = [fraction(frame.pixels(menu, 330, y, 330, 24), lambda p: sum(p) < 300)
                 for y in (70, 130, 160, 190, 220, 250)]
        check(all(f > 0.02 for f in lines[:5]) and lines[5] < 0.005,
              f"it shows a question, three topics and ESC DONE ({', '.join(f'{f:.1%}' for f in lines)})")
        greeting = [b for b in program.heard().bursts(gap=0.4) if b[0] >= walked]
        check(greeting and greeting[-1][1] - greeting[-1][0] > 2.0 and greeting[-1][1] <= opened + 0.3,
              f"a greeting of several seconds played, and ended before the menu opened ({greeting})")
        asked = program.mark()
        press(program.window, "1")
        program.wait_heard(lambda h: h.level(asked, h.duration) > 0.05, "the answer to 1")
        check(frame.panel(Shot()) > 0.6, "the menu stays open while the answer plays")
        escaped = program.mark()
        press(program.window, "Escape")
        closed = frame.wait(lambda shot: frame.panel(shot) < 0.2, "the dialogue panel to go")
        check(differing(plate(closed), plate(square)) < 0.01, "Esc takes the answer's caption away")
        heard = program.wait_heard(lambda h: h.duration > escaped + 2.0, "two seconds after Esc")
        check(heard.level(escaped + 0.5, escaped + 2.0) < QUIET, "Esc stops the answer")
        press(program.window, "Down", "Down", "Down")
        frame.wait(lambda shot: differing(frame.pixels(closed), frame.pixels(shot)) > 0.05,
                   "the visitor to walk after Esc")
        print("ok: after Esc the visitor can walk again")
        check(program.exit_by_menu() == 0, "File > Exit ends the program with code 0")


def scenario_close_talking(velmora, snap):
    directory = scratch_world("world")
    walk_to_plebeian(snap, directory)
    for run in range(5):
        with Velmora(velmora, directory, recording=True) as program:
            wait_square(program)
            program.wait_quiet()
            walked = program.mark()
            press(program.window, *ROUTE, delay=10)
            # The footsteps end well within a second; sound after that is the greeting.
            program.wait_heard(lambda h: h.level(walked + 1.0, h.duration) > QUIET, "the greeting")
            code = program.exit_by_menu()
        check(code == 0, f"run {run + 1}: closing while the greeting plays gives code 0 ({code})")


def scenario_zoom(velmora, snap):
    """On a 3840 x 2160 screen the picture starts at twice its size with square pixels; a zoom
    chosen with Ctrl+- is remembered by the next run."""
    directory = scratch_world("world")
    with Velmora(velmora, directory) as program:
        program.wait_window()
        frame, _ = Frame.find(zoom=2)
        shot = frame.wait_equal(snap_frame(snap, directory), "velmora-snap's frame, at twice its size")
        blocks = [(shot.rgb(frame.x + 2 * i, frame.y + 2 * j), shot.rgb(frame.x + 2 * i + 1, frame.y + 2 * j + 1))
                  for j in range(0, FRAME_H, 7) for i in range(0, FRAME_W, 7)]
        check(all(a == b for a, b in blocks), "each pixel of the frame is a sharp 2 x 2 square")
        press(program.window, "F12")
        saved = wait_for(lambda: os.path.isdir(PICTURES) and [f for f in os.listdir(PICTURES)
                                                             if f.endswith(".png")], "F12's picture")
        check(len(saved) == 1 and saved[0].startswith("velmora-") and saved[0].endswith(".png"),
              f"F12 saves the frame as {saved[0]} in the Pictures folder")
        picture = Shot(("convert", os.path.join(PICTURES, saved[0])))
        check(differing(picture.region(0, 0, FRAME_W, FRAME_H), snap_frame(snap, directory)) < 0.02,
              "the saved picture is the frame at its own size")
        press(program.window, "ctrl+minus")
        Frame.find(zoom=1)
        check(program.exit_by_menu() == 0, "File > Exit ends the program with code 0")
    with open(os.path.join(CONFIG, "velmora", "settings.ini")) as f:
        check("zoom=1" in f.read().split(), "the settings file keeps the chosen zoom")
    with Velmora(velmora, directory) as program:
        program.wait_window()
        Frame.find(zoom=1)
        check(program.exit_by_menu() == 0, "the next run starts at the chosen zoom")


def scenario_watch(velmora, snap):
    """With --watch a save reloads the world where the visitor stands; a save that does not load
    keeps the last good world and writes its error on the bottom panel until a good save."""
    directory = scratch_world("world")
    path = os.path.join(directory, "data", "square.txt")
    with open(path) as f:
        good = f.read()

    def save(text):  # as many editors do: a new file renamed over the old
        with open(path + ".new", "w") as f:
            f.write(text)
        os.replace(path + ".new", path)

    with Velmora(velmora, directory, arguments=["--watch"]) as program:
        frame, square = wait_square(program)
        plate = lambda shot: frame.pixels(shot, 143, 490, 700, 140, step=4)  # the caption's place
        press(program.window, "Up", "Up")
        save(good.replace("180,170,150", "40,90,200"))
        shown = frame.wait_equal(snap_frame(snap, directory, ["Up", "Up"]), "the saved world, seen from two steps on")
        save(good.replace("COLOR_FILL", "COLOUR_FILL", 1))
        broken = frame.wait(lambda shot: differing(plate(shot), plate(square)) > 0.05, "the error on the bottom panel")
        check(differing(frame.pixels(broken), frame.pixels(shown)) < 0.02 and program.process.poll() is None,
              "a save that does not load keeps the last good world on screen, and the program runs on")
        save(good)
        frame.wait(lambda shot: differing(plate(shot), plate(square)) < 0.01, "a good save to take the error away")
        check(program.exit_by_menu() == 0, "File > Exit ends the program with code 0")


SCREENS = {"zoom": (3840, 2160)}  # the others run on SCREEN

SCENARIOS = {
    "no-display": scenario_no_display,
    "loading": scenario_loading,
    "close-loading": scenario_close_loading,
    "walk": scenario_walk,
    "about": scenario_about,
    "broken-world": scenario_broken_world,
    "sound": scenario_sound,
    "figure": scenario_figure,
    "close-talking": scenario_close_talking,
    "zoom": scenario_zoom,
    "watch": scenario_watch,
}


def main():
    if len(sys.argv) != 4 or sys.argv[3] not in SCENARIOS:
        sys.exit(__doc__ + "scenarios: " + " ".join(SCENARIOS))
    velmora, snap, name = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3]
    if name != "no-display" and "VELMORA_E2E_INSIDE" not in os.environ:
        missing = [t for t in ("xvfb-run", "xdotool", "import", "convert") if not shutil.which(t)]
        if missing:
            print("skipped: missing", " ".join(missing))
            sys.exit(SKIP)
        os.environ["VELMORA_E2E_INSIDE"] = "1"
        # -noreset: an X server that resets when its last client leaves drops the connections
        # that arrive meanwhile, which fails a program started right after another one ended.
        server = "-screen 0 %dx%dx24 -noreset" % SCREENS.get(name, SCREEN)
        command = ["xvfb-run", "-a", "-s", server, sys.executable, *sys.argv]
        sys.exit(subprocess.run(command).returncode)
    try:
        SCENARIOS[name](velmora, snap)
    except Failure as failure:
        print("FAILED:", failure)
        sys.exit(1)
    print("passed:", name)


if __name__ == "__main__":
    main()
