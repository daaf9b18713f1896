"""Helpers for driving the real Tesselon program as a player would, on the X display and
session bus run_e2e.sh provides: the windows are read through the accessibility bus, the
mouse and keys go through xdotool, and the screen is read through ImageMagick's import."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

SAMPLE = "paisaje.jpg"

# Roles whose children are rows of files or folders: walking them is slow and makes
# Qt complain about rows that scroll out of view, and nothing the test wants is there.
LEAF_ROLES = {pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE,
              pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL}


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=20.0, interval=0.1, seen=None):
    """Calls probe until it returns something other than None and returns that.

    The accessibility objects of a window that is being built or torn down can vanish
    between two calls; such errors only mean "not yet". A probe that notes what it saw
    in the dict seen has that told on a timeout.
    """
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = probe()
            if value is not None:
                return value
        except (GLib.Error, RuntimeError, LookupError) as error:
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            detail += f"; seen {seen}" if seen else ""
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}{detail}")
        time.sleep(interval)


def until(condition):
    return lambda: True if condition() else None


# Accessibility helpers ------------------------------------------------------------


def safe_name(acc):
    try:
        return acc.name or ""
    except GLib.Error:
        return ""


def showing(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except GLib.Error:
        return False


def extents(acc):
    ext = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return ext.x, ext.y, ext.width, ext.height


def children(acc):
    return [c for c in (acc.getChildAtIndex(i) for i in range(acc.childCount)) if c is not None]


def descendants(acc):
    stack = [acc]
    while stack:
        node = stack.pop()
        yield node
        if node.getRole() not in LEAF_ROLES:
            stack.extend(reversed(children(node)))


def find_all(acc, role, name=None):
    for node in descendants(acc):
        if node.getRole() == role and name in (None, safe_name(node)) and showing(node):
            yield node


def find(acc, role, name=None):
    return next(find_all(acc, role, name), None)


def press(acc):
    action = acc.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            return
    raise Failure(f"{acc.getRoleName()} {safe_name(acc)!r} has no Press action")


# Input and screen -------------------------------------------------------------------


def tool(*args):
    """Runs a helper program and returns what it wrote; its failure fails the test."""
    try:
        return subprocess.run(args, check=True, capture_output=True, timeout=20).stdout
    except subprocess.CalledProcessError as error:
        message = error.stderr.decode("utf-8", "replace").strip()
        raise Failure(f"{' '.join(args)} failed with code {error.returncode}: {message}") from None
    except subprocess.TimeoutExpired:
        raise Failure(f"{' '.join(args)} did not finish within 20 s") from None


def xdotool(*args):
    tool("xdotool", *args)


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


def move_to(point):
    return "mousemove", "--sync", str(point[0]), str(point[1])


def click_at(point):
    xdotool(*move_to(point), "click", "1")


def drag(start, end):
    # A few steps on the way, so the program sees the pointer travel with the button held.
    steps = [move_to([a + (b - a) * k // 3 for a, b in zip(start, end)]) for k in (1, 2, 3)]
    xdotool(*move_to(start), "mousedown", "1", *[arg for step in steps for arg in step], "mouseup", "1")


def block_means(pixels, width, rect, blocks=8):
    """Mean colour of each cell of a blocks x blocks grid over rect (x, y, w, h) of RGB pixels.

    Block means stay put when the drawing shifts by a pixel, which the rounding of
    place sizes can do, yet they tell two different parts of a picture apart.
    """
    x0, y0, w, h = rect
    result = []
    for by in range(blocks):
        for bx in range(blocks):
            ys = range(y0 + by * h // blocks, y0 + (by + 1) * h // blocks, 2)
            xs = range(x0 + bx * w // blocks, x0 + (bx + 1) * w // blocks, 2)
            picked = [(y * width + x) * 3 for y in ys for x in xs]
            result.extend(sum(pixels[p + i] for p in picked) / max(len(picked), 1) for i in range(3))
    return result


def difference(a, b):
    return sum(abs(p - q) for p, q in zip(a, b)) / len(a)


def is_black(means):
    return max(means) < 16


# The program --------------------------------------------------------------------------


class Program:
    def __init__(self, program, argument, workdir, config_line):
        self.config_line = config_line
        self.config_dir = os.path.join(workdir, "config")
        self.config_file = os.path.join(self.config_dir, "tesselon", "configfile.txt")
        os.makedirs(os.path.dirname(self.config_file), exist_ok=True)
        self.state_dir = os.path.join(workdir, "state", "tesselon")
        self.write_config()
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", QT_QPA_PLATFORM="xcb",
                   XDG_CONFIG_HOME=self.config_dir, XDG_STATE_HOME=os.path.join(workdir, "state"),
                   XDG_DATA_HOME=os.path.join(workdir, "share"), HOME=workdir)
        self.stderr_path = os.path.join(workdir, "program.log")
        self.stderr = open(self.stderr_path, "wb")
        self.process = subprocess.Popen(
            [program] + ([argument] if argument else []), env=env, stdout=self.stderr, stderr=subprocess.STDOUT
        )
        self.app = None

    def write_config(self):
        Path(self.config_file).write_bytes(self.config_line)

    def alive(self):
        return self.process.poll() is None

    def attach(self):
        def probe():
            if not self.alive():
                raise Failure(f"the program ended at start-up with code {self.process.returncode}")
            desktop = pyatspi.Registry.getDesktop(0)
            # The desktop's list of programs is cached; a program that starts just after
            # another one ended may otherwise never show up in it.
            desktop.clear_cache()
            return next((app for app in children(desktop) if app.get_process_id() == self.process.pid), None)

        # A sanitized build on a busy machine can take most of a minute to get there.
        self.app = wait_for("the program on the accessibility bus", probe, timeout=60)
        # Labels change their text all the time; read them fresh, never from a cache.
        self.app.set_cache_mask(Atspi.Cache.NONE)

    def windows(self):
        if not self.alive():
            raise Failure(f"the program ended unexpectedly with code {self.process.returncode}")
        return [w for w in children(self.app) if showing(w)]

    def log_tail(self, lines=40):
        self.stderr.flush()
        return "\n".join(Path(self.stderr_path).read_bytes().decode("utf-8", "replace").splitlines()[-lines:])

    def wait_end(self, after):
        try:
            code = self.process.wait(20)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end within 20 s of {after}") from None
        if code != 0:
            raise Failure(f"the program should end cleanly after {after}; it ended with code {code}")

    def stop(self):
        if self.alive():
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(5)
        self.stderr.close()


class MainWindow:
    """The main window, whose title ends in "Tesselon" after the picture and the progress."""

    def __init__(self, program):
        self.program = program
        self.frame = wait_for("the main window", self._find)
        bars = (pyatspi.ROLE_MENU_BAR, pyatspi.ROLE_STATUS_BAR, pyatspi.ROLE_TOOL_BAR)
        self.menu_bar, self.status_bar, self.tool_bar = (find(self.frame, role) for role in bars)
        if not (self.menu_bar and self.status_bar and self.tool_bar):
            raise Failure("the main window lacks its menu bar, status bar or toolbar")

    def _find(self):
        ours = (w for w in self.program.windows() if safe_name(w).endswith("Tesselon"))
        return next((w for w in ours if w.getRole() == pyatspi.ROLE_FRAME and find(w, pyatspi.ROLE_MENU_BAR)), None)

    def panels(self):
        # The first six labels of the one showing filler inside the status bar (the play
        # time's panel follows them); the label beside it is the no-picture state's one text.
        for box in children(self.status_bar):
            if box.getRole() == pyatspi.ROLE_FILLER and showing(box):
                labels = [safe_name(c) for c in children(box) if c.getRole() == pyatspi.ROLE_LABEL]
                if len(labels) >= 6:
                    return labels[:6]
        return None

    def wait_panels(self, what, check, timeout=20.0):
        seen = {}

        def probe():
            seen.update(panels=self.panels(), title=safe_name(self.frame))
            return seen["panels"] if seen["panels"] is not None and check(seen["panels"]) else None

        return wait_for(what, probe, timeout, seen=seen)

    def wait_moves(self, moves):
        return self.wait_panels(f'"{moves} movements"', lambda p: p[5] == f"{moves} movements")

    def open_menu_item(self, menu, item):
        top = find(self.menu_bar, pyatspi.ROLE_MENU_ITEM, menu)
        if top is None:
            raise Failure(f"no menu {menu!r} in the menu bar")
        click_at(centre(extents(top)))

        def probe():
            rects = map(extents, find_all(top, pyatspi.ROLE_MENU_ITEM, item))
            return next((rect for rect in rects if rect[2] > 0 and rect[1] > 0), None)

        click_at(centre(wait_for(f"menu item {menu} > {item} on screen", probe, timeout=10)))


class Board:
    """The board surface: the only child of the viewport that sits beside the two scroll bars."""

    def __init__(self, main, columns, rows):
        self.columns, self.rows, self.surface = columns, rows, None
        for node in descendants(main.frame):
            kids = children(node)
            bars = [k for k in kids if k.getRole() == pyatspi.ROLE_SCROLL_BAR]
            if len(bars) != 2:
                continue
            for kid in kids:
                if kid.getRole() != pyatspi.ROLE_SCROLL_BAR and kid.childCount == 1:
                    self.surface, self.bars = kid.getChildAtIndex(0), bars
        if self.surface is None:
            raise Failure("no board viewport with two scroll bars in the main window")
        self.places = [(c, r) for r in range(1, rows + 1) for c in range(1, columns + 1)]
        wait_for("the board to be drawn", until(lambda: min(self.rect()[2:]) > 100))

    def rect(self):
        return extents(self.surface)

    def scroll_bar_shown(self):
        return any(showing(bar) for bar in self.bars)

    def place(self, column, row, board_rect=None, inset=4):
        """A place's rectangle, kept clear of the grid lines and of rounding."""
        x, y, w, h = board_rect or self.rect()
        left = x + (column - 1) * w // self.columns + inset
        right = x + column * w // self.columns - inset
        top = y + (row - 1) * h // self.rows + inset
        bottom = y + row * h // self.rows - inset
        return left, top, right - left, bottom - top

    def click(self, column, row):
        click_at(centre(self.place(column, row)))

    def snapshot(self):
        """Block means of every place as the screen shows it, all over rectangles of one size."""
        x, y, w, h = self.rect()
        rects = [self.place(c, r, (0, 0, w, h)) for c, r in self.places]
        width, height = (min(r[i] for r in rects) for i in (2, 3))
        crop = f"{w}x{h}+{x}+{y}"
        pixels = tool("import", "-window", "root", "-crop", crop, "+repage", "-depth", "8", "rgb:-")
        return {p: block_means(pixels, w, (r[0], r[1], width, height)) for p, r in zip(self.places, rects)}

    def settled_snapshot(self, what):
        """A snapshot once two in a row agree, so that no repaint is still on its way."""
        previous = []

        def probe():
            now = self.snapshot()
            same = previous and max(difference(now[p], previous[0][p]) for p in self.places) < 1
            previous[:] = [now]
            return now if same else None

        return wait_for(what, probe, timeout=10, interval=0.2)

    def wait_shows(self, what, before, moved, black=(), same=2):
        """Waits until each place in moved shows what the place it names showed in the snapshot
        before, each place in black is black, and every other place looks as it did.

        A moved piece must come closer to its old look than to the one it replaced, so that
        two pieces that look alike cannot pass for an exchange.
        """
        seen = {}

        def probe():
            now = self.snapshot()
            seen.clear()
            for p in self.places:
                old = moved.get(p, p)
                if p in black:
                    if not is_black(now[p]):
                        seen[p] = "not black"
                    continue
                limit = min(8, difference(before[p], before[old]) / 2) if old != p else same
                off = difference(now[p], before[old])
                if off >= limit:
                    seen[p] = f"{off:.1f} from the old {old}, under {limit:.1f} wanted"
            return None if seen else now

        return wait_for(what, probe, timeout=10, interval=0.3, seen=seen)


