#include "journal/window/JournalWindow.h"

#include "calllog/LogFile.h"
#include "gui/WindowStyle.h"
#include "journal/ChartData.h"
#include "journal/JournalLogs.h"
#include "journal/JournalModel.h"
#include "journal/JournalRead.h"
#include "journal/LogFiles.h"
#include "platform/QtText.h"
#include "support/AccessibilityChecks.h"
#include "support/FakeFileChooser.h"
#include "tariff/TariffTables.h"

#include <QAccessible>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStackedBarSeries>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tarvis {
namespace {

using test::JournalLogs;

// Runs `ausloesen`, answers the message box it opens with OK and returns its text and
// informative text; empty when none opened.
QString Meldung(const std::function<void()>& ausloesen) {
    QString text;
    QObject wache; // takes the timers still waiting with it when this returns
    std::function<void(int)> antworte = [&](int versuche) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            if (versuche > 0) {
                QTimer::singleShot(10, &wache, [&, versuche] { antworte(versuche - 1); });
            }
            return;
        }
        text = box->text() + '\n' + box->informativeText();
        box->button(QMessageBox::Ok)->click();
    };
    QTimer::singleShot(0, &wache, [&] { antworte(100); });
    ausloesen();
    return text;
}

class JournalWindow : public ::testing::Test {
protected:
    JournalLogs logs;
    Logbuchdatei logbuchdatei{logs.Januar()};
    test::FakeFileChooser wahl;
    std::unique_ptr<frmAuswertung> fenster;

    void SetUp() override {
        fenster = std::make_unique<frmAuswertung>(logbuchdatei, wahl);
        fenster->show();
        fenster->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
        WarteAufLesen();
    }

