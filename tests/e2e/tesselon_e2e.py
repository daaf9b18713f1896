"""Helpers for driving the real Tesselon program as a player would.

The program runs on the X display and session bus the caller provides (see run_e2e.sh).
The helpers read the windows through the accessibility bus, click and type through
xdotool at the places the bus reports, and look at the screen through ImageMagick's
import. Every wait polls with a deadline, and every failure says what was expected and
what was seen.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

SAMPLE = "paisaje.jpg"

# Roles whose children are rows of files or folders: walking them is slow and makes
# Qt complain about rows that scroll out of view, and nothing the test wants is there.
LEAF_ROLES = {
    pyatspi.ROLE_LIST,
    pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE,
    pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_LIST_ITEM,
    pyatspi.ROLE_TABLE_CELL,
}

STARTED = time.monotonic()


class Failure(Exception):
    pass


def log(message):
    print(f"[{time.monotonic() - STARTED:6.1f}s] {message}", flush=True)


def wait_for(what, probe, timeout=20.0, interval=0.1):
    """Calls probe until it returns something other than None and returns that.

    The accessibility objects of a window that is being built or torn down can vanish
    between two calls; such errors only mean "not yet".
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
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}{detail}")
        time.sleep(interval)


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
    result = []
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            result.append(child)
    return result


def descendants(acc):
    stack = [acc]
    while stack:
        node = stack.pop()
        yield node
        if node.getRole() in LEAF_ROLES:
            continue
        stack.extend(reversed(children(node)))


def find(acc, role, name=None, only_showing=True):
    for node in descendants(acc):
        if node.getRole() != role:
            continue
        if name is not None and safe_name(node) != name:
            continue
        if only_showing and not showing(node):
            continue
        return node
    return None


def find_all(acc, role, only_showing=True):
    return [n for n in descendants(acc) if n.getRole() == role and (not only_showing or showing(n))]


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


def click_at(point):
    xdotool("mousemove", "--sync", str(point[0]), str(point[1]), "click", "1")


def drag(start, end):
    xdotool("mousemove", "--sync", str(start[0]), str(start[1]), "mousedown", "1")
    # A few steps on the way, so the program sees the pointer travel with the button held.
    for k in (1, 2, 3):
        x = start[0] + (end[0] - start[0]) * k // 3
        y = start[1] + (end[1] - start[1]) * k // 3
        xdotool("mousemove", "--sync", str(x), str(y))
    xdotool("mouseup", "1")


