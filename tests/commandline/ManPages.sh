#!/usr/bin/env bash
# The manual pages and the completion keep up with the program: every option its help names is
# described in the German and the English page and completed by bash, and man formats both pages
# without a warning (the check Debian's lintian makes).
#   ManPages.sh <path of Tarvis32> <source folder of the app>
set -uo pipefail
program="$1"
app="$2"
export LANG=de_DE.UTF-8 LC_ALL= QT_QPA_PLATFORM=offscreen
fehler=0

optionen="$("$program" --help | grep -oE '(^|[ ,])--?[a-z]+' | tr -d ' ,' | sort -u)"
if [ -z "$optionen" ]; then
  echo "FAILED: no option found in the help"
  exit 1
fi
for option in $optionen; do
  # In roff a hyphen is written "\-"; the name must stand alone, so "-h" is not found in "--help".
  roff="(^|[^-])${option//-/\\\\-}([^a-z]|\$)"
  for seite in "$app/man/Tarvis32.1" "$app/man/de/Tarvis32.1"; do
    if grep -qE -- "$roff" "$seite"; then
      echo "ok: $option in $seite"
    else
      echo "FAILED: $option is missing from $seite"
      fehler=1
    fi
  done
  if grep -qE -- "(^|[ '])$option([ ']|$)" "$app/completion/Tarvis32"; then
    echo "ok: $option completed"
  else
    echo "FAILED: $option is missing from the completion"
    fehler=1
  fi
done

for seite in "$app/man/Tarvis32.1" "$app/man/de/Tarvis32.1"; do
  warnungen="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$seite" 2>&1 >/dev/null)"
  if [ -n "$warnungen" ]; then
    echo "FAILED: man warns on $seite:"
    echo "$warnungen" | sed 's/^/  | /'
    fehler=1
  else
    echo "ok: $seite formats without warnings"
  fi
done
exit $fehler