    void WarteAufLesen() {
        if (fenster->Liest()) {
            QSignalSpy gelesen(fenster.get(), &frmAuswertung::Gelesen);
            ASSERT_TRUE(gelesen.wait(10'000));
        }
        QApplication::processEvents();
    }

    template <class T> T* Kind(const char* name) {
        T* kind = fenster->findChild<T*>(QLatin1String(name));
        EXPECT_NE(kind, nullptr) << name;
        return kind;
    }
    QTableView* Gespraeche() { return Kind<QTableView>("tblGespraeche"); }
    QString Text(const char* label) { return Kind<QLabel>(label)->text(); }

    // Until the order asked for last is shown.
    void WarteAufSortierung() {
        QElapsedTimer uhr;
        uhr.start();
        while (fenster->SortLaeuft() && uhr.elapsed() < 10'000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        }
        ASSERT_FALSE(fenster->SortLaeuft());
    }

    // The first column of every row shown, to tell the calls apart, once sorted as asked.
    QStringList Spalte(int spalte = 0) {
        WarteAufSortierung();
        QStringList texte;
        const QAbstractItemModel* modell = Gespraeche()->model();
        for (int zeile = 0; zeile < modell->rowCount(); ++zeile) {
            texte << modell->index(zeile, spalte).data().toString();
        }
        return texte;
    }

    QStringList SummenZeile(int zeile) {
        const QAbstractItemModel* modell = Kind<QTableView>("tblSummen")->model();
        QStringList texte;
        for (int spalte = 0; spalte < modell->columnCount(); ++spalte) {
            texte << modell->index(zeile, spalte).data().toString();
        }
        return texte;
    }
    int SummenZeilen() { return Kind<QTableView>("tblSummen")->model()->rowCount(); }

    // Until what the filters let through is shown.
    void WarteAufFilter() {
        if (fenster->Filtert()) {
            QSignalSpy gefiltert(fenster.get(), &frmAuswertung::Gefiltert);
            ASSERT_TRUE(gefiltert.wait(10'000));
        }
        QApplication::processEvents();
    }

    void Taste(QWidget* ziel, Qt::Key taste, Qt::KeyboardModifiers mit = Qt::NoModifier) {
        QTest::keyClick(ziel, taste, mit);
        QApplication::processEvents();
        WarteAufFilter();
    }
};

} // namespace

TEST_F(JournalWindow, OpensWithTheLogsOfTheCurrentLogsFolder) {
    EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Auswertung"));
    EXPECT_EQ(Spalte(), (QStringList{"04.11.1996", "15.11.1996", "28.11.1996", "03.12.1996",
                                     "31.12.1996", "14.12.1996", "05.01.1997"}));
    EXPECT_EQ(Text("lblAnzahl"), QStringLiteral("7 Anrufe aus 3 Dateien"));
    EXPECT_EQ(Text("lblUnlesbar"), QStringLiteral("1 Zeile nicht lesbar"));
    EXPECT_TRUE(Kind<QPushButton>("cmdUnlesbar")->isVisible());
    EXPECT_FALSE(Kind<QLabel>("lblMeldung")->isVisible());
    EXPECT_FALSE(Kind<QProgressBar>("prgLesen")->isVisible());
    EXPECT_EQ(Kind<QComboBox>("cboMonat")->count(), 4);
    EXPECT_EQ(Kind<QComboBox>("cboMonat")->itemText(3), QStringLiteral("01/1997"));
    QHeaderView* koepfe = Gespraeche()->horizontalHeader();
    QStringList namen;
    for (int spalte = 0; spalte < koepfe->count(); ++spalte) {
        namen << Gespraeche()->model()->headerData(spalte, Qt::Horizontal).toString();
    }
    EXPECT_EQ(namen, (QStringList{"Datum", "Start", "Stop", "Dauer", "Telefonnummer", "Zone",
                                  "Einheiten", "Kosten", "Kommentar"}));
    EXPECT_EQ(SummenZeilen(), 8);
    EXPECT_EQ(SummenZeile(7), (QStringList{"Gesamt", "", "7", "215", "25,80 DM"}));
}

TEST_F(JournalWindow, TheFiltersWorkThroughTheirControls) {
    auto* monat = Kind<QComboBox>("cboMonat");
    auto* zone = Kind<QComboBox>("cboZone");
    Taste(monat, Qt::Key_Down);
    EXPECT_EQ(monat->currentText(), QStringLiteral("11/1996"));
    EXPECT_EQ(Spalte(), (QStringList{"04.11.1996", "15.11.1996", "28.11.1996"}));
    EXPECT_EQ(Text("lblAnzahl"), QStringLiteral("3 von 7 Anrufen"));
    EXPECT_EQ(SummenZeile(SummenZeilen() - 1), (QStringList{"Gesamt", "", "3", "18", "2,16 DM"}));

    Taste(monat, Qt::Key_Home);
    for (int i = 0; i < 4; ++i) {
        Taste(zone, Qt::Key_Down);
    }
    EXPECT_EQ(zone->currentText(), QStringLiteral("Fern"));
    EXPECT_EQ(Spalte(), (QStringList{"28.11.1996", "03.12.1996"}));

    Taste(zone, Qt::Key_Home);
    QTest::keyClicks(Kind<QLineEdit>("txtSuche"), QStringLiteral("mutti"));
    WarteAufFilter();
    EXPECT_EQ(Spalte(), (QStringList{"03.12.1996"}));
    EXPECT_EQ(SummenZeile(0), (QStringList{"12/1996", "Fern", "1", "71", "8,52 DM"}));
}

TEST_F(JournalWindow, AClickOnAHeadingSortsByThatColumnsValues) {
    QHeaderView* koepfe = Gespraeche()->horizontalHeader();
    const int kosten = int(tarvis::Spalte::Kosten);
    const QPoint mitte(koepfe->sectionViewportPosition(kosten) + koepfe->sectionSize(kosten) / 2,
                       koepfe->height() / 2);
    QTest::mouseClick(koepfe->viewport(), Qt::LeftButton, {}, mitte);
    // The table keeps its order while the sort works on another thread, and says so.
    EXPECT_TRUE(Kind<QLabel>("lblSortiert")->isVisibleTo(fenster.get()));
    EXPECT_EQ(Gespraeche()->model()->index(0, 0).data().toString(), QStringLiteral("04.11.1996"));
    EXPECT_EQ(Spalte(kosten),
              (QStringList{"0,24", "0,24", "0,48", "1,44", "2,88", "8,52", "12,00"}));
    EXPECT_FALSE(Kind<QLabel>("lblSortiert")->isVisibleTo(fenster.get()));
    QTest::mouseClick(koepfe->viewport(), Qt::LeftButton, {}, mitte);
    EXPECT_EQ(Spalte(kosten).first(), QStringLiteral("12,00"));
}

TEST_F(JournalWindow, TheZoneCellShowsTheZonesColourWithBlackText) {
    QTableView* tabelle = Gespraeche();
    const QImage bild = tabelle->viewport()->grab().toImage();
    const int spalte = int(tarvis::Spalte::Zone);
    for (int zeile : {0, 1, 2, 4}) { // City, Region 50, Fern, Region 200
        const QRect zelle = tabelle->visualRect(tabelle->model()->index(zeile, spalte));
        const int zone = tabelle->model()->index(zeile, spalte).data(rolle::Zone).toInt();
        EXPECT_EQ(bild.pixelColor(zelle.right() - 3, zelle.center().y()), style::ZonenGrund(zone))
            << zeile;
        int dunkelste = 255;
        for (int x = zelle.left(); x < zelle.right(); ++x) {
            for (int y = zelle.top(); y < zelle.bottom(); ++y) {
                const QColor farbe = bild.pixelColor(x, y);
                dunkelste =
                    std::min(dunkelste, std::max({farbe.red(), farbe.green(), farbe.blue()}));
            }
        }
        EXPECT_LT(dunkelste, 60) << "the zone name is drawn in black, row " << zeile;
    }
}

TEST_F(JournalWindow, TheChartStacksTheCostPerMonthInTheZoneColours) {
    auto* chart = Kind<QChartView>("chtMonate")->chart();
    ASSERT_EQ(chart->series().size(), 1);
    auto* reihe = qobject_cast<QStackedBarSeries*>(chart->series().first());
    ASSERT_NE(reihe, nullptr);
    ASSERT_EQ(reihe->barSets().size(), 4);
    auto* monate = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first());
    ASSERT_NE(monate, nullptr);
    EXPECT_EQ(monate->categories(), (QStringList{"11/1996", "12/1996", "01/1997"}));
    const std::vector<std::vector<double>> dm{
        {0.24, 12.00, 0.24}, {0.48, 0.0, 0.0}, {0.0, 2.88, 0.0}, {1.44, 8.52, 0.0}};
    for (int zone : AlleZonen) {
        QBarSet* satz = reihe->barSets()[zone - 1];
        EXPECT_EQ(satz->color(), style::ZonenFarbe(zone));
        EXPECT_EQ(satz->label(), AlsQString(ZonenName[zone]));
        for (int monat = 0; monat < 3; ++monat) {
            EXPECT_NEAR(satz->at(monat), dm[zone - 1][monat], 1e-9) << zone << ' ' << monat;
        }
    }
    // The chart follows the filters.
    QTest::keyClicks(Kind<QLineEdit>("txtSuche"), QStringLiteral("0711"));
    WarteAufFilter();
    monate = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first());
    EXPECT_EQ(monate->categories(), (QStringList{"11/1996", "12/1996", "01/1997"}));
    reihe = qobject_cast<QStackedBarSeries*>(chart->series().first());
    EXPECT_NEAR(reihe->barSets()[3]->sum(), 0.0, 1e-9);
}

// However many lines are damaged, their list scrolls in a window that fits the screen, each
// with its file and line.
TEST_F(JournalWindow, TheDamagedLinesAreListedWithFileAndLineInAScrollingWindow) {
    {
        QFile datei(logs.Januar());
        ASSERT_TRUE(datei.open(QIODevice::Append));
        datei.write(QByteArray("16.11.96   19:00:00   16.11.96   19:0\r\n").repeated(150));
    }
    fenster->Lies(LogDateienImOrdner(logbuchdatei.Pfad()));
    WarteAufLesen();
    EXPECT_EQ(Text("lblUnlesbar"), QStringLiteral("151 Zeilen nicht lesbar"));
    QString liste;
    QSize groesse;
    bool groesseVeraenderbar = false;
    QTimer::singleShot(0, fenster.get(), [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), QStringLiteral("dlgUnlesbar"));
        liste = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtUnlesbar"))->toPlainText();
        groesse = dialog->frameGeometry().size();
        groesseVeraenderbar = dialog->isSizeGripEnabled();
        dialog->accept();
    });
    Kind<QPushButton>("cmdUnlesbar")->click();
    const QStringList zeilen = liste.split('\n');
    ASSERT_EQ(zeilen.size(), 101);
    EXPECT_EQ(zeilen[0], QDir::toNativeSeparators(logs.November()) +
                             QStringLiteral(", Zeile 9: \"DM\" fehlt am Zeilenende"));
    EXPECT_TRUE(
        zeilen[1].startsWith(QDir::toNativeSeparators(logs.Januar()) + QStringLiteral(", Zeile ")));
    EXPECT_EQ(zeilen[100], QStringLiteral("… und 51 weitere"));
    const QRect schirm = fenster->screen()->availableGeometry();
    EXPECT_LE(groesse.height(), schirm.height());
    EXPECT_LE(groesse.width(), schirm.width());
    EXPECT_TRUE(groesseVeraenderbar);
}

