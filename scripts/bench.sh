#!/usr/bin/env bash
# Runs the benchmarks (release build) and prints a table with the machine they ran on, and the
# ratio of the worst-case interval computation to one band lookup, both before (a walk per
# zone) and now (one walk for all zones), from the same run.
#   scripts/bench.sh [extra Google Benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
TARVIS_TARGET=tarvis_bench scripts/setup.sh build >/dev/null
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores"
build/bench/tarvis_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.2 "$@" 2>/dev/null | awk '
  function ns(wert, einheit) {
    return einheit == "us" ? wert * 1000 : einheit == "ms" ? wert * 1000000 : wert
  }
  /_median/ {
    name = $1; sub(/_median$/, "", name)
    n++; namen[n] = name; zeit[name] = ns($4, $5); text[name] = $4 " " $5
  }
  END {
    printf "| %-30s | %13s | %-8s |\n", "benchmark (median of 5)", "CPU time", "target"
    printf "|%s|%s|%s|\n", "--------------------------------", "---------------", "----------"
    for (i = 1; i <= n; i++) {
      name = namen[i]
      target = (name ~ /JahrImCache/) ? "< 50 ns" : (name == "IntervallSchlimmsterFall") ? "< 5 us" : (name ~ /Tick/) ? "< 2 us" : "-"
      printf "| %-30s | %13s | %-8s |\n", name, text[name], target
    }
    basis = zeit["TarifNrJahrImCache"]
    if (basis > 0) {
      printf "\nWorst case against one band lookup: now %.1f : 1 (target at most 20 : 1), before %.1f : 1\n",
             zeit["IntervallSchlimmsterFall"] / basis, zeit["IntervallSchlimmsterFallVorher"] / basis
    }
  }'
