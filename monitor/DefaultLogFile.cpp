#include "monitor/DefaultLogFile.h"

#include "calllog/LogFormat.h"

#include <QDir>
#include <QFileInfo>
#include <unistd.h>

namespace tarvis {

QString StandardLogbuchdatei(Datum heute, const QString& programmVerzeichnis,
                             const QString& dokumentenVerzeichnis,
                             const std::function<bool(const QString&)>& beschreibbar) {
    const bool imProgramm = beschreibbar(programmVerzeichnis);
    const QString verzeichnis = imProgramm ? programmVerzeichnis : dokumentenVerzeichnis;
    return QDir::toNativeSeparators(
        QDir(verzeichnis)
            .filePath(LogDateiname(static_cast<int>(heute.year()),
                                   static_cast<unsigned>(heute.month()))));
}

bool VerzeichnisBeschreibbar(const QString& verzeichnis) {
    const QFileInfo info(verzeichnis);
    return info.isDir() && ::access(QFile::encodeName(verzeichnis).constData(), W_OK) == 0;
}

} // namespace tarvis
