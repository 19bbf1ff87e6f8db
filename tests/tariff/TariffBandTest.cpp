#include "tariff/TariffBand.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace tarvis;
using namespace std::chrono;

namespace {

struct TarifFall {
    const char* name;
    Moment zeitpunkt;
    int band;
};

Moment Am(int j, unsigned m, unsigned d, int h, int min, int s) {
    return MomentAus(year{j} / month{m} / day{d}, h, min, s);
}

// Monday 2.12.1996 (working day), Saturday 7.12.1996 (weekend), Wednesday 25.12.1996 (holiday),
// Monday 29.12.1997 (year-end working day): the last and first second of every slot.
std::vector<TarifFall> GrenzFaelle() {
    struct Tag {
        const char* name;
        int j;
        unsigned m, d;
        std::array<int, 7> baender;
    };
    const std::vector<Tag> tage{
        {"Werktag", 1996, 12, 2, {6, 1, 2, 3, 4, 5, 6}},
        {"Wochenende", 1996, 12, 7, {8, 8, 7, 7, 7, 7, 8}},
        {"Feiertag", 1996, 12, 25, {10, 10, 9, 9, 9, 9, 10}},
        {"Jahresende", 1997, 12, 29, {16, 11, 12, 13, 14, 15, 16}},
    };
    const int grenzen[7] = {0, 2, 5, 9, 12, 18, 21};
    std::vector<TarifFall> faelle;
    for (const auto& tag : tage) {
        for (int slot = 0; slot < 7; ++slot) {
            faelle.push_back(
                {tag.name, Am(tag.j, tag.m, tag.d, grenzen[slot], 0, 0), tag.baender[slot]});
            const int ende = slot + 1 < 7 ? grenzen[slot + 1] : 24;
            faelle.push_back(
                {tag.name, Am(tag.j, tag.m, tag.d, ende - 1, 59, 59), tag.baender[slot]});
        }
    }
    return faelle;
}

} // namespace

namespace {
std::string FallName(const TarifFall& fall) {
    const int sek = SekundeDesTages(fall.zeitpunkt);
    char zeit[32];
    std::snprintf(zeit, sizeof zeit, "_%02d_%02d_%02d", sek / 3600, sek / 60 % 60, sek % 60);
    return fall.name + std::string(zeit);
}
void PrintTo(const TarifFall& fall, std::ostream* os) {
    *os << FallName(fall);
}
} // namespace

class GrenzSekunden : public ::testing::TestWithParam<TarifFall> {};

TEST_P(GrenzSekunden, HaveTheBandOfTheirSlot) {
    FeiertagKalender kalender;
    EXPECT_EQ(TarifNr(GetParam().zeitpunkt, kalender), GetParam().band);
}

INSTANTIATE_TEST_SUITE_P(TarifNr, GrenzSekunden, ::testing::ValuesIn(GrenzFaelle()),
                         [](const ::testing::TestParamInfo<TarifFall>& info) {
                             return FallName(info.param);
                         });

TEST(TarifNr, KindOfDayOrderAndDateOfTheMoment) {
    FeiertagKalender kalender;
    const std::vector<TarifFall> faelle{
        {"holiday on a Sunday is a holiday (Easter Sunday 1996, 10:00)", Am(1996, 4, 7, 10, 0, 0),
         9},
        {"holiday on a Saturday (1.5.1999)", Am(1999, 5, 1, 22, 0, 0), 10},
        {"24.12. on a working day (Tuesday 1996)", Am(1996, 12, 24, 10, 0, 0), 9},
        {"Saturday 28.12.1996 is a year-end holiday", Am(1996, 12, 28, 10, 0, 0), 9},
        {"Saturday 27.12.1997 is a year-end holiday", Am(1997, 12, 27, 3, 0, 0), 10},
        {"Friday 27.12.1996 is a year-end working day", Am(1996, 12, 27, 3, 0, 0), 11},
        {"31.12. on a Tuesday is a holiday", Am(1996, 12, 31, 12, 0, 0), 9},
        {"Friday 23:00 is the working day's night", Am(1996, 12, 6, 23, 0, 0), 6},
        {"Saturday 01:00 belongs to the Saturday", Am(1996, 12, 7, 1, 0, 0), 8},
        {"Monday 01:00 after a Sunday is a working day", Am(1996, 12, 9, 1, 0, 0), 6},
        {"weekend 04:59:59", Am(1996, 12, 8, 4, 59, 59), 8},
        {"weekend 05:00:00", Am(1996, 12, 8, 5, 0, 0), 7},
        {"New Year 1997 01:00 is a holiday", Am(1997, 1, 1, 1, 0, 0), 10},
    };
    for (const auto& fall : faelle) {
        EXPECT_EQ(TarifNr(fall.zeitpunkt, kalender), fall.band) << fall.name;
    }
}

TEST(TagesArtVon, FollowsTheFixedOrderOfTests) {
    FeiertagKalender kalender;
    EXPECT_EQ(TagesArtVon(year{1997} / 12 / 29, kalender), TagesArt::JahresendWerktag);
    EXPECT_EQ(TagesArtVon(year{1997} / 12 / 24, kalender), TagesArt::Feiertag);
    EXPECT_EQ(TagesArtVon(year{1997} / 12 / 28, kalender), TagesArt::Feiertag);
    EXPECT_EQ(TagesArtVon(year{1997} / 12 / 6, kalender), TagesArt::Wochenende);
    EXPECT_EQ(TagesArtVon(year{1997} / 12 / 1, kalender), TagesArt::Werktag);
}
