#!/usr/bin/env bash
# The reader and the interval computation against what the machine does anyway, this tree and an
# earlier revision by turns in the same run, so that the ratios hold on a noisy machine:
# `Tarvis32 --auswertung` on a log of a million calls against `wc -l` on it (processor time;
# finding the line ends is the floor of any reading), and the interval computation's worst case
# (23:59:59 across every band, four zones) against one band lookup (tarvis_bench). Each figure is
# the median of its runs. The earlier revision is checked out and built under
# build/revision-<rev>, as scripts/measure-journal.sh does (kept for the next run).
#   scripts/measure-core.sh [runs] [revision] [calls]   (default 9, 7c2a832 and 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-9}"
rev="${2:-7c2a832}"
calls="${3:-1000000}"
alt="build/revision-$rev"
for target in Tarvis32 tarvis_bench; do
  TARVIS_TARGET=$target scripts/setup.sh build >/dev/null
done
if [ ! -d "$alt" ]; then
  git worktree add --detach "$alt" "$rev" >/dev/null 2>&1
fi
for target in Tarvis32 tarvis_bench; do
  (cd "$alt" && TARVIS_TARGET=$target scripts/setup.sh build >/dev/null)
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
log="$work/Tarvis 01-1997.Rep"
scripts/million-call-log.sh "$calls" "$log"
cat "$log" >/dev/null # the same warm cache for every program

# One line "<name> <value>" per figure and run into $work/figures; the medians come at the end.
cpu() { # name command...: processor time (user + system) in ms, to the millisecond
  local name="$1" TIMEFORMAT='%3U %3S'
  shift
  { time "$@" >/dev/null 2>&1; } 2>"$work/time"
  awk -v n="$name" '{ printf "%s %d\n", n, ($1 + $2) * 1000 }' "$work/time" >>"$work/figures"
}
for _ in $(seq "$runs"); do
  for build in alt neu; do
    dir=build
    [ "$build" = alt ] && dir="$alt/build"
    cpu "$build:wc" wc -l "$log"
    LANG=de_DE.UTF-8 cpu "$build:auswertung" "$dir/app/Tarvis32" --auswertung "$log"
    "$dir/bench/tarvis_bench" --benchmark_filter='^(TarifNrJahrImCache|IntervallSchlimmsterFall)$' \
      --benchmark_format=csv 2>/dev/null |
      awk -F, -v b="$build" '/^"TarifNrJahrImCache"/ { printf "%s:band %.1f\n", b, $4 }
                             /^"IntervallSchlimmsterFall"/ { printf "%s:interval %.1f\n", b, $4 }' \
        >>"$work/figures"
  done
done

median() { # name -> the median of its values
  awk -v n="$1" '$1 == n { print $2 }' "$work/figures" | sort -g |
    awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "-" }'
}
ratio() { # build numerator denominator
  awk -v a="$(median "$1:$2")" -v b="$(median "$1:$3")" 'BEGIN { printf "%.1f : 1", a / (b > 0 ? b : 1) }'
}
row() { # figure old new target
  printf '| %-46s | %10s | %10s | %-14s |\n' "$1" "$2" "$3" "$4"
}
pair() { # figure name unit
  row "$1" "$(median "alt:$2") $3" "$(median "neu:$2") $3" ""
}

echo "log: $calls calls, $(($(stat -c %s "$log") / 1000000)) MB; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
row "figure (median of $runs runs)" "$rev" "this tree" "target"
printf '|%s|%s|%s|%s|\n' "------------------------------------------------" "------------" \
  "------------" "----------------"
row "--auswertung CPU against wc -l" "$(ratio alt auswertung wc)" "$(ratio neu auswertung wc)" \
  "at most 5 : 1"
pair "  --auswertung CPU time" auswertung ms
pair "  wc -l CPU time" wc ms
row "interval worst case against one band lookup" "$(ratio alt interval band)" \
  "$(ratio neu interval band)" "at most 10 : 1"
pair "  interval worst case" interval ns
pair "  one band lookup" band ns
