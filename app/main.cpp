// Tarvis32: shows what a telephone call costs while it runs.
#include "monitor/DefaultLogFile.h"
#include "monitor/MainWindow.h"
#include "platform/Clock.h"
#include "platform/FileDialog.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvis32"));

    tarvis::SystemCalendarClock uhr;
    tarvis::SteadyMillisecondCounter zaehler;
    tarvis::QtFileChooser dateiWahl;
    const QString logbuchdatei = tarvis::StandardLogbuchdatei(
        tarvis::DatumVon(uhr.now()), QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        tarvis::VerzeichnisBeschreibbar);

    tarvis::frmGMMain fenster({uhr, zaehler, dateiWahl, logbuchdatei});
    fenster.show();
    return QApplication::exec();
}
