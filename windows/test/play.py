#!/usr/bin/env python3
"""The Windows test: the .exe files under Wine, on the display Xvfb gives (DISPLAY).

    play.py BUILD_DIR ASSETS_DIR DESKTOP_FRAMES_DIR XVFB_HELPER OUT_DIR

1. The scenario (scenario.txt) on a read-only copy of the game in a folder with
   a Japanese name, as from a CD: each "frame" must show, pixel for pixel, the
   desktop's headless picture of the same step (kerna-web-frames), every
   picture pixel a sharp block of the window's scale; the settings go to
   %APPDATA%\\kerna-reversi\\ and the data folder is left as it was. Then the
   review of the game the scenario kept, closed while it analyses.
2. A writable copy: the settings are written into its dat\\set.ini.
3. Closed during a level-6 search of the endgame (the real clock): within a
   second, exit code 0, set.ini intact.
4. kerna-engine.exe answers an NBoard session.

The game runs in its test mode (a virtual clock, see win_backend.hpp) for 1
and 2. Waits for Wine are generous; what a player feels (the close) is not.
Screenshots of each frame and of the review land in OUT_DIR.
"""
import os
import shutil
import subprocess
import sys
import threading
import time
from pathlib import Path

WIDTH, HEIGHT = 640, 440
WINE = os.environ.get("KERNA_WINE", "/usr/lib/wine/wine64")
STARTUP_S = 180      # Wine's first start of a program under load
STEP_S = 120         # one scripted step at most
CLOSE_LIMIT_MS = 1000
KEYSYMS = {"ArrowRight": "Right", "ArrowLeft": "Left", "ArrowUp": "Up", "ArrowDown": "Down",
           "Enter": "Return", "Escape": "Escape", " ": "space"}

build, assets, frames_dir, helper, out_dir = (Path(a).resolve() for a in sys.argv[1:6])
here = Path(__file__).resolve().parent
out_dir.mkdir(parents=True, exist_ok=True)
prefix = Path(os.environ["WINEPREFIX"])
failures = []
passed = 0


def ok(what):
    global passed
    passed += 1
    print(f"ok      {what}", flush=True)


def fail(what):
    failures.append(what)
    print(f"FAILED  {what}", flush=True)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def app_data():
    return prefix / "drive_c" / "users" / os.environ.get("USER", "root") / "AppData" / "Roaming"


def game_folder(name, writable):
    """A copy of the game: the .exe files, dat\\ copied, the other folders linked."""
    folder = out_dir / name
    if folder.exists():
        for path in [folder, *folder.rglob("*")]:
            if not path.is_symlink():
                path.chmod(0o755)
        shutil.rmtree(folder)
    folder.mkdir(parents=True)
    for exe in ("kerna-reversi.exe", "kerna-engine.exe"):
        shutil.copy(build / exe, folder / exe)
    shutil.copytree(assets / "dat", folder / "dat")
    for data in ("bmp", "sound", "voice"):
        (folder / data).symlink_to(assets / data)
    if not writable:
        for path in [*(folder / "dat").iterdir(), folder / "dat", folder]:
            path.chmod(0o555 if path.is_dir() else 0o444)
    return folder


