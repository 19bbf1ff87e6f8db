#!/usr/bin/env bash
# Runs the benchmarks (release build) and prints a table with the machine they ran on.
#   scripts/bench.sh [extra Google Benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
TARVIS_TARGET=tarvis_bench scripts/setup.sh build >/dev/null
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores"
build/bench/tarvis_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.2 "$@" 2>/dev/null | awk '
  /_median/ {
    name = $1; sub(/_median$/, "", name)
    target = (name ~ /JahrImCache/) ? "< 50 ns" : (name ~ /Intervall/) ? "< 5 us" : (name ~ /Tick/) ? "< 2 us" : "-"
    printf "| %-26s | %10s %-2s | %-8s |\n", name, $4, $5, target
    next
  }
  /^Benchmark/ { printf "| %-26s | %13s | %-8s |\n|%s|%s|%s|\n", "benchmark (median of 5)", "CPU time", "target", "----------------------------", "---------------", "----------" }'
