#include "calllog/LogWriter.h"

#include "support/SampleCall.h"
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

class LogWriter : public ::testing::Test {
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

TEST_F(LogWriter, NewFileGetsHeadingRecordAndComment) {
    Gespraech eintrag = test::BeispielGespraech();
    eintrag.kommentar = "Anruf bei Oma";
    ASSERT_TRUE(AppendCallRecord(Pfad(), eintrag));
    EXPECT_EQ(ReadAll(Pfad()),
              Kopf() + test::BeispielSatzZeile + QByteArray(57, ' ') + "Anruf bei Oma\r\n");
}

TEST_F(LogWriter, SecondSaveAppendsOnlyTheRecord) {
    ASSERT_TRUE(AppendCallRecord(Pfad(), test::BeispielGespraech()));
    ASSERT_TRUE(AppendCallRecord(Pfad(), test::BeispielGespraech()));
    EXPECT_EQ(ReadAll(Pfad()), Kopf() + test::BeispielSatzZeile + test::BeispielSatzZeile);
}

TEST_F(LogWriter, ExistingFilesNeverGetASecondHeading) {
    struct Fall {
        const char* name;
        QString datei;
        QByteArray vorher;
        QByteArray zwischen; // what ends an unended last line before the record
    };
    const std::vector<Fall> faelle = {
        {"empty file", QStringLiteral("leer.Rep"), {}, {}},
        {"hidden file", QStringLiteral(".versteckt.Rep"), Kopf() + test::BeispielSatzZeile, {}},
        {"a line added by hand without line end", QStringLiteral("fremd.txt"), "Notiz", "\r\n"},
        {"a last line ended by CR alone", QStringLiteral("cr.Rep"), "Notiz\r", "\n"},
        {"a last line ended Unix-style", QStringLiteral("lf.Rep"), "Notiz\n", {}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        Schreibe(Pfad(fall.datei), fall.vorher);
        ASSERT_TRUE(AppendCallRecord(Pfad(fall.datei), test::BeispielGespraech()));
        EXPECT_EQ(ReadAll(Pfad(fall.datei)), fall.vorher + fall.zwischen + test::BeispielSatzZeile);
    }
}

// A user's "current log" link that points to a log not yet written: the save goes through the
// link and creates the log it points to, with its heading; the link stays a link.
TEST_F(LogWriter, ASymbolicLinkToALogNotYetWrittenCreatesThatLog) {
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
        ASSERT_TRUE(AppendCallRecord(fall.verweis, test::BeispielGespraech()));
        ASSERT_TRUE(AppendCallRecord(fall.verweis, test::BeispielGespraech()));
        EXPECT_EQ(ReadAll(fall.ziel), Kopf() + test::BeispielSatzZeile + test::BeispielSatzZeile);
        EXPECT_TRUE(QFileInfo(fall.verweis).isSymLink());
    }
    // A link into a directory that does not exist fails as such a path does.
    ASSERT_EQ(::symlink("nirgends/x.Rep", QFile::encodeName(Pfad(QStringLiteral("tot.Rep")))), 0);
    EXPECT_EQ(AppendCallRecord(Pfad(QStringLiteral("tot.Rep")), test::BeispielGespraech()).grund,
              QStringLiteral("Datei oder Verzeichnis nicht gefunden"));
    // No scratch file is left behind by any of these saves.
    EXPECT_TRUE(QDir(dir_.path())
                    .entryList({QStringLiteral(".Tarvis32-*")}, QDir::Hidden | QDir::Files)
                    .isEmpty());
}

TEST_F(LogWriter, FileExist) {
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
