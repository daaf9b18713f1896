#!/usr/bin/python3
"""Plays Tesselon for real with the mouse, as a player would: a Normal puzzle, then a sliding one.

Usage: play.py PROGRAM
"""

import sys

import pyatspi

import tesselon_e2e as e2e
from tesselon_e2e import Failure, centre, extents, wait_for


# Scenario 1: a Normal puzzle in English -------------------------------------------------


def normal_puzzle(program, sample_dir):
    main, board = e2e.start_puzzle(program, "16 pieces puzzle (4x4)", "Normal", 4, 4)
    before = board.settled_snapshot("the new board to be drawn")

    # A click on a piece counts one move and leaves every piece where it was.
    board.click(1, 1)
    main.wait_moves(1)
    board.wait_shows("the board to look as before after a click in place", before, {})

    # Dragging a piece onto another place exchanges the two pieces.
    a, b = (2, 2), (4, 3)
    e2e.drag(centre(board.place(*a)), centre(board.place(*b)))
    if main.wait_moves(2)[0] != "NOT ASSEMBLED":
        raise Failure("one exchange should not assemble a shuffled puzzle")
    board.wait_shows(f"pieces {a} and {b} to change places on screen", before, {a: b, b: a})

    # The keyboard goes to the window under the pointer, so keep the pointer on the board.
    fitted = board.rect()
    e2e.xdotool(*e2e.move_to(centre(fitted)), "key", "--clearmodifiers", "ctrl+plus")

    def grown():
        rect = board.rect()
        return rect if rect[2] > fitted[2] * 1.05 and rect[3] > fitted[3] * 1.05 else None

    rect = wait_for("the board to grow after Ctrl++", grown, timeout=10)
    if not 1.05 < rect[2] / fitted[2] < 1.15:
        raise Failure(f"one zoom step should scale the board by 1.1, it went {fitted} -> {rect}")
    wait_for("a scroll bar once the zoomed board outgrows its viewport", e2e.until(board.scroll_bar_shown), 10)

    buttons = sorted(e2e.find_all(main.tool_bar, pyatspi.ROLE_PUSH_BUTTON), key=lambda b: extents(b)[0])
    names = [e2e.safe_name(b) for b in buttons]
    if names != ["Open", "Save", "Undo", "Redo", "Fit to the window", "Zoom out", "Zoom in"]:
        raise Failure(f"the toolbar of an unsolved puzzle should show its 7 named buttons, it shows {names}")

    e2e.exit_and_check_config(
        program, main, "File", "Exit", "Do you want to close the program?",
        rb'"1\.0",0,"([^"]*)","([^"]*)",1,1,4,4,#FALSE#,#FALSE#\r\n', sample_dir,
    )


# Scenario 2: a sliding puzzle, then the Spanish interface -----------------------------


def sliding_puzzle(program, sample_dir):
    main, board = e2e.start_puzzle(program, "9 pieces puzzle (3x3)", "Difficult", 3, 3)

    def one_empty_place():
        snapshot = board.settled_snapshot("the new board to be drawn")
        black = [p for p in board.places if e2e.is_black(snapshot[p])]
        return (snapshot, black[0]) if len(black) == 1 else None

    before, empty = wait_for("exactly one black (empty) place on the sliding board", one_empty_place, timeout=10)
    c, r = empty
    neighbour = next(p for p in [(c - 1, r), (c + 1, r), (c, r - 1), (c, r + 1)] if p in board.places)
    diagonal = next(p for p in [(c + dc, r + dr) for dc in (-1, 1) for dr in (-1, 1)] if p in board.places)

    # A piece off the empty place's row and column stays put and counts nothing; the
    # neighbour, clicked after it, slides into the empty place.
    board.click(*diagonal)
    board.click(*neighbour)
    what = f"the piece at {neighbour} to slide into the empty place {empty}"
    board.wait_shows(what, before, {empty: neighbour}, black=[neighbour])
    main.wait_moves(1)

    main.open_menu_item("Language", "Español")
    e2e.exit_and_check_config(
        program, main, "Archivo", "Salir", "¿Desea abandonar el programa?",
        rb'"1\.0",1,"([^"]*)","([^"]*)",1,1,3,3,#TRUE#,#FALSE#\r\n', sample_dir,
    )


SCENARIOS = [
    ("normal puzzle", normal_puzzle, b'"1.0",0,"/","/tmp",1,1,4,4,#FALSE#,#FALSE#\r\n'),
    ("sliding puzzle", sliding_puzzle, b'"1.0",0,"/","/tmp",1,1,3,3,#TRUE#,#FALSE#\r\n'),
]


if __name__ == "__main__":
    sys.exit(e2e.main(__doc__, SCENARIOS))
