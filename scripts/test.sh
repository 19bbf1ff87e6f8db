#!/usr/bin/env bash
# Builds Tarvis32 and runs every test: the test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets for a bounded time while the Debian package is
# built, installed, used and purged (scripts/package-check.sh), and finally the test suite of the
# plain build, whose summary closes the output.
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

# The fuzzing runs for a fixed time whatever else the machine does, so the package is built and
# checked beside it rather than after it.
mkdir -p build-deb
scripts/package-check.sh >build-deb/check.log 2>&1 &
paket_pid=$!

echo "== Fuzzing"
fuzz_status=0
scripts/fuzz.sh "${FUZZ_SECONDS:-30}" || fuzz_status=$?

echo "== Debian package"
paket_status=0
wait "$paket_pid" || paket_status=$?
cat build-deb/check.log
if ((fuzz_status || paket_status)); then
  exit 1
fi

echo "== Test suite"
cd build
ctest --output-on-failure -j"$(nproc)"
