#include "calculation/window/CalculationWindow.h"

#include "calllog/LogFile.h"
#include "calllog/window/SaveDialog.h"
#include "platform/FileChooser.h"
#include "support/AccessibilityChecks.h"
#include "support/FakeClock.h"
#include "support/FakeFileChooser.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string_view>

using namespace tarvis;
using namespace std::chrono;

namespace {

QString Zone(const char* name, int zone) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(zone);
}

class CalculationWindow : public ::testing::Test {
protected:
    // The clock says Saturday 7.12.1996 14:05:33; the main window's today is handed in apart
    // from it, so the test can tell which one the date fields show.
    test::FakeCalendarClock uhr{MomentAus(year{1996} / 12 / 7, 14, 5, 33)};
    test::FakeFileChooser dateiWahl;
    QTemporaryDir ordner;
    Logbuchdatei logbuchdatei{ordner.filePath(QStringLiteral("Tarvis 12-1996.Rep"))};
    std::unique_ptr<frmBerechnung> fenster;

    void SetUp() override {
        ASSERT_TRUE(ordner.isValid());
        fenster =
            std::make_unique<frmBerechnung>(uhr, year{1996} / 12 / 6, logbuchdatei, dateiWahl);
        fenster->show(); // the default button and the keys act only in a shown window
    }

    template <class T = QLabel> T* Control(const QString& name) {
        T* control = fenster->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    QLineEdit* Feld(const char* name) { return Control<QLineEdit>(QLatin1String(name)); }
    QPushButton* Knopf(const char* name) { return Control<QPushButton>(QLatin1String(name)); }
    QScrollBar* Schieber() { return Control<QScrollBar>(QStringLiteral("ZeitScroll")); }
    QString Status() { return Control(QStringLiteral("lblStatus"))->text(); }
    QString Einheiten(int zone) { return Control(Zone("lblEinheiten", zone))->text(); }
    QString Kosten(int zone) { return Control(Zone("lblKosten", zone))->text(); }

    void Eingabe(const char* datum, const char* uhrzeit, const char* dauer) {
        Feld("txtStartDat")->setText(QString::fromUtf8(datum));
        Feld("txtStartUhr")->setText(QString::fromUtf8(uhrzeit));
        Feld("txtDauer")->setText(QString::fromUtf8(dauer));
    }

    // Clicks "speichern" and hands whatever modal dialog opens to `antwort`. Returns whether a
    // save dialog opened at all.
    bool Speichern(const std::function<void(frmSpeichern&)>& antwort) {
        bool geoeffnet = false;
        QTimer::singleShot(0, fenster.get(), [&] {
            auto* dialog = qobject_cast<frmSpeichern*>(QApplication::activeModalWidget());
            if (dialog != nullptr) {
                geoeffnet = true;
                antwort(*dialog);
            }
        });
        QTest::mouseClick(Knopf("cmdSpeichern"), Qt::LeftButton);
        QCoreApplication::processEvents(); // lets the check run when no dialog opened
        return geoeffnet;
    }

    static void OkDruecken(frmSpeichern& dialog) {
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOk"));
        ASSERT_NE(ok, nullptr);
        ok->click();
        if (dialog.isVisible()) {
            dialog.reject(); // so a failed save cannot hang the test
        }
    }

    QList<QByteArray> LogZeilen() {
        QByteArray inhalt = test::ReadAll(logbuchdatei.Pfad());
        if (inhalt.endsWith("\r\n")) {
            inhalt.chop(2);
        }
        return inhalt.split('\n');
    }
};

} // namespace

