#!/usr/bin/env bash
# Starts Tarvis32 on a virtual display, optionally works its keyboard and mouse, and saves a
# screenshot of what it shows.
#   scripts/screenshot.sh <scene> <output.png>
# Scenes: main (just started), running (a call running for a few seconds), stopped (a finished
# call), save (the save dialog after a call), calculation (a computed call), overview (the
# tariff overview), about (the about box), dark (a running call under KDE's Breeze Dark colour
# scheme, read by Qt's own KDE theme from a kdeglobals in a scratch configuration directory).
set -euo pipefail
cd "$(dirname "$0")/.."
scene="${1:-main}"
out="${2:-screenshots/$scene.png}"
mkdir -p "$(dirname "$out")"
TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null

source scripts/virtual-display.sh
desktop=()
if [ "$scene" = dark ]; then
  mkdir -p "$workdir/config"
  cat >"$workdir/config/kdeglobals" <<'KDE'
[General]
ColorScheme=BreezeDark
widgetStyle=Fusion

[Colors:Window]
BackgroundNormal=35,38,41
BackgroundAlternate=49,54,59
ForegroundNormal=239,240,241
ForegroundInactive=189,195,199

[Colors:View]
BackgroundNormal=27,30,32
BackgroundAlternate=35,38,41
ForegroundNormal=239,240,241
ForegroundInactive=189,195,199

[Colors:Button]
BackgroundNormal=49,54,59
BackgroundAlternate=35,38,41
ForegroundNormal=239,240,241
ForegroundInactive=189,195,199

[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=239,240,241

[Colors:Tooltip]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
KDE
  desktop=(XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true
           XDG_CONFIG_HOME="$workdir/config")
fi
env "${desktop[@]}" LANG=de_DE.UTF-8 LC_ALL= "$workdir/Tarvis32" >/dev/null 2>&1 &
app_pid=$!
sleep 3

window="$(xdotool search --sync --limit 1 --name 'Logbuchdatei' 2>/dev/null || true)"
# Takes the window with this title alone instead of the whole screen.
target=root
dialog() {
  sleep 1.5
  target="$(timeout 10 xdotool search --sync --limit 1 --name "$1")" || { echo "no window '$1'" >&2; exit 1; }
}
menu() { xdotool mousemove --window "$window" "$1" 8; sleep 0.5; xdotool click 1; }
press() { xdotool windowfocus --sync "$window" 2>/dev/null || true; xdotool key "$@"; }
call() { press Return; sleep "$1"; press Return; sleep 0.5; }

case "$scene" in
  main) ;;
  running|dark) press Return; sleep 7 ;;
  stopped) call 5 ;;
  save) call 3; press alt+s; dialog '^Speichern$' ;;
  calculation)
    menu 92
    dialog '^Berechnung$'
    xdotool windowfocus --sync "$target" 2>/dev/null || true
    xdotool key Tab Tab ctrl+a && xdotool type '20:50:00' && xdotool key Tab ctrl+a && xdotool type '00:25:30' && xdotool key Return
    sleep 0.5
    ;;
  overview) menu 25; dialog 'bersicht$' ;;
  about) press alt+i; dialog '^Info$' ;;
  *) echo "unknown scene: $scene" >&2; exit 2 ;;
esac

import -window "$target" "$out.tmp.png"
if [ "$target" = root ]; then
  convert "$out.tmp.png" -trim +repage "$out"
else
  mv "$out.tmp.png" "$out"
fi
rm -f "$out.tmp.png"
echo "$out"
