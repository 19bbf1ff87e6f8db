#include "journal/JournalStatus.h"

#include "journal/JournalLogs.h"
#include "journal/JournalRead.h"

#include <QDir>
#include <gtest/gtest.h>

namespace tarvis {
namespace {

using test::JournalLogs;

const QLocale Deutsch(QLocale::German, QLocale::Germany);

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

} // namespace
} // namespace tarvis
