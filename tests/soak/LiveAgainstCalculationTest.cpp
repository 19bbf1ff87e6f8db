// The live counter and the after-the-fact calculation price the same call by two rules. Where
// every unit length is a whole number of seconds they must agree to the unit; where a zone has
// half-second units the calculation rounds the carry over each boundary to a whole second, so
// the two may drift apart by at most one unit.
#include "calculation/IntervalCost.h"
#include "monitor/CallCounter.h"
#include "tariff/Format.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;
using namespace std::chrono;

namespace {

// Units of a call of `dauer` seconds timed live, with a tick exactly every 100 ms and STOP right
// after the tick at the call's last millisecond.
ZonenArray<std::int64_t> LiveGezaehlt(Moment start, std::int64_t dauer) {
    FeiertagKalender kalender;
    GespraechsZaehler zaehler(kalender);
    zaehler.VarInit(start);
    zaehler.TagVermerken(DatumVon(start));
    zaehler.Start(start, 0);
    for (std::int64_t ms = 100; ms <= dauer * 1000; ms += 100) {
        if (zaehler.Tick(start + seconds{ms / 1000}, ms).neuerTag) {
            zaehler.TagVermerken(DatumVon(start + seconds{ms / 1000}));
        }
    }
    zaehler.Stop(start + seconds{dauer}, dauer * 1000);
    return {zaehler.Einheiten(1), zaehler.Einheiten(2), zaehler.Einheiten(3), zaehler.Einheiten(4)};
}

struct Anruf {
    Moment start;
    std::int64_t dauer;
};

std::vector<Anruf> Anrufe() {
    std::vector<Anruf> anrufe{
        {MomentAus(year{1996} / 12 / 6, 23, 0, 0), 86'399},    // Friday night into the weekend
        {MomentAus(year{1996} / 12 / 23, 20, 59, 0), 30'000},  // into Christmas Eve
        {MomentAus(year{1997} / 12 / 26, 17, 59, 30), 60'000}, // into the year-end days
        {MomentAus(year{1996} / 12 / 2, 17, 59, 0), 300},
        {MomentAus(year{1996} / 12 / 2, 10, 0, 0), 90},
        {MomentAus(year{1996} / 12 / 2, 10, 0, 0), 91},
    };
    std::uint32_t zufall = 4711;
    const auto naechste = [&zufall](std::uint32_t bis) {
        zufall = zufall * 1'664'525u + 1'013'904'223u;
        return (zufall >> 8) % bis;
    };
    for (int i = 0; i < 40; ++i) {
        const Moment start =
            MomentAus(year{1996} / 12 / 1) + days{naechste(400)} + seconds{naechste(86'400)};
        anrufe.push_back({start, 1 + std::int64_t(naechste(86'399))});
    }
    return anrufe;
}

} // namespace

TEST(LiveAgainstCalculation, WholeSecondUnitsAgreeHalfSecondUnitsWithinOne) {
    int abweichungen = 0;
    for (const Anruf& anruf : Anrufe()) {
        SCOPED_TRACE(std::to_string(anruf.start.time_since_epoch().count()) + " + " +
                     std::to_string(anruf.dauer) + " s");
        FeiertagKalender kalender;
        const IntervallKosten berechnet = BerechneIntervall(anruf.start, anruf.dauer, kalender);
        const ZonenArray<std::int64_t> live = LiveGezaehlt(anruf.start, anruf.dauer);
        // City and Region 50 have whole-second units in every band.
        EXPECT_EQ(live[1], berechnet.einheiten[1]);
        EXPECT_EQ(live[2], berechnet.einheiten[2]);
        for (int zone : {3, 4}) {
            EXPECT_LE(std::abs(live[zone] - berechnet.einheiten[zone]), 1) << "zone " << zone;
            abweichungen += live[zone] != berechnet.einheiten[zone];
        }
    }
    RecordProperty("half_second_disagreements", abweichungen);
}

TEST(LiveAgainstCalculation, AZeroLengthCallDiffersByTheUnitChargedAtStart) {
    const Moment start = MomentAus(year{1996} / 12 / 2, 10, 0, 0);
    FeiertagKalender kalender;
    EXPECT_EQ(BerechneIntervall(start, 0, kalender).einheiten, ZonenArray<std::int64_t>(0));
    EXPECT_EQ(LiveGezaehlt(start, 0), ZonenArray<std::int64_t>(1));
}

TEST(LiveAgainstCalculation, HalfSecondCarryRoundedToEvenCanCostTheCalculationAUnit) {
    // Region 200 from 08:59:00 on a Monday: three 22.5-s units reach 67.5 s, 7.5 s past 09:00.
    // Of the 94-s call, 26.5 s remain; the calculation rounds that to 26 (ties to even), which
    // two 13-s units cover, while live the third 13-s unit begins at 93.5 s, before the end.
    const Moment start = MomentAus(year{1996} / 12 / 2, 8, 59, 0);
    FeiertagKalender kalender;
    EXPECT_EQ(BerechneIntervall(start, 94, kalender).einheiten[3], 5);
    EXPECT_EQ(LiveGezaehlt(start, 94)[3], 6);
    // One second less, and the two agree again.
    EXPECT_EQ(BerechneIntervall(start, 93, kalender).einheiten[3], LiveGezaehlt(start, 93)[3]);
}

// A program frozen during a call (SIGSTOP, a sleeping machine) across a band change, and how it
// goes on when it runs again: STOP at once, one tick and then STOP, or ticking on for a minute.
// However it goes on, the backlog is charged unit by unit in the band of the moment each began,
// so every zone costs what the calculation gives for the same start and duration.
enum class NachDemFrost { SofortStop, EinTickDannStop, WeiterTicken };

class FrozenCall : public ::testing::TestWithParam<NachDemFrost> {};

TEST_P(FrozenCall, AcrossEveryBandBoundaryOfADayCostsWhatTheCalculationSays) {
    const std::vector<Datum> tage{
        year{1996} / 12 / 2,  // Monday, working day
        year{1996} / 12 / 7,  // Saturday
        year{1996} / 12 / 25, // Christmas Day, a holiday
        year{1997} / 12 / 29, // Monday between the years
    };
    for (Datum tag : tage) {
        for (int stunde : {0, 2, 5, 9, 12, 18, 21}) { // every time of day a band can change
            for (int vorher : {37, 60}) {             // seconds from START to the boundary
                for (int frost : {150, 400}) {        // seconds without a tick, from 20 s on
                    const Moment start = MomentAus(tag, stunde) - seconds{vorher};
                    SCOPED_TRACE(DatumText(tag) + " " + UhrzeitText(start) + ", frozen " +
                                 std::to_string(frost) + " s");
                    FeiertagKalender kalender;
                    GespraechsZaehler zaehler(kalender);
                    zaehler.VarInit(start);
                    zaehler.TagVermerken(DatumVon(start));
                    zaehler.Start(start, 0);
                    const auto tick = [&](std::int64_t ms) {
                        zaehler.Tick(start + seconds{ms / 1000}, ms);
                    };
                    for (std::int64_t ms = 100; ms <= 20'000; ms += 100) {
                        tick(ms);
                    }
                    std::int64_t ende = (20 + frost) * 1000;
                    switch (GetParam()) {
                    case NachDemFrost::SofortStop:
                        zaehler.Stop(start + seconds{ende / 1000}, ende);
                        break;
                    case NachDemFrost::EinTickDannStop:
                        tick(ende);
                        zaehler.Stop(start + seconds{ende / 1000}, ende + 50);
                        break;
                    case NachDemFrost::WeiterTicken:
                        for (std::int64_t ms = ende; ms <= ende + 60'000; ms += 100) {
                            tick(ms);
                        }
                        ende += 60'000;
                        zaehler.Stop(start + seconds{ende / 1000}, ende);
                        break;
                    }
                    EXPECT_EQ(zaehler.Verstrichen(), ende);
                    const ZonenArray<std::int64_t> live{zaehler.Einheiten(1), zaehler.Einheiten(2),
                                                        zaehler.Einheiten(3), zaehler.Einheiten(4)};
                    EXPECT_EQ(live, BerechneIntervall(start, ende / 1000, kalender).einheiten);
                }
            }
        }
    }
}

std::string WegName(const ::testing::TestParamInfo<NachDemFrost>& info) {
    const char* namen[] = {"StopAtOnce", "OneTickThenStop", "TicksOn"};
    return namen[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Weiter, FrozenCall,
                         ::testing::Values(NachDemFrost::SofortStop, NachDemFrost::EinTickDannStop,
                                           NachDemFrost::WeiterTicken),
                         WegName);