# Steps shared by the scenarios ----------------------------------------------------------


def new_puzzle_dialog(program, timeout=30):
    def probe():
        for window in program.windows():
            if window.getRole() == pyatspi.ROLE_DIALOG and safe_name(window) == "Tesselon":
                ok = find(window, pyatspi.ROLE_PUSH_BUTTON, "OK")
                if ok is not None and find(window, pyatspi.ROLE_LABEL, SAMPLE) is not None:
                    return window, ok
        return None

    return wait_for(f'the new-puzzle dialog "Tesselon" showing {SAMPLE!r}', probe, timeout)


def press_and_close(dialog, button):
    press(button)
    wait_for("the dialog to close", until(lambda: not showing(dialog)))


def start_puzzle(program, summary, style, columns, rows):
    """Builds the puzzle the dialog offers at start, with the summary and the style chosen
    from the configuration, and returns the main window and the board once the status bar
    and the title show the new puzzle."""
    dialog, ok = new_puzzle_dialog(program)
    wait_for(f"the summary {summary!r}", lambda: find(dialog, pyatspi.ROLE_LABEL, summary), timeout=10)
    option = find(dialog, pyatspi.ROLE_RADIO_BUTTON, style)
    if option is None or not option.getState().contains(pyatspi.STATE_CHECKED):
        raise Failure(f"the dialog should have the style {style!r} chosen from the configuration")
    press_and_close(dialog, ok)
    main = MainWindow(program)
    total = columns * rows

    def new(panels):
        counts = [re.fullmatch(rf"(\d+) pieces {w} place", t) for w, t in zip(("in", "out of"), panels[3:5])]
        fixed = ["NOT ASSEMBLED", SAMPLE, f"{total} pieces ({columns}x{rows})", "0 movements"]
        title = rf"{re.escape(SAMPLE)} - \d+ of {total} in place - Tesselon"
        return (panels[:3] + panels[5:] == fixed and all(counts) and sum(int(c[1]) for c in counts) == total
                and re.fullmatch(title, safe_name(main.frame)))

    what = f"the status bar and the title of a new {columns}x{rows} puzzle, whose counts add up to {total}"
    main.wait_panels(what, new)
    return main, Board(main, columns, rows)


