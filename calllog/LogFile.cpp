#include "calllog/LogFile.h"

#include "calllog/Cp1252.h"
#include "platform/SystemReason.h"
#include "tariff/Format.h"
#include "tariff/GenaueZeit.h"
#include "tariff/TariffTables.h"

#include <QFile>
#include <QtGlobal>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvis {

namespace {

constexpr int TelefonBreite = 18;
constexpr int ZonenBreite = 13;
constexpr int EinheitenBreite = 6;
constexpr int KostenBreite = 9;
constexpr int KommentarEinzug = 57;

const QByteArray Zeilenende("\r\n");
const QByteArray Luecke(3, ' ');

// Fields are padded to their column width but never cut: a figure too wide for its column
// pushes the rest of the line to the right instead of losing digits.
QByteArray Links(const QByteArray& text, int breite) {
    return text.leftJustified(breite, ' ', false);
}

QByteArray Rechts(const QByteArray& text, int breite) {
    return text.rightJustified(breite, ' ', false);
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

struct OffeneDatei {
    int fd = -1;
    bool angelegt = false; // created by this save, so removed again if the save fails
};

// A new file is created exclusively, so that only a file this save really created is ever
// removed; a name that exists as something other than a file (a device) is opened as it is.
OffeneDatei Oeffne(const QByteArray& name, bool neu) {
    OffeneDatei datei;
    if (neu) {
        datei.fd =
            ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        datei.angelegt = datei.fd >= 0;
        if (datei.fd >= 0 || errno != EEXIST) {
            return datei;
        }
    }
    // Not blocking: a name that is a pipe nobody reads would otherwise hang the program here;
    // it fails at once instead, with the system's reason.
    datei.fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK);
    return datei;
}

void NimmZurueck(const OffeneDatei& datei, const QByteArray& name, const struct stat& vorher) {
    if (datei.angelegt) {
        ::close(datei.fd);
        ::unlink(name.constData());
        return;
    }
    if (S_ISREG(vorher.st_mode)) {
        [[maybe_unused]] const int ignoriert = ::ftruncate(datei.fd, vorher.st_size);
    }
    ::close(datei.fd);
}

} // namespace

QByteArray KopfZeilen() {
    const QString zeile1 = QStringLiteral(
        u"     Beginn                 Ende            Gesprächs-   angerufene        Tarif-"
        u"       Ein-       Gesprächs-");
    const QString zeile2 = QStringLiteral(
        u"Datum      Uhr        Datum      Uhr        Dauer        Telefonnummer     bereich"
        u"      heiten     Gebühren");
    return Cp1252Text(zeile1) + Zeilenende + Cp1252Text(zeile2) + Zeilenende +
           QByteArray(109, '-') + Zeilenende + Zeilenende;
}

QByteArray SatzZeile(const LogbuchEintrag& e) {
    const GespraechsDaten& g = e.gespraech;
    QByteArray zeile;
    zeile += Ascii(DatumKurzText(DatumVon(g.start))) + Luecke + Ascii(UhrzeitText(g.start)) + Luecke;
    zeile += Ascii(DatumKurzText(DatumVon(g.stop))) + Luecke + Ascii(UhrzeitText(g.stop)) + Luecke;
    zeile += Ascii(DauerText(g.dauerMs)) + Luecke;
    zeile += Links(Cp1252Text(e.telefon), TelefonBreite) + Links(Ascii(ZonenName[e.zone]), ZonenBreite);
    zeile += Rechts(Ascii(std::to_string(g.einheiten[e.zone])), EinheitenBreite) + Luecke;
    zeile += Rechts(Ascii(BetragText(g.kostenPfennig[e.zone], LogDezimalTrenner)), KostenBreite);
    zeile += " DM" + Zeilenende;
    return zeile;
}

QByteArray KommentarZeile(const QString& kommentar) {
    if (kommentar.isEmpty()) {
        return {};
    }
    return QByteArray(KommentarEinzug, ' ') + Cp1252Text(kommentar) + Zeilenende;
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
    const bool neu = !FileExist(pFileName);
    const QByteArray inhalt = (neu ? KopfZeilen() : QByteArray()) + SatzZeile(eintrag) +
                              KommentarZeile(eintrag.kommentar);

    const QByteArray name = QFile::encodeName(pFileName);
    const OffeneDatei datei = Oeffne(name, neu);
    if (datei.fd < 0) {
        return Fehler(errno);
    }
    struct stat vorher {};
    ::fstat(datei.fd, &vorher);

    int fehler = SchreibeAlles(datei.fd, inhalt);
    if (fehler == 0) {
        fehler = Sichere(datei.fd);
    }
    if (fehler != 0) {
        NimmZurueck(datei, name, vorher);
        return Fehler(fehler);
    }
    if (::close(datei.fd) != 0) {
        return Fehler(errno);
    }
    return {true, {}};
}

} // namespace tarvis
