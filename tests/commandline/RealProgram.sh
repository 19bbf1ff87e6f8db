#!/usr/bin/env bash
# The command line of the real program, where only a real process shows it: standard input and
# pipes as log files, output that cannot be written, a mistyped option without any display.
#   RealProgram.sh <path of Tarvis32>
set -uo pipefail
program="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
export LANG=de_DE.UTF-8 LC_ALL= TZ=Europe/Berlin QT_QPA_PLATFORM=xcb DISPLAY= WAYLAND_DISPLAY=
fehler=0
pruefe() { # name, expected status, actual status, output, expected text in the output
  if [ "$3" -ne "$2" ] || ! grep -qF -- "$5" <<<"$4"; then
    echo "FAILED: $1 (status $3, expected $2)"
    echo "$4" | sed 's/^/  | /'
    fehler=1
  else
    echo "ok: $1"
  fi
}

printf '07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   0711              City              2        0,24 DM\r\n' >"$dir/log.Rep"
summe='Gesamt                    1          2         0,24 DM'

out="$(cat "$dir/log.Rep" | "$program" --auswertung - 2>&1)"; pruefe 'standard input as "-"' 0 $? "$out" "$summe"
out="$(cat "$dir/log.Rep" | "$program" --auswertung /dev/stdin 2>&1)"; pruefe '/dev/stdin from a pipe' 0 $? "$out" "$summe"
out="$("$program" --auswertung <(cat "$dir/log.Rep") 2>&1)"; pruefe 'process substitution' 0 $? "$out" "$summe"
mkfifo "$dir/fifo"
(sleep 0.2; cat "$dir/log.Rep" >"$dir/fifo") &
out="$("$program" --auswertung "$dir/fifo" 2>&1)"; pruefe 'a FIFO' 0 $? "$out" "$summe"
wait

# The number "0711" alone would lose its leading zero in a spreadsheet: a word joiner (U+2060)
# goes before it; the duration and the cost hold a comma and are quoted.
csv=$'07.12.1996;14:05:33;14:09:12;"00:03:39,2";\xe2\x81\xa00711;City;2;"0,24";\r'
out="$(cat "$dir/log.Rep" | "$program" --auswertung - --csv 2>&1)"; pruefe 'CSV from standard input' 0 $? "$out" "$csv"
out="$("$program" --auswertung "$dir/log.Rep" --csv 2>&1 >/dev/full)"; pruefe 'CSV to a full disk' 1 $? "$out" 'Kein Platz mehr auf dem Datenträger'

# A file-size limit: the program itself ignores the signal that would kill it, so the write fails
# with its reason and the status says so (not status 153 and a cut file without a word).
for i in $(seq 1 200); do cat "$dir/log.Rep"; done >"$dir/gross.Rep"
out="$(prlimit --fsize=4000 "$program" --auswertung "$dir/gross.Rep" --csv 2>&1 >"$dir/grenze.csv")"
pruefe 'CSV into a file-size limit' 1 $? "$out" 'Die Ausgabe kann nicht geschrieben werden: Die Datei ist zu groß.'
# The window's process ignores it from its first moment too.
HOME="$dir" QT_QPA_PLATFORM=offscreen "$program" >/dev/null 2>&1 &
fenster=$!
ignoriert=nein
for i in $(seq 1 100); do
  maske="$(awk '/^SigIgn:/ {print $2}' "/proc/$fenster/status" 2>/dev/null)"
  if [ -n "$maske" ] && (( (16#$maske >> 24) & 1 )); then ignoriert=ja; break; fi
  sleep 0.1
done
kill "$fenster" 2>/dev/null; wait "$fenster" 2>/dev/null
pruefe 'the window ignores SIGXFSZ' 0 0 "$ignoriert" 'ja'

# Standard input that another program made non-blocking is waited on, not refused.
out="$(python3 - "$program" "$dir/log.Rep" <<'PY'
import fcntl, os, subprocess, sys, time
r, w = os.pipe()
fcntl.fcntl(r, fcntl.F_SETFL, fcntl.fcntl(r, fcntl.F_GETFL) | os.O_NONBLOCK)
p = subprocess.Popen([sys.argv[1], "--auswertung", "-"], stdin=r, stdout=subprocess.PIPE,
                     stderr=subprocess.STDOUT)
os.close(r)
time.sleep(0.3)  # the program finds no data at first
os.write(w, open(sys.argv[2], "rb").read())
os.close(w)
sys.stdout.write(p.communicate()[0].decode())
sys.exit(p.returncode)
PY
)"; pruefe 'non-blocking standard input' 0 $? "$out" "$summe"

out="$("$program" --help 2>&1 >/dev/full)"; pruefe 'help to a full disk' 1 $? "$out" 'Die Ausgabe kann nicht geschrieben werden: Kein Platz mehr auf dem Datenträger.'
out="$("$program" --berechnen 07.12.1996 14:05:33 00:03:39 2>&1 >/dev/full)"; pruefe 'a price to a full disk' 1 $? "$out" 'Kein Platz mehr auf dem Datenträger'
out="$("$program" --version 2>&1 >&-)"; pruefe 'closed standard output' 1 $? "$out" 'Die Standardausgabe ist geschlossen.'

for option in --bogus --berechen -x; do
  out="$("$program" "$option" 2>&1)"; pruefe "mistyped option $option, no display" 2 $? "$out" "Unbekannte Option: $option"
  out="$("$program" "$option" 2>&1 >/dev/null)"; pruefe "mistyped option $option points to the help on stderr" 2 $? "$out" "Tarvis32 --help zeigt die Optionen."
done
exit $fehler
