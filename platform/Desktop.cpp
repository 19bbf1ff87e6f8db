#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace tarvis {

const char* const DesktopId = "de.tarvis.Tarvis32";

// Taking the application asks for one: the names and the icon are the application's.
void StelleProgrammVor(QGuiApplication& /*app*/) {
    QGuiApplication::setApplicationName(QStringLiteral("Tarvis32"));
    QGuiApplication::setDesktopFileName(QLatin1String(DesktopId));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/de.tarvis.Tarvis32.svg")));
}

QString QtUebersetzungen() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool LadeQtTexte(QCoreApplication& app) {
    auto* uebersetzung = new QTranslator(&app);
    if (!uebersetzung->load(QStringLiteral("qtbase_de"), QtUebersetzungen())) {
        delete uebersetzung;
        return false;
    }
    return QCoreApplication::installTranslator(uebersetzung);
}

} // namespace tarvis
