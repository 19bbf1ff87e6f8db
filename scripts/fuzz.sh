#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on,
# every library they call instrumented for coverage) and runs each for a bounded time on a copy
# of its seed corpus.
#   scripts/fuzz.sh [seconds per target]   (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
secs="${1:-30}"
targets=(FuzzCalculation FuzzLog FuzzSave FuzzJournal FuzzCallMonitor)
scripts/setup.sh --packages-only
if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVIS_SANITIZE=ON -DTARVIS_BUILD_TESTS=OFF -DTARVIS_BUILD_BENCHMARKS=OFF \
    -DTARVIS_FUZZ=ON >/dev/null
fi
cmake --build build-fuzz --target "${targets[@]}"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
for target in "${targets[@]}"; do
  corpus_name="$(echo "${target#Fuzz}" | tr '[:upper:]' '[:lower:]')"
  work="$(mktemp -d)"
  cp fuzz/corpus/"$corpus_name"/* "$work"/
  echo "== $target: ${secs} s"
  if build-fuzz/fuzz/"$target" -max_total_time="$secs" -timeout=5 -rss_limit_mb=2048 \
       -max_len=8192 -print_final_stats=1 "$work" 2>"$work.log"; then
    grep -oE 'cov: [0-9]+' "$work.log" | tail -1 | tr '\n' ' '
    grep -E "^stat::(number_of_executed_units|new_units_added|peak_rss_mb)" "$work.log" | tr '\n' ' '
    echo
    echo "$target: passed"
  else
    tail -40 "$work.log"
    echo "$target: FAILED"
    status=1
  fi
  rm -rf "$work" "$work.log"
done
exit $status
