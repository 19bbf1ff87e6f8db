#include "calllog/LogFile.h"

#include "calllog/Cp1252.h"
#include "calllog/LogFormat.h"
#include "platform/SystemReason.h"
#include "tariff/Format.h"
#include "tariff/GenaueZeit.h"
#include "tariff/TariffTables.h"

#include <QFile>
#include <QtGlobal>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvis {

namespace {

const QByteArray Zeilenende("\r\n");

// A field after the blanks that part it from the one before, padded to its width, never cut.
void Feld(QByteArray& zeile, const LogFeld& feld, const QByteArray& text) {
    const auto breite = static_cast<qsizetype>(feld.breite);
    zeile += QByteArray(static_cast<qsizetype>(feld.luecke), ' ');
    zeile += feld.ausrichtung == Ausrichtung::Links ? text.leftJustified(breite, ' ', false)
                                                    : text.rightJustified(breite, ' ', false);
}

// A heading line: each word at its column.
QByteArray KopfZeile(const auto& woerter) {
    QString zeile;
    for (const LogKopfWort& wort : woerter) {
        zeile = zeile.leftJustified(static_cast<qsizetype>(wort.spalte), u' ') +
                QString::fromUtf8(wort.wort.data(), static_cast<qsizetype>(wort.wort.size()));
    }
    return Cp1252Text(zeile) + Zeilenende;
}

// The program's own fields (dates, times, figures, zone names) are plain ASCII.
QByteArray Ascii(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

SchreibErgebnis Fehler(int fehlernummer) {
    return {false, SystemGrund(fehlernummer)};
}

// The whole entry goes to the system in one write, so a reader never sees half a record.
// Only if the system takes part of it (the disk filled up) is the rest offered again, which
// then fails with the system's reason.
int SchreibeAlles(int fd, const QByteArray& bytes) {
    const char* rest = bytes.constData();
    auto offen = static_cast<size_t>(bytes.size());
    while (offen > 0) {
        const ssize_t n = ::write(fd, rest, offen);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (n == 0) {
            return EIO;
        }
        rest += n;
        offen -= static_cast<size_t>(n);
    }
    return 0;
}

// A file system that reserves space only late (network shares) reports a full disk here
// rather than at the write. Devices and pipes cannot be synced, which is no fault.
int Sichere(int fd) {
    if (::fsync(fd) == 0 || errno == EINVAL || errno == EROFS || errno == ENOTSUP) {
        return 0;
    }
    return errno;
}

// Closes a file descriptor when it goes out of scope (a lock on it goes with it).
class Deskriptor {
public:
    explicit Deskriptor(int fd = -1) : fd_(fd) {}
    Deskriptor(const Deskriptor&) = delete;
    Deskriptor& operator=(const Deskriptor&) = delete;
    ~Deskriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Closes now, with the system's answer: a file system may report a failed write only here.
    int Schliesse() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// Writes a new file whole, makes sure it is on the disk and closes it; the first failure's
// reason, or 0.
int SchreibeUndSchliesse(Deskriptor& fd, const QByteArray& inhalt) {
    int fehler = SchreibeAlles(fd.get(), inhalt);
    if (fehler == 0) {
        fehler = Sichere(fd.get());
    }
    if (fehler == 0) {
        fehler = fd.Schliesse();
    }
    return fehler;
}

// The path a save writes to: a symbolic link (a user's "current log" link) is followed to its
// target, also when that target does not exist yet, so that the target is created.
std::string Verweisziel(std::string pfad) {
    for (int schritt = 0; schritt < 40; ++schritt) {
        struct stat info {};
        if (::lstat(pfad.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return pfad;
        }
        std::string ziel(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096), '\0');
        const ssize_t n = ::readlink(pfad.c_str(), ziel.data(), ziel.size());
        if (n <= 0) {
            return pfad;
        }
        ziel.resize(static_cast<std::size_t>(n));
        if (ziel.front() != '/') {
            const std::size_t schraegstrich = pfad.rfind('/');
            ziel = (schraegstrich == std::string::npos ? std::string()
                                                       : pfad.substr(0, schraegstrich + 1)) +
                   ziel;
        }
        pfad = std::move(ziel);
    }
    return pfad; // a loop of links: opening it reports it
}

// The bytes that end an unended last line, so that a record never joins a line added by hand.
int ZeilenendeFehlt(int fd, off_t groesse, QByteArray& vorweg) {
    if (groesse == 0) {
        return 0;
    }
    char letztes = '\n';
    const ssize_t n = ::pread(fd, &letztes, 1, groesse - 1);
    if (n < 0) {
        return errno;
    }
    if (letztes == '\r') {
        vorweg = "\n";
    } else if (letztes != '\n') {
        vorweg = Zeilenende;
    }
    return 0;
}

// Appends to a log that exists. The exclusive lock is held from before the file's size is read
// until the file is closed: another program saving to the same log waits, so neither a
// rollback nor a decision about the last line ever touches another program's record.
SchreibErgebnis Anhaengen(const std::string& pfad, const QByteArray& satz) {
    struct stat info {};
    const bool datei = ::stat(pfad.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    // Not blocking: a name that is a pipe nobody reads would otherwise hang the program here;
    // it fails at once instead. A file is opened for reading too, to see its last byte.
    int roh = ::open(pfad.c_str(), (datei ? O_RDWR : O_WRONLY | O_NONBLOCK) | O_APPEND | O_CLOEXEC);
    if (roh < 0 && datei && errno == EACCES) {
        roh = ::open(pfad.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC); // a file we may only write
    }
    if (roh < 0) {
        return Fehler(errno);
    }
    Deskriptor fd(roh);
    if (datei) {
        while (::flock(fd.get(), LOCK_EX) != 0) {
            if (errno != EINTR) {
                return Fehler(errno);
            }
        }
    }
    struct stat vorher {};
    if (::fstat(fd.get(), &vorher) != 0) {
        return Fehler(errno);
    }
    QByteArray vorweg;
    if (S_ISREG(vorher.st_mode)) {
        ZeilenendeFehlt(fd.get(), vorher.st_size, vorweg); // unreadable: written as it is
    }
    int fehler = SchreibeAlles(fd.get(), vorweg + satz);
    if (fehler == 0) {
        fehler = Sichere(fd.get());
    }
    if (fehler != 0) {
        if (S_ISREG(vorher.st_mode)) {
            [[maybe_unused]] const int ignoriert = ::ftruncate(fd.get(), vorher.st_size);
        }
        return Fehler(fehler);
    }
    if (const int beimSchliessen = fd.Schliesse(); beimSchliessen != 0) {
        return Fehler(beimSchliessen);
    }
    return {true, {}};
}

enum class Anlage { Angelegt, GibtEsSchon, Fehlgeschlagen, OhneVerweise };

// Creates a new log whole, heading and record at once: they are written to a scratch file
// beside it, which then gets the log's name by a hard link. The link fails if the name exists,
// so of several programs creating the same log at once exactly one creates it and the others
// append to it; and no program ever sees the new log without its heading.
Anlage LegeAn(const std::string& pfad, const QByteArray& inhalt, int& fehler) {
    const std::size_t schraegstrich = pfad.rfind('/');
    const std::string verzeichnis =
        schraegstrich == std::string::npos ? std::string() : pfad.substr(0, schraegstrich + 1);
    static unsigned zaehler = 0;
    const std::string entwurf = verzeichnis + ".Tarvis32-" + std::to_string(::getpid()) + '-' +
                                std::to_string(++zaehler) + ".neu";
    Deskriptor fd(::open(entwurf.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        fehler = errno;
        return Anlage::Fehlgeschlagen;
    }
    fehler = SchreibeUndSchliesse(fd, inhalt);
    if (fehler != 0) {
        ::unlink(entwurf.c_str());
        return Anlage::Fehlgeschlagen;
    }
    const int verlinkt = ::link(entwurf.c_str(), pfad.c_str()) == 0 ? 0 : errno;
    ::unlink(entwurf.c_str());
    switch (verlinkt) {
    case 0:
        return Anlage::Angelegt;
    case EEXIST:
        return Anlage::GibtEsSchon;
    case EPERM:
    case ENOTSUP:
    case ENOSYS:
    case EMLINK:
        return Anlage::OhneVerweise; // a file system without hard links (FAT)
    default:
        fehler = verlinkt;
        return Anlage::Fehlgeschlagen;
    }
}

// Where hard links are missing: the log is created under its name at once, and removed again
// if the save fails.
SchreibErgebnis LegeDirektAn(const std::string& pfad, const QByteArray& inhalt) {
    Deskriptor fd(::open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        return Fehler(errno);
    }
    ::flock(fd.get(), LOCK_EX);
    if (const int fehler = SchreibeUndSchliesse(fd, inhalt); fehler != 0) {
        ::unlink(pfad.c_str());
        return Fehler(fehler);
    }
    return {true, {}};
}

} // namespace

QByteArray KopfZeilen() {
    return KopfZeile(LogKopfZeile1) + KopfZeile(LogKopfZeile2) +
           QByteArray(LogSatz::Breite, LogKopfStrich) + Zeilenende + Zeilenende;
}

QByteArray SatzZeile(const LogbuchEintrag& e) {
    const GespraechsDaten& g = e.gespraech;
    QByteArray zeile;
    Feld(zeile, LogSatz::StartDatum, Ascii(DatumKurzText(DatumVon(g.start))));
    Feld(zeile, LogSatz::StartZeit, Ascii(UhrzeitText(g.start)));
    Feld(zeile, LogSatz::StopDatum, Ascii(DatumKurzText(DatumVon(g.stop))));
    Feld(zeile, LogSatz::StopZeit, Ascii(UhrzeitText(g.stop)));
    Feld(zeile, LogSatz::Dauer, Ascii(DauerText(g.dauerMs)));
    Feld(zeile, LogSatz::Telefon, Cp1252Text(e.telefon) + ' ');
    Feld(zeile, LogSatz::Zone, Ascii(ZonenName[e.zone]));
    Feld(zeile, LogSatz::Einheiten, Ascii(std::to_string(g.einheiten[e.zone])));
    Feld(zeile, LogSatz::Kosten, Ascii(BetragText(g.kostenPfennig[e.zone], LogDezimalTrenner)));
    Feld(zeile, LogSatz::Waehrung, Ascii(LogSatz::WaehrungText));
    return zeile + Zeilenende;
}

QByteArray KommentarZeile(const QString& kommentar) {
    if (kommentar.isEmpty()) {
        return {};
    }
    return QByteArray(static_cast<qsizetype>(KommentarEinzug), ' ') + Cp1252Text(kommentar) +
           Zeilenende;
}

// Hidden files (a leading dot) are files like any other here: a log the user keeps hidden
// must not get a second heading in the middle.
bool FileExist(const QString& pFileName) {
    if (pFileName.isEmpty()) {
        return false;
    }
    struct stat info {};
    return ::stat(QFile::encodeName(pFileName).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

SchreibErgebnis AppendCallRecord(const QString& pFileName, const LogbuchEintrag& eintrag) {
    const QByteArray satz = SatzZeile(eintrag) + KommentarZeile(eintrag.kommentar);
    if (pFileName.isEmpty()) {
        return Fehler(ENOENT);
    }
    const std::string pfad = Verweisziel(QFile::encodeName(pFileName).toStdString());
    // A log that another program creates in the meantime is appended to; the second round
    // always finds it.
    for (int runde = 0; runde < 2; ++runde) {
        struct stat info {};
        if (::stat(pfad.c_str(), &info) == 0 || errno != ENOENT) {
            return Anhaengen(pfad, satz);
        }
        int fehler = 0;
        switch (LegeAn(pfad, KopfZeilen() + satz, fehler)) {
        case Anlage::Angelegt:
            return {true, {}};
        case Anlage::GibtEsSchon:
            continue;
        case Anlage::OhneVerweise:
            return LegeDirektAn(pfad, KopfZeilen() + satz);
        case Anlage::Fehlgeschlagen:
            return Fehler(fehler);
        }
    }
    return Anhaengen(pfad, satz);
}

} // namespace tarvis
