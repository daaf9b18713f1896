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
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import play  # noqa: E402
from play import Failure, find, log, press, pyatspi, safe_name, showing, wait_for  # noqa: E402

CONFIG = b'"1.0",0,"/","/tmp",1,1,3,3,#FALSE#,#FALSE#\r\n'


def dialog_with_sample(program, sample):
    def probe():
        for window in program.windows():
            if window.getRole() == pyatspi.ROLE_DIALOG and safe_name(window) == "Tesselon":
                ok = find(window, pyatspi.ROLE_PUSH_BUTTON, "OK")
                if ok is not None and find(window, pyatspi.ROLE_LABEL, sample) is not None:
                    return window, ok
        return None

    return wait_for(f"the new-puzzle dialog showing {sample!r}", probe, timeout=30)


def help_window(program, main):
    def probe():
        for window in program.windows():
            role = window.getRole()
            if role == pyatspi.ROLE_FRAME and window != main.frame:
                return window
            if role in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG):
                texts = [safe_name(label) for label in play.find_all(window, pyatspi.ROLE_LABEL)]
                raise Failure(f"a message box instead of the help: {texts}")
        return None

    return wait_for("the help window", probe, timeout=20)


def check(root, workdir):
    # Debian's packages keep games in /usr/games; an install elsewhere uses bin.
    program_path = os.path.join(root, "usr", "games", "tesselon")
    if not os.path.isfile(program_path):
        program_path = os.path.join(root, "usr", "bin", "tesselon")
    sample = os.path.join(root, "usr", "share", "tesselon", "samples", play.SAMPLE)
    for path in (program_path, sample):
        if not os.path.isfile(path):
            raise Failure(f"{path} is not in the package")
    program = play.Program(program_path, sample, workdir, CONFIG)
    try:
        program.attach()
        dialog, ok = dialog_with_sample(program, play.SAMPLE)
        log("toolbar icons and the sample found; building the puzzle")
        press(ok)
        wait_for("the dialog to close", lambda: True if not showing(dialog) else None)
        main = play.MainWindow(program)
        main.open_menu_item("Language", "Español")
        wait_for(
            'the Spanish menu "Archivo"',
            lambda: find(main.menu_bar, pyatspi.ROLE_MENU_ITEM, "Archivo"),
            timeout=10,
        )
        log("translations found")
        main.open_menu_item("Ayuda", "Ayuda de Tesselon")
        help_window(program, main)
        log("help found")
    except Failure as failure:
        raise Failure(f"{failure}\n--- program output (last lines) ---\n{program.log_tail()}") from None
    finally:
        program.stop()


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    workdir = tempfile.mkdtemp(prefix="tesselon-unpacked-")
    try:
        check(os.path.realpath(sys.argv[1]), workdir)
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr, flush=True)
        print(f"(files kept in {workdir})", file=sys.stderr)
        return 1
    shutil.rmtree(workdir, ignore_errors=True)
    log("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
