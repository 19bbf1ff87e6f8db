// A 100-hour call driven tick by tick, checked against a count of its unit boundaries that is
// made unit by unit instead of tick by tick.
#include "monitor/CallCounter.h"
#include "tariff/TariffBand.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;
using namespace std::chrono;

namespace {

// Thursday 24.12.1998 20:00 (Christmas Eve): the call runs through three holidays, the
// year-end Sunday 27.12., the year-end working day 28.12. and five midnights.
const Moment Beginn = MomentAus(year{1998} / 12 / 24, 20, 0, 0);
constexpr std::int64_t Stunden = 100;
constexpr std::int64_t DauerMs = Stunden * 3'600'000;
constexpr std::int64_t StauBeginn = 30LL * 3'600'000 + 12'345; // one tick 60 s late
constexpr std::int64_t StauMs = 60'000;

Moment UhrBei(std::int64_t verstrichenMs) {
    return Beginn + seconds{verstrichenMs / 1000};
}

// Ticks every 100 ms, most of them a little late (0..97 ms, the same every run), none during
// the stall.
std::vector<std::int64_t> Ticks() {
    std::vector<std::int64_t> ticks;
    ticks.reserve(std::size_t(DauerMs / 100));
    std::uint32_t zufall = 12345;
    for (std::int64_t soll = 100; soll <= DauerMs; soll += 100) {
        zufall = zufall * 1'103'515'245u + 12'345u;
        const std::int64_t tick = soll + (zufall >> 16) % 98;
        if (tick > StauBeginn && tick < StauBeginn + StauMs) {
            continue;
        }
        ticks.push_back(tick);
    }
    return ticks;
}

// Unit by unit: unit n+1 begins at the first tick that is past the end of unit n and later than
// the tick that began unit n (one unit per tick); its length is the band of that tick's moment.
std::int64_t EinheitenNachGrenzen(const std::vector<std::int64_t>& ticks, int zone,
                                  FeiertagKalender& kalender) {
    std::int64_t einheiten = 1;
    std::int64_t ende = TaktLaenge(TarifNr(Beginn, kalender), zone);
    std::size_t fruehester = 0; // the tick after the one that began the last unit
    for (;;) {
        const auto nachEnde = std::upper_bound(ticks.begin(), ticks.end(), ende);
        const std::size_t tick = std::max(std::size_t(nachEnde - ticks.begin()), fruehester);
        if (tick >= ticks.size()) {
            return einheiten;
        }
        ++einheiten;
        ende += TaktLaenge(TarifNr(UhrBei(ticks[tick]), kalender), zone);
        fruehester = tick + 1;
    }
}

} // namespace

TEST(Soak, HundredHourCallMatchesTheCountOfItsUnitBoundaries) {
    const std::vector<std::int64_t> ticks = Ticks();
    FeiertagKalender kalender;
    GespraechsZaehler zaehler(kalender);
    zaehler.VarInit(Beginn);
    zaehler.TagVermerken(DatumVon(Beginn));
    const std::int64_t zaehlerStart = 3'000'000'000; // well past 2^31 ms of uptime
    zaehler.Start(Beginn, zaehlerStart);

    int tageswechsel = 0;
    for (std::int64_t tick : ticks) {
        const GespraechsZaehler::TickErgebnis ergebnis =
            zaehler.Tick(UhrBei(tick), zaehlerStart + tick);
        if (ergebnis.neuerTag) {
            ++tageswechsel;
            zaehler.TagVermerken(DatumVon(UhrBei(tick)));
        }
        for (int zone : AlleZonen) {
            ASSERT_LE(zaehler.GaugeWert(zone), zaehler.GaugeMax(zone));
        }
    }
    EXPECT_EQ(tageswechsel, 5); // the last ticks fall just after midnight into the 29th
    EXPECT_EQ(zaehler.Verstrichen(), ticks.back());

    FeiertagKalender unabhaengig;
    for (int zone : AlleZonen) {
        SCOPED_TRACE(zone);
        EXPECT_EQ(zaehler.Einheiten(zone), EinheitenNachGrenzen(ticks, zone, unabhaengig));
        // Boundaries follow from each other: the end of the unit in progress lies within one
        // unit after the elapsed time, whatever the ticks' lateness and the stall.
        EXPECT_GE(zaehler.TaktEnde(zone), zaehler.Verstrichen());
        EXPECT_LE(zaehler.TaktEnde(zone) - zaehler.Verstrichen(), 240'000);
    }
    // Between all units at the longest and all at the shortest length.
    EXPECT_GT(zaehler.Einheiten(4), Stunden * 3600 / 240);
    EXPECT_LT(zaehler.Einheiten(4), Stunden * 3600 / 12);
}
