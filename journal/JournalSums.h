#pragma once

#include "journal/JournalData.h"

#include <QLocale>
#include <QString>
#include <climits>
#include <cstdint>
#include <memory>
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
    std::uint32_t satz = 0; // the first call to the number: its text names the number
    std::uint32_t gespraeche = 0;
    std::int64_t einheiten = 0;
    std::int64_t kostenPfennig = 0;

    // Adds a call; false (and nothing added) when a figure would leave the range of its
    // counter, as LogSumme::Dazu.
    [[nodiscard]] bool Dazu(std::int64_t einheitenDazu, std::int64_t kostenDazu);
    LogSumme Summe() const { return {gespraeche, einheiten, kostenPfennig}; }
};

// The sums per number, kept in blocks of a fixed size: the list grows by a block and never
// copies the sums it holds, where a vector doubling holds its old copy beside one of twice
// the size for a moment. A sum is kept in 16 bytes while its units and cost fit 32 bits (the
// sums of 630 000 numbers then take 10 MB); one that does not is kept whole beside the others.
class TelefonSummenListe {
public:
    std::size_t Anzahl() const { return anzahl_; }
    TelefonSumme operator[](std::size_t i) const;
    // A sum of no calls yet at the end, named by call `satz`; its place.
    std::uint32_t Neu(std::uint32_t satz);
    // Adds a call to the sum at `i`; false (and nothing added) as TelefonSumme::Dazu.
    [[nodiscard]] bool Dazu(std::size_t i, std::int64_t einheiten, std::int64_t kostenPfennig);

private:
    struct Klein {
        static constexpr std::int32_t Ganz = INT32_MIN; // in `einheiten`: kept whole
        std::uint32_t satz;
        std::uint32_t gespraeche;
        std::int32_t einheiten;
        std::int32_t kostenPfennig; // of a sum kept whole: its place among those
    };
    static_assert(sizeof(Klein) == 16);

    Klein& Platz(std::size_t i) { return bloecke_[i >> BlockBits][i & BlockMaske]; }
    const Klein& Platz(std::size_t i) const { return bloecke_[i >> BlockBits][i & BlockMaske]; }

    static constexpr unsigned BlockBits = 15; // 32 768 sums, 512 KB a block
    static constexpr std::size_t BlockMaske = (std::size_t{1} << BlockBits) - 1;
    std::vector<std::vector<Klein>> bloecke_;
    std::vector<TelefonSumme> ganze_; // the sums beyond 32 bits, in the order they grew so
    std::size_t anzahl_ = 0;
};

// The sums per telephone number of these calls, in the order in which the numbers first come,
// and their total. The numbers' texts stay in the calls' pool. Each column's ascending order
// (the number by its digits, the figures with equal values in the order the numbers first
// come) is made with the sums, off the window's thread, so that a sort only takes one of them.
struct TelefonSummen {
    std::shared_ptr<const JournalDaten> daten;
    TelefonSummenListe nummern;
    LogSumme gesamt;
    static constexpr std::size_t SpaltenAnzahl = 4; // number, calls, units, cost
    // Each column's ascending order, one after the other, two places to a word: the sort by
    // number works in the room of the last two orders before they are made, and the figures'
    // orders are counted straight into theirs, so that they need no room beside.
    std::vector<std::uint64_t> ordnungen;

    // The place that comes `k`-th in the ascending order of column `spalte`.
    std::uint32_t Aufsteigend(std::size_t spalte, std::size_t k) const {
        const std::size_t i = spalte * nummern.Anzahl() + k;
        return std::uint32_t(ordnungen[i / 2] >> (i % 2 * 32));
    }

    std::string_view Nummer(std::size_t i) const {
        return daten->Telefon((*daten)[nummern[i].satz]);
    }
    // The figure of a column 1..3 (calls, units, cost).
    std::int64_t Wert(std::size_t i, std::size_t spalte) const;
};
// Nothing when a sum left the range of its counters.
std::optional<TelefonSummen> SummenJeTelefon(std::shared_ptr<const JournalDaten> daten,
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
