#include "commandline/CommandLine.h"

#include "calllog/LogWriter.h"
#include "support/TempDir.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;
using namespace std::chrono;

namespace {

struct Lauf {
    int code;
    QString aus;
    QString fehler;
};

Lauf Aufruf(QStringList argumente) {
    argumente.prepend(QStringLiteral("Tarvis32"));
    Lauf lauf;
    QTextStream aus(&lauf.aus), fehler(&lauf.fehler);
    lauf.code = FuehreKommandozeileAus(argumente, aus, fehler);
    aus.flush();
    fehler.flush();
    return lauf;
}

QStringList Zeilen(const QString& text) {
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST(Kommandozeile, RecognisesItsOptionsAndLeavesTheRestToTheWindow) {
    const std::vector<std::pair<QStringList, bool>> faelle{
        {{"Tarvis32"}, false},
        {{"Tarvis32", "-platform", "offscreen"}, false},
        {{"Tarvis32", "--help"}, true},
        {{"Tarvis32", "-h"}, true},
        {{"Tarvis32", "--version"}, true},
        {{"Tarvis32", "--tarif=01.01.1997 10:00"}, true},
        {{"Tarvis32", "--auswertung", "x.Rep"}, true},
        {{"Tarvis32", "--berechnen", "1.1.97", "10:00", "00:01:00"}, true},
        // Mistyped options belong to the command line, which refuses them; Qt's own options of
        // the window (with one dash or two, with their values) start the window.
        {{"Tarvis32", "--bogus"}, true},
        {{"Tarvis32", "--berechen", "1.1.97", "10:00", "00:01:00"}, true},
        {{"Tarvis32", "-x"}, true},
        {{"Tarvis32", "--platform", "offscreen"}, false},
        {{"Tarvis32", "-style=Fusion", "-reverse"}, false},
        {{"Tarvis32", "-qwindowtitle", "-tarif"}, false},
        {{"Tarvis32", "-platform", "offscreen", "--version"}, true},
    };
    for (const auto& [argumente, erwartet] : faelle) {
        EXPECT_EQ(IstKommandozeilenAufruf(argumente), erwartet)
            << argumente.join(' ').toStdString();
    }
}

TEST(Kommandozeile, HelpAndVersion) {
    const Lauf hilfe = Aufruf({"--help"});
    EXPECT_EQ(hilfe.code, ExitOk);
    EXPECT_TRUE(hilfe.aus.startsWith(QStringLiteral("Aufruf: Tarvis32")));
    EXPECT_TRUE(hilfe.aus.contains(QStringLiteral("--auswertung DATEI")));
    EXPECT_TRUE(hilfe.aus.contains(QStringLiteral("--auswertung DATEI... --csv")));
    EXPECT_EQ(Aufruf({"-?"}).aus, hilfe.aus);
    const Lauf version = Aufruf({"-v"});
    EXPECT_EQ(version.code, ExitOk);
    EXPECT_EQ(version.aus, QStringLiteral("Tarvis32 - V1.30\n"));
}

TEST(Kommandozeile, UnknownOptionsAreNamedWithAPointerToTheHelp) {
    const std::vector<std::pair<QStringList, QString>> faelle{
        {{"--bogus"}, "--bogus"},
        {{"--berechen", "07.12.1996", "14:05:33", "00:03:39"}, "--berechen"},
        {{"--auswertung", "x.Rep", "--cvs"}, "--cvs"},
        {{"-x"}, "-x"},
    };
    for (const auto& [argumente, name] : faelle) {
        const Lauf lauf = Aufruf(argumente);
        EXPECT_EQ(lauf.code, ExitEingabe) << name.toStdString();
        EXPECT_EQ(lauf.fehler, QStringLiteral("Unbekannte Option: ") + name +
                                   QStringLiteral("\nTarvis32 --help zeigt die Optionen.\n"));
        EXPECT_TRUE(lauf.aus.isEmpty());
    }
    // Qt's window options among the command line's are passed over.
    EXPECT_EQ(Aufruf({"-platform", "offscreen", "--version"}).code, ExitOk);
}

TEST(Kommandozeile, WrongUseIsRefusedWithStatus2) {
    for (const QStringList& argumente :
         {QStringList{"--gibtsnicht"}, QStringList{"--tarif"},
          QStringList{"--berechnen", "1.1.1997"},
          QStringList{"--tarif", "1.1.1997 10:00", "--auswertung", "x"}, QStringList{"hallo"}}) {
        const Lauf lauf = Aufruf(argumente);
        EXPECT_EQ(lauf.code, ExitEingabe) << argumente.join(' ').toStdString();
        EXPECT_FALSE(lauf.fehler.isEmpty());
        EXPECT_TRUE(lauf.aus.isEmpty());
    }
}

TEST(Kommandozeile, BerechnenPrintsTheCallInEveryZone) {
    const Lauf lauf = Aufruf({"--berechnen", "07.12.1996", "14:05:33", "00:03:39"});
    ASSERT_EQ(lauf.code, ExitOk) << lauf.fehler.toStdString();
    EXPECT_EQ(lauf.aus, QStringLiteral("Start: 07.12.1996 14:05:33\n"
                                       "Stop:  07.12.1996 14:09:12\n"
                                       "Dauer: 00:03:39\n"
                                       "City             2       0,24 DM\n"
                                       "Region 50        5       0,60 DM\n"
                                       "Region 200      10       1,20 DM\n"
                                       "Fern            11       1,32 DM\n"));
}

// Units and cost in every zone, worked out by hand stretch by stretch from the unit-length
// table (the working of each is in the interval computation's tests).
TEST(Kommandozeile, BerechnenGivesTheFiguresWorkedOutByHand) {
    struct Fall {
        QStringList werte;
        const char* zeilen[4];
    };
    const std::vector<Fall> faelle{
        {{"02.12.1996", "17:59:00", "00:05:00"},
         {"City             3       0,36 DM", "Region 50        8       0,96 DM",
          "Region 200      16       1,92 DM", "Fern            16       1,92 DM"}},
        {{"2.12.96", "8:59", "00:01:34"},
         {"City             1       0,12 DM", "Region 50        3       0,36 DM",
          "Region 200       5       0,60 DM", "Fern             6       0,72 DM"}},
        {{"23.12.1996", "23:30:00", "01:00:00"},
         {"City            15       1,80 DM", "Region 50       60       7,20 DM",
          "Region 200     100      12,00 DM", "Fern           110      13,20 DM"}},
        {{"06.12.1996", "23:00:00", "23:59:59"},
         {"City           504      60,48 DM", "Region 50     1760     211,20 DM",
          "Region 200    3360     403,20 DM", "Fern          3640     436,80 DM"}},
        {{"1.5.99", "9:05", "00:00:00"},
         {"City             0       0,00 DM", "Region 50        0       0,00 DM",
          "Region 200       0       0,00 DM", "Fern             0       0,00 DM"}},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.werte.join(' ').toStdString());
        const Lauf lauf = Aufruf(QStringList{"--berechnen"} + fall.werte);
        ASSERT_EQ(lauf.code, ExitOk) << lauf.fehler.toStdString();
        const QStringList zeilen = Zeilen(lauf.aus);
        ASSERT_EQ(zeilen.size(), 7);
        for (int zone : AlleZonen) {
            EXPECT_EQ(zeilen[2 + zone], QString::fromUtf8(fall.zeilen[zone - 1]));
        }
    }
}

TEST(Kommandozeile, BerechnenReportsTheInputCheck) {
    struct Fall {
        QStringList werte;
        const char* meldung;
    };
    const std::vector<Fall> faelle{
        {{"31.02.1996", "10:00:00", "00:01:00"}, "Start-Datum ist nicht korrekt."},
        {{"01.02.1996", "24:00:00", "00:01:00"}, "Start-Uhrzeit ist nicht korrekt."},
        {{"01.02.1996", "10:00:00", "00:61:00"}, "Angabe über Dauer ist nicht korrekt."},
        {{"01.02.1996", "10:00:00", "1:05:00"}, "Zeitformat im Feld 'Dauer' ist nicht korrekt."},
    };
    for (const auto& fall : faelle) {
        const Lauf lauf = Aufruf(QStringList{"--berechnen"} + fall.werte);
        EXPECT_EQ(lauf.code, ExitEingabe);
        EXPECT_EQ(lauf.fehler, QString::fromUtf8(fall.meldung) + '\n');
        EXPECT_TRUE(lauf.aus.isEmpty());
    }
}

TEST(Kommandozeile, TarifAtBoundarySecondsAndOnHolidays) {
    struct Fall {
        const char* zeitpunkt;
        const char* tarif;
        const char* tagesart;
        const char* city;
    };
    const std::vector<Fall> faelle{
        {"02.12.1996 01:59:59", "6", "Montag - Freitag", "City         240,0 Sek.   0,03 DM/min."},
        {"02.12.1996 02:00:00", "1", "Montag - Freitag", "City         240,0 Sek.   0,03 DM/min."},
        {"02.12.1996 08:59:59", "2", "Montag - Freitag", "City         150,0 Sek.   0,05 DM/min."},
        {"02.12.1996 09:00:00", "3", "Montag - Freitag", "City          90,0 Sek.   0,08 DM/min."},
        {"07.12.1996 04:59:59", "8", "Samstag / Sonntag", "City         240,0 Sek.   0,03 DM/min."},
        {"24.12.1996 10:00:00", "9", "Feiertag", "City         150,0 Sek.   0,05 DM/min."},
        {"31.12.1996 21:00:00", "10", "Feiertag", "City         240,0 Sek.   0,03 DM/min."},
        {"29.12.1997 12:00:00", "14", "Werktag 27.12. - 30.12.",
         "City          90,0 Sek.   0,08 DM/min."},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.zeitpunkt);
        const Lauf lauf = Aufruf({"--tarif", fall.zeitpunkt});
        ASSERT_EQ(lauf.code, ExitOk) << lauf.fehler.toStdString();
        const QStringList zeilen = Zeilen(lauf.aus);
        ASSERT_EQ(zeilen.size(), 8);
        EXPECT_EQ(zeilen[1], QStringLiteral("Tarif:     ") + fall.tarif);
        EXPECT_EQ(zeilen[2], QStringLiteral("Tagesart:  ") + QString::fromUtf8(fall.tagesart));
        EXPECT_EQ(zeilen[4], QString::fromUtf8(fall.city));
    }
    const Lauf fern = Aufruf({"--tarif", "02.12.1996 13:00:00"});
    EXPECT_EQ(Zeilen(fern.aus)[3],
              QStringLiteral("Name:      Nachmittagtarif (12:00 - 18:00 Uhr)"));
    EXPECT_EQ(Zeilen(fern.aus)[7], QStringLiteral("Fern          13,5 Sek.   0,53 DM/min."));
}

