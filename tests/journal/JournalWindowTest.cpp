#include "journal/JournalWindow.h"

#include "calllog/Logbuch.h"
#include "gui/WindowStyle.h"
#include "journal/JournalLogs.h"
#include "journal/JournalModel.h"
#include "platform/QtCalendar.h"
#include "support/FakeFileChooser.h"
#include "support/Zugang.h"
#include "tariff/TariffTables.h"

#include <QAccessible>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedBarSeries>
#include <QTableView>
#include <QTest>
#include <QTimer>
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
    Logbuch logbuch{logs.Januar()};
    test::FakeFileChooser wahl;
    std::unique_ptr<frmAuswertung> fenster;

    void SetUp() override {
        fenster = std::make_unique<frmAuswertung>(logbuch, wahl);
        fenster->show();
        QApplication::setActiveWindow(fenster.get());
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
    QTableView* Anrufe() { return Kind<QTableView>("tblAnrufe"); }
    QString Text(const char* label) { return Kind<QLabel>(label)->text(); }

    // The first column of every row shown, to tell the calls apart.
    QStringList Spalte(int spalte = 0) {
        QStringList texte;
        const QAbstractItemModel* modell = Anrufe()->model();
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

    void Taste(QWidget* ziel, Qt::Key taste, Qt::KeyboardModifiers mit = Qt::NoModifier) {
        QTest::keyClick(ziel, taste, mit);
        QApplication::processEvents();
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
    QHeaderView* koepfe = Anrufe()->horizontalHeader();
    QStringList namen;
    for (int spalte = 0; spalte < koepfe->count(); ++spalte) {
        namen << Anrufe()->model()->headerData(spalte, Qt::Horizontal).toString();
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
    EXPECT_EQ(Spalte(), (QStringList{"03.12.1996"}));
    EXPECT_EQ(SummenZeile(0), (QStringList{"12/1996", "Fern", "1", "71", "8,52 DM"}));
}

TEST_F(JournalWindow, AClickOnAHeadingSortsByThatColumnsValues) {
    QHeaderView* koepfe = Anrufe()->horizontalHeader();
    const int kosten = int(tarvis::Spalte::Kosten);
    const QPoint mitte(koepfe->sectionViewportPosition(kosten) + koepfe->sectionSize(kosten) / 2,
                       koepfe->height() / 2);
    QTest::mouseClick(koepfe->viewport(), Qt::LeftButton, {}, mitte);
    EXPECT_EQ(Spalte(kosten),
              (QStringList{"0,24", "0,24", "0,48", "1,44", "2,88", "8,52", "12,00"}));
    QTest::mouseClick(koepfe->viewport(), Qt::LeftButton, {}, mitte);
    EXPECT_EQ(Spalte(kosten).first(), QStringLiteral("12,00"));
}

TEST_F(JournalWindow, TheZoneCellShowsTheZonesColourWithBlackText) {
    QTableView* tabelle = Anrufe();
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
    monate = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first());
    EXPECT_EQ(monate->categories(), (QStringList{"11/1996", "12/1996", "01/1997"}));
    reihe = qobject_cast<QStackedBarSeries*>(chart->series().first());
    EXPECT_NEAR(reihe->barSets()[3]->sum(), 0.0, 1e-9);
}

TEST_F(JournalWindow, TheDamagedLinesAreListedWithFileAndLineOnRequest) {
    const QString text = Meldung([&] { Kind<QPushButton>("cmdUnlesbar")->click(); });
    EXPECT_EQ(text, QStringLiteral("1 Zeile nicht lesbar:\n"
                                   "Tarvis 11-1996.Rep, Zeile 9: \"DM\" fehlt am Zeilenende"));
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
    EXPECT_EQ(wahl.filter.first(), QStringLiteral("Reportdateien (*.Rep)"));
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
}

TEST_F(JournalWindow, ExportWritesWhatTheFiltersShow) {
    const auto vorher = logs.Stand();
    for (int i = 0; i < 4; ++i) {
        Taste(Kind<QComboBox>("cboZone"), Qt::Key_Down);
    }
    const QString ziel = logs.Pfad("export.csv");
    wahl.antwortZiel = ziel;
    Kind<QPushButton>("cmdExportieren")->click();
    EXPECT_EQ(wahl.titel, QStringLiteral("Auswertung exportieren"));
    EXPECT_EQ(wahl.anfang, logs.Pfad("Auswertung.csv"));
    EXPECT_EQ(test::ReadAll(ziel),
              "Datum;Start;Stop;Dauer;Telefonnummer;Zone;Einheiten;Kosten;Kommentar\r\n"
              "28.11.1996;08:10:00;08:13:30;00:03:30,2;089 4471120;Fern;12;1,44;\r\n"
              "03.12.1996;19:20:00;19:58:10;00:38:10,0;089 4471120;Fern;71;8,52;Mutti\r\n");
    EXPECT_EQ(Text("lblHinweis"), QStringLiteral("2 Anrufe nach \"export.csv\" exportiert."));
    auto nachher = logs.Stand();
    nachher.erase(ziel);
    EXPECT_EQ(nachher, vorher);
}

// Whatever the user names as the export's target, no log is overwritten: not one read here,
// not the current one (even through a link), not a file named as the program names its logs.
TEST_F(JournalWindow, ExportNeverOverwritesALog) {
    const QString verweis = logs.Pfad("verweis.csv");
    ASSERT_TRUE(QFile::link(logs.Dezember(), verweis));
    logbuch.SetzePfad(logs.Pfad("Anrufe.txt"));
    QFile(logbuch.Pfad()).open(QIODevice::WriteOnly);
    const auto vorher = logs.Stand();
    for (const QString& ziel :
         {logs.Dezember(), verweis, logbuch.Pfad(), logs.Pfad("Tarvis 07-1997.Rep")}) {
        SCOPED_TRACE(ziel.toStdString());
        wahl.antwortZiel = ziel;
        const QString text = Meldung([&] { Kind<QPushButton>("cmdExportieren")->click(); });
        EXPECT_TRUE(text.contains(QStringLiteral("ist ein Logbuch"))) << text.toStdString();
    }
    EXPECT_EQ(logs.Stand(), vorher);
    EXPECT_FALSE(QFile::exists(logs.Pfad("Tarvis 07-1997.Rep")));
}

TEST_F(JournalWindow, ControlsAreNamedForScreenReaders) {
    auto name = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    const std::vector<std::pair<const char*, const char*>> namen{
        {"tblAnrufe", "Anrufe"},
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
    EXPECT_EQ(name(Kind<QWidget>("cboMonat")), QStringLiteral("Alle Monate"));
    EXPECT_EQ(name(Anrufe()->horizontalHeader()), QString::fromUtf8("Spaltenköpfe: Anrufe"));
    // The label under the table carries its figure.
    EXPECT_EQ(name(Kind<QWidget>("lblUnlesbar")), QStringLiteral("1 Zeile nicht lesbar"));
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
    Anrufe()->setFocus();
    Taste(fenster.get(), GetParam().taste, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(GetParam().fokus));
}

INSTANTIATE_TEST_SUITE_P(Tasten, JournalKeyTest,
                         ::testing::Values(TastenFall{"month", Qt::Key_M, "cboMonat"},
                                           TastenFall{"zone", Qt::Key_N, "cboZone"},
                                           TastenFall{"search", Qt::Key_S, "txtSuche"},
                                           TastenFall{"sums", Qt::Key_U, "tblSummen"}),
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
    EXPECT_FALSE(Meldung([&] { druecke(Qt::Key_A); }).isEmpty());
    // The offscreen platform gives the focus back to the window only when asked.
    QApplication::setActiveWindow(fenster.get());
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
    EXPECT_EQ(folge,
              (std::vector<QString>{"cboMonat", "cboZone", "txtSuche", "cmdDateien", "tblAnrufe",
                                    "cmdUnlesbar", "tblSummen", "cmdExportieren", "cmdZurueck"}));
}

TEST_F(JournalWindow, UnderADarkSchemeNoTextOnAFixedGroundReadsWorse) {
    const auto baue = [this]() -> std::unique_ptr<QWidget> {
        return std::make_unique<frmAuswertung>(logbuch, wahl);
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
    Logbuch logbuch(logs.Januar());
    test::FakeFileChooser wahl;
    QElapsedTimer uhr;
    uhr.start();
    {
        frmAuswertung fenster(logbuch, wahl);
        EXPECT_TRUE(fenster.Liest());
    }
    EXPECT_LT(uhr.elapsed(), 5'000);
}

} // namespace tarvis
