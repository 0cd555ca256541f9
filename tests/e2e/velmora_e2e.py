#!/usr/bin/env python3
"""End-to-end tests of Velmora's real window: each scenario starts its own Xvfb, runs the
program, drives it with xdotool, looks at screenshots taken with ImageMagick's import and
listens to what OpenAL Soft's wave backend recorded.

usage: velmora_e2e.py VELMORA VELMORA_SNAP SCENARIO
Run from the repository root. Exit code 0: passed, 1: failed, 77: skipped (no xvfb-run/xdotool).
"""
import atexit
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77
HERE = os.path.dirname(os.path.abspath(__file__))
SCRATCH = tempfile.mkdtemp(prefix="velmora-e2e-")  # removed at exit
atexit.register(shutil.rmtree, SCRATCH, True)
SCREEN = (1920, 1080)
FRAME_W, FRAME_H = 1000, 400
PARCHMENT = (234, 222, 190)
# Walking straight ahead from the small world's start reaches the plebeian's zone after 23 steps.
ROUTE = ["Up"] * 25


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)
    print("ok:", message)


# ---------------------------------------------------------------- X helpers

def xdo(*args, timeout=10):
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=timeout)
    return result.stdout.split()


def windows_named(name):
    return xdo("search", "--onlyvisible", "--name", f"^{name}$")


def wait_for(predicate, timeout, what, interval=0.02):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    raise Failure(f"timed out after {timeout} s waiting for {what}")


def wait_window(name, timeout=15):
    return wait_for(lambda: windows_named(name), timeout, f"a window named {name!r}")[0]


def press(window, *keys, delay=20):
    """Focuses the window, then types the keys as a user would (no --window: GTK drops those)."""
    xdo("windowfocus", "--sync", window)
    xdo("key", "--delay", str(delay), *keys)


