#!/usr/bin/env bash
# CPU share of Tarvis32 in a real window on a virtual display (Xvfb): while it waits (no call)
# and while a call runs, both from one start of the program (it waits first, then START is
# pressed). The CPU time is utime + stime of the process from /proc/PID/stat over each span.
#   scripts/measure-cpu.sh [--rev REVISION] [--screen-reader] [--rounds N] [seconds]
# seconds: the length of each span (default 15); N: starts of each program (default 2).
# --rev: the program of that revision is built in a tree of its own (build-rev/<commit>/, kept
#   for the next run) and measured in the same run, the two programs taking turns, so that a
#   machine busy with other work weighs on both alike.
# --screen-reader: every start is made once more with the accessibility bus on (as
#   scripts/accessibility-tree.sh sets it up) and a listener registered for every object and
#   window event, as a screen reader registers; the events the program sent in each span are
#   counted.
set -euo pipefail
cd "$(dirname "$0")/.."
rev="" zugang=0 runden=2
while [ $# -gt 0 ]; do
  case "$1" in
    --rev) rev="$2"; shift 2 ;;
    --screen-reader) zugang=1; shift ;;
    --rounds) runden="$2"; shift 2 ;;
    *) break ;;
  esac
done
secs="${1:-15}"

TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null
programme=("build/app/Tarvis32")
namen=("this tree")
if [ -n "$rev" ]; then
  commit="$(git rev-parse --short "$rev^{commit}")"
  alt="build-rev/$commit"
  if [ ! -d "$alt" ]; then
    git worktree add --detach "$alt" "$commit" >/dev/null 2>&1
  fi
  (cd "$alt" && TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null)
  programme=("$alt/build/app/Tarvis32" "${programme[@]}")
  namen=("$commit" "${namen[@]}")
fi

source scripts/virtual-display.sh
bus_pid="" lauscher_pid=""
aufraeumen() {
  kill $app_pid 2>/dev/null || true
  [ -n "$lauscher_pid" ] && kill "$lauscher_pid" 2>/dev/null || true
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$workdir"
}
trap aufraeumen EXIT

if ((zugang)); then
  # A session bus of this run's own; the accessibility bus is started from it and switched on
  # as a screen reader switches it on, and the listener counts what the program sends.
  export XDG_RUNTIME_DIR="$workdir/run"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  mapfile -t bus < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
  bus_adresse="${bus[0]}" bus_pid="${bus[1]}"
  export DBUS_SESSION_BUS_ADDRESS="$bus_adresse"
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
  # The system Python, which has pyatspi, whatever python3 comes first on the PATH.
  /usr/bin/python3 scripts/accessibility-events.py >"$workdir/ereignisse" 2>/dev/null &
  lauscher_pid=$!
  for _ in $(seq 100); do grep -q bereit "$workdir/ereignisse" && break; sleep 0.1; done
  unset DBUS_SESSION_BUS_ADDRESS
fi

hz=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$app_pid/stat"; }
# The events counted since the last call, from the listener's last line.
ereignisse() {
  kill -USR1 "$lauscher_pid"
  sleep 0.3
  tail -n 1 "$workdir/ereignisse"
}
# One span of `secs` seconds: "CPU ticks, wall seconds, events" in spanne_*.
spanne() {
  ((bus_an)) && ereignisse >/dev/null
  local c0 t0
  c0=$(cpu) t0=$(date +%s.%N)
  sleep "$secs"
  spanne_cpu=$(($(cpu) - c0)) spanne_wand=$(awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN {print b - a}')
  spanne_ereignisse="-"
  ((bus_an)) && spanne_ereignisse="$(ereignisse)"
  return 0
}

# One start of a program, bus on or off: the program waits, then a call runs.
messe() {
  local programm="$1" dir
  dir="$(mktemp -d -p "$workdir")"
  cp "$programm" "$dir/Tarvis32"
  if ((bus_an)); then
    DBUS_SESSION_BUS_ADDRESS="$bus_adresse" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
      LANG=de_DE.UTF-8 LC_ALL= "$dir/Tarvis32" >/dev/null 2>&1 &
  else
    env -u DBUS_SESSION_BUS_ADDRESS LANG=de_DE.UTF-8 LC_ALL= "$dir/Tarvis32" >/dev/null 2>&1 &
  fi
  app_pid=$!
  local window
  window="$(timeout 30 xdotool search --sync --limit 1 --name 'Logbuchdatei')"
  sleep 2
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 1
  spanne
  warten=("$spanne_cpu" "$spanne_wand" "$spanne_ereignisse")
  xdotool key Return # START
  sleep 2
  spanne
  laufen=("$spanne_cpu" "$spanne_wand" "$spanne_ereignisse")
  kill "$app_pid"
  wait "$app_pid" 2>/dev/null || true
  app_pid=
}

prozent() { awk -v c="$1" -v w="$2" -v hz="$hz" 'BEGIN {printf "%.2f", 100 * c / hz / w}'; }
declare -A summe
busse=(0)
((zugang)) && busse=(0 1)
echo "spans of $secs s, $runden starts of each program, taking turns; % of one core"
printf '%-10s %-13s %-6s %9s %9s   %s\n' program screen-reader round waiting call "events waiting | call"
for ((runde = 1; runde <= runden; runde++)); do
  for bus_an in "${busse[@]}"; do
    for i in "${!programme[@]}"; do
      messe "${programme[i]}"
      schluessel="$i,$bus_an"
      summe[$schluessel]="$(echo "${summe[$schluessel]:-0 0 0 0}" |
        awk -v a="${warten[0]}" -v b="${warten[1]}" -v c="${laufen[0]}" -v d="${laufen[1]}" \
          '{print $1 + a, $2 + b, $3 + c, $4 + d}')"
      printf '%-10s %-13s %-6s %7s %% %7s %%   %s | %s\n' "${namen[i]}" \
        "$( ((bus_an)) && echo on || echo off)" "$runde" "$(prozent "${warten[0]}" "${warten[1]}")" \
        "$(prozent "${laufen[0]}" "${laufen[1]}")" "${warten[2]}" "${laufen[2]}"
    done
  done
done
echo "all starts together:"
for bus_an in "${busse[@]}"; do
  for i in "${!programme[@]}"; do
    read -r cw ww cl wl <<<"${summe[$i,$bus_an]}"
    printf '%-10s %-13s %-6s %7s %% %7s %%\n' "${namen[i]}" \
      "$( ((bus_an)) && echo on || echo off)" all "$(prozent "$cw" "$ww")" "$(prozent "$cl" "$wl")"
  done
done