def question_box(program):
    for window in program.windows():
        if safe_name(window) == "Tesselon" and window.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG):
            buttons = {safe_name(b).replace("&", ""): b for b in find_all(window, pyatspi.ROLE_PUSH_BUTTON)}
            # The buttons speak the language of the installed Qt translations, if any.
            yes, no = buttons.get("Yes") or buttons.get("Sí"), buttons.get("No")
            if yes is not None and no is not None:
                return window, yes, no
    return None


def exit_and_check_config(program, main, menu, item, question, expected_line, sample_dir):
    """Leaves through the menu answering Yes to the question, whose default is No; the
    configuration must then hold expected_line, with the drive and folder of the samples.

    The starting line is written back first, so only the save at exit can produce the new one.
    """
    program.write_config()
    main.open_menu_item(menu, item)
    box, yes, no = wait_for('the question box "Tesselon" with Yes and No', lambda: question_box(program))
    if find(box, pyatspi.ROLE_LABEL, question) is None:
        texts = [safe_name(n) for n in find_all(box, pyatspi.ROLE_LABEL)]
        raise Failure(f"the question box should ask {question!r}; its labels read {texts}")
    if not no.getState().contains(pyatspi.STATE_IS_DEFAULT):
        raise Failure("No should be the question box's default button")
    press(yes)
    program.wait_end(f"{item} answered Yes")
    line = Path(program.config_file).read_bytes()
    match = re.fullmatch(expected_line, line)
    if match is None:
        raise Failure(f"the configuration file should match {expected_line!r} after exit; it holds {line!r}")
    drive, folder = (m.decode("utf-8") for m in match.groups())
    if os.path.realpath(folder) != sample_dir or not drive or not folder.startswith(drive):
        raise Failure(f"the configuration should remember the folder {sample_dir} and its drive: {line!r}")


