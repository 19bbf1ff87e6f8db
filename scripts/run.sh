#!/usr/bin/env bash
# Builds and starts Tarvis32. Without a display it runs the program on a virtual one (Xvfb),
# saves a screenshot of the main window and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
TARVIS_TARGET=Tarvis32 scripts/setup.sh build

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/Tarvis32 "$@"
fi

echo "Kein Bildschirm gefunden (DISPLAY/WAYLAND_DISPLAY leer): starte Tarvis32 auf einem virtuellen Bildschirm (Xvfb)."
shot="$(pwd)/build/screenshots/main-window.png"
scripts/screenshot.sh main "$shot" >/dev/null
echo "Bildschirmfoto: $shot"
