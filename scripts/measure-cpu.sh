#!/usr/bin/env bash
# CPU share of Tarvis32 while a call runs, in a real window on a virtual display (Xvfb).
#   scripts/measure-cpu.sh [seconds]   (default 30)
# Reads utime+stime of the process from /proc/PID/stat before and after the measured span.
set -euo pipefail
cd "$(dirname "$0")/.."
secs="${1:-30}"
TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null

source scripts/virtual-display.sh
LANG=de_DE.UTF-8 "$workdir/Tarvis32" >/dev/null 2>&1 &
app_pid=$!
window="$(xdotool search --sync --limit 1 --name 'Logbuchdatei')"
sleep 2
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key Return # START
sleep 2

ticks_per_sec=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$app_pid/stat"; }
c0=$(cpu); t0=$(date +%s.%N)
sleep "$secs"
c1=$(cpu); t1=$(date +%s.%N)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$app_pid/status")
awk -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" -v hz="$ticks_per_sec" -v rss="$rss" 'BEGIN {
  used = (c1 - c0) / hz; wall = t1 - t0;
  printf "call running for %.1f s: CPU %.2f s = %.2f %% of one core; resident memory %d KiB\n",
         wall, used, 100 * used / wall, rss }'