TEST_F(JournalWindow, DateienReadsTheFilesChosenInTheDialogWithAMessageForEachProblem) {
    const QString leer = logs.Pfad("leer.Rep");
    QFile(leer).open(QIODevice::WriteOnly);
    const QString binaer = logs.Pfad("programm.bin");
    {
        QFile datei(binaer);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(QByteArray("\x7f"
                               "ELF\x02\x01\x01\0\0\0\0\0",
                               12)
                        .repeated(5000));
    }
    const QString fehlt = logs.Pfad("fehlt.Rep");
    const auto vorher = logs.Stand();

    wahl.antwortDateien = QStringList{logs.November(), fehlt, leer, binaer};
    Kind<QPushButton>("cmdDateien")->click();
    WarteAufLesen();
    EXPECT_EQ(wahl.titel, QString::fromUtf8("Logbücher für die Auswertung wählen"));
    EXPECT_EQ(wahl.anfang, logs.Ordner());
    // Nothing is hidden by a type of file: a log under a name of the user's own is seen.
    EXPECT_EQ(wahl.filter.first(), QStringLiteral("Alle Dateien (*)"));
    // The way back to the folder's own logs.
    ASSERT_TRUE(Kind<QPushButton>("cmdOrdner")->isVisible());
    EXPECT_EQ(Spalte(), (QStringList{"04.11.1996", "15.11.1996", "28.11.1996"}));
    EXPECT_EQ(Text("lblAnzahl"), QStringLiteral("3 Anrufe aus 3 Dateien"));
    EXPECT_TRUE(Kind<QLabel>("lblMeldung")->isVisible());
    EXPECT_EQ(Text("lblMeldung"),
              QString::fromUtf8("Die Datei \"%1\" kann nicht gelesen werden: Datei oder "
                                "Verzeichnis nicht gefunden.\n"
                                "Die Datei \"%2\" ist leer.\n"
                                "Die Datei \"%3\" enthält keine Anrufe.\n"
                                "Die Summen enthalten keinen Anruf der Dateien, die nicht gelesen "
                                "werden können.")
                  .arg(fehlt, leer, binaer));
    EXPECT_EQ(Kind<QComboBox>("cboMonat")->count(), 2);
    EXPECT_EQ(logs.Stand(), vorher);

    // Cancelling the dialog keeps what is shown.
    wahl.antwortDateien.reset();
    Kind<QPushButton>("cmdDateien")->click();
    EXPECT_FALSE(fenster->Liest());
    EXPECT_EQ(Spalte().size(), 3);

    Kind<QPushButton>("cmdOrdner")->click();
    WarteAufLesen();
    EXPECT_EQ(Text("lblAnzahl"), QStringLiteral("7 Anrufe aus 3 Dateien"));
    EXPECT_FALSE(Kind<QPushButton>("cmdOrdner")->isVisible());
}

