// Every call a save makes to the system, made to fail in turn with each reason a user's machine
// can give: afterwards the log is as it was or holds the record whole and once, nothing else is
// left in its folder, and a refused save names the reason in German.
#include "calllog/LogWriter.h"
#include "support/SampleCall.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvis {
namespace {

using test::ReadAll;

enum Aufruf {
    Open,
    Flock,
    Fstat,
    Pread,
    Write,
    Fsync,
    Ftruncate,
    Close,
    Link,
    Rename,
    Unlink,
    Anzahl
};
constexpr const char* AufrufName[Anzahl] = {"open",   "flock",  "fstat",     "pread",
                                            "write",  "fsync",  "ftruncate", "close",
                                            "linkat", "rename", "unlink"};

// What the system may answer on a user's machine, and the words the user reads for it.
const std::map<int, QString> GrundAuf = {
    {EIO, QStringLiteral("Ein-/Ausgabefehler")},
    {ENOSPC, QStringLiteral("Kein Platz mehr auf dem Datenträger")},
    {EDQUOT, QStringLiteral("Das Speicherkontingent ist erschöpft")},
    {EFBIG, QStringLiteral("Die Datei ist zu groß")},
    {EACCES, QStringLiteral("Keine Berechtigung")},
    {EPERM, QStringLiteral("Keine Berechtigung")},
    {EROFS, QStringLiteral("Das Dateisystem ist schreibgeschützt")},
    {ENOENT, QStringLiteral("Datei oder Verzeichnis nicht gefunden")},
    {EINTR, QStringLiteral("Der Vorgang wurde unterbrochen")},
    {EAGAIN, QStringLiteral("Die Ressource ist zur Zeit nicht verfügbar")},
    {ENOLCK, QStringLiteral("Es sind keine Sperren mehr verfügbar")},
    {EMFILE, QStringLiteral("Zu viele offene Dateien")},
    {ENFILE, QStringLiteral("Zu viele offene Dateien im System")},
    {ENOMEM, QStringLiteral("Nicht genügend Hauptspeicher")},
    {ESTALE, QStringLiteral("Die Datei ist auf dem Server nicht mehr vorhanden")},
};

// The plan of one trial: the how-manieth call of which kind fails with what, and whether a
// write first takes half of what it is given, as a disk that fills up does.
struct Stoerung {
    Aufruf aufruf = Anzahl;
    int nummer = -1;
    int fehler = 0;
    bool halb = false;
};

// What the machine lacks in a scenario, all trials long.
struct Dateisystem {
    bool ohneNamenlose = false; // no files without a name (O_TMPFILE)
    bool ohneVerweise = false;  // no hard links, no rename that refuses to replace
};

Stoerung plan;
Dateisystem fs;
std::array<int, Anzahl> zaehler{};

bool Trifft(Aufruf aufruf) {
    const int n = zaehler[aufruf]++;
    if (plan.aufruf == aufruf && plan.nummer == n) {
        errno = plan.fehler;
        return true;
    }
    return false;
}

const Systemaufrufe& Echt() {
    return EchteSystemaufrufe();
}

const Systemaufrufe Gestoert{
    [](const char* pfad, int flags, mode_t modus) {
        if (Trifft(Open)) {
            return -1;
        }
        if (fs.ohneNamenlose && (flags & O_TMPFILE) == O_TMPFILE) {
            errno = EOPNOTSUPP;
            return -1;
        }
        return Echt().open(pfad, flags, modus);
    },
    [](int fd, int art) { return Trifft(Flock) ? -1 : Echt().flock(fd, art); },
    [](int fd, struct stat* info) { return Trifft(Fstat) ? -1 : Echt().fstat(fd, info); },
    [](int fd, void* puffer, size_t n, off_t stelle) -> ssize_t {
        return Trifft(Pread) ? -1 : Echt().pread(fd, puffer, n, stelle);
    },
    [](int fd, const void* puffer, size_t n) -> ssize_t {
        if (plan.halb && plan.aufruf == Write && plan.nummer == zaehler[Write] && n > 1) {
            ++plan.nummer; // the next write fails
            ++zaehler[Write];
            return Echt().write(fd, puffer, n / 2);
        }
        return Trifft(Write) ? -1 : Echt().write(fd, puffer, n);
    },
    [](int fd) { return Trifft(Fsync) ? -1 : Echt().fsync(fd); },
    [](int fd, off_t laenge) { return Trifft(Ftruncate) ? -1 : Echt().ftruncate(fd, laenge); },
    [](int fd) {
        // A failed close still closes, as on Linux.
        const bool trifft = Trifft(Close);
        const int ergebnis = Echt().close(fd);
        if (trifft) {
            errno = plan.fehler;
            return -1;
        }
        return ergebnis;
    },
    [](int fd, const char* pfad) {
        if (Trifft(Link)) {
            return -1;
        }
        if (fs.ohneVerweise) {
            errno = EPERM;
            return -1;
        }
        return Echt().linkat(fd, pfad);
    },
    [](const char* alt, const char* neu) {
        if (Trifft(Rename)) {
            return -1;
        }
        if (fs.ohneVerweise) {
            errno = EINVAL;
            return -1;
        }
        return Echt().rename(alt, neu);
    },
    [](const char* pfad) { return Trifft(Unlink) ? -1 : Echt().unlink(pfad); },
};

Gespraech Anruf() {
    return test::BeispielAnruf().MitZone(3, QStringLiteral("0711 123456"), QStringLiteral("Oma"));
}

struct Szenario {
    const char* name;
    Dateisystem fs;
    std::optional<QByteArray> vorher; // none: the log does not exist yet
    QByteArray zwischen;              // what ends the last line before the record
};

void PrintTo(const Szenario& s, std::ostream* os) {
    *os << s.name;
}

class SaveFaultInjection : public ::testing::TestWithParam<Szenario> {
protected:
    void SetUp() override {
        fs = GetParam().fs;
        plan = {};
    }
    void TearDown() override {
        fs = {};
        plan = {};
    }

