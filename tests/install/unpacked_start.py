#!/usr/bin/python3
"""Starts an unpacked copy of the package and checks that it finds its own files.

ROOT is where the package was unpacked (dpkg-deb -x); the program is ROOT/usr/games/tesselon
(or ROOT/usr/bin/tesselon) and its data lie in ROOT/usr/share/tesselon only. Start-up stops without the toolbar
icons; the dialog must show the sample named on the command line; the help must open;
the Spanish menus come from the translations built into the program. Runs on the X
display and session bus the caller provides, with the helpers of the end-to-end test.

Usage: unpacked_start.py ROOT
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import tesselon_e2e as e2e  # noqa: E402
from tesselon_e2e import Failure, find, pyatspi, wait_for  # noqa: E402


def locate(root):
    # Debian's packages keep games in /usr/games; an install elsewhere uses bin.
    program = os.path.join(root, "usr", "games", "tesselon")
    if not os.path.isfile(program):
        program = os.path.join(root, "usr", "bin", "tesselon")
    return program, os.path.join(root, "usr", "share", "tesselon", "samples")


def unpacked_start(program, sample_dir):
    e2e.press_and_close(*e2e.new_puzzle_dialog(program))
    main = e2e.MainWindow(program)
    main.open_menu_item("Language", "Español")
    wait_for('the Spanish menu "Ayuda"', lambda: find(main.menu_bar, pyatspi.ROLE_MENU_ITEM, "Ayuda"), 10)
    main.open_menu_item("Ayuda", "Ayuda de Tesselon")

    def help_window():
        for window in program.windows():
            if window.getRole() == pyatspi.ROLE_FRAME and window != main.frame:
                return window
            if window.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG):
                texts = [e2e.safe_name(label) for label in e2e.find_all(window, pyatspi.ROLE_LABEL)]
                raise Failure(f"a message box instead of the help: {texts}")
        return None

    wait_for("the help window", help_window)


if __name__ == "__main__":
    config = b'"1.0",0,"/","/tmp",1,1,3,3,#FALSE#,#FALSE#\r\n'
    sys.exit(e2e.main(__doc__, [("unpacked start", unpacked_start, config)], locate))
