#pragma once

#include "journal/JournalRead.h"

#include <QLocale>
#include <QString>
#include <cstdint>

namespace tarvis {

// The texts the journal window shows about what it read and what it shows, counts as the
// user's locale writes them ("1.000.000 Anrufe").

// "1 Anruf", "2 Anrufe".
QString Mehrzahl(std::int64_t anzahl, const char* eins, const char* mehr, const QLocale& locale);

// The files the calls come from: every file but those that could not be read.
std::int64_t GeleseneDateien(const Journal& journal);

// "7 Anrufe aus 3 Dateien" while every call is shown, else "2 von 7 Anrufen".
QString AnzahlText(std::int64_t gezeigt, std::int64_t alle, std::int64_t dateien,
                   const QLocale& locale);

// What the window has to say of a reading, a line each: the files that gave no calls, that the
// sums leave out unreadable files, that the folder (`ordner`, when nothing was read) holds no
// log yet, and that the sums left the range of their counters.
QString MeldungenText(const Journal& journal, const QString& ordnerOhneLog, bool zuGross);

// "3 Zeilen nicht lesbar"; empty when every line was read.
QString UnlesbarText(std::int64_t anzahl, const QLocale& locale);

// Each unreadable line as "file, Zeile n: why", and how many more were not kept.
QString UnlesbareZeilenText(const Journal& journal, const QLocale& locale);

// What the window tells once an export is written.
QString GespraecheExportiertText(std::int64_t anzahl, const QString& ziel, const QLocale& locale);
QString SummenExportiertText(const QString& ziel);

} // namespace tarvis
