#include "journal/JournalSums.h"

#include "journal/JournalColumns.h"
#include "journal/KeyOrder.h"
#include "platform/QtText.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace tarvis {

LogSummen SummenVon(const JournalDaten& daten, const std::vector<std::uint32_t>& zeilen) {
    LogSummen summen;
    for (const std::uint32_t i : zeilen) {
        const JournalSatz& satz = daten[i];
        summen.Dazu(satz.Monat(), satz.zone, satz.einheiten, satz.kostenPfennig);
    }
    return summen;
}

std::optional<std::vector<SummenZeile>> SummenZeilen(const LogSummen& summen) {
    const std::optional<LogSumme> gesamt = summen.Gesamt();
    if (summen.ZuGross() || !gesamt) {
        return std::nullopt;
    }
    std::vector<SummenZeile> zeilen;
    for (const auto& [monat, zonen] : summen.Monate()) {
        for (int zone : AlleZonen) {
            if (zonen[zone].gespraeche > 0) {
                zeilen.push_back({monat, zone, zonen[zone]});
            }
        }
    }
    zeilen.push_back({std::nullopt, 0, *gesamt});
    return zeilen;
}

std::string Ziffern(std::string_view nummer) {
    std::string ziffern;
    for (const char c : nummer) {
        if (c >= '0' && c <= '9') {
            ziffern += c;
        }
    }
    return ziffern;
}

namespace {

// A hash of a number's digits: numbers written differently but of the same digits hash alike.
std::uint64_t ZiffernHash(std::string_view nummer) {
    std::uint64_t hash = 14695981039346656037u;
    for (const char c : nummer) {
        if (c >= '0' && c <= '9') {
            hash = (hash ^ std::uint64_t(c)) * 1099511628211u;
        }
    }
    // FNV's low bits follow only the digits' low bits: mixed, every bit of the slot counts.
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdu;
    hash ^= hash >> 33;
    return hash;
}

// The place of each number in the sums, found by the hash of its digits: an open table of
// 32-bit places with the hash's upper half beside each, 8 bytes a slot, at most half full. It is
// made big enough for every call at once, since growing it would look up every number's text
// again: on a million calls 16 MB for a moment. The numbers' texts stay in the calls' pool.
class NummernTafel {
public:
    NummernTafel(const JournalDaten& daten, std::size_t hoechstens)
        : daten_(daten), slots_(std::bit_ceil(std::max<std::size_t>(hoechstens * 2, 16)), 0),
          maske_(slots_.size() - 1) {}

    // The place of the number of call `satz`; a number not seen before gets the next place.
    std::uint32_t Stelle(std::uint32_t satz) {
        const std::string_view nummer = daten_.Telefon(daten_[satz]);
        const std::uint64_t hash = ZiffernHash(nummer);
        const auto oben = std::uint32_t(hash >> 32);
        for (std::size_t i = hash & maske_;; i = (i + 1) & maske_) {
            const std::uint64_t slot = slots_[i];
            if (slot == 0) {
                const auto neu = std::uint32_t(erste_.size());
                slots_[i] = std::uint64_t{oben} << 32 | (neu + 1u);
                erste_.push_back(satz);
                return neu;
            }
            const auto stelle = std::uint32_t(slot) - 1;
            if (std::uint32_t(slot >> 32) == oben &&
                VergleicheZiffern(daten_.Telefon(daten_[erste_[stelle]]), nummer) == 0) {
                return stelle;
            }
        }
    }
    // The first call of each number, by its place; the table is done with then.
    std::vector<std::uint32_t> Erste() && { return std::move(erste_); }

private:
    const JournalDaten& daten_;
    std::vector<std::uint64_t> slots_;
    std::size_t maske_;
    std::vector<std::uint32_t> erste_;
};

// The numbers in the order of their digits: by the first 16 as an integer (a radix sort), by
// the rest only where those are equal, which numbers of more than 16 digits are at most. No two
// numbers of the sums have the same digits.
std::vector<std::uint32_t> NachZiffern(const TelefonSummen& summen) {
    std::vector<std::uint64_t> vorn(summen.nummern.size());
    for (std::size_t i = 0; i < vorn.size(); ++i) {
        vorn[i] = ZiffernSchluesselVon(summen.Nummer(i)).vorn;
    }
    std::vector<std::uint32_t> folge(vorn.size());
    std::iota(folge.begin(), folge.end(), 0u);
    OrdneStabil(folge, [&](std::uint32_t i) { return std::uint32_t(vorn[i]); });
    OrdneStabil(folge, [&](std::uint32_t i) { return std::uint32_t(vorn[i] >> 32); });
    for (std::size_t anfang = 0; anfang < folge.size();) {
        std::size_t ende = anfang + 1;
        while (ende < folge.size() && vorn[folge[ende]] == vorn[folge[anfang]]) {
            ++ende;
        }
        if (ende - anfang > 1) {
            std::sort(folge.begin() + std::ptrdiff_t(anfang), folge.begin() + std::ptrdiff_t(ende),
                      [&](std::uint32_t a, std::uint32_t b) {
                          return VergleicheZiffern(summen.Nummer(a), summen.Nummer(b)) < 0;
                      });
        }
        anfang = ende;
    }
    return folge;
}

void Ordne(TelefonSummen& summen) {
    summen.aufsteigend[0] = NachZiffern(summen);
    for (std::size_t spalte = 1; spalte < TelefonSummen::SpaltenAnzahl; ++spalte) {
        std::vector<std::uint32_t> folge(summen.nummern.size());
        std::iota(folge.begin(), folge.end(), 0u);
        OrdneStabilNachWert(
            folge, [&](std::uint32_t i) { return summen.Wert(i, spalte); }, false);
        summen.aufsteigend[spalte] = std::move(folge);
    }
}

} // namespace