class Picture:
    """An RGB picture of a known size, as raw bytes."""

    def __init__(self, width, height, pixels):
        if len(pixels) != width * height * 3:
            raise Failure(f"a {width}x{height} picture came back with {len(pixels)} bytes")
        self.width, self.height, self.pixels = width, height, pixels

    def block_means(self, rect, blocks=8):
        """Mean colour of each cell of a blocks x blocks grid over rect (x, y, w, h).

        Block means stay put when the drawing shifts by a pixel, which the rounding of
        place sizes can do, yet they tell two different parts of a picture apart.
        """
        x0, y0, w, h = rect
        result = []
        for by in range(blocks):
            for bx in range(blocks):
                sums = [0, 0, 0]
                count = 0
                for y in range(y0 + by * h // blocks, y0 + (by + 1) * h // blocks, 2):
                    row = y * self.width * 3
                    for x in range(x0 + bx * w // blocks, x0 + (bx + 1) * w // blocks, 2):
                        p = row + x * 3
                        sums[0] += self.pixels[p]
                        sums[1] += self.pixels[p + 1]
                        sums[2] += self.pixels[p + 2]
                        count += 1
                result.extend(s / max(count, 1) for s in sums)
        return result


def difference(a, b):
    return sum(abs(p - q) for p, q in zip(a, b)) / len(a)


def grab(rect):
    x, y, w, h = rect
    raw = tool("import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8", "rgb:-")
    return Picture(w, h, raw)


def picture_file(path, width, height):
    return Picture(width, height, tool("convert", path, "-resize", f"{width}x{height}!", "-depth", "8", "rgb:-"))


# The program --------------------------------------------------------------------------


class Program:
    def __init__(self, program, argument, workdir, config_line):
        self.config_line = config_line
        self.config_dir = os.path.join(workdir, "config")
        self.config_file = os.path.join(self.config_dir, "tesselon", "configfile.txt")
        os.makedirs(os.path.dirname(self.config_file), exist_ok=True)
        self.state_dir = os.path.join(workdir, "state", "tesselon")
        self.write_config()
        env = dict(os.environ)
        env.update(
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
            QT_ACCESSIBILITY="1",
            QT_QPA_PLATFORM="xcb",
            XDG_CONFIG_HOME=self.config_dir,
            XDG_STATE_HOME=os.path.join(workdir, "state"),
            XDG_DATA_HOME=os.path.join(workdir, "share"),
            HOME=workdir,
        )
        self.stderr_path = os.path.join(workdir, "program.log")
        self.stderr = open(self.stderr_path, "wb")
        self.process = subprocess.Popen(
            [program] + ([argument] if argument else []), env=env, stdout=self.stderr, stderr=subprocess.STDOUT
        )
        self.app = None

    def write_config(self):
        with open(self.config_file, "wb") as f:
            f.write(self.config_line)

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
            for app in children(desktop):
                if app.get_process_id() == self.process.pid:
                    return app
            return None

        self.app = wait_for("the program on the accessibility bus", probe, timeout=30)
        # Labels change their text all the time; read them fresh, never from a cache.
        self.app.set_cache_mask(Atspi.Cache.NONE)

    def windows(self):
        if not self.alive():
            raise Failure(f"the program ended unexpectedly with code {self.process.returncode}")
        return [w for w in children(self.app) if showing(w)]

    def log_tail(self, lines=40):
        self.stderr.flush()
        with open(self.stderr_path, "rb") as f:
            text = f.read().decode("utf-8", "replace").splitlines()
        return "\n".join(text[-lines:])

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
        self.menu_bar = find(self.frame, pyatspi.ROLE_MENU_BAR)
        self.status_bar = find(self.frame, pyatspi.ROLE_STATUS_BAR)
        self.tool_bar = find(self.frame, pyatspi.ROLE_TOOL_BAR)
        if not (self.menu_bar and self.status_bar and self.tool_bar):
            raise Failure("the main window lacks its menu bar, status bar or toolbar")

    def _find(self):
        for window in self.program.windows():
            if (
                window.getRole() == pyatspi.ROLE_FRAME
                and safe_name(window).endswith("Tesselon")
                and find(window, pyatspi.ROLE_MENU_BAR) is not None
            ):
                return window
        return None

    def panels(self):
        """The six status-bar panels, left to right; None while they are hidden.

        The play time's panel follows them and is not among the six.

        They are the labels of the one showing filler inside the status bar; the label
        beside it is the bar's single text of the no-picture state.
        """
        for box in children(self.status_bar):
            if box.getRole() != pyatspi.ROLE_FILLER or not showing(box):
                continue
            labels = [c for c in children(box) if c.getRole() == pyatspi.ROLE_LABEL]
            if len(labels) >= 6:
                return [safe_name(label) for label in labels[:6]]
        return None

    def wait_panels(self, what, check, timeout=20.0):
        seen = []

        def probe():
            texts = self.panels()
            seen[:] = [texts]
            return texts if texts is not None and check(texts) else None

        try:
            return wait_for(what, probe, timeout)
        except Failure as failure:
            raise Failure(f"{failure}; status bar panels read {seen[0] if seen else None}") from None

    def open_menu_item(self, menu, item):
        top = find(self.menu_bar, pyatspi.ROLE_MENU_ITEM, menu)
        if top is None:
            raise Failure(f"no menu {menu!r} in the menu bar")
        click_at(centre(extents(top)))

        def probe():
            for node in descendants(top):
                if node.getRole() == pyatspi.ROLE_MENU_ITEM and safe_name(node) == item and showing(node):
                    rect = extents(node)
                    if rect[2] > 0 and rect[1] > 0:
                        return rect
            return None

        rect = wait_for(f"menu item {menu} > {item} on screen", probe, timeout=10)
        click_at(centre(rect))


class Board:
    """The board surface: the only child of the viewport that sits beside the two scroll bars."""

    def __init__(self, main, columns, rows):
        self.columns = columns
        self.rows = rows
        self.surface = self.viewport = None
        for node in descendants(main.frame):
            kids = children(node)
            bars = [k for k in kids if k.getRole() == pyatspi.ROLE_SCROLL_BAR]
            if len(bars) != 2:
                continue
            for kid in kids:
                if kid.getRole() != pyatspi.ROLE_SCROLL_BAR and kid.childCount == 1:
                    self.viewport, self.surface, self.bars = kid, kid.getChildAtIndex(0), bars
        if self.surface is None:
            raise Failure("no board viewport with two scroll bars in the main window")
        self.places = [(c, r) for r in range(1, rows + 1) for c in range(1, columns + 1)]

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
        board_rect = self.rect()
        local = (0, 0, board_rect[2], board_rect[3])
        rects = [self.place(c, r, local) for c, r in self.places]
        width = min(r[2] for r in rects)
        height = min(r[3] for r in rects)
        picture = grab(board_rect)
        return {p: picture.block_means((r[0], r[1], width, height)) for p, r in zip(self.places, rects)}


    def settled_snapshot(self, what):
        """A snapshot once two in a row agree, so that no repaint is still on its way."""
        previous = []

        def probe():
            now = self.snapshot()
            same = previous and max(difference(now[p], previous[0][p]) for p in self.places) < 1
            previous[:] = [now]
            return now if same else None

        return wait_for(what, probe, timeout=10, interval=0.2)


def is_black(means):
    return max(means) < 16


# Steps shared by the scenarios ----------------------------------------------------------


def confirm_first_dialog(program, summary, style):
    """The new-puzzle dialog opens at start with the command-line file selected; press OK."""

    def probe():
        for window in program.windows():
            if window.getRole() == pyatspi.ROLE_DIALOG and safe_name(window) == "Tesselon":
                ok = find(window, pyatspi.ROLE_PUSH_BUTTON, "OK")
                if ok is not None:
                    return window, ok
        return None

    dialog, ok = wait_for('the new-puzzle dialog "Tesselon" with its OK button', probe)
    wait_for(
        f"the dialog to show the command-line file {SAMPLE!r}",
        lambda: find(dialog, pyatspi.ROLE_LABEL, SAMPLE),
        timeout=10,
    )
    wait_for(
        f"the dialog's summary {summary!r}",
        lambda: find(dialog, pyatspi.ROLE_LABEL, summary),
        timeout=10,
    )
    option = find(dialog, pyatspi.ROLE_RADIO_BUTTON, style)
    if option is None or not option.getState().contains(pyatspi.STATE_CHECKED):
        raise Failure(f"the dialog should have the style {style!r} chosen from the configuration")
    log(f"dialog: {SAMPLE}, {summary}, {style}; pressing OK")
    press(ok)
    wait_for("the dialog to close", lambda: True if not showing(dialog) else None)


ANY = re.compile(".*")


def status_matches(expected):
    """A check of the six panels against texts or, where a pattern object is given, patterns."""

    def check(panels):
        return all(
            e.fullmatch(p) if isinstance(e, re.Pattern) else e == p for e, p in zip(expected, panels)
        )

    return check


def counts_add_up(panels, placed_pattern, missing_pattern, total):
    placed = re.fullmatch(placed_pattern, panels[3])
    missing = re.fullmatch(missing_pattern, panels[4])
    if not (placed and missing and int(placed[1]) + int(missing[1]) == total):
        raise Failure(f"pieces in place and out of place should add up to {total}: {panels}")


def question_box(program):
    for window in program.windows():
        if safe_name(window) != "Tesselon":
            continue
        if window.getRole() not in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG):
            continue
        buttons = {safe_name(b).replace("&", ""): b for b in find_all(window, pyatspi.ROLE_PUSH_BUTTON)}
        # The buttons speak the language of the installed Qt translations, if any.
        yes = buttons.get("Yes") or buttons.get("Sí")
        no = buttons.get("No")
        if yes is not None and no is not None:
            return window, yes, no
    return None


def ask_to_exit(program, main, menu, item, question):
    main.open_menu_item(menu, item)
    box, yes, no = wait_for('the question box "Tesselon" with Yes and No', lambda: question_box(program))
    if find(box, pyatspi.ROLE_LABEL, question) is None:
        texts = [safe_name(n) for n in find_all(box, pyatspi.ROLE_LABEL)]
        raise Failure(f"the question box should ask {question!r}; its labels read {texts}")
    if not no.getState().contains(pyatspi.STATE_IS_DEFAULT):
        raise Failure("No should be the question box's default button")
    return yes, no


def exit_and_check_config(program, main, menu, item, question, expected_line, sample_dir):
    """Leaves through the menu answering Yes; the configuration must then hold expected_line.

    The starting line is written back first, so only the save at exit can produce the new one.
    """
    program.write_config()
    yes, no = ask_to_exit(program, main, menu, item, question)
    press(yes)
    try:
        code = program.process.wait(20)
    except subprocess.TimeoutExpired:
        still = "a second question box is open" if question_box(program) else "no question box is open"
        raise Failure(f"the program did not end within 20 s after Yes ({still})") from None
    if code != 0:
        raise Failure(f"the program ended with code {code} after {item}")
    log(f"{item} answered Yes: program ended with code 0")

    with open(program.config_file, "rb") as f:
        line = f.read()
    match = re.fullmatch(expected_line, line)
    if match is None:
        raise Failure(f"the configuration file should match {expected_line!r} after exit; it holds {line!r}")
    drive, folder = (m.decode("utf-8") for m in match.groups())
    if os.path.realpath(folder) != sample_dir or not drive or not folder.startswith(drive):
        raise Failure(
            f"the configuration should remember the drive and folder {sample_dir}; it holds {line!r}"
        )
    log(f"configuration rewritten: {line!r}")


def run(program_path, workdir, scenarios):
    sample_dir = os.path.realpath(os.path.join(os.path.dirname(program_path), "samples"))
    sample = os.path.join(sample_dir, SAMPLE)
    if not os.path.isfile(sample):
        raise Failure(f"sample picture {sample} is missing; build the program first")
    for title, scenario, config_line in scenarios:
        log(f"--- {title}")
        folder = os.path.join(workdir, title.replace(" ", "-"))
        os.makedirs(folder)
        program = Program(program_path, sample, folder, config_line)
        try:
            program.attach()
            scenario(program, sample, sample_dir)
        except Failure as failure:
            output = program.log_tail()
            raise Failure(f"{title}: {failure}\n--- program output (last lines) ---\n{output}") from None
        finally:
            program.stop()


def main(usage, scenarios):
    """Runs each (title, scenario, configuration line) against the program named in argv."""
    if len(sys.argv) != 2:
        print(usage, file=sys.stderr)
        return 2
    program_path = os.path.realpath(sys.argv[1])
    for tool in ("xdotool", "import", "convert"):
        if shutil.which(tool) is None:
            print(f"FAIL: {tool} is not installed (scripts/deps installs it)", file=sys.stderr)
            return 1
    workdir = tempfile.mkdtemp(prefix="tesselon-e2e-")
    try:
        run(program_path, workdir, scenarios)
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr, flush=True)
        print(f"(files kept in {workdir})", file=sys.stderr)
        return 1
    shutil.rmtree(workdir, ignore_errors=True)
    log("PASS")
    return 0