TEST_F(CalculationWindow, OpensWithTodayTheClockAndNoResult) {
    EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Berechnung"));
    EXPECT_EQ(fenster->size(), QSize(328, 305));
    EXPECT_EQ(fenster->minimumSize(), fenster->maximumSize());
    const struct {
        const char* name;
        const char* text;
        int maxLaenge;
    } felder[] = {{"txtStartDat", "06.12.1996", 10},
                  {"txtStopDat", "06.12.1996", 10},
                  {"txtStartUhr", "14:05:33", 8},
                  {"txtDauer", "00:00:00", 8},
                  {"txtStopUhr", "", 10}};
    for (const auto& f : felder) {
        EXPECT_EQ(Feld(f.name)->text(), QLatin1String(f.text)) << f.name;
        EXPECT_EQ(Feld(f.name)->maxLength(), f.maxLaenge) << f.name;
    }
    EXPECT_TRUE(Feld("txtStopDat")->isReadOnly() && Feld("txtStopUhr")->isReadOnly());
    EXPECT_EQ(Status(), QString());
    EXPECT_EQ(Schieber()->value(), 0);
    EXPECT_EQ(Schieber()->maximum(), 1439);
    for (int zone : AlleZonen) {
        EXPECT_EQ(Einheiten(zone), QStringLiteral("0"));
        EXPECT_EQ(Kosten(zone), QStringLiteral("0,00"));
    }
}

TEST_F(CalculationWindow, CaptionsAndColours) {
    const char* koepfe[] = {"Datum", "hh:mm:ss", "Uhrzeit", "Start", "Stop",
                            "Dauer", "DM",       "DM",      "DM",    "DM"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(Control(Zone("lblHeader", i))->text(), QLatin1String(koepfe[i])) << i;
    }
    EXPECT_EQ(Knopf("cmdBerechne")->text(), QStringLiteral("&berechnen"));
    EXPECT_EQ(Knopf("cmdSpeichern")->text(), QStringLiteral("&speichern"));
    EXPECT_EQ(Knopf("cmdZurueck")->text(), QStringLiteral("&zur\u00fcck"));
    EXPECT_TRUE(Knopf("cmdBerechne")->isDefault());

    const struct {
        const char* name;
        QPalette::ColorRole rolle;
        QColor farbe;
    } farben[] = {
        {"txtStartDat", QPalette::Base, {192, 192, 0}},
        {"txtDauer", QPalette::Base, {192, 192, 0}},
        {"txtStopUhr", QPalette::Base, {128, 128, 0}},
        {"lblStatus", QPalette::WindowText, {192, 0, 0}},
        {"lblStatus", QPalette::Window, {192, 192, 192}},
        {"lblZone(1)", QPalette::Window, {255, 255, 128}},
        {"lblZone(2)", QPalette::Window, {128, 255, 128}},
        {"lblZone(3)", QPalette::Window, {255, 128, 255}},
        {"lblZone(4)", QPalette::Window, {255, 128, 128}},
        {"lblEinheiten(1)", QPalette::WindowText, {255, 255, 0}},
        {"lblKosten(2)", QPalette::WindowText, {0, 255, 0}},
        {"lblEinheiten(3)", QPalette::WindowText, {255, 0, 255}},
        {"lblKosten(4)", QPalette::WindowText, {255, 0, 0}},
        {"lblKosten(4)", QPalette::Window, {192, 192, 192}},
    };
    for (const auto& f : farben) {
        auto* widget = fenster->findChild<QWidget*>(QLatin1String(f.name));
        ASSERT_NE(widget, nullptr) << f.name;
        EXPECT_EQ(widget->palette().color(f.rolle), f.farbe) << f.name;
    }
    const char* zonen[] = {"City", "Region 50", "Region 200", "Fern"};
    for (int zone : AlleZonen) {
        EXPECT_EQ(Control(Zone("lblZone", zone))->text(), QLatin1String(zonen[zone - 1]));
        EXPECT_TRUE(Control(Zone("lblEinheiten", zone))->alignment() & Qt::AlignRight);
        EXPECT_TRUE(Control(Zone("lblKosten", zone))->alignment() & Qt::AlignRight);
    }
}

