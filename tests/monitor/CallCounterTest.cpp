#include "monitor/CallCounter.h"

#include "tariff/TariffBand.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;
using namespace std::chrono;

namespace {

Moment Am(int j, unsigned m, unsigned d, int h, int min = 0, int s = 0) {
    return MomentAus(year{j} / month{m} / day{d}, h, min, s);
}

// A counter whose clocks move together: the calendar clock shows the whole seconds that the
// millisecond counter has run since `start`.
class Anruf {
public:
    explicit Anruf(Moment start, std::int64_t zaehlerStart = 1'000)
        : start_(start), zaehlerStart_(zaehlerStart), zaehler(kalender) {
        zaehler.VarInit(start);
        zaehler.TagVermerken(DatumVon(start));
    }

    void Start() { zaehler.Start(start_, zaehlerStart_); }
    GespraechsZaehler::TickErgebnis TickBei(std::int64_t verstrichenMs) {
        return zaehler.Tick(Jetzt(verstrichenMs), zaehlerStart_ + verstrichenMs);
    }
    void StopBei(std::int64_t verstrichenMs) {
        zaehler.Stop(Jetzt(verstrichenMs), zaehlerStart_ + verstrichenMs);
    }
    Moment Jetzt(std::int64_t verstrichenMs) const {
        return start_ + seconds{verstrichenMs / 1000};
    }

private:
    Moment start_;
    std::int64_t zaehlerStart_;

public:
    FeiertagKalender kalender;
    GespraechsZaehler zaehler;
};

const ZonenArray<std::int64_t> Alle(std::int64_t n) {
    return ZonenArray<std::int64_t>(n);
}

ZonenArray<std::int64_t> Einheiten(const GespraechsZaehler& z) {
    return {z.Einheiten(1), z.Einheiten(2), z.Einheiten(3), z.Einheiten(4)};
}

} // namespace

TEST(GespraechsZaehler, StartChargesOneUnitInEveryZoneAndStopFreezes) {
    Anruf anruf(Am(1996, 12, 2, 10)); // Monday, band 3
    anruf.Start();
    EXPECT_TRUE(anruf.zaehler.GespraechLaeuft());
    EXPECT_EQ(Einheiten(anruf.zaehler), Alle(1));
    anruf.TickBei(50);
    anruf.StopBei(60);
    EXPECT_FALSE(anruf.zaehler.GespraechLaeuft());
    EXPECT_EQ(Einheiten(anruf.zaehler), Alle(1));
    EXPECT_EQ(anruf.zaehler.Verstrichen(), 50); // as the last tick showed
    anruf.TickBei(50'000);                      // and frozen after STOP
    EXPECT_EQ(Einheiten(anruf.zaehler), Alle(1));
    EXPECT_EQ(anruf.zaehler.Verstrichen(), 50);
    EXPECT_EQ(anruf.zaehler.StartDatum(), year{1996} / 12 / 2);
    EXPECT_EQ(anruf.zaehler.StopDatum(), year{1996} / 12 / 2);
}

TEST(GespraechsZaehler, AUnitIsCountedAtTheFirstTickStrictlyPastItsEnd) {
    Anruf anruf(Am(1996, 12, 2, 10)); // City 90 s, Fern 12 s
    anruf.Start();
    anruf.TickBei(90'000);
    EXPECT_EQ(anruf.zaehler.Einheiten(1), 1);
    EXPECT_EQ(anruf.zaehler.GaugeWert(1), anruf.zaehler.GaugeMax(1));
    anruf.TickBei(90'050);
    EXPECT_EQ(anruf.zaehler.Einheiten(1), 2);
    EXPECT_EQ(anruf.zaehler.GaugeMax(1), 9000);
    EXPECT_EQ(anruf.zaehler.GaugeWert(1), 5);
    EXPECT_EQ(anruf.zaehler.TaktBeginn(1), 90'000);
    EXPECT_EQ(anruf.zaehler.TaktEnde(1), 180'000);
}

TEST(GespraechsZaehler, NextUnitTakesTheBandOfTheTickThatStartsIt) {
    Anruf anruf(Am(1996, 12, 2, 17, 59, 30)); // band 4 until 18:00, then band 5
    anruf.Start();
    for (std::int64_t ms = 100; ms <= 90'100; ms += 100) {
        anruf.TickBei(ms);
    }
    EXPECT_EQ(anruf.zaehler.Einheiten(1), 2);
    EXPECT_EQ(anruf.zaehler.ZonenTarif()[1], 5);
    EXPECT_EQ(anruf.zaehler.TaktEnde(1), 90'000 + 150'000);
    EXPECT_EQ(anruf.zaehler.GaugeMax(1), 15'000);
}

TEST(GespraechsZaehler, ZonesRunInDifferentBandsUntilTheirNextUnit) {
    Anruf anruf(Am(1996, 12, 2, 17, 59)); // City unit runs to 18:00:30, Fern's 13.5 s units
    anruf.Start();
    for (std::int64_t ms = 100; ms <= 70'000; ms += 100) {
        anruf.TickBei(ms);
    }
    EXPECT_EQ(anruf.zaehler.ZonenTarif()[1], 4);
    EXPECT_EQ(anruf.zaehler.ZonenTarif()[4], 5);
    EXPECT_EQ(anruf.zaehler.LetzterTarif(), 5);
    // Fern: five 13.5 s units of band 4 (to 67.5 s), the sixth is the first of band 5.
    EXPECT_EQ(anruf.zaehler.Einheiten(4), 6);
    EXPECT_EQ(anruf.zaehler.TaktEnde(4), 67'500 + 21'500);
}

TEST(GespraechsZaehler, MidnightFromFridayToSaturdayTakesTheWeekendBand) {
    Anruf anruf(Am(1996, 12, 6, 23, 59, 50)); // Friday: band 6
    anruf.Start();
    bool neuerTag = false;
    for (std::int64_t ms = 100; ms <= 31'000; ms += 100) {
        neuerTag = anruf.TickBei(ms).neuerTag || neuerTag;
    }
    EXPECT_TRUE(neuerTag);
    // Fern's second unit begins at 00:00:20 on Saturday, in the weekend's night band.
    EXPECT_EQ(anruf.zaehler.ZonenTarif()[4], 8);
    EXPECT_EQ(anruf.zaehler.Einheiten(4), 2);
    EXPECT_EQ(anruf.zaehler.LetzterTarif(), 8);
}

TEST(GespraechsZaehler, MidnightGivesTheNewDaysBandAndRunsTheDayHandling) {
    // Monday 23.12.1996 23:59:50 into Christmas Eve, a holiday: Fern goes from 30 s to 36 s units.
    Anruf anruf(Am(1996, 12, 23, 23, 59, 50));
    anruf.Start();
    bool neuerTag = false;
    for (std::int64_t ms = 100; ms <= 31'000; ms += 100) {
        neuerTag = anruf.TickBei(ms).neuerTag || neuerTag;
        if (neuerTag) {
            anruf.zaehler.TagVermerken(DatumVon(anruf.Jetzt(ms)));
        }
    }
    EXPECT_TRUE(neuerTag);
    EXPECT_EQ(anruf.zaehler.LetzterTag(), year{1996} / 12 / 24);
    EXPECT_EQ(anruf.zaehler.ZonenTarif()[4], 10);
    EXPECT_EQ(anruf.zaehler.TaktEnde(4), 30'000 + 36'000);
}

// The event loop was blocked for a minute: the first tick after it charges every unit begun
// meanwhile, and the boundaries stay where the unit lengths put them.
TEST(GespraechsZaehler, TheFirstTickAfterAStallChargesTheWholeBacklog) {
    Anruf anruf(Am(1996, 12, 2, 10)); // Fern 12 s: units begun at 0, 12, 24, 36 and 48 s
    anruf.Start();
    EXPECT_TRUE(anruf.TickBei(60'000).neuAnzeige);
    EXPECT_EQ(anruf.zaehler.Einheiten(4), 5);
    EXPECT_EQ(anruf.zaehler.TaktBeginn(4), 48'000);
    EXPECT_EQ(anruf.zaehler.TaktEnde(4), 60'000);
    EXPECT_EQ(anruf.zaehler.GaugeWert(4), anruf.zaehler.GaugeMax(4)); // never above Max
    anruf.TickBei(60'100);
    EXPECT_EQ(anruf.zaehler.Einheiten(4), 6);
    EXPECT_EQ(anruf.zaehler.TaktEnde(4), 6 * 12'000);
}

// STOP shows what the last tick showed, unless that tick is more than two tick intervals old:
// then the program stood still, and STOP first charges what the exchange charged meanwhile.
TEST(GespraechsZaehler, StopKeepsTheLastTicksFiguresUnlessTheProgramStoodStill) {
    struct Fall {
        const char* name;
        std::int64_t stopMs;
        std::int64_t einheitenCity;
        std::int64_t verstrichen;
    };
    // Monday 10:00, City 90 s; the last tick came at 89.95 s.
    const std::vector<Fall> faelle{
        {"90 ms after the tick", 90'040, 1, 89'950},
        {"two intervals after the tick", 90'150, 1, 89'950},
        {"a millisecond later: a stall", 90'151, 2, 90'151},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Anruf anruf(Am(1996, 12, 2, 10));
        anruf.Start();
        for (std::int64_t ms = 50; ms <= 89'950; ms += 100) {
            anruf.TickBei(ms);
        }
        const std::int64_t gauge = anruf.zaehler.GaugeWert(1);
        anruf.StopBei(fall.stopMs);
        EXPECT_EQ(anruf.zaehler.Einheiten(1), fall.einheitenCity);
        EXPECT_EQ(anruf.zaehler.Verstrichen(), fall.verstrichen);
        if (fall.einheitenCity == 1) {
            EXPECT_EQ(anruf.zaehler.GaugeWert(1), gauge);
        }
    }
}

// The program stood still for 90 s (stopped from its terminal, or the laptop suspended), and the
// user pressed STOP the moment it ran again: every unit begun before STOP is charged, counted
// here from the unit boundaries, each unit in the band of the moment it began.
TEST(GespraechsZaehler, StopAfterAStallChargesEveryUnitBegunBeforeIt) {
    struct Fall {
        const char* name;
        Moment start;
        std::int64_t stopMs;
        ZonenArray<std::int64_t> einheiten;
    };
    const std::vector<Fall> faelle{
        // Saturday afternoon, band 7 (150 / 45 / 22.5 / 21.5 s), 92 s: units begun at
        // 0 | 0, 45, 90 | 0, 22.5, 45, 67.5, 90 | 0, 21.5, 43, 64.5, 86.
        {"92 s in one band", Am(1996, 12, 7, 14), 92'000, {1, 3, 5, 5}},
        // A unit ending exactly at STOP is not begun again.
        {"STOP exactly on a unit's end", Am(1996, 12, 7, 14), 90'000, {1, 2, 4, 5}},
        // Monday 17:59:00 (band 4: 90 / 30 / 14 / 13.5 s) stalled past 18:00 (band 5: 150 / 45 /
        // 22.5 / 21.5 s) for 100 s. City: 0, 90. Region 50: 0, 30, then 60 (18:00:00, band 5,
        // ends at 105). Region 200: 0, 14, 28, 42, 56, then 70 (18:00:10, band 5) and 92.5.
        // Fern: 0, 13.5, 27, 40.5, 54, then 67.5 (18:00:07, band 5) and 89.
        {"100 s across the 18:00 change", Am(1996, 12, 2, 17, 59), 100'000, {2, 3, 7, 7}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Anruf anruf(fall.start);
        anruf.Start();
        anruf.TickBei(100);
        anruf.StopBei(fall.stopMs);
        EXPECT_EQ(Einheiten(anruf.zaehler), fall.einheiten);
        EXPECT_EQ(anruf.zaehler.Verstrichen(), fall.stopMs);
        for (int zone : AlleZonen) {
            EXPECT_LE(anruf.zaehler.GaugeWert(zone), anruf.zaehler.GaugeMax(zone));
        }
    }
}

TEST(GespraechsZaehler, GaugeNeverShowsMoreThanItsMax) {
    Anruf anruf(Am(1996, 12, 2, 10));
    anruf.Start();
    for (std::int64_t ms : {11'990, 12'000}) {
        anruf.TickBei(ms);
        EXPECT_LE(anruf.zaehler.GaugeWert(4), anruf.zaehler.GaugeMax(4));
    }
    EXPECT_EQ(anruf.zaehler.GaugeWert(4), 1200);
}

TEST(GespraechsZaehler, CounterReadingsPastTwoToThe31CountOn) {
    // 24.8 days of uptime overflow a signed 32-bit millisecond counter; here they do not.
    const std::int64_t zaehlerStart = (std::int64_t{1} << 31) - 5'000;
    Anruf anruf(Am(1996, 12, 2, 10), zaehlerStart);
    anruf.Start();
    anruf.TickBei(12'100);
    EXPECT_EQ(anruf.zaehler.Verstrichen(), 12'100);
    EXPECT_EQ(anruf.zaehler.Einheiten(4), 2);
}

TEST(GespraechsZaehler, AnOvershootBeyond32767MsCountsOn) {
    Anruf anruf(Am(1996, 12, 2, 10)); // City 90 s
    anruf.Start();
    anruf.TickBei(90'000 + 40'000);
    EXPECT_EQ(anruf.zaehler.Einheiten(1), 2);
    EXPECT_EQ(anruf.zaehler.GaugeWert(1), 4000);
    EXPECT_EQ(anruf.zaehler.TaktEnde(1), 180'000);
}

TEST(GespraechsZaehler, UnitCountersDoNotWrapOnACallOfManyDays) {
    // Ten days from Monday 2.12.1996 in ticks of 10 s: Fern passes 32767 units.
    Anruf anruf(Am(1996, 12, 2, 0));
    anruf.Start();
    FeiertagKalender kalender;
    std::int64_t erwartet = 1, ende = TaktLaenge(TarifNr(Am(1996, 12, 2, 0), kalender), 4);
    for (std::int64_t ms = 10'000; ms <= 10LL * 86'400'000; ms += 10'000) {
        anruf.TickBei(ms);
        if (ms > ende) { // ticks 10 s apart: each unit in the band of the moment it began
            ++erwartet;
            ende += TaktLaenge(TarifNr(anruf.Jetzt(ende), kalender), 4);
        }
    }
    EXPECT_GT(anruf.zaehler.Einheiten(4), 32'767);
    EXPECT_EQ(anruf.zaehler.Einheiten(4), erwartet);
}

TEST(GespraechsZaehler, DayChangeIsTheWholeDateNotTheDayOfTheMonth) {
    FeiertagKalender kalender;
    GespraechsZaehler zaehler(kalender);
    zaehler.VarInit(Am(1997, 1, 5, 12));
    zaehler.TagVermerken(year{1997} / 1 / 5);
    EXPECT_FALSE(zaehler.Tick(Am(1997, 1, 5, 12, 0, 1), 0).neuerTag);
    EXPECT_TRUE(zaehler.Tick(Am(1997, 2, 5, 12), 100).neuerTag);
}

TEST(GespraechsZaehler, IdleZonesFollowTheBandAndTheFirstTickRedraws) {
    FeiertagKalender kalender;
    GespraechsZaehler zaehler(kalender);
    zaehler.VarInit(Am(1996, 12, 2, 8, 59, 59));
    EXPECT_EQ(zaehler.LetzterTarif(), 0);
    EXPECT_EQ(zaehler.ZonenTarif(), ZonenArray<int>(2));
    zaehler.TagVermerken(year{1996} / 12 / 2);
    EXPECT_TRUE(zaehler.Tick(Am(1996, 12, 2, 8, 59, 59), 0).neuAnzeige);
    EXPECT_FALSE(zaehler.Tick(Am(1996, 12, 2, 8, 59, 59), 100).neuAnzeige);
    EXPECT_TRUE(zaehler.Tick(Am(1996, 12, 2, 9), 200).neuAnzeige);
    EXPECT_EQ(zaehler.ZonenTarif(), ZonenArray<int>(3));
    EXPECT_EQ(zaehler.LetzterTarif(), 3);
}

TEST(GespraechsZaehler, ANewStartResetsThePreviousCall) {
    Anruf anruf(Am(1996, 12, 2, 10));
    anruf.Start();
    for (std::int64_t ms = 100; ms <= 50'000; ms += 100) {
        anruf.TickBei(ms);
    }
    anruf.StopBei(50'000);
    EXPECT_EQ(anruf.zaehler.Einheiten(4), 5);
    anruf.zaehler.Start(anruf.Jetzt(60'000), 1'000 + 60'000);
    EXPECT_EQ(Einheiten(anruf.zaehler), Alle(1));
    EXPECT_EQ(anruf.zaehler.Verstrichen(), 0);
    EXPECT_EQ(anruf.zaehler.GaugeWert(1), 0);
    EXPECT_EQ(anruf.zaehler.TaktBeginn(4), 0);
}

TEST(GespraechsZaehler, AfterStopEveryZoneReturnsToTheBandOfTheMomentAndIsRedrawn) {
    Anruf anruf(Am(1996, 12, 2, 17, 59, 50)); // band 4, then band 5 from 18:00
    anruf.Start();
    for (std::int64_t ms = 100; ms <= 30'000; ms += 100) {
        anruf.TickBei(ms);
    }
    EXPECT_EQ(anruf.zaehler.ZonenTarif()[1], 4); // City's first unit still runs
    anruf.StopBei(30'000);
    EXPECT_TRUE(anruf.TickBei(30'100).neuAnzeige);
    EXPECT_EQ(anruf.zaehler.ZonenTarif(), ZonenArray<int>(5));
    EXPECT_FALSE(anruf.TickBei(30'200).neuAnzeige);
}
