#include "journal/JournalStatus.h"

#include "journal/ChartData.h"
#include "journal/JournalLogs.h"
#include "journal/JournalRead.h"

#include <QDir>
#include <gtest/gtest.h>

namespace tarvis {
namespace {

using test::JournalLogs;

const QLocale Deutsch(QLocale::German, QLocale::Germany);
using Reihen = ZonenArray<std::vector<std::int64_t>>;

SummenZeile Zeile(int jahr, int monat, int zone, std::int64_t pfennig) {
    LogSumme summe;
    summe.anrufe = 1;
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

class GrafikTest : public ::testing::TestWithParam<GrafikFall> {};

TEST_P(GrafikTest, ABarPerMonthStackedByZone) {
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
    Faelle, GrafikTest,
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

// The count under the calls: singular and plural, grouped digits, and "von" once a filter
// hides calls.
struct AnzahlFall {
    std::int64_t gezeigt, alle, dateien;
    const char* text;
};

TEST(AnzahlText, AsTheWindowShowsIt) {
    const AnzahlFall faelle[] = {
        {0, 0, 0, "0 Anrufe aus 0 Dateien"},
        {1, 1, 1, "1 Anruf aus 1 Datei"},
        {7, 7, 3, "7 Anrufe aus 3 Dateien"},
        {1'000'000, 1'000'000, 12, "1.000.000 Anrufe aus 12 Dateien"},
        {2, 7, 3, "2 von 7 Anrufen"},
        {0, 1, 1, "0 von 1 Anruf"},
        {1'234, 10'000, 1, "1.234 von 10.000 Anrufen"},
    };
    for (const AnzahlFall& fall : faelle) {
        EXPECT_EQ(AnzahlText(fall.gezeigt, fall.alle, fall.dateien, Deutsch),
                  QString::fromUtf8(fall.text));
    }
}

TEST(UnlesbarText, OnlyWhenALineCouldNotBeRead) {
    EXPECT_EQ(UnlesbarText(0, Deutsch), QString());
    EXPECT_EQ(UnlesbarText(1, Deutsch), QStringLiteral("1 Zeile nicht lesbar"));
    EXPECT_EQ(UnlesbarText(12'345, Deutsch), QStringLiteral("12.345 Zeilen nicht lesbar"));
}

TEST(ExportiertText, NamesTheFileWithoutItsFolder) {
    EXPECT_EQ(GespraecheExportiertText(1, QStringLiteral("/tmp/a/Auswertung.csv"), Deutsch),
              QStringLiteral("1 Anruf nach \"Auswertung.csv\" exportiert."));
    EXPECT_EQ(GespraecheExportiertText(1'500, QStringLiteral("x.csv"), Deutsch),
              QStringLiteral("1.500 Anrufe nach \"x.csv\" exportiert."));
    EXPECT_EQ(SummenExportiertText(QStringLiteral("/tmp/Summen.csv")),
              QStringLiteral("Summen nach \"Summen.csv\" exportiert."));
}

// What the window says of a reading: the files without calls, the unreadable lines by file
// and line, and the files the counts leave out.
TEST(JournalTexte, WhatAReadingFound) {
    JournalLogs logs;
    const QString fehlt = logs.Pfad("fehlt.Rep");
    const Journal journal = LiesJournal({logs.November(), fehlt, logs.Dezember()});
    EXPECT_EQ(GeleseneDateien(journal), 2);
    EXPECT_EQ(UnlesbareZeilenText(journal, Deutsch),
              QDir::toNativeSeparators(logs.November()) + QStringLiteral(", Zeile 9: ") +
                  QString::fromStdString(journal.fehler.at(0).grund));

    const QString meldungen = MeldungenText(journal, {}, false);
    EXPECT_TRUE(meldungen.startsWith(Meldung(journal.dateien.at(1)) + QLatin1Char('\n')));
    EXPECT_TRUE(meldungen.endsWith(QStringLiteral("Die Summen enthalten keinen Anruf der "
                                                  "Dateien, die nicht gelesen werden können.")));
    EXPECT_EQ(meldungen.count(QLatin1Char('\n')), 1);

    EXPECT_EQ(MeldungenText(Journal{}, QStringLiteral("/tmp/leer"), true),
              QStringLiteral("Im Ordner \"/tmp/leer\" liegt noch kein Logbuch. \"Dateien…\" "
                             "wählt Logbücher an anderer Stelle.\nDie Summen übersteigen den "
                             "Zahlenbereich und werden nicht gezeigt."));
    EXPECT_EQ(MeldungenText(LiesJournal(logs.Alle()), {}, false), QString());
}

// Beyond the lines kept, the rest are counted.
TEST(JournalTexte, LinesNotKeptAreCounted) {
    Journal journal;
    DateiBericht bericht;
    bericht.pfad = QStringLiteral("/tmp/a.Rep");
    journal.dateien.push_back(bericht);
    journal.fehler.push_back({0, 3, "kaputt"});
    journal.fehlerAnzahl = 1'001;
    EXPECT_EQ(UnlesbareZeilenText(journal, Deutsch),
              QStringLiteral("/tmp/a.Rep, Zeile 3: kaputt\n… und 1.000 weitere"));
}

// How far a reading has got, and a reading stopped before it began.
TEST(LeseFortschritt, CountsTheBytesAndStops) {
    JournalLogs logs;
    LeseFortschritt fortschritt;
    EXPECT_EQ(fortschritt.Promille(), 0);
    const Journal journal = fortschritt.Lies(logs.Alle());
    EXPECT_FALSE(journal.abgebrochen);
    EXPECT_EQ(fortschritt.Promille(), 1000);
    EXPECT_EQ(journal.daten.Anzahl(), 7u);

    fortschritt.Stoppe();
    EXPECT_TRUE(fortschritt.Lies(logs.Alle()).abgebrochen);
    fortschritt.Neu();
    EXPECT_FALSE(fortschritt.Gestoppt());
    EXPECT_EQ(fortschritt.Promille(), 0);
    EXPECT_EQ(fortschritt.Lies(logs.Alle()).daten.Anzahl(), 7u);
}

} // namespace
} // namespace tarvis
