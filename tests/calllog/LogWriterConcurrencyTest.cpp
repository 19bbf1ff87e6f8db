// Several programs saving to one log at the same time, on a real file system, as separate
// processes: every save reported as done is in the file, whole, a failed save takes nothing of
// anybody else's with it, and the log has one heading.
#include "calllog/LogLine.h"
#include "calllog/LogWriter.h"
#include "support/SampleCall.h"
#include "support/SystemCalls.h"
#include "support/TempDir.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tarvis {
namespace {

// One save, named by its telephone number.
Gespraech Eintrag(const std::string& nummer) {
    return test::BeispielAnruf().MitZone(4, QString::fromStdString(nummer));
}

// The system the started processes save through.
SpeicherArt artDerKinder;

struct Prozess {
    pid_t pid = -1;
    int antworten = -1; // one line per save: "+nummer" written, "-nummer" refused
};

// Starts a process that waits at the pipe `start` until the test closes its writing end, then
// makes its saves; with
// `grenze`, the files it writes may grow to that many bytes only, as on a filling disk.
Prozess Starte(const QString& pfad, const std::vector<std::string>& nummern, const int (&start)[2],
               rlim_t grenze = RLIM_INFINITY) {
    int rohr[2];
    if (::pipe(rohr) != 0) {
        return {};
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(rohr[0]);
        ::close(start[1]);
        ::signal(SIGXFSZ, SIG_IGN);
        if (grenze != RLIM_INFINITY) {
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = grenze;
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        char warte = 0;
        [[maybe_unused]] const auto gelesen = ::read(start[0], &warte, 1);
        for (const std::string& nummer : nummern) {
            const bool ok =
                static_cast<bool>(AppendCallRecord(pfad, Eintrag(nummer), artDerKinder));
            const std::string antwort = (ok ? "+" : "-") + nummer + "\n";
            [[maybe_unused]] const auto n = ::write(rohr[1], antwort.data(), antwort.size());
        }
        ::_exit(0);
    }
    ::close(rohr[1]);
    return {pid, rohr[0]};
}

// The numbers whose saves the process reported as done, once it has ended.
std::set<std::string> Gespeichert(const Prozess& prozess, int& abgelehnt) {
    std::string alles;
    char puffer[4096];
    for (ssize_t n; (n = ::read(prozess.antworten, puffer, sizeof puffer)) > 0;) {
        alles.append(puffer, static_cast<std::size_t>(n));
    }
    ::close(prozess.antworten);
    ::waitpid(prozess.pid, nullptr, 0);
    std::set<std::string> nummern;
    std::size_t beginn = 0;
    for (std::size_t ende; (ende = alles.find('\n', beginn)) != std::string::npos;
         beginn = ende + 1) {
        const std::string zeile = alles.substr(beginn, ende - beginn);
        if (zeile.front() == '+') {
            nummern.insert(zeile.substr(1));
        } else {
            ++abgelehnt;
        }
    }
    return nummern;
}

// What the log holds: the numbers of its records, how many headings, and whether every line is
// a heading line or a whole record.
struct Inhalt {
    std::multiset<std::string> nummern;
    int koepfe = 0;
    bool allesGanz = true;
};

Inhalt LiesInhalt(const QString& pfad) {
    Inhalt inhalt;
    const QByteArray bytes = test::ReadAll(pfad);
    const QByteArray kopf = KopfZeilen();
    const QList<QByteArray> kopfZeilen = kopf.split('\n');
    for (QByteArray zeile : bytes.split('\n')) {
        if (zeile.isEmpty()) {
            continue; // after the last line end
        }
        if (!zeile.endsWith('\r')) {
            inhalt.allesGanz = false;
            continue;
        }
        if (zeile + '\n' == kopfZeilen[0] + '\n') {
            ++inhalt.koepfe;
        }
        if (kopfZeilen.contains(zeile)) {
            continue;
        }
        const GeleseneLogZeile gelesen = LiesLogZeile(zeile.chopped(1).toStdString());
        if (gelesen.art != ZeilenArt::Satz || zeile.size() != 110) {
            inhalt.allesGanz = false;
            continue;
        }
        inhalt.nummern.insert(gelesen.gespraech.telefon);
    }
    return inhalt;
}

TEST(LogWriterConcurrency, SeveralProgramsAppendWhileOneRunsOutOfRoom) {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("Tarvis 12-1996.Rep"));
    ASSERT_TRUE(AppendCallRecord(pfad, Eintrag("erster")));
    const auto groesse = static_cast<rlim_t>(test::ReadAll(pfad).size());

    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<Prozess> prozesse;
    for (int p = 0; p < 5; ++p) {
        std::vector<std::string> nummern;
        // Process 0 keeps trying while the others write, so that its failing saves fall
        // between theirs.
        for (int i = 0; i < (p == 0 ? 400 : 150); ++i) {
            nummern.push_back("P" + std::to_string(p) + "-" + std::to_string(i));
        }
        // Process 0 has room for a few records only; the limit falls inside one of its records
        // or past the end of the file when the others have written.
        prozesse.push_back(Starte(pfad, nummern, start, p == 0 ? groesse + 1500 : RLIM_INFINITY));
    }
    ::close(start[0]);
    ::close(start[1]); // all start together

    std::multiset<std::string> erwartet{"erster"};
    int abgelehnt = 0;
    for (const Prozess& prozess : prozesse) {
        for (const std::string& nummer : Gespeichert(prozess, abgelehnt)) {
            erwartet.insert(nummer);
        }
    }
    EXPECT_GT(abgelehnt, 0); // the full disk did stop some saves

    const Inhalt inhalt = LiesInhalt(pfad);
    EXPECT_TRUE(inhalt.allesGanz);
    EXPECT_EQ(inhalt.koepfe, 1);
    EXPECT_EQ(inhalt.nummern, erwartet);
}

// A file system without files that have no name and without hard links (as FAT): the log is
// created through a scratch file that takes the log's name, never over another program's log.
Systemaufrufe OhneVerweise() {
    Systemaufrufe system = test::OhneNamenloseDateien();
    system.linkat = [](int, const char*) {
        errno = EPERM;
        return -1;
    };
    return system;
}

TEST(LogWriterConcurrency, SeveralProgramsCreatingANewLogAtOnceWriteOneHeading) {
    static const Systemaufrufe ohneVerweise = OhneVerweise();
    for (int versuch = 0; versuch < 80; ++versuch) {
        SCOPED_TRACE(versuch);
        artDerKinder.system = versuch % 2 == 0 ? &EchteSystemaufrufe() : &ohneVerweise;
        QTemporaryDir dir;
        const QString pfad = dir.filePath(QStringLiteral("Tarvis 01-1997.Rep"));
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        std::vector<Prozess> prozesse;
        for (int p = 0; p < 6; ++p) {
            prozesse.push_back(Starte(pfad, {"N" + std::to_string(p)}, start));
        }
        ::close(start[0]);
        ::close(start[1]);
        std::multiset<std::string> erwartet;
        int abgelehnt = 0;
        for (const Prozess& prozess : prozesse) {
            for (const std::string& nummer : Gespeichert(prozess, abgelehnt)) {
                erwartet.insert(nummer);
            }
        }
        EXPECT_EQ(abgelehnt, 0);
        const Inhalt inhalt = LiesInhalt(pfad);
        ASSERT_EQ(inhalt.koepfe, 1);
        EXPECT_TRUE(inhalt.allesGanz);
        EXPECT_EQ(inhalt.nummern, erwartet);
        EXPECT_TRUE(test::ReadAll(pfad).startsWith(KopfZeilen()));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
    artDerKinder = {};
}

} // namespace
} // namespace tarvis