TEST_F(JournalWindow, ExportWritesWhatTheFiltersShowInFileOrder) {
    const auto vorher = logs.Stand();
    for (int i = 0; i < 4; ++i) {
        Taste(Kind<QComboBox>("cboZone"), Qt::Key_Down);
    }
    // Shown by cost, highest first: the export keeps the order of the files.
    Gespraeche()->sortByColumn(int(tarvis::Spalte::Kosten), Qt::DescendingOrder);
    EXPECT_EQ(Spalte(), (QStringList{"03.12.1996", "28.11.1996"}));
    const QString ziel = logs.Pfad("export.csv");
    wahl.antwort = ziel;
    Kind<QPushButton>("cmdExportieren")->click();
    EXPECT_EQ(wahl.titel, QStringLiteral("Auswertung exportieren"));
    EXPECT_EQ(wahl.anfang, logs.Pfad("Auswertung.csv"));
    EXPECT_EQ(test::ReadAll(ziel),
              "Datum;Start;Stop;Dauer;Telefonnummer;Zone;Einheiten;Kosten;Kommentar\r\n"
              "28.11.1996;08:10:00;08:13:30;\"00:03:30,2\";089 4471120;Fern;12;\"1,44\";\r\n"
              "03.12.1996;19:20:00;19:58:10;\"00:38:10,0\";089 4471120;Fern;71;\"8,52\";"
              "Mutti\r\n");
    EXPECT_EQ(Text("lblHinweis"), QStringLiteral("2 Anrufe nach \"export.csv\" exportiert."));
    auto nachher = logs.Stand();
    nachher.erase(ziel);
    EXPECT_EQ(nachher, vorher);
}

