#!/usr/bin/env bash
# The journal on a large log: writes a log of a million calls in the program's record format
# (about 110 MB), then in the same run times `wc -l` on it (the floor: only finding the line
# ends), `Tarvis32 --auswertung` (the reader and the sums), and the window "Auswertung" opened
# on it and sorted by cost (build/bench/journal_open, offscreen), with the peak memory of each.
# Each figure is the median of the runs.
#   scripts/measure-journal.sh [calls] [runs]   (default 1000000 and 5)
set -euo pipefail
cd "$(dirname "$0")/.."
calls="${1:-1000000}"
runs="${2:-5}"
TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null
TARVIS_TARGET=journal_open scripts/setup.sh build >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
log="$work/Tarvis 01-1997.Rep"

# The heading and the record lines as the program writes them (code page 1252, CR LF), calls
# spread over the twelve months of 1997 and the four zones, every hundredth with a comment.
awk -v n="$calls" 'BEGIN {
  srand(14)
  zone[1] = "City"; zone[2] = "Region 50"; zone[3] = "Region 200"; zone[4] = "Fern"
  printf "     Beginn                 Ende            Gespr\344chs-   angerufene        Tarif-       Ein-       Gespr\344chs-\r\n"
  printf "Datum      Uhr        Datum      Uhr        Dauer        Telefonnummer     bereich      heiten     Geb\374hren\r\n"
  for (i = 0; i < 109; i++) printf "-"
  printf "\r\n\r\n"
  for (i = 0; i < n; i++) {
    monat = 1 + int(i * 12 / n); tag = 1 + i % 28
    h = int(rand() * 22); m = int(rand() * 60); s = int(rand() * 60); dauer = 1 + int(rand() * 3000)
    e = 1 + int(rand() * 200); z = 1 + int(rand() * 4)
    eh = h + int((m * 60 + s + dauer) / 3600); em = int((m * 60 + s + dauer) % 3600 / 60); es = (s + dauer) % 60
    printf "%02d.%02d.97   %02d:%02d:%02d   %02d.%02d.97   %02d:%02d:%02d   %02d:%02d:%02d,%d   %-18s%-13s%6d   %9s DM\r\n",
      tag, monat, h, m, s, tag, monat, eh, em, es, int(dauer / 3600), int(dauer % 3600 / 60), dauer % 60, i % 10,
      sprintf("0711 %06d", int(rand() * 1000000)), zone[z], e, sprintf("%d,%02d", int(e * 12 / 100), (e * 12) % 100)
    if (i % 100 == 0) printf "%57sR\374ckruf Nr. %d\r\n", "", i
  }
}' >"$log"
echo "log: $calls calls, $(($(stat -c %s "$log") / 1000000)) MB, $(wc -l <"$log") lines"
cat "$log" >/dev/null # the same warm cache for every program

# Runs the command `runs` times; prints the median wall time in ms (bash's own clock, so no
# helper process is timed with it) and the median peak memory in MB (from /usr/bin/time, in
# runs of their own).
measure() {
  local times=() mems=() TIMEFORMAT=%3R
  for _ in $(seq "$runs"); do
    times+=($( { time "$@" >"$work/out" 2>"$work/err"; } 2>&1 | tr -d .))
    /usr/bin/time -f '%M' -o "$work/mem" "$@" >/dev/null 2>&1
    mems+=($(($(tail -1 "$work/mem") / 1024)))
  done
  local t m
  t=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
  m=$(printf '%s\n' "${mems[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
  echo "$((10#$t)) $m"
}

read -r wc_ms wc_mb < <(measure wc -l "$log")
read -r aus_ms aus_mb < <(LANG=de_DE.UTF-8 measure build/app/Tarvis32 --auswertung "$log")
echo "--auswertung: $(tail -1 "$work/out")"
read -r win_ms win_mb < <(LANG=de_DE.UTF-8 QT_QPA_PLATFORM=offscreen measure build/bench/journal_open "$log")
echo "window: $(grep -v '^QStandardPaths' "$work/out" | tr '\n' ';' | sed 's/;$//')"

echo
printf '| %-40s | %8s | %8s |\n' "run (median of $runs)" "time" "peak RSS"
printf '|%s|%s|%s|\n' "------------------------------------------" "----------" "----------"
printf '| %-40s | %5d ms | %5d MB |\n' "wc -l" "$wc_ms" "$wc_mb"
printf '| %-40s | %5d ms | %5d MB |\n' "Tarvis32 --auswertung" "$aus_ms" "$aus_mb"
printf '| %-40s | %5d ms | %5d MB |\n' "window opened, read and sorted by cost" "$win_ms" "$win_mb"
echo
awk -v a="$aus_ms" -v w="$wc_ms" 'BEGIN { printf "--auswertung against wc -l: %.1f : 1 (target at most 10 : 1)\n", a / (w > 0 ? w : 1) }'
echo "window: $win_ms ms (target under 3000 ms), $win_mb MB (target under 400 MB)"
