#include "calllog/LogWriter.h"
#include "support/Anruf.h"
#include "support/TempDir.h"
#include "tariff/TariffTables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace tarvis {
namespace {

using namespace std::chrono;
using test::ReadAll;

// The record example: 07.12.96 14:05:33 to 14:09:12, City, 2 units, 0,24 DM.
Gespraech Beispiel() {
    return test::BeispielAnruf().MitZone(1, QStringLiteral("0711 123456"));
}

const QByteArray BeispielZeile = "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   "
                                 "0711 123456       City              2        0,24 DM\r\n";

// The heading laid out from its column table, independently of how the program writes it.
QByteArray ZeileAus(std::initializer_list<std::pair<int, QByteArray>> woerter) {
    QByteArray zeile;
    for (const auto& [spalte, wort] : woerter) {
        zeile = zeile.leftJustified(spalte - 1, ' ') + wort;
    }
    return zeile + "\r\n";
}

QByteArray Kopf() {
    const QByteArray gespraechs = "Gespr\344chs-";
    return ZeileAus({{6, "Beginn"},
                     {29, "Ende"},
                     {45, gespraechs},
                     {58, "angerufene"},
                     {76, "Tarif-"},
                     {89, "Ein-"},
                     {100, gespraechs}}) +
           ZeileAus({{1, "Datum"},
                     {12, "Uhr"},
                     {23, "Datum"},
                     {34, "Uhr"},
                     {45, "Dauer"},
                     {58, "Telefonnummer"},
                     {76, "bereich"},
                     {89, "heiten"},
                     {100, "Geb\374hren"}}) +
           QByteArray(109, '-') + "\r\n" + "\r\n";
}

class LogFile : public ::testing::Test {
protected:
    QString Pfad(const QString& name = QStringLiteral("Tarvis 12-1996.Rep")) const {
        return dir_.filePath(name);
    }
    void Schreibe(const QString& pfad, const QByteArray& inhalt) const {
        QFile datei(pfad);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(inhalt);
    }

