#pragma once

#include "calllog/Call.h"
#include "callmonitor/CallMonitorSettings.h"
#include "callmonitor/CallTracker.h"
#include "monitor/CallCounter.h"
#include "monitor/CallPolicy.h"
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
class MonitorBesitz;

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
    // The lock file that lets one program follow the router (empty: beside the settings file).
    QString besitzPfad = QString();
};

// The main window: the live call monitor with its current tariff display. It opens every
// other window, and the program ends when it closes.
class frmGMMain : public QMainWindow, private FensterZaehlwerk {
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
    void closeEvent(QCloseEvent* event) override;

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
    void FolgeRouter();
    void ZeigeMonitorStatus();
    QString MonitorStatus() const;
    void AnrufGemeldet(const AnrufMeldung& meldung);
    void Verwende(const AnrufErgebnis& ergebnis);
    void WiederholeSpeichern();
    void VerbindungVerloren();
    std::vector<AnrufMeldung> GibOffeneAnrufeAb(bool mitFensterAnruf, QString& grund);
    void NachDemAnruf(Angebot angebot);
    void PlaneAngebote();
    void ZeigeAngebote();
    bool ZeigeSpeichern(const Angebot& angebot, int zone);
    void MerkeZoneVon(const QString& telefon, int zone);
    // The counter as the router's calls see it.
    bool Belegt() const override;
    bool Laeuft() const override;
    void Starte() override;
    GespraechVorZonenwahl Stoppe() override;
    std::uint64_t AnrufNummer() const override { return fensterAnruf_; }
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
    std::unique_ptr<MonitorBesitz> besitz_;
    QTimer* besitzWache_ = nullptr; // asks for the lock again while another program holds it
    AnrufmonitorEinstellungen monitorWerte_;
    QString einstellungsFehler_; // what of the settings could not be read or written, for the title
    DateiLog log_;
    AnrufRegel regel_;
    QTimer* wiederholen_ = nullptr;  // tries the queued saves again
    std::uint64_t fensterAnruf_ = 0; // counts the window's calls
    bool vonHand_ = false;           // the window's call was started or stopped by hand
    bool dialogOffen_ = false;
    bool angeboteGeplant_ = false;
    std::deque<Angebot> angebote_;
};

} // namespace tarvis
