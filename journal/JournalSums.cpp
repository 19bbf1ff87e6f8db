#include "journal/JournalSums.h"

#include "journal/JournalColumns.h"
#include "journal/KeyOrder.h"
#include "platform/QtText.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <span>

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
// 32-bit places with the hash's lower half beside each, 8 bytes a slot, at most three quarters
// full. It grows with the numbers found, not with the calls, and a slot's hash places it in a
// table of twice the size without the number's text being read again: on a million calls of
// 630 000 numbers 8 MB, 12 MB while it grows.
class NummernTafel {
public:
    NummernTafel(const JournalDaten& daten, TelefonSummenListe& summen)
        : daten_(daten), summen_(summen), slots_(1024, 0) {}

    // The place of the number of call `satz`; a number not seen before gets a new sum.
    std::uint32_t Stelle(std::uint32_t satz) {
        const std::string_view nummer = daten_.Telefon(daten_[satz]);
        const auto hash = std::uint32_t(ZiffernHash(nummer));
        const std::size_t maske = slots_.size() - 1;
        for (std::size_t i = hash & maske;; i = (i + 1) & maske) {
            const std::uint64_t slot = slots_[i];
            if (slot == 0) {
                break;
            }
            const auto stelle = std::uint32_t(slot) - 1;
            if (std::uint32_t(slot >> 32) == hash &&
                VergleicheZiffern(daten_.Telefon(daten_[summen_[stelle].satz]), nummer) == 0) {
                return stelle;
            }
        }
        if ((summen_.Anzahl() + 1) * 4 > slots_.size() * 3) {
            Wachse();
        }
        const std::uint32_t neu = summen_.Neu(satz);
        Setze(slots_, std::uint64_t{hash} << 32 | (neu + 1u));
        return neu;
    }

private:
    static void Setze(std::vector<std::uint64_t>& slots, std::uint64_t slot) {
        const std::size_t maske = slots.size() - 1;
        std::size_t i = (slot >> 32) & maske;
        while (slots[i] != 0) {
            i = (i + 1) & maske;
        }
        slots[i] = slot;
    }

    void Wachse() {
        std::vector<std::uint64_t> groesser(slots_.size() * 2, 0);
        for (const std::uint64_t slot : slots_) {
            if (slot != 0) {
                Setze(groesser, slot);
            }
        }
        slots_.swap(groesser);
    }

    const JournalDaten& daten_;
    TelefonSummenListe& summen_;
    std::vector<std::uint64_t> slots_;
};

// Writes the orders into TelefonSummen::ordnungen.
class Ordnungen {
public:
    explicit Ordnungen(TelefonSummen& summen) : summen_(summen), anzahl_(summen.nummern.Anzahl()) {
        summen.ordnungen.assign((TelefonSummen::SpaltenAnzahl * anzahl_ + 1) / 2, 0);
        worte_ = summen.ordnungen;
    }

    void Mache() {
        NachNummer();
        for (std::size_t spalte = 1; spalte < TelefonSummen::SpaltenAnzahl; ++spalte) {
            NachWert(spalte);
        }
    }

private:
    void Setze(std::size_t spalte, std::size_t k, std::uint32_t stelle) {
        const std::size_t i = spalte * anzahl_ + k;
        std::uint64_t& wort = worte_[i / 2];
        const unsigned schiebe = i % 2 * 32;
        wort = (wort & ~(std::uint64_t{0xffffffff} << schiebe)) | std::uint64_t{stelle} << schiebe;
    }

    // No two numbers of the sums have the same digits: the order by digits is the column's.
    // Its entries lie where the orders of columns 2 and 3 come later; the order itself before
    // them.
    void NachNummer() {
        const auto eintraege = worte_.subspan(anzahl_, anzahl_);
        OrdneNachNummern(
            eintraege, [&](std::uint32_t i) { return summen_.Nummer(i); }, false);
        for (std::size_t k = 0; k < anzahl_; ++k) {
            Setze(0, k, std::uint32_t(eintraege[k]));
        }
    }