TEST(Kommandozeile, TarifRefusesInvalidMoments) {
    EXPECT_EQ(Aufruf({"--tarif", "30.02.1996 10:00"}).fehler,
              QStringLiteral("Start-Datum ist nicht korrekt.\n"));
    EXPECT_EQ(Aufruf({"--tarif", "01.02.1996"}).fehler,
              QStringLiteral("Start-Uhrzeit ist nicht korrekt.\n"));
    EXPECT_EQ(Aufruf({"--tarif", "01.02.1996 10:60"}).code, ExitEingabe);
    EXPECT_EQ(Aufruf({"--tarif", "01.02.1996", "10:00", "11:00"}).code, ExitEingabe);
}

TEST(Kommandozeile, TarifTakesTheMomentAsOneOrTwoWords) {
    EXPECT_EQ(Aufruf({"--tarif", "02.12.1996", "13:00"}).aus,
              Aufruf({"--tarif", "02.12.1996 13:00:00"}).aus);
}

namespace {

// A call that the program's own writer puts into a log: only its day, zone and units matter.
Gespraech Eintrag(Datum start, int zone, std::int64_t einheiten, const char* kommentar = "") {
    ZonenArray<std::int64_t> alle(einheiten);
    const Moment beginn = MomentAus(start, 14, 5, 33);
    return GespraechMit(beginn, beginn + minutes{3}, 180'000, alle)
        .MitZone(zone, QStringLiteral("0711 123456"), QString::fromUtf8(kommentar));
}

} // namespace

TEST(Kommandozeile, AuswertungSumsALogWrittenByTheProgram) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("Tarvis 12-1996.Rep"));
    ASSERT_TRUE(AppendCallRecord(pfad, Eintrag(year{1996} / 12 / 7, 1, 2, "Oma")));
    ASSERT_TRUE(AppendCallRecord(pfad, Eintrag(year{1996} / 12 / 31, 4, 11)));
    ASSERT_TRUE(AppendCallRecord(pfad, Eintrag(year{1996} / 12 / 8, 1, 3)));
    ASSERT_TRUE(AppendCallRecord(pfad, Eintrag(year{1997} / 1 / 1, 3, 100, "Neujahr")));
    const QByteArray vorher = [&] {
        QFile f(pfad);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    const Lauf lauf = Aufruf({"--auswertung", pfad});
    ASSERT_EQ(lauf.code, ExitOk);
    EXPECT_TRUE(lauf.fehler.isEmpty()) << lauf.fehler.toStdString();
    EXPECT_EQ(lauf.aus.toStdString(),
              std::string("Monat    Zone        Anrufe  Einheiten     Gebühren\n"
                          "12/1996  City             2          5         0,60 DM\n"
                          "12/1996  Fern             1         11         1,32 DM\n"
                          "01/1997  Region 200       1        100        12,00 DM\n"
                          "Gesamt                    4        116        13,92 DM\n"));
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), vorher); // only read
}