class Game:
    """One run of kerna-reversi.exe; in test mode it reports its clock and window."""

    def __init__(self, folder, arguments=(), test_mode=True):
        self.folder = folder
        self.clock = -1
        self.events = 0
        self.window = None  # (x, y, scale) of the drawing area on the screen
        self.changed = threading.Condition()
        self.stderr = open(out_dir / "game.err", "wb")
        args = [WINE, str(folder / "kerna-reversi.exe"), *(["--test-mode"] if test_mode else []),
                *arguments]
        self.process = subprocess.Popen(args, cwd=folder, stdout=subprocess.PIPE,
                                        stderr=self.stderr)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self.process.stdout:
            words = raw.decode(errors="replace").split()
            with self.changed:
                if words[:1] == ["clock"] and len(words) == 3:
                    self.clock, self.events = int(words[1]), int(words[2])
                elif words[:1] == ["window"] and len(words) == 4:
                    self.window = tuple(map(int, words[1:]))
                self.changed.notify_all()
        with self.changed:
            self.changed.notify_all()

    def wait(self, condition, seconds, what):
        deadline = time.monotonic() + seconds
        with self.changed:
            while not condition():
                left = deadline - time.monotonic()
                if left <= 0 or self.process.poll() is not None:
                    raise RuntimeError(f"{what}: not within {seconds} s "
                                       f"(exit code {self.process.poll()})")
                self.changed.wait(min(left, 0.5))

    def started(self):
        self.wait(lambda: self.window is not None and self.clock >= 0, STARTUP_S, "start-up")

    def settle(self, milliseconds):
        until = self.clock + milliseconds
        self.wait(lambda: self.clock >= until, STEP_S, f"settle {milliseconds}")

    def screen_point(self, x, y):
        left, top, scale = self.window
        return left + x * scale + scale // 2, top + y * scale + scale // 2

    def input(self, count, *command):
        """Sends input the window counts `count` times; waits until the game has
        seen it, then lets 40 ms pass (so two clicks never fall into one sleep)."""
        expected = self.events + count
        xdotool(*command)
        self.wait(lambda: self.events >= expected, STEP_S, f"input {command}")
        self.settle(40)

    def click(self, x, y, button=1):
        self.input(2, "mousemove", *self.screen_point(x, y), "click", button)

    def key(self, name):
        self.input(1, "key", KEYSYMS.get(name, name))

    def picture(self, name):
        """The drawing area as 640 x 440 RGB bytes, and whether every pixel is a
        sharp scale x scale block. Saves it as OUT_DIR/name.png."""
        left, top, scale = self.window
        width, height = WIDTH * scale, HEIGHT * scale
        shot = subprocess.run(["import", "-window", "root", "-depth", "8", "-crop",
                               f"{width}x{height}+{left}+{top}", "+repage", "ppm:-"],
                              check=True, capture_output=True).stdout
        pixels = ppm_pixels(shot)
        subprocess.run(["convert", "ppm:-", str(out_dir / f"{name}.png")], input=shot, check=True)
        sharp = True
        rows = []
        for y in range(HEIGHT):
            row = pixels[y * scale * width * 3:(y * scale + 1) * width * 3]
            small = b"".join(row[x * scale * 3:x * scale * 3 + 3] for x in range(WIDTH))
            blocky = b"".join(small[x * 3:x * 3 + 3] * scale for x in range(WIDTH))
            for dy in range(scale):
                start = (y * scale + dy) * width * 3
                sharp = sharp and pixels[start:start + width * 3] == blocky
            rows.append(small)
        return b"".join(rows), sharp

    def close(self, what, limit_ms=None):
        """Asks the window to close (a title bar's close box); exit code 0, within
        limit_ms when given. Returns the milliseconds it took."""
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                                 str(self.process.pid)], capture_output=True, text=True,
                                timeout=STARTUP_S).stdout.split()
        start = time.monotonic()
        for x_window in window:
            subprocess.run([str(helper), "close", x_window], check=True)
        try:
            code = self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            raise RuntimeError(f"{what}: the game did not end after the close")
        took = int((time.monotonic() - start) * 1000)
        self.stderr.close()
        if code != 0:
            raise RuntimeError(f"{what}: exit code {code}; stderr: "
                               f"{(out_dir / 'game.err').read_text(errors='replace')[-400:]}")
        if limit_ms is not None and took > limit_ms:
            raise RuntimeError(f"{what}: closing took {took} ms (limit {limit_ms} ms)")
        return took


def ppm_pixels(data):
    offset, lines = 0, 0
    while lines < 3:
        if data[offset] == 0x0A:
            lines += 1
        offset += 1
    return data[offset:]


def play_scenario(folder):
    steps = [line.split("#")[0].split() for line in (here / "scenario.txt").read_text().splitlines()]
    game = Game(folder)
    game.started()
    for verb, *words in (step for step in steps if step):
        if verb == "click":
            game.click(int(words[0]), int(words[1]), 3 if words[2:] == ["right"] else 1)
        elif verb == "point":
            xdotool("mousemove", *game.screen_point(int(words[0]), int(words[1])))
        elif verb == "key":
            game.key(words[0])
        elif verb == "settle":
            game.settle(int(words[0]))
        elif verb == "frame":
            shown, sharp = game.picture(words[0])
            desktop = ppm_pixels((frames_dir / f"{words[0]}.ppm").read_bytes())
            differing = sum(1 for i in range(0, len(desktop), 3) if shown[i:i + 3] != desktop[i:i + 3])
            if differing == 0 and sharp:
                ok(f"{words[0]} (scale {game.window[2]})")
            else:
                fail(f"{words[0]}: {differing} pixels differ from the desktop's"
                     f"{'' if sharp else ', pixels not sharp blocks'}")
        elif verb == "reload":
            game.close("reload")
            game = Game(folder)
            game.started()
        else:
            raise RuntimeError(f"unknown step {verb}")
    return game


def check(what, condition, detail=""):
    if condition:
        ok(what)
    else:
        fail(f"{what} {detail}".strip())