    // A figure's order, counted when the figures have fewer values than there are numbers (as
    // good as always); else sorted beside and copied in.
    void NachWert(std::size_t spalte) {
        auto wert = [&](std::uint32_t i) { return summen_.Wert(i, spalte); };
        std::int64_t kleinster = std::numeric_limits<std::int64_t>::max();
        std::int64_t groesster = std::numeric_limits<std::int64_t>::min();
        for (std::uint32_t i = 0; i < anzahl_; ++i) {
            kleinster = std::min(kleinster, wert(i));
            groesster = std::max(groesster, wert(i));
        }
        const std::uint64_t spanne = std::uint64_t(groesster) - std::uint64_t(kleinster);
        if (anzahl_ == 0 || spanne >= anzahl_) {
            std::vector<std::uint32_t> folge(anzahl_);
            std::iota(folge.begin(), folge.end(), 0u);
            OrdneStabilNachWert(folge, wert, false);
            for (std::size_t k = 0; k < anzahl_; ++k) {
                Setze(spalte, k, folge[k]);
            }
            return;
        }
        std::vector<std::uint32_t> naechste(spanne + 2, 0);
        for (std::uint32_t i = 0; i < anzahl_; ++i) {
            ++naechste[std::uint64_t(wert(i)) - std::uint64_t(kleinster) + 1];
        }
        for (std::size_t w = 1; w < naechste.size(); ++w) {
            naechste[w] += naechste[w - 1];
        }
        for (std::uint32_t i = 0; i < anzahl_; ++i) {
            Setze(spalte, naechste[std::uint64_t(wert(i)) - std::uint64_t(kleinster)]++, i);
        }
    }

    TelefonSummen& summen_;
    std::size_t anzahl_;
    std::span<std::uint64_t> worte_;
};

} // namespace

bool TelefonSumme::Dazu(std::int64_t einheitenDazu, std::int64_t kostenDazu) {
    std::int64_t neueEinheiten = 0, neueKosten = 0;
    if (gespraeche == std::numeric_limits<std::uint32_t>::max() ||
        __builtin_add_overflow(einheiten, einheitenDazu, &neueEinheiten) ||
        __builtin_add_overflow(kostenPfennig, kostenDazu, &neueKosten)) {
        return false;
    }
    ++gespraeche;
    einheiten = neueEinheiten;
    kostenPfennig = neueKosten;
    return true;
}

std::uint32_t TelefonSummenListe::Neu(std::uint32_t satz) {
    if ((anzahl_ & BlockMaske) == 0) {
        bloecke_.emplace_back().reserve(BlockMaske + 1);
    }
    bloecke_.back().push_back({satz, 0, 0, 0});
    return std::uint32_t(anzahl_++);
}

TelefonSumme TelefonSummenListe::operator[](std::size_t i) const {
    const Klein& klein = Platz(i);
    if (klein.einheiten == Klein::Ganz) {
        return ganze_[std::uint32_t(klein.kostenPfennig)];
    }
    return {klein.satz, klein.gespraeche, klein.einheiten, klein.kostenPfennig};
}

bool TelefonSummenListe::Dazu(std::size_t i, std::int64_t einheiten, std::int64_t kostenPfennig) {
    TelefonSumme summe = (*this)[i];
    if (!summe.Dazu(einheiten, kostenPfennig)) {
        return false;
    }
    Klein& klein = Platz(i);
    auto passt = [](std::int64_t wert) { return wert > INT32_MIN && wert <= INT32_MAX; };
    if (klein.einheiten == Klein::Ganz) {
        ganze_[std::uint32_t(klein.kostenPfennig)] = summe;
    } else if (passt(summe.einheiten) && passt(summe.kostenPfennig)) {
        klein = {summe.satz, summe.gespraeche, std::int32_t(summe.einheiten),
                 std::int32_t(summe.kostenPfennig)};
    } else {
        klein.einheiten = Klein::Ganz;
        klein.kostenPfennig = std::int32_t(ganze_.size());
        ganze_.push_back(summe);
    }
    return true;
}

std::int64_t TelefonSummen::Wert(std::size_t i, std::size_t spalte) const {
    const TelefonSumme summe = nummern[i];
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
    {
        NummernTafel tafel(saetze, summen.nummern);
        for (const std::uint32_t zeile : zeilen) {
            const Gespraech gespraech = saetze.FuerSumme(saetze[zeile]);
            if (!summen.nummern.Dazu(tafel.Stelle(zeile), gespraech.einheiten,
                                     gespraech.kostenPfennig) ||
                !summen.gesamt.Dazu(gespraech)) {
                return std::nullopt;
            }
        }
    } // the table gone before the orders are made
    Ordnungen(summen).Mache();
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
