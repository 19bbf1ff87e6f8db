#!/usr/bin/env bash
# The journal and the reader at their limits, this tree against an earlier revision in the same
# run, so that the ratios hold on a noisy machine. Writes a log of a million calls in the
# program's record format (about 110 MB, about 630 000 distinct numbers), then for each build
# and run: `wc -l` on it (the floor: only finding the line ends), `Tarvis32 --auswertung` (the
# reader and the sums; CPU time), the window "Auswertung" opened on it, sorted by every column,
# its sums per number shown and sorted by theirs, and searched (build/bench/journal_open, offscreen; the longest pause of its event loop, the
# time until each result is shown, its peak memory), and the interval computation's worst case
# against one band lookup (tarvis_bench). Each figure is the median of the runs. The earlier
# revision is checked out and built under build/revision-<rev> (kept for the next run), with
# this tree's bench/JournalOpen.cpp, which uses only what both windows have.
#   scripts/measure-journal.sh [calls] [runs] [revision]   (default 1000000, 3 and a9278e4)
set -euo pipefail
cd "$(dirname "$0")/.."
calls="${1:-1000000}"
runs="${2:-3}"
rev="${3:-a9278e4}"
alt="build/revision-$rev"
for target in Tarvis32 journal_open tarvis_bench; do
  TARVIS_TARGET=$target scripts/setup.sh build >/dev/null
done
if [ ! -d "$alt" ]; then
  git worktree add --detach "$alt" "$rev" >/dev/null 2>&1
fi
cp bench/JournalOpen.cpp "$alt/bench/JournalOpen.cpp"
# An earlier tree keeps the window's header beside the core's, not in journal/window/.
if [ ! -d "$alt/journal/window" ]; then
  sed -i 's#journal/window/JournalWindow.h#journal/JournalWindow.h#' "$alt/bench/JournalOpen.cpp"
fi
for target in Tarvis32 journal_open tarvis_bench; do
  (cd "$alt" && TARVIS_TARGET=$target scripts/setup.sh build >/dev/null)
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
log="$work/Tarvis 01-1997.Rep"

scripts/million-call-log.sh "$calls" "$log"
echo "log: $calls calls, $(($(stat -c %s "$log") / 1000000)) MB, $(wc -l <"$log") lines"
cat "$log" >/dev/null # the same warm cache for every program

# One line "<name> <value>" per figure and run into $work/figures; the medians come at the end.
cpu() { # name command...: CPU time (user + system) in ms
  local name="$1"
  shift
  /usr/bin/time -f '%U %S' -o "$work/time" "$@" >/dev/null 2>&1
  awk -v n="$name" '{ printf "%s %d\n", n, ($1 + $2) * 1000 }' "$work/time" >>"$work/figures"
}
for _ in $(seq "$runs"); do
  for build in alt neu; do
    dir=build
    [ "$build" = alt ] && dir="$alt/build"
    cpu "$build:wc" wc -l "$log"
    LANG=de_DE.UTF-8 cpu "$build:auswertung" "$dir/app/Tarvis32" --auswertung "$log"
    LANG=de_DE.UTF-8 QT_QPA_PLATFORM=offscreen "$dir/bench/journal_open" "$log" 2>/dev/null |
      awk -v b="$build" 'NF == 4 { print b ":" $1 ":shown", $2; print b ":" $1 ":pause", $3
                                   print b ":" $1 ":peak", $4 }
                         $1 == "peak" { print b ":peak", $2 }' >>"$work/figures"
    "$dir/bench/tarvis_bench" --benchmark_filter='^(TarifNrJahrImCache|IntervallSchlimmsterFall)$' \
      --benchmark_format=csv 2>/dev/null |
      awk -F, -v b="$build" '/^"TarifNrJahrImCache"/ { print b ":band", $4 }
                             /^"IntervallSchlimmsterFall"/ { print b ":interval", $4 }' >>"$work/figures"
  done
done

median() { # name -> the median of its values
  awk -v n="$1" '$1 == n { print $2 }' "$work/figures" | sort -g |
    awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "-" }'
}
row() { # figure old new target
  printf '| %-52s | %14s | %14s | %-28s |\n' "$1" "$2" "$3" "$4"
}
ratio() { # build numerator denominator
  awk -v a="$(median "$1:$2")" -v b="$(median "$1:$3")" 'BEGIN { printf "%.1f : 1", a / (b > 0 ? b : 1) }'
}
both() { # name unit -> "old new"
  echo "$(median "alt:$1") $2|$(median "neu:$1") $2"
}
pair() { # figure name unit target
  local b
  b="$(both "$2" "$3")"
  row "$1" "${b%%|*}" "${b##*|}" "$4"
}

echo
row "figure (median of $runs runs, 1 M calls: $calls)" "$rev" "this tree" "target"
printf '|%s|%s|%s|%s|\n' "------------------------------------------------------" \
  "----------------" "----------------" "------------------------------"
for spalte in Datum Start Stop Dauer Telefonnummer Zone Einheiten Kosten Kommentar; do
  pair "sort by $spalte: shown after" "sortiert:$spalte:shown" ms "at most 500 ms"
  pair "sort by $spalte: longest event-loop pause" "sortiert:$spalte:pause" ms "at most 50 ms"
done
pair "sums per number shown: after" "summen:je_Nummer:shown" ms ""
pair "sums per number shown: longest event-loop pause" "summen:je_Nummer:pause" ms "at most 50 ms"
for spalte in Telefonnummer Anrufe Einheiten Gebühren; do
  pair "sums per number by $spalte: shown after" "summen:$spalte:shown" ms ""
  pair "sums per number by $spalte: longest event-loop pause" "summen:$spalte:pause" ms \
    "at most 50 ms"
done
pair "window opened: shown after" "oeffnen:shown" ms ""
pair "window opened: longest event-loop pause" "oeffnen:pause" ms ""
pair "reading: shown after" "lesen:shown" ms ""
pair "reading: longest event-loop pause" "lesen:pause" ms "at most 50 ms"
pair "window with 1 M calls: peak memory" "peak" MB "at most 120 MB"
pair "  peak memory once read" "lesen:peak" MB ""
pair "  peak memory once sorted by every column" "sortiert:Kommentar:peak" MB ""
pair "  peak memory once the sums per number are shown" "summen:je_Nummer:peak" MB ""
row "--auswertung CPU against wc -l" "$(ratio alt auswertung wc)" "$(ratio neu auswertung wc)" \
  "at most 5 : 1"
pair "  --auswertung CPU time" auswertung ms ""
pair "  wc -l CPU time" wc ms ""
row "interval worst case against one band lookup" "$(ratio alt interval band)" \
  "$(ratio neu interval band)" "at most 10 : 1"
pair "  interval worst case" interval ns ""
pair "  one band lookup" band ns ""
pair "filter shown after the last key (\"0711 12\")" "gesucht:shown" ms "at most 500 ms"
pair "  longest event-loop pause while typing" "gesucht:pause" ms "at most 50 ms"
