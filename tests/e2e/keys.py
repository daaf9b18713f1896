#!/usr/bin/python3
"""Plays a 2 x 2 sliding puzzle to the end with the keyboard alone, then undoes every move.

Usage: keys.py PROGRAM
"""

import re
import sys
import time

from tesselon_e2e import (
    ANY,
    SAMPLE,
    Board,
    Failure,
    MainWindow,
    confirm_first_dialog,
    descendants,
    exit_and_check_config,
    log,
    main,
    safe_name,
    showing,
    status_matches,
    wait_for,
    xdotool,
)


def moves_of(panels):
    return int(re.fullmatch(r"(\d+) movements", panels[5])[1])


def key(name):
    xdotool("key", "--delay", "60", name)


def keyboard_game(program, sample, sample_dir):
    confirm_first_dialog(program, "4 pieces puzzle (2x2)", "Difficult")
    main = MainWindow(program)
    main.wait_panels(
        "the status bar of a new 2x2 puzzle",
        status_matches(["NOT ASSEMBLED", SAMPLE, "4 pieces (2x2)", ANY, ANY, "0 movements"]),
    )
    board = Board(main, 2, 2)
    wait_for(
        "the board to take the keys and describe its cursor",
        lambda: True if board.surface.description.startswith("Column 1, row 1:") else None,
    )
    title = safe_name(main.frame)
    if not re.fullmatch(rf"{re.escape(SAMPLE)} - \d of 4 in place - Tesselon", title):
        raise Failure(f"the title should name the picture and the progress, it reads {title!r}")

    # The three pieces turn round the board: Left, Up, Right and Down in turn take the empty
    # place once round, the keys with no piece to move doing nothing, so the picture comes
    # together within twelve slides.
    for step in range(16):
        if main.panels()[0] == "ASSEMBLED":
            break
        key(["Left", "Up", "Right", "Down"][step % 4])
        time.sleep(0.3)
    panels = main.wait_panels("the picture assembled by the keys", lambda p: p[0] == "ASSEMBLED")
    made = moves_of(panels)
    log(f"assembled with the arrow keys in {made} slides; title {safe_name(main.frame)!r}")

    # Ctrl+Z takes every slide back, even after the picture came together.
    for _ in range(made):
        key("ctrl+z")
    panels = main.wait_panels(
        "every slide undone", lambda p: p[0] == "NOT ASSEMBLED" and p[5] == "0 movements", timeout=10
    )
    log(f"{made} undos: back to the start, {panels[5]}")

    # F10 opens the first menu; Escape closes it again.
    key("F10")
    wait_for(
        "F10 to open the File menu",
        lambda: next(
            (n for n in descendants(main.menu_bar) if safe_name(n) == "Open" and showing(n)), None
        ),
        timeout=10,
    )
    key("Escape")
    key("Escape")
    log("F10 opened the File menu")
    exit_and_check_config(
        program,
        main,
        "File",
        "Exit",
        "Do you want to close the program?",
        rb'"1\.0",0,"([^"]*)","([^"]*)",1,1,2,2,#TRUE#,#FALSE#\r\n',
        sample_dir,
    )


SCENARIOS = [
    ("keyboard game", keyboard_game, b'"1.0",0,"/","/tmp",1,1,2,2,#TRUE#,#FALSE#\r\n'),
]

if __name__ == "__main__":
    sys.exit(main(__doc__, SCENARIOS))
