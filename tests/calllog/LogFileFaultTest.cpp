// Saves that fail, on a real file system. The tests run as root, for whom permission bits
// stop nothing, so the faults are ones that stop root too: a missing directory, a directory
// in place of the file, a full device, and a file size limit that cuts a write short.
#include "calllog/LogFile.h"
#include "support/Anruf.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvis {
namespace {

using namespace std::chrono;
using test::ReadAll;

LogbuchEintrag Anruf() {
    return {test::BeispielAnruf(), 1, QStringLiteral("0711 123456"),
            QStringLiteral("mit Kommentar")};
}

// Saves in a child process whose files may grow to `grenze` bytes at most: a write past the
// limit is cut short and the next one fails, as on a disk that fills up during the save.
SchreibErgebnis SpeichereMitGrenze(const QString& pfad, rlim_t grenze) {
    int rohr[2];
    if (::pipe(rohr) != 0) {
        return {false, QStringLiteral("pipe")};
    }
    const pid_t kind = ::fork();
    if (kind == 0) {
        ::close(rohr[0]);
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = grenze;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const SchreibErgebnis e = AppendCallRecord(pfad, Anruf());
        const QByteArray antwort = (e.geschrieben ? "1" : "0") + e.grund.toUtf8();
        [[maybe_unused]] const auto n = ::write(rohr[1], antwort.constData(), antwort.size());
        ::_exit(0);
    }
    ::close(rohr[1]);
    QByteArray antwort;
    char puffer[256];
    for (ssize_t n; (n = ::read(rohr[0], puffer, sizeof puffer)) > 0;) {
        antwort.append(puffer, n);
    }
    ::close(rohr[0]);
    ::waitpid(kind, nullptr, 0);
    return {antwort.startsWith('1'), QString::fromUtf8(antwort.mid(1))};
}

class LogFileFault : public ::testing::Test {
protected:
    QString Pfad(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

TEST_F(LogFileFault, FailedOpensAreReportedWithTheSystemsReason) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("ordner.Rep")));
    struct Fall {
        const char* name;
        QString pfad;
        QString grund;
    };
    const QString rohr = Pfad(QStringLiteral("rohr.Rep"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(rohr).constData(), 0600), 0);
    const std::vector<Fall> faelle = {
        {"a pipe nobody reads (would block)", rohr, QStringLiteral("Kein solches Gerät")},
        {"missing directory", Pfad(QStringLiteral("nirgends/Tarvis.Rep")),
         QStringLiteral("Datei oder Verzeichnis nicht gefunden")},
        {"path is a directory", Pfad(QStringLiteral("ordner.Rep")),
         QStringLiteral("Es ist ein Verzeichnis")},
        {"full disk", QStringLiteral("/dev/full"),
         QStringLiteral("Kein Platz mehr auf dem Datenträger")},
        {"no name", QString(), QStringLiteral("Datei oder Verzeichnis nicht gefunden")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const SchreibErgebnis ergebnis = AppendCallRecord(fall.pfad, Anruf());
        EXPECT_FALSE(ergebnis);
        EXPECT_EQ(ergebnis.grund, fall.grund);
    }
    EXPECT_FALSE(QFileInfo::exists(Pfad(QStringLiteral("nirgends"))));
    EXPECT_TRUE(QDir(Pfad(QStringLiteral("ordner.Rep"))).isEmpty());
}

TEST_F(LogFileFault, AWriteCutShortLeavesTheFileAsItWas) {
    const QString pfad = Pfad(QStringLiteral("Tarvis.Rep"));
    ASSERT_TRUE(AppendCallRecord(pfad, Anruf()));
    const QByteArray vorher = ReadAll(pfad);

    // Room for a few more bytes only: the record starts to go in, then the limit stops it.
    const SchreibErgebnis ergebnis =
        SpeichereMitGrenze(pfad, static_cast<rlim_t>(vorher.size() + 40));
    EXPECT_FALSE(ergebnis);
    EXPECT_EQ(ergebnis.grund, QStringLiteral("Die Datei ist zu groß"));
    EXPECT_EQ(QFileInfo(pfad).size(), vorher.size());
    EXPECT_EQ(ReadAll(pfad), vorher);

    // The next save, with room again, continues the file cleanly.
    ASSERT_TRUE(AppendCallRecord(pfad, Anruf()));
    EXPECT_EQ(ReadAll(pfad), vorher + SatzZeile(Anruf()) + KommentarZeile(Anruf().kommentar));
}

TEST_F(LogFileFault, AFailedFirstSaveLeavesNoFileSoTheNextGetsTheHeading) {
    const QString pfad = Pfad(QStringLiteral("neu.Rep"));
    const SchreibErgebnis ergebnis = SpeichereMitGrenze(pfad, 100);
    EXPECT_FALSE(ergebnis);
    EXPECT_EQ(ergebnis.grund, QStringLiteral("Die Datei ist zu groß"));
    EXPECT_FALSE(QFileInfo::exists(pfad));

    ASSERT_TRUE(AppendCallRecord(pfad, Anruf()));
    EXPECT_TRUE(ReadAll(pfad).startsWith(KopfZeilen()));
}

TEST_F(LogFileFault, ADeviceThatFailsIsNeverRemoved) {
    EXPECT_FALSE(AppendCallRecord(QStringLiteral("/dev/full"), Anruf()));
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("/dev/full")));
}

} // namespace
} // namespace tarvis
