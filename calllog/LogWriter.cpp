#include "calllog/LogWriter.h"

#include "calllog/LogFormat.h"
#include "calllog/LogRecord.h"
#include "platform/SystemReason.h"

#include <QFile>
#include <QtGlobal>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tarvis {

namespace {

SchreibErgebnis Fehler(int fehlernummer) {
    return {false, SystemGrund(fehlernummer)};
}

// Marks the one refusal that is no error of the system: another program holds the lock.
constexpr int Gesperrt = -1;

SchreibErgebnis Ergebnis(int fehler) {
    if (fehler == 0) {
        return {true, {}};
    }
    return fehler == Gesperrt ? SchreibErgebnis{false, GesperrtGrund()} : Fehler(fehler);
}

// Closes a file descriptor when it goes out of scope (a lock on it goes with it).
class Deskriptor {
public:
    Deskriptor(const Systemaufrufe& system, int fd) : system_(system), fd_(fd) {}
    Deskriptor(const Deskriptor&) = delete;
    Deskriptor& operator=(const Deskriptor&) = delete;
    ~Deskriptor() {
        if (fd_ >= 0) {
            system_.close(fd_);
        }
    }
    int get() const { return fd_; }
    // Closes now, with the system's answer: a file system may report a failed write only here.
    int Schliesse() {
        const int fd = fd_;
        fd_ = -1;
        return system_.close(fd) == 0 ? 0 : errno;
    }

private:
    const Systemaufrufe& system_;
    int fd_;
};

// Everything a save does with the system goes through here.
class Speichern {
public:
    explicit Speichern(const SpeicherArt& art) : art_(art), sys_(*art.system) {}

    SchreibErgebnis Anhaengen(const std::string& pfad, const QByteArray& satz);

private:
    enum class Anlage { Angelegt, GibtEsSchon, Fehlgeschlagen, Anders };

    int Oeffne(const char* pfad, int flags, mode_t modus = 0) {
        int fd;
        do {
            fd = sys_.open(pfad, flags, modus);
        } while (fd < 0 && errno == EINTR);
        return fd;
    }
    int SchreibeAlles(int fd, const QByteArray& bytes);
    int Sichere(int fd);
    int Sperre(int fd);
    int ZeilenendeFehlt(int fd, off_t groesse, QByteArray& vorweg);
    int SchreibeVorhandene(Deskriptor& fd, const QByteArray& satz);
    Anlage OhneNamen(const std::string& pfad, const QByteArray& inhalt, int& fehler);
    Anlage UeberEntwurf(const std::string& pfad, const QByteArray& inhalt, int& fehler);
    Anlage Direkt(const std::string& pfad, const QByteArray& inhalt, int& fehler);
    void RaeumeEntwuerfeAuf(const std::string& verzeichnis);