TEST(Kommandozeile, AuswertungOfEmptyDamagedMissingAndBinaryFiles) {
    QTemporaryDir dir;
    const auto schreibe = [&](const char* name, const QByteArray& inhalt) {
        QFile f(dir.filePath(QLatin1String(name)));
        f.open(QIODevice::WriteOnly);
        f.write(inhalt);
        return f.fileName();
    };
    const QString leer = schreibe("leer.Rep", {});
    Lauf lauf = Aufruf({"--auswertung", leer});
    EXPECT_EQ(lauf.code, ExitOk);
    EXPECT_TRUE(lauf.aus.endsWith(
        QStringLiteral("Gesamt                    0          0         0,00 DM\n")));

    const QString kaputt =
        schreibe("kaputt.Rep",
                 "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   0711              City  "
                 "            2        0,24 DM\r\n"
                 "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   0711              City  "
                 "            2        0,24\r\n"
                 "32.12.96   14:05:33\r\n"
                 "                                                         nur ein Kommentar\r\n"
                 "08.12.96   9:05   08.12.96   09:06:00   00:01:00,0                     Fern      "
                 "        5        0,60 DM\r\n"
                 "09.12.96   10:00:00   09.12.96   10:01:00   00:01:00,0   0711              Mars  "
                 "            1        0,12 DM\r\n");
    lauf = Aufruf({"--auswertung", kaputt});
    EXPECT_EQ(lauf.code, ExitOk);
    EXPECT_EQ(Zeilen(lauf.fehler).size(), 3) << lauf.fehler.toStdString();
    EXPECT_TRUE(lauf.fehler.contains(kaputt + QStringLiteral(":2:")));
    EXPECT_TRUE(lauf.fehler.contains(kaputt + QStringLiteral(":3:")));
    EXPECT_TRUE(lauf.fehler.contains(kaputt + QStringLiteral(":6:")));
    EXPECT_TRUE(lauf.aus.endsWith(
        QStringLiteral("Gesamt                    2          7         0,84 DM\n")))
        << lauf.aus.toStdString();

    lauf = Aufruf({"--auswertung", dir.filePath(QStringLiteral("fehlt.Rep"))});
    EXPECT_EQ(lauf.code, ExitDatei);
    EXPECT_TRUE(lauf.fehler.contains(QStringLiteral("kann nicht gelesen werden")));
    EXPECT_TRUE(lauf.aus.isEmpty());

    lauf = Aufruf({"--auswertung", dir.path()});
    EXPECT_EQ(lauf.code, ExitDatei);

    QByteArray binaer;
    for (int i = 0; i < 200'000; ++i) {
        binaer.append(char((i * 7919) % 256));
    }
    lauf = Aufruf({"--auswertung", schreibe("binaer.Rep", binaer)});
    EXPECT_EQ(lauf.code, ExitOk);
    EXPECT_TRUE(lauf.aus.endsWith(
        QStringLiteral("Gesamt                    0          0         0,00 DM\n")));
}

