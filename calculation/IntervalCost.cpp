#include "calculation/IntervalCost.h"

#include "tariff/TariffBand.h"
#include "tariff/TariffTables.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tarvis {

namespace {

constexpr std::int64_t MsProSekunde = 1000;

// 2^64 divided by each unit length, rounded up: the upper half of its product with any 32-bit
// count is that count divided by the unit length, exactly, and a multiplication is several
// times quicker than a division.
constexpr auto Kehrwerte = [] {
    std::array<std::array<std::uint64_t, ZonenAnzahl + 1>, TarifAnzahl + 1> kehrwerte{};
    for (int band = 1; band <= TarifAnzahl; ++band) {
        for (int zone = 1; zone <= ZonenAnzahl; ++zone) {
            kehrwerte[band][zone] = UINT64_MAX / std::uint64_t(TaktLaenge(band, zone)) + 1;
        }
    }
    return kehrwerte;
}();

std::uint32_t Geteilt(std::uint32_t zahl, std::uint64_t kehrwert) {
    const std::uint64_t oben = (kehrwert >> 32) * zahl;
    const std::uint64_t unten = (kehrwert & UINT32_MAX) * zahl;
    return static_cast<std::uint32_t>((oben + (unten >> 32)) >> 32);
}

// A unit length and its Kehrwert.
struct Takt {
    std::int64_t ms;
    std::uint64_t kehrwert;
};

// Started units needed to cover `ms`: an exact multiple of the unit length is not rounded up.
// Within a day (as every stretch is) the figures fit 32 bits.
std::int64_t AngefangeneEinheiten(std::int64_t ms, Takt takt) {
    if (ms >= 0 && ms <= std::int64_t{UINT32_MAX} - takt.ms) {
        return Geteilt(static_cast<std::uint32_t>(ms + takt.ms - 1), takt.kehrwert);
    }
    return (ms + takt.ms - 1) / takt.ms;
}

// Where one zone stands in the walk: the moment its part of the current stretch begins (the
// stretch's start plus what its last unit ran past the boundary), the milliseconds of the call
// still to charge, and the units charged so far.
struct Zonenstand {
    Moment t{};
    std::int64_t restMs = 0;
    std::int64_t einheiten = 0;
    bool fertig = false;

    bool operator==(const Zonenstand&) const = default;
};

// Charges one stretch, up to `grenze`, in unit lengths of `taktMs`; true when the call ends in
// it.
bool Berechne(Zonenstand& z, Moment grenze, Takt takt) {
    const std::int64_t bisGrenzeMs = (grenze - z.t).count() * MsProSekunde; // > 0
    if (z.restMs <= bisGrenzeMs) {
        z.einheiten += AngefangeneEinheiten(z.restMs, takt);
        return true;
    }
    const std::int64_t n = AngefangeneEinheiten(bisGrenzeMs, takt);
    const std::int64_t bezahltMs = n * takt.ms; // a multiple of 500 ms
    z.einheiten += n;
    if (z.restMs <= bezahltMs) {
        return true; // the call ends inside time already paid
    }
    z.restMs = AufSekundenGerundet(z.restMs - bezahltMs) * MsProSekunde;
    z.t = grenze + std::chrono::seconds{AufSekundenGerundet(bezahltMs - bisGrenzeMs)};
    return false;
}

// The stretches of a call one after the other: the slots of a day in turn, and at midnight the
// next day, whose kind is looked up once. A call across New Year builds the holiday list of
// each year once.
class Strecken {
public:
    Strecken(Moment start, FeiertagKalender& kalender)
        : kalender_(kalender), tagesBeginn_(std::chrono::floor<std::chrono::days>(start)),
          slot_(SlotVonSekunde(SekundeDesTages(start))),
          art_(TagesArtVon(DatumVon(start), kalender)) {}

    int Tarif() const { return TarifImSlot(art_, slot_); }
    // Where the current stretch ends: the next slot's start, or midnight after the last.
    Moment Grenze() const {
        return slot_ + 1 < SlotAnzahl
                   ? tagesBeginn_ + std::chrono::seconds{SlotBeginnSekunde[slot_ + 1]}
                   : tagesBeginn_ + std::chrono::days{1};
    }
    void Weiter() {
        if (++slot_ < SlotAnzahl) {
            return;
        }
        slot_ = 0;
        tagesBeginn_ += std::chrono::days{1};
        art_ = TagesArtVon(DatumVon(tagesBeginn_), kalender_);
    }

private:
    FeiertagKalender& kalender_;
    Moment tagesBeginn_;
    int slot_;
    TagesArt art_;
};

} // namespace

std::int64_t AufSekundenGerundet(std::int64_t millisekunden) {
    const std::int64_t ganze = millisekunden / MsProSekunde;
    const std::int64_t rest = millisekunden % MsProSekunde; // [0, 999]
    if (rest > MsProSekunde / 2 || (rest == MsProSekunde / 2 && ganze % 2 != 0)) {
        return ganze + 1;
    }
    return ganze;
}

Moment NaechsteTarifGrenze(Moment zeitpunkt) {
    const int sekunde = SekundeDesTages(zeitpunkt);
    const auto tagesBeginn = std::chrono::floor<std::chrono::days>(zeitpunkt);
    for (int beginn : SlotBeginnSekunde) {
        if (beginn > sekunde) {
            return tagesBeginn + std::chrono::seconds{beginn};
        }
    }
    // After 21:00 the next change is midnight, where the kind of day can change.
    return tagesBeginn + std::chrono::days{1};
}

// The stretches are walked once, and every zone is charged for each stretch before the walk
// moves on. A zone's part of a stretch may begin a little after the stretch (by what its last
// unit ran past the boundary, less than one unit and so less than 4 minutes); boundaries are at
// least two hours apart, so that part lies in the same slot of the same day and has the
// stretch's band, and its next boundary is the stretch's end.
IntervallKosten BerechneIntervall(Moment start, std::int64_t dauerSekunden,
                                  FeiertagKalender& kalender) {
    const std::int64_t dauer = std::max<std::int64_t>(dauerSekunden, 0);
    IntervallKosten ergebnis;
    ergebnis.stop = start + std::chrono::seconds{dauer};

    ZonenArray<Zonenstand> stand(Zonenstand{start, dauer * MsProSekunde, 0, dauer == 0});
    int offen = dauer == 0 ? 0 : ZonenAnzahl;
    Strecken strecken(start, kalender);
    // Every stretch takes at least one unit (12 s or more) off the rest of each open zone, so
    // the walk ends for any length of call.
    while (offen > 0) {
        const Moment grenze = strecken.Grenze();
        const int band = strecken.Tarif();
        for (int zone : AlleZonen) {
            Zonenstand& z = stand[zone];
            if (!z.fertig && Berechne(z, grenze, {TaktLaenge(band, zone), Kehrwerte[band][zone]})) {
                z.fertig = true;
                --offen;
            }
        }
        strecken.Weiter();
    }
    for (int zone : AlleZonen) {
        ergebnis.einheiten[zone] = stand[zone].einheiten;
    }
    return ergebnis;
}

} // namespace tarvis
