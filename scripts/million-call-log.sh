#!/usr/bin/env bash
# Writes a log of many calls in the program's record format, for the measurements of the reader
# and the journal (scripts/measure-journal.sh, scripts/measure-reader.sh): always the same calls
# for the same count (about 110 MB and 630 000 distinct numbers for a million).
#   scripts/million-call-log.sh <calls> <file>
set -euo pipefail
calls="${1:?number of calls}"
log="${2:?file to write}"

# The heading and the record lines as the program writes them (code page 1252, CR LF), calls
# spread over the twelve months of 1997 and the four zones, every hundredth with a comment.
awk -v n="$calls" 'BEGIN {
  srand(14)
  zone[1] = "City"; zone[2] = "Region 50"; zone[3] = "Region 200"; zone[4] = "Fern"
  printf "     Beginn                 Ende            Gespr\344chs-   angerufene        Tarif-       Ein-       Gespr\344chs-\r\n"
  printf "Datum      Uhr        Datum      Uhr        Dauer        Telefonnummer     bereich      heiten     Geb\374hren\r\n"
  for (i = 0; i < 109; i++) printf "-"
  printf "\r\n\r\n"
  for (i = 0; i < n; i++) {
    monat = 1 + int(i * 12 / n); tag = 1 + i % 28
    h = int(rand() * 22); m = int(rand() * 60); s = int(rand() * 60); dauer = 1 + int(rand() * 3000)
    e = 1 + int(rand() * 200); z = 1 + int(rand() * 4)
    eh = h + int((m * 60 + s + dauer) / 3600); em = int((m * 60 + s + dauer) % 3600 / 60); es = (s + dauer) % 60
    printf "%02d.%02d.97   %02d:%02d:%02d   %02d.%02d.97   %02d:%02d:%02d   %02d:%02d:%02d,%d   %-18s%-13s%6d   %9s DM\r\n",
      tag, monat, h, m, s, tag, monat, eh, em, es, int(dauer / 3600), int(dauer % 3600 / 60), dauer % 60, i % 10,
      sprintf("0711 %06d", int(rand() * 1000000)), zone[z], e, sprintf("%d,%02d", int(e * 12 / 100), (e * 12) % 100)
    if (i % 100 == 0) printf "%57sR\374ckruf Nr. %d\r\n", "", i
  }
}' >"$log"
