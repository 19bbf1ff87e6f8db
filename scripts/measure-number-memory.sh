#!/usr/bin/env bash
# One remembered zone's save (the window's, after each saved call) with 10 000 and 100 000
# numbers remembered: the unbounded memory as it was and the bounded one, in the same run (the
# earlier save is kept in bench/NumberMemory.cpp). Prints the median of 21 saves each.
#   scripts/measure-number-memory.sh [numbers...]   (default 10000 100000)
set -euo pipefail
cd "$(dirname "$0")/.."
TARVIS_TARGET=number_memory scripts/setup.sh build >/dev/null
build/bench/number_memory "$@"
