#include "monitor/DefaultLogFile.h"

#include <QDir>
#include <QFileInfo>
#include <unistd.h>

namespace tarvis {

QString LogbuchDateiname(Datum heute) {
    return QStringLiteral("Tarvis %1-%2.Rep")
        .arg(static_cast<unsigned>(heute.month()), 2, 10, QLatin1Char('0'))
        .arg(static_cast<int>(heute.year()), 2, 10, QLatin1Char('0'));
}

QString StandardLogbuchdatei(Datum heute, const QString& programmVerzeichnis,
                             const QString& dokumentenVerzeichnis,
                             const std::function<bool(const QString&)>& beschreibbar) {
    const bool imProgramm = beschreibbar(programmVerzeichnis);
    const QString verzeichnis = imProgramm ? programmVerzeichnis : dokumentenVerzeichnis;
    return QDir::toNativeSeparators(QDir(verzeichnis).filePath(LogbuchDateiname(heute)));
}

bool VerzeichnisBeschreibbar(const QString& verzeichnis) {
    const QFileInfo info(verzeichnis);
    return info.isDir() && ::access(QFile::encodeName(verzeichnis).constData(), W_OK) == 0;
}

} // namespace tarvis
