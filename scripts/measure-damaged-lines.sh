#!/usr/bin/env bash
# Peak memory of `Tarvis32 --auswertung` on a log of many damaged lines: each is reported as it
# is found, none is kept, so memory does not grow with their number.
#   scripts/measure-damaged-lines.sh [lines]   (default 10000000)
set -euo pipefail
cd "$(dirname "$0")/.."
lines="${1:-10000000}"
TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
awk -v n="$lines" 'BEGIN { for (i = 0; i < n; i++) print "07.12.96   14:05:33   kaputt" }' >"$work/kaputt.Rep"
echo "log: $lines damaged lines, $(du -m "$work/kaputt.Rep" | cut -f1) MB"
LANG=de_DE.UTF-8 /usr/bin/time -f '%M %e' -o "$work/time" build/app/Tarvis32 --auswertung "$work/kaputt.Rep" \
  >"$work/out" 2>"$work/err" || true
read -r kib secs <"$work/time"
echo "reported: $(wc -l <"$work/err") messages; $(tail -1 "$work/out")"
echo "peak memory (max RSS): $((kib / 1024)) MB, time: ${secs} s"
