#!/bin/sh
# Runs an end-to-end script against the real program on a virtual screen, with a
# private session bus that carries the accessibility bus.
# Usage: run_e2e.sh SCRIPT PROGRAM
# TESSELON_E2E_SCREEN chooses the virtual screen's size (1280x1024 when unset).
# Exits 77 (skipped) when the virtual screen or the accessibility bindings are missing.
set -u

script=$1
program=$2
python=/usr/bin/python3

if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "SKIP: xvfb-run is not installed"
    exit 77
fi
if ! "$python" -c 'import pyatspi' >/dev/null 2>&1; then
    echo "SKIP: $python cannot import pyatspi"
    exit 77
fi
if ! command -v dbus-run-session >/dev/null 2>&1; then
    echo "FAIL: dbus-run-session is not installed (package dbus)"
    exit 1
fi
if [ ! -x "$program" ]; then
    echo "FAIL: $program is not built"
    exit 1
fi

if ! command -v openbox >/dev/null 2>&1; then
    echo "FAIL: openbox is not installed (scripts/deps installs it)"
    exit 1
fi

# A window manager gives the main window the keyboard focus back after a modal dialog, so
# the keys a scenario types reach it.
exec dbus-run-session -- xvfb-run -a -s "-screen 0 ${TESSELON_E2E_SCREEN:-1280x1024}x24" \
    sh -c 'openbox >/dev/null 2>&1 & wm=$!; sleep 1; "$0" "$@"; code=$?; kill $wm; exit $code' \
    "$python" "$script" "$program"
