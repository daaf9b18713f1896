#!/usr/bin/python3
"""Plays Tesselon for real, as a player would: a Normal puzzle, then a sliding one.

Usage: play.py PROGRAM
"""

import re
import sys

import pyatspi

from tesselon_e2e import (
    ANY,
    SAMPLE,
    Board,
    Failure,
    MainWindow,
    ask_to_exit,
    centre,
    click_at,
    confirm_first_dialog,
    counts_add_up,
    difference,
    drag,
    exit_and_check_config,
    extents,
    find,
    find_all,
    grab,
    is_black,
    log,
    main,
    picture_file,
    press,
    question_box,
    safe_name,
    showing,
    status_matches,
    wait_for,
    xdotool,
)


# Scenario 1: a Normal puzzle in English -------------------------------------------------


def normal_puzzle(program, sample, sample_dir):
    confirm_first_dialog(program, "16 pieces puzzle (4x4)", "Normal")
    main = MainWindow(program)
    panels = main.wait_panels(
        "the status bar of a new 4x4 puzzle",
        status_matches(["NOT ASSEMBLED", SAMPLE, "16 pieces (4x4)", ANY, ANY, "0 movements"]),
    )
    counts_add_up(panels, r"(\d+) pieces in place", r"(\d+) pieces out of place", 16)
    log(f"status bar: {panels}")

    board = Board(main, 4, 4)
    fitted = wait_for(
        "the board to fill its viewport",
        lambda: (lambda r: r if r[2] > 100 and r[3] > 100 else None)(board.rect()),
    )
    view = extents(board.viewport)
    if fitted[2] > view[2] or fitted[3] > view[3] or board.scroll_bar_shown():
        raise Failure(
            f"a new puzzle should fit its viewport without scroll bars: board {fitted}, viewport {view}"
        )
    log(f"board {fitted}, viewport {view}")

    swap_pieces(main, board)
    zoom_in(main, board, fitted)
    preview_window(program, main, board, sample)

    yes, no = ask_to_exit(program, main, "File", "Exit", "Do you want to close the program?")
    press(no)
    wait_for("the question box to close after No", lambda: True if question_box(program) is None else None)
    if not program.alive() or not showing(main.frame):
        raise Failure("answering No must keep the program and its window")
    log("Exit answered No: still running")

    exit_and_check_config(
        program,
        main,
        "File",
        "Exit",
        "Do you want to close the program?",
        rb'"1\.0",0,"([^"]*)","([^"]*)",1,1,4,4,#FALSE#,#FALSE#\r\n',
        sample_dir,
    )


def swap_pieces(main, board):
    before = board.settled_snapshot("the new board to be drawn")

    # A click on a piece counts one move and leaves every piece where it was.
    board.click(1, 1)
    main.wait_panels('"1 movements" after a click on a piece', lambda p: p[5] == "1 movements")

    def unchanged():
        now = board.snapshot()
        return now if max(difference(now[p], before[p]) for p in board.places) < 2 else None

    wait_for("the board to look as before after a click in place", unchanged, timeout=10, interval=0.3)
    log("click in place: 1 movement, board unchanged")

    # Dragging a piece onto another place exchanges the two pieces.
    a, b = (2, 2), (4, 3)
    drag(centre(board.place(*a)), centre(board.place(*b)))
    panels = main.wait_panels('"2 movements" after dragging a piece', lambda p: p[5] == "2 movements")
    if panels[0] != "NOT ASSEMBLED":
        raise Failure(f"one exchange should not assemble a shuffled puzzle; panel 1 reads {panels[0]!r}")
    distinct = difference(before[a], before[b])
    seen = {}

    def swapped():
        now = board.snapshot()
        seen.update(
            others=max(difference(now[p], before[p]) for p in board.places if p not in (a, b)),
            a=difference(now[a], before[b]),
            b=difference(now[b], before[a]),
        )
        limit = min(8, distinct / 2)
        return now if seen["others"] < 2 and seen["a"] < limit and seen["b"] < limit else None

    try:
        wait_for(f"pieces {a} and {b} to change places on screen", swapped, timeout=10, interval=0.3)
    except Failure as failure:
        raise Failure(
            f"{failure}; block differences: other places {seen.get('others')}, "
            f"{a} against old {b} {seen.get('a')}, {b} against old {a} {seen.get('b')}, "
            f"between the two pieces before {distinct}"
        ) from None
    log(
        f"drag {a} -> {b}: 2 movements, pieces exchanged on screen (block difference "
        f"{seen['a']:.1f} and {seen['b']:.1f}, {distinct:.1f} between the two pieces)"
    )


def zoom_in(main, board, fitted):
    def grown(than, what):
        def probe():
            rect = board.rect()
            return rect if rect[2] > than[2] * 1.05 and rect[3] > than[3] * 1.05 else None

        rect = wait_for(what, probe, timeout=10)
        if not 1.05 < rect[2] / than[2] < 1.15:
            raise Failure(f"one zoom step should scale the board by 1.1, it went {than} -> {rect}")
        return rect

    # The keyboard goes to the window under the pointer, so keep the pointer on the board.
    xdotool("mousemove", "--sync", *map(str, centre(fitted)))
    xdotool("key", "--clearmodifiers", "ctrl+plus")
    once = grown(fitted, "the board to grow after Ctrl++")
    wait_for(
        "a scroll bar once the zoomed board is larger than its viewport",
        lambda: True if board.scroll_bar_shown() else None,
        timeout=10,
    )
    log(f"Ctrl++: board {fitted[2]}x{fitted[3]} -> {once[2]}x{once[3]}, scroll bar shown")

    # The toolbar's buttons run left to right open, save, undo, redo, fit, zoom out, zoom in.
    buttons = sorted(find_all(main.tool_bar, pyatspi.ROLE_PUSH_BUTTON), key=lambda b: extents(b)[0])
    names = [safe_name(b) for b in buttons]
    if names != ["Open", "Save", "Undo", "Redo", "Fit to the window", "Zoom out", "Zoom in"]:
        raise Failure(f"the toolbar of an unsolved puzzle should show its 7 named buttons, it shows {names}")
    click_at(centre(extents(buttons[-1])))
    twice = grown(once, "the board to grow after the toolbar's zoom-in button")
    log(f"toolbar zoom in: board -> {twice[2]}x{twice[3]}")


