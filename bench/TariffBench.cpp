// Speed of the work the program does most often: the band of a moment (every tick, every
// stretch of a calculation), the whole interval computation, and one tick of the live counter.
#include "calculation/IntervalCost.h"
#include "monitor/LiveCounter.h"
#include "tariff/TariffBand.h"

#include <benchmark/benchmark.h>

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

// The longest call the calculation window takes, crossing every boundary of two days.
void IntervallSchlimmsterFall(benchmark::State& state) {
    FeiertagKalender kalender;
    const Moment start = MomentAus(year{1996} / 12 / 6, 23, 0, 0); // Friday 23:00
    for (auto _ : state) {
        benchmark::DoNotOptimize(BerechneIntervall(start, 86'399, kalender));
    }
}
BENCHMARK(IntervallSchlimmsterFall);

// One 100-ms tick of a running call in all four zones.
void LiveCounterTick(benchmark::State& state) {
    FeiertagKalender kalender;
    LiveCounter zaehler(kalender);
    zaehler.VarInit(Montag);
    zaehler.TagVermerken(DatumVon(Montag));
    zaehler.Start(Montag, 0);
    std::int64_t ms = 0;
    for (auto _ : state) {
        ms += 100;
        benchmark::DoNotOptimize(zaehler.Tick(Montag + seconds{ms / 1000}, ms));
    }
}
BENCHMARK(LiveCounterTick);

} // namespace

BENCHMARK_MAIN();
