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

// One call of the journal, kept small: dates as day numbers, times as seconds, figures as
// integers, the texts in one pool shared by all calls. A million calls take 56 MB.
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
    std::uint16_t datei = 0; // index in the journal's files
    std::uint8_t zone = 1;   // 1..4
    bool hatKommentar = false;

    Datum StartDatum() const;
    std::optional<Datum> StopDatum() const;
    // (year, month) of the start: the month a call is summed under.
    std::pair<int, int> Monat() const;
};
static_assert(sizeof(JournalSatz) <= 56, "a million calls must stay within 56 MB");

// The calls of one or more logs, in the order of their files and lines.
class JournalDaten {
public:
    const std::vector<JournalSatz>& Saetze() const { return saetze_; }
    std::size_t Anzahl() const { return saetze_.size(); }
    const JournalSatz& operator[](std::size_t i) const { return saetze_[i]; }

    // UTF-8, as read.
    std::string_view Telefon(const JournalSatz& satz) const {
        return std::string_view(texte_).substr(satz.telefon, satz.telefonLaenge);
    }
    std::string_view Kommentar(const JournalSatz& satz) const {
        return std::string_view(texte_).substr(satz.kommentar, satz.kommentarLaenge);
    }

    // False (and nothing added) when the journal cannot hold more: its texts are limited to
    // 4 GiB, far beyond any real log.
    [[nodiscard]] bool Dazu(const Gespraech& gespraech, std::uint16_t datei);
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
    std::optional<std::uint32_t> Text(std::string_view text);

    std::vector<JournalSatz> saetze_;
    std::string texte_;
};

} // namespace tarvis
