#!/usr/bin/env bash
# Prints the tree of objects a screen reader (Orca) reads of the main window during a call:
# the program runs on a virtual display with its own session and accessibility bus, a call is
# started with Enter and runs for a few seconds, then the AT-SPI tree is read.
#   scripts/accessibility-tree.sh [seconds of the call, default 5]
set -euo pipefail
cd "$(dirname "$0")/.."
sekunden="${1:-5}"
TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null

source scripts/virtual-display.sh
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=de_DE.UTF-8 LC_ALL=
export XDG_RUNTIME_DIR="$workdir/run"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
dbus-run-session -- bash -c '
  # The accessibility bus first, switched on as a screen reader switches it on, then the
  # program, which finds it there when it starts.
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
  "$1/Tarvis32" >/dev/null 2>&1 &
  app=$!
  trap "kill $app 2>/dev/null || true" EXIT
  sleep 2
  window="$(timeout 10 xdotool search --sync --limit 1 --name Logbuchdatei)"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key Return
  sleep "$2"
  # The system Python, which has pyatspi, whatever python3 comes first on the PATH.
  /usr/bin/python3 scripts/accessibility-tree.py Tarvis32
' _ "$workdir" "$sekunden" 2> >(grep -v -e 'dbus-daemon' -e SpiRegistry -e XDG_RUNTIME_DIR >&2)
