#!/usr/bin/python3
"""Opens Tesselon on a screen scaled by QT_SCALE_FACTOR and checks that the new-puzzle
dialog's OK and Cancel, its Columns and Rows lists, and the main window's toolbar and
status bar all lie inside the screen.

Usage: scale.py PROGRAM  (run with TESSELON_E2E_SCREEN=1600x1000 and QT_SCALE_FACTOR=2)
"""

import os
import sys

import pyatspi

import tesselon_e2e as e2e
from tesselon_e2e import Failure, extents, find, tool


def window_widths(program):
    """The widths in screen pixels of the program's visible top-level X windows."""
    ids = tool("xdotool", "search", "--onlyvisible", "--pid", str(program.process.pid), "--name", "Tesselon")
    widths = []
    for window in ids.split():
        shell = tool("xdotool", "getwindowgeometry", "--shell", window.decode()).decode()
        widths.append(int(dict(line.split("=", 1) for line in shell.splitlines() if "=" in line)["WIDTH"]))
    return widths


def scaled(program, sample_dir):
    screen = [int(n) for n in tool("xdotool", "getdisplaygeometry").split()]
    dialog, ok = e2e.new_puzzle_dialog(program)
    # The bus may speak in the program's own pixels or in the screen's: the X window of the
    # dialog, whose width is the bus's width times one or the other, says which.
    scale = float(os.environ["QT_SCALE_FACTOR"])
    bus_width = extents(dialog)[2]
    widths = e2e.wait_for("the program's X windows", lambda: window_widths(program) or None)
    factor = min((abs(w / bus_width - f), f) for w in widths for f in (1.0, scale))[1]

    def inside_screen(what, acc):
        if acc is None:
            raise Failure(f"no {what} to be seen")
        x, y, w, h = (round(v * factor) for v in extents(acc))
        if w <= 0 or h <= 0 or x < 0 or y < 0 or x + w > screen[0] or y + h > screen[1]:
            raise Failure(f"{what} at {x},{y} {w}x{h} does not lie inside the {screen[0]}x{screen[1]} screen")

    inside_screen("the dialog", dialog)
    button, label, radio = pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_LABEL, pyatspi.ROLE_RADIO_BUTTON
    controls = (button, "OK"), (button, "Cancel"), (label, "Columns"), (label, "Rows"), (radio, "Difficult")
    for role, name in controls:
        inside_screen(f"the dialog's {name!r}", find(dialog, role, name))
    e2e.press_and_close(dialog, ok)
    window = e2e.MainWindow(program)
    inside_screen("the main window's toolbar", window.tool_bar)
    inside_screen("the main window's status bar", window.status_bar)


SCENARIOS = [
    ("scaled screen", scaled, b'"1.0",0,"/","/tmp",1,1,4,4,#FALSE#,#FALSE#\r\n'),
]


if __name__ == "__main__":
    if os.environ.get("QT_SCALE_FACTOR") is None:
        print("scale.py needs QT_SCALE_FACTOR set", file=sys.stderr)
        sys.exit(2)
    sys.exit(e2e.main(__doc__, SCENARIOS))
