// Opens the window "Auswertung" on the logs beside the given one, as the menu does, waits until
// they are read and shown, sorts the calls by their cost with a click on the heading, and says
// how long each step took and how long the event loop was kept waiting at most meanwhile.
//   journal_open LOGFILE
// scripts/measure-journal.sh runs it under /usr/bin/time for the peak memory.
#include "calllog/Logbuch.h"
#include "journal/JournalView.h"
#include "journal/JournalWindow.h"
#include "platform/FileDialog.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

// No dialog is ever answered here.
class KeineWahl final : public tarvis::FileChooser {
public:
    std::optional<QString> chooseFile(QWidget*, const QString&, const QString&,
                                      const QStringList&) override {
        return std::nullopt;
    }
    std::optional<QStringList> chooseFiles(QWidget*, const QString&, const QString&,
                                           const QStringList&) override {
        return std::nullopt;
    }
    std::optional<QString> chooseTarget(QWidget*, const QString&, const QString&,
                                        const QStringList&) override {
        return std::nullopt;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: journal_open LOGBUCH\n");
        return 2;
    }
    tarvis::Logbuch logbuch(QString::fromLocal8Bit(argv[1]));
    KeineWahl wahl;

    // A timer every 10 ms, as the main window's clock would tick: the longest gap between two
    // of its ticks is how long the window kept the event loop waiting.
    QElapsedTimer seitTakt;
    qint64 laengstePause = 0;
    QTimer takt;
    takt.setInterval(10);
    QObject::connect(&takt, &QTimer::timeout, &app,
                     [&] { laengstePause = std::max(laengstePause, seitTakt.restart()); });

    QElapsedTimer uhr;
    uhr.start();
    seitTakt.start();
    takt.start();
    tarvis::frmAuswertung fenster(logbuch, wahl);
    fenster.show();
    bool gelesen = false;
    QObject::connect(&fenster, &tarvis::frmAuswertung::Gelesen, &app, [&] { gelesen = true; });
    while (!gelesen) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    QCoreApplication::processEvents();
    const qint64 offen = uhr.elapsed();
    const qint64 pauseBeimLesen = laengstePause;

    auto* tabelle = fenster.findChild<QTableView*>(QStringLiteral("tblAnrufe"));
    QHeaderView* koepfe = tabelle->horizontalHeader();
    const int kosten = int(tarvis::Spalte::Kosten);
    QTest::mouseClick(koepfe->viewport(), Qt::LeftButton, {},
                      QPoint(koepfe->sectionViewportPosition(kosten) + 10, koepfe->height() / 2));
    tabelle->viewport()->repaint();
    QCoreApplication::processEvents();
    const qint64 sortiert = uhr.elapsed();

    const QAbstractItemModel* modell = tabelle->model();
    std::printf("Anrufe: %d, erste Kosten: %s\n", modell->rowCount(),
                qPrintable(modell->index(0, kosten).data().toString()));
    std::printf("offen und gelesen nach %lld ms, sortiert nach %lld ms\n",
                static_cast<long long>(offen), static_cast<long long>(sortiert));
    std::printf("laengste Pause der Ereignisschleife: %lld ms beim Lesen, %lld ms insgesamt\n",
                static_cast<long long>(pauseBeimLesen), static_cast<long long>(laengstePause));
    return 0;
}
