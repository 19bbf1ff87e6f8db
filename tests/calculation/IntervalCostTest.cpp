#include "calculation/IntervalCost.h"

#include "support/PerZoneIntervalCost.h"
#include "tariff/Format.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace tarvis;
using namespace std::chrono;

namespace {

Moment Am(int j, unsigned m, unsigned d, int h, int min, int s = 0) {
    return MomentAus(year{j} / month{m} / day{d}, h, min, s);
}

constexpr std::int64_t Dauer(int h, int min, int s) {
    return (h * 60 + min) * 60 + s;
}

struct Gespraech {
    const char* name;
    Moment start;
    std::int64_t dauer;
    ZonenArray<std::int64_t> einheiten; // City, Region 50, Region 200, Fern
};

// Expected units worked out by hand, stretch by stretch, from the unit-length table.
// Monday 2.12.1996 and Friday 6.12.1996 are working days, Saturday 7.12.1996 a weekend day,
// Tuesday 24.12.1996 a holiday.
const std::vector<Gespraech> Gespraeche{
    {"no duration", Am(1996, 12, 2, 10, 0), 0, {0, 0, 0, 0}},
    // Band 3 (90 / 26 / 13 / 12 s): exact multiples are not rounded up (91 / 13 = 7).
    {"90 s at 10:00", Am(1996, 12, 2, 10, 0), 90, {1, 4, 7, 8}},
    {"91 s at 10:00", Am(1996, 12, 2, 10, 0), 91, {2, 4, 7, 8}},
    // Band 5 from the first second (150 / 45 / 22.5 / 21.5 s); band 4 would give 1, 2, 5, 5.
    {"60 s starting on the 18:00 boundary", Am(1996, 12, 2, 18, 0), 60, {1, 2, 3, 3}},
    // City: 1 unit of 90 s up to 18:00 carries 30 s, the remaining 210 s take 2 units of 150 s.
    // Fern: 5 x 13.5 = 67.5 s, carry 7.5 -> 8 s, rest 232.5 -> 232 s = 11 units of 21.5 s.
    {"five minutes from 17:59:00", Am(1996, 12, 2, 17, 59), 300, {3, 8, 16, 16}},
    // Region 200: 3 x 22.5 = 67.5 s before 09:00, carry 7.5 -> 8 s, rest 32.5 -> 32 s = 3 x 13.
    {"100 s from 08:59:00", Am(1996, 12, 2, 8, 59), 100, {1, 3, 6, 6}},
    // Region 200: rest 26.5 -> 26 s (even), exactly 2 units of 13 s; rounding up would give 3.
    // Fern: 3 x 21.5 = 64.5 s, rest 29.5 -> 30 s (even) = 3 units of 12 s.
    {"94 s from 08:59:00", Am(1996, 12, 2, 8, 59), 94, {1, 3, 5, 6}},
    // Fern: 13.5 s before 18:00 carries 6.5 -> 6 s (even); from 18:00:06 to 21:00 503 units of
    // 21.5 s, the rest 1.5 -> 2 s takes one more unit at 21:00. A carry of 7 s would make the
    // stretch exactly 502 units and the call 504.
    {"three hours from 17:59:53", Am(1996, 12, 2, 17, 59, 53), 10830, {73, 241, 482, 505}},
    // City: the 240-s unit started at 01:59 covers the whole call past 02:00.
    {"three minutes across 02:00", Am(1996, 12, 2, 1, 59), 180, {1, 2, 3, 3}},
    // Friday's night band 6 up to midnight, then the Saturday: band 8 also after 02:00 (a
    // working day would change to band 1 with 120-s units there).
    {"four hours from Friday 23:00 into Saturday",
     Am(1996, 12, 6, 23, 0),
     Dauer(4, 0, 0),
     {60, 240, 400, 480}},
    // Monday's band 6 (30 s in Fern) up to midnight, then the holiday's band 10 (36 s).
    {"an hour from Monday 23:30 into 24.12.",
     Am(1996, 12, 23, 23, 30),
     Dauer(1, 0, 0),
     {15, 60, 100, 110}},
    // Charged to its end at Saturday 22:59:59, including the 2 hours after 21:00.
    {"23:59:59 from Friday 23:00",
     Am(1996, 12, 6, 23, 0),
     Dauer(23, 59, 59),
     {504, 1760, 3360, 3640}},
    // Longer than a day (the window cannot ask for it): a whole weekend. City, Region 50 and
    // Region 200 divide every stretch evenly (504 / 1760 / 3360 a day); Fern's 21.5-s units
    // carry from stretch to stretch, 3640 units on Saturday and 3639 on Sunday.
    {"48 hours over a weekend", Am(1996, 12, 7, 0, 0), Dauer(48, 0, 0), {1008, 3520, 6720, 7279}},
};

} // namespace