// Whatever the user names as the export's target, no log is overwritten: not one read here,
// not the current one (even through a link), not a file named as the program names its logs,
// not a log under another name that was not read, nor a link to one; and the question whether
// to replace a file comes only after that check.
TEST_F(JournalWindow, ExportNeverOverwritesALog) {
    const QString verweis = logs.Pfad("verweis.csv");
    ASSERT_TRUE(QFile::link(logs.Dezember(), verweis));
    const QString ungelesen = logs.Pfad("alt.txt");
    ASSERT_TRUE(QFile::copy(logs.November(), ungelesen));
    const QString zumUngelesenen = logs.Pfad("alt.csv");
    ASSERT_TRUE(QFile::link(ungelesen, zumUngelesenen));
    logbuchdatei.SetzePfad(logs.Pfad("Anrufe.txt"));
    QFile(logbuchdatei.Pfad()).open(QIODevice::WriteOnly);
    const auto vorher = logs.Stand();
    for (const QString& ziel : {logs.Dezember(), verweis, logbuchdatei.Pfad(),
                                logs.Pfad("Tarvis 07-1997.Rep"), ungelesen, zumUngelesenen}) {
        SCOPED_TRACE(ziel.toStdString());
        wahl.antwort = ziel;
        const QString text = Meldung([&] { Kind<QPushButton>("cmdExportieren")->click(); });
        EXPECT_TRUE(text.contains(QStringLiteral("ist ein Logbuch"))) << text.toStdString();
    }
    EXPECT_EQ(logs.Stand(), vorher);
    EXPECT_FALSE(QFile::exists(logs.Pfad("Tarvis 07-1997.Rep")));
}

// A file that is no log is replaced only after "Ja"; "Nein", Enter and Escape keep it.
TEST_F(JournalWindow, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    const QString ziel = logs.Pfad("alt.csv");
    {
        QFile datei(ziel);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write("vorher");
    }
    wahl.antwort = ziel;
    auto antworte = [&](const std::function<void(QMessageBox*)>& wie) {
        QString frage;
        QObject wache;
        std::function<void(int)> versuche = [&](int rest) {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                if (rest > 0) {
                    QTimer::singleShot(10, &wache, [&, rest] { versuche(rest - 1); });
                }
                return;
            }
            frage = box->text();
            wie(box);
            if (box->isVisible()) {
                box->done(QMessageBox::Cancel); // the answer did not close it
            }
        };
        QTimer::singleShot(0, &wache, [&] { versuche(100); });
        Kind<QPushButton>("cmdExportieren")->click();
        return frage;
    };
    for (const Qt::Key taste : {Qt::Key_Return, Qt::Key_Escape}) {
        EXPECT_EQ(antworte([&](QMessageBox* box) { QTest::keyClick(box, taste); }),
                  QStringLiteral("\"%1\" gibt es schon. Überschreiben?")
                      .arg(QDir::toNativeSeparators(ziel)));
        EXPECT_EQ(test::ReadAll(ziel), "vorher");
    }
    antworte([&](QMessageBox* box) {
        for (QAbstractButton* knopf : box->buttons()) {
            if (knopf->text() == QStringLiteral("&Ja")) {
                knopf->click();
            }
        }
    });
    EXPECT_TRUE(test::ReadAll(ziel).startsWith("Datum;Start;"));
}

// The sums per telephone number, sorted by a click on a heading and exported as shown.
TEST_F(JournalWindow, SumsPerTelephoneNumber) {
    Taste(Kind<QComboBox>("cboGruppe"), Qt::Key_Down);
    EXPECT_EQ(Kind<QTableView>("tblSummen")->accessibleName(),
              QStringLiteral("Summen je Telefonnummer"));
    EXPECT_EQ(SummenZeile(0), (QStringList{"0711 123456", "2", "4", "0,48 DM"}));
    EXPECT_EQ(SummenZeilen(), 6);
    Kind<QTableView>("tblSummen")->sortByColumn(3, Qt::DescendingOrder);
    EXPECT_EQ(SummenZeile(0), (QStringList{"0711 654321", "1", "100", "12,00 DM"}));
    EXPECT_EQ(SummenZeile(5), (QStringList{"Gesamt", "7", "215", "25,80 DM"}));
    const QString ziel = logs.Pfad("summen.csv");
    wahl.antwort = ziel;
    Kind<QPushButton>("cmdSummenExport")->click();
    EXPECT_EQ(wahl.anfang, logs.Pfad("Summen je Telefonnummer.csv"));
    EXPECT_EQ(test::ReadAll(ziel), "Telefonnummer;Anrufe;Einheiten;Gebühren\r\n"
                                   "0711 654321;1;100;\"12,00\"\r\n"
                                   "089 4471120;2;83;\"9,96\"\r\n"
                                   "0621 339940;1;24;\"2,88\"\r\n"
                                   "0711 123456;2;4;\"0,48\"\r\n"
                                   "07031 88213;1;4;\"0,48\"\r\n"
                                   "Gesamt;7;215;\"25,80\"\r\n");
}