def preview_window(program, main, board, sample):
    main.open_menu_item("See it assembled", "In a new window")

    def probe():
        for window in program.windows():
            # A plain top-level widget reaches the bus as a filler rather than a frame.
            if (
                window.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW, pyatspi.ROLE_FILLER)
                and safe_name(window) == "Tesselon"
                and find(window, pyatspi.ROLE_MENU_BAR) is None
            ):
                rect = extents(window)
                if rect[2] > 0 and rect[3] > 0:
                    return rect
        return None

    rect = wait_for('a second window titled "Tesselon"', probe)
    board_rect = board.rect()
    if abs(rect[3] - rect[2] * board_rect[3] / board_rect[2]) > 3:
        raise Failure(f"the preview should keep the picture's proportions: window {rect}, board {board_rect}")

    # It shows the whole picture, not the shuffled board.
    expected = picture_file(sample, rect[2], rect[3])
    whole = (0, 0, rect[2], rect[3])
    seen = []

    def shows_picture():
        seen[:] = [difference(grab(rect).block_means(whole), expected.block_means(whole))]
        return True if seen[0] < 6 else None

    try:
        wait_for("the preview window to show the whole picture", shows_picture, timeout=10, interval=0.3)
    except Failure as failure:
        raise Failure(f"{failure}; mean block difference {seen[0] if seen else None}") from None
    log(f"preview window {rect[2]}x{rect[3]} shows the picture (block difference {seen[0]:.1f})")


# Scenario 2: a sliding puzzle, then the Spanish interface -----------------------------


def sliding_puzzle(program, sample, sample_dir):
    confirm_first_dialog(program, "9 pieces puzzle (3x3)", "Difficult")
    main = MainWindow(program)
    main.wait_panels(
        "the status bar of a new 3x3 puzzle",
        status_matches(["NOT ASSEMBLED", SAMPLE, "9 pieces (3x3)", ANY, ANY, "0 movements"]),
    )
    board = Board(main, 3, 3)
    wait_for("the board to be drawn", lambda: True if board.rect()[2] > 100 else None)

    def one_empty_place():
        snapshot = board.settled_snapshot("the new board to be drawn")
        black = [p for p in board.places if is_black(snapshot[p])]
        return (snapshot, black[0]) if len(black) == 1 else None

    before, empty = wait_for(
        "exactly one black (empty) place on the sliding board", one_empty_place, timeout=10
    )
    ec, er = empty
    neighbour = next(p for p in [(ec - 1, er), (ec + 1, er), (ec, er - 1), (ec, er + 1)] if p in board.places)
    corners = [(ec - 1, er - 1), (ec + 1, er - 1), (ec - 1, er + 1), (ec + 1, er + 1)]
    diagonal = next(p for p in corners if p in board.places)

    # A piece off the empty place's row and column stays put and counts nothing; the
    # neighbour, clicked after it, slides into the empty place.
    board.click(*diagonal)
    board.click(*neighbour)
    seen = {}

    def slid():
        now = board.snapshot()
        seen.update(
            others=max(difference(now[p], before[p]) for p in board.places if p not in (empty, neighbour)),
            moved=difference(now[empty], before[neighbour]),
            black=is_black(now[neighbour]),
        )
        return now if seen["others"] < 2 and seen["moved"] < 8 and seen["black"] else None

    try:
        wait_for(
            f"the piece at {neighbour} to slide into the empty place {empty}", slid, timeout=10, interval=0.3
        )
    except Failure as failure:
        raise Failure(f"{failure}; seen {seen}") from None
    panels = main.wait_panels('"1 movements" after one slide', lambda p: p[5] == "1 movements")
    counts_add_up(panels, r"(\d+) pieces in place", r"(\d+) pieces out of place", 9)
    log(f"click on {diagonal}: nothing; click on {neighbour}: slid into {empty}, 1 movement")

    main.open_menu_item("Language", "Español")
    panels = main.wait_panels(
        "the status bar in Spanish",
        status_matches(
            [
                "SIN MONTAR",
                SAMPLE,
                "9 piezas (3x3)",
                re.compile(r"\d+ piezas colocadas"),
                re.compile(r"\d+ piezas por colocar"),
                "Realizados 1 movimientos",
            ]
        ),
    )
    counts_add_up(panels, r"(\d+) piezas colocadas", r"(\d+) piezas por colocar", 9)
    log(f"Spanish status bar: {panels}")

    exit_and_check_config(
        program,
        main,
        "Archivo",
        "Salir",
        "¿Desea abandonar el programa?",
        rb'"1\.0",1,"([^"]*)","([^"]*)",1,1,3,3,#TRUE#,#FALSE#\r\n',
        sample_dir,
    )


SCENARIOS = [
    ("normal puzzle", normal_puzzle, b'"1.0",0,"/","/tmp",1,1,4,4,#FALSE#,#FALSE#\r\n'),
    ("sliding puzzle", sliding_puzzle, b'"1.0",0,"/","/tmp",1,1,3,3,#TRUE#,#FALSE#\r\n'),
]


if __name__ == "__main__":
    sys.exit(main(__doc__, SCENARIOS))
