#!/usr/bin/env bash
# Opens the journal's CSV in LibreOffice Calc as a German user's double click does and checks
# the sheet cell by cell: every row keeps its nine columns, figures are numbers, what the user
# typed is text exactly as typed (never a formula, never a number without its leading zeros).
# Three imports: the separators Calc suggests (Tab, comma and semicolon) with formulas
# evaluated, the same with formulas not evaluated, and ";" alone.
#   scripts/csv-in-calc.sh <path of Tarvis32>     (exit 77 when LibreOffice is not installed)
# `scripts/setup.sh --calc-packages` installs LibreOffice Calc.
set -euo pipefail
program="$1"
if ! command -v soffice >/dev/null; then
  echo "LibreOffice (soffice) is not installed: scripts/setup.sh --calc-packages installs it"
  exit 77
fi
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
export LANG=de_DE.UTF-8 LC_ALL= TZ=Europe/Berlin QT_QPA_PLATFORM=offscreen

# A log as the program writes it, with what users type that a spreadsheet would misread.
satz() { # start time, stop date, stop time, telephone number (18 columns), cost
  printf '07.12.96   %s   %s   %s   00:03:39,2   %-18s%-18s%-9s%s DM\r\n' "$1" "$2" "$3" "$4" City 2 "$5"
}
kommentar() { printf '%57s%s\r\n' '' "$1"; }
{
  satz 14:05:33 07.12.96 14:09:12 0711123456 0,24; kommentar '=1+2'
  satz 15:05:33 07.12.96 15:09:12 '+49 711 1234' 0,24; kommentar '-5'
  satz 16:05:33 07.12.96 16:09:12 '=1+2' 0,24; kommentar '@SUM(A1)'
  satz 17:05:33 07.12.96 17:09:12 '0711 123456' 5,16; kommentar '=HYPERLINK("http://x";"y")'
  satz 23:55:00 08.12.96 00:10:00 '0711 123456' 12,00; kommentar 'ja, gern; 5,16'
  satz 18:05:33 07.12.96 18:09:12 '0711 123456' 0,24; kommentar $'Tab\tim Text'
} >"$dir/Tarvis 12-1996.Rep"
"$program" --auswertung "$dir/Tarvis 12-1996.Rep" --csv >"$dir/journal.csv"

# Rows of (type, text) as the sheet holds them; "float" cells with their value.
erwartet='[
 ["string:Datum","string:Start","string:Stop","string:Dauer","string:Telefonnummer","string:Zone","string:Einheiten","string:Kosten","string:Kommentar"],
 ["string:07.12.1996","string:14:05:33","string:14:09:12","string:00:03:39,2","string:0711123456","string:City","float:2","float:0.24","string:=1+2"],
 ["string:07.12.1996","string:15:05:33","string:15:09:12","string:00:03:39,2","string:+49 711 1234","string:City","float:2","float:0.24","string:-5"],
 ["string:07.12.1996","string:16:05:33","string:16:09:12","string:00:03:39,2","string:=1+2","string:City","float:2","float:0.24","string:@SUM(A1)"],
 ["string:07.12.1996","string:17:05:33","string:17:09:12","string:00:03:39,2","string:0711 123456","string:City","float:2","float:5.16","string:=HYPERLINK(\"http://x\";\"y\")"],
 ["string:07.12.1996","string:23:55:00","string:08.12.1996 00:10:00","string:00:03:39,2","string:0711 123456","string:City","float:2","float:12","string:ja, gern; 5,16"],
 ["string:07.12.1996","string:18:05:33","string:18:09:12","string:00:03:39,2","string:0711 123456","string:City","float:2","float:0.24","string:Tab?im Text"]
]'
fehler=0
# Field separators (9 Tab, 44 comma, 59 semicolon), quote, UTF-8, from line 1, German, quoted
# fields not forced to text, no special numbers; the 13th option: evaluate formulas.
for art in "9/44/59 true" "9/44/59 false" "59 true"; do
  read -r trenner formeln <<<"$art"
  rm -rf "$dir/aus"
  soffice -env:UserInstallation="file://$dir/profil" --headless \
    --infilter="CSV:$trenner,34,76,1,,1031,false,false,,,,,$formeln" \
    --convert-to fods --outdir "$dir/aus" "$dir/journal.csv" >/dev/null 2>&1
  if ! python3 - "$dir/aus/journal.fods" "$erwartet" "separators $trenner, formulas evaluated: $formeln" <<'PY'
import json, sys, xml.etree.ElementTree as ET
T = 'urn:oasis:names:tc:opendocument:xmlns:table:1.0'
O = 'urn:oasis:names:tc:opendocument:xmlns:office:1.0'
X = 'urn:oasis:names:tc:opendocument:xmlns:text:1.0'
def text(p):  # ODF writes blanks and tabs as elements
    s = p.text or ''
    for k in p:
        tag = k.tag.split('}')[1]
        s += {'s': ' ' * int(k.get('{%s}c' % X, '1')), 'tab': '\t'}.get(tag, '') + ''.join(k.itertext()) + (k.tail or '')
    return s
zeilen = []
for row in ET.parse(sys.argv[1]).iter('{%s}table-row' % T):
    zellen = []
    for c in row.findall('{%s}table-cell' % T):
        if int(c.get('{%s}number-columns-repeated' % T, '1')) > 1 and not c.findall('{%s}p' % X):
            continue
        if c.get('{%s}formula' % T):
            zellen.append('FORMULA:' + c.get('{%s}formula' % T))
            continue
        art = c.get('{%s}value-type' % O, '')
        inhalt = c.get('{%s}value' % O) if art == 'float' else '\n'.join(text(p) for p in c.findall('{%s}p' % X))
        zellen.append(art + ':' + inhalt.replace('\u2060', ''))
    zeilen.append(zellen)
soll = json.loads(sys.argv[2])
ok = zeilen == soll
print(('ok: ' if ok else 'FAILED: ') + sys.argv[3])
for z, s in zip(zeilen, soll + [[]] * len(zeilen)):
    print('  ' + (' | '.join(z)) + ('' if z == s else '    <- expected ' + ' | '.join(s)))
sys.exit(0 if ok else 1)
PY
  then fehler=1; fi
done
exit $fehler
