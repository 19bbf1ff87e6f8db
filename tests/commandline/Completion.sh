#!/usr/bin/env bash
# Tab completion of Tarvis32 as bash runs it: each row is a command line typed up to the cursor
# and the words the completion must offer there, with "now" fixed at 07.12.1996 14:05:33.
#   Completion.sh <completion file>
set -uo pipefail
source /usr/share/bash-completion/bash_completion
source "$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
export XDG_CONFIG_HOME="$dir/config"
cd "$dir" && touch "Tarvis 11-1996.Rep" "Tarvis 12-1996.Rep" a.Rep

date() {
  case "$1" in
    +%d.%m.%Y) echo 07.12.1996 ;;
    +%H:%M:%S) echo 14:05:33 ;;
    '+%d.%m.%Y %H:%M:%S') echo '07.12.1996 14:05:33' ;;
    *) command date "$@" ;;
  esac
}

# Splits the line as bash does before it calls the completion: blanks separate words, and ":"
# and "=" (in COMP_WORDBREAKS) are words of their own.
angebot() {
  local zeile="$1" wort teile
  COMP_LINE="$zeile" COMP_POINT=${#zeile} COMP_WORDS=() COMPREPLY=()
  read -ra teile <<<"$zeile"
  for wort in "${teile[@]}"; do
    while [[ $wort =~ ^([^:=]*)([:=])(.*)$ ]]; do
      [[ -n ${BASH_REMATCH[1]} ]] && COMP_WORDS+=("${BASH_REMATCH[1]}")
      COMP_WORDS+=("${BASH_REMATCH[2]}")
      wort="${BASH_REMATCH[3]}"
    done
    [[ -n $wort ]] && COMP_WORDS+=("$wort")
  done
  [[ $zeile == *' ' ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _Tarvis32 Tarvis32 "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' '
}

fehler=0
pruefe() { # line typed, expected offer (sorted, blank-separated)
  local ist
  ist="$(angebot "$1")"
  if [ "$ist" = "$2" ]; then
    echo "ok: [$1] -> [$2]"
  else
    echo "FAILED: [$1] offered [$ist], expected [$2]"
    fehler=1
  fi
}

# After a ":" bash replaces only the part behind it, so the offer is that part.
while IFS='|' read -r zeile erwartet; do
  [[ -z $zeile || $zeile == '#'* ]] && continue
  pruefe "$zeile" "$erwartet"
done <<'TABLE'
Tarvis32 |--anrufmonitor --auswertung --berechnen --help --tarif --version -h -v
Tarvis32 --b|--berechnen
Tarvis32 --csv|
Tarvis32 --berechnen |07.12.1996
Tarvis32 --berechnen 07.|07.12.1996
Tarvis32 --berechnen 8.|
Tarvis32 --berechnen 07.12.1996 |14:05:33
Tarvis32 --berechnen 07.12.1996 14:05|05:33
Tarvis32 --berechnen 07.12.1996 14:05:33 |00:01:00 00:05:00 00:10:00 00:30:00 01:00:00
Tarvis32 --berechnen 07.12.1996 14:05:33 00:0|01:00 05:00
Tarvis32 --berechnen 07.12.1996 14:05:33 00:03:39 |
Tarvis32 --tarif |07.12.1996\ 14:05:33
Tarvis32 --tarif 07.12|07.12.1996\ 14:05:33
Tarvis32 --tarif 07.12.1996 |14:05:33
Tarvis32 --auswertung -|- --csv
Tarvis32 --auswertung a.Rep --|--csv
Tarvis32 --auswertung Tar|Tarvis 11-1996.Rep Tarvis 12-1996.Rep
Tarvis32 --anrufmonitor |fritz.box fritz.box:1012
Tarvis32 --anrufmonitor fritz.box:|1012
TABLE

# The address kept in the settings is offered beside the router's usual name.
mkdir -p "$XDG_CONFIG_HOME/Tarvis32"
printf '[Anrufmonitor]\nAktiv=true\nAdresse=192.168.178.1\nPort=1012\n' >"$XDG_CONFIG_HOME/Tarvis32/Tarvis32.conf"
pruefe "Tarvis32 --anrufmonitor " "192.168.178.1 fritz.box fritz.box:1012"
exit $fehler
