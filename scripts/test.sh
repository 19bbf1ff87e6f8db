#!/usr/bin/env bash
# Builds Tarvis32 and runs every test: the test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets for a bounded time while the Debian package is
# built, installed, used and purged (scripts/package-check.sh), and finally the test suite of the
# plain build, whose summary closes the output. All the while, in the background, the same on
# Debian 13 in a root of its own (scripts/test-debian13.sh); its log closes the output before the
# summary. TARVIS_DEBIAN13=0 leaves Debian 13 out (a machine without root rights or network); on
# Debian 13 itself it is left out too.
#   FUZZ_SECONDS=30 scripts/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# Debian 13 from the start: much of its time is spent waiting for the network (its root and
# packages), which the builds here fill; its own builds share the two cores with these.
mkdir -p build-debian13
debian13_pid=
# On Debian 13 itself the builds here are Debian 13's: a root of the same release proves nothing more.
debian_release="$( (. /etc/os-release && echo "${VERSION_ID:-}") 2>/dev/null || true)"
if [ "${TARVIS_DEBIAN13:-1}" != 0 ] && [ "$debian_release" != 13 ]; then
  scripts/test-debian13.sh >build-debian13/test.log 2>&1 &
  debian13_pid=$!
fi

# LibreOffice Calc for the check of the CSV in a real spreadsheet (commandline_csv_in_calc),
# fetched and unpacked while the builds run, after the packages the builds need.
scripts/setup.sh --packages-only
scripts/setup.sh --calc-packages &
calc_pid=$!
scripts/setup.sh build
scripts/setup.sh build-asan -DTARVIS_SANITIZE=ON
wait "$calc_pid"

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

# The plain suite runs while Debian 13 may still be at work; its output is kept for the end.
status=0
(cd build && ctest --output-on-failure -j"$(nproc)") >build/test-suite.log 2>&1 || status=$?

debian13_status=0
if [ -n "$debian13_pid" ]; then
  echo "== Debian 13"
  wait "$debian13_pid" || debian13_status=$?
  cat build-debian13/test.log
fi

echo "== Test suite"
cat build/test-suite.log
if ((debian13_status)); then echo "Debian 13 FAILED (above, before the test suite)"; fi
if ((fuzz_status || paket_status)); then echo "Fuzzing or Debian package FAILED (above)"; fi
exit $((status || debian13_status || fuzz_status || paket_status))
