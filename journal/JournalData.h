#pragma once

#include "calllog/Call.h"
#include "calllog/LogSums.h" // the sums the journal makes of its calls

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvis {

// One call of the journal as it is read from the journal: dates as day numbers, times as
// seconds, figures as integers, the texts as places in the journal's pool of texts.
struct JournalSatz {
    static constexpr std::int32_t Unbekannt = -1; // a time or duration that could not be read
    static constexpr std::int32_t KeinTag = INT32_MIN;

    std::int64_t einheiten = 0;
    std::int64_t kostenPfennig = 0;
    std::int64_t dauerMs = Unbekannt;
    std::int32_t startTag = 0; // days since 1.1.1970
    std::int32_t startSekunde = Unbekannt;
    std::int32_t stopTag = KeinTag;
    std::int32_t stopSekunde = Unbekannt;
    std::uint32_t telefon = 0; // offset in the text pool
    std::uint32_t kommentar = 0;
    std::uint16_t telefonLaenge = 0;
    std::uint16_t kommentarLaenge = 0;
    std::uint8_t zone = 1; // 1..4

    Datum StartDatum() const;
    std::optional<Datum> StopDatum() const;
    // (year, month) of the start: the month a call is summed under.
    std::pair<int, int> Monat() const;
};

// The calls of one or more logs, in the order of their files and lines.
class JournalDaten {
public:
    std::size_t Anzahl() const { return saetze_.size(); }
    JournalSatz operator[](std::size_t i) const {
        const GepackterSatz& satz = saetze_[i];
        return (satz.start & GepackterSatz::Ganz) != 0 ? ganze_[std::uint32_t(satz.einheiten)]
                                                       : Entpackt(satz);
    }

    // UTF-8, as read.
    std::string_view Telefon(const JournalSatz& satz) const {
        return std::string_view(texte_).substr(satz.telefon, satz.telefonLaenge);
    }
    std::string_view Kommentar(const JournalSatz& satz) const {
        return std::string_view(texte_).substr(satz.kommentar, satz.kommentarLaenge);
    }

    // False (and nothing added) when the journal cannot hold more: its texts are limited to
    // 4 GiB, far beyond any real log.
    [[nodiscard]] bool Dazu(const Gespraech& gespraech);
    // Back to the first `anzahl` calls, as before a file whose reading failed.
    void Kuerzen(std::size_t anzahl);
    // Room for this many calls and their texts, made once: a pool doubled while reading holds
    // its old copy beside the new one for a moment. Room not used takes address space only.
    void Reservieren(std::size_t anzahl) {
        saetze_.reserve(anzahl);
        // The number's field is 18 wide; the comments of some of the calls fit in the rest.
        texte_.reserve(anzahl * 20);
    }

    // The calls converted back for the sums, which the command line makes of the same records.
    Gespraech FuerSumme(const JournalSatz& satz) const;

private:
    // A call as kept, in 32 bytes: a million calls take 32 MB. Nearly every call's figures fit
    // 32 bits, its times of day 17 bits, its stop lies within years of its start, and its
    // comment follows its number in the pool. A call that does not fit (only a damaged or made
    // up log has one) is kept whole beside the others, and `einheiten` says where.
    struct GepackterSatz {
        static constexpr std::uint32_t Ganz = 1u << 31;
        static constexpr int ZoneBit = 17;
        static constexpr std::uint32_t Sekunden = (1u << ZoneBit) - 1; // the second + 1; 0: unknown
        static constexpr std::int32_t TagAbstand = 1 << 14; // the stop's day + this - the start's

        std::int32_t einheiten;
        std::int32_t kostenPfennig;
        std::int32_t dauerMs;
        std::int32_t startTag;
        std::uint32_t telefon;
        std::uint16_t telefonLaenge;
        std::uint16_t kommentarLaenge;
        std::uint32_t start; // the second, the zone above it, Ganz
        std::uint32_t stop;  // the second, the day's distance above it (0: no stop day)
    };
    static_assert(sizeof(GepackterSatz) == 32, "a million calls must stay within 32 MB");

    static JournalSatz Entpackt(const GepackterSatz& satz) {
        JournalSatz entpackt;
        entpackt.einheiten = satz.einheiten;
        entpackt.kostenPfennig = satz.kostenPfennig;
        entpackt.dauerMs = satz.dauerMs;
        entpackt.startTag = satz.startTag;
        entpackt.startSekunde = std::int32_t(satz.start & GepackterSatz::Sekunden) - 1;
        entpackt.zone = std::uint8_t((satz.start >> GepackterSatz::ZoneBit) & 7u);
        entpackt.stopSekunde = std::int32_t(satz.stop & GepackterSatz::Sekunden) - 1;
        const auto abstand = std::int32_t(satz.stop >> GepackterSatz::ZoneBit);
        entpackt.stopTag = abstand == 0 ? JournalSatz::KeinTag
                                        : satz.startTag + abstand - GepackterSatz::TagAbstand;
        entpackt.telefon = satz.telefon;
        entpackt.telefonLaenge = satz.telefonLaenge;
        entpackt.kommentar = satz.telefon + satz.telefonLaenge;
        entpackt.kommentarLaenge = satz.kommentarLaenge;
        return entpackt;
    }
    static std::optional<GepackterSatz> Gepackt(const JournalSatz& satz);
    std::optional<std::uint32_t> Text(std::string_view text);

    std::vector<GepackterSatz> saetze_;
    std::vector<JournalSatz> ganze_; // the calls that do not fit, in their order
    std::string texte_;
};

} // namespace tarvis