TEST(Kommandozeile, AuswertungRefusesSumsBeyondTheRangeOfItsCounters) {
    QTemporaryDir dir;
    QFile datei(dir.filePath(QStringLiteral("riesig.Rep")));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    const QByteArray zeile = "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   "
                             "0711   City   999999999999   999999999999,99 DM\r\n";
    for (int i = 0; i < 93'000; ++i) {
        datei.write(zeile);
    }
    datei.close();
    const Lauf lauf = Aufruf({"--auswertung", datei.fileName()});
    EXPECT_EQ(lauf.code, ExitDatei);
    EXPECT_TRUE(lauf.aus.isEmpty());
    EXPECT_TRUE(lauf.fehler.contains(QStringLiteral("übersteigen den Zahlenbereich")));
}

TEST(Kommandozeile, OutputThatCannotBeWrittenIsAFailure) {
    QFile voll(QStringLiteral("/dev/full"));
    ASSERT_TRUE(voll.open(QIODevice::WriteOnly));
    for (const QStringList& argumente :
         {QStringList{"Tarvis32", "--help"},
          QStringList{"Tarvis32", "--berechnen", "07.12.1996", "14:05:33", "00:03:39"}}) {
        QTextStream aus(&voll);
        QString meldungen;
        QTextStream fehler(&meldungen);
        const int code = FuehreKommandozeileAus(argumente, aus, fehler);
        EXPECT_EQ(code, ExitOk);
        EXPECT_EQ(BeendeAusgabe(aus, fehler, code), ExitDatei);
        fehler.flush();
        EXPECT_EQ(meldungen, QStringLiteral("Tarvis32: Die Ausgabe kann nicht geschrieben werden: "
                                            "Kein Platz mehr auf dem Datenträger.\n"));
    }
    // Output that was written is no failure; a failed run keeps its own status.
    QString ausText, fehlerText;
    QTextStream aus(&ausText), fehler(&fehlerText);
    EXPECT_EQ(BeendeAusgabe(aus, fehler, FuehreKommandozeileAus({"Tarvis32", "-v"}, aus, fehler)),
              ExitOk);
    QTextStream leer(&voll);
    EXPECT_EQ(
        BeendeAusgabe(leer, fehler, FuehreKommandozeileAus({"Tarvis32", "--x"}, leer, fehler)),
        ExitEingabe);
}

