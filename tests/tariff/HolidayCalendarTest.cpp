#include "tariff/HolidayCalendar.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace tarvis;
using namespace std::chrono;

namespace {

struct OsterFall {
    int jahr;
    unsigned monat;
    unsigned tag;
};

// Reference dates: the Gregorian Easter table (e.g. Physikalisch-Technische Bundesanstalt,
// "Die Berechnung des Osterdatums"; J. Meeus, "Astronomical Algorithms", ch. 8). The years
// 1954/2049 and 1981 exercise the two April corrections; 1818 and 2285 are the earliest
// possible date, 1886, 1943 and 2038 the latest; the years outside 1900-2099 need the
// century's own M and N.
const std::vector<OsterFall> OsterTabelle{
    {1996, 4, 7},  {1997, 3, 30}, {2000, 4, 23}, {1981, 4, 19}, {1954, 4, 18}, {2049, 4, 18},
    {2038, 4, 25}, {1900, 4, 15}, {1943, 4, 25}, {2008, 3, 23}, {2019, 4, 21}, {2024, 3, 31},
    {2025, 4, 20}, {2099, 4, 12}, {1583, 4, 10}, {1700, 4, 11}, {1800, 4, 13}, {1818, 3, 22},
    {1850, 3, 31}, {1886, 4, 25}, {1899, 4, 2},  {2100, 3, 28}, {2200, 4, 6},  {2285, 3, 22},
};

// The "anonymous Gregorian algorithm" (Nature 1876, Meeus/Jones/Butcher): a different
// derivation of the same Gregorian Easter, used as an independent check.
Datum OsternNachMeeusJonesButcher(int y) {
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int monat = (h + l - 7 * m + 114) / 31, tag = (h + l - 7 * m + 114) % 31 + 1;
    return year{y} / month{static_cast<unsigned>(monat)} / day{static_cast<unsigned>(tag)};
}

std::string Text(Datum d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02u.%02u.%04d", unsigned(d.day()), unsigned(d.month()),
                  int(d.year()));
    return buf;
}

} // namespace

namespace {
void PrintTo(const OsterFall& fall, std::ostream* os) {
    *os << fall.jahr;
}
} // namespace

class OsterSonntage : public ::testing::TestWithParam<OsterFall> {};

TEST_P(OsterSonntage, MatchesTheTableOfEasterDates) {
    const OsterFall& fall = GetParam();
    EXPECT_EQ(Text(OsterSonntag(fall.jahr)),
              Text(year{fall.jahr} / month{fall.monat} / day{fall.tag}));
}

INSTANTIATE_TEST_SUITE_P(Jahre, OsterSonntage, ::testing::ValuesIn(OsterTabelle),
                         [](const ::testing::TestParamInfo<OsterFall>& info) {
                             return "Ostern" + std::to_string(info.param.jahr);
                         });

TEST(OsterSonntag, AgreesWithAnIndependentAlgorithmAndIsASunday) {
    for (int jahr = 1583; jahr <= 4099; ++jahr) {
        const Datum ostern = OsterSonntag(jahr);
        ASSERT_EQ(Text(ostern), Text(OsternNachMeeusJonesButcher(jahr))) << jahr;
        ASSERT_EQ(WochentagNummer(ostern), 7) << jahr;
    }
}

