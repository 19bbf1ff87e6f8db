#pragma once

#include "journal/JournalData.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvis {

// The columns of the journal, in the order the window shows them and the export writes them.
enum class Spalte { Datum, Start, Stop, Dauer, Telefon, Zone, Einheiten, Kosten, Kommentar };
inline constexpr int SpaltenAnzahl = 9;
inline constexpr std::array<const char*, SpaltenAnzahl> SpaltenName{
    "Datum", "Start", "Stop", "Dauer", "Telefonnummer", "Zone", "Einheiten", "Kosten", "Kommentar",
};

// What a cell shows, in the program's fixed forms: dates "dd.mm.yyyy" with the century, times
// "hh:mm:ss", the stop with its date when the call ended on another day, the duration
// "hh:mm:ss,t", the cost "0,24" with `trenner` before the Pfennig. Empty where the log did not
// hold a readable value.
std::string ZellenText(const JournalDaten& daten, const JournalSatz& satz, Spalte spalte,
                       std::string_view trenner);

// Figures as the user's locale writes them (German settings: "0,24").
QString ZellenAnzeige(const JournalDaten& daten, const JournalSatz& satz, Spalte spalte,
                      const QLocale& locale);

// The calls in the order of a column's values: dates as dates, the stop as the moment the call
// ended, times as times of day, figures as numbers, telephone numbers by their digits and then
// as written ("0711 1" beside "07111"), comments as a German index orders words (case and
// accents aside: "oma" beside "OMA", "Öl" beside "Ol"). Calls of equal value keep the order of
// their files and lines, in both directions. A missing value comes before every other.
std::vector<std::uint32_t> Sortiert(const JournalDaten& daten, Spalte spalte, bool absteigend);
// The value a column of whole numbers (every column but the number and the comment) sorts a
// call by; 0 for the two text columns.
std::int64_t Zahlenwert(const JournalSatz& satz, Spalte spalte);
// The first 32 digits of a telephone number, four bits each (the digit plus one, so that a
// shorter number comes before the longer ones it begins), in two words that compare as the
// digits do: a million numbers sort as plain integers. Numbers of equal keys may still differ
// after their 32nd digit.
struct ZiffernSchluessel {
    std::uint64_t vorn = 0;
    std::uint64_t hinten = 0;
    auto operator<=>(const ZiffernSchluessel&) const = default;
};
ZiffernSchluessel ZiffernSchluesselVon(std::string_view nummer);
// The places 0..anzahl-1 in the order of the telephone numbers at them, as Sortiert orders the
// column of numbers; equal numbers in the order of their places either way. It needs 12 bytes
// a place at most, whatever the numbers' length.
std::vector<std::uint32_t> NachNummern(std::size_t anzahl,
                                       const std::function<std::string_view(std::uint32_t)>& nummer,
                                       bool absteigend);
// The same in the room given, one entry a place: each entry is afterwards the place that comes
// at its position.
void OrdneNachNummern(std::span<std::uint64_t> eintraege,
                      const std::function<std::string_view(std::uint32_t)>& nummer,
                      bool absteigend);
// <0, 0 or >0 as the digits of two numbers compare, every other character passed over.
int VergleicheZiffern(std::string_view a, std::string_view b);
// The calls in the order of their files and lines.
std::vector<std::uint32_t> InDateiFolge(const JournalDaten& daten);
// These calls (each at most once) in the order of their files and lines: in one pass, not by a
// sort.
std::vector<std::uint32_t> InDateiFolge(const JournalDaten& daten,
                                        const std::vector<std::uint32_t>& zeilen);

} // namespace tarvis
