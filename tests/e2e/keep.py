#!/usr/bin/python3
"""Never lose a game: moves, a SIGKILL, and a start without arguments that goes on.

Usage: keep.py PROGRAM
"""

import json
import os
import signal
import sys
import time

import tesselon_e2e as e2e
from tesselon_e2e import Failure, centre


def kill_and_resume(program, sample_dir):
    main, board = e2e.start_puzzle(program, "16 pieces puzzle (4x4)", "Normal", 4, 4)
    board.settled_snapshot("the new board to be drawn")
    for moves, (a, b) in enumerate([((1, 1), (4, 4)), ((2, 3), (3, 2))], 1):
        e2e.drag(centre(board.place(*a)), centre(board.place(*b)))
        main.wait_moves(moves)
    # More than the half second the automatic save may wait, and the pieces' glide is over.
    time.sleep(1.5)
    before = board.settled_snapshot("the two exchanges to be drawn")
    program.process.send_signal(signal.SIGKILL)
    program.process.wait(10)
    kept = os.listdir(program.state_dir)
    if "current.pzz" not in kept or "current.json" not in kept or any(".damaged" in n for n in kept):
        raise Failure(f"the state folder should hold the game and nothing damaged: {kept}")

    again = e2e.Program(program.process.args[0], "", os.path.dirname(program.config_dir), program.config_line)
    try:
        again.attach()
        resumed(again, before)
    finally:
        again.stop()
    with open(os.path.join(program.state_dir, "current.json"), "rb") as f:
        side = json.load(f)
    if side.get("moves") != 1 or side.get("position") != 1:
        raise Failure(f"SIGTERM should have kept the game as the undo left it, 1 movement: {side}")


def resumed(program, before):
    # No new-puzzle dialog: the main window goes on with the game.
    main = e2e.MainWindow(program)
    going_on = ["NOT ASSEMBLED", e2e.SAMPLE, "2 movements"]
    main.wait_panels("the game to go on after the restart", lambda p: p[:2] + p[5:] == going_on)
    e2e.Board(main, 4, 4).wait_shows("the resumed board to look as before the kill", before, {}, same=8)
    # The history came back with the game.
    main.open_menu_item("Edit", "Undo")
    main.wait_moves(1)
    program.process.send_signal(signal.SIGTERM)
    program.wait_end("SIGTERM")


SCENARIOS = [
    ("kill and resume", kill_and_resume, b'"1.0",0,"/","/tmp",1,1,4,4,#FALSE#,#FALSE#\r\n'),
]


if __name__ == "__main__":
    sys.exit(e2e.main(__doc__, SCENARIOS))