// The typing goes on while the search waits for a pause and runs off the window's thread.
TEST_F(JournalWindow, TheSearchWaitsForAPauseInTheTyping) {
    QTest::keyClicks(Kind<QLineEdit>("txtSuche"), QStringLiteral("mut"));
    EXPECT_TRUE(fenster->Filtert());
    EXPECT_EQ(Spalte().size(), 7);
    QSignalSpy gefiltert(fenster.get(), &frmAuswertung::Gefiltert);
    WarteAufFilter();
    EXPECT_EQ(Spalte(), (QStringList{"03.12.1996"}));
    EXPECT_EQ(gefiltert.size(), 1); // one run for the three keys
}

// The table sorts from the keyboard: Ctrl+S by the current cell's column, again the other way
// round; the context menu key offers both orders and the order of the files.
TEST_F(JournalWindow, TheTableSortsFromTheKeyboard) {
    QTableView* tabelle = Gespraeche();
    tabelle->setFocus();
    const int kosten = int(tarvis::Spalte::Kosten);
    tabelle->setCurrentIndex(tabelle->model()->index(0, kosten));
    Taste(tabelle, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Spalte(kosten).last(), QStringLiteral("12,00"));
    Taste(tabelle, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Spalte(kosten).first(), QStringLiteral("12,00"));

    QStringList eintraege;
    QTimer::singleShot(0, fenster.get(), [&] {
        auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menue, nullptr);
        for (QAction* eintrag : menue->actions()) {
            eintraege << eintrag->text();
        }
        QTest::keyClick(menue, Qt::Key_R); // the order of the files
    });
    QContextMenuEvent ereignis(QContextMenuEvent::Keyboard, QPoint(5, 5),
                               tabelle->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(tabelle, &ereignis);
    QApplication::processEvents();
    EXPECT_EQ(eintraege, (QStringList{QString::fromUtf8("&Aufsteigend nach „Kosten“ sortieren"),
                                      QString::fromUtf8("A&bsteigend nach „Kosten“ sortieren"),
                                      QStringLiteral("In der &Reihenfolge der Dateien")}));
    EXPECT_EQ(Spalte().first(), QStringLiteral("04.11.1996"));
    EXPECT_EQ(Spalte(kosten).last(), QStringLiteral("0,24"));
}

// Whole DM on the axis; each bar tells month, zone and amount.
TEST_F(JournalWindow, TheChartsAxisShowsWholeDmAndEachBarItsAmount) {
    auto* chart = Kind<QChartView>("chtMonate")->chart();
    auto* dm = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
    ASSERT_NE(dm, nullptr);
    EXPECT_EQ(dm->labelFormat(), QStringLiteral("%.0f"));
    EXPECT_EQ(BalkenText(QStringLiteral("12/1996"), 1, 1'234'500, QLocale(QLocale::German)),
              QStringLiteral("12/1996, City: 12.345,00 DM"));
}