    const SpeicherArt& art_;
    const Systemaufrufe& sys_;
    // The folder of a scratch file this program could not remove, for the next save to try.
    static inline std::string liegenGeblieben_;
};

// The whole entry goes to the system in one write, so a reader never sees half a record.
// Only if the system takes part of it (the disk filled up) is the rest offered again, which
// then fails with the system's reason.
int Speichern::SchreibeAlles(int fd, const QByteArray& bytes) {
    const char* rest = bytes.constData();
    auto offen = static_cast<size_t>(bytes.size());
    while (offen > 0) {
        const ssize_t n = sys_.write(fd, rest, offen);
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
int Speichern::Sichere(int fd) {
    if (sys_.fsync(fd) == 0 || errno == EINVAL || errno == EROFS || errno == ENOTSUP) {
        return 0;
    }
    return errno;
}

// Waits for the exclusive lock on the log. With a caller that keeps a window alive the lock is
// only ever tried, never waited for inside the system, so the window's clock goes on.
int Speichern::Sperre(int fd) {
    const int art = art_.nochmalVersuchen ? LOCK_EX | LOCK_NB : LOCK_EX;
    while (sys_.flock(fd, art) != 0) {
        if (errno == EWOULDBLOCK && art_.nochmalVersuchen) {
            if (!art_.nochmalVersuchen()) {
                return Gesperrt;
            }
        } else if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

// The bytes that end an unended last line, so that a record never joins a line added by hand.
// A log that may be written but not read (its last byte unknown) gets a line end before the
// record all the same: an empty line costs nothing, a record glued to another line is lost.
int Speichern::ZeilenendeFehlt(int fd, off_t groesse, QByteArray& vorweg) {
    if (groesse == 0) {
        return 0;
    }
    char letztes = '\n';
    ssize_t n;
    do {
        n = sys_.pread(fd, &letztes, 1, groesse - 1);
    } while (n < 0 && errno == EINTR);
    if (n != 1) {
        vorweg = LogZeilenende;
    } else if (letztes == '\r') {
        vorweg = "\n";
    } else if (letztes != '\n') {
        vorweg = LogZeilenende;
    }
    return 0;
}

// Appends to a log that exists: whatever is at the name now is an existing log and gets no
// heading, however empty. The exclusive lock is held from before the file's size is read until
// the file is closed: another program saving to the same log waits, so neither a rollback nor
// a decision about the last line ever touches another program's record. A pipe or a device
// has no beginning to look at, so it gets the heading as a new log would.
int Speichern::SchreibeVorhandene(Deskriptor& fd, const QByteArray& satz) {
    struct stat vorher {};
    if (sys_.fstat(fd.get(), &vorher) != 0) {
        return errno;
    }
    const bool datei = S_ISREG(vorher.st_mode);
    QByteArray inhalt = satz;
    if (datei) {
        if (const int fehler = Sperre(fd.get()); fehler != 0) {
            return fehler;
        }
        // The size that counts is the one under the lock.
        if (sys_.fstat(fd.get(), &vorher) != 0) {
            return errno;
        }
        QByteArray vorweg;
        ZeilenendeFehlt(fd.get(), vorher.st_size, vorweg);
        inhalt.prepend(vorweg);
    } else {
        inhalt.prepend(KopfZeilen());
    }
    int fehler = SchreibeAlles(fd.get(), inhalt);
    if (fehler == 0) {
        fehler = Sichere(fd.get());
    }
    if (fehler != 0) {
        if (datei) {
            [[maybe_unused]] const int ignoriert = sys_.ftruncate(fd.get(), vorher.st_size);
        }
        return fehler;
    }
    // On the disk already: a file's close can add no fault. A device may report one only here.
    const int beimSchliessen = fd.Schliesse();
    return datei ? 0 : beimSchliessen;
}

std::string Verzeichnis(const std::string& pfad) {
    const std::size_t schraegstrich = pfad.rfind('/');
    return schraegstrich == std::string::npos ? std::string(".")
                                              : pfad.substr(0, schraegstrich + 1);
}

// Reasons to take another way of creating the log, because this file system lacks the first.
bool FehltDemDateisystem(int fehler) {
    return fehler == EOPNOTSUPP || fehler == ENOTSUP || fehler == EISDIR || fehler == EINVAL ||
           fehler == ENOSYS || fehler == EPERM || fehler == EMLINK || fehler == EXDEV;
}

// A new log is written whole into a file without a name in the log's directory, and given the
// log's name only then: nobody ever sees the log without its heading, the name is refused if
// another program created the log in the meantime (which is then appended to), and a program
// killed before that leaves nothing behind.
Speichern::Anlage Speichern::OhneNamen(const std::string& pfad, const QByteArray& inhalt,
                                       int& fehler) {
    Deskriptor fd(sys_, Oeffne(Verzeichnis(pfad).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        fehler = errno;
        return FehltDemDateisystem(fehler) ? Anlage::Anders : Anlage::Fehlgeschlagen;
    }
    fehler = SchreibeAlles(fd.get(), inhalt);
    if (fehler == 0) {
        fehler = Sichere(fd.get());
    }
    if (fehler != 0) {
        return Anlage::Fehlgeschlagen;
    }
    if (sys_.linkat(fd.get(), pfad.c_str()) != 0) {
        fehler = errno;
        if (fehler == EEXIST) {
            return Anlage::GibtEsSchon;
        }
        // Without /proc or without hard links the named scratch file is the way.
        return FehltDemDateisystem(fehler) || fehler == ENOENT ? Anlage::Anders
                                                               : Anlage::Fehlgeschlagen;
    }
    fehler = 0;
    return Anlage::Angelegt;
}

// The program's scratch files: ".Tarvis32-PID-N.neu".
std::optional<pid_t> EntwurfVon(const char* name) {
    static constexpr std::string_view Vorne = ".Tarvis32-";
    static constexpr std::string_view Hinten = ".neu";
    const std::string_view text(name);
    if (!text.starts_with(Vorne) || !text.ends_with(Hinten)) {
        return std::nullopt;
    }
    const std::string_view mitte = text.substr(Vorne.size(), text.size() - Vorne.size() - 4);
    const std::size_t strich = mitte.find('-');
    if (strich == 0 || strich == std::string_view::npos || strich > 9) {
        return std::nullopt;
    }
    pid_t pid = 0;
    for (const char c : mitte.substr(0, strich)) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

// Scratch files of programs that were killed while saving. This program keeps none between two
// saves, so one with its own number is as stale as one of a program that has ended.
void Speichern::RaeumeEntwuerfeAuf(const std::string& verzeichnis) {
    DIR* ordner = ::opendir(verzeichnis.c_str());
    if (ordner == nullptr) {
        return;
    }
    while (const dirent* eintrag = ::readdir(ordner)) {
        const auto pid = EntwurfVon(eintrag->d_name);
        if (pid && (*pid == ::getpid() || (::kill(*pid, 0) != 0 && errno == ESRCH))) {
            sys_.unlink((verzeichnis + '/' + eintrag->d_name).c_str());
        }
    }
    ::closedir(ordner);
}

// Where files without a name are missing: the new log is written whole into a scratch file
// beside it, which then takes the log's name unless that exists.
Speichern::Anlage Speichern::UeberEntwurf(const std::string& pfad, const QByteArray& inhalt,
                                          int& fehler) {
    const std::string verzeichnis = Verzeichnis(pfad);
    RaeumeEntwuerfeAuf(verzeichnis);
    static unsigned zaehler = 0;
    std::string entwurf;
    int roh = -1;
    for (int versuch = 0; roh < 0 && versuch < 100; ++versuch) {
        entwurf = verzeichnis + "/.Tarvis32-" + std::to_string(::getpid()) + '-' +
                  std::to_string(++zaehler) + ".neu";
        roh = Oeffne(entwurf.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (roh < 0 && errno != EEXIST) {
            break;
        }
    }
    Deskriptor fd(sys_, roh);
    if (fd.get() < 0) {
        fehler = errno == EEXIST ? EACCES : errno;
        return Anlage::Fehlgeschlagen;
    }
    fehler = SchreibeAlles(fd.get(), inhalt);
    if (fehler == 0) {
        fehler = Sichere(fd.get());
    }
    if (fehler == 0) {
        fehler = fd.Schliesse();
    }
    if (fehler == 0 && sys_.rename(entwurf.c_str(), pfad.c_str()) == 0) {
        return Anlage::Angelegt;
    }
    if (fehler == 0) {
        fehler = errno;
    }
    if (sys_.unlink(entwurf.c_str()) != 0) {
        liegenGeblieben_ = verzeichnis;
    }
    if (fehler == EEXIST) {
        return Anlage::GibtEsSchon;
    }
    return fehler == EINVAL || fehler == ENOSYS || fehler == ENOTSUP ? Anlage::Anders
                                                                     : Anlage::Fehlgeschlagen;
}

// The last way, for a file system that can neither do that: the log is created under its name
// at once and locked straight away, and removed again if the save fails.
Speichern::Anlage Speichern::Direkt(const std::string& pfad, const QByteArray& inhalt,
                                    int& fehler) {
    Deskriptor fd(sys_,
                  Oeffne(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        fehler = errno;
        return fehler == EEXIST ? Anlage::GibtEsSchon : Anlage::Fehlgeschlagen;
    }
    sys_.flock(fd.get(), LOCK_EX | LOCK_NB);
    fehler = SchreibeAlles(fd.get(), inhalt);
    if (fehler == 0) {
        fehler = Sichere(fd.get());
    }
    if (fehler != 0) {
        sys_.unlink(pfad.c_str());
        return Anlage::Fehlgeschlagen;
    }
    return Anlage::Angelegt;
}

SchreibErgebnis Speichern::Anhaengen(const std::string& pfad, const QByteArray& satz) {
    if (!liegenGeblieben_.empty()) {
        RaeumeEntwuerfeAuf(std::exchange(liegenGeblieben_, {}));
    }
    // A log that another program creates in the meantime is appended to: "exists" is never an
    // error here, and the next round finds the log.
    for (int runde = 0; runde < 3; ++runde) {
        struct stat info {};
        const bool datei = ::stat(pfad.c_str(), &info) == 0 && S_ISREG(info.st_mode);
        // Not blocking: a name that is a pipe nobody reads would otherwise hang the program
        // here; it fails at once instead. A file is opened for reading too, to see its last
        // byte, unless the user may only write it.
        const int schreiben = O_APPEND | O_CLOEXEC | O_NOCTTY;
        int roh =
            Oeffne(pfad.c_str(), datei ? O_RDWR | schreiben : O_WRONLY | O_NONBLOCK | schreiben);
        if (roh < 0 && datei && errno == EACCES) {
            roh = Oeffne(pfad.c_str(), O_WRONLY | schreiben);
        }
        if (roh >= 0) {
            Deskriptor fd(sys_, roh);
            return Ergebnis(SchreibeVorhandene(fd, satz));
        }
        if (errno != ENOENT) {
            return Fehler(errno);
        }
        const QByteArray neu = KopfZeilen() + satz;
        int fehler = 0;
        Anlage anlage = OhneNamen(pfad, neu, fehler);
        if (anlage == Anlage::Anders) {
            anlage = UeberEntwurf(pfad, neu, fehler);
        }
        if (anlage == Anlage::Anders) {
            anlage = Direkt(pfad, neu, fehler);
        }
        if (anlage != Anlage::GibtEsSchon) {
            return Ergebnis(anlage == Anlage::Angelegt ? 0 : fehler);
        }
    }
    return Fehler(EAGAIN);
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

int VerbindeOhneNamen(int fd, const char* pfad) {
    // Naming a file by its descriptor needs a privilege that /proc/self/fd does not.
    if (::linkat(fd, "", AT_FDCWD, pfad, AT_EMPTY_PATH) == 0) {
        return 0;
    }
    if (errno != ENOENT) {
        return -1;
    }
    const std::string ueberProc = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, ueberProc.c_str(), AT_FDCWD, pfad, AT_SYMLINK_FOLLOW);
}

int BenenneOhneUeberschreiben(const char* alt, const char* neu) {
    return ::renameat2(AT_FDCWD, alt, AT_FDCWD, neu, RENAME_NOREPLACE);
}

} // namespace

// Hidden files (a leading dot) are files like any other here: a log the user keeps hidden
// must not get a second heading in the middle.
bool FileExist(const QString& pFileName) {
    if (pFileName.isEmpty()) {
        return false;
    }
    struct stat info {};
    return ::stat(QFile::encodeName(pFileName).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

const Systemaufrufe& EchteSystemaufrufe() {
    static const Systemaufrufe echte{
        [](const char* pfad, int flags, mode_t modus) { return ::open(pfad, flags, modus); },
        ::flock,
        ::fstat,
        ::pread,
        ::write,
        ::fsync,
        ::ftruncate,
        ::close,
        VerbindeOhneNamen,
        BenenneOhneUeberschreiben,
        ::unlink,
    };
    return echte;
}

QString GesperrtGrund() {
    return QStringLiteral("Die Logbuchdatei ist von einem anderen Programm gesperrt");
}

SchreibErgebnis AppendCallRecord(const QString& pFileName, const Gespraech& gespraech,
                                 const SpeicherArt& art) {
    const QByteArray satz = SatzZeile(gespraech) + KommentarZeile(gespraech.kommentar);
    if (pFileName.isEmpty()) {
        return Fehler(ENOENT);
    }
    return Speichern(art).Anhaengen(Verweisziel(QFile::encodeName(pFileName).toStdString()), satz);
}

} // namespace tarvis
