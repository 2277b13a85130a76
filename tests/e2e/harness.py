"""End-to-end harness: the real player under Wine, driven with real X input.

Each scenario packs a quiz with quiztool into a fresh folder, starts it there (that folder is its
current folder), waits for its windows, reads the window tree through the window reader, drives it
with xdotool, and checks its exit code and the files it leaves. Screenshots go to the scenario's
folder under build/windows/e2e/, what Wine printed for each player to build/windows/e2e/logs/.

The machine may be loaded (several sessions at once, other builds): every wait is for a state,
given PATIENCE to come, and never a pause that assumes how fast the player is.
"""
import json
import os
import select
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]

# How long a state may take to come on a loaded machine before a wait gives up. A wait ends as
# soon as the state is there, so this costs time only when a scenario fails.
PATIENCE = 60.0


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_equal(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}: expected {expected!r}, got {actual!r}")


def wait_equal(read, expected, what, timeout=PATIENCE):
    """Reads until `read()` gives `expected`; fails with the last value read after `timeout`."""
    deadline = time.monotonic() + timeout
    while True:
        actual = read()
        if actual == expected or time.monotonic() > deadline:
            check_equal(actual, expected, what)
            return actual
        time.sleep(0.05)


_screenshots = {}


def pixels(png):
    """A screenshot's width, height and RGB bytes, read once for each version of the file."""
    stat = Path(png).stat()
    key = (str(png), stat.st_mtime_ns, stat.st_size)
    if key not in _screenshots:
        ppm = subprocess.run(["convert", str(png), "-depth", "8", "ppm:-"], capture_output=True,
                             check=True).stdout
        # P6 WIDTH HEIGHT 255, each after one whitespace, then the bytes.
        magic, width, height, maximum, data = ppm.split(maxsplit=4)
        check(magic == b"P6" and maximum == b"255", f"{png} read as {magic!r} {maximum!r}")
        _screenshots.clear()  # only the last screenshot is read again
        _screenshots[key] = (int(width), int(height), data)
    return _screenshots[key]


def rows(png, x, y, width, height):
    """The RGB bytes of each row of a rectangle of a screenshot, cut to the screen."""
    screen_width, screen_height, data = pixels(png)
    left, right = max(x, 0), min(x + width, screen_width)
    top, bottom = max(y, 0), min(y + height, screen_height)
    for row in range(top, bottom):
        start = (row * screen_width + left) * 3
        yield row - top, data[start:start + max(right - left, 0) * 3]


def colours(png, x, y, width, height):
    """How many pixels of each (red, green, blue) colour the rectangle of a screenshot holds."""
    counts = {}
    for _, line in rows(png, x, y, width, height):
        for i in range(0, len(line), 3):
            colour = (line[i], line[i + 1], line[i + 2])
            counts[colour] = counts.get(colour, 0) + 1
    return counts