TEST_F(JournalWindow, ControlsAreNamedForScreenReaders) {
    auto name = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    const std::vector<std::pair<const char*, const char*>> namen{
        {"tblGespraeche", "Anrufe"},
        {"tblSummen", "Summen je Monat und Zone"},
        {"txtSuche", "Suche"},
        {"cmdDateien", "Dateien…"},
        {"cmdUnlesbar", "Zeilen anzeigen…"},
        {"cmdExportieren", "Exportieren…"},
        {"cmdZurueck", "zurück"},
        {"chtMonate", "Grafik der Gebühren je Monat und Zone"},
    };
    for (const auto& [objekt, erwartet] : namen) {
        EXPECT_EQ(name(Kind<QWidget>(objekt)), QString::fromUtf8(erwartet)) << objekt;
    }
    // A list box is named by its label, the relation a screen reader follows; its own name is
    // the value chosen.
    const std::vector<std::pair<const char*, const char*>> beschriftet{
        {"cboMonat", "&Monat:"}, {"cboZone", "Zo&ne:"}, {"txtSuche", "&Suche:"}};
    for (const auto& [objekt, label] : beschriftet) {
        QAccessibleInterface* feld = QAccessible::queryAccessibleInterface(Kind<QWidget>(objekt));
        const auto relationen = feld->relations(QAccessible::Label);
        ASSERT_EQ(relationen.size(), 1) << objekt;
        auto* kopf = qobject_cast<QLabel*>(relationen.first().first->object());
        ASSERT_NE(kopf, nullptr) << objekt;
        EXPECT_EQ(kopf->text(), QString::fromUtf8(label));
    }
    // A list box by its own name, and the value chosen where a screen reader looks for it.
    const std::vector<std::pair<const char*, const char*>> listen{
        {"cboMonat", "Monat"}, {"cboZone", "Zone"}, {"cboGruppe", "Summen je"}};
    for (const auto& [objekt, erwartet] : listen) {
        auto* liste = Kind<QComboBox>(objekt);
        QAccessibleInterface* zugang = test::Zugang(liste);
        EXPECT_EQ(zugang->text(QAccessible::Name), QString::fromUtf8(erwartet)) << objekt;
        EXPECT_EQ(zugang->text(QAccessible::Value), liste->currentText()) << objekt;
        ASSERT_NE(zugang->textInterface(), nullptr) << objekt;
        EXPECT_EQ(zugang->textInterface()->text(0, zugang->textInterface()->characterCount()),
                  liste->currentText())
            << objekt;
        EXPECT_EQ(zugang->role(), QAccessible::ComboBox) << objekt;
    }
    EXPECT_EQ(name(Gespraeche()->horizontalHeader()), QString::fromUtf8("Spaltenköpfe: Anrufe"));
    // The label under the table carries its figure.
    EXPECT_EQ(name(Kind<QWidget>("lblUnlesbar")), QStringLiteral("1 Zeile nicht lesbar"));
}

// What a screen reader is told at once of a change the focused control does not tell: once for
// each change, however many keys made it.
TEST_F(JournalWindow, ChangesAreAnnouncedOnce) {
    test::ZugangsLauscher lauscher;
    struct Fall {
        const char* was;
        std::function<void()> tun;
        QString ansage;
    };
    auto* monat = Kind<QComboBox>("cboMonat");
    const std::vector<Fall> faelle{
        {"month by Down",
         [&] {
             monat->setFocus();
             Taste(monat, Qt::Key_Down);
         },
         monat->itemText(1)},
        {"sums per by Down",
         [&] {
             Kind<QWidget>("cboGruppe")->setFocus();
             Taste(Kind<QWidget>("cboGruppe"), Qt::Key_Down);
         },
         QStringLiteral("Telefonnummer")},
        {"search by three keys",
         [&] {
             Taste(monat, Qt::Key_Up);
             QTest::keyClicks(Kind<QLineEdit>("txtSuche"), QStringLiteral("mut"));
             WarteAufFilter();
         },
         QStringLiteral("1 von 7 Anrufen")},
        {"sort by Ctrl+S",
         [&] {
             Gespraeche()->setFocus();
             Gespraeche()->setCurrentIndex(
                 Gespraeche()->model()->index(0, int(tarvis::Spalte::Kosten)));
             Taste(Gespraeche(), Qt::Key_S, Qt::ControlModifier);
         },
         QString::fromUtf8("Aufsteigend nach „Kosten“ sortiert")},
    };
    for (const Fall& fall : faelle) {
        lauscher.Vergiss();
        fall.tun();
        EXPECT_EQ(lauscher.Ansagen(), std::vector<QString>{fall.ansage}) << fall.was;
    }
}

// Tab into a table tells a screen reader of its current cell, which Qt tells only on a change.
TEST_F(JournalWindow, EnteringATableTellsItsCurrentCell) {
    test::ZugangsLauscher lauscher;
    for (const char* name : {"tblGespraeche", "tblSummen"}) {
        auto* tabelle = Kind<QTableView>(name);
        tabelle->setCurrentIndex(tabelle->model()->index(1, 0));
        Kind<QWidget>("cmdZurueck")->setFocus();
        lauscher.Vergiss();
        tabelle->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        const QString zelle = tabelle->model()->index(1, 0).data().toString();
        EXPECT_TRUE(std::any_of(lauscher.Alle().begin(), lauscher.Alle().end(),
                                [&](const test::ZugangsEreignis& e) {
                                    return e.objekt == QLatin1String(name) &&
                                           e.art == QAccessible::Focus && e.name == zelle;
                                }))
            << name;
    }
}

// Every control has its key: Alt and the underlined letter.
struct TastenFall {
    const char* name;
    Qt::Key taste;
    const char* fokus; // the control that gets the focus, or empty
};
void PrintTo(const TastenFall& fall, std::ostream* os) {
    *os << fall.name;
}
class JournalKeyTest : public JournalWindow, public ::testing::WithParamInterface<TastenFall> {};

