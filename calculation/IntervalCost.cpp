#include "calculation/IntervalCost.h"

#include "tariff/TariffBand.h"
#include "tariff/TariffTables.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tarvis {

namespace {

constexpr std::int64_t MsProSekunde = 1000;

// The walk counts in half seconds from the start of the call: every unit length is a multiple of
// 500 ms (22.5 s, 21.5 s) and the call and its rounded remainders are whole seconds, so every
// figure is a whole number of half seconds, and rounding to whole seconds needs no division.
constexpr std::int64_t MsProHalbe = MsProSekunde / 2;
constexpr std::int64_t HalbeProSekunde = 2;

// A unit length in half seconds, and 2^32 divided by it, rounded up. Below 2^22 the product of
// a count with it, shifted right by 32, is that count divided by the unit length, exactly (the
// rounding adds less than one unit length, 480 at most, per 2^32, and 2^22 times that stays
// below 2^32): one multiplication, several times quicker than a division.
struct Takt {
    std::int64_t halbe;
    std::uint64_t kehrwert;
};

constexpr std::int64_t KehrwertBis = std::int64_t{1} << 22;

constexpr auto Takte = [] {
    std::array<std::array<Takt, ZonenAnzahl + 1>, TarifAnzahl + 1> takte{};
    for (int band = 1; band <= TarifAnzahl; ++band) {
        for (int zone = 1; zone <= ZonenAnzahl; ++zone) {
            const std::int64_t halbe = TaktLaenge(band, zone) / MsProHalbe;
            takte[band][zone] = {halbe, ((std::uint64_t{1} << 32) + halbe - 1) / halbe};
        }
    }
    return takte;
}();

static_assert([] {
    for (int band = 1; band <= TarifAnzahl; ++band) {
        for (int zone = 1; zone <= ZonenAnzahl; ++zone) {
            if (TaktLaenge(band, zone) % MsProHalbe != 0 ||
                TaktLaenge(band, zone) / MsProHalbe > 512) {
                return false;
            }
        }
    }
    return true;
}());

// Started units needed to cover `halbe`: an exact multiple of the unit length is not rounded
// up. Every stretch lies within a day, far below KehrwertBis.
std::int64_t AngefangeneEinheiten(std::int64_t halbe, Takt takt) {
    const std::int64_t aufgerundet = halbe + takt.halbe - 1;
    if (halbe >= 0 && aufgerundet < KehrwertBis) {
        return static_cast<std::int64_t>((std::uint64_t(aufgerundet) * takt.kehrwert) >> 32);
    }
    return aufgerundet / takt.halbe;
}

// Half seconds (not below zero) rounded to whole seconds, an exact half going to the even
// neighbour, again in half seconds: the rule of AufSekundenGerundet.
std::int64_t AufGanzeSekunden(std::int64_t halbe) {
    const std::int64_t sekunden = halbe >> 1;
    return HalbeProSekunde * (sekunden + (halbe & sekunden & 1));
}

// Where one zone stands in the walk: the half second its part of the current stretch begins
// (the stretch's start plus what its last unit ran past the boundary), the half seconds of the
// call still to charge, and the units charged so far.
struct Zonenstand {
    std::int64_t t = 0;
    std::int64_t rest = 0;
    std::int64_t einheiten = 0;
    bool fertig = false;

    bool operator==(const Zonenstand&) const = default;
};

// Charges one stretch, up to `grenze`, in units of `takt`; true when the call ends in it.
bool Berechne(Zonenstand& z, std::int64_t grenze, Takt takt) {
    const std::int64_t bisGrenze = grenze - z.t; // > 0
    if (z.rest <= bisGrenze) {
        z.einheiten += AngefangeneEinheiten(z.rest, takt);
        return true;
    }
    const std::int64_t n = AngefangeneEinheiten(bisGrenze, takt);
    const std::int64_t bezahlt = n * takt.halbe;
    z.einheiten += n;
    if (z.rest <= bezahlt) {
        return true; // the call ends inside time already paid
    }
    z.rest = AufGanzeSekunden(z.rest - bezahlt);
    z.t = grenze + AufGanzeSekunden(bezahlt - bisGrenze);
    return false;
}

// The stretches of a call one after the other, their ends in half seconds from its start: the
// slots of a day in turn, and at midnight the next day, whose kind is looked up once. A call
// across New Year builds the holiday list of each year once.
class Strecken {
public:
    Strecken(Moment start, FeiertagKalender& kalender)
        : kalender_(kalender), start_(start),
          tagesBeginn_((std::chrono::floor<std::chrono::days>(start) - start).count()),
          slot_(SlotVonSekunde(SekundeDesTages(start))),
          art_(TagesArtVon(DatumVon(start), kalender)) {}

    int Tarif() const { return TarifImSlot(art_, slot_); }
    // Where the current stretch ends: the next slot's start, or midnight after the last.
    std::int64_t Grenze() const {
        const std::int64_t sekunde =
            slot_ + 1 < SlotAnzahl ? SlotBeginnSekunde[slot_ + 1] : SekundenProTag;
        return (tagesBeginn_ + sekunde) * HalbeProSekunde;
    }
    void Weiter() {
        if (++slot_ < SlotAnzahl) {
            return;
        }
        slot_ = 0;
        tagesBeginn_ += SekundenProTag;
        art_ = TagesArtVon(DatumVon(start_ + std::chrono::seconds{tagesBeginn_}), kalender_);
    }

private:
    static constexpr std::int64_t SekundenProTag = 86'400;

    FeiertagKalender& kalender_;
    Moment start_;
    std::int64_t tagesBeginn_; // seconds from the start, 0 or less for the first day
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

    ZonenArray<Zonenstand> stand(Zonenstand{0, dauer * HalbeProSekunde, 0, dauer == 0});
    int offen = dauer == 0 ? 0 : ZonenAnzahl;
    Strecken strecken(start, kalender);
    // Every stretch takes at least one unit (12 s or more) off the rest of each open zone, so
    // the walk ends for any length of call.
    while (offen > 0) {
        const std::int64_t grenze = strecken.Grenze();
        const auto& takte = Takte[strecken.Tarif()];
        // The four zones are unrolled: their walks are independent and run side by side.
#pragma GCC unroll 4
        for (int zone : AlleZonen) {
            Zonenstand& z = stand[zone];
            if (!z.fertig && Berechne(z, grenze, takte[zone])) {
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