// The longest texts each control can get must fit: every message, a 23:59:59 call's figures
// (at most some 7200 units and 864,00 DM), full dates and times.
TEST_F(CalculationWindow, NothingIsClipped) {
    const auto passt = [](QWidget* widget, const QString& text, int rand) {
        const QFontMetrics fm(widget->font());
        EXPECT_LE(fm.horizontalAdvance(text) + rand, widget->contentsRect().width())
            << widget->objectName().toStdString() << " " << text.toStdString();
        EXPECT_LE(fm.height(), widget->contentsRect().height())
            << widget->objectName().toStdString();
    };
    for (const char* meldung :
         {"Start-Datum ist nicht korrekt.", "Start-Uhrzeit ist nicht korrekt.",
          "Angabe \u00fcber Dauer ist nicht korrekt.",
          "Zeitformat im Feld 'Dauer' ist nicht korrekt."}) {
        QLabel* status = Control(QStringLiteral("lblStatus"));
        passt(status, QString::fromUtf8(meldung), 2 * status->margin() + status->indent());
    }
    for (QLabel* label : fenster->findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            passt(label, label->text().remove(QLatin1Char('&')), 2 * label->margin());
        }
    }
    for (int zone : AlleZonen) {
        passt(Control(Zone("lblEinheiten", zone)), QStringLiteral("99999"), 2);
        passt(Control(Zone("lblKosten", zone)), QStringLiteral("9999,99"), 2);
    }
    for (QLineEdit* feld : fenster->findChildren<QLineEdit*>()) {
        const int rahmen = feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, feld);
        const QString muster =
            feld->maxLength() == 10 ? QStringLiteral("28.08.2028") : QStringLiteral("08:08:08");
        passt(feld, muster, 2 * rahmen + 4);
    }
    for (QPushButton* knopf : fenster->findChildren<QPushButton*>()) {
        passt(knopf, knopf->text().remove(QLatin1Char('&')), 8);
    }
    for (QWidget* widget : fenster->findChildren<QWidget*>()) {
        if (widget->parentWidget() != nullptr && widget->isVisibleTo(fenster.get())) {
            EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()))
                << widget->objectName().toStdString();
        }
    }
}

TEST_F(CalculationWindow, ScrollBarSetsMinutesKeepsSecondsAndShowsTheStop) {
    Feld("txtDauer")->setText(QStringLiteral("00:00:17"));
    const struct {
        int minuten;
        const char* dauer;
        const char* stopDatum;
        const char* stopUhr;
    } schritte[] = {
        {65, "01:05:17", "06.12.1996", "15:10:50"},
        {1439, "23:59:17", "07.12.1996", "14:04:50"},
        {0, "00:00:17", "06.12.1996", "14:05:50"},
    };
    for (const auto& s : schritte) {
        SCOPED_TRACE(s.minuten);
        Schieber()->setValue(s.minuten);
        EXPECT_EQ(Feld("txtDauer")->text(), QLatin1String(s.dauer));
        EXPECT_EQ(Feld("txtStopDat")->text(), QLatin1String(s.stopDatum));
        EXPECT_EQ(Feld("txtStopUhr")->text(), QLatin1String(s.stopUhr));
        EXPECT_EQ(Status(), QString());
    }
}

TEST_F(CalculationWindow, ScrollBarFollowsStepsAndDrags) {
    Feld("txtDauer")->setText(QStringLiteral("00:00:09"));
    // A click on the bar's right arrow.
    QTest::mouseClick(Schieber(), Qt::LeftButton, {},
                      QPoint(Schieber()->width() - 3, Schieber()->height() / 2));
    EXPECT_EQ(Feld("txtDauer")->text(), QStringLiteral("00:01:09"));

    Schieber()->setSliderDown(true);
    Schieber()->setSliderPosition(125);
    EXPECT_EQ(Feld("txtDauer")->text(), QStringLiteral("02:05:09")); // while still dragging
    Schieber()->setSliderPosition(130);
    EXPECT_EQ(Feld("txtDauer")->text(), QStringLiteral("02:10:09"));
    Schieber()->setSliderDown(false);
    EXPECT_EQ(Feld("txtStopUhr")->text(), QStringLiteral("16:15:42"));
}