    QTemporaryDir dir_;
};

TEST_F(LogFile, NewFileGetsHeadingRecordAndComment) {
    Gespraech eintrag = Beispiel();
    eintrag.kommentar = "Anruf bei Oma";
    ASSERT_TRUE(AppendCallRecord(Pfad(), eintrag));
    EXPECT_EQ(ReadAll(Pfad()), Kopf() + BeispielZeile + QByteArray(57, ' ') + "Anruf bei Oma\r\n");
}

TEST_F(LogFile, SecondSaveAppendsOnlyTheRecord) {
    ASSERT_TRUE(AppendCallRecord(Pfad(), Beispiel()));
    ASSERT_TRUE(AppendCallRecord(Pfad(), Beispiel()));
    EXPECT_EQ(ReadAll(Pfad()), Kopf() + BeispielZeile + BeispielZeile);
}

TEST_F(LogFile, ExistingFilesNeverGetASecondHeading) {
    struct Fall {
        const char* name;
        QString datei;
        QByteArray vorher;
        QByteArray zwischen; // what ends an unended last line before the record
    };
    const std::vector<Fall> faelle = {
        {"empty file", QStringLiteral("leer.Rep"), {}, {}},
        {"hidden file", QStringLiteral(".versteckt.Rep"), Kopf() + BeispielZeile, {}},
        {"a line added by hand without line end", QStringLiteral("fremd.txt"), "Notiz", "\r\n"},
        {"a last line ended by CR alone", QStringLiteral("cr.Rep"), "Notiz\r", "\n"},
        {"a last line ended Unix-style", QStringLiteral("lf.Rep"), "Notiz\n", {}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Schreibe(Pfad(fall.datei), fall.vorher);
        ASSERT_TRUE(AppendCallRecord(Pfad(fall.datei), Beispiel()));
        EXPECT_EQ(ReadAll(Pfad(fall.datei)), fall.vorher + fall.zwischen + BeispielZeile);
    }
}

// A user's "current log" link that points to a log not yet written: the save goes through the
// link and creates the log it points to, with its heading; the link stays a link.
TEST_F(LogFile, ASymbolicLinkToALogNotYetWrittenCreatesThatLog) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("1996")));
    struct Fall {
        const char* name;
        QString verweis;
        QString zielText; // what the link says
        QString ziel;     // the log it names
    };
    const std::vector<Fall> faelle = {
        {"relative target", Pfad(QStringLiteral("aktuell.Rep")),
         QStringLiteral("1996/Tarvis 12-1996.Rep"),
         Pfad(QStringLiteral("1996/Tarvis 12-1996.Rep"))},
        {"absolute target", Pfad(QStringLiteral("absolut.Rep")),
         Pfad(QStringLiteral("1996/absolut.Rep")), Pfad(QStringLiteral("1996/absolut.Rep"))},
        {"a link to a link", Pfad(QStringLiteral("kette.Rep")), QStringLiteral("glied.Rep"),
         Pfad(QStringLiteral("1996/ende.Rep"))},
    };
    ASSERT_EQ(::symlink("1996/ende.Rep", QFile::encodeName(Pfad(QStringLiteral("glied.Rep")))), 0);
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        ASSERT_EQ(::symlink(QFile::encodeName(fall.zielText), QFile::encodeName(fall.verweis)), 0);
        ASSERT_TRUE(AppendCallRecord(fall.verweis, Beispiel()));
        ASSERT_TRUE(AppendCallRecord(fall.verweis, Beispiel()));
        EXPECT_EQ(ReadAll(fall.ziel), Kopf() + BeispielZeile + BeispielZeile);
        EXPECT_TRUE(QFileInfo(fall.verweis).isSymLink());
    }
    // A link into a directory that does not exist fails as such a path does.
    ASSERT_EQ(::symlink("nirgends/x.Rep", QFile::encodeName(Pfad(QStringLiteral("tot.Rep")))), 0);
    EXPECT_EQ(AppendCallRecord(Pfad(QStringLiteral("tot.Rep")), Beispiel()).grund,
              QStringLiteral("Datei oder Verzeichnis nicht gefunden"));
    // No scratch file is left behind by any of these saves.
    EXPECT_TRUE(QDir(dir_.path())
                    .entryList({QStringLiteral(".Tarvis32-*")}, QDir::Hidden | QDir::Files)
                    .isEmpty());
}