std::int64_t TelefonSummen::Wert(std::size_t i, std::size_t spalte) const {
    const LogSumme& summe = nummern[i].summe;
    switch (spalte) {
    case 1:
        return summe.gespraeche;
    case 2:
        return summe.einheiten;
    default:
        return summe.kostenPfennig;
    }
}

std::optional<TelefonSummen> SummenJeTelefon(std::shared_ptr<const JournalDaten> daten,
                                             const std::vector<std::uint32_t>& zeilen) {
    TelefonSummen summen;
    summen.daten = std::move(daten);
    const JournalDaten& saetze = *summen.daten;
    // First each call's place, then the sums made at once in their final size: a vector grown
    // call by call holds its old copy beside one of twice the size for a moment.
    std::vector<std::uint32_t> stellen(zeilen.size());
    std::vector<std::uint32_t> erste;
    {
        NummernTafel tafel(saetze, zeilen.size());
        for (std::size_t k = 0; k < zeilen.size(); ++k) {
            stellen[k] = tafel.Stelle(zeilen[k]);
        }
        erste = std::move(tafel).Erste();
    } // the table gone before the sums are made
    summen.nummern.resize(erste.size());
    for (std::size_t stelle = 0; stelle < erste.size(); ++stelle) {
        summen.nummern[stelle].satz = erste[stelle];
    }
    erste = {};
    for (std::size_t k = 0; k < zeilen.size(); ++k) {
        const Gespraech gespraech = saetze.FuerSumme(saetze[zeilen[k]]);
        if (!summen.nummern[stellen[k]].summe.Dazu(gespraech) || !summen.gesamt.Dazu(gespraech)) {
            return std::nullopt;
        }
    }
    stellen = {};
    Ordne(summen);
    return summen;
}

QString Gruppiert(const QString& zahl, const QLocale& locale) {
    if (locale.numberOptions().testFlag(QLocale::OmitGroupSeparator)) {
        return zahl;
    }
    qsizetype ende = zahl.indexOf(locale.decimalPoint());
    if (ende < 0) {
        ende = zahl.size();
    }
    qsizetype anfang = 0;
    while (anfang < ende && !zahl[anfang].isDigit()) {
        ++anfang;
    }
    QString text = zahl;
    for (qsizetype stelle = ende - 3; stelle > anfang; stelle -= 3) {
        text.insert(stelle, locale.groupSeparator());
    }
    return text;
}

SummenTexte TexteVon(const LogSumme& summe, const QLocale& locale) {
    return {ZahlText(std::to_string(summe.gespraeche), locale),
            ZahlText(std::to_string(summe.einheiten), locale),
            ZahlText(BetragText(summe.kostenPfennig, FesterTrenner), locale)};
}

SummenTexte GruppierteTexteVon(const LogSumme& summe, const QLocale& locale) {
    const SummenTexte texte = TexteVon(summe, locale);
    return {Gruppiert(texte.gespraeche, locale), Gruppiert(texte.einheiten, locale),
            Gruppiert(texte.gebuehren, locale)};
}

} // namespace tarvis
