#include "tariff/TariffTables.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace tarvis;

TEST(TaktLaenge, YearEndDaysAgainstWorkingDays) {
    for (int band = 1; band <= 6; ++band) {
        SCOPED_TRACE(band);
        // City: the year-end working days cost what the ordinary ones do.
        EXPECT_EQ(TaktLaenge(band + 10, 1), TaktLaenge(band, 1));
        // Region 50 differs only from 09:00 to 18:00.
        if (band == 3 || band == 4) {
            EXPECT_EQ(TaktLaenge(band + 10, 2), 36000);
            EXPECT_NE(TaktLaenge(band, 2), 36000);
        } else {
            EXPECT_EQ(TaktLaenge(band + 10, 2), TaktLaenge(band, 2));
        }
    }
    for (int band = 12; band <= 16; ++band) {
        EXPECT_EQ(TaktLaenge(band, 3), 36000) << band;
        EXPECT_EQ(TaktLaenge(band, 4), 36000) << band;
    }
    for (int band : {1, 11}) {
        EXPECT_EQ(TaktLaenge(band, 1), 240000);
        for (int zone = 2; zone <= 4; ++zone) {
            EXPECT_EQ(TaktLaenge(band, zone), 120000);
        }
    }
}

// The unit lengths in seconds, written out band by band as the tariff gives them (a second
// copy, typed independently of the program's table).
struct TarifZeile {
    int band;
    double sekunden[4]; // City, Region 50, Region 200, Fern
};

void PrintTo(const TarifZeile& zeile, std::ostream* os) {
    *os << "band " << zeile.band;
}

class TaktLaengeTabelle : public ::testing::TestWithParam<TarifZeile> {};

TEST_P(TaktLaengeTabelle, EveryZone) {
    const TarifZeile& zeile = GetParam();
    for (int zone : AlleZonen) {
        EXPECT_EQ(TaktLaenge(zeile.band, zone), std::lround(zeile.sekunden[zone - 1] * 1000))
            << "zone " << zone;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Baender, TaktLaengeTabelle,
    ::testing::Values(TarifZeile{1, {240, 120, 120, 120}}, TarifZeile{2, {150, 45, 22.5, 21.5}},
                      TarifZeile{3, {90, 26, 13, 12}}, TarifZeile{4, {90, 30, 14, 13.5}},
                      TarifZeile{5, {150, 45, 22.5, 21.5}}, TarifZeile{6, {240, 60, 36, 30}},
                      TarifZeile{7, {150, 45, 22.5, 21.5}}, TarifZeile{8, {240, 60, 36, 30}},
                      TarifZeile{9, {150, 45, 36, 36}}, TarifZeile{10, {240, 60, 36, 36}},
                      TarifZeile{11, {240, 120, 120, 120}}, TarifZeile{12, {150, 45, 36, 36}},
                      TarifZeile{13, {90, 36, 36, 36}}, TarifZeile{14, {90, 36, 36, 36}},
                      TarifZeile{15, {150, 45, 36, 36}}, TarifZeile{16, {240, 60, 36, 36}}),
    [](const ::testing::TestParamInfo<TarifZeile>& info) {
        return "Tarif" + std::to_string(info.param.band);
    });

TEST(DerivedFigures, KeepFullPrecision) {
    EXPECT_DOUBLE_EQ(SekundenProEinheit(TaktLaenge(1, 1)), 240.0);
    EXPECT_DOUBLE_EQ(DMProMinute(TaktLaenge(1, 1)), 0.03);
    EXPECT_DOUBLE_EQ(SekundenProEinheit(TaktLaenge(3, 4)), 12.0);
    EXPECT_DOUBLE_EQ(DMProMinute(TaktLaenge(3, 4)), 0.6);
    EXPECT_DOUBLE_EQ(SekundenProEinheit(TaktLaenge(2, 3)), 22.5);
    EXPECT_NEAR(DMProMinute(TaktLaenge(2, 3)), 0.32, 1e-12);
    EXPECT_NEAR(DMProMinute(TaktLaenge(2, 4)), 0.334883720930, 1e-12);
}

TEST(SlotTable, OverviewSlotsMatchTheBandOfTheirTimes) {
    EXPECT_EQ(TarifImSlot(TagesArt::Werktag, SlotVonSekunde(2 * 3600 - 1)), 6);
    EXPECT_EQ(TarifImSlot(TagesArt::Werktag, SlotVonSekunde(2 * 3600)), 1);
    EXPECT_EQ(TarifImSlot(TagesArt::Feiertag, SlotVonSekunde(20 * 3600 + 3599)), 9);
    EXPECT_EQ(TarifImSlot(TagesArt::JahresendWerktag, SlotVonSekunde(21 * 3600)), 16);
}

// A failing comparison of per-zone figures names each zone with its figure.
TEST(ZonenArray, PrintsEachZoneWithItsFigure) {
    EXPECT_EQ(::testing::PrintToString(ZonenArray<std::int64_t>{2, 5, 10, 11}),
              "{Zone 1: 2, Zone 2: 5, Zone 3: 10, Zone 4: 11}");
    EXPECT_EQ(::testing::PrintToString(ZonenArray<int>(0)),
              "{Zone 1: 0, Zone 2: 0, Zone 3: 0, Zone 4: 0}");
}
