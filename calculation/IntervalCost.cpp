#include "calculation/IntervalCost.h"

#include "tariff/TariffBand.h"
#include "tariff/TariffTables.h"

#include <algorithm>

namespace tarvis {

namespace {

constexpr std::int64_t MsProSekunde = 1000;

// Started units needed to cover `ms`: an exact multiple of the unit length is not rounded up.
std::int64_t AngefangeneEinheiten(std::int64_t ms, std::int64_t taktMs) {
    return (ms + taktMs - 1) / taktMs;
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
bool Berechne(Zonenstand& z, Moment grenze, std::int64_t taktMs) {
    const std::int64_t bisGrenzeMs = (grenze - z.t).count() * MsProSekunde; // > 0
    if (z.restMs <= bisGrenzeMs) {
        z.einheiten += AngefangeneEinheiten(z.restMs, taktMs);
        return true;
    }
    const std::int64_t n = AngefangeneEinheiten(bisGrenzeMs, taktMs);
    const std::int64_t bezahltMs = n * taktMs; // a multiple of 500 ms
    z.einheiten += n;
    if (z.restMs <= bezahltMs) {
        return true; // the call ends inside time already paid
    }
    z.restMs = AufSekundenGerundet(z.restMs - bezahltMs) * MsProSekunde;
    z.t = grenze + std::chrono::seconds{AufSekundenGerundet(bezahltMs - bisGrenzeMs)};
    return false;
}

// The band of each stretch; the kind of day is looked up once per date, so a call across New
// Year builds the holiday list of each year once.
class BandFolge {
public:
    explicit BandFolge(FeiertagKalender& kalender) : kalender_(kalender) {}

    int BandAb(Moment beginn) {
        const Datum datum = DatumVon(beginn);
        if (datum != tag_) {
            tag_ = datum;
            art_ = TagesArtVon(datum, kalender_);
        }
        return BandImSlot(art_, SlotVonSekunde(SekundeDesTages(beginn)));
    }

private:
    FeiertagKalender& kalender_;
    Datum tag_{}; // no day at first: year 0, month 0
    TagesArt art_ = TagesArt::Werktag;
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
    BandFolge baender(kalender);
    // Every stretch takes at least one unit (12 s or more) off the rest of each open zone, so
    // the walk ends for any length of call.
    for (Moment beginn = start; offen > 0;) {
        const Moment grenze = NaechsteTarifGrenze(beginn);
        const int band = baender.BandAb(beginn);
        for (int zone : AlleZonen) {
            Zonenstand& z = stand[zone];
            if (!z.fertig && Berechne(z, grenze, TaktLaenge(band, zone))) {
                z.fertig = true;
                --offen;
            }
        }
        beginn = grenze;
    }
    for (int zone : AlleZonen) {
        ergebnis.einheiten[zone] = stand[zone].einheiten;
    }
    return ergebnis;
}

} // namespace tarvis