def read_only_run():
    user_folder = app_data() / "kerna-reversi"
    shutil.rmtree(user_folder, ignore_errors=True)
    folder = game_folder("ケルナのリバーシ 読み取り専用", writable=False)
    game = play_scenario(folder)
    check("read-only copy: the settings kept in %APPDATA%\\kerna-reversi",
          (user_folder / "set.ini").is_file() and
          (folder / "dat" / "set.ini").read_bytes() == (assets / "dat" / "set.ini").read_bytes())
    game.click(534, 257)  # 振り返り: the kept games
    game.settle(1500)
    game.picture("saved-games")
    game.close("saved games")
    # The game the scenario quit, opened as Explorer opens a .ggf file: its review.
    records = sorted((user_folder / "records").glob("*.ggf"))
    check("the quit game kept as a .ggf file", len(records) == 1, f"({records})")
    game = Game(folder, ["Z:" + str(records[-1]).replace("/", "\\")])
    game.started()
    time.sleep(5)  # the analysis of its one move done
    game.picture("review")
    took = game.close("review", CLOSE_LIMIT_MS)
    ok(f"closed on the review in {took} ms, exit code 0")


def writable_run():
    folder = game_folder("writable", writable=True)
    before = (folder / "dat" / "set.ini").read_bytes()
    game = Game(folder)
    game.started()
    game.settle(1500)
    for x, y in ((500, 215), (569, 347), (530, 390)):  # 設定, the fourth colour, OK
        game.click(x, y)
        game.settle(1500)
    game.close("settings")
    check("writable copy: the settings written into its dat\\set.ini",
          (folder / "dat" / "set.ini").read_bytes() != before)
    return folder, game.window


def search_close(folder, window):
    """Level 6 with 16 squares left and the computer to move: its endgame
    search takes seconds. On the real clock; the window opens where the
    test-mode runs had it."""
    kept = (folder / "dat" / "set.ini").read_bytes()
    (folder / "dat" / "start.dat").write_bytes(b"".join(row + b"\r\n" for row in (
        b"00022210", b"11122100", b"11121222", b"12111121", b"01211220", b"00121121",
        b"00112110", b"00022221")))
    game = Game(folder, test_mode=False)
    game.window = window

    # The title's panel (the board shows start.dat).
    def panel(picture):
        return b"".join(picture[(y * WIDTH + 430) * 3:(y + 1) * WIDTH * 3] for y in range(HEIGHT))

    title = panel(ppm_pixels((frames_dir / "01-title.ppm").read_bytes()))

    def wait_until(shown, seconds, what):
        deadline = time.monotonic() + seconds
        while not shown(game.picture("level-6-search")[0]):
            if time.monotonic() > deadline or game.process.poll() is not None:
                raise RuntimeError(f"real clock: {what} not within {seconds} s")
            time.sleep(0.2)

    wait_until(lambda picture: panel(picture) == title, STARTUP_S, "the title")
    xdotool("mousemove", *game.screen_point(500, 135), "click", 1)  # コンピュータと対戦
    wait_until(lambda picture: panel(picture) != title, STEP_S, "the colour and level screen")
    time.sleep(0.5)
    for x, y in ((530, 145), (530, 363), (530, 400)):  # 後手, レベル6, スタート
        xdotool("mousemove", *game.screen_point(x, y), "click", 1)
        time.sleep(0.3)
    time.sleep(1.5)
    game.picture("level-6-search")
    took = game.close("level 6 search", CLOSE_LIMIT_MS)
    check(f"closed during a level-6 search in {took} ms, exit code 0, set.ini intact",
          (folder / "dat" / "set.ini").read_bytes() == kept)


def engine_session(folder):
    engine = subprocess.Popen([WINE, str(folder / "kerna-engine.exe"), "--level", "2"],
                              cwd=folder, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True, bufsize=1)
    watchdog = threading.Timer(STARTUP_S, engine.kill)  # a silent engine must not stop the test
    watchdog.start()

    def until(prefix):
        for line in engine.stdout:
            if line.startswith(prefix):
                return line.strip()
        return ""

    # Each command once the one before was answered: "quit" stops a search under way.
    engine.stdin.write("nboard 2\nset game (;GM[Othello]PC[x]BO[8 " + "-" * 27 + "O*------*O" +
                       "-" * 27 + " *];)\nping 1\n")
    pong = until("pong")
    engine.stdin.write("go\n")
    move = until("===")
    engine.stdin.write("quit\n")
    code = engine.wait(timeout=STARTUP_S)
    watchdog.cancel()
    check("kerna-engine.exe answers an NBoard session",
          code == 0 and pong == "pong 1" and move[4:6] in ("F5", "E6", "D3", "C4"),
          f"(exit {code}, {pong!r}, {move!r})")


for run in (read_only_run, lambda: search_close(*writable_run()),
            lambda: engine_session(out_dir / "writable")):
    try:
        run()
    except Exception as error:  # one part's fault must not hide the others'
        fail(str(error))
for failure in failures:
    print(failure)
print(f"{passed} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
