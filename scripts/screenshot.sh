#!/usr/bin/env bash
# Starts Tarvis32 on a virtual display, optionally works its keyboard and mouse, and saves a
# screenshot of what it shows.
#   scripts/screenshot.sh <scene> <output.png>
# Scenes: main (just started), running (a call running for a few seconds), stopped (a finished
# call), save (the save dialog after a call), calculation (a computed call), overview (the
# tariff overview), about (the about box), journal (the window "Auswertung" on four monthly logs
# written beside the program beforehand; journal-numbers: with its sums per telephone number),
# dark (a running call under KDE's Breeze Dark colour
# scheme, read by Qt's own KDE theme from a kdeglobals in a scratch configuration directory),
# callmonitor-settings (the dialog "Anrufmonitor"), callmonitor (the window with its title bar,
# under a window manager, connected to a fake router on 127.0.0.1 that reports a call).
# A scene under another colour scheme: TARVIS_SCHEMA=hell|dunkel|kontrast-hell|kontrast-dunkel.
set -euo pipefail
cd "$(dirname "$0")/.."
scene="${1:-main}"
out="${2:-build/screenshots/$scene.png}"
mkdir -p "$(dirname "$out")"
TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null

source scripts/virtual-display.sh
# The desktop's colour scheme, read by Qt's own KDE theme from a kdeglobals in a scratch
# configuration directory: TARVIS_SCHEMA=hell (none: Qt's own light colours), dunkel (KDE's
# Breeze Dark), kontrast-hell (black on white), kontrast-dunkel (white and yellow on black).
# TARVIS_HOHER_KONTRAST=1 starts the program in its own high-contrast view.
schema="${TARVIS_SCHEMA:-hell}"
if [ "$scene" = dark ]; then scene=running; schema=dunkel; fi
desktop=(XDG_CONFIG_HOME="$workdir/config")
mkdir -p "$workdir/config/Tarvis32"
if [ "${TARVIS_HOHER_KONTRAST:-0}" = 1 ]; then
  printf '[Ansicht]\nHoherKontrast=true\n' >"$workdir/config/Tarvis32/Tarvis32.conf"
fi
farben() { # window-ground window-text view-ground view-text button-ground button-text
          # selection-ground selection-text
  cat >"$workdir/config/kdeglobals" <<KDE
[General]
widgetStyle=Fusion

[Colors:Window]
BackgroundNormal=$1
BackgroundAlternate=$1
ForegroundNormal=$2
ForegroundInactive=$2

[Colors:View]
BackgroundNormal=$3
BackgroundAlternate=$3
ForegroundNormal=$4
ForegroundInactive=$4

[Colors:Button]
BackgroundNormal=$5
BackgroundAlternate=$5
ForegroundNormal=$6
ForegroundInactive=$6

[Colors:Selection]
BackgroundNormal=$7
ForegroundNormal=$8

[Colors:Tooltip]
BackgroundNormal=$1
ForegroundNormal=$2
KDE
  desktop+=(XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true)
}
case "$schema" in
  hell) ;;
  dunkel) farben 35,38,41 239,240,241 27,30,32 239,240,241 49,54,59 239,240,241 61,174,233 239,240,241 ;;
  kontrast-hell) farben 255,255,255 0,0,0 255,255,255 0,0,0 255,255,255 0,0,0 0,0,160 255,255,255 ;;
  kontrast-dunkel) farben 0,0,0 255,255,255 0,0,0 255,255,0 0,0,0 255,255,255 0,255,255 0,0,0 ;;
  *) echo "unknown colour scheme: $schema" >&2; exit 2 ;;
esac