namespace {
void PrintTo(const Gespraech& g, std::ostream* os) {
    *os << g.name;
}
} // namespace

class IntervalCost : public ::testing::TestWithParam<Gespraech> {};

TEST_P(IntervalCost, UnitsOfEveryZone) {
    const Gespraech& g = GetParam();
    FeiertagKalender kalender;
    const IntervallKosten kosten = BerechneIntervall(g.start, g.dauer, kalender);
    for (int zone : AlleZonen) {
        EXPECT_EQ(kosten.einheiten[zone], g.einheiten[zone]) << "zone " << zone;
    }
    EXPECT_EQ(kosten.stop, g.start + seconds{g.dauer});
}

INSTANTIATE_TEST_SUITE_P(Gespraeche, IntervalCost, ::testing::ValuesIn(Gespraeche),
                         [](const ::testing::TestParamInfo<Gespraech>& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return name;
                         });

// The stretches are walked once for all zones; every zone must come out as a walk of its own
// gives it, for calls of every start and length.
TEST(BerechneIntervall, EveryZoneAsAWalkOfItsOwnGivesIt) {
    std::uint32_t zufall = 20'061'996;
    const auto naechste = [&zufall](std::uint32_t bis) {
        zufall = zufall * 1'664'525u + 1'013'904'223u;
        return (zufall >> 8) % bis;
    };
    FeiertagKalender kalender, kalenderEinzeln;
    for (int i = 0; i < 20'000; ++i) {
        const Moment start =
            Am(1995, 12, 1, 0, 0) + days{naechste(800)} + seconds{naechste(86'400)};
        // Mostly calls of up to a day, now and then one of several days.
        const std::int64_t dauer = i % 50 == 0 ? naechste(4 * 86'400) : naechste(86'400);
        const IntervallKosten kosten = BerechneIntervall(start, dauer, kalender);
        ASSERT_EQ(kosten.einheiten, test::EinheitenEinzeln(start, dauer, kalenderEinzeln))
            << "start " << (start - Am(1995, 12, 1, 0, 0)).count() << " s, " << dauer << " s";
    }
}

// Crossing New Year needs the holiday lists of two years: each is built once, not once for
// every zone.
TEST(BerechneIntervall, ACallAcrossNewYearBuildsEachYearsHolidaysOnce) {
    FeiertagKalender kalender;
    const IntervallKosten kosten =
        BerechneIntervall(Am(1996, 12, 31, 23, 0), Dauer(2, 0, 0), kalender);
    EXPECT_EQ(kalender.Erstellungen(), 2);
    // 31.12. and 1.1. are both holidays: band 10 (240 / 60 / 36 / 36 s) all through.
    EXPECT_EQ(kosten.einheiten, (ZonenArray<std::int64_t>{30, 120, 200, 200}));
}

TEST(BerechneIntervall, StopOfACallPastMidnight) {
    FeiertagKalender kalender;
    EXPECT_EQ(BerechneIntervall(Am(1996, 12, 31, 23, 0), Dauer(23, 59, 59), kalender).stop,
              Am(1997, 1, 1, 22, 59, 59));
}

TEST(BerechneIntervall, NegativeDurationCostsNothing) {
    FeiertagKalender kalender;
    const IntervallKosten kosten = BerechneIntervall(Am(1996, 12, 2, 10, 0), -5, kalender);
    EXPECT_EQ(kosten.einheiten, ZonenArray<std::int64_t>(0));
    EXPECT_EQ(kosten.stop, Am(1996, 12, 2, 10, 0));
}

TEST(AufSekundenGerundet, HalvesGoToTheEvenNeighbour) {
    const struct {
        std::int64_t ms, sekunden;
    } faelle[] = {{0, 0},      {499, 0},    {500, 0},    {501, 1},         {1000, 1},
                  {1499, 1},   {1500, 2},   {2500, 2},   {6500, 6},        {7500, 8},
                  {19500, 20}, {20500, 20}, {32500, 32}, {39579500, 39580}};
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.ms);
        EXPECT_EQ(AufSekundenGerundet(f.ms), f.sekunden);
    }
}