TEST_F(CalculationWindow, ScrollBarWithInvalidInputsNamesTheField) {
    const struct {
        const char* datum;
        const char* uhrzeit;
        const char* dauer;
        const char* meldung;
    } faelle[] = {
        {"31.02.1996", "14:05:33", "00:00:00", "Start-Datum ist nicht korrekt."},
        {"06.12.1996", "14:65", "00:00:00", "Start-Uhrzeit ist nicht korrekt."},
        {"06.12.1996", "14:05:33", "00:00:x", "Angabe \u00fcber Dauer ist nicht korrekt."},
    };
    int minuten = 1;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.meldung);
        Eingabe(f.datum, f.uhrzeit, f.dauer);
        Schieber()->setValue(minuten++);
        EXPECT_EQ(Status(), QString::fromUtf8(f.meldung));
        EXPECT_EQ(Feld("txtDauer")->text(), QString::fromUtf8(f.dauer));
        EXPECT_EQ(Feld("txtStopUhr")->text(), QString());
    }
    Eingabe("06.12.1996", "14:05:33", "00:00:00");
    Schieber()->setValue(minuten);
    EXPECT_EQ(Status(), QString());
    EXPECT_EQ(Feld("txtDauer")->text(), QStringLiteral("00:04:00"));
}

TEST_F(CalculationWindow, EnterComputesAllZonesAndTheStop) {
    // Monday, five minutes from 17:59: 90 / 30 / 14 / 13.5-s units up to 18:00, then the
    // evening band.
    Eingabe("2.12.1996", "17:59", "00:05:00");
    QTest::keyClick(Feld("txtDauer"), Qt::Key_Return);
    EXPECT_EQ(Status(), QString());
    EXPECT_EQ(Feld("txtStopDat")->text(), QStringLiteral("02.12.1996"));
    EXPECT_EQ(Feld("txtStopUhr")->text(), QStringLiteral("18:04:00"));
    const char* einheiten[] = {"3", "8", "16", "16"};
    const char* kosten[] = {"0,36", "0,96", "1,92", "1,92"};
    for (int zone : AlleZonen) {
        EXPECT_EQ(Einheiten(zone), QLatin1String(einheiten[zone - 1])) << zone;
        EXPECT_EQ(Kosten(zone), QLatin1String(kosten[zone - 1])) << zone;
    }
    EXPECT_TRUE(fenster->isVisible());
}

TEST_F(CalculationWindow, InvalidInputLeavesTheLastResultAlone) {
    Eingabe("06.12.1996", "23:00", "23:59:59");
    QTest::mouseClick(Knopf("cmdBerechne"), Qt::LeftButton);
    EXPECT_EQ(Kosten(4), QStringLiteral("436,80")); // 3640 units, charged to the call's end

    Eingabe("06.12.1996", "23:00", "1:05:00");
    QTest::mouseClick(Knopf("cmdBerechne"), Qt::LeftButton);
    EXPECT_EQ(Status(), QStringLiteral("Zeitformat im Feld 'Dauer' ist nicht korrekt."));
    EXPECT_EQ(Kosten(4), QStringLiteral("436,80"));
    EXPECT_EQ(Feld("txtStopUhr")->text(), QStringLiteral("22:59:59"));
}

TEST_F(CalculationWindow, EscapeAndZurueckClose) {
    QTest::keyClick(Feld("txtDauer"), Qt::Key_Escape);
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_EQ(fenster->result(), QDialog::Rejected);

    fenster->show();
    QTest::mouseClick(Knopf("cmdZurueck"), Qt::LeftButton);
    EXPECT_FALSE(fenster->isVisible());
}

