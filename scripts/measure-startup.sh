#!/usr/bin/env bash
# Time from start to the main window shown, and resident memory after start-up, in a real
# window on a virtual display (Xvfb). Several runs; prints each and the median.
#   scripts/measure-startup.sh [runs]   (default 7)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-7}"
TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null

source scripts/virtual-display.sh

times=()
rss=()
for i in $(seq "$runs"); do
  # The main window counts as shown when the display reports it mapped; xev watches for that
  # on one connection (polling the display with new connections would disturb the start).
  events="$workdir/events.$i"
  stdbuf -oL xev -root -event substructure >"$events" 2>/dev/null &
  xev_pid=$!
  sleep 0.3
  t0=$(date +%s%N)
  LANG=de_DE.UTF-8 "$workdir/Tarvis32" >/dev/null 2>&1 &
  app_pid=$!
  until grep -q MapNotify "$events"; do
    kill -0 "$app_pid" 2>/dev/null || { echo "Tarvis32 ended before its window showed" >&2; exit 1; }
    sleep 0.002
  done
  t1=$(date +%s%N)
  sleep 1 # settle: first ticks, fonts, paint
  kb=$(awk '/VmRSS/ {print $2}' "/proc/$app_pid/status")
  kill "$app_pid" "$xev_pid"; wait "$app_pid" "$xev_pid" 2>/dev/null || true
  ms=$(( (t1 - t0) / 1000000 ))
  echo "run $i: window shown after ${ms} ms, resident memory ${kb} KiB"
  times+=("$ms"); rss+=("$kb")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "median of $runs runs: window shown after $(median "${times[@]}") ms, resident memory $(median "${rss[@]}") KiB"
