#!/usr/bin/python3
"""Opens Tesselon on a screen scaled by QT_SCALE_FACTOR and checks that the new-puzzle
dialog's OK and Cancel, its Columns and Rows lists, and the main window's toolbar and
status bar all lie inside the screen.

Usage: scale.py PROGRAM  (run with TESSELON_E2E_SCREEN=1600x1000 and QT_SCALE_FACTOR=2)
"""

import os
import sys

import pyatspi

from tesselon_e2e import (
    SAMPLE,
    Failure,
    MainWindow,
    extents,
    find,
    log,
    main,
    press,
    safe_name,
    showing,
    tool,
    wait_for,
)


def screen_size():
    width, height = tool("xdotool", "getdisplaygeometry").split()
    return int(width), int(height)


def window_widths(program):
    """The widths in screen pixels of the program's visible top-level X windows."""
    ids = tool("xdotool", "search", "--onlyvisible", "--pid", str(program.process.pid), "--name", "Tesselon")
    widths = []
    for window in ids.split():
        shell = tool("xdotool", "getwindowgeometry", "--shell", window.decode()).decode()
        fields = dict(line.split("=", 1) for line in shell.splitlines() if "=" in line)
        widths.append(int(fields["WIDTH"]))
    return widths


def inside_screen(what, rect, factor, screen):
    """Fails unless rect (in the accessibility bus's units, factor screen pixels each) has
    a size and lies wholly on the screen."""
    x, y, w, h = (round(v * factor) for v in rect)
    if w <= 0 or h <= 0 or x < 0 or y < 0 or x + w > screen[0] or y + h > screen[1]:
        raise Failure(f"{what} at {x},{y} {w}x{h} does not lie inside the {screen[0]}x{screen[1]} screen")
    log(f"{what}: {x},{y} {w}x{h} inside {screen[0]}x{screen[1]}")


def scaled(program, sample, sample_dir):
    screen = screen_size()

    def probe():
        for window in program.windows():
            if window.getRole() == pyatspi.ROLE_DIALOG and safe_name(window) == "Tesselon":
                if find(window, pyatspi.ROLE_PUSH_BUTTON, "OK") is not None:
                    return window
        return None

    dialog = wait_for("the new-puzzle dialog", probe)
    wait_for(f"the dialog to show {SAMPLE!r}", lambda: find(dialog, pyatspi.ROLE_LABEL, SAMPLE), timeout=10)
    # The bus may speak in the program's own pixels or in the screen's: the X window of the
    # dialog, whose width is the bus's width times one or the other, says which.
    scale = float(os.environ["QT_SCALE_FACTOR"])
    bus_width = extents(dialog)[2]
    widths = wait_for("the program's X windows", lambda: window_widths(program) or None)
    factor = min((abs(w / bus_width - f), f) for w in widths for f in (1.0, scale))[1]
    log(f"X windows {widths} px wide, the dialog {bus_width} on the bus: factor {factor}")
    inside_screen("the dialog", extents(dialog), factor, screen)
    for role, name in (
        (pyatspi.ROLE_PUSH_BUTTON, "OK"),
        (pyatspi.ROLE_PUSH_BUTTON, "Cancel"),
        (pyatspi.ROLE_LABEL, "Columns"),
        (pyatspi.ROLE_LABEL, "Rows"),
        (pyatspi.ROLE_RADIO_BUTTON, "Difficult"),
    ):
        control = find(dialog, role, name)
        if control is None:
            raise Failure(f"the dialog shows no {name!r}")
        inside_screen(f"the dialog's {name!r}", extents(control), factor, screen)

    press(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    wait_for("the dialog to close", lambda: True if not showing(dialog) else None)
    window = MainWindow(program)
    inside_screen("the main window's toolbar", extents(window.tool_bar), factor, screen)
    inside_screen("the main window's status bar", extents(window.status_bar), factor, screen)


SCENARIOS = [
    ("scaled screen", scaled, b'"1.0",0,"/","/tmp",1,1,4,4,#FALSE#,#FALSE#\r\n'),
]


if __name__ == "__main__":
    if os.environ.get("QT_SCALE_FACTOR") is None:
        print("scale.py needs QT_SCALE_FACTOR set", file=sys.stderr)
        sys.exit(2)
    sys.exit(main(__doc__, SCENARIOS))
