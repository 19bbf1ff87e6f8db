#!/usr/bin/env bash
# Saves killed with SIGKILL at random moments, 250 trials each way a new log can be made: with a
# file without a name (Linux O_TMPFILE) and with a scratch file beside the log (file systems
# without the former). Counts what a killed save left beside the log, logs that are not whole
# (heading first, then only whole record and comment lines), and what is still left after the
# next save into the same folder.
#   scripts/measure-killed-saves.sh [TRIALS]
set -euo pipefail
cd "$(dirname "$0")/.."
trials="${1:-250}"
TARVIS_TARGET=save_kill scripts/setup.sh build >/dev/null
prog="$PWD/build/bench/save_kill"
fremd() { ls -A "$1" | grep -qv '^Tarvis.Rep$'; }
ganz() { # heading first, lines of 109 (record) or 58 (comment) characters, ended by CR LF
  [ ! -s "$1" ] && return 0
  [ -z "$(tail -c1 "$1" | tr -d '\n')" ] || return 1
  LC_ALL=C awk 'NR == 1 && !/^     Beginn/ { bad = 1 }
                NR > 4 { sub(/\r$/, ""); if (length($0) != 109 && length($0) != 58) bad = 1 }
                END { exit bad }' "$1"
}
for art in namenlos entwurf; do
  rest=0 kaputt=0 danach=0
  for _ in $(seq "$trials"); do
    dir="$(mktemp -d)"
    log="$dir/Tarvis.Rep"
    "$prog" "$log" "$art" &
    pid=$!
    sleep "0.0$(printf '%02d' $((RANDOM % 20 + 2)))"
    kill -9 "$pid"
    wait "$pid" 2>/dev/null || true
    if fremd "$dir"; then rest=$((rest + 1)); fi
    if ! ganz "$log"; then kaputt=$((kaputt + 1)); fi
    "$prog" "$log" "$art" 1
    if fremd "$dir"; then danach=$((danach + 1)); fi
    rm -rf "$dir"
  done
  echo "$art: $trials trials; left beside the log by the killed save: $rest; logs not whole: $kaputt; left after the next save: $danach"
done
