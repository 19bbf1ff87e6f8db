#!/usr/bin/env bash
# What the screen reader Orca says in a session driven from the keyboard: the program runs on a
# display of its own with Openbox, its own session bus and accessibility bus, and Orca speaks
# through speech-dispatcher into a file instead of a sound card. Prints that file.
#   [TARVIS_PROGRAMM=<program file>] scripts/orca-transcript.sh [--check]
# With --check every step waits (up to a timeout) for what Orca must say and the script fails
# on the first step that stays mute; without it the steps are only waited for and the whole
# transcript is printed all the same.
set -euo pipefail
cd "$(dirname "$0")/.."
pruefen=0
[ "${1:-}" = --check ] && pruefen=1
scripts/setup.sh --packages-only
programm="${TARVIS_PROGRAMM:-build/app/Tarvis32}"
[ -x "$programm" ] || TARVIS_TARGET=Tarvis32 scripts/setup.sh build >/dev/null

workdir="$(mktemp -d)"
pids=()
aufraeumen() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  # speech-dispatcher was started by Orca's first word, on a socket in this run's scratch
  # directory, and would wait for further clients.
  local speechd
  for speechd in $(pgrep -f -- "--socket-path $workdir/" || true); do
    kill "$speechd" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$workdir"
}
trap aufraeumen EXIT

# A display of its own, whose number Xvfb picks and reports.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
read -r -t 10 -u "$displayfd" nummer
exec {displayfd}<&-
export DISPLAY=":$nummer"
unset WAYLAND_DISPLAY

transkript="$workdir/gesprochen.txt"
: >"$transkript"
export XDG_RUNTIME_DIR="$workdir/run" XDG_CONFIG_HOME="$workdir/config" HOME="$workdir"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$workdir/orca"
# Every text Orca hands to speech-dispatcher becomes one line of the transcript.
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<EOF
AddModule "generic" "sd_generic" "generic.conf"
DefaultModule generic
DefaultLanguage "en"
AudioOutputMethod "libao"
EOF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/generic.conf" <<EOF
GenericExecuteSynth "echo '\$DATA' >> $transkript"
AddVoice "en" "MALE1" "generic"
GenericLanguage "en" "en" "utf-8"
GenericLanguage "c" "c" "utf-8"
GenericMaxChunkLength 2000
GenericDelimiters ""
EOF
cp "$programm" "$workdir/Tarvis32"
# Two saved calls beside the program's log, for the journal: the log's head (its umlauts in
# Windows-1252) from the tests, a call in October and one in November.
{
  head -n 4 tests/calllog/session.Rep
  printf '%s\r\n' \
    '02.10.26   09:00:00   02.10.26   09:01:30   00:01:30,0   089 12345678      Region 200        7        0,84 DM' \
    '20.11.26   14:05:33   20.11.26   14:09:12   00:03:39,2   0711 123456       City              2        0,24 DM'
} >"$workdir/Tarvis 11-2026.Rep"

# Waits until the transcript has a line matching the pattern (after line $2, default 0);
# returns the number of that line.
warte_auf() {
  local muster="$1" ab="${2:-0}" frist=$((SECONDS + ${3:-30}))
  while ((SECONDS < frist)); do
    local treffer
    treffer="$(tail -n +"$((ab + 1))" "$transkript" | grep -a -n -m1 -e "$muster" | cut -d: -f1 || true)"
    if [ -n "$treffer" ]; then
      echo $((ab + treffer))
      return 0
    fi
    sleep 0.2
  done
  echo "Orca sagte nicht: $muster" >&2
  if ((pruefen)); then
    echo "----- transcript -----" >&2
    cat "$transkript" >&2
    return 1
  fi
  echo "$ab"
}
zeilen() { wc -l <"$transkript"; }
taste() { xdotool key --delay 120 "$@"; }

