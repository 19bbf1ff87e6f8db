#include "journal/JournalExport.h"

#include "journal/JournalLogs.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <string_view>

namespace tarvis {
namespace {

using test::JournalLogs;
using test::ReadAll;

// The logs the window has read, the current log (empty, under a name of the user's own, so
// that neither its name nor a heading tells it is a log) and files beside them.
class ExportZiel : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFile(logs.Pfad("Anrufe.txt")).open(QIODevice::WriteOnly));
        Schreibe("fremd.csv", "Datum;Start\r\n");
        ASSERT_TRUE(QFile::link(logs.Pfad("Anrufe.txt"), logs.Pfad("zum-log.csv")));
        ASSERT_TRUE(QFile::link(logs.Pfad("fremd.csv"), logs.Pfad("zu-fremd.csv")));
        ASSERT_TRUE(QFile::link(logs.Pfad("weg.csv"), logs.Pfad("ins-leere.csv")));
        ASSERT_EQ(::link(QFile::encodeName(logs.Pfad("Anrufe.txt")).constData(),
                         QFile::encodeName(logs.Pfad("hart.csv")).constData()),
                  0);
    }

    void Schreibe(const char* name, const QByteArray& bytes) {
        QFile datei(logs.Pfad(name));
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(bytes);
    }

    QStringList LogDateien() const { return {logs.November(), logs.Pfad("Anrufe.txt")}; }

    JournalLogs logs;
};

struct ZielFall {
    const char* name; // in the logs' folder
    ExportZielStand stand;
};
void PrintTo(const ZielFall& fall, std::ostream* os) {
    *os << fall.name;
}

class ExportTarget : public ExportZiel, public ::testing::WithParamInterface<ZielFall> {};

TEST_P(ExportTarget, ALogIsNeverATargetAndAFileThereIsReplacedOnlyWhenAsked) {
    EXPECT_EQ(PruefeExportZiel(logs.Pfad(GetParam().name), LogDateien()), GetParam().stand);
}

INSTANTIATE_TEST_SUITE_P(
    Ziele, ExportTarget,
    ::testing::Values(
        ZielFall{"Tarvis 11-1996.Rep", ExportZielStand::Log},
        ZielFall{"Anrufe.txt", ExportZielStand::Log},          // the current log, by its path
        ZielFall{"zum-log.csv", ExportZielStand::Log},         // a link to it
        ZielFall{"hart.csv", ExportZielStand::Log},            // the same file under a second name
        ZielFall{"../x/../Anrufe.txt", ExportZielStand::Frei}, // another folder's file
        ZielFall{"./Anrufe.txt", ExportZielStand::Log},
        ZielFall{"Tarvis 07-1997.Rep", ExportZielStand::Log}, // a log's name, not there yet
        ZielFall{"fremd.csv", ExportZielStand::Vorhanden},
        ZielFall{"zu-fremd.csv", ExportZielStand::Vorhanden},
        ZielFall{"ins-leere.csv", ExportZielStand::Vorhanden}, // writing would replace the link
        ZielFall{"neu.csv", ExportZielStand::Frei}));

// Two names are one file when the system says so, or when neither is there and their paths
// are the same.
TEST_F(ExportZiel, TheSameFileUnderAnyName) {
    const QString log = logs.Pfad("Anrufe.txt");
    const struct {
        QString a, b;
        bool gleich;
    } faelle[] = {
        {log, log, true},
        {log, logs.Pfad("hart.csv"), true},
        {logs.Pfad("zum-log.csv"), log, true},
        {log, QDir(logs.Ordner()).filePath(QStringLiteral("./sub/../Anrufe.txt")), true},
        {logs.Pfad("neu.csv"), logs.Pfad("neu.csv"), true},
        {logs.Pfad("neu.csv"), logs.Pfad("neu2.csv"), false},
        {log, logs.Pfad("fremd.csv"), false},
        {logs.Pfad("fremd.csv"), logs.Pfad("neu.csv"), false},
    };
    for (const auto& fall : faelle) {
        EXPECT_EQ(GleicheDatei(fall.a, fall.b), fall.gleich)
            << fall.a.toStdString() << " / " << fall.b.toStdString();
    }
}

TEST(ExportTexte, NameTheTargetAsTheSystemWritesIt) {
    EXPECT_EQ(LogZielText(QStringLiteral("/tmp/Tarvis 11-1996.Rep")),
              QStringLiteral("\"/tmp/Tarvis 11-1996.Rep\" ist ein Logbuch. Die Auswertung "
                             "überschreibt kein Logbuch; bitte eine andere Datei wählen."));
    EXPECT_EQ(UeberschreibenFrage(QStringLiteral("/tmp/a.csv")),
              QStringLiteral("\"/tmp/a.csv\" gibt es schon. Überschreiben?"));
}

// The export is written whole or not at all: a writing that fails leaves an earlier file of
// that name as it was and says where and why.
struct SchreibFall {
    const char* name;
    const char* ziel; // in the logs' folder
    int teile;        // pieces handed out
    int scheitertBei; // the piece the export's writer gives up on; -1: none
    bool geschrieben;
    const char* inhalt;  // the target's bytes afterwards
    const char* meldung; // part of the message; empty when written
};
void PrintTo(const SchreibFall& fall, std::ostream* os) {
    *os << fall.name;
}

class JournalExport : public ExportZiel, public ::testing::WithParamInterface<SchreibFall> {};

TEST_P(JournalExport, WholeOrNotAtAll) {
    const SchreibFall& fall = GetParam();
    Schreibe("alt.csv", "vorher");
    const QString ziel = logs.Pfad(fall.ziel);
    const ExportErgebnis ergebnis = SchreibeExport(ziel, [&](const auto& nimm) {
        for (int teil = 0; teil < fall.teile; ++teil) {
            if (teil == fall.scheitertBei || !nimm(std::string_view("ab"))) {
                return false;
            }
        }
        return true;
    });
    EXPECT_EQ(ergebnis.geschrieben, fall.geschrieben);
    EXPECT_TRUE(ergebnis.meldung.contains(QString::fromUtf8(fall.meldung)))
        << ergebnis.meldung.toStdString();
    EXPECT_EQ(ergebnis.meldung.isEmpty(), fall.geschrieben);
    EXPECT_EQ(ReadAll(ziel), QByteArray(fall.inhalt));
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, JournalExport,
    ::testing::Values(SchreibFall{"Neu", "neu.csv", 3, -1, true, "ababab", ""},
                      SchreibFall{"Ersetzt", "alt.csv", 2, -1, true, "abab", ""},
                      SchreibFall{"Leer", "alt.csv", 0, -1, true, "", ""},
                      SchreibFall{"AbgebrochenBleibtAlt", "alt.csv", 3, 1, false, "vorher",
                                  "Die Auswertung kann nicht nach \""},
                      SchreibFall{"OhneOrdner", "fehlt/neu.csv", 1, -1, false, "",
                                  "Datei oder Verzeichnis nicht gefunden."}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvis
