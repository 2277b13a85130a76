"""End-to-end harness: the real player under Wine, driven with real X input.

Each scenario packs a quiz with quiztool into a fresh folder, starts it there (that folder is its
current folder), waits for its windows, reads the window tree through the window reader, drives it
with xdotool, and checks its exit code and the files it leaves. Screenshots go to the scenario's
folder under build/windows/e2e/.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


class Failure(Exception):
    pass


# How many times as long as under a native Wine a test waits for what Wine does before it gives
# up: the session's Wine says (QUIZ_WINE_PATIENCE; an emulated 32-bit Wine is several times slower).
PATIENCE = 1.0


def patient(seconds):
    return seconds * PATIENCE


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_equal(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}: expected {expected!r}, got {actual!r}")


def wait_equal(read, expected, what, timeout=10.0):
    """Reads until `read()` gives `expected`; fails with the last value read after `timeout`."""
    deadline = time.time() + patient(timeout)
    while True:
        actual = read()
        if actual == expected or time.time() > deadline:
            check_equal(actual, expected, what)
            return actual
        time.sleep(0.05)


def colours(png, x, y, width, height):
    """How many pixels of each (red, green, blue) colour the rectangle of a screenshot holds."""
    result = subprocess.run(["convert", str(png), "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                             "-format", "%c", "histogram:info:-"],
                            capture_output=True, text=True, check=True)
    counts = {}
    for line in result.stdout.splitlines():
        found = re.match(r"\s*(\d+):\s*\(\s*(\d+),\s*(\d+),\s*(\d+)", line)
        if found:
            count, red, green, blue = map(int, found.groups())
            counts[(red, green, blue)] = counts.get((red, green, blue), 0) + count
    return counts


def extent(png, x, y, width, height, colour, tolerance=0):
    """The smallest rectangle (left, top, right, bottom, inclusive, relative to the given one)
    that holds every pixel of the screenshot's rectangle within `tolerance` of `colour`; None
    when there is no such pixel."""
    result = subprocess.run(["convert", str(png), "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                             "txt:-"], capture_output=True, text=True, check=True)
    xs, ys = [], []
    for line in result.stdout.splitlines():
        found = re.match(r"(\d+),(\d+):\s*\((\d+),(\d+),(\d+)", line)
        if found:
            px, py, *pixel = map(int, found.groups())
            if all(abs(a - b) <= tolerance for a, b in zip(pixel, colour)):
                xs.append(px)
                ys.append(py)
    return (min(xs), min(ys), max(xs), max(ys)) if xs else None


def region(png, x, y, width, height):
    """The raw RGB bytes of a rectangle of a screenshot."""
    return subprocess.run(["convert", str(png), "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                           "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout


def near(counts, colour, tolerance=0):
    """How many of the pixels in `counts` lie within `tolerance` of `colour` on every channel."""
    return sum(n for c, n in counts.items()
               if all(abs(a - b) <= tolerance for a, b in zip(c, colour)))


class Session:
    """The Wine session that CTest gave this scenario (its "wine" resource, "id:N,slots:1"),
    one of those tests/wine/wine-session started for this build tree; the first when the
    scenario runs without CTest's resources."""

    def __init__(self, build_dir, quiztool):
        self.build = Path(build_dir)
        self.quiztool = quiztool
        self.reader_exe = str(self.build / "tests/wine/window_reader.exe")
        self.env = dict(os.environ)
        self.players = []  # every player started, so that none outlives its scenario
        group = os.environ.get("CTEST_RESOURCE_GROUP_0_WINE", "id:1,slots:1")
        session = group.split(",")[0].removeprefix("id:")
        for line in (self.build / "wine-session" / session / "env").read_text().splitlines():
            name, _, value = line.removeprefix("export ").partition("=")
            if name:
                self.env[name] = value.strip('"')
        self.wine = self.env["WINE"]  # the loader for this tree's programs (32 or 64 bits)
        global PATIENCE
        PATIENCE = float(self.env.get("QUIZ_WINE_PATIENCE", "1"))

    def reader(self, *args, allow_failure=False):
        # Output goes through files, not pipes: when the window reader is the first program to need
        # Wine's desktop, the desktop process it starts inherits its output and outlives it, and
        # a pipe would then never reach its end.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            returncode = subprocess.run([self.wine, self.reader_exe, *map(str, args)],
                                        env=self.env, stdout=out, stderr=err,
                                        timeout=patient(60)).returncode
            out.seek(0)
            err.seek(0)
            stdout, stderr = out.read().decode(), err.read().decode()
        if returncode != 0:
            if allow_failure:
                return None
            raise Failure(f"window reader {' '.join(map(str, args))}: {stderr.strip()}")
        return [json.loads(line) for line in stdout.splitlines() if line.strip()]

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, timeout=30)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, check=True, timeout=30)


