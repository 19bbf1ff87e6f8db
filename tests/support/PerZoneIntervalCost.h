#pragma once

// The interval computation as the program did it before it walked the stretches once for all
// four zones: one walk per zone, each asking the band of every stretch anew. It stays here to
// show that the single walk gives the same units and to measure what it saves.
#include "calculation/IntervalCost.h"
#include "tariff/TariffBand.h"
#include "tariff/TariffTables.h"

#include <algorithm>

namespace tarvis::test {

inline std::int64_t EinheitenDerZoneEinzeln(Moment start, std::int64_t dauerSekunden, int zone,
                                            FeiertagKalender& kalender) {
    const auto angefangen = [](std::int64_t ms, std::int64_t taktMs) {
        return (ms + taktMs - 1) / taktMs;
    };
    Moment t = start;
    std::int64_t restSekunden = std::max<std::int64_t>(dauerSekunden, 0);
    std::int64_t einheiten = 0;
    while (restSekunden > 0) {
        const Moment grenze = NaechsteTarifGrenze(t);
        const std::int64_t taktMs = TaktLaenge(TarifNr(t, kalender), zone);
        const std::int64_t bisGrenzeMs = (grenze - t).count() * 1000;
        const std::int64_t restMs = restSekunden * 1000;
        if (restMs <= bisGrenzeMs) {
            return einheiten + angefangen(restMs, taktMs);
        }
        const std::int64_t n = angefangen(bisGrenzeMs, taktMs);
        const std::int64_t bezahltMs = n * taktMs;
        einheiten += n;
        if (restMs <= bezahltMs) {
            return einheiten;
        }
        restSekunden = AufSekundenGerundet(restMs - bezahltMs);
        t = grenze + std::chrono::seconds{AufSekundenGerundet(bezahltMs - bisGrenzeMs)};
    }
    return einheiten;
}

inline ZonenArray<std::int64_t> EinheitenEinzeln(Moment start, std::int64_t dauerSekunden,
                                                 FeiertagKalender& kalender) {
    ZonenArray<std::int64_t> einheiten;
    for (int zone : AlleZonen) {
        einheiten[zone] = EinheitenDerZoneEinzeln(start, dauerSekunden, zone, kalender);
    }
    return einheiten;
}

} // namespace tarvis::test
