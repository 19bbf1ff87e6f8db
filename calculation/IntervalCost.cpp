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

std::int64_t EinheitenDerZone(Moment start, std::int64_t dauerSekunden, int zone,
                              FeiertagKalender& kalender) {
    Moment t = start;
    std::int64_t restSekunden = std::max<std::int64_t>(dauerSekunden, 0);
    std::int64_t einheiten = 0;

    // Every pass either ends the call or moves past a boundary and takes at least one unit
    // (12 s or more) off the rest, so the walk ends for any length of call.
    while (restSekunden > 0) {
        const Moment grenze = NaechsteTarifGrenze(t);
        const std::int64_t taktMs = TaktLaenge(TarifNr(t, kalender), zone);
        const std::int64_t bisGrenzeMs = (grenze - t).count() * MsProSekunde; // > 0
        const std::int64_t restMs = restSekunden * MsProSekunde;

        if (restMs <= bisGrenzeMs) {
            return einheiten + AngefangeneEinheiten(restMs, taktMs);
        }
        const std::int64_t n = AngefangeneEinheiten(bisGrenzeMs, taktMs);
        const std::int64_t bezahltMs = n * taktMs; // a multiple of 500 ms
        einheiten += n;
        if (restMs <= bezahltMs) {
            return einheiten; // the call ends inside time already paid
        }
        restSekunden = AufSekundenGerundet(restMs - bezahltMs);
        t = grenze + std::chrono::seconds{AufSekundenGerundet(bezahltMs - bisGrenzeMs)};
    }
    return einheiten;
}

IntervallKosten BerechneIntervall(Moment start, std::int64_t dauerSekunden,
                                  FeiertagKalender& kalender) {
    const std::int64_t dauer = std::max<std::int64_t>(dauerSekunden, 0);
    IntervallKosten ergebnis;
    ergebnis.stop = start + std::chrono::seconds{dauer};
    for (int zone : AlleZonen) {
        ergebnis.einheiten[zone] = EinheitenDerZone(start, dauer, zone, kalender);
    }
    return ergebnis;
}

} // namespace tarvis
