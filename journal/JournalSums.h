#pragma once

#include "journal/JournalData.h"

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvis {

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
    QString gespraeche;
    QString einheiten;
    QString gebuehren;
};
SummenTexte TexteVon(const LogSumme& summe, const QLocale& locale);
SummenTexte GruppierteTexteVon(const LogSumme& summe, const QLocale& locale);

// A number as ZahlText writes it, with the locale's group separator between every three digits
// before the decimal separator.
QString Gruppiert(const QString& zahl, const QLocale& locale);

} // namespace tarvis