sitzung() {
  set -euo pipefail
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null
  openbox >/dev/null 2>&1 &
  pids+=($!)
  LANG=C.UTF-8 LC_ALL=C.UTF-8 orca --replace -u "$workdir/orca" >/dev/null 2>&1 &
  pids+=($!)
  warte_auf . 0 60 >/dev/null # Orca greets when it is ready ("Screen reader on")

  (cd "$workdir" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb LANG=de_DE.UTF-8 \
    LC_ALL= TZ=Europe/Berlin ./Tarvis32 >/dev/null 2>&1) &
  pids+=($!)
  local z
  z=$(warte_auf 'Start' 0 30)

  # START and STOP by Enter: the new state.
  taste Return
  z=$(warte_auf 'Gespräch läuft' "$z")
  sleep 2
  taste Return
  z=$(warte_auf 'Gespräch beendet' "$z")

  # Flat review of the main window: the current line (the buttons at the bottom), then line by
  # line upwards to the top.
  taste KP_Up
  z=$(warte_auf 'Start' "$z")
  for _ in $(seq 14); do
    taste KP_Home
    sleep 0.3
  done
  z=$(warte_auf 'Dauer' "$z")
  z=$(warte_auf 'City' "$z" 10)
  z=$(warte_auf 'Tarif' "$z" 10)

  # The save dialog: the log file by its mnemonic.
  taste alt+s
  z=$(warte_auf 'City' "$z")
  taste alt+l
  z=$(warte_auf 'Logbuchdatei: /' "$z")
  taste Escape

  # The calculation window: an invalid start date, then "berechnen" by Enter.
  taste alt+b
  z=$(warte_auf 'Berechnung' "$z")
  taste Tab
  z=$(warte_auf 'Start-Datum' "$z")
  taste ctrl+a 3 2 period 1 3 period 2 0 2 6 Return
  z=$(warte_auf 'Start-Datum ist nicht korrekt' "$z")
  taste Escape
  z=$(warte_auf 'Start \(push \)\?button' "$z")

  # The journal: each filter by its label and value, on focus and on a change by the arrow keys;
  # the search field and, once the table is filtered, the count of the calls shown; the table's
  # current row when Tab enters it, and the order that Ctrl+S sets.
  # Orca 48 does not always say the title of a window whose first field takes the focus before
  # the window is reported active, and says label, role and value on one line where Orca 43 says
  # the value on a line of its own: the value is looked for from the label's line on.
  taste alt+a
  z=$(warte_auf 'Monat: combo box' "$z")
  z=$(warte_auf 'Alle Monate' "$((z - 1))")
  taste Down
  z=$(warte_auf '10/2026' "$z")
  taste Up
  z=$(warte_auf 'Alle Monate' "$z")
  taste Tab
  z=$(warte_auf 'Alle Zonen' "$z")
  taste Tab
  z=$(warte_auf 'Suche' "$z")
  taste 0 7 1 1
  z=$(warte_auf '1 von 2 Anrufen' "$z")
  taste Tab Tab
  z=$(warte_auf '20.11.2026' "$z")
  taste ctrl+s
  z=$(warte_auf 'Aufsteigend nach .Datum. sortiert' "$z")
  taste Escape
  z=$(warte_auf 'Start \(push \)\?button' "$z")

  # The call monitor's settings: every field by its caption and value.
  taste alt+n
  sleep 1
  taste a
  z=$(warte_auf 'Anrufmonitor des Routers verwenden' "$z")
  taste Tab
  z=$(warte_auf 'Adresse' "$z")
  taste Tab
  z=$(warte_auf 'Port' "$z")
  taste Tab
  z=$(warte_auf 'Speichern-Dialog öffnen' "$z")
  taste Down
  z=$(warte_auf 'Sofort speichern, wenn die Zone bekannt ist' "$z")
  taste Tab
  z=$(warte_auf 'Eigene Vorwahl' "$z")
  taste Escape
  z=$(warte_auf 'Start \(push \)\?button' "$z")

  # The tariff overview: another zone chosen, the lengths of its units.
  taste alt+t
  z=$(warte_auf 'Tarifübersicht' "$z")
  taste Down
  z=$(warte_auf 'Region 50, Montag - Freitag: Sekunden je Einheit: 00-02 Uhr' "$z")
  taste Escape
  z=$(warte_auf 'Start \(push \)\?button' "$z")
  taste alt+e
  local programm="${pids[2]}"
  for _ in $(seq 50); do kill -0 "$programm" 2>/dev/null || break; sleep 0.1; done
}
export -f sitzung warte_auf zeilen taste
export pruefen transkript workdir
status=0
dbus-run-session -- bash -c '
  pids=()
  trap "for p in \${pids[*]}; do kill \$p 2>/dev/null || true; done" EXIT
  sitzung' 2> >(grep -a -v -e dbus-daemon -e SpiRegistry -e XDG_RUNTIME_DIR -e 'X connection' >&2) ||
  status=$?
((pruefen)) || cat "$transkript"
exit "$status"
