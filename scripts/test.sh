#!/usr/bin/env bash
# Builds Tarvis32 and runs every test: the test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer, the two fuzz targets for a bounded time, and finally the test
# suite of the plain build, whose summary closes the output.
#   FUZZ_SECONDS=30 scripts/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh build
scripts/setup.sh build-asan -DTARVIS_SANITIZE=ON

echo "== Test suite with AddressSanitizer and UndefinedBehaviorSanitizer"
(
  cd build-asan
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --output-on-failure -j"$(nproc)"
)

echo "== Fuzzing"
scripts/fuzz.sh "${FUZZ_SECONDS:-30}"

echo "== Test suite"
cd build
ctest --output-on-failure -j"$(nproc)"