class Player:
    """One run of a quiz executable in its own folder."""

    def __init__(self, session, name, folder):
        self.session = session
        self.folder = Path(folder)
        self.name = name
        self.process = None

    @classmethod
    def packed(cls, session, scenario, quiz_text, name="quiz.exe", player=None, extra_files=(),
               unchecked_media=False):
        """Packs `quiz_text` (the quiz file's text) into `name` in a fresh folder; with
        `unchecked_media`, pictures and clips that quiztool would refuse go in too."""
        folder = session.build / "e2e" / scenario
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        for source in extra_files:
            shutil.copy(source, folder)
        (folder / "source.quiz").write_text(quiz_text, encoding="utf-8")
        # The player of this build tree, not the one quiztool would find beside itself.
        command = [session.quiztool, "pack", str(folder / "source.quiz"), str(folder / name),
                   "--player", str(player or session.build / "player.exe")]
        if unchecked_media:
            command.append("--unchecked-media")
        result = subprocess.run(command, capture_output=True, text=True)
        check(result.returncode == 0, f"pack failed: {result.stderr}")
        return cls(session, name, folder)

    @classmethod
    def copied(cls, session, scenario, executable, name="quiz.exe"):
        folder = session.build / "e2e" / scenario
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        shutil.copy(executable, folder / name)
        return cls(session, name, folder)

    def start(self, extra_env=None, log=None):
        """Starts the player; `extra_env` adds variables (WINEDEBUG, WINEDLLOVERRIDES), `log`
        names a file in the folder for Wine's output."""
        env = dict(self.session.env, **(extra_env or {}))
        output = open(self.folder / log, "w") if log else subprocess.DEVNULL
        self.process = subprocess.Popen([self.session.wine, self.name], cwd=self.folder, env=env,
                                        stdout=output, stderr=output)
        self.session.players.append(self)

    def wait_window(self, title_or_class, timeout_ms=30000):
        try:
            return self.session.reader("wait", title_or_class, int(patient(timeout_ms)))[0]
        except Failure as failure:
            # Say what was there instead: a message box, another window, or no player at all.
            windows = self.session.reader("windows", allow_failure=True) or []
            seen = ", ".join(f"{w.get('class')} \"{w.get('text')}\"" for w in windows) or "none"
            code = self.process.poll() if self.process else None
            state = "still running" if code is None else f"exited with {code}"
            raise Failure(f"{failure}; player {state}; windows: {seen}") from None

    def tree(self, hwnd):
        return self.session.reader("tree", hwnd)

    def message_box(self, timeout=30.0):
        # As long as a window gets to appear: a message box shown at start-up comes only after
        # Wine has started the player, which takes long with several sessions busy at once.
        deadline = time.time() + patient(timeout)
        while time.time() < deadline:
            box = self.session.reader("messagebox", allow_failure=True)
            if box:
                return box[0]
            time.sleep(0.1)
        raise Failure("no message box appeared")

    def press_ok(self, box):
        """Clicks the message box's OK button with the mouse."""
        buttons = [w for w in self.tree(box["hwnd"]) if w["class"] == "Button"]
        check(buttons, "message box without a button")
        self.click(buttons[0])
        self.wait_gone(box["hwnd"])

    def wait_gone(self, hwnd, timeout=10.0):
        deadline = time.time() + patient(timeout)
        while time.time() < deadline:
            windows = self.session.reader("windows")
            if all(w["hwnd"] != hwnd for w in windows):
                return
            time.sleep(0.1)
        raise Failure(f"window {hwnd} stayed")

    def click(self, window, dx=None, dy=None):
        x = window["screenX"] + (window["width"] // 2 if dx is None else dx)
        y = window["screenY"] + (window["height"] // 2 if dy is None else dy)
        self.session.xdotool("mousemove", x, y, "click", 1)

    def focus(self, title):
        """Gives the X input focus to the player's window titled `title`."""
        result = subprocess.run(["xdotool", "search", "--all", "--pid", str(self.process.pid),
                                 "--name", f"^{title}$"], env=self.session.env,
                                capture_output=True, text=True)
        windows = result.stdout.split()
        check(windows, f"no X window named {title}")
        self.session.xdotool("windowfocus", "--sync", windows[0])

    def focused(self, window):
        """The control that has the keyboard focus in the player (hwnd 0 when none has)."""
        return self.session.reader("focus", window["hwnd"])[0]

    def flush_posted(self, edit):
        """Returns once the player has handled every message posted to it before the call, and
        the messages those posted in turn: posts two changes of the read-only state of the edit
        control `edit` (messages of one thread are handled in the order they were posted) and
        waits for each to show in its style."""
        for readonly in (1, 0):
            self.session.reader("post", edit["hwnd"], 0x00CF, readonly, 0)  # EM_SETREADONLY
            wait_equal(lambda: bool(self.window_style(edit) & 0x0800), bool(readonly),
                       "read-only state of the marker box")

    def window_style(self, control):
        return self.tree(control["hwnd"])[0]["style"]

    def click_close_box(self, window):
        point = self.session.reader("closebox", window["hwnd"])[0]
        self.session.xdotool("mousemove", point["x"], point["y"], "click", 1)

    def exit_code(self, timeout=15.0):
        try:
            return self.process.wait(timeout=patient(timeout))
        except subprocess.TimeoutExpired:
            self.kill()
            raise Failure("the player did not exit")

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def screenshot(self, label):
        path = self.folder / f"{label}.png"
        self.session.screenshot(path)
        return path


def settled_regions(player, label, rectangles, timeout=5.0):
    """Rectangles (x, y, width, height) of the screen once they have stopped changing: two
    screenshots 0.2 s apart show the same pixels in them."""
    previous = None
    deadline = time.time() + patient(timeout)
    while True:
        shot = player.screenshot(label)
        current = [region(shot, *rectangle) for rectangle in rectangles]
        if current == previous or time.time() > deadline:
            return current
        previous = current
        time.sleep(0.2)


def check_as_repainted(player, window, rectangles, what):
    """Each screen rectangle (x, y, width, height) shows what a full repaint of the window draws
    there: its pixels are compared with those drawn after the window is minimised and restored."""
    shown = settled_regions(player, "before-repaint", rectangles)
    player.session.reader("show", window["hwnd"], 6)  # minimise
    player.session.reader("show", window["hwnd"], 9)  # restore
    player.wait_window(window["text"])
    repainted = settled_regions(player, "after-repaint", rectangles)
    for rectangle, before, after in zip(rectangles, shown, repainted):
        check(before == after, f"{what} at {rectangle} is drawn only by a full repaint "
                               "(before-repaint.png, after-repaint.png)")


def by_id(windows, control_id, depth=None):
    """The controls with `control_id` (at `depth` in the tree when given)."""
    return [w for w in windows if w["id"] == control_id and (depth is None or w["depth"] == depth)]


def one(windows, control_id, depth=None):
    found = by_id(windows, control_id, depth)
    check(len(found) == 1, f"expected one control {control_id}, found {len(found)}")
    return found[0]


def run(scenarios, argv):
    """python3 SCRIPT BUILD_DIR QUIZTOOL SCENARIO: runs one scenario, exit 0 when it passes."""
    build_dir, quiztool, name = argv[1], argv[2], argv[3]
    session = Session(build_dir, quiztool)
    scenario = scenarios.get(name)
    if not scenario:
        print(f"unknown scenario {name}; known: {', '.join(sorted(scenarios))}")
        return 2
    started = time.time()
    try:
        scenario(session)
    except Failure as failure:
        print(f"FAIL {name}: {failure}")
        return 1
    finally:
        for player in session.players:
            player.kill()
    print(f"ok {name} ({time.time() - started:.1f} s)")
    return 0