# Four monthly logs in the program's record format, one with a damaged line, one with a call
# across midnight, comments with a ";" and quotes.
sample_logs() {
  head() {
    printf '     Beginn                 Ende            Gespr\344chs-   angerufene        Tarif-       Ein-       Gespr\344chs-\r\n'
    printf 'Datum      Uhr        Datum      Uhr        Dauer        Telefonnummer     bereich      heiten     Geb\374hren\r\n'
    printf -- '-%.0s' $(seq 109); printf '\r\n\r\n'
  }
  call() { # date start stop-date stop duration number zone units cost [comment]
    printf '%s   %s   %s   %s   %s   %-18s%-13s%6s   %9s DM\r\n' "$1" "$2" "$3" "$4" "$5" "$6" "$7" "$8" "$9"
    if [ -n "${10:-}" ]; then printf '%57s%s\r\n' '' "${10}"; fi
  }
  { head
    call 04.10.96 09:12:40 04.10.96 09:15:02 00:02:22,4 "0711 123456" City 2 0,24 "Zahnarzt, Termin"
    call 11.10.96 18:30:05 11.10.96 18:52:11 00:22:06,0 "089 4471120" Fern 62 7,44 "Mutti"
    call 19.10.96 14:02:00 19.10.96 14:09:30 00:07:30,8 "07031 88213" "Region 50" 10 1,20
    call 26.10.96 21:15:10 26.10.96 21:40:00 00:24:50,1 "0621 339940" "Region 200" 20 2,40 "Tante Erna"
  } >"$1/Tarvis 10-1996.Rep"
  { head
    call 02.11.96 10:00:00 02.11.96 10:05:00 00:05:00,0 "0711 654321" City 3 0,36
    call 08.11.96 17:45:12 08.11.96 18:20:40 00:35:28,3 "030 2291733" Fern 99 11,88 "Bruder Klaus"
    call 15.11.96 12:30:00 15.11.96 12:41:15 00:11:15,6 "0621 339940" "Region 200" 26 3,12
    call 15.11.96 20:05:00 15.11.96 20:07:42 00:02:42,0 "07031 88213" "Region 50" 4 0,48 'Bestellung; Nr. "17"'
    printf '16.11.96   19:00:00   16.11.96   19:0\r\n'
    call 28.11.96 08:10:00 28.11.96 08:13:30 00:03:30,2 "0711 123456" City 2 0,24
  } >"$1/Tarvis 11-1996.Rep"
  { head
    call 03.12.96 19:20:00 03.12.96 19:58:10 00:38:10,0 "089 4471120" Fern 71 8,52 "Mutti"
    call 07.12.96 14:05:33 07.12.96 14:09:12 00:03:39,2 "0711 123456" City 2 0,24
    call 14.12.96 11:00:00 14.12.96 11:25:00 00:25:00,0 "07031 88213" "Region 50" 17 2,04 "Weihnachtsgans"
    call 24.12.96 16:00:00 24.12.96 16:45:00 00:45:00,0 "030 2291733" Fern 90 10,80 "Heiligabend"
    call 31.12.96 23:50:00 01.01.97 00:12:30 00:22:30,0 "0621 339940" "Region 200" 24 2,88 $'Neujahrsgru\337'
  } >"$1/Tarvis 12-1996.Rep"
  { head
    call 05.01.97 10:10:00 05.01.97 10:14:00 00:04:00,0 "0711 654321" City 2 0,24
    call 12.01.97 19:30:00 12.01.97 19:49:50 00:19:50,5 "089 4471120" Fern 37 4,44 "Mutti"
  } >"$1/Tarvis 01-1997.Rep"
}
if [ "$scene" = journal ] || [ "$scene" = journal-numbers ]; then sample_logs "$workdir"; fi

# A router's call monitor on 127.0.0.1 that reports one answered call and stays connected.
if [ "$scene" = callmonitor ]; then
  port_file="$workdir/port"
  python3 - "$port_file" <<'PY' &
import socket, sys, time
server = socket.socket()
server.bind(("127.0.0.1", 0))
server.listen(1)
open(sys.argv[1], "w").write(str(server.getsockname()[1]))
connection, _ = server.accept()
stamp = time.strftime("%d.%m.%y %H:%M:%S")
connection.sendall(f"{stamp};CALL;0;0;0711111;0711 123456;SIP0;\n".encode())
time.sleep(1)
connection.sendall(f"{stamp};CONNECT;0;0;0711 123456;\n".encode())
time.sleep(30)
PY
  router_pid=$!
  trap 'kill $app_pid $router_pid 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$workdir"' EXIT
  for _ in $(seq 50); do [ -s "$port_file" ] && break; sleep 0.1; done
  mkdir -p "$workdir/config/Tarvis32"
  printf '[Anrufmonitor]\nAktiv=true\nAdresse=127.0.0.1\nPort=%s\n' "$(cat "$port_file")" \
    >"$workdir/config/Tarvis32/Tarvis32.conf"
  desktop=(XDG_CONFIG_HOME="$workdir/config")
  # A window manager draws the title bar, where the monitor's state shows.
  openbox >/dev/null 2>&1 &
  sleep 1
fi
if [ "$scene" = callmonitor-settings ]; then
  desktop=(XDG_CONFIG_HOME="$workdir/config")
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
  running) press Return; sleep 7 ;;
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
  journal) press alt+a; dialog '^Auswertung$' ;;
  journal-numbers) press alt+a; dialog '^Auswertung$'; sleep 1; xdotool key alt+j; sleep 0.3; xdotool key alt+Down; sleep 0.3; xdotool key Down Return; sleep 1 ;;
  callmonitor-settings) press alt+n; sleep 0.5; xdotool key a; dialog '^Anrufmonitor$' ;;
  callmonitor) sleep 4 ;;
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
