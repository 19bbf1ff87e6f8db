// Time from the router's CONNECT line reaching the client's socket to START showing in the
// main window: a router on 127.0.0.1 sends 20 answered calls, and for each the time from its
// write to the window's START button reading "S T O P" is taken; prints each and the median.
// Run by scripts/measure-callmonitor-latency.sh.
#include "calllog/LogFile.h"
#include "callmonitor/CallMonitorSettings.h"
#include "monitor/window/MainWindow.h"
#include "platform/Clock.h"
#include "platform/FileChooser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QPushButton>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tarvis;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir ordner;
    QTcpServer router;
    router.listen(QHostAddress::LocalHost);
    QSettings einstellungen(ordner.filePath(QStringLiteral("Tarvis32.conf")), QSettings::IniFormat);
    SchreibeAnrufmonitor(&einstellungen, {true, QStringLiteral("127.0.0.1"), router.serverPort(),
                                          NachDemGespraech::Nichts, QString()});
    SystemCalendarClock uhr;
    BootTimeMillisecondCounter zaehler;
    QtFileChooser dateiWahl;
    Logbuchdatei logbuchdatei(ordner.filePath(QStringLiteral("x.Rep")));
    frmGMMain fenster({uhr, zaehler, dateiWahl, logbuchdatei, &einstellungen});
    fenster.show();
    while (!router.hasPendingConnections()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    QTcpSocket* verbindung = router.nextPendingConnection();
    auto* start = fenster.findChild<QPushButton*>(QStringLiteral("cmdStart"));
    const QByteArray t = "09.12.26 10:00:00;";
    std::vector<double> zeiten;
    for (int i = 0; i < 20; ++i) {
        const QByteArray id = QByteArray::number(i);
        verbindung->write(t + "CALL;" + id + ";0;1;123;SIP0;\n");
        verbindung->flush();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QElapsedTimer messung;
        messung.start();
        verbindung->write(t + "CONNECT;" + id + ";0;123;\n");
        verbindung->flush();
        while (start->text() != QLatin1String("S T O P")) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        zeiten.push_back(double(messung.nsecsElapsed()) / 1e6);
        verbindung->write(t + "DISCONNECT;" + id + ";1;\n");
        verbindung->flush();
        while (start->text() != QLatin1String("S T A R T")) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
        std::printf("call %2d: %.3f ms\n", i + 1, zeiten.back());
    }
    std::sort(zeiten.begin(), zeiten.end());
    std::printf("median of %zu: %.3f ms (CONNECT written to the socket until START shows)\n",
                zeiten.size(), (zeiten[9] + zeiten[10]) / 2);
    return 0;
}