TEST_F(CalculationWindow, TabOrderStartsAtTheScrollBarAndSkipsTheOutputs) {
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    const char* folge[] = {"ZeitScroll",  "txtStartDat",  "txtStartUhr", "txtDauer",
                           "cmdBerechne", "cmdSpeichern", "cmdZurueck",  "ZeitScroll"};
    for (const char* name : folge) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

// Saving prices the inputs as they stand first: the record carries the current figures even
// when "berechnen" was not pressed, and the start time typed short is written in full.
TEST_F(CalculationWindow, SaveWritesTheComputedCallWithFullTimes) {
    Eingabe("2.12.1996", "9:05", "00:05:00");
    ASSERT_TRUE(Speichern(OkDruecken));

    const QList<QByteArray> zeilen = LogZeilen();
    ASSERT_FALSE(zeilen.isEmpty());
    // Band 3: five minutes are 4 City units of 90 s.
    const QByteArray erwartet = "02.12.96   09:05:00   02.12.96   09:10:00   00:05:00,0   " +
                                QByteArray(18, ' ') + "City" + QByteArray(9, ' ') + "     4" +
                                "   " + "     0,48" + " DM";
    EXPECT_EQ(zeilen.last().toStdString(), erwartet.toStdString());
    EXPECT_EQ(Feld("txtStartUhr")->text(), QStringLiteral("9:05")); // the input stays as typed
    EXPECT_EQ(Einheiten(1), QStringLiteral("4"));
    EXPECT_TRUE(fenster->isVisible());
}

TEST_F(CalculationWindow, SaveAcrossMidnightKeepsBothDates) {
    Eingabe("31.12.96", "23:59:30", "00:01:00");
    ASSERT_TRUE(Speichern(OkDruecken));
    const QList<QByteArray> zeilen = LogZeilen();
    ASSERT_FALSE(zeilen.isEmpty());
    EXPECT_TRUE(zeilen.last().startsWith("31.12.96   23:59:30   01.01.97   00:00:30   00:01:00,0"))
        << zeilen.last().toStdString();
}

TEST_F(CalculationWindow, SaveWithInvalidInputOpensNoDialog) {
    Eingabe("06.12.1996", "14:05:33", "0:05:00");
    EXPECT_FALSE(Speichern([](frmSpeichern& dialog) { dialog.reject(); }));
    EXPECT_EQ(Status(), QStringLiteral("Zeitformat im Feld 'Dauer' ist nicht korrekt."));
    EXPECT_FALSE(QFile::exists(logbuchdatei.Pfad()));
}

// The scroll bar moves the natural way from the keyboard: Right and Up make the call a minute
// longer, Left and Down a minute shorter, PageUp and PageDown an hour, Home and End go to the
// ends (0 and 23:59); the seconds stay.
struct SchieberTaste {
    const char* name;
    Qt::Key taste;
    int vorher;
    const char* dauer;
};

class CalculationWindowKeys : public CalculationWindow,
                              public ::testing::WithParamInterface<SchieberTaste> {};

TEST_P(CalculationWindowKeys, MoveTheDuration) {
    const SchieberTaste& t = GetParam();
    Feld("txtDauer")->setText(QStringLiteral("00:00:07"));
    Schieber()->setValue(t.vorher);
    QTest::keyClick(Schieber(), t.taste);
    EXPECT_EQ(Feld("txtDauer")->text(), QLatin1String(t.dauer));
}

INSTANTIATE_TEST_SUITE_P(
    Tasten, CalculationWindowKeys,
    ::testing::Values(SchieberTaste{"Right", Qt::Key_Right, 90, "01:31:07"},
                      SchieberTaste{"Up", Qt::Key_Up, 90, "01:31:07"},
                      SchieberTaste{"Left", Qt::Key_Left, 90, "01:29:07"},
                      SchieberTaste{"Down", Qt::Key_Down, 90, "01:29:07"},
                      SchieberTaste{"PageUp", Qt::Key_PageUp, 90, "02:30:07"},
                      SchieberTaste{"PageDown", Qt::Key_PageDown, 90, "00:30:07"},
                      SchieberTaste{"Home", Qt::Key_Home, 90, "00:00:07"},
                      SchieberTaste{"End", Qt::Key_End, 90, "23:59:07"},
                      SchieberTaste{"RightAtTheEnd", Qt::Key_Right, 1439, "23:59:07"},
                      SchieberTaste{"LeftAtZero", Qt::Key_Left, 0, "00:00:07"}),
    [](const ::testing::TestParamInfo<SchieberTaste>& info) {
        return std::string(info.param.name);
    });

TEST_F(CalculationWindow, AScreenReaderReadsEveryFieldAndEveryResult) {
    Eingabe("2.12.1996", "17:59", "00:05:00");
    QTest::mouseClick(Knopf("cmdBerechne"), Qt::LeftButton);
    const struct {
        const char* objekt;
        QAccessible::Role rolle;
        const char* name;
    } erwartet[] = {
        {"ZeitScroll", QAccessible::ScrollBar, "Dauer in Minuten"},
        {"txtStartDat", QAccessible::EditableText, "Start-Datum (TT.MM.JJJJ)"},
        {"txtStartUhr", QAccessible::EditableText, "Start-Uhrzeit (hh:mm:ss)"},
        {"txtDauer", QAccessible::EditableText, "Dauer (hh:mm:ss)"},
        {"txtStopDat", QAccessible::EditableText, "Stop-Datum"},
        {"txtStopUhr", QAccessible::EditableText, "Stop-Uhrzeit"},
        {"lblEinheiten(1)", QAccessible::StaticText, "City: 3 Einheiten"},
        {"lblEinheiten(3)", QAccessible::StaticText, "Region 200: 16 Einheiten"},
        {"lblKosten(2)", QAccessible::StaticText, "Region 50: 0,96 DM"},
        {"lblKosten(4)", QAccessible::StaticText, "Fern: 1,92 DM"},
        {"cmdBerechne", QAccessible::Button, "berechnen"},
    };
    for (const auto& e : erwartet) {
        SCOPED_TRACE(e.objekt);
        QAccessibleInterface* zugang = test::Zugang(Control<QWidget>(QLatin1String(e.objekt)));
        ASSERT_NE(zugang, nullptr);
        EXPECT_EQ(zugang->text(QAccessible::Name), QString::fromUtf8(e.name));
        EXPECT_EQ(zugang->role(), e.rolle);
    }
    QAccessibleValueInterface* wert = test::Zugang(Schieber())->valueInterface();
    ASSERT_NE(wert, nullptr);
    EXPECT_EQ(wert->maximumValue().toInt(), 1439);
}

// An input error is announced as an alert the moment the check finds it, by Enter or by the
// scroll bar, and read as an alert with its message; a valid input is not announced.
TEST_F(CalculationWindow, AnInputErrorReachesAScreenReaderAsAnAlert) {
    test::ZugangsLauscher lauscher;
    Eingabe("31.02.1996", "14:05:33", "00:00:00");
    QTest::keyClick(Feld("txtDauer"), Qt::Key_Return);
    ASSERT_EQ(lauscher.Anzahl(QStringLiteral("lblStatus"), QAccessible::Alert), 1);
    auto* status = Control(QStringLiteral("lblStatus"));
    QAccessibleInterface* zugang = test::Zugang(status);
    ASSERT_NE(zugang, nullptr);
    EXPECT_EQ(zugang->role(), QAccessible::AlertMessage);
    EXPECT_EQ(zugang->text(QAccessible::Name), QStringLiteral("Start-Datum ist nicht korrekt."));

    Eingabe("06.12.1996", "14:65", "00:00:00");
    Schieber()->setValue(3);
    EXPECT_EQ(lauscher.Anzahl(QStringLiteral("lblStatus"), QAccessible::Alert), 2);
    const auto letzte =
        std::find_if(lauscher.Alle().rbegin(), lauscher.Alle().rend(),
                     [](const test::ZugangsEreignis& e) { return e.art == QAccessible::Alert; });
    ASSERT_NE(letzte, lauscher.Alle().rend());
    EXPECT_EQ(letzte->name, QStringLiteral("Start-Uhrzeit ist nicht korrekt."));

    Eingabe("06.12.1996", "14:05:33", "00:00:00");
    QTest::keyClick(Feld("txtDauer"), Qt::Key_Return);
    EXPECT_EQ(lauscher.Anzahl(QStringLiteral("lblStatus"), QAccessible::Alert), 2);
}

// Asked to calculate, the window puts the focus on the field at fault, whose description holds
// the message, so a screen reader reads both; where the field at fault has the focus already,
// or the scroll bar moved, the message is announced instead and the focus stays.
TEST_F(CalculationWindow, AnInputErrorTakesTheFocusToTheFieldAtFaultWithItsMessage) {
    fenster->show();
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    test::ZugangsLauscher lauscher; // a screen reader listens
    const struct {
        const char* datum;
        const char* uhrzeit;
        const char* dauer;
        const char* enterIn;
        const char* fokus; // afterwards
        const char* feld;  // the field described by the message
        const char* meldung;
        int ansagen; // so far
    } faelle[] = {
        {"31.02.1996", "14:05:33", "00:01:00", "txtDauer", "txtStartDat", "txtStartDat",
         "Start-Datum ist nicht korrekt.", 0},
        {"06.12.1996", "14:65", "00:01:00", "txtStartDat", "txtStartUhr", "txtStartUhr",
         "Start-Uhrzeit ist nicht korrekt.", 0},
        {"06.12.1996", "14:05:33", "xx", "txtDauer", "txtDauer", "txtDauer",
         "Angabe über Dauer ist nicht korrekt.", 1},
        {"06.12.1996", "14:05:33", "00:01:00", "txtStartUhr", "txtStartUhr", "", "", 1},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.enterIn);
        Eingabe(f.datum, f.uhrzeit, f.dauer);
        QLineEdit* feld = Feld(f.enterIn);
        feld->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(feld, Qt::Key_Return);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(f.fokus));
        for (const char* name : {"txtStartDat", "txtStartUhr", "txtDauer"}) {
            const QString erwartet =
                std::string_view(name) == f.feld ? QString::fromUtf8(f.meldung) : QString();
            EXPECT_EQ(test::Zugang(Feld(name))->text(QAccessible::Description), erwartet) << name;
        }
        EXPECT_EQ(lauscher.AnzahlAnsagen(), f.ansagen);
    }
    Eingabe("31.02.1996", "14:05:33", "00:01:00");
    Schieber()->setFocus(Qt::OtherFocusReason);
    Schieber()->setValue(5);
    EXPECT_EQ(QApplication::focusWidget(), Schieber());
    EXPECT_EQ(test::Zugang(Feld("txtStartDat"))->text(QAccessible::Description),
              QStringLiteral("Start-Datum ist nicht korrekt."));
    ASSERT_EQ(lauscher.AnzahlAnsagen(), 2);
    EXPECT_EQ(lauscher.Ansagen().back(), QStringLiteral("Start-Datum ist nicht korrekt."));
}

