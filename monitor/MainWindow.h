#pragma once

#include "calllog/Call.h"
#include "callmonitor/CallMonitorSettings.h"
#include "callmonitor/CallTracker.h"
#include "monitor/CallCounter.h"
#include "platform/Clock.h"
#include "tariff/HolidayCalendar.h"
#include "tariff/TariffTables.h"
#include "tariff/Zone.h"

#include <QMainWindow>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

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
class Logbuchdatei;
class WertLabel;
class Wecker;
class AnrufmonitorClient;

// What the main window is handed: the clocks it reads, the file chooser the save dialog uses,
// the log file the calls go to (the save dialog may switch it to another), and the user's
// settings (none: every setting at its default, and nothing is kept).
struct MonitorUmgebung {
    CalendarClock& uhr;
    MillisecondCounter& zaehler;
    FileChooser& dateiWahl;
    Logbuchdatei& logbuchdatei;
    QSettings* einstellungen = nullptr;
    // The wait before the call monitor's next connection attempt (none: a Qt timer).
    Wecker* wecker = nullptr;
};

// The main window: the live call monitor with its current tariff display. It opens every
// other window, and the program ends when it closes.
class frmGMMain : public QMainWindow {
    Q_OBJECT

public:
    explicit frmGMMain(MonitorUmgebung umgebung, QWidget* parent = nullptr);
    ~frmGMMain() override;

    const GespraechsZaehler& Zaehler() const { return zaehler_; }
    // The router's call monitor, while it is switched on.
    const AnrufmonitorClient* Anrufmonitor() const { return anrufmonitor_; }
    // The figures of the last call, for the log.
    GespraechVorZonenwahl Gespraech() const;

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
    bool ZeigeEinheiten(int zone);
    void Speichern();
    void Berechnung();
    void Tarife();
    void Auswertung();
    void Info();
    void ZeigeLogbuchdatei(const QString& pfad);
    void HoherKontrastUmschalten(bool an);

    // A finished call waiting to be offered for saving.
    struct Angebot {
        GespraechVorZonenwahl daten;
        QString telefon;
        std::uint64_t fensterAnruf = 0; // the window's call it is, 0 for one priced aside
    };
    void StartStopVonHand();
    void Einstellungen();
    void StarteAnrufmonitor();
    void ZeigeMonitorStatus();
    void AnrufGemeldet(const AnrufMeldung& meldung);
    void VerbindungVerloren();
    void NachDemAnruf(Angebot angebot);
    void PlaneAngebote();
    void ZeigeAngebote();
    bool ZeigeSpeichern(const Angebot& angebot, int zone);
    std::optional<int> ZoneVon(const QString& telefon) const;
    void MerkeZoneVon(const QString& telefon, int zone);
    CalendarClock& uhr_;
    MillisecondCounter& msZaehler_;
    FileChooser& dateiWahl_;
    Logbuchdatei& logbuchdatei_;
    QSettings* einstellungen_;
    FeiertagKalender kalender_;
    GespraechsZaehler zaehler_;
    Datum heute_{};
    TagesArt tagesArt_ = TagesArt::Werktag; // the one lblFT shows

    QLabel* lblDatum_ = nullptr;
    QLabel* lblFT_ = nullptr;
    QLabel* lblTarif_ = nullptr;
    ZonenArray<Gauge*> gaugeZeit_{nullptr};
    ZonenArray<QLabel*> lblSek_{nullptr};
    ZonenArray<QLabel*> lblDMmin_{nullptr};
    ZonenArray<QLabel*> lblEinheiten_{nullptr};
    ZonenArray<QLabel*> lblKosten_{nullptr};
    ZonenArray<std::int64_t> gezeigteEinheiten_{0}; // what lblEinheiten and lblKosten show
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
    QAction* mnuAnrufmonitor_ = nullptr;
    QTimer* timer_ = nullptr;
    Ansage* ansage_ = nullptr;

    // The call monitor, and how the window follows it.
    Wecker* wecker_ = nullptr;
    std::unique_ptr<Wecker> eigenerWecker_;
    AnrufmonitorClient* anrufmonitor_ = nullptr;
    AnrufmonitorEinstellungen monitorWerte_;
    std::string automatischeId_;     // the router's call the counter follows
    QString fensterTelefon_;         // its dialled number
    std::set<std::string> beiseite_; // the router's calls priced aside
    std::uint64_t fensterAnruf_ = 0; // counts the window's calls
    bool vonHand_ = false;           // the window's call was started or stopped by hand
    bool dialogOffen_ = false;
    bool angeboteGeplant_ = false;
    std::deque<Angebot> angebote_;
};

} // namespace tarvis