class Shot:
    """An RGB screenshot of the whole screen."""

    def __init__(self, command=("import", "-window", "root")):
        self.time = time.monotonic()
        data = subprocess.run([*command, "-depth", "8", "ppm:-"],
                              capture_output=True, check=True, timeout=20).stdout
        header = data.split(maxsplit=4)  # P6, width, height, maxval, pixels
        self.width, self.height = int(header[1]), int(header[2])
        self.pixels = data[len(data) - 3 * self.width * self.height:]

    def rgb(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def region(self, x, y, w, h, step=2):
        return [self.rgb(i, j) for j in range(y, y + h, step) for i in range(x, x + w, step)]

    def save(self, path):
        header = b"P6 %d %d 255\n" % (self.width, self.height)
        subprocess.run(["convert", "ppm:-", path], input=header + self.pixels, check=True)


def snap_frame(snap, directory):
    """The frame velmora-snap draws of the world in the directory, from its default place."""
    picture = os.path.join(tempfile.mkdtemp(dir=SCRATCH), "snap.png")
    subprocess.run([snap, "--out", picture], cwd=directory, check=True, timeout=60)
    return Shot(("convert", picture)).region(0, 0, FRAME_W, FRAME_H)


def fraction(pixels, predicate):
    return sum(1 for p in pixels if predicate(p)) / len(pixels)


def sky_blue(p):
    return p[2] > 150 and p[2] > p[0] + 40


def parchment(p):
    return all(abs(c - e) < 40 for c, e in zip(p, PARCHMENT))


def differing(a, b):
    return sum(1 for p, q in zip(a, b) if sum(abs(i - j) for i, j in zip(p, q)) > 30) / len(a)


class Frame:
    """Where the 1000 x 400 frame lies: centred, 156 pixels below the menu bar on 1920 x 1080."""

    def __init__(self, x, y):
        self.x, self.y = x, y

    @staticmethod
    def find(timeout=10, before_each=lambda: None):
        """Screenshots until the frame has been drawn; returns (frame, shot)."""
        def look():
            before_each()
            shot = Shot()
            column = [sum(shot.rgb(shot.width // 2, y)) for y in range(shot.height // 2)]
            black = next((y for y, v in enumerate(column) if v < 30), None)
            top = next((y for y in range(black or 0, len(column)) if column[y] >= 30), None)
            return black and top and (Frame(shot.width // 2 - FRAME_W // 2, top), shot)
        frame, shot = wait_for(look, timeout, "the frame to be drawn", interval=0)
        menu_bar = frame.y - (SCREEN[1] - 768) // 2
        check(10 < menu_bar < 60 and frame.x == 460,
              f"the frame sits at ({frame.x}, {frame.y}), below a menu bar {menu_bar} pixels high")
        return frame, shot

    def pixels(self, shot, x=0, y=0, w=FRAME_W, h=FRAME_H):
        return shot.region(self.x + x, self.y + y, w, h)

    def sky(self, shot):
        return fraction(self.pixels(shot, 0, 0, FRAME_W, 100), sky_blue)

    def panel(self, shot):
        return fraction(self.pixels(shot, 300, 25, 500, 300), parchment)


# ---------------------------------------------------------------- the program

class Velmora:
    """The program, started in a directory with its data/, with OpenAL Soft's null backend or
    its wave backend recording to a file."""

    def __init__(self, binary, cwd, recording=None):
        self.config = tempfile.NamedTemporaryFile("w", suffix=".conf", delete=False)
        self.config.write(f"[general]\ndrivers={'wave' if recording else 'null'}\n"
                          "channels=mono\nfrequency=22050\nsample-type=int16\n")
        if recording:
            self.config.write(f"[wave]\nfile={recording}\n")
        self.config.close()
        env = dict(os.environ, ALSOFT_CONF=self.config.name)
        env.pop("ALSOFT_DRIVERS", None)
        self.stderr = tempfile.TemporaryFile()
        self.started = time.monotonic()
        self.process = subprocess.Popen([binary], cwd=cwd, env=env, stderr=self.stderr,
                                        stdout=subprocess.DEVNULL)
        self.window = None
        self.sizes = []  # (time, size of the recording then): when the recording started
        if recording:
            threading.Thread(target=self.watch, args=(recording,), daemon=True).start()

    def watch(self, recording):
        while self.process.poll() is None:
            if os.path.exists(recording):
                self.sizes.append((time.monotonic(), os.path.getsize(recording)))
            time.sleep(0.02)

    def wait_window(self, timeout=15):
        try:
            self.window = wait_window("Velmora", timeout)
        except Failure as failure:
            raise Failure(f"{failure}; exit code {self.process.poll()}, said {self.said()!r}")
        return self.window

    def exit_by_menu(self):
        press(self.window, "alt+f", "x")
        return self.wait_exit()

    def wait_exit(self, timeout=15):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            if shutil.which("gdb"):  # where it hangs
                subprocess.run(["gdb", "-p", str(self.process.pid), "-batch", "-ex",
                                "thread apply all bt"], stdin=subprocess.DEVNULL, timeout=60)
            raise Failure(f"the program did not end within {timeout} s; said {self.said()!r}")

    def run_a_little(self, seconds=0.05):
        """Lets a stopped program run for a moment, then stops it again (screenshots take
        longer than loading, so a stopped program is what lets the test see the loading screen)."""
        self.process.send_signal(signal.SIGCONT)
        time.sleep(seconds)
        self.process.send_signal(signal.SIGSTOP)

    def said(self):
        self.stderr.seek(0)
        return self.stderr.read().decode(errors="replace").strip()

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.send_signal(signal.SIGCONT)
            self.process.wait()
        os.unlink(self.config.name)


def wait_square(frame_or_none, timeout=20):
    """Screenshots until the frame shows the sky of the square; returns (frame, shot)."""
    frame = frame_or_none or Frame.find()[0]

    def look():
        shot = Shot()
        return (frame, shot) if frame.sky(shot) > 0.3 else None
    return wait_for(look, timeout, "the square (blue sky in the frame)", interval=0)


def scratch_world(name):
    """A copy of one of the small worlds next to this script, as a working directory."""
    directory = tempfile.mkdtemp(dir=SCRATCH)
    shutil.copytree(os.path.join(HERE, name, "data"), os.path.join(directory, "data"))
    return directory


# ---------------------------------------------------------------- recordings

class Recording:
    """A wave file written by OpenAL Soft: loudness per 20 ms window, in seconds from its start."""
    WINDOW = 0.02

    def __init__(self, path, finished=True):
        with open(path, "rb") as f:
            data = f.read()
        if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
            raise Failure(f"{path} is not a wave file")
        position, chunks = 12, {}
        while position + 8 <= len(data):
            tag, size = data[position:position + 4], struct.unpack("<I", data[position + 4:position + 8])[0]
            chunks[tag] = (position + 8, size)
            if tag == b"data":
                break
            position += 8 + size + (size & 1)
        start, size = chunks[b"fmt "]
        _, channels, self.rate, _, align, bits = struct.unpack("<HHIIHH", data[start:start + 16])
        if bits != 16:
            raise Failure(f"{path} holds {bits}-bit samples, not the 16 bits asked for")
        start, size = chunks[b"data"]
        self.data_start, self.byte_rate = start, self.rate * align
        if finished:
            check(size == len(data) - start and struct.unpack("<I", data[4:8])[0] == len(data) - 8,
                  "the recording's header sizes were written (the device was closed)")
        values = memoryview(data[start:start + (len(data) - start) // align * align]).cast("h")
        step = max(1, int(self.rate * self.WINDOW)) * channels
        self.loudness = [max(map(abs, values[i:i + step])) / 32768.0
                         for i in range(0, len(values) - step + 1, step)]
        self.duration = len(values) / channels / self.rate

    def started(self, sizes):
        """When the recording started, from sizes of the file taken while it was written: it grows
        in real time, and lags by the writer's buffer at most, so the earliest estimate is best."""
        return min(t - (size - self.data_start) / self.byte_rate for t, size in sizes
                   if size > self.data_start)

    def bursts(self, threshold=0.02, gap=0.15):
        """Spans (start, end) in seconds where the peak level stays above the threshold, with
        gaps shorter than `gap` bridged."""
        spans = []
        for i, level in enumerate(self.loudness):
            t = i * self.WINDOW
            if level > threshold:
                if spans and t - spans[-1][1] <= gap:
                    spans[-1][1] = t + self.WINDOW
                else:
                    spans.append([t, t + self.WINDOW])
        return [tuple(s) for s in spans]

    def level(self, start, end):
        """The largest peak between two times (seconds from the start of the recording)."""
        windows = self.loudness[max(0, int(start / self.WINDOW)):max(0, int(end / self.WINDOW))]
        return max(windows, default=0.0)


def recorded_since_start(path):
    """The peak level so far of a recording still being written (0 until it has samples)."""
    try:
        return max(Recording(path, finished=False).loudness, default=0.0)
    except (OSError, KeyError, Failure, struct.error):
        return 0.0


# ---------------------------------------------------------------- scenarios

def scenario_no_display(velmora, snap):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    result = subprocess.run([velmora], env=env, capture_output=True, text=True, timeout=30)
    check(result.returncode == 1, f"without a display the program exits with 1 ({result.returncode})")
    check(len(result.stderr.strip().splitlines()) == 1,
          f"and prints one line of help: {result.stderr.strip()!r}")


def scenario_loading(velmora, snap):
    program = Velmora(velmora, os.getcwd())
    try:
        window = program.wait_window()
        program.process.send_signal(signal.SIGSTOP)
        frame, first = Frame.find(before_each=program.run_a_little)
        program.process.send_signal(signal.SIGCONT)
        loading = frame.pixels(first)
        check(fraction(loading, lambda p: sum(p) < 30) < 0.1, "the first frame drawn is not black")
        check(frame.sky(first) < 0.05, "the first frame is the loading screen, not the sky")
        check(fraction(first.region(600, frame.y + FRAME_H + 40, 720, 150), lambda p: sum(p) > 90) > 0.9,
              "the bottom panel is shown below the frame")
        check(xdo("getwindowname", window) == ["Velmora"], "the window is titled Velmora")
        check(window in xdo("search", "--class", "^MYKORVEN$"), "its class is MYKORVEN")
        frame, square = wait_square(frame)
        print(f"the square appeared {square.time - program.started:.1f} s after the start")
        square.save("/tmp/e2e-square.png")
        scene = frame.pixels(square)
        check(differing(loading, scene) > 0.5, "the square replaced the loading screen")
        drawn = differing(scene, snap_frame(snap, os.getcwd()))
        check(drawn < 0.02, f"it is the frame velmora-snap draws ({drawn:.1%} of the pixels differ)")
        check(program.exit_by_menu() == 0, "File > Exit ends the program with code 0")
    finally:
        program.stop()


def scenario_walk(velmora, snap):
    program = Velmora(velmora, scratch_world("world"))
    try:
        window = program.wait_window()
        frame, start = wait_square(None)
        press(window, "space")
        views = {"start": start}
        # The small world starts at heading 0: turning right first keeps the heading away from
        # the wrap at north, where the sky jumps by design and a turn back is no exact undo.
        for name, keys in [("forward", ["Up"] * 5), ("turned", ["Right"] * 5),
                           ("turned back", ["Left"] * 5), ("back", ["Down"] * 5)]:
            press(window, *keys)
            time.sleep(0.3)
            views[name] = Shot()

        def change(a, b):
            return differing(frame.pixels(views[a]), frame.pixels(views[b]))
        check(change("start", "forward") > 0.05, f"five steps forward change the frame ({change('start', 'forward'):.2f})")
        check(change("forward", "turned") > 0.05, f"turning right changes the frame ({change('forward', 'turned'):.2f})")
        check(change("forward", "turned back") < 0.01,
              f"turning left as far undoes it ({change('forward', 'turned back'):.2%} differ)")
        check(change("start", "back") < 0.01, "five steps back return to the first view")
        check(program.exit_by_menu() == 0, "File > Exit ends the program with code 0")
    finally:
        program.stop()


def scenario_about(velmora, snap):
    program = Velmora(velmora, scratch_world("world"))
    try:
        window = program.wait_window()
        wait_square(None)
        for opener, closer in [(["alt+slash"], "Return"), (["alt+h", "a"], "Escape"),
                               (["alt+question"], "Return")]:
            press(window, *opener)
            about = wait_window("About  Quarnel", 5)
            print(f"ok: {'+'.join(opener)} opens the About box")
            press(about, closer)
            wait_for(lambda: not windows_named("About  Quarnel"), 5, f"the About box to close on {closer}")
            print(f"ok: {closer} closes it")
            check(program.process.poll() is None, "the program goes on")
        check(program.exit_by_menu() == 0, "File > Exit ends the program with code 0")
    finally:
        program.stop()


def scenario_exit_mouse(velmora, snap):
    program = Velmora(velmora, os.getcwd())
    try:
        program.wait_window()
        frame = Frame.find()[0]
        menu_bar = frame.y - (SCREEN[1] - 768) // 2
        xdo("mousemove", "15", str(menu_bar // 2), "click", "1")
        time.sleep(0.5)
        xdo("mousemove", "30", str(menu_bar + 15), "click", "1")
        check(program.wait_exit() == 0, "clicking File, then Exit ends the program with code 0")
    finally:
        program.stop()


def scenario_broken_world(velmora, snap):
    program = Velmora(velmora, scratch_world("broken"))
    try:
        error = wait_window("Error", 20)
        print("ok: a broken world file shows the Error box")
        time.sleep(0.5)
        check(program.process.poll() is None, "the program waits for the box to be answered")
        press(error, "Return")
        code = program.wait_exit()
        check(code == 5, f"after Return the program ends with code 5 ({code})")
    finally:
        program.stop()


def scenario_sound(velmora, snap):
    directory = scratch_world("world")
    recording = os.path.join(directory, "heard.wav")
    program = Velmora(velmora, directory, recording=recording)
    try:
        window = program.wait_window()
        window_shown = time.monotonic()
        frame, square = wait_square(None)
        time.sleep(2.5)  # let the jingle end
        presses = []
        for _ in range(3):
            presses.append(time.monotonic())
            press(window, "Up")
            time.sleep(1.0)
        check(program.exit_by_menu() == 0, "File > Exit ends the program with code 0")
    finally:
        program.stop()
    heard = Recording(recording)
    start = heard.started(program.sizes)
    bursts = [(a + start, b + start) for a, b in heard.bursts()]
    print("bursts heard (s after the start):",
          ", ".join(f"{a - program.started:.2f}-{b - program.started:.2f}" for a, b in bursts))
    jingle = [b for b in bursts if b[1] - b[0] > 1.0]
    check(len(jingle) == 1 and window_shown < jingle[0][0] < square.time + 0.3,
          "one long sound (the jingle) starts after the window opened, by the time the square is shown")
    steps = [b for b in bursts if b[0] > jingle[0][1]]
    check(len(steps) == 3, f"three short sounds follow, one per step ({len(steps)})")
    for (a, b), t in zip(steps, presses):
        check(-0.3 < a - t < 0.4 and b - a < 0.6,
              f"a footstep of {b - a:.2f} s starts {a - t:+.2f} s from its key press")


def walk_to_plebeian(velmora, snap, directory):
    """Checks with velmora-snap that the route reaches the plebeian in this world."""
    report = subprocess.run([snap, "--stats", "--keys", " ".join(ROUTE + ["tick"])], cwd=directory,
                            capture_output=True, text=True, timeout=60).stdout
    talked = [line for line in report.splitlines() if line.startswith("talked:")]
    check(talked and "plebeian" in talked[0], f"velmora-snap agrees the route meets the plebeian ({talked})")


def scenario_figure(velmora, snap):
    directory = scratch_world("world")
    walk_to_plebeian(velmora, snap, directory)
    recording = os.path.join(directory, "heard.wav")
    program = Velmora(velmora, directory, recording=recording)
    try:
        window = program.wait_window()
        frame, square = wait_square(None)
        time.sleep(1.5)  # the jingle
        check(frame.panel(square) < 0.2, "no dialogue panel before the walk")
        entered = time.monotonic()
        press(window, *ROUTE, delay=15)
        time.sleep(2.0)
        greeting = Shot()
        check(frame.panel(greeting) < 0.2, "no dialogue panel while the greeting plays")
        menu = wait_for(lambda: (lambda s: s if frame.panel(s) > 0.6 else None)(Shot()), 20,
                        "the dialogue panel", interval=0)
        menu.save("/tmp/e2e-menu.png")
        print(f"the menu appeared {menu.time - entered:.1f} s after the walk")
        lines = [fraction(frame.pixels(menu, 330, y, 330, 24), lambda p: sum(p) < 300)
                 for y in (70, 130, 160, 190, 220, 250)]
        check(all(f > 0.02 for f in lines[:5]) and lines[5] < 0.005,
              f"it shows a question, three topics and ESC DONE (dark pixels per line: "
              f"{', '.join(f'{f:.1%}' for f in lines)})")
        time.sleep(0.8)
        asked = time.monotonic()
        press(window, "1")
        time.sleep(1.5)
        check(frame.panel(Shot()) > 0.6, "the menu stays open while the answer plays")
        escaped = time.monotonic()
        press(window, "Escape")
        closed = wait_for(lambda: (lambda s: s if frame.panel(s) < 0.2 else None)(Shot()), 3,
                          "the dialogue panel to go", interval=0)
        print(f"ok: Esc closes the menu ({closed.time - escaped:.1f} s)")
        before = frame.pixels(closed)
        time.sleep(1.0)
        press(window, "Down", "Down", "Down")
        walked = time.monotonic()
        time.sleep(0.4)
        check(differing(before, frame.pixels(Shot())) > 0.05, "after Esc the visitor can walk again")
        check(program.exit_by_menu() == 0, "File > Exit ends the program with code 0")
    finally:
        program.stop()
    heard = Recording(recording)
    start = heard.started(program.sizes)

    def level(a, b):
        return heard.level(a - start, b - start)
    spoken = [(a + start, b + start) for a, b in heard.bursts(gap=0.6) if b + start > entered]
    print("sounds heard after the walk (s after it):",
          ", ".join(f"{a - entered:.2f}-{b - entered:.2f}" for a, b in spoken))
    print(f"menu seen {menu.time - entered:.2f}, 1 at {asked - entered:.2f}, Esc at {escaped - entered:.2f}, "
          f"Down at {walked - entered:.2f}")
    check(spoken and spoken[0][1] - spoken[0][0] > 2.0 and spoken[0][0] < entered + 1.5,
          "a greeting of several seconds plays on reaching the plebeian")
    check(spoken[0][1] < menu.time + 0.3, f"the menu opens after the greeting ended "
          f"({menu.time - spoken[0][1]:.1f} s later)")
    # The recording's times are known to about 0.2 s.
    check(level(asked - 0.8, asked - 0.3) < 0.02, "silence before 1 is pressed")
    check(level(asked + 0.3, asked + 2.0) > 0.05, "1 plays an answer")
    check(level(escaped + 0.4, walked - 0.3) < 0.02, "Esc stops the answer")


def scenario_close_loading(velmora, snap):
    during = 0
    directory = tempfile.mkdtemp(dir=SCRATCH)
    recording = os.path.join(directory, "heard.wav")
    for run in range(20):
        if os.path.exists(recording):
            os.unlink(recording)
        program = Velmora(velmora, os.getcwd(), recording=recording)
        try:
            program.wait_window()
            code = program.exit_by_menu()
        finally:
            program.stop()
        check(code == 0, f"run {run + 1}: closing right after the window appeared gives code 0 ({code})")
        # The jingle marks the end of loading: without it the close came while loading.
        during += not os.path.exists(recording) or not Recording(recording).bursts()
    print(f"{during} of 20 runs closed before loading ended")
    check(during >= 5, "at least a quarter of the runs closed while loading")


def scenario_close_talking(velmora, snap):
    directory = scratch_world("world")
    walk_to_plebeian(velmora, snap, directory)
    recording = os.path.join(directory, "heard.wav")
    for run in range(20):
        if os.path.exists(recording):
            os.unlink(recording)
        program = Velmora(velmora, directory, recording=recording)
        try:
            window = program.wait_window()
            # Loading has ended when the recording (started by loading) holds the jingle.
            wait_for(lambda: recorded_since_start(recording) > 0.02, 15, "the jingle", interval=0.05)
            press(window, *ROUTE, delay=10)
            time.sleep(0.8)  # a tick sees the visitor in the zone and the greeting starts
            code = program.exit_by_menu()
        finally:
            program.stop()
        check(code == 0, f"run {run + 1}: closing while the greeting plays gives code 0 ({code})")
        heard = Recording(recording)
        check(heard.level(heard.duration - 0.3, heard.duration) > 0.02,
              f"run {run + 1}: the greeting was still playing at the close")


SCENARIOS = {
    "no-display": scenario_no_display,
    "loading": scenario_loading,
    "walk": scenario_walk,
    "about": scenario_about,
    "exit-mouse": scenario_exit_mouse,
    "broken-world": scenario_broken_world,
    "sound": scenario_sound,
    "figure": scenario_figure,
    "close-loading": scenario_close_loading,
    "close-talking": scenario_close_talking,
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
        server = "-screen 0 %dx%dx24 -noreset" % SCREEN
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