TEST_P(JournalKeyTest, AltAndTheLetterReachTheControl) {
    Gespraeche()->setFocus();
    Taste(fenster.get(), GetParam().taste, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(GetParam().fokus));
}

INSTANTIATE_TEST_SUITE_P(Tasten, JournalKeyTest,
                         ::testing::Values(TastenFall{"month", Qt::Key_M, "cboMonat"},
                                           TastenFall{"zone", Qt::Key_N, "cboZone"},
                                           TastenFall{"search", Qt::Key_S, "txtSuche"},
                                           TastenFall{"sums", Qt::Key_U, "tblSummen"},
                                           TastenFall{"sums_per", Qt::Key_J, "cboGruppe"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A button's key clicks it as a mouse would, after a moment in which it shows pressed.
TEST_F(JournalWindow, AltAndTheLetterPressTheButtons) {
    auto druecke = [&](Qt::Key taste) {
        QTest::keyClick(fenster.get(), taste, Qt::AltModifier);
        QTest::qWait(250);
    };
    druecke(Qt::Key_D);
    EXPECT_EQ(wahl.aufrufe, 1);
    EXPECT_EQ(wahl.titel, QString::fromUtf8("Logbücher für die Auswertung wählen"));
    druecke(Qt::Key_E);
    EXPECT_EQ(wahl.aufrufe, 2);
    EXPECT_EQ(wahl.titel, QStringLiteral("Auswertung exportieren"));
    QString offen;
    QObject wache;
    std::function<void(int)> schliesse = [&](int rest) {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) {
            if (rest > 0) {
                QTimer::singleShot(10, &wache, [&, rest] { schliesse(rest - 1); });
            }
            return;
        }
        offen = dialog->objectName();
        qobject_cast<QDialog*>(dialog)->accept();
    };
    QTimer::singleShot(0, &wache, [&] { schliesse(100); });
    druecke(Qt::Key_A);
    EXPECT_EQ(offen, QStringLiteral("dlgUnlesbar"));
    // The offscreen platform gives the focus back to the window only when asked.
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    druecke(Qt::Key_Z);
    EXPECT_FALSE(fenster->isVisible());
}

TEST_F(JournalWindow, FixedGroundsComeWithFixedTextColours) {
    const QPalette farben = fenster->palette();
    EXPECT_EQ(farben.color(QPalette::Window), style::Hellgrau);
    EXPECT_EQ(farben.color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(farben.color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(farben.color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(farben.color(QPalette::Button), style::Hellgrau);
    EXPECT_EQ(farben.color(QPalette::ButtonText), QColor(Qt::black));
}

TEST_F(JournalWindow, EveryControlShowsItsFocus) {
    const std::vector<QString> folge = test::PruefeSichtbarenFokus(*fenster);
    // Tab leaves the tables for the next control; the arrow keys move among their cells.
    EXPECT_EQ(folge, (std::vector<QString>{"cboMonat", "cboZone", "txtSuche", "cmdDateien",
                                           "tblGespraeche", "cmdUnlesbar", "cboGruppe", "tblSummen",
                                           "cmdSummenExport", "cmdExportieren", "cmdZurueck"}));
}

TEST_F(JournalWindow, UnderADarkSchemeNoTextOnAFixedGroundReadsWorse) {
    const auto baue = [this]() -> std::unique_ptr<QWidget> {
        return std::make_unique<frmAuswertung>(logbuchdatei, wahl);
    };
    const std::vector<test::KontrastMangel> maengel = test::KontrastMaengel(baue);
    EXPECT_TRUE(maengel.empty()) << test::Beschreibe(maengel);
}

// A window closed while it still reads stops the reading and goes at once.
TEST(JournalWindowClosing, ClosingWhileReadingStopsTheReading) {
    JournalLogs logs;
    {
        const QByteArray zeile = "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   "
                                 "0711 123456       City              2        0,24 DM\r\n";
        QFile gross(logs.Pfad("Tarvis 02-1997.Rep"));
        ASSERT_TRUE(gross.open(QIODevice::WriteOnly));
        gross.write(zeile.repeated(400'000));
    }
    Logbuchdatei logbuchdatei(logs.Januar());
    test::FakeFileChooser wahl;
    QElapsedTimer uhr;
    uhr.start();
    {
        frmAuswertung fenster(logbuchdatei, wahl);
        EXPECT_TRUE(fenster.Liest());
    }
    EXPECT_LT(uhr.elapsed(), 5'000);
}

} // namespace tarvis
