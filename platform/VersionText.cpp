#include "platform/VersionText.h"

#include "platform/VersionInfo.h"

namespace tarvis {

QString VersionsText() {
    return QStringLiteral("%1 - V%2.%3")
        .arg(QString::fromUtf8(version::ProduktName))
        .arg(version::HauptVersion)
        .arg(version::NebenVersion);
}

QString FensterTitel(const QString& logbuchdatei) {
    return VersionsText() + QStringLiteral(" [Logbuchdatei: ") + logbuchdatei + QLatin1Char(']');
}

QString CopyrightText() {
    return QString::fromUtf8(version::Rechtshinweis);
}

QString BeschreibungText() {
    return QString::fromUtf8(version::DateiBeschreibung) + QStringLiteral(", ") +
           QString::fromUtf8(version::Kommentar) + QLatin1Char('.');
}

} // namespace tarvis
