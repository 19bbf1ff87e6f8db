#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing, and configures
# and builds it. Quick when everything is already there.
#   [TARVIS_TARGET=<target>] scripts/setup.sh [build-dir] [extra cmake options...]
#   scripts/setup.sh --packages-only
#   scripts/setup.sh --calc-packages    (LibreOffice Calc, for scripts/csv-in-calc.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation xvfb x11-utils imagemagick xdotool
  desktop-file-utils appstream clang libclang-rt-dev time
  'qt6-svg-plugins|libqt6svg6' qt6-translations-l10n qt6-base-private-dev
  at-spi2-core dbus-x11 python3-pyatspi
  orca speech-dispatcher python3-speechd openbox
  bash-completion man-db
)

# LibreOffice Calc is large and only the check of the CSV in a real spreadsheet needs it.
if [ "${1:-}" = --calc-packages ]; then
  packages=(libreoffice-calc)
fi

scripts/install-packages.sh "${packages[@]}"

if [ "${1:-}" = --packages-only ] || [ "${1:-}" = --calc-packages ]; then
  exit 0
fi

build_dir="${1:-build}"
shift || true
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
fi
cmake --build "$build_dir" -j"$(nproc)" --target "${TARVIS_TARGET:-all}"
