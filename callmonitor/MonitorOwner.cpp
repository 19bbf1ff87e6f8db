#include "callmonitor/MonitorOwner.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace tarvis {

namespace {

const QString Dateiname = QStringLiteral("Tarvis32.anrufmonitor.lock");

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

QString MonitorBesitz::WarteText() const {
    return halter_ > 0
               ? QStringLiteral("Anrufmonitor: folgt bereits in Tarvis32 (PID %1)").arg(halter_)
               : QStringLiteral("Anrufmonitor: folgt bereits in Tarvis32");
}

} // namespace tarvis