def extent(png, x, y, width, height, colour, tolerance=0):
    """The smallest rectangle (left, top, right, bottom, inclusive, relative to the given one)
    that holds every pixel of the screenshot's rectangle within `tolerance` of `colour`; None
    when there is no such pixel."""
    xs, ys = [], []
    for py, line in rows(png, x, y, width, height):
        for i in range(0, len(line), 3):
            if all(abs(a - b) <= tolerance for a, b in zip(line[i:i + 3], colour)):
                xs.append(i // 3)
                ys.append(py)
    return (min(xs), min(ys), max(xs), max(ys)) if xs else None


def region(png, x, y, width, height):
    """The raw RGB bytes of a rectangle of a screenshot."""
    return b"".join(line for _, line in rows(png, x, y, width, height))


def near(counts, colour, tolerance=0):
    """How many of the pixels in `counts` lie within `tolerance` of `colour` on every channel."""
    return sum(n for c, n in counts.items()
               if all(abs(a - b) <= tolerance for a, b in zip(c, colour)))


class WindowReader:
    """tests/wine/window_reader.exe serving one scenario: one Wine process that answers every
    query, started at the first and ended with the scenario."""

    def __init__(self, session):
        self.session = session
        self.process = None
        self.buffer = b""

    def start(self):
        # Its standard error goes to a file: a Wine process started by it could inherit a pipe
        # and hold it open.
        self.errors = tempfile.TemporaryFile()
        self.process = subprocess.Popen(
            [self.session.wine, str(self.session.build / "tests/wine/window_reader.exe")],
            env=self.session.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=self.errors)
        self.buffer = b""

    def ask(self, args, timeout):
        """The answer's lines and exit code, or an error's text."""
        fields = [str(arg) for arg in args]
        check(all("\t" not in f and "\n" not in f for f in fields), f"a field with a tab: {fields}")
        if not self.process or self.process.poll() is not None:
            self.start()
        try:
            self.process.stdin.write(("\t".join(fields) + "\n").encode())
            self.process.stdin.flush()
        except OSError:
            self.stop()
            raise Failure(f"window reader {' '.join(fields)}: it ended ({self.stderr()})") from None
        deadline = time.monotonic() + timeout
        lines, errors = [], []
        while True:
            line = self.line(deadline, fields)
            if not line:
                continue
            answer = json.loads(line)
            if "done" in answer:
                return lines, answer["done"], "; ".join(errors)
            if "error" in answer:
                errors.append(answer["error"])
            else:
                lines.append(answer)

    def line(self, deadline, fields):
        while b"\n" not in self.buffer:
            remaining = deadline - time.monotonic()
            fd = self.process.stdout.fileno()
            chunk = os.read(fd, 65536) if remaining > 0 and select.select([fd], [], [], remaining)[0] \
                else None
            if not chunk:
                what = "no answer in time" if chunk is None else "it ended"
                self.stop()
                raise Failure(f"window reader {' '.join(fields)}: {what} ({self.stderr()})")
            self.buffer += chunk
        line, _, self.buffer = self.buffer.partition(b"\n")
        return line.decode().strip()

    def stderr(self):
        self.errors.seek(0)
        return self.errors.read().decode(errors="replace").strip()[-500:] or "nothing on stderr"

    def stop(self):
        if not self.process:
            return
        try:
            self.process.stdin.close()
            self.process.wait(timeout=10)
        except (OSError, subprocess.TimeoutExpired):
            self.process.kill()
            self.process.wait()
        self.process = None


class Session:
    """The Wine session that CTest gave this scenario (its "wine" resource, "id:N,slots:1"),
    one of those tests/wine/wine-session started for this build tree; the first when the
    scenario runs without CTest's resources."""

    def __init__(self, build_dir, quiztool):
        self.build = Path(build_dir).resolve()
        self.quiztool = quiztool
        self.env = dict(os.environ)
        self.players = []  # every player started, so that none outlives its scenario
        self.logs = set()  # the logs this scenario has written: later players add to them
        group = os.environ.get("CTEST_RESOURCE_GROUP_0_WINE", "id:1,slots:1")
        session = group.split(",")[0].removeprefix("id:")
        for line in (self.build / "wine-session" / session / "env").read_text().splitlines():
            name, _, value = line.removeprefix("export ").partition("=")
            if name:
                self.env[name] = value.strip('"')
        self.wine = self.env["WINE"]  # the loader for this tree's programs (32 or 64 bits)
        self.window_reader = WindowReader(self)

    def reader(self, *args, allow_failure=False):
        timeout = PATIENCE + (int(args[2]) / 1000 if args[0] == "wait" else PATIENCE)
        lines, code, error = self.window_reader.ask(args, timeout)
        if code != 0:
            if allow_failure:
                return None
            raise Failure(f"window reader {' '.join(map(str, args))}: {error}")
        return lines

    def sweep(self):
        """Ends what an earlier scenario left in this session (a player whose test was stopped,
        a crashed program's debugger), and says so."""
        for ended in self.reader("sweep"):
            print(f"note: ended {ended['ended']} (process {ended['pid']}), left by an earlier test")

    def close(self):
        for player in self.players:
            player.kill()
        self.window_reader.stop()

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, timeout=PATIENCE)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, check=True,
                       timeout=PATIENCE)

    def shared(self, name, make):
        return shared(self.build, name, make)


def shared(build, name, make):
    """build/e2e/NAME, the files that `make(folder)` writes, made once for every scenario of the
    run: the first scenario to need them makes them in a folder of its own and renames it, so
    that no scenario ever sees half of them (the e2e_sources test makes them all first)."""
    folder = Path(build) / "e2e" / name
    if not folder.exists():
        folder.parent.mkdir(parents=True, exist_ok=True)
        scratch = Path(tempfile.mkdtemp(prefix=f"{name}.", dir=folder.parent))
        make(scratch)
        try:
            scratch.rename(folder)
        except OSError:  # another scenario made them first
            shutil.rmtree(scratch, ignore_errors=True)
    return folder


