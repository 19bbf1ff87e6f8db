#include "journal/ChartData.h"

#include <gtest/gtest.h>

namespace tarvis {
namespace {

const QLocale Deutsch(QLocale::German, QLocale::Germany);
using Reihen = ZonenArray<std::vector<std::int64_t>>;

SummenZeile Zeile(int jahr, int monat, int zone, std::int64_t pfennig) {
    LogSumme summe;
    summe.gespraeche = 1;
    summe.kostenPfennig = pfennig;
    return {std::pair{jahr, monat}, zone, summe};
}

SummenZeile Gesamt(std::int64_t pfennig) {
    LogSumme summe;
    summe.kostenPfennig = pfennig;
    return {std::nullopt, 0, summe};
}

// The bars of the chart, worked out by hand from the rows of the report.
struct GrafikFall {
    const char* name;
    std::vector<SummenZeile> zeilen;
    QStringList beschriftung;
    bool hochkant;
    ZonenArray<std::vector<std::int64_t>> pfennig;
    std::int64_t hoechster;
};
void PrintTo(const GrafikFall& fall, std::ostream* os) {
    *os << fall.name;
}

class Grafik : public ::testing::TestWithParam<GrafikFall> {};

TEST_P(Grafik, ABarPerMonthStackedByZone) {
    const GrafikFall& fall = GetParam();
    const GrafikDaten grafik = GrafikVon(fall.zeilen);
    EXPECT_EQ(grafik.beschriftung, fall.beschriftung);
    EXPECT_EQ(grafik.hochkant, fall.hochkant);
    EXPECT_EQ(grafik.hoechsterStapel, fall.hoechster);
    EXPECT_EQ(grafik.monate.size(), fall.beschriftung.size());
    for (int zone : AlleZonen) {
        EXPECT_EQ(grafik.pfennig[zone], fall.pfennig[zone]) << "zone " << zone;
    }
}

std::vector<SummenZeile> MonateBisDezember(int ab) {
    std::vector<SummenZeile> zeilen;
    for (int monat = ab; monat <= 12; ++monat) {
        zeilen.push_back(Zeile(1996, monat, 1, monat * 100));
    }
    zeilen.push_back(Gesamt(6300));
    return zeilen;
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Grafik,
    ::testing::Values(GrafikFall{"Nichts", {}, {}, false, {}, 0},
                      GrafikFall{"NurGesamt", {Gesamt(0)}, {}, false, {}, 0},
                      // Two months, the second with three zones: its bar is the sum of their costs.
                      GrafikFall{"ZweiMonate",
                                 {Zeile(1996, 11, 1, 24), Zeile(1996, 11, 2, 48),
                                  Zeile(1996, 12, 1, 1200), Zeile(1996, 12, 3, 288),
                                  Zeile(1996, 12, 4, 852), Gesamt(2412)},
                                 {"11/1996", "12/1996"},
                                 false,
                                 Reihen{{24, 1200}, {48, 0}, {0, 288}, {0, 852}},
                                 2340},
                      // Across a new year; the highest bar is not the last.
                      GrafikFall{"UeberNeujahr",
                                 {Zeile(1996, 12, 4, 900), Zeile(1997, 1, 1, 24), Gesamt(924)},
                                 {"12/1996", "01/1997"},
                                 false,
                                 Reihen{{0, 24}, {0, 0}, {0, 0}, {900, 0}},
                                 900},
                      // Six months still lie.
                      GrafikFall{"SechsMonate",
                                 MonateBisDezember(7),
                                 {"07/1996", "08/1996", "09/1996", "10/1996", "11/1996", "12/1996"},
                                 false,
                                 Reihen{{700, 800, 900, 1000, 1100, 1200},
                                        std::vector<std::int64_t>(6, 0),
                                        std::vector<std::int64_t>(6, 0),
                                        std::vector<std::int64_t>(6, 0)},
                                 1200},
                      // Seven months stand upright in their short form.
                      GrafikFall{"SiebenMonate",
                                 MonateBisDezember(6),
                                 {"06/96", "07/96", "08/96", "09/96", "10/96", "11/96", "12/96"},
                                 true,
                                 Reihen{{600, 700, 800, 900, 1000, 1100, 1200},
                                        std::vector<std::int64_t>(7, 0),
                                        std::vector<std::int64_t>(7, 0),
                                        std::vector<std::int64_t>(7, 0)},
                                 1200}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BalkenText, MonthZoneAndAmountGrouped) {
    EXPECT_EQ(BalkenText(QStringLiteral("12/1996"), 1, 1'234'500, Deutsch),
              QStringLiteral("12/1996, City: 12.345,00 DM"));
    EXPECT_EQ(BalkenText(QStringLiteral("01/1997"), 3, 24, Deutsch),
              QStringLiteral("01/1997, Region 200: 0,24 DM"));
}

} // namespace
} // namespace tarvis
