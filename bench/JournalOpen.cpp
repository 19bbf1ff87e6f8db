// Opens the window "Auswertung" on the logs beside the given one, as the menu does, waits until
// they are read and shown, sorts the calls by their cost with a click on the heading, types a
// number into the search box key by key as a quick typist does (one key per 80 ms), sorts by the
// telephone number, and says how long each step took and how long the event loop was kept
// waiting at most meanwhile.
//   journal_open LOGFILE
// scripts/measure-journal.sh runs it under /usr/bin/time for the peak memory.
#include "calllog/LogFile.h"
#include "journal/JournalColumns.h"
#include "journal/JournalWindow.h"
#include "platform/FileChooser.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
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
    tarvis::Logbuchdatei logbuchdatei(QString::fromLocal8Bit(argv[1]));
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
    tarvis::frmAuswertung fenster(logbuchdatei, wahl);
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

    // Typing: the longest gap of the clock from the first key until the filter is shown.
    laengstePause = 0;
    seitTakt.restart();
    auto* suche = fenster.findChild<QLineEdit*>(QStringLiteral("txtSuche"));
    bool gefiltert = false;
    QObject::connect(&fenster, &tarvis::frmAuswertung::Gefiltert, &app, [&] { gefiltert = true; });
    const QString getippt = QStringLiteral("0711 12");
    for (const QChar zeichen : getippt) {
        QTest::keyClick(suche, zeichen.toLatin1());
        QElapsedTimer taste;
        taste.start();
        while (taste.elapsed() < 80) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
    }
    const qint64 getipptNach = uhr.elapsed();
    while (!gefiltert || fenster.Filtert()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    const qint64 gesucht = uhr.elapsed() - getipptNach;
    const qint64 pauseBeimTippen = laengstePause;
    const int gefunden = tabelle->model()->rowCount();

    uhr.restart();
    const int telefon = int(tarvis::Spalte::Telefon);
    QTest::mouseClick(koepfe->viewport(), Qt::LeftButton, {},
                      QPoint(koepfe->sectionViewportPosition(telefon) + 10, koepfe->height() / 2));
    QCoreApplication::processEvents();
    const qint64 nachNummer = uhr.elapsed();

    const QAbstractItemModel* modell = tabelle->model();
    std::printf("Anrufe: %d, erste Kosten: %s\n", modell->rowCount(),
                qPrintable(modell->index(0, kosten).data().toString()));
    std::printf("offen und gelesen nach %lld ms, sortiert nach %lld ms\n",
                static_cast<long long>(offen), static_cast<long long>(sortiert));
    std::printf("laengste Pause der Ereignisschleife: %lld ms beim Lesen\n",
                static_cast<long long>(pauseBeimLesen));
    std::printf("Suche \"%s\" getippt: %d Anrufe, %lld ms nach der letzten Taste gezeigt, "
                "laengste Pause der Ereignisschleife beim Tippen und Suchen: %lld ms\n",
                qPrintable(getippt), gefunden, static_cast<long long>(gesucht),
                static_cast<long long>(pauseBeimTippen));
    std::printf("nach Telefonnummer sortiert (deutsche Ordnung) in %lld ms\n",
                static_cast<long long>(nachNummer));
    return 0;
}
