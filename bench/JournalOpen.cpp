// Opens the window "Auswertung" on the logs beside the given one, as the menu does, waits until
// they are read and shown, sorts the calls by every column in turn with a click on its heading,
// shows the sums per telephone number and sorts them by every column likewise, types a number into
// the search box key by key as a quick typist does (one key per 80 ms), and says for each step how
// long until its result was shown and how long the event loop was kept waiting at most meanwhile;
// last the peak memory of the process. It uses only what every revision of the window has, so
// scripts/measure-journal.sh builds it against an earlier revision too and prints both side by
// side.
//   journal_open LOGFILE
// Each line: "<step> <ms until shown> <longest pause of the event loop in ms> <peak memory so
// far in MB>", then "peak <MB>".
#include "calllog/LogFile.h"
#include "journal/JournalColumns.h"
#include "journal/window/JournalWindow.h"
#include "platform/FileChooser.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

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

// The process's peak resident memory in MB, as the kernel counts it.
long SpitzeMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& zeile : status.readAll().split('\n')) {
        if (zeile.startsWith("VmHWM:")) {
            return zeile.mid(6).trimmed().split(' ').front().toLong() / 1024;
        }
    }
    return -1;
}

void Warte(const std::function<bool()>& fertig) {
    while (!fertig()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

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
    // A step done in one piece on the event loop leaves no gap between ticks: the time since the
    // last tick counts too.
    auto zeile = [&](const char* schritt, qint64 ms) {
        laengstePause = std::max(laengstePause, seitTakt.elapsed());
        std::printf("%s %lld %lld %ld\n", schritt, static_cast<long long>(ms),
                    static_cast<long long>(laengstePause), SpitzeMb());
        std::fflush(stdout);
    };

    QElapsedTimer uhr;
    uhr.start();
    seitTakt.start();
    takt.start();
    tarvis::frmAuswertung fenster(logbuchdatei, wahl);
    fenster.show();
    bool gelesen = false;
    QObject::connect(&fenster, &tarvis::frmAuswertung::Gelesen, &app, [&] { gelesen = true; });
    // The window's first showing (its fonts, styles and chart, the same for any number of
    // calls) apart from the reading, which goes on meanwhile on its worker.
    QCoreApplication::processEvents();
    zeile("oeffnen", uhr.elapsed());
    laengstePause = 0;
    seitTakt.restart();
    Warte([&] { return gelesen; });
    QCoreApplication::processEvents();
    zeile("lesen", uhr.elapsed());

    // Each column by a click on its heading: shown once the model has changed its rows' order
    // and the table has painted them.
    auto* tabelle = fenster.findChild<QTableView*>(QStringLiteral("tblGespraeche"));
    if (tabelle == nullptr) { // the name of earlier revisions
        tabelle = fenster.findChild<QTableView*>(QStringLiteral("tblAnrufe"));
    }
    QHeaderView* koepfe = tabelle->horizontalHeader();
    bool umgestellt = false;
    QObject::connect(tabelle->model(), &QAbstractItemModel::layoutChanged, &app,
                     [&] { umgestellt = true; });
    for (int spalte = 0; spalte < tarvis::SpaltenAnzahl; ++spalte) {
        QCoreApplication::processEvents();
        umgestellt = false;
        laengstePause = 0;
        seitTakt.restart();
        uhr.restart();
        QTest::mouseClick(
            koepfe->viewport(), Qt::LeftButton, {},
            QPoint(koepfe->sectionViewportPosition(spalte) + 10, koepfe->height() / 2));
        Warte([&] { return umgestellt; });
        tabelle->viewport()->repaint();
        const QByteArray name =
            "sortiert:" + QByteArray(tarvis::SpaltenName[static_cast<std::size_t>(spalte)]);
        zeile(name.constData(), uhr.elapsed());
    }

    // The sums per telephone number (about as many rows as numbers), then sorted by each of
    // their columns with a click on its heading; back to the sums per month and zone after.
    auto* gruppe = fenster.findChild<QComboBox*>(QStringLiteral("cboGruppe"));
    auto* summen = fenster.findChild<QTableView*>(QStringLiteral("tblSummen"));
    bool gefiltert = false;
    QObject::connect(&fenster, &tarvis::frmAuswertung::Gefiltert, &app, [&] { gefiltert = true; });
    QCoreApplication::processEvents();
    laengstePause = 0;
    seitTakt.restart();
    uhr.restart();
    gefiltert = false;
    gruppe->setCurrentIndex(1);
    Warte([&] { return gefiltert && !fenster.Filtert(); });
    summen->viewport()->repaint();
    zeile("summen:je_Nummer", uhr.elapsed());
    bool summenSortiert = false;
    QObject::connect(summen->model(), &QAbstractItemModel::layoutChanged, &app,
                     [&] { summenSortiert = true; });
    QHeaderView* summenKoepfe = summen->horizontalHeader();
    for (int spalte = 0; spalte < summen->model()->columnCount(); ++spalte) {
        QCoreApplication::processEvents();
        summenSortiert = false;
        laengstePause = 0;
        seitTakt.restart();
        uhr.restart();
        QTest::mouseClick(
            summenKoepfe->viewport(), Qt::LeftButton, {},
            QPoint(summenKoepfe->sectionViewportPosition(spalte) + 10, summenKoepfe->height() / 2));
        Warte([&] { return summenSortiert; });
        summen->viewport()->repaint();
        const QByteArray name =
            "summen:" + summen->model()->headerData(spalte, Qt::Horizontal).toString().toUtf8();
        zeile(name.constData(), uhr.elapsed());
    }
    gruppe->setCurrentIndex(0);

    // Typing: from the last key until the filter is shown, the longest gap of the clock from
    // the first key on.
    laengstePause = 0;
    seitTakt.restart();
    auto* suche = fenster.findChild<QLineEdit*>(QStringLiteral("txtSuche"));
    gefiltert = false;
    for (const QChar zeichen : QStringLiteral("0711 12")) {
        QTest::keyClick(suche, zeichen.toLatin1());
        QElapsedTimer taste;
        taste.start();
        Warte([&] { return taste.elapsed() >= 80; });
    }
    uhr.restart();
    Warte([&] { return gefiltert && !fenster.Filtert(); });
    tabelle->viewport()->repaint();
    zeile("gesucht", uhr.elapsed());
    std::printf("peak %ld\n", SpitzeMb());
    return 0;
}
