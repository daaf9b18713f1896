#!/usr/bin/python3
"""Plays a 2 x 2 sliding puzzle to the end with the keyboard alone, then undoes every move.

Usage: keys.py PROGRAM
"""

import re
import sys
import time

import pyatspi

import tesselon_e2e as e2e
from tesselon_e2e import wait_for


def key(name):
    e2e.xdotool("key", "--delay", "60", name)


def keyboard_game(program, sample_dir):
    main, board = e2e.start_puzzle(program, "4 pieces puzzle (2x2)", "Difficult", 2, 2)
    wait_for(
        "the board to take the keys and describe its cursor",
        e2e.until(lambda: board.surface.description.startswith("Column 1, row 1:")),
    )

    # The three pieces turn round the board: Left, Up, Right and Down in turn take the empty
    # place once round, the keys with no piece to move doing nothing, so the picture comes
    # together within twelve slides.
    for step in range(16):
        if main.panels()[0] == "ASSEMBLED":
            break
        key(["Left", "Up", "Right", "Down"][step % 4])
        time.sleep(0.3)
    panels = main.wait_panels("the picture assembled by the keys", lambda p: p[0] == "ASSEMBLED")

    # Ctrl+Z takes every slide back, even after the picture came together.
    for _ in range(int(re.fullmatch(r"(\d+) movements", panels[5])[1])):
        key("ctrl+z")
    main.wait_panels("every slide undone", lambda p: p[0] == "NOT ASSEMBLED" and p[5] == "0 movements", 10)

    key("F10")
    wait_for("F10 to open the File menu", lambda: e2e.find(main.menu_bar, pyatspi.ROLE_MENU_ITEM, "Open"), 10)


SCENARIOS = [
    ("keyboard game", keyboard_game, b'"1.0",0,"/","/tmp",1,1,2,2,#TRUE#,#FALSE#\r\n'),
]

if __name__ == "__main__":
    sys.exit(e2e.main(__doc__, SCENARIOS))