// Both walks of the comparison above cut the call where NaechsteTarifGrenze says, so a boundary
// it missed would go unseen there: every boundary of a day, from its first second and from the
// second before it, written out by hand (02:00, 05:00, 09:00, 12:00, 18:00, 21:00, midnight),
// and midnight at the end of a month, of February in a leap year and in a common year, and of
// a year.
TEST(NaechsteTarifGrenze, IsStrictlyLaterAndIncludesMidnight) {
    const struct {
        Moment ab, grenze;
    } faelle[] = {
        {Am(1996, 12, 2, 0, 0), Am(1996, 12, 2, 2, 0)},
        {Am(1996, 12, 2, 1, 59, 59), Am(1996, 12, 2, 2, 0)},
        {Am(1996, 12, 2, 18, 0), Am(1996, 12, 2, 21, 0)},
        {Am(1996, 12, 2, 17, 59, 59), Am(1996, 12, 2, 18, 0)},
        {Am(1996, 12, 2, 21, 0), Am(1996, 12, 3, 0, 0)},
        {Am(1996, 12, 31, 23, 59, 59), Am(1997, 1, 1, 0, 0)},
        {Am(1996, 12, 2, 0, 0, 1), Am(1996, 12, 2, 2, 0)},
        {Am(1996, 12, 2, 2, 0), Am(1996, 12, 2, 5, 0)},
        {Am(1996, 12, 2, 4, 59, 59), Am(1996, 12, 2, 5, 0)},
        {Am(1996, 12, 2, 5, 0), Am(1996, 12, 2, 9, 0)},
        {Am(1996, 12, 2, 8, 59, 59), Am(1996, 12, 2, 9, 0)},
        {Am(1996, 12, 2, 9, 0), Am(1996, 12, 2, 12, 0)},
        {Am(1996, 12, 2, 11, 59, 59), Am(1996, 12, 2, 12, 0)},
        {Am(1996, 12, 2, 12, 0), Am(1996, 12, 2, 18, 0)},
        {Am(1996, 12, 2, 20, 59, 59), Am(1996, 12, 2, 21, 0)},
        {Am(1996, 12, 2, 23, 59, 59), Am(1996, 12, 3, 0, 0)},
        {Am(1996, 11, 30, 21, 0), Am(1996, 12, 1, 0, 0)},
        {Am(1996, 2, 28, 22, 0), Am(1996, 2, 29, 0, 0)},
        {Am(1996, 2, 29, 23, 0), Am(1996, 3, 1, 0, 0)},
        {Am(1997, 2, 28, 23, 0), Am(1997, 3, 1, 0, 0)},
        {Am(1999, 12, 31, 21, 30), Am(2000, 1, 1, 0, 0)},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(testing::Message() << DatumText(DatumVon(f.ab)) << ' ' << UhrzeitText(f.ab));
        EXPECT_EQ(NaechsteTarifGrenze(f.ab), f.grenze);
    }
}
