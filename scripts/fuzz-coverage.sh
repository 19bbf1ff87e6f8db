#!/usr/bin/env bash
# Runs each fuzz target of a fuzz build for a fixed time on a copy of its seed corpus and reports
# the coverage it reached (libFuzzer's "cov:", the instrumented edges seen) and the inputs run.
#   scripts/fuzz-coverage.sh [seconds per target] [fuzz build dir] [folder to keep the corpora in]
# The kept corpora are what `-merge=1` picks from each run: the inputs that add coverage.
set -euo pipefail
cd "$(dirname "$0")/.."
secs="${1:-600}"
build="${2:-build-fuzz}"
keep="${3:-}"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for program in "$build"/fuzz/Fuzz*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  target="$(basename "$program")"
  name="$(echo "${target#Fuzz}" | tr '[:upper:]' '[:lower:]')"
  work="$(mktemp -d)"
  cp fuzz/corpus/"$name"/* "$work"/
  "$program" -max_total_time="$secs" -timeout=5 -rss_limit_mb=2048 -max_len=8192 \
    -print_final_stats=1 "$work" 2>"$work.log" || { tail -40 "$work.log"; exit 1; }
  cov="$(grep -oE 'cov: [0-9]+' "$work.log" | tail -1 | cut -d' ' -f2)"
  runs="$(grep -E '^stat::number_of_executed_units' "$work.log" | grep -oE '[0-9]+$')"
  printf '%-16s %5s s  %6s edges  %10s inputs\n' "$target" "$secs" "${cov:-0}" "$runs"
  if [ -n "$keep" ]; then
    mkdir -p "$keep/$name"
    "$program" -merge=1 "$keep/$name" "$work" 2>/dev/null
  fi
  rm -rf "$work" "$work.log"
done
