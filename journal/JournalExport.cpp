#include "journal/JournalExport.h"

#include "journal/LogFiles.h"
#include "platform/SystemReason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <optional>
#include <sys/stat.h>
#include <utility>

namespace tarvis {

namespace {

std::optional<std::pair<dev_t, ino_t>> Kennung(const QString& pfad) {
    struct stat info {};
    if (::stat(QFile::encodeName(pfad).constData(), &info) != 0) {
        return std::nullopt;
    }
    return std::pair{info.st_dev, info.st_ino};
}

} // namespace

bool GleicheDatei(const QString& a, const QString& b) {
    const auto kennungA = Kennung(a);
    if (kennungA && kennungA == Kennung(b)) {
        return true;
    }
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

bool IstLog(const QString& pfad, const QStringList& logDateien) {
    if (IstLogDatei(pfad)) {
        return true;
    }
    return std::any_of(logDateien.begin(), logDateien.end(),
                       [&](const QString& datei) { return GleicheDatei(pfad, datei); });
}

ExportZielStand PruefeExportZiel(const QString& ziel, const QStringList& logDateien) {
    if (IstLog(ziel, logDateien)) {
        return ExportZielStand::Log;
    }
    // A link that leads nowhere is a file there too: writing would replace the link.
    const QFileInfo info(ziel);
    return info.exists() || info.isSymLink() ? ExportZielStand::Vorhanden : ExportZielStand::Frei;
}

QString LogZielText(const QString& ziel) {
    return QStringLiteral("\"%1\" ist ein Logbuch. Die Auswertung überschreibt kein Logbuch; "
                          "bitte eine andere Datei wählen.")
        .arg(QDir::toNativeSeparators(ziel));
}

QString UeberschreibenFrage(const QString& ziel) {
    return QStringLiteral("\"%1\" gibt es schon. Überschreiben?")
        .arg(QDir::toNativeSeparators(ziel));
}

ExportErgebnis SchreibeExport(const QString& ziel, const ExportSchreiber& schreibe) {
    QSaveFile ausgabe(ziel);
    errno = 0;
    bool geschrieben = ausgabe.open(QIODevice::WriteOnly);
    if (geschrieben) {
        geschrieben = schreibe([&](std::string_view teil) {
            return ausgabe.write(teil.data(), qint64(teil.size())) == qint64(teil.size());
        });
        geschrieben = geschrieben && ausgabe.commit();
    }
    const int fehlernummer = errno;
    if (geschrieben) {
        return {true, {}};
    }
    return {false, QStringLiteral("Die Auswertung kann nicht nach \"%1\" geschrieben werden: %2.")
                       .arg(QDir::toNativeSeparators(ziel),
                            fehlernummer != 0 ? SystemGrund(fehlernummer) : ausgabe.errorString())};
}

} // namespace tarvis
