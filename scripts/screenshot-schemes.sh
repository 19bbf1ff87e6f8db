#!/usr/bin/env bash
# Every window under the four colour schemes (light, Breeze Dark, light and dark high contrast)
# and in the program's own high-contrast view, into docs/screenshots/<scene>-<schema>.png.
#   scripts/screenshot-schemes.sh [scene...]
set -euo pipefail
cd "$(dirname "$0")/.."
szenen=("$@")
((${#szenen[@]})) || szenen=(stopped save calculation overview about journal)
for szene in "${szenen[@]}"; do
  for schema in hell dunkel kontrast-hell kontrast-dunkel; do
    TARVIS_SCHEMA="$schema" scripts/screenshot.sh "$szene" "docs/screenshots/$szene-$schema.png"
  done
  TARVIS_HOHER_KONTRAST=1 scripts/screenshot.sh "$szene" "docs/screenshots/$szene-hoher-kontrast.png"
done