def beside(program_path):
    return program_path, os.path.join(os.path.dirname(program_path), "samples")


def run(program_path, sample_dir, workdir, scenarios):
    sample = os.path.join(sample_dir, SAMPLE)
    for path in (program_path, sample):
        if not os.path.isfile(path):
            raise Failure(f"{path} is missing; build the program first")
    for name in ("xdotool", "import"):
        if shutil.which(name) is None:
            raise Failure(f"{name} is not installed (scripts/deps installs it)")
    for title, scenario, config_line in scenarios:
        print(f"--- {title}", flush=True)
        folder = os.path.join(workdir, title.replace(" ", "-"))
        os.makedirs(folder)
        program = Program(program_path, sample, folder, config_line)
        try:
            program.attach()
            scenario(program, sample_dir)
        except Failure as failure:
            output = program.log_tail()
            raise Failure(f"{title}: {failure}\n--- program output (last lines) ---\n{output}") from None
        finally:
            program.stop()


def main(usage, scenarios, locate=beside):
    """Runs each (title, scenario, configuration line) against the program locate finds."""
    if len(sys.argv) != 2:
        print(usage, file=sys.stderr)
        return 2
    program_path, sample_dir = (os.path.realpath(p) for p in locate(os.path.realpath(sys.argv[1])))
    workdir = tempfile.mkdtemp(prefix="tesselon-e2e-")
    try:
        run(program_path, sample_dir, workdir, scenarios)
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr, flush=True)
        print(f"(files kept in {workdir})", file=sys.stderr)
        return 1
    shutil.rmtree(workdir, ignore_errors=True)
    print("PASS")
    return 0