TEST_F(CalculationWindow, EveryControlShowsItsFocus) {
    const std::vector<QString> folge = test::PruefeSichtbarenFokus(*fenster);
    EXPECT_EQ(folge, (std::vector<QString>{"ZeitScroll", "txtStartDat", "txtStartUhr", "txtDauer",
                                           "cmdBerechne", "cmdSpeichern", "cmdZurueck"}));
}

// The window keeps its grey ground under a dark scheme, and its controls stay readable on it:
// the scroll bar is no black box on black, a disabled "Speichern" keeps a readable caption.
TEST_F(CalculationWindow, UnderDarkSchemesTheControlsOnTheGreyGroundStayLight) {
    const QPalette vorher = QApplication::palette();
    for (const QPalette& schema : {test::DunklePalette(), test::DunklerHoherKontrast()}) {
        QApplication::setPalette(schema);
        frmBerechnung dunkel(uhr, year{1996} / 12 / 6, logbuchdatei, dateiWahl);
        const QPalette& schieber =
            dunkel.findChild<QScrollBar*>(QStringLiteral("ZeitScroll"))->palette();
        EXPECT_GE(test::Leuchtdichte(schieber.color(QPalette::Button)), 0.5);
        auto* speichern = dunkel.findChild<QPushButton*>(QStringLiteral("cmdSpeichern"));
        speichern->setEnabled(false);
        const QPalette& knopf = speichern->palette();
        EXPECT_GE(test::Kontrast(knopf.color(QPalette::Disabled, QPalette::ButtonText),
                                 knopf.color(QPalette::Disabled, QPalette::Button)),
                  3.0);
    }
    QApplication::setPalette(vorher);
}

TEST_F(CalculationWindow, UnderADarkSchemeNoTextOnAFixedGroundReadsWorse) {
    const auto baue = [this]() -> std::unique_ptr<QWidget> {
        return std::make_unique<frmBerechnung>(uhr, year{1996} / 12 / 6, logbuchdatei, dateiWahl);
    };
    EXPECT_GT(test::LabelsAufFestemGrund(baue), 20);
    const std::vector<test::KontrastMangel> maengel = test::KontrastMaengel(baue);
    EXPECT_TRUE(maengel.empty()) << test::Beschreibe(maengel);
}