TEST_F(LogFile, RecordLines) {
    struct Fall {
        const char* name;
        Gespraech gespraech;
        QByteArray zeile;
    };
    const auto anruf = [](Datum startTag, int h, int m, int s, std::int64_t dauerMs,
                          ZonenArray<std::int64_t> einheiten) {
        const Moment start = MomentAus(startTag, h, m, s);
        return GespraechMit(start, start + seconds{dauerMs / 1000}, dauerMs, einheiten);
    };
    const GespraechVorZonenwahl beispiel = test::BeispielAnruf();
    Gespraech zuBreit = beispiel.MitZone(1, QString());
    zuBreit.einheiten = 12'345'678;
    zuBreit.kostenPfennig = KostenPfennig(12'345'678);
    Gespraech ohneZeiten = Beispiel();
    ohneZeiten.startSekunde.reset();
    ohneZeiten.stopDatum.reset();
    ohneZeiten.stopSekunde.reset();
    ohneZeiten.dauerMs.reset();
    const std::vector<Fall> faelle = {
        {"the record example", Beispiel(), BeispielZeile},
        {"empty number: 18 spaces, zone in column 76", beispiel.MitZone(1, QString()),
         "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2                     "
         "City              2        0,24 DM\r\n"},
        {"15-character number and Region 200",
         beispiel.MitZone(3, QStringLiteral("089 12345678901")),
         "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   089 12345678901   "
         "Region 200       10        1,20 DM\r\n"},
        {"a call across midnight keeps both dates",
         anruf(year{1996} / 12 / 31, 23, 58, 10, 271'000, {3, 9, 9, 27}).MitZone(4, QString()),
         "31.12.96   23:58:10   01.01.97   00:02:41   00:04:31,0                     "
         "Fern             27        3,24 DM\r\n"},
        {"a call of several days: the duration keeps all its hours",
         anruf(year{1998} / 12 / 24, 20, 0, 0, 360'000'099, {1, 1, 1, 11'812})
             .MitZone(4, QString()),
         "24.12.98   20:00:00   29.12.98   00:00:00   100:00:00,0                     "
         "Fern          11812     1417,44 DM\r\n"},
        {"too wide units and cost are written whole", zuBreit,
         "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2                     "
         "City         12345678   1481481,36 DM\r\n"},
        {"a number too long for its column keeps a blank before the zone",
         beispiel.MitZone(1, QStringLiteral("0049 711 1234567890")),
         "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   0049 711 1234567890 "
         "City              2        0,24 DM\r\n"},
        {"characters outside the code page keep the columns",
         beispiel.MitZone(1, QStringLiteral(u"☎ 0711 😀 €")),
         "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   ? 0711 ? \x80        "
         "City              2        0,24 DM\r\n"},
        {"times, stop and duration a call lacks are left blank", ohneZeiten,
         "07.12.96" + QByteArray(49, ' ') +
             "0711 123456       City              2        0,24 DM\r\n"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(SatzZeile(fall.gespraech).toStdString(), fall.zeile.toStdString());
    }
}

TEST_F(LogFile, CommentLines) {
    struct Fall {
        const char* name;
        std::string kommentar; // UTF-8
        QByteArray zeile;
    };
    const std::vector<Fall> faelle = {
        {"none", "", {}},
        {"28 characters make 85", "Rückruf wegen Angebot 12/96!",
         QByteArray(57, ' ') + "R\374ckruf wegen Angebot 12/96!\r\n"},
        {"spaces only still count", "   ", QByteArray(60, ' ') + "\r\n"},
        {"a pasted line break cannot split the record", "Zeile 1\r\nZeile 2",
         QByteArray(57, ' ') + "Zeile 1??Zeile 2\r\n"},
        {"an emoji is one question mark", "Geburtstag 🎂", QByteArray(57, ' ') + "Geburtstag ?\r\n"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(KommentarZeile(fall.kommentar), fall.zeile);
    }
    EXPECT_EQ(KommentarZeile(faelle[1].kommentar).size(), 85 + 2);
}

TEST_F(LogFile, FileExist) {
    Schreibe(Pfad(QStringLiteral("da.Rep")), "x");
    Schreibe(Pfad(QStringLiteral("leer.Rep")), {});
    Schreibe(Pfad(QStringLiteral(".versteckt.Rep")), "x");
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("ordner.Rep")));
    ASSERT_TRUE(QFile::link(Pfad(QStringLiteral("da.Rep")), Pfad(QStringLiteral("link.Rep"))));
    ASSERT_TRUE(QFile::link(Pfad(QStringLiteral("fehlt.Rep")), Pfad(QStringLiteral("tot.Rep"))));

    struct Fall {
        const char* name;
        QString pfad;
        bool gibtEs;
    };
    const std::vector<Fall> faelle = {
        {"ordinary file", Pfad(QStringLiteral("da.Rep")), true},
        {"empty file", Pfad(QStringLiteral("leer.Rep")), true},
        {"hidden file", Pfad(QStringLiteral(".versteckt.Rep")), true},
        {"link to a file", Pfad(QStringLiteral("link.Rep")), true},
        {"missing file", Pfad(QStringLiteral("fehlt.Rep")), false},
        {"dangling link", Pfad(QStringLiteral("tot.Rep")), false},
        {"directory", Pfad(QStringLiteral("ordner.Rep")), false},
        {"missing directory", Pfad(QStringLiteral("nirgends/da.Rep")), false},
        {"file used as directory", Pfad(QStringLiteral("da.Rep/x.Rep")), false},
        {"device", QStringLiteral("/dev/null"), false},
        {"empty name", QString(), false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(FileExist(fall.pfad), fall.gibtEs);
    }
}

} // namespace
} // namespace tarvis