// Logs saved under German, English, C and Persian number settings are the same bytes, and the
// report sums them together with a line that an earlier version wrote with a decimal point.
TEST(Kommandozeile, AuswertungOfLogsSavedUnderAnyNumberSettings) {
    QTemporaryDir dir;
    const QLocale vorher;
    QStringList pfade;
    QByteArray deutsch;
    for (const char* name : {"de_DE", "en_US", "C", "fa_IR"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        const QString pfad = dir.filePath(QStringLiteral("Tarvis %1.Rep").arg(name));
        ASSERT_TRUE(AppendCallRecord(pfad, Eintrag(year{1996} / 12 / 7, 4, 11)));
        const QByteArray bytes = test::ReadAll(pfad);
        if (deutsch.isEmpty()) {
            deutsch = bytes;
        }
        EXPECT_EQ(bytes, deutsch) << name;
        pfade << pfad;
    }
    QLocale::setDefault(vorher);
    QFile alt(dir.filePath(QStringLiteral("alt.Rep")));
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("07.12.96   14:05:33   07.12.96   14:06:00   00:00:27,0   0711              "
              "City              1        0.12 DM\r\n");
    alt.close();
    pfade << alt.fileName();

    const Lauf lauf = Aufruf(QStringList{"--auswertung"} + pfade);
    ASSERT_EQ(lauf.code, ExitOk) << lauf.fehler.toStdString();
    EXPECT_TRUE(lauf.fehler.isEmpty()) << lauf.fehler.toStdString();
    EXPECT_EQ(lauf.aus.toStdString(),
              std::string("Monat    Zone        Anrufe  Einheiten     Gebühren\n"
                          "12/1996  City             1          1         0,12 DM\n"
                          "12/1996  Fern             4         44         5,28 DM\n"
                          "Gesamt                    5         45         5,40 DM\n"));
}

// Crafted logs only reach figures this wide; the columns still keep a blank between them.
TEST(Kommandozeile, SumColumnsStayApartForFiguresOfElevenDigitsAndMore) {
    QTemporaryDir dir;
    struct Fall {
        const char* einheiten;
        const char* kosten;
        const char* gesamt;
    };
    for (const Fall& fall : {
             Fall{"99999999999", "12345678901,00",
                  "Gesamt                    2 199999999998 24691357802,00 DM"},
             Fall{"9999999999", "1234567890,00",
                  "Gesamt                    2 19999999998 2469135780,00 DM"},
             Fall{"999999999", "123456789,00",
                  "Gesamt                    2 1999999998 246913578,00 DM"},
         }) {
        SCOPED_TRACE(fall.einheiten);
        QFile datei(dir.filePath(QStringLiteral("gross.Rep")));
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
        datei.write(QByteArray("07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   0711   "
                               "City   ") +
                    fall.einheiten + "   " + fall.kosten + " DM\r\n");
        datei.close();
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        const Lauf lauf = Aufruf({"--auswertung", datei.fileName(), datei.fileName()});
        ASSERT_EQ(lauf.code, ExitOk) << lauf.fehler.toStdString();
        EXPECT_EQ(Zeilen(lauf.aus).last(), QString::fromUtf8(fall.gesamt));
    }
}

// A file name or an option can carry control characters; the terminal gets "?" in their place,
// as the log does.
TEST(Kommandozeile, NoControlCharacterReachesTheTerminal) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QString::fromUtf8("b\x1b[2Jse\x07\x01\x7f\xc2\x9b.Rep"));
    QFile datei(name);
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write("07.12.96   14:05:33   \x1b]0;x\x07 kaputt DM\r\n");
    datei.close();
    const QString fehlt = dir.filePath(QString::fromUtf8("\x1b]0;fehlt\x07.Rep"));
    for (const QStringList& argumente :
         {QStringList{"--auswertung", name}, QStringList{"--auswertung", name, "--csv"},
          QStringList{"--auswertung", fehlt}, QStringList{QString::fromUtf8("--\x1b[2J")}}) {
        SCOPED_TRACE(argumente.join(' ').toStdString());
        const Lauf lauf = Aufruf(argumente);
        EXPECT_FALSE(lauf.fehler.isEmpty());
        for (const QChar zeichen : lauf.fehler) {
            const char16_t c = zeichen.unicode();
            EXPECT_FALSE((c < 0x20 && c != '\n') || (c >= 0x7f && c <= 0x9f)) << int(c);
        }
        EXPECT_TRUE(lauf.fehler.contains(QStringLiteral("?[2J")) ||
                    lauf.fehler.contains(QStringLiteral("?]0;")))
            << lauf.fehler.toStdString();
    }
}
