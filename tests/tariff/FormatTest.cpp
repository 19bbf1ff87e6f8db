#include "tariff/Format.h"

#include "tariff/TariffTables.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;

TEST(Format, SecondsAndPricePerMinuteOfEveryUnitLength) {
    struct Fall {
        std::int32_t ms;
        const char* sek;
        const char* dmMin;
    };
    const std::vector<Fall> faelle{
        {240000, "240,0", "0,03"}, {150000, "150,0", "0,05"}, {120000, "120,0", "0,06"},
        {90000, "90,0", "0,08"},   {60000, "60,0", "0,12"},   {45000, "45,0", "0,16"},
        {36000, "36,0", "0,20"},   {30000, "30,0", "0,24"},   {26000, "26,0", "0,28"},
        {22500, "22,5", "0,32"},   {21500, "21,5", "0,33"},   {14000, "14,0", "0,51"},
        {13500, "13,5", "0,53"},   {13000, "13,0", "0,55"},   {12000, "12,0", "0,60"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.ms);
        const TaktTexte texte = TaktTexteVon(fall.ms, ",");
        EXPECT_EQ(texte.sekunden, fall.sek);
        EXPECT_EQ(texte.dmProMinute, fall.dmMin);
    }
}

TEST(Format, CostOfUnits) {
    EXPECT_EQ(KostenText(0, ","), "0,00");
    EXPECT_EQ(KostenText(1, ","), "0,12");
    EXPECT_EQ(KostenText(2, "."), "0.24");
    EXPECT_EQ(KostenText(12, ","), "1,44");
    EXPECT_EQ(KostenText(9, ","), "1,08");
    EXPECT_EQ(KostenText(100000, ","), "12000,00");
    EXPECT_EQ(KostenText(10'000'000'000LL, ","), "1200000000,00");
    EXPECT_EQ(BetragText(5, ","), "0,05");
    EXPECT_EQ(BetragText(1392, "."), "13.92");
    EXPECT_EQ(BetragText(-144, ","), "-1,44");
}

TEST(Format, TimesAndDates) {
    using namespace std::chrono;
    EXPECT_EQ(ZeitText(0), "00:00:00");
    EXPECT_EQ(ZeitText(3905), "01:05:05");
    EXPECT_EQ(ZeitText(86399), "23:59:59");
    EXPECT_EQ(ZeitText(360'000), "100:00:00");
    EXPECT_EQ(ZeitText(-5), "00:00:00");
    EXPECT_EQ(UhrzeitText(MomentAus(year{1997} / 1 / 1, 0, 2, 41)), "00:02:41");
    EXPECT_EQ(DatumText(year{1996} / 12 / 7), "07.12.1996");
    EXPECT_EQ(DatumText(year{2029} / 1 / 31), "31.01.2029");
    EXPECT_EQ(DatumKurzText(year{1996} / 12 / 7), "07.12.96");
    EXPECT_EQ(DatumKurzText(year{2000} / 1 / 1), "01.01.00");
}

TEST(Format, OverviewSecondsShowDecimalsOnlyWhenNeeded) {
    EXPECT_EQ(SekundenText(240000, ","), "240");
    EXPECT_EQ(SekundenText(13500, ","), "13,5");
    EXPECT_EQ(SekundenText(21500, "."), "21.5");
    EXPECT_EQ(SekundenText(36000, ","), "36");
}
