// Tarvis32: shows what a telephone call costs while it runs.
#include "calllog/LogFile.h"
#include "commandline/CommandLine.h"
#include "commandline/DescriptorDevice.h"
#include "monitor/DefaultLogFile.h"
#include "monitor/window/MainWindow.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/FileChooser.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The command line prices calls and reads logs without any window, so it needs no display.
// Its output is written straight to the file descriptor, so that a failed write (a full disk, a
// closed pipe) is seen and reported rather than lost in a buffer at exit.
int Kommandozeile(int argc, char** argv) {
    // Asked before anything is opened, which would otherwise take a closed output's number.
    const bool ausgabeOffen = ::fcntl(STDOUT_FILENO, F_GETFD) != -1;
    QCoreApplication app(argc, argv);
    QTextStream fehler(stderr);
    tarvis::DeskriptorGeraet ausgabe(STDOUT_FILENO);
    if (!ausgabeOffen || !ausgabe.open(QIODevice::WriteOnly)) {
        fehler << "Tarvis32: Die Ausgabe kann nicht geschrieben werden: Die Standardausgabe ist "
                  "geschlossen.\n";
        return tarvis::ExitDatei;
    }
    QTextStream aus(&ausgabe);
    const int code = tarvis::FuehreKommandozeileAus(QCoreApplication::arguments(), aus, fehler);
    return tarvis::BeendeAusgabe(aus, fehler, code);
}

} // namespace

int main(int argc, char** argv) {
    // A file-size limit must make a write fail (EFBIG), not kill the program in the middle of a
    // save: the save then takes back what it began and says why, and the command line reports
    // its output as not written instead of leaving a cut file without a word.
    ::signal(SIGXFSZ, SIG_IGN);
    QStringList argumente;
    for (int i = 0; i < argc; ++i) {
        argumente << QString::fromLocal8Bit(argv[i]);
    }
    if (tarvis::IstKommandozeilenAufruf(argumente)) {
        return Kommandozeile(argc, argv);
    }

    QApplication app(argc, argv);
    tarvis::StelleProgrammVor(app);
    tarvis::LadeQtTexte(app);

    tarvis::SystemCalendarClock uhr;
    tarvis::BootTimeMillisecondCounter zaehler;
    tarvis::QtFileChooser dateiWahl;
    const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    tarvis::Logbuchdatei logbuchdatei(tarvis::StandardLogbuchdatei(
        tarvis::DatumVon(uhr.now()), QCoreApplication::applicationDirPath(), dokumente,
        tarvis::VerzeichnisBeschreibbar));
    logbuchdatei.SetzeAnzulegendenOrdner(dokumente);

    // $XDG_CONFIG_HOME/Tarvis32/Tarvis32.conf. Written only when a setting is changed, so that a
    // user who never opens a setting gets no file.
    QSettings einstellungen(QSettings::NativeFormat, QSettings::UserScope,
                            QStringLiteral("Tarvis32"), QStringLiteral("Tarvis32"));

    tarvis::frmGMMain fenster({uhr, zaehler, dateiWahl, logbuchdatei, &einstellungen});
    fenster.show();
    return QApplication::exec();
}
