#!/usr/bin/env bash
# Runs the command line of an earlier revision and of this tree on the same logs and compares
# what both write byte for byte: the sums of --auswertung and the CSV of --auswertung --csv, of
# the kept session log (tests/calllog/session.Rep, written by the writer of an earlier version)
# and of every log in the fuzz corpora (damaged lines and odd bytes included).
#   scripts/compare-outputs.sh <revision>
set -euo pipefail
cd "$(dirname "$0")/.."
rev="${1:?revision to compare with}"
work="$(mktemp -d)"
trap 'git worktree remove --force "$work/alt" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
git worktree add --detach "$work/alt" "$rev" >/dev/null 2>&1
(cd "$work/alt" && TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null)
TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null
alt="$work/alt/build/app/Tarvis32" neu=build/app/Tarvis32
gleich=0 verschieden=0
for log in tests/calllog/session.Rep fuzz/corpus/log/* fuzz/corpus/journal/*; do
  for csv in "" --csv; do
    a="$("$alt" --auswertung "$log" $csv 2>&1 | od -c)" || true
    b="$("$neu" --auswertung "$log" $csv 2>&1 | od -c)" || true
    if [ "$a" = "$b" ]; then gleich=$((gleich + 1)); else
      verschieden=$((verschieden + 1)); echo "differs: $log $csv"; fi
  done
done
echo "$gleich outputs the same, $verschieden different"
((verschieden == 0))
