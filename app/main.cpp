// Tarvis32: shows what a telephone call costs while it runs.
#include "calllog/Logbuch.h"
#include "commandline/CommandLine.h"
#include "monitor/DefaultLogFile.h"
#include "monitor/MainWindow.h"
#include "platform/Clock.h"
#include "platform/FileDialog.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTextStream>
#include <cstdio>

namespace {

// The command line prices calls and reads logs without any window, so it needs no display.
int Kommandozeile(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream aus(stdout), fehler(stderr);
    const int code = tarvis::FuehreKommandozeileAus(QCoreApplication::arguments(), aus, fehler);
    aus.flush();
    fehler.flush();
    return code;
}

} // namespace

int main(int argc, char** argv) {
    QStringList argumente;
    for (int i = 0; i < argc; ++i) {
        argumente << QString::fromLocal8Bit(argv[i]);
    }
    if (tarvis::IstKommandozeilenAufruf(argumente)) {
        return Kommandozeile(argc, argv);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvis32"));

    tarvis::SystemCalendarClock uhr;
    tarvis::SteadyMillisecondCounter zaehler;
    tarvis::QtFileChooser dateiWahl;
    tarvis::Logbuch logbuch(tarvis::StandardLogbuchdatei(
        tarvis::DatumVon(uhr.now()), QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        tarvis::VerzeichnisBeschreibbar));

    tarvis::frmGMMain fenster({uhr, zaehler, dateiWahl, logbuch});
    fenster.show();
    return QApplication::exec();
}
