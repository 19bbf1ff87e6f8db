#include "tariff/TariffTables.h"

#include <gtest/gtest.h>

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

TEST(TaktLaenge, EveryUnitIsBetween12And240Seconds) {
    for (int band = 1; band <= BandAnzahl; ++band) {
        for (int zone : AlleZonen) {
            EXPECT_GE(TaktLaenge(band, zone), 12000);
            EXPECT_LE(TaktLaenge(band, zone), 240000);
        }
    }
}

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
    EXPECT_EQ(BandImSlot(TagesArt::Werktag, SlotVonSekunde(2 * 3600 - 1)), 6);
    EXPECT_EQ(BandImSlot(TagesArt::Werktag, SlotVonSekunde(2 * 3600)), 1);
    EXPECT_EQ(BandImSlot(TagesArt::Feiertag, SlotVonSekunde(20 * 3600 + 3599)), 9);
    EXPECT_EQ(BandImSlot(TagesArt::JahresendWerktag, SlotVonSekunde(21 * 3600)), 16);
}
