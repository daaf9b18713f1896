#!/usr/bin/python3
"""Never lose a game: moves, a SIGKILL, and a start without arguments that goes on.

Usage: keep.py PROGRAM
"""

import json
import os
import signal
import subprocess
import sys
import time

from tesselon_e2e import (
    ANY,
    SAMPLE,
    Board,
    Failure,
    MainWindow,
    Program,
    centre,
    confirm_first_dialog,
    difference,
    drag,
    log,
    main,
    status_matches,
    tool,
    wait_for,
)

SHOTS = os.environ.get("TESSELON_E2E_SHOTS", "/tmp")


def screenshot(name):
    path = os.path.join(SHOTS, name)
    tool("import", "-window", "root", path)
    log(f"screenshot {path}")


def kill_and_resume(program, sample, sample_dir):
    confirm_first_dialog(program, "16 pieces puzzle (4x4)", "Normal")
    main_window = MainWindow(program)
    main_window.wait_panels(
        "a new 4x4 puzzle", status_matches(["NOT ASSEMBLED", SAMPLE, ANY, ANY, ANY, "0 movements"])
    )
    board = Board(main_window, 4, 4)
    board.settled_snapshot("the new board to be drawn")
    drag(centre(board.place(1, 1)), centre(board.place(4, 4)))
    main_window.wait_panels('"1 movements"', lambda p: p[5] == "1 movements")
    drag(centre(board.place(2, 3)), centre(board.place(3, 2)))
    main_window.wait_panels('"2 movements"', lambda p: p[5] == "2 movements")
    # More than the half second the automatic save may wait, and the pieces' glide is over.
    time.sleep(1.5)
    before = board.settled_snapshot("the two exchanges to be drawn")
    screenshot("tesselon-keep-before-kill.png")
    program.process.send_signal(signal.SIGKILL)
    program.process.wait(10)
    log(f"killed with SIGKILL ({program.process.returncode})")
    kept = os.listdir(program.state_dir)
    if "current.pzz" not in kept or "current.json" not in kept or any(".damaged" in n for n in kept):
        raise Failure(f"the state folder should hold the game and nothing damaged: {kept}")
    killed_at = os.path.getmtime(os.path.join(program.state_dir, "current.json"))

    again = Program(program.process.args[0], "", os.path.dirname(program.config_dir), program.config_line)
    try:
        again.attach()
        resumed(again, board, before, killed_at)
    finally:
        again.stop()
    with open(os.path.join(program.state_dir, "current.json"), "rb") as f:
        side = json.load(f)
    if side.get("moves") != 1 or side.get("position") != 1:
        raise Failure(f"SIGTERM should have kept the game as the undo left it, 1 movement: {side}")
    log("SIGTERM: the program ended and kept the game")


def resumed(program, old_board, before, killed_at):
    main_window = MainWindow(program)
    panels = main_window.wait_panels(
        "the game to go on after the restart",
        status_matches(["NOT ASSEMBLED", SAMPLE, ANY, ANY, ANY, "2 movements"]),
    )
    log(f"resumed without the new-puzzle dialog: {panels}")
    board = Board(main_window, 4, 4)
    now = board.settled_snapshot("the resumed board to be drawn")
    screenshot("tesselon-keep-after-restart.png")
    worst = max(difference(now[p], before[p]) for p in board.places)
    if worst > 8:
        raise Failure(
            f"the resumed board should look as it did before the kill (block difference {worst:.1f})"
        )
    side_path = os.path.join(program.state_dir, "current.json")

    def rewritten():
        if os.path.getmtime(side_path) <= killed_at:
            return None
        with open(side_path, "rb") as f:
            return json.load(f)

    # The resumed game is written again from what the session now holds: its history.
    side = wait_for("the resumed game to be kept again", rewritten, timeout=10)
    if len(side.get("history", [])) != 2 or side.get("position") != 2:
        raise Failure(f"the resumed game should hold its two moves to undo: {side}")
    log(f"history kept: {len(side['history'])} moves, both undoable")
    main_window.open_menu_item("Edit", "Undo")
    main_window.wait_panels('"1 movements" after Edit > Undo', lambda p: p[5] == "1 movements")
    log("Edit > Undo after the restart: 1 movement")
    program.process.send_signal(signal.SIGTERM)
    try:
        code = program.process.wait(20)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end within 20 s of SIGTERM") from None
    if code != 0:
        raise Failure(f"SIGTERM should end the program cleanly; it ended with {code}")


SCENARIOS = [
    ("kill and resume", kill_and_resume, b'"1.0",0,"/","/tmp",1,1,4,4,#FALSE#,#FALSE#\r\n'),
]


if __name__ == "__main__":
    sys.exit(main(__doc__, SCENARIOS))