class Player:
    """One run of a quiz executable in its own folder."""

    def __init__(self, session, name, folder):
        self.session = session
        self.folder = Path(folder)
        self.name = name
        self.process = None
        self.log = None
        self.log_name = f"{self.folder.name}.log"  # the scenario's, as the folder may change
        self.known_controls = {}  # control id -> window, for controls read often

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
        names a file in the folder for Wine's output, which otherwise goes to e2e/logs/."""
        env = dict(self.session.env, **(extra_env or {}))
        self.known_controls = {}
        if log:
            self.log = self.folder / log
        else:
            self.log = self.session.build / "e2e" / "logs" / self.log_name
            self.log.parent.mkdir(parents=True, exist_ok=True)
        mode = "a" if self.log in self.session.logs else "w"
        self.session.logs.add(self.log)
        with open(self.log, mode) as output:
            self.process = subprocess.Popen([self.session.wine, self.name], cwd=self.folder,
                                            env=env, stdout=output, stderr=output)
        self.session.players.append(self)

    def state(self):
        """Whether the player runs, or how it ended, with the end of what Wine printed for it."""
        code = self.process.poll() if self.process else None
        state = "still running" if code is None else f"exited with {code}"
        try:
            printed = [line for line in self.log.read_text(errors="replace").splitlines()
                       if line.strip()][-5:]
        except (OSError, AttributeError):
            printed = []
        return state + (f"; Wine printed: {' | '.join(printed)}" if printed else "")

    def wait_window(self, title_or_class, timeout_ms=PATIENCE * 1000):
        try:
            return self.session.reader("wait", title_or_class, int(timeout_ms))[0]
        except Failure as failure:
            # Say what was there instead: a message box, another window, or no player at all.
            windows = self.session.reader("windows", allow_failure=True) or []
            seen = ", ".join(f"{w.get('class')} \"{w.get('text')}\"" for w in windows) or "none"
            raise Failure(f"{failure}; player {self.state()}; windows: {seen}") from None

    def tree(self, hwnd):
        return self.session.reader("tree", hwnd)

    def message_box(self, timeout=PATIENCE):
        # As long as a window gets to appear: a message box shown at start-up comes only after
        # Wine has started the player, which takes long with several sessions busy at once.
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            box = self.session.reader("messagebox", allow_failure=True)
            if box:
                return box[0]
            time.sleep(0.05)
        raise Failure(f"no message box appeared; player {self.state()}")

    def press_ok(self, box):
        """Clicks the message box's OK button with the mouse."""
        buttons = [w for w in self.tree(box["hwnd"]) if w["class"] == "Button"]
        check(buttons, "message box without a button")
        self.click(buttons[0])
        self.wait_gone(box["hwnd"])

    def wait_gone(self, hwnd, timeout=PATIENCE):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            windows = self.session.reader("windows")
            if all(w["hwnd"] != hwnd for w in windows):
                return
            time.sleep(0.05)
        raise Failure(f"window {hwnd} stayed")

    def click(self, window, dx=None, dy=None):
        x = window["screenX"] + (window["width"] // 2 if dx is None else dx)
        y = window["screenY"] + (window["height"] // 2 if dy is None else dy)
        self.session.xdotool("mousemove", x, y, "click", 1)

    def focus(self, title):
        """Gives the X input focus to the player's window titled `title` (Wine may name its X
        window a moment after the window is shown)."""
        deadline = time.monotonic() + PATIENCE
        while True:
            result = subprocess.run(["xdotool", "search", "--all", "--pid", str(self.process.pid),
                                     "--name", f"^{title}$"], env=self.session.env,
                                    capture_output=True, text=True, timeout=PATIENCE)
            windows = result.stdout.split()
            if windows or time.monotonic() > deadline:
                break
            time.sleep(0.05)
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

    def exit_code(self, timeout=PATIENCE):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise Failure(f"the player did not exit; {self.state()}")

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    def screenshot(self, label):
        path = self.folder / f"{label}.png"
        self.session.screenshot(path)
        return path


def settled_regions(player, label, rectangles, timeout=PATIENCE):
    """Rectangles (x, y, width, height) of the screen once they have stopped changing: two
    screenshots 0.2 s apart show the same pixels in them."""
    previous = None
    deadline = time.monotonic() + timeout
    while True:
        shot = player.screenshot(label)
        current = [region(shot, *rectangle) for rectangle in rectangles]
        if current == previous or time.monotonic() > deadline:
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


def make_sources(sources, build_dir):
    """Makes every shared folder of source files anew, before the scenarios that read them."""
    for name, make in sources.items():
        shutil.rmtree(Path(build_dir) / "e2e" / name, ignore_errors=True)
        shared(build_dir, name, make)
        print(f"made e2e/{name}")
    return 0


def run(scenarios, argv, sources=None):
    """python3 SCRIPT BUILD_DIR QUIZTOOL SCENARIO: runs one scenario, exit 0 when it passes;
    with --sources for SCENARIO, makes the shared source files."""
    build_dir, quiztool, name = argv[1], argv[2], argv[3]
    if name == "--sources":
        return make_sources(sources or {}, build_dir)
    session = Session(build_dir, quiztool)
    scenario = scenarios.get(name)
    if not scenario:
        print(f"unknown scenario {name}; known: {', '.join(sorted(scenarios))}")
        return 2
    started = time.monotonic()
    try:
        session.sweep()
        scenario(session)
    except Failure as failure:
        print(f"FAIL {name}: {failure}")
        return 1
    finally:
        session.close()
    print(f"ok {name} ({time.monotonic() - started:.1f} s)")
    return 0
