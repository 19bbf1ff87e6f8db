#include "callmonitor/MonitorOwner.h"

#include "callmonitor/MonitorLine.h"
#include "platform/SystemReason.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>
#include <sys/file.h>
#include <unistd.h>

namespace tarvis {

namespace {

const QString Dateiname = QStringLiteral("Tarvis32.anrufmonitor.lock");
const QString UebergabeName = QStringLiteral("Tarvis32.anrufmonitor.offen");
// More than the 32 calls a client follows ever take, so that a damaged file stays cheap.
constexpr std::size_t MaxUebergabe = 64 * 1024;

std::int64_t Sekunden(Moment m) {
    return m.time_since_epoch().count();
}

// "id;nummer;gekuerzt;beginn;bisherMs;abgabe": the router's own ID and number (its lines are cut
// at ';', so neither holds one), the CONNECT moment and the hand-over moment in local seconds,
// and the length measured until the hand-over.
std::string UebergabeZeile(const AnrufMeldung& offen, Moment jetzt, std::int64_t ms) {
    return offen.id + ';' + offen.nummer + ';' + (offen.nummerGekuerzt ? '1' : '0') + ';' +
           std::to_string(Sekunden(offen.beginn)) + ';' +
           std::to_string(std::max<std::int64_t>(0, ms - offen.beginnMs)) + ';' +
           std::to_string(Sekunden(jetzt)) + '\n';
}

bool Zahl(std::string_view text, std::int64_t& wert) {
    const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), wert);
    return fehler == std::errc() && ende == text.data() + text.size();
}

// One handed-over call as this program follows it, or none for a line that is not one.
std::optional<AnrufMeldung> UebergebenerAnruf(std::string_view zeile, Moment jetzt,
                                              std::int64_t ms) {
    const std::vector<std::string_view> f = SemikolonFelder(zeile);
    std::int64_t beginn = 0, bisherMs = 0, abgabe = 0;
    if (f.size() != 6 || f[0].empty() || !Zahl(f[3], beginn) || !Zahl(f[4], bisherMs) ||
        !Zahl(f[5], abgabe) || bisherMs < 0) {
        return std::nullopt;
    }
    // A clock set back since the hand-over counts as no time passed.
    const std::int64_t luecke = std::max<std::int64_t>(0, Sekunden(jetzt) - abgabe);
    AnrufMeldung anruf;
    anruf.id = std::string(f[0]);
    anruf.nummer = std::string(f[1]);
    anruf.nummerGekuerzt = f[2] == "1";
    anruf.beginn = Moment{std::chrono::seconds{beginn}};
    anruf.beginnMs = ms - bisherMs - luecke * 1000;
    if (luecke > MonitorBesitz::UebergabeFrist.count()) {
        anruf.art = AnrufMeldung::Art::Offen;
        anruf.dauerSekunden = (bisherMs + 500) / 1000;
    }
    return anruf;
}

int Oeffne(const QString& pfad) {
    return ::open(QFile::encodeName(pfad).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

} // namespace

QString MonitorBesitz::PfadZu(const QString& einstellungsDatei) {
    const QString ordner = QFileInfo(einstellungsDatei).absolutePath();
    if (!einstellungsDatei.isEmpty() && QDir().mkpath(ordner) && QFileInfo(ordner).isWritable()) {
        return QDir(ordner).filePath(Dateiname);
    }
    const QString laufzeit = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return laufzeit.isEmpty() ? QString() : QDir(laufzeit).filePath(Dateiname);
}

MonitorBesitz::MonitorBesitz(QString pfad) : pfad_(std::move(pfad)) {}

MonitorBesitz::~MonitorBesitz() {
    Gib();
}

bool MonitorBesitz::Versuche() {
    if (haelt_) {
        return true;
    }
    if (fd_ < 0) {
        fd_ = pfad_.isEmpty() ? -1 : Oeffne(pfad_);
    }
    if (fd_ < 0) {
        // No file for the lock anywhere: following is better than never following.
        haelt_ = true;
        return true;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        haelt_ = true;
        halter_ = 0;
        const std::string pid = std::to_string(::getpid()) + '\n';
        if (::ftruncate(fd_, 0) == 0) {
            [[maybe_unused]] const ssize_t n = ::pwrite(fd_, pid.data(), pid.size(), 0);
        }
        return true;
    }
    char text[24] = {};
    const ssize_t n = ::pread(fd_, text, sizeof text - 1, 0);
    halter_ = n > 0 ? pid_t(std::strtol(text, nullptr, 10)) : 0;
    return false;
}

void MonitorBesitz::Gib() {
    if (fd_ >= 0) {
        ::close(fd_); // lets the lock go
        fd_ = -1;
    }
    haelt_ = false;
}

QString MonitorBesitz::UebergabePfad() const {
    return pfad_.isEmpty() ? QString() : QFileInfo(pfad_).dir().filePath(UebergabeName);
}

// Written to a file of its own and renamed over the hand-over, so that the next holder never
// reads half of it.
QString MonitorBesitz::Uebergib(const std::vector<AnrufMeldung>& offene, Moment jetzt,
                                std::int64_t ms) {
    const QString ziel = UebergabePfad();
    if (ziel.isEmpty()) {
        return offene.empty() ? QString() : QStringLiteral("kein Ordner für die Übergabe");
    }
    const QByteArray zielName = QFile::encodeName(ziel);
    if (offene.empty()) {
        ::unlink(zielName.constData());
        return {};
    }
    std::string inhalt;
    for (const AnrufMeldung& offen : offene) {
        inhalt += UebergabeZeile(offen, jetzt, ms);
    }
    const QByteArray neu = zielName + ".neu";
    const int fd = ::open(neu.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return SystemGrund(errno);
    }
    const bool geschrieben = ::write(fd, inhalt.data(), inhalt.size()) == ssize_t(inhalt.size());
    const int fehler = geschrieben ? 0 : (errno != 0 ? errno : ENOSPC);
    if (::close(fd) != 0 || !geschrieben || ::rename(neu.constData(), zielName.constData()) != 0) {
        const int grund = fehler != 0 ? fehler : errno;
        ::unlink(neu.constData());
        return SystemGrund(grund);
    }
    return {};
}

std::vector<AnrufMeldung> MonitorBesitz::Uebernimm(Moment jetzt, std::int64_t ms) {
    const QString pfad = UebergabePfad();
    std::vector<AnrufMeldung> anrufe;
    if (pfad.isEmpty()) {
        return anrufe;
    }
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        return anrufe;
    }
    const QByteArray inhalt = datei.read(MaxUebergabe);
    datei.close();
    datei.remove();
    for (const QByteArray& zeile : inhalt.split('\n')) {
        if (auto anruf =
                UebergebenerAnruf(std::string_view(zeile.constData(), zeile.size()), jetzt, ms)) {
            anrufe.push_back(std::move(*anruf));
        }
    }
    return anrufe;
}

QString MonitorBesitz::WarteText() const {
    return halter_ > 0
               ? QStringLiteral("Anrufmonitor: folgt bereits in Tarvis32 (PID %1)").arg(halter_)
               : QStringLiteral("Anrufmonitor: folgt bereits in Tarvis32");
}

} // namespace tarvis
