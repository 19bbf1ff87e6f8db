#include "monitor/window/MainWindow.h"

#include "calculation/IntervalCost.h"
#include "calllog/Call.h"
#include "calllog/LogFile.h"
#include "gui/Gauge.h"
#include "gui/WindowStyle.h"
#include "platform/FileChooser.h"
#include "support/AccessibilityChecks.h"
#include "support/FakeClock.h"
#include "support/FakeFileChooser.h"
#include "support/TempDir.h"
#include "tariff/Format.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

using namespace tarvis;
using namespace std::chrono;

namespace {

class MainWindow : public ::testing::Test {
protected:
    // Saturday 7.12.1996, 14:05:33.
    test::FakeTime zeit{MomentAus(year{1996} / 12 / 7, 14, 5, 33), 5'000'000};
    test::FakeFileChooser dateiWahl;
    Logbuchdatei logbuchdatei{QStringLiteral("/tmp/Tarvis 12-1996.Rep")};
    std::unique_ptr<frmGMMain> fenster;

    void SetUp() override {
        fenster = std::make_unique<frmGMMain>(
            MonitorUmgebung{zeit.clock, zeit.counter, dateiWahl, logbuchdatei});
    }

    template <class T = QLabel> T* Control(const QString& name) {
        T* control = fenster->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    QString Text(const QString& name) { return Control(name)->text(); }
    QString Text(const char* name, int zone) {
        return Text(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(zone));
    }
    QPushButton* Knopf(const char* name) { return Control<QPushButton>(QLatin1String(name)); }

    // Lets the call run: ticks every 100 ms as the window's timer would.
    void Laufen(std::int64_t ms) {
        for (std::int64_t t = 0; t < ms; t += 100) {
            zeit.advanceMs(100);
            fenster->Tick();
        }
    }
    void Taste(int taste) { QTest::keyClick(fenster.get(), static_cast<Qt::Key>(taste)); }
};

} // namespace

TEST_F(MainWindow, StartUpShowsTitleClockTariffAndEmptyCall) {
    EXPECT_EQ(fenster->windowTitle(),
              QStringLiteral("Tarvis32 - V1.30 [Logbuchdatei: /tmp/Tarvis 12-1996.Rep]"));
    EXPECT_EQ(Text("lblUhr"), QStringLiteral("14:05:33"));
    EXPECT_EQ(Text("lblStart"), QString());
    EXPECT_EQ(Text("lblStop"), QString());
    EXPECT_EQ(Text("lblDauer"), QString());
    EXPECT_FALSE(Text("lblCopyright").isEmpty());
    EXPECT_EQ(Text("lblDatum"), QStringLiteral("Samstag, 07.12.1996"));
    EXPECT_EQ(Text("lblFT"), QStringLiteral("S"));
    EXPECT_EQ(Text("lblTarif"), QStringLiteral("Freizeittarif (05:00 - 21:00 Uhr)"));
    const char* sek[] = {"150,0", "45,0", "22,5", "21,5"};
    for (int zone : AlleZonen) {
        EXPECT_EQ(Text("lblEinheiten", zone), QStringLiteral("0"));
        EXPECT_EQ(Text("lblKosten", zone), QStringLiteral("0,00"));
        EXPECT_EQ(Text("lblSek", zone), QLatin1String(sek[zone - 1]));
    }
    EXPECT_EQ(Knopf("cmdStart")->text(), QStringLiteral("S T A R T"));
    EXPECT_FALSE(Knopf("cmdSpeichern")->isEnabled());
    EXPECT_EQ(Knopf("cmdInfo")->text(), QStringLiteral("&Info"));
    EXPECT_EQ(Knopf("cmdEnde")->text(), QStringLiteral("&Ende"));
    EXPECT_EQ(Control<QAction>("mnuTarife")->text(), QStringLiteral("&Tarife"));
    EXPECT_EQ(Control<QAction>("mnuBerechnung")->text(), QStringLiteral("&Berechnung"));
    EXPECT_EQ(fenster->menuBar()->actions().value(2), Control<QAction>("mnuAuswertung"));
    EXPECT_EQ(Control<QAction>("mnuAuswertung")->text(), QStringLiteral("&Auswertung"));
}

TEST_F(MainWindow, TitleFollowsAChangeOfLogFile) {
    logbuchdatei.SetzePfad(QStringLiteral("/home/u/Anrufe.Rep"));
    EXPECT_EQ(fenster->windowTitle(),
              QStringLiteral("Tarvis32 - V1.30 [Logbuchdatei: /home/u/Anrufe.Rep]"));
}

TEST_F(MainWindow, EnterStartsAndStopsAndTheFiguresRun) {
    Taste(Qt::Key_Return);
    EXPECT_EQ(Knopf("cmdStart")->text(), QStringLiteral("S T O P"));
    EXPECT_EQ(Text("lblStart"), QStringLiteral("14:05:33"));
    EXPECT_EQ(Text("lblDauer"), QStringLiteral("00:00:00,0"));
    EXPECT_EQ(Text("lblEinheiten", 4), QStringLiteral("1"));
    EXPECT_EQ(Text("lblKosten", 4), QStringLiteral("0,12"));
    EXPECT_FALSE(Knopf("cmdSpeichern")->isEnabled());

    Laufen(45'000); // Fern 21.5 s units on a Saturday afternoon: three begun
    EXPECT_EQ(Text("lblDauer"), QStringLiteral("00:00:45,0"));
    EXPECT_EQ(Text("lblEinheiten", 4), QStringLiteral("3"));
    EXPECT_EQ(Text("lblKosten", 4), QStringLiteral("0,36"));
    EXPECT_EQ(Text("lblEinheiten", 1), QStringLiteral("1"));
    auto* gauge = Control<Gauge>(QStringLiteral("GaugeZeit(1)"));
    EXPECT_EQ(gauge->maximum(), 15'000);
    EXPECT_EQ(gauge->value(), 4'500);

    Taste(Qt::Key_Enter);
    EXPECT_EQ(Knopf("cmdStart")->text(), QStringLiteral("S T A R T"));
    EXPECT_EQ(Text("lblStop"), QStringLiteral("14:06:18"));
    EXPECT_TRUE(Knopf("cmdSpeichern")->isEnabled());
    Laufen(1'000); // figures freeze, the clock runs on
    EXPECT_EQ(Text("lblDauer"), QStringLiteral("00:00:45,0"));
    EXPECT_EQ(Text("lblUhr"), QStringLiteral("14:06:19"));
}

// The program stood still for 90 s and STOP came the moment it ran again: the window shows, and
// saves, every unit begun before STOP (Saturday afternoon, 92 s: 1, 3, 5 and 5 units).
TEST_F(MainWindow, StopAfterAStallShowsEveryUnitBegunBeforeIt) {
    Knopf("cmdStart")->click();
    Laufen(2'000);
    zeit.advanceMs(90'000); // no tick meanwhile
    Knopf("cmdStart")->click();
    const char* einheiten[] = {"1", "3", "5", "5"};
    const char* kosten[] = {"0,12", "0,36", "0,60", "0,60"};
    for (int zone : AlleZonen) {
        EXPECT_EQ(Text("lblEinheiten", zone), QLatin1String(einheiten[zone - 1]));
        EXPECT_EQ(Text("lblKosten", zone), QLatin1String(kosten[zone - 1]));
    }
    EXPECT_EQ(Text("lblDauer"), QStringLiteral("00:01:32,0"));
    EXPECT_EQ(fenster->Gespraech().einheiten, (ZonenArray<std::int64_t>{1, 3, 5, 5}));
}

// The machine slept for two hours during a call, across 18:00. The exchange charged on, and so
// does the window: the first tick after waking shows every unit of the sleep, each in the band
// of the moment it began, as the calculation prices the same call.
TEST_F(MainWindow, ACallAcrossASuspendIsChargedForTheTimeAsleep) {
    test::FakeTime abend{MomentAus(year{1996} / 12 / 2, 17, 10), 7'000'000};
    frmGMMain monitor(MonitorUmgebung{abend.clock, abend.counter, dateiWahl, logbuchdatei});
    monitor.findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
    for (int i = 0; i < 10; ++i) {
        abend.advanceMs(100);
        monitor.Tick();
    }
    abend.advanceMs(2 * 3'600'000); // asleep; the counter counts on, as the system's does
    monitor.Tick();
    FeiertagKalender kalender;
    const IntervallKosten soll =
        BerechneIntervall(MomentAus(year{1996} / 12 / 2, 17, 10), 7'201, kalender);
    for (int zone : AlleZonen) {
        EXPECT_EQ(monitor.findChild<QLabel*>(style::FeldName("lblEinheiten", zone))->text(),
                  QString::number(soll.einheiten[zone]));
    }
    EXPECT_EQ(monitor.findChild<QLabel*>(QStringLiteral("lblDauer"))->text(),
              QStringLiteral("02:00:01,0"));
}

TEST_F(MainWindow, EscapeStopsOnlyARunningCall) {
    Taste(Qt::Key_Escape);
    EXPECT_EQ(Knopf("cmdStart")->text(), QStringLiteral("S T A R T"));
    EXPECT_EQ(Text("lblStart"), QString());
    Taste(Qt::Key_Return);
    Laufen(300);
    Taste(Qt::Key_Escape);
    EXPECT_EQ(Knopf("cmdStart")->text(), QStringLiteral("S T A R T"));
    EXPECT_TRUE(Knopf("cmdSpeichern")->isEnabled());
}

TEST_F(MainWindow, ANewStartResetsThePreviousCall) {
    Knopf("cmdStart")->click();
    Laufen(30'000);
    Knopf("cmdStart")->click();
    EXPECT_EQ(Text("lblEinheiten", 4), QStringLiteral("2"));
    Laufen(5'000);
    Knopf("cmdStart")->click();
    EXPECT_EQ(Text("lblEinheiten", 4), QStringLiteral("1"));
    EXPECT_EQ(Text("lblDauer"), QStringLiteral("00:00:00,0"));
    EXPECT_EQ(Text("lblStop"), QString());
    EXPECT_FALSE(Knopf("cmdSpeichern")->isEnabled());
}

TEST_F(MainWindow, TheDisplayFollowsTheBandAndTheDay) {
    zeit.clock.set(MomentAus(year{1996} / 12 / 7, 20, 59, 59));
    fenster->Tick();
    EXPECT_EQ(Text("lblTarif"), QStringLiteral("Freizeittarif (05:00 - 21:00 Uhr)"));
    zeit.clock.set(MomentAus(year{1996} / 12 / 7, 21, 0, 0));
    fenster->Tick();
    EXPECT_EQ(Text("lblTarif"), QStringLiteral("Mondscheintarif (21:00 - 05:00 Uhr)"));
    EXPECT_EQ(Text("lblSek", 1), QStringLiteral("240,0"));
    // A clock set forward by a month, to the same day of the month.
    zeit.clock.set(MomentAus(year{1997} / 1 / 7, 21, 0, 0));
    fenster->Tick();
    EXPECT_EQ(Text("lblDatum"), QStringLiteral("Dienstag, 07.01.1997"));
    EXPECT_EQ(Text("lblFT"), QString());
}

// Each kind of day as the marker shows it: letters, the designed ground (written out here, not
// taken from the shared look) and the kind of day a screen reader hears.
TEST_F(MainWindow, TheMarkerShowsTheKindOfDayOnItsGround) {
    const struct {
        Datum tag;
        const char* text;
        QColor grund;
        const char* name;
    } faelle[] = {
        {year{1996} / 12 / 2, "", {192, 192, 192}, "Tagesart: Montag - Freitag"},
        {year{1996} / 12 / 7, "S", {255, 192, 192}, "Tagesart: Samstag / Sonntag"},
        {year{1996} / 12 / 24, "FT", {192, 0, 0}, "Tagesart: Feiertag"},
        {year{1997} / 12 / 29, "W", {192, 192, 255}, "Tagesart: Werktag 27.12. - 30.12."},
        {year{1996} / 12 / 3, "", {192, 192, 192}, "Tagesart: Montag - Freitag"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(DatumText(fall.tag));
        zeit.clock.set(MomentAus(fall.tag, 10));
        fenster->Tick();
        QLabel* marker = Control(QStringLiteral("lblFT"));
        EXPECT_EQ(marker->text(), QString::fromUtf8(fall.text));
        EXPECT_EQ(marker->palette().color(QPalette::Window), fall.grund);
        EXPECT_EQ(marker->palette().color(QPalette::WindowText), QColor(Qt::white));
        EXPECT_EQ(test::ZugangsName(marker), QString::fromUtf8(fall.name));
    }
}

TEST_F(MainWindow, NothingIsClipped) {
    // The longest texts each label can show.
    const std::vector<std::pair<QString, QString>> laengste{
        {"lblDatum", "Donnerstag, 30.12.2026"},
        {"lblTarif", "Nachmittagtarif (12:00 - 18:00 Uhr)"},
        {"lblDauer", "100:00:00,0"},
        {"lblUhr", "00:00:00"},
        {"lblSek(1)", "240,0"},
        {"lblDMmin(4)", "0,60"},
        {"lblEinheiten(4)", "99999"}, // a call of several days in the Fern zone
        {"lblKosten(4)", "9999,99"},
        {"lblRegion200", "Region 200"},
        {"lblDM(4)", "DM"},
        {"lblCopyright", Text("lblCopyright")},
    };
    for (const auto& [name, text] : laengste) {
        QLabel* label = Control(name);
        const int noetig = label->fontMetrics().horizontalAdvance(text) + 2 * label->frameWidth() +
                           2 * label->margin();
        EXPECT_LE(noetig, label->width()) << name.toStdString() << ": " << text.toStdString();
    }
    QPushButton* start = Knopf("cmdStart");
    EXPECT_LE(start->fontMetrics().horizontalAdvance(start->text()), start->width());
}

namespace {

// Runs `waehrenddessen` once the modal window that `oeffnen` opens is up, then closes that
// window. Returns the window's object name, or nothing when none opened.
QString MitModalemFenster(const std::function<void()>& oeffnen,
                          const std::function<void(QDialog&)>& waehrenddessen) {
    QString name;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            name = dialog->objectName();
            waehrenddessen(*dialog);
            dialog->reject();
        }
    });
    oeffnen();
    return name;
}

} // namespace

TEST_F(MainWindow, ACallGoesOnBeingCountedBehindEveryModalWindow) {
    QTemporaryDir dir;
    logbuchdatei.SetzePfad(dir.filePath(QStringLiteral("Tarvis 12-1996.Rep")));
    fenster->show();
    Knopf("cmdStart")->click();
    const std::vector<std::pair<QString, std::function<void()>>> oeffner{
        {"frmUebersicht", [&] { Control<QAction>("mnuTarife")->trigger(); }},
        {"frmBerechnung", [&] { Control<QAction>("mnuBerechnung")->trigger(); }},
        {"frmAbout", [&] { Knopf("cmdInfo")->click(); }},
        {"frmAuswertung", [&] { Control<QAction>("mnuAuswertung")->trigger(); }},
    };
    std::int64_t einheiten = 1;
    for (const auto& [erwartet, oeffnen] : oeffner) {
        const QString soll = QString::number(++einheiten);
        const QString geoeffnet = MitModalemFenster(oeffnen, [&](QDialog&) {
            zeit.advanceMs(21'600); // a little more than one Fern unit of 21.5 s
            // The window's own timer ticks behind the modal window.
            for (int i = 0; i < 100 && Text("lblEinheiten", 4) != soll; ++i) {
                QTest::qWait(50);
            }
        });
        EXPECT_EQ(geoeffnet, erwartet);
        EXPECT_EQ(Text("lblEinheiten", 4), soll) << erwartet.toStdString();
    }
}

TEST_F(MainWindow, SavingAFinishedCallWritesItAndDisablesTheButton) {
    QTemporaryDir dir;
    logbuchdatei.SetzePfad(dir.filePath(QStringLiteral("Tarvis 12-1996.Rep")));
    Knopf("cmdStart")->click();
    Laufen(3'000);
    Knopf("cmdStart")->click();
    ASSERT_TRUE(Knopf("cmdSpeichern")->isEnabled());
    const QString geoeffnet =
        MitModalemFenster([&] { Knopf("cmdSpeichern")->click(); },
                          [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
    EXPECT_EQ(geoeffnet, QStringLiteral("frmSpeichern"));
    EXPECT_FALSE(Knopf("cmdSpeichern")->isEnabled());
    const QByteArray inhalt = test::ReadAll(logbuchdatei.Pfad());
    EXPECT_TRUE(inhalt.endsWith("07.12.96   14:05:33   07.12.96   14:05:36   00:00:03,0   "
                                "                  City              1        0,12 DM\r\n"))
        << inhalt.toStdString();
}

TEST_F(MainWindow, ACancelledSaveKeepsTheButtonEnabled) {
    Knopf("cmdStart")->click();
    Knopf("cmdStart")->click();
    MitModalemFenster([&] { Knopf("cmdSpeichern")->click(); }, [](QDialog&) {});
    EXPECT_TRUE(Knopf("cmdSpeichern")->isEnabled());
}

TEST_F(MainWindow, KeypadEnterStartsAndStopsToo) {
    QTest::keyClick(fenster.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Knopf("cmdStart")->text(), QStringLiteral("S T O P"));
    QTest::keyClick(fenster.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Knopf("cmdStart")->text(), QStringLiteral("S T A R T"));
}

TEST_F(MainWindow, EnterPressesTheFocusedButtonInsteadOfStart) {
    fenster->show();
    Knopf("cmdEnde")->setFocus();
    Taste(Qt::Key_Return);
    EXPECT_FALSE(fenster->isVisible()); // "Ende" closed the window, no question asked
    EXPECT_EQ(Knopf("cmdStart")->text(), QStringLiteral("S T A R T"));
}

// The log is written in its own fixed forms, whatever number settings the desktop has: a call
// saved under English, C or Persian settings gives the bytes German settings give (and the
// figures in the window take the decimal separator of the settings).
class MainWindowLocale : public ::testing::TestWithParam<const char*> {};

TEST_P(MainWindowLocale, TheLogRecordIsTheSameUnderAnyNumberSettings) {
    const QLocale vorher;
    QLocale::setDefault(QLocale(QString::fromLatin1(GetParam())));
    QTemporaryDir dir;
    test::FakeTime zeit{MomentAus(year{1996} / 12 / 7, 14, 5, 33), 5'000'000};
    test::FakeFileChooser dateiWahl;
    Logbuchdatei logbuchdatei{dir.filePath(QStringLiteral("Tarvis 12-1996.Rep"))};
    {
        frmGMMain fenster(MonitorUmgebung{zeit.clock, zeit.counter, dateiWahl, logbuchdatei});
        fenster.findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
        for (int i = 0; i < 1000; ++i) { // 100 s: Fern 21.5-s units, five begun
            zeit.advanceMs(100);
            fenster.Tick();
        }
        fenster.findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
        // The window shows Western digits with the decimal separator of the settings.
        const QString komma = QLocale().decimalPoint();
        EXPECT_EQ(fenster.findChild<QLabel*>(QStringLiteral("lblKosten(4)"))->text(),
                  QStringLiteral("0") + komma + QStringLiteral("60"));
        EXPECT_EQ(fenster.findChild<QLabel*>(QStringLiteral("lblSek(4)"))->text(),
                  QStringLiteral("21") + komma + QStringLiteral("5"));
        EXPECT_TRUE(fenster.findChild<QLabel*>(QStringLiteral("lblDatum"))
                        ->text()
                        .contains(QStringLiteral("1996")));
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QRadioButton*>(QStringLiteral("optZone(4)"))->setChecked(true);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        fenster.findChild<QPushButton*>(QStringLiteral("cmdSpeichern"))->click();
    }
    QLocale::setDefault(vorher);
    const QByteArray inhalt = test::ReadAll(logbuchdatei.Pfad());
    EXPECT_TRUE(inhalt.endsWith("07.12.96   14:05:33   07.12.96   14:07:13   00:01:40,0   "
                                "                  Fern              5        0,60 DM\r\n"))
        << inhalt.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Zahlenformate, MainWindowLocale,
                         ::testing::Values("de_DE", "en_US", "C", "fa_IR"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

// What a screen reader reads of the window during a call: every figure with its zone and
// meaning and the value it shows, the START/STOP button by its state rather than its spaced
// caption, and the gauges by zone with value and maximum. Saturday afternoon, 45 s into a call
// that began at 14:05:33 (units of 150, 45, 22.5 and 21.5 s).
TEST_F(MainWindow, AScreenReaderReadsEveryFigureWithItsZoneMeaningAndValue) {
    fenster->show();
    Knopf("cmdStart")->click();
    Laufen(45'000);
    const struct {
        const char* objekt;
        QAccessible::Role rolle;
        const char* name;
    } erwartet[] = {
        {"cmdStart", QAccessible::Button, "Stopp"},
        {"cmdSpeichern", QAccessible::Button, "Speichern"},
        {"lblEinheiten(1)", QAccessible::StaticText, "City: 1 Einheit"},
        {"lblEinheiten(2)", QAccessible::StaticText, "Region 50: 1 Einheit"},
        {"lblEinheiten(3)", QAccessible::StaticText, "Region 200: 2 Einheiten"},
        {"lblEinheiten(4)", QAccessible::StaticText, "Fern: 3 Einheiten"},
        {"lblKosten(1)", QAccessible::StaticText, "City: 0,12 DM"},
        {"lblKosten(4)", QAccessible::StaticText, "Fern: 0,36 DM"},
        {"lblSek(1)", QAccessible::StaticText, "City: 150,0 Sekunden je Einheit"},
        {"lblSek(3)", QAccessible::StaticText, "Region 200: 22,5 Sekunden je Einheit"},
        {"lblDMmin(1)", QAccessible::StaticText, "City: 0,05 DM je Minute"},
        {"lblDMmin(4)", QAccessible::StaticText, "Fern: 0,33 DM je Minute"},
        {"lblUhr", QAccessible::StaticText, "Uhrzeit: 14:06:18"},
        {"lblStart", QAccessible::StaticText, "Start: 14:05:33"},
        {"lblStop", QAccessible::StaticText, "Stop"},
        {"lblDauer", QAccessible::StaticText, "Dauer: 00:00:45,0"},
        {"lblFT", QAccessible::StaticText, "Tagesart: Samstag / Sonntag"},
        {"lblTarif", QAccessible::StaticText, "Tarif: Freizeittarif (05:00 - 21:00 Uhr)"},
        {"lblDatum", QAccessible::StaticText, "Samstag, 07.12.1996"},
        {"GaugeZeit(1)", QAccessible::ProgressBar, "City: laufende Einheit"},
        {"GaugeZeit(4)", QAccessible::ProgressBar, "Fern: laufende Einheit"},
    };
    for (const auto& e : erwartet) {
        SCOPED_TRACE(e.objekt);
        QObject* objekt = fenster->findChild<QObject*>(QLatin1String(e.objekt));
        ASSERT_NE(objekt, nullptr);
        QAccessibleInterface* zugang = test::Zugang(objekt);
        ASSERT_NE(zugang, nullptr);
        EXPECT_EQ(zugang->text(QAccessible::Name), QString::fromUtf8(e.name));
        EXPECT_EQ(zugang->role(), e.rolle);
    }
    EXPECT_EQ(Knopf("cmdStart")->text(), QStringLiteral("S T O P"));

    // Gauges: City 45 of 150 s, Fern 2 s into its third unit of 21.5 s, in steps of 10 ms.
    const struct { int zone, wert, max; } gauges[] = {{1, 4'500, 15'000}, {4, 200, 2'150}};
    for (const auto& g : gauges) {
        QAccessibleInterface* zugang =
            test::Zugang(Control<Gauge>(QStringLiteral("GaugeZeit(%1)").arg(g.zone)));
        ASSERT_NE(zugang, nullptr);
        QAccessibleValueInterface* wert = zugang->valueInterface();
        ASSERT_NE(wert, nullptr) << g.zone;
        EXPECT_EQ(wert->currentValue().toInt(), g.wert) << g.zone;
        EXPECT_EQ(wert->maximumValue().toInt(), g.max) << g.zone;
        EXPECT_EQ(wert->minimumValue().toInt(), 0) << g.zone;
    }

    Knopf("cmdStart")->click();
    EXPECT_EQ(test::ZugangsName(Knopf("cmdStart")), QStringLiteral("Start"));
    EXPECT_EQ(Knopf("cmdStart")->text(), QStringLiteral("S T A R T"));
    EXPECT_EQ(test::ZugangsName(Control(QStringLiteral("lblStop"))),
              QStringLiteral("Stop: 14:06:18"));
}

// A listener hears a new unit and STOP, not every tick: over half a minute of a call the
// window tells of START, of the two ticks at which a unit began (Fern at 21.6 s, Region 200
// at 22.6 s), of the one new minute of the clock and of STOP; the duration and the gauges,
// which change every tick, say nothing in between.
TEST_F(MainWindow, ARunningCallTellsAScreenReaderOfNewUnitsAndStopButNotOfEveryTick) {
    fenster->show();
    test::ZugangsLauscher lauscher;
    Knopf("cmdStart")->click();
    Laufen(30'000); // 14:05:33 to 14:06:03
    Knopf("cmdStart")->click();

    const struct {
        const char* objekt;
        int ereignisse;
    } erwartet[] = {
        {"lblDauer", 4},        // START, two ticks with a new unit, STOP
        {"lblUhr", 1},          // 14:06
        {"lblEinheiten(1)", 1}, // 0 to 1 at START
        {"lblEinheiten(3)", 2}, // and 2 at 22.6 s
        {"lblEinheiten(4)", 2}, {"lblKosten(4)", 2},
        {"lblStart", 1},        {"lblStop", 1}, // set at STOP (START found it empty already)
        {"cmdStart", 4}, // "Stopp", then "Start": for the name and for the caption
        {"GaugeZeit(1)", 0},    {"GaugeZeit(4)", 0},
    };
    for (const auto& e : erwartet) {
        const QString objekt = QLatin1String(e.objekt);
        const int namen = lauscher.Anzahl(objekt, QAccessible::NameChanged);
        const int werte = lauscher.Anzahl(objekt, QAccessible::ValueChanged);
        EXPECT_EQ(namen + werte, e.ereignisse) << e.objekt;
    }
    // The last thing heard of the duration is its value at STOP.
    QString dauer;
    for (const test::ZugangsEreignis& e : lauscher.Alle()) {
        if (e.objekt == QLatin1String("lblDauer")) {
            dauer = e.name;
        }
    }
    EXPECT_EQ(dauer, QStringLiteral("Dauer: 00:00:30,0"));
    for (const test::ZugangsEreignis& e : lauscher.Alle()) {
        if (e.objekt == QLatin1String("cmdStart")) {
            EXPECT_TRUE(e.name == QLatin1String("Stopp") || e.name == QLatin1String("Start"))
                << e.name.toStdString();
        }
    }
}

// Records which widgets of a window are painted, by their object names.
class MalProtokoll final : public QObject {
public:
    explicit MalProtokoll(QWidget& fenster) {
        for (QWidget* widget : fenster.findChildren<QWidget*>()) {
            widget->installEventFilter(this);
        }
    }
    std::set<QString> Gemalt() {
        QApplication::processEvents(); // the repaints a tick asked for
        return std::exchange(gemalt_, {});
    }

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (ereignis->type() == QEvent::Paint) {
            gemalt_.insert(objekt->objectName().isEmpty()
                               ? QLatin1String(objekt->metaObject()->className())
                               : objekt->objectName());
        }
        return false;
    }

private:
    std::set<QString> gemalt_;
};

// Ten ticks a second all day long: a tick paints only the widgets whose look changed, and a
// screen reader hears of nothing that stayed as it was.
TEST_F(MainWindow, ATickPaintsOnlyWhatChangedAndTellsNobodyOfWhatDidNot) {
    const struct {
        const char* fall;
        bool gespraech;
        int ticks; // from 14:05:33.0
        std::set<QString> gemalt;
    } faelle[] = {
        {"waiting, within a second", false, 9, {}},
        {"waiting, into the next second", false, 10, {"lblUhr"}},
        // City's bar moves 0.17 pixels a tick, Region 50's 0.58, the others more than one.
        {"a call, within a second",
         true,
         5,
         {"lblDauer", "GaugeZeit(2)", "GaugeZeit(3)", "GaugeZeit(4)"}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        fenster.reset();
        zeit = test::FakeTime{MomentAus(year{1996} / 12 / 7, 14, 5, 33), 5'000'000};
        SetUp();
        fenster->show();
        fenster->activateWindow(); // the focus frame drawn before the ticks
        ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
        if (f.gespraech) {
            Knopf("cmdStart")->click();
        }
        MalProtokoll protokoll(*fenster);
        protokoll.Gemalt();
        test::ZugangsLauscher lauscher;
        Laufen(100 * f.ticks);
        EXPECT_EQ(protokoll.Gemalt(), f.gemalt);
        EXPECT_TRUE(lauscher.Alle().empty()) << lauscher.Alle().front().objekt.toStdString();
    }
}

// The menu entries are reached with Alt and their letter.
TEST_F(MainWindow, AltTAndAltBOpenTheMenuWindows) {
    fenster->show();
    const std::pair<Qt::Key, const char*> tasten[] = {{Qt::Key_T, "frmUebersicht"},
                                                      {Qt::Key_B, "frmBerechnung"}};
    for (const auto& [taste, fensterName] : tasten) {
        fenster->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
        const QString geoeffnet = MitModalemFenster(
            [&] { QTest::keyClick(fenster.get(), taste, Qt::AltModifier); }, [](QDialog&) {});
        EXPECT_EQ(geoeffnet, QLatin1String(fensterName));
    }
}

TEST_F(MainWindow, EveryControlShowsItsFocus) {
    fenster->show();
    Knopf("cmdStart")->click(); // a finished call: the save button takes the focus too
    Knopf("cmdStart")->click();
    const std::vector<QString> folge = test::PruefeSichtbarenFokus(*fenster);
    EXPECT_EQ(folge, (std::vector<QString>{"cmdStart", "cmdEnde", "cmdSpeichern", "cmdInfo"}));
}

TEST_F(MainWindow, UnderADarkSchemeNoTextOnAFixedGroundReadsWorse) {
    const auto baue = [this] {
        return std::make_unique<frmGMMain>(
            MonitorUmgebung{zeit.clock, zeit.counter, dateiWahl, logbuchdatei});
    };
    EXPECT_GT(test::LabelsAufFestemGrund(baue), 30);
    const std::vector<test::KontrastMangel> maengel = test::KontrastMaengel(baue);
    EXPECT_TRUE(maengel.empty()) << test::Beschreibe(maengel);
}

// Each press of START/STOP, by mouse or key, announces the call's new state to a screen reader
// (Orca passes over the changed name of a button).
TEST_F(MainWindow, EachPressOfStartStopIsAnnounced) {
    fenster->show();
    test::ZugangsLauscher lauscher;
    QPushButton* start = Knopf("cmdStart");
    const struct {
        std::function<void()> druecken;
        bool laeuft;
        const char* ansage;
    } schritte[] = {
        {[&] { start->click(); }, true, "Gespräch läuft"},
        {[&] {
             Laufen(2'000);
             Taste(Qt::Key_Return);
         },
         false, "Gespräch beendet, Dauer: 00:00:02,0"},
        {[&] { Taste(Qt::Key_Enter); }, true, "Gespräch läuft"},
        {[&] { Taste(Qt::Key_Escape); }, false, "Gespräch beendet, Dauer: 00:00:00,0"},
    };
    for (const auto& schritt : schritte) {
        lauscher.Vergiss();
        schritt.druecken();
        EXPECT_EQ(lauscher.Ansagen(), std::vector<QString>{QString::fromUtf8(schritt.ansage)});
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0) // Orca reads the stand-in label only as a notification
        EXPECT_EQ(test::Zugang(fenster->findChild<QLabel*>(QStringLiteral("Ansage")))->role(),
                  QAccessible::Notification);
#endif
        EXPECT_EQ(fenster->Zaehler().GespraechLaeuft(), schritt.laeuft);
    }
}

// Frames reach a screen reader as named groups, never as windows of their own.
TEST_F(MainWindow, FramesAreGroupsNamedAfterWhatTheyHold) {
    const struct {
        const char* rahmen;
        const char* name;
    } gruppen[] = {
        {"Rahmen(0)", "Tarif"},         {"Rahmen(2)", "Einheiten und Kosten"},
        {"Rahmen(3)", "Tarif je Zone"}, {"Rahmen(4)", "Einheiten und Kosten je Zone"},
        {"Rahmen(5)", "Anruf"},         {"Rahmen(7)", ""},
    };
    for (const auto& g : gruppen) {
        QAccessibleInterface* zugang = test::Zugang(Control<QFrame>(QLatin1String(g.rahmen)));
        ASSERT_NE(zugang, nullptr);
        EXPECT_EQ(zugang->role(), QAccessible::Grouping) << g.rahmen;
        EXPECT_EQ(zugang->text(QAccessible::Name), QString::fromUtf8(g.name)) << g.rahmen;
    }
}

namespace {

// The main window on a settings file of its own, as the program keeps it.
struct MitEinstellungen {
    QTemporaryDir dir;
    std::unique_ptr<QSettings> einstellungen{
        new QSettings(dir.filePath(QStringLiteral("Tarvis32.conf")), QSettings::IniFormat)};
};

} // namespace

// The high-contrast view is off unless the user has switched it on; the menu entry switches it
// and the settings keep it for the next start. Off, the zone figures are drawn as designed.
TEST_F(MainWindow, TheHighContrastViewFollowsTheSettingsAndIsKept) {
    const struct {
        const char* fall;
        std::optional<bool> gespeichert; // nothing: no key; no settings at all for "ohne"
        bool an;
    } faelle[] = {
        {"ohne", std::nullopt, false},
        {"kein Schluessel", std::nullopt, false},
        {"aus", false, false},
        {"an", true, true},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        MitEinstellungen e;
        if (f.gespeichert) {
            e.einstellungen->setValue(QStringLiteral("Ansicht/HoherKontrast"), *f.gespeichert);
        }
        QSettings* einstellungen =
            std::string_view(f.fall) == "ohne" ? nullptr : e.einstellungen.get();
        fenster = std::make_unique<frmGMMain>(
            MonitorUmgebung{zeit.clock, zeit.counter, dateiWahl, logbuchdatei, einstellungen});
        auto* eintrag = Control<QAction>(QStringLiteral("mnuHoherKontrast"));
        EXPECT_EQ(eintrag->isChecked(), f.an);
        const QPalette& kosten = Control(QStringLiteral("lblKosten(4)"))->palette();
        EXPECT_EQ(kosten.color(QPalette::WindowText),
                  f.an ? QColor(Qt::black) : style::ZonenFarbe(4));
        EXPECT_EQ(kosten.color(QPalette::Window), f.an ? style::ZonenGrund(4) : style::Hellgrau);

        eintrag->trigger();
        EXPECT_EQ(Control(QStringLiteral("lblKosten(4)"))->palette().color(QPalette::WindowText),
                  !f.an ? QColor(Qt::black) : style::ZonenFarbe(4));
        if (einstellungen != nullptr) {
            einstellungen->sync();
            QSettings gelesen(einstellungen->fileName(), QSettings::IniFormat);
            EXPECT_EQ(gelesen.value(QStringLiteral("Ansicht/HoherKontrast")).toBool(), !f.an);
        }
    }
    style::SetzeHoherKontrast(false);
}

// In the high-contrast view every text of every window stands at 7 : 1 or more on its ground.
TEST_F(MainWindow, InTheHighContrastViewEveryLabelOfEveryWindowReadsAtSevenToOne) {
    MitEinstellungen e;
    e.einstellungen->setValue(QStringLiteral("Ansicht/HoherKontrast"), true);
    fenster = std::make_unique<frmGMMain>(
        MonitorUmgebung{zeit.clock, zeit.counter, dateiWahl, logbuchdatei, e.einstellungen.get()});
    fenster->show();
    Knopf("cmdStart")->click();
    Knopf("cmdStart")->click();
    int anzahl = 0;
    EXPECT_EQ(test::TexteUnterKontrast(*fenster, style::KontrastHoch, anzahl), "");
    EXPECT_GT(anzahl, 30);
    const std::vector<std::pair<QString, std::function<void()>>> oeffner{
        {"frmUebersicht", [&] { Control<QAction>("mnuTarife")->trigger(); }},
        {"frmBerechnung", [&] { Control<QAction>("mnuBerechnung")->trigger(); }},
        {"frmAbout", [&] { Knopf("cmdInfo")->click(); }},
        {"frmAuswertung", [&] { Control<QAction>("mnuAuswertung")->trigger(); }},
        {"frmSpeichern", [&] { Knopf("cmdSpeichern")->click(); }},
    };
    for (const auto& [erwartet, oeffnen] : oeffner) {
        const QString geoeffnet = MitModalemFenster(oeffnen, [&](QDialog& dialog) {
            int gemessen = 0;
            EXPECT_EQ(test::TexteUnterKontrast(dialog, style::KontrastHoch, gemessen), "")
                << erwartet.toStdString();
            EXPECT_GT(gemessen, 0) << erwartet.toStdString();
        });
        EXPECT_EQ(geoeffnet, erwartet);
    }
    style::SetzeHoherKontrast(false);
}