    // One save in a fresh folder, with the plan in force.
    SchreibErgebnis Speichere(const QTemporaryDir& dir, const Stoerung& stoerung) {
        const Szenario& s = GetParam();
        if (s.vorher) {
            QFile datei(Pfad(dir));
            EXPECT_TRUE(datei.open(QIODevice::WriteOnly));
            datei.write(*s.vorher);
        }
        zaehler = {};
        plan = stoerung;
        SpeicherArt art;
        art.system = &Gestoert;
        const SchreibErgebnis ergebnis = AppendCallRecord(Pfad(dir), Anruf(), art);
        plan = {};
        return ergebnis;
    }

    static QString Pfad(const QTemporaryDir& dir) {
        return dir.filePath(QStringLiteral("Tarvis.Rep"));
    }
};

TEST_P(SaveFaultInjection, EveryFailingCallLeavesTheLogWholeAndSaysWhyInGerman) {
    const Szenario& s = GetParam();
    const QByteArray satz = SatzZeile(Anruf()) + KommentarZeile(Anruf().kommentar);
    const QByteArray vorher = s.vorher.value_or(QByteArray());
    const QByteArray geschrieben = vorher + (s.vorher ? s.zwischen : KopfZeilen()) + satz;

    // A save that nothing disturbs, to count its calls.
    QTemporaryDir sauber;
    ASSERT_TRUE(Speichere(sauber, {}));
    ASSERT_EQ(ReadAll(Pfad(sauber)), geschrieben);
    const std::array<int, Anzahl> anzahl = zaehler;

    int versuche = 0;
    for (int aufruf = 0; aufruf < Anzahl; ++aufruf) {
        for (int nummer = 0; nummer < anzahl[aufruf]; ++nummer) {
            for (const auto& [fehler, grund] : GrundAuf) {
                for (const bool halb : {false, true}) {
                    if (halb && aufruf != Write) {
                        continue;
                    }
                    SCOPED_TRACE(testing::Message()
                                 << AufrufName[aufruf] << " #" << nummer << " fails with "
                                 << ::strerrorname_np(fehler) << (halb ? " after half" : ""));
                    ++versuche;
                    QTemporaryDir dir;
                    const SchreibErgebnis ergebnis =
                        Speichere(dir, {static_cast<Aufruf>(aufruf), nummer, fehler, halb});
                    const QStringList inhalt = QDir(dir.path())
                                                   .entryList(QDir::AllEntries | QDir::Hidden |
                                                              QDir::System | QDir::NoDotAndDotDot);
                    // A call that waits (for a lock, a disk, a pipe) and was interrupted by a
                    // signal is made again, not reported.
                    if (fehler == EINTR &&
                        (aufruf == Open || aufruf == Flock || aufruf == Pread || aufruf == Write)) {
                        EXPECT_TRUE(ergebnis) << ergebnis.grund.toStdString();
                    }
                    if (ergebnis) {
                        // A log that could not be read gets a line end before the record.
                        const bool ungelesen = s.vorher && (aufruf == Pread || aufruf == Open) &&
                                               ReadAll(Pfad(dir)) != geschrieben;
                        EXPECT_EQ(ReadAll(Pfad(dir)),
                                  ungelesen ? vorher + "\r\n" + satz : geschrieben);
                    } else {
                        EXPECT_EQ(ergebnis.grund, grund);
                        if (s.vorher) {
                            EXPECT_EQ(ReadAll(Pfad(dir)), vorher);
                        } else {
                            EXPECT_FALSE(QFileInfo::exists(Pfad(dir)));
                        }
                    }
                    // Nothing but the log: no scratch file, no second name. A scratch file
                    // that could not be removed is removed by the next save.
                    if (aufruf == Unlink && inhalt.size() > 1) {
                        plan = {};
                        EXPECT_TRUE(AppendCallRecord(Pfad(dir), Anruf()));
                    }
                    EXPECT_EQ(QDir(dir.path())
                                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                             QDir::NoDotAndDotDot)
                                  .size(),
                              ergebnis || s.vorher ? 1 : 0)
                        << inhalt.join(' ').toStdString();
                }
            }
        }
    }
    EXPECT_GT(versuche, 100);
}

const QByteArray Vorhanden = KopfZeilen() + "07.12.96   14:05:33   07.12.96   14:09:12   "
                                            "00:03:39,2   0711              City              2"
                                            "        0,24 DM\r\n";

INSTANTIATE_TEST_SUITE_P(
    Saves, SaveFaultInjection,
    ::testing::Values(Szenario{"new_log", {}, std::nullopt, {}},
                      Szenario{"new_log_without_nameless_files", {true, false}, std::nullopt, {}},
                      Szenario{"new_log_without_hard_links", {true, true}, std::nullopt, {}},
                      Szenario{"existing_log", {}, Vorhanden, {}},
                      Szenario{"existing_empty_log", {}, QByteArray(), {}},
                      Szenario{"existing_log_last_line_unended", {}, Vorhanden + "Notiz", "\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvis
