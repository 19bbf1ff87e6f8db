// Saves that fail, on a real file system. The tests run as root, for whom permission bits
// stop nothing, so the faults are ones that stop root too: a missing directory, a directory
// in place of the file, a full device, and a file size limit that cuts a write short.
#include "calllog/LogWriter.h"
#include "support/SampleCall.h"
#include "support/SystemCalls.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvis {
namespace {

using namespace std::chrono;
using test::ReadAll;

Gespraech Anruf() {
    return test::BeispielAnruf().MitZone(1, QStringLiteral("0711 123456"),
                                         QStringLiteral("mit Kommentar"));
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

class LogWriterFault : public ::testing::Test {
protected:
    QString Pfad(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

TEST_F(LogWriterFault, FailedOpensAreReportedWithTheSystemsReason) {
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

TEST_F(LogWriterFault, AWriteCutShortLeavesTheFileAsItWas) {
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

TEST_F(LogWriterFault, AFailedFirstSaveLeavesNoFileSoTheNextGetsTheHeading) {
    const QString pfad = Pfad(QStringLiteral("neu.Rep"));
    const SchreibErgebnis ergebnis = SpeichereMitGrenze(pfad, 100);
    EXPECT_FALSE(ergebnis);
    EXPECT_EQ(ergebnis.grund, QStringLiteral("Die Datei ist zu groß"));
    EXPECT_FALSE(QFileInfo::exists(pfad));

    ASSERT_TRUE(AppendCallRecord(pfad, Anruf()));
    EXPECT_TRUE(ReadAll(pfad).startsWith(KopfZeilen()));
}

TEST_F(LogWriterFault, ADeviceThatFailsIsNeverRemoved) {
    EXPECT_FALSE(AppendCallRecord(QStringLiteral("/dev/full"), Anruf()));
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("/dev/full")));
}

// Another program holds the log's lock: the save only tries, asks its caller between tries, and
// gives up with its own reason when the caller says so, writing nothing.
TEST_F(LogWriterFault, ALockedLogIsTriedAndGivenUpWithoutWriting) {
    const QString pfad = Pfad(QStringLiteral("Tarvis.Rep"));
    ASSERT_TRUE(AppendCallRecord(pfad, Anruf()));
    const QByteArray vorher = ReadAll(pfad);
    const int anderes = ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(anderes, LOCK_EX), 0);

    struct Fall {
        const char* name;
        int freiNach;     // tries after which the other program lets go; -1 never
        int aufgebenNach; // tries after which the caller gives up
        bool geschrieben;
    };
    for (const Fall& fall : {Fall{"the caller gives up", -1, 3, false},
                             Fall{"the other program lets go in time", 2, 5, true}}) {
        SCOPED_TRACE(fall.name);
        int versuche = 0;
        SpeicherArt art;
        art.nochmalVersuchen = [&] {
            ++versuche;
            if (versuche == fall.freiNach) {
                ::flock(anderes, LOCK_UN);
            }
            return versuche < fall.aufgebenNach;
        };
        const SchreibErgebnis ergebnis = AppendCallRecord(pfad, Anruf(), art);
        EXPECT_EQ(static_cast<bool>(ergebnis), fall.geschrieben);
        if (fall.geschrieben) {
            EXPECT_EQ(versuche, fall.freiNach);
            EXPECT_EQ(ReadAll(pfad),
                      vorher + SatzZeile(Anruf()) + KommentarZeile(Anruf().kommentar));
        } else {
            EXPECT_EQ(versuche, fall.aufgebenNach);
            EXPECT_EQ(ergebnis.grund, GesperrtGrund());
            EXPECT_EQ(ReadAll(pfad), vorher);
        }
    }
    ::close(anderes);
}

// A pipe someone reads or a device as the log has no beginning the program could look at: it
// gets the heading before the record, as a log that does not exist yet.
TEST_F(LogWriterFault, APipeThatIsReadGetsTheHeadingAsANewLog) {
    const QString rohr = Pfad(QStringLiteral("rohr.Rep"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(rohr).constData(), 0600), 0);
    const int leser = ::open(QFile::encodeName(rohr).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leser, 0);
    ASSERT_TRUE(AppendCallRecord(rohr, Anruf()));
    QByteArray gelesen(4096, '\0');
    const ssize_t n = ::read(leser, gelesen.data(), gelesen.size());
    ::close(leser);
    ASSERT_GT(n, 0);
    gelesen.resize(n);
    EXPECT_EQ(gelesen, KopfZeilen() + SatzZeile(Anruf()) + KommentarZeile(Anruf().kommentar));
}

// Where nameless files are missing, scratch files left by killed programs are removed, also one
// whose program number this program now has; one of a program still running is left alone.
TEST_F(LogWriterFault, ScratchFilesOfKilledProgramsAreRemoved) {
    const pid_t tot = ::fork();
    if (tot == 0) {
        ::_exit(0);
    }
    ::waitpid(tot, nullptr, 0);
    const auto name = [](pid_t pid, int n) {
        return QStringLiteral(".Tarvis32-%1-%2.neu").arg(pid).arg(n);
    };
    const QStringList liegenGeblieben = {name(tot, 1), name(::getpid(), 1), name(::getpid(), 2)};
    const QString lebt = name(::getppid(), 7);
    for (const QString& datei : liegenGeblieben + QStringList{lebt}) {
        QFile f(Pfad(datei));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    static const Systemaufrufe ohneNamenlose = test::OhneNamenloseDateien();
    SpeicherArt art;
    art.system = &ohneNamenlose;
    const SchreibErgebnis ergebnis =
        AppendCallRecord(Pfad(QStringLiteral("Tarvis.Rep")), Anruf(), art);
    ASSERT_TRUE(ergebnis) << ergebnis.grund.toStdString();
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{lebt, QStringLiteral("Tarvis.Rep")}));
}

// A program killed in the middle of creating a new log leaves nothing: no log without its
// record, no scratch file.
TEST_F(LogWriterFault, AProgramKilledWhileCreatingALogLeavesNothing) {
    const QString pfad = Pfad(QStringLiteral("Tarvis.Rep"));
    const pid_t kind = ::fork();
    if (kind == 0) {
        static Systemaufrufe getoetet = EchteSystemaufrufe();
        getoetet.write = [](int fd, const void* puffer, size_t n) -> ssize_t {
            [[maybe_unused]] const auto halb = ::write(fd, puffer, n / 2);
            ::raise(SIGKILL);
            return -1;
        };
        SpeicherArt art;
        art.system = &getoetet;
        AppendCallRecord(pfad, Anruf(), art);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(kind, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty());
}

// A log the user may write but not read: its last byte is unknown, so the record starts on a
// line of its own; the cost is an empty line where the last line was ended.
TEST_F(LogWriterFault, ALogThatCannotBeReadGetsTheRecordOnALineOfItsOwn) {
    static const Systemaufrufe nurSchreiben = test::OeffnenVerweigert<O_ACCMODE, O_RDWR, EACCES>();
    SpeicherArt art;
    art.system = &nurSchreiben;
    const QByteArray satz = SatzZeile(Anruf()) + KommentarZeile(Anruf().kommentar);
    for (const QByteArray& vorher : {QByteArray("Notiz"), QByteArray("Notiz\r\n"), QByteArray()}) {
        SCOPED_TRACE(vorher.toStdString());
        const QString pfad = Pfad(QStringLiteral("nur-schreiben.Rep"));
        QFile datei(pfad);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
        datei.write(vorher);
        datei.close();
        ASSERT_TRUE(AppendCallRecord(pfad, Anruf(), art));
        EXPECT_EQ(ReadAll(pfad), vorher + (vorher.isEmpty() ? "" : "\r\n") + satz);
    }
}

} // namespace
} // namespace tarvis
