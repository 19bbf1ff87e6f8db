#!/usr/bin/env bash
# Starts Tarvis32 on a virtual display, optionally works its keyboard and mouse, and saves a
# screenshot of what it shows.
#   scripts/screenshot.sh <scene> <output.png>
# Scenes: main (just started), running (a call running for a few seconds).
set -euo pipefail
cd "$(dirname "$0")/.."
scene="${1:-main}"
out="${2:-screenshots/$scene.png}"
mkdir -p "$(dirname "$out")"

# A free display number.
n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -br -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$app_pid" 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
export DISPLAY=":$n"
unset WAYLAND_DISPLAY

workdir="$(mktemp -d)"
cp build/app/Tarvis32 "$workdir/"
LANG=de_DE.UTF-8 LC_ALL= "$workdir/Tarvis32" >/dev/null 2>&1 &
app_pid=$!
sleep 3

window="$(xdotool search --sync --limit 1 --name 'Logbuchdatei' 2>/dev/null || true)"
case "$scene" in
  main) ;;
  running)
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key Return
    sleep 7
    ;;
  *) echo "unknown scene: $scene" >&2; exit 2 ;;
esac

import -window root "$out.tmp.png"
convert "$out.tmp.png" -trim +repage "$out"
rm -f "$out.tmp.png"
rm -rf "$workdir"
echo "$out"
