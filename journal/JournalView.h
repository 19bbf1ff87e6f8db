#pragma once

#include "journal/JournalData.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
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
// ended, times as times of day, figures as numbers, texts as a German index orders words (case
// and accents aside: "oma" beside "OMA", "Öl" beside "Ol"). Calls of equal value keep the order
// of their files and lines, in both directions. A missing value comes before every other.
std::vector<std::uint32_t> Sortiert(const JournalDaten& daten, Spalte spalte, bool absteigend);
// The calls in the order of their files and lines.
std::vector<std::uint32_t> InDateiFolge(const JournalDaten& daten);

// What the window's filters let through; a filter left empty lets everything through.
struct JournalFilter {
    std::optional<std::pair<int, int>> monat; // (year, month) of the start
    int zone = 0;                             // 0: every zone
    std::string suche;                        // UTF-8; in the number or the comment, any case
};

// The calls of `folge` that pass the filter, in the same order.
std::vector<std::uint32_t> Gefiltert(const JournalDaten& daten,
                                     const std::vector<std::uint32_t>& folge,
                                     const JournalFilter& filter);

// Every month in which a call starts, in calendar order.
std::vector<std::pair<int, int>> MonateIn(const JournalDaten& daten);

// "12/1996", as the command line's report names a month.
QString MonatsText(std::pair<int, int> monat);

// The sums of these calls, made as the command line makes them.
LogSummen SummenVon(const JournalDaten& daten, const std::vector<std::uint32_t>& zeilen);

// One row of a report of sums: a zone in a month, or the total of all (no month, zone 0).
struct SummenZeile {
    std::optional<std::pair<int, int>> monat;
    int zone = 0;
    LogSumme summe;

    bool IstGesamt() const { return zone == 0; }
};

// The rows of the report that the command line prints and the journal shows: per month in
// calendar order each zone that has calls, then the total. Nothing when the sums left the
// range of their counters, as no row could then be trusted.
std::optional<std::vector<SummenZeile>> SummenZeilen(const LogSummen& summen);

// The sums of the calls to one telephone number. Numbers written differently ("0711 123",
// "0711/123") are one number when their digits are; it is named as its first call has it.
struct TelefonSumme {
    std::string nummer; // UTF-8, as the first call has it
    std::string ziffern;
    LogSumme summe;
};

// The sums per telephone number of these calls, in the order in which the numbers first come,
// and their total; nothing when a sum left the range of its counters.
struct TelefonSummen {
    std::vector<TelefonSumme> nummern;
    LogSumme gesamt;
};
std::optional<TelefonSummen> SummenJeTelefon(const JournalDaten& daten,
                                             const std::vector<std::uint32_t>& zeilen);

// The digits of a telephone number, by which numbers are told apart.
std::string Ziffern(std::string_view nummer);

// The figures of a sum as the user's locale writes them; the cost without its " DM". The
// command line's report has them ungrouped ("15476"), the window grouped ("15.476"), as its
// counts are.
struct SummenTexte {
    QString anrufe;
    QString einheiten;
    QString gebuehren;
};
SummenTexte TexteVon(const LogSumme& summe, const QLocale& locale);
SummenTexte GruppierteTexteVon(const LogSumme& summe, const QLocale& locale);

// A number as ZahlText writes it, with the locale's group separator between every three digits
// before the decimal separator.
QString Gruppiert(const QString& zahl, const QLocale& locale);

} // namespace tarvis