namespace {

struct ListenFall {
    int jahr;
    std::vector<std::string> liste; // in list order, "dd.mm."
};

std::vector<std::string> ListeAlsText(const FeiertagKalender& kalender) {
    std::vector<std::string> texte;
    for (const Datum& d : kalender.Liste()) {
        texte.push_back(Text(d).substr(0, 6));
    }
    return texte;
}

// New Year, Good Friday, Easter Sunday and Monday, 1 May, Ascension, Whit Sunday and Monday,
// 3 October, 24.-26.12., 31.12., then the year-end Saturday and Sunday (31.12. if none).
const std::vector<ListenFall> ListenTabelle{
    {1996,
     {"01.01.", "05.04.", "07.04.", "08.04.", "01.05.", "16.05.", "26.05.", "27.05.", "03.10.",
      "24.12.", "25.12.", "26.12.", "31.12.", "28.12.", "29.12."}},
    {1997,
     {"01.01.", "28.03.", "30.03.", "31.03.", "01.05.", "08.05.", "18.05.", "19.05.", "03.10.",
      "24.12.", "25.12.", "26.12.", "31.12.", "27.12.", "28.12."}},
    {1998,
     {"01.01.", "10.04.", "12.04.", "13.04.", "01.05.", "21.05.", "31.05.", "01.06.", "03.10.",
      "24.12.", "25.12.", "26.12.", "31.12.", "31.12.", "27.12."}},
    {1999,
     {"01.01.", "02.04.", "04.04.", "05.04.", "01.05.", "13.05.", "23.05.", "24.05.", "03.10.",
      "24.12.", "25.12.", "26.12.", "31.12.", "31.12.", "31.12."}},
};

} // namespace

TEST(FeiertagKalender, BuildsTheListOfEachYear) {
    for (const auto& fall : ListenTabelle) {
        SCOPED_TRACE(fall.jahr);
        FeiertagKalender kalender;
        kalender.FeiertageBerechnen(fall.jahr);
        EXPECT_EQ(kalender.Jahr(), fall.jahr);
        EXPECT_EQ(ListeAlsText(kalender), fall.liste);
    }
}

TEST(FeiertagKalender, ListDoesNotDependOnTheYearAskedBefore) {
    FeiertagKalender frisch;
    frisch.FeiertageBerechnen(1999);
    FeiertagKalender gebraucht;
    gebraucht.FeiertageBerechnen(1996);
    EXPECT_TRUE(gebraucht.IstFeiertag(year{1997} / 12 / 27));
    gebraucht.FeiertageBerechnen(1999);
    EXPECT_EQ(ListeAlsText(gebraucht), ListeAlsText(frisch));
}

TEST(FeiertagKalender, RebuildsForADateOfAnotherYear) {
    FeiertagKalender kalender;
    kalender.FeiertageBerechnen(1996);
    // Whit Monday 1997 is 19.05.; in 1996 that day was no holiday.
    EXPECT_TRUE(kalender.IstFeiertag(year{1997} / 5 / 19));
    EXPECT_EQ(kalender.Jahr(), 1997);
    EXPECT_FALSE(kalender.IstFeiertag(year{1996} / 5 / 19));
    EXPECT_TRUE(kalender.IstFeiertag(year{1996} / 5 / 27));
    EXPECT_EQ(kalender.Jahr(), 1996);
}

TEST(FeiertagKalender, AnswersWithoutAnExplicitBuild) {
    FeiertagKalender kalender;
    EXPECT_TRUE(kalender.IstFeiertag(year{2000} / 1 / 1));
    EXPECT_FALSE(kalender.IstFeiertag(year{2000} / 1 / 2));
}

TEST(IstJahresendWerktag, OnlyMondayToFridayFrom27To30December) {
    struct Fall {
        Datum datum;
        bool erwartet;
    };
    const std::vector<Fall> faelle{
        {year{1997} / 12 / 26, false}, // Friday, but a holiday date
        {year{1997} / 12 / 27, false}, // Saturday
        {year{1997} / 12 / 28, false}, // Sunday
        {year{1997} / 12 / 29, true},  // Monday
        {year{1997} / 12 / 30, true},  // Tuesday
        {year{1997} / 12 / 31, false}, // Wednesday, New Year's Eve
        {year{1999} / 12 / 27, true},  {year{1999} / 12 / 30, true},
        {year{1996} / 12 / 27, true}, // Friday
        {year{1996} / 11 / 27, false},
    };
    for (const auto& fall : faelle) {
        EXPECT_EQ(IstJahresendWerktag(fall.datum), fall.erwartet) << Text(fall.datum);
    }
}
