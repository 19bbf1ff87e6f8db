#include "journal/LogFiles.h"

#include "calllog/LogFormat.h"
#include "calllog/LogWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tarvis {

namespace {

// A heading line without its line end and the blanks before it.
QByteArray OhneZeilenende(QByteArray zeile) {
    while (!zeile.isEmpty() &&
           (zeile.back() == '\n' || zeile.back() == '\r' || zeile.back() == ' ')) {
        zeile.chop(1);
    }
    return zeile;
}

bool BeginntMitKopf(const QString& pfad) {
    static const QByteArray kopf = OhneZeilenende(KopfZeilen().left(KopfZeilen().indexOf('\n')));
    // Opened without waiting, and only looked at when it is an ordinary file: a FIFO named as
    // the target must not keep the window waiting for a writer.
    const int fd = ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    QByteArray anfang(kopf.size() + 2, '\0');
    qsizetype gelesen = 0;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        while (gelesen < anfang.size()) {
            const ssize_t n =
                ::read(fd, anfang.data() + gelesen, std::size_t(anfang.size() - gelesen));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                break;
            }
            gelesen += n;
        }
    }
    ::close(fd);
    anfang.truncate(gelesen);
    const qsizetype zeilenende = anfang.indexOf('\n');
    return OhneZeilenende(zeilenende < 0 ? anfang : anfang.left(zeilenende)) == kopf;
}

} // namespace

bool IstLogDatei(const QString& pfad) {
    QFileInfo schritt(pfad);
    // Each link on the way is followed by hand, so that a link to a log not yet written (or
    // to a log's name in another folder) is seen too; 40 steps as the system allows.
    for (int schritte = 0; schritte < 40; ++schritte) {
        if (MonatAusLogDateiname(schritt.fileName())) {
            return true;
        }
        if (!schritt.isSymLink()) {
            break;
        }
        schritt = QFileInfo(schritt.symLinkTarget());
    }
    return BeginntMitKopf(pfad);
}

QStringList LogDateienImOrdner(const QString& logPfad) {
    const QFileInfo logDatei(logPfad);
    // Ordinary files and links to them; FIFOs, devices and sockets are not listed.
    const QFileInfoList eintraege = logDatei.absoluteDir().entryInfoList(QDir::Files);
    std::vector<std::pair<std::pair<int, int>, QString>> gefunden;
    for (const QFileInfo& eintrag : eintraege) {
        if (const auto monat = MonatAusLogDateiname(eintrag.fileName())) {
            gefunden.emplace_back(*monat, eintrag.absoluteFilePath());
        }
    }
    std::sort(gefunden.begin(), gefunden.end());
    QStringList pfade;
    for (const auto& [monat, pfad] : gefunden) {
        pfade << pfad;
    }
    if (logDatei.isFile() && !pfade.contains(logDatei.absoluteFilePath())) {
        pfade << logDatei.absoluteFilePath();
    }
    return pfade;
}

} // namespace tarvis
