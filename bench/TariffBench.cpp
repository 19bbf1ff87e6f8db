// Speed of the work the program does most often: the band of a moment (every tick, every
// stretch of a calculation), the whole interval computation, and one tick of the live counter.
#include "calculation/IntervalCost.h"
#include "monitor/CallCounter.h"
#include "support/PerZoneIntervalCost.h"
#include "tariff/TariffBand.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <utility>
#include <vector>

using namespace tarvis;
using namespace std::chrono;

namespace {

const Moment Montag = MomentAus(year{1996} / 12 / 2, 0, 0, 0);

// The band of moments of one year: the holiday list is built once and then only searched.
void TarifNrJahrImCache(benchmark::State& state) {
    FeiertagKalender kalender;
    Moment m = Montag;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TarifNr(m, kalender));
        m += seconds{7919}; // a prime step walks through every slot and kind of day
        if (m > Montag + days{20}) {
            m = Montag;
        }
    }
}
BENCHMARK(TarifNrJahrImCache);

// Alternating years: every question rebuilds the holiday list (Easter included).
void TarifNrWechselndeJahre(benchmark::State& state) {
    FeiertagKalender kalender;
    const Moment jahre[2] = {MomentAus(year{1996} / 12 / 24, 10),
                             MomentAus(year{1997} / 12 / 24, 10)};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TarifNr(jahre[i ^= 1], kalender));
    }
}
BENCHMARK(TarifNrWechselndeJahre);

// The interval computation as it is (one walk for all zones), and as it was before (a walk per
// zone, each asking every stretch's band anew), measured side by side in the same run.
IntervallKosten Jetzt(Moment start, std::int64_t dauer, FeiertagKalender& kalender) {
    return BerechneIntervall(start, dauer, kalender);
}
ZonenArray<std::int64_t> Vorher(Moment start, std::int64_t dauer, FeiertagKalender& kalender) {
    return test::EinheitenEinzeln(start, dauer, kalender);
}

// The longest call the calculation window takes, crossing every boundary of two days.
template <auto Berechnung> void IntervallSchlimmsterFall(benchmark::State& state) {
    FeiertagKalender kalender;
    const Moment start = MomentAus(year{1996} / 12 / 6, 23, 0, 0); // Friday 23:00
    for (auto _ : state) {
        benchmark::DoNotOptimize(Berechnung(start, 86'399, kalender));
    }
}
BENCHMARK(IntervallSchlimmsterFall<Jetzt>)->Name("IntervallSchlimmsterFall");
BENCHMARK(IntervallSchlimmsterFall<Vorher>)->Name("IntervallSchlimmsterFallVorher");

// A call from New Year's Eve 23:00 for 23:59:59: the holiday lists of two years.
template <auto Berechnung> void IntervallUeberNeujahr(benchmark::State& state) {
    FeiertagKalender kalender;
    const Moment start = MomentAus(year{1996} / 12 / 31, 23, 0, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Berechnung(start, 86'399, kalender));
    }
}
BENCHMARK(IntervallUeberNeujahr<Jetzt>)->Name("IntervallUeberNeujahr");
BENCHMARK(IntervallUeberNeujahr<Vorher>)->Name("IntervallUeberNeujahrVorher");

// 1000 calls of random start (any day of two years) and length (up to 23:59:59), as a user
// pricing a month's calls would ask; the time is per 1000 calls.
std::vector<std::pair<Moment, std::int64_t>> ZufallsAnrufe() {
    std::vector<std::pair<Moment, std::int64_t>> anrufe;
    std::uint32_t zufall = 1996;
    const auto naechste = [&zufall](std::uint32_t bis) {
        zufall = zufall * 1'664'525u + 1'013'904'223u;
        return (zufall >> 8) % bis;
    };
    for (int i = 0; i < 1000; ++i) {
        anrufe.emplace_back(MomentAus(year{1996} / 1 / 1) + days{naechste(730)} +
                                seconds{naechste(86'400)},
                            naechste(86'400));
    }
    return anrufe;
}

template <auto Berechnung> void Intervall1000Zufall(benchmark::State& state) {
    FeiertagKalender kalender;
    const auto anrufe = ZufallsAnrufe();
    for (auto _ : state) {
        for (const auto& [start, dauer] : anrufe) {
            benchmark::DoNotOptimize(Berechnung(start, dauer, kalender));
        }
    }
}
BENCHMARK(Intervall1000Zufall<Jetzt>)->Name("Intervall1000Zufall");
BENCHMARK(Intervall1000Zufall<Vorher>)->Name("Intervall1000ZufallVorher");

// One 100-ms tick of a running call in all four zones.
void GespraechsZaehlerTick(benchmark::State& state) {
    FeiertagKalender kalender;
    GespraechsZaehler zaehler(kalender);
    zaehler.VarInit(Montag);
    zaehler.TagVermerken(DatumVon(Montag));
    zaehler.Start(Montag, 0);
    std::int64_t ms = 0;
    for (auto _ : state) {
        ms += 100;
        benchmark::DoNotOptimize(zaehler.Tick(Montag + seconds{ms / 1000}, ms));
    }
}
BENCHMARK(GespraechsZaehlerTick);

} // namespace

BENCHMARK_MAIN();
