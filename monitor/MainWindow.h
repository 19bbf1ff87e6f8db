#pragma once

#include "monitor/LiveCounter.h"
#include "platform/Clock.h"
#include "tariff/HolidayCalendar.h"
#include "tariff/Zone.h"

#include <QMainWindow>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;
class QAction;
class QMenu;
class QSettings;

namespace tarvis {

class Ansage;
class FileChooser;
class Gauge;
class Logbuch;
class WertLabel;
struct GespraechsDaten;

// What the main window is handed: the clocks it reads, the file chooser the save dialog uses,
// the log file the calls go to (the save dialog may switch it to another), and the user's
// settings (none: every setting at its default, and nothing is kept).
struct MonitorUmgebung {
    CalendarClock& uhr;
    MillisecondCounter& zaehler;
    FileChooser& dateiWahl;
    Logbuch& logbuch;
    QSettings* einstellungen = nullptr;
};

// The main window: the live call monitor with its current tariff display. It opens every
// other window, and the program ends when it closes.
class frmGMMain : public QMainWindow {
    Q_OBJECT

public:
    explicit frmGMMain(MonitorUmgebung umgebung, QWidget* parent = nullptr);
    ~frmGMMain() override;

    const LiveCounter& Zaehler() const { return zaehler_; }
    // The figures of the last call, for the log.
    GespraechsDaten Gespraech() const;

    // Redraws date, kind-of-day marker, band name and the per-zone tariff figures.
    void NeuAnzeige();
    // Records today's date and redraws the tariff display.
    void NeuerTag();
    // The timer's tick: clock, band of the moment, counting, day and band changes.
    void Tick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BaueFenster();
    void BaueKopf(QWidget* flaeche);
    void BaueZonen(QWidget* flaeche);
    void BaueUhrzeilen(QWidget* flaeche);
    void BaueKnoepfe(QWidget* flaeche);
    void StartStop();
    void ZeigeZaehlerstand();
    void Speichern();
    void Berechnung();
    void Tarife();
    void Auswertung();
    void Info();
    void ZeigeLogbuchdatei(const QString& pfad);
    void HoherKontrastUmschalten(bool an);

    CalendarClock& uhr_;
    MillisecondCounter& msZaehler_;
    FileChooser& dateiWahl_;
    Logbuch& logbuch_;
    QSettings* einstellungen_;
    FeiertagKalender kalender_;
    LiveCounter zaehler_;
    Datum heute_{};

    QLabel* lblDatum_ = nullptr;
    QLabel* lblFT_ = nullptr;
    QLabel* lblTarif_ = nullptr;
    ZonenArray<Gauge*> gaugeZeit_{nullptr};
    ZonenArray<QLabel*> lblSek_{nullptr};
    ZonenArray<QLabel*> lblDMmin_{nullptr};
    ZonenArray<QLabel*> lblEinheiten_{nullptr};
    ZonenArray<QLabel*> lblKosten_{nullptr};
    WertLabel* lblUhr_ = nullptr;
    QLabel* lblStart_ = nullptr;
    QLabel* lblStop_ = nullptr;
    WertLabel* lblDauer_ = nullptr;
    QLabel* lblCopyright_ = nullptr;
    QPushButton* cmdStart_ = nullptr;
    QPushButton* cmdSpeichern_ = nullptr;
    QPushButton* cmdInfo_ = nullptr;
    QPushButton* cmdEnde_ = nullptr;
    QAction* mnuTarife_ = nullptr;
    QAction* mnuBerechnung_ = nullptr;
    QAction* mnuAuswertung_ = nullptr;
    QMenu* mnuEinstellungen_ = nullptr;
    QAction* mnuHoherKontrast_ = nullptr;
    QTimer* timer_ = nullptr;
    Ansage* ansage_ = nullptr;
};

} // namespace tarvis
