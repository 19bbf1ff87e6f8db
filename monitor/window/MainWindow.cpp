#include "monitor/window/MainWindow.h"

#include "about/AboutBox.h"
#include "calculation/window/CalculationWindow.h"
#include "calllog/Call.h"
#include "calllog/Cp1252.h"
#include "calllog/LogFile.h"
#include "calllog/LogWriter.h"
#include "calllog/window/SaveDialog.h"
#include "callmonitor/CallMonitorClient.h"
#include "callmonitor/MonitorOwner.h"
#include "callmonitor/NumberZone.h"
#include "callmonitor/window/CallMonitorDialog.h"
#include "gui/Accessibility.h"
#include "gui/Gauge.h"
#include "gui/WindowStyle.h"
#include "journal/window/JournalWindow.h"
#include "monitor/TariffDisplay.h"
#include "overview/window/OverviewWindow.h"
#include "platform/QtText.h"
#include "platform/VersionText.h"
#include "tariff/Duration.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

namespace tarvis {

using namespace style;

namespace {

// Columns of the zone rows (pixels inside frames 3 and 4), shared by the heads above them.
constexpr int ZeilenOben[] = {8, 38, 68, 98};
constexpr int ZeilenHoehe = 24;
constexpr int NameLinks = 6, NameBreite = 98;
constexpr int GaugeLinks = 108, GaugeBreite = 264;
constexpr int SekLinks = 376, SekBreite = 62;
constexpr int DMminLinks = 442, DMminBreite = 64;
constexpr int EinhLinks = 3, EinhBreite = 45;
constexpr int KostenLinks = 50, KostenBreite = 57;
constexpr int DMLinks = 109, DMBreite = 26;

QString ZonenLabelName(int zone) {
    static const char* namen[] = {"lblCity", "lblRegion50", "lblRegion200", "lblFern"};
    return QLatin1String(namen[zone - 1]);
}

constexpr char KontrastSchluessel[] = "Ansicht/HoherKontrast";

WertLabel* WertBeschriftung(QWidget* parent, const QRect& geometrie, const QFont& font,
                            Qt::Alignment ausrichtung = Qt::AlignCenter) {
    auto* label = new WertLabel(parent);
    label->setGeometry(geometrie);
    label->setFont(font);
    label->setAlignment(ausrichtung);
    return label;
}

// The router's calls whose end has not come, one a line, and what becomes of them.
QString OffeneAnrufeText(const std::vector<AnrufMeldung>& offene, const QString& grund) {
    QStringList zeilen;
    for (const AnrufMeldung& offen : offene) {
        zeilen << AlsQString(DatumText(DatumVon(offen.beginn)) + ' ' + UhrzeitText(offen.beginn)) +
                      QStringLiteral("  ") +
                      (offen.nummer.empty() ? QStringLiteral("unterdrückt")
                                            : QString::fromStdString(offen.nummer)) +
                      QStringLiteral("  bisher ") + AlsQString(ZeitText(offen.dauerSekunden));
    }
    const QString folge =
        grund.isEmpty()
            ? QStringLiteral("Das Tarvis32, das dem Router als Nächstes folgt, übernimmt sie und "
                             "beendet sie mit der Meldung des Routers.")
            : QStringLiteral("Sie konnten nicht übergeben werden (%1) und werden nicht "
                             "gespeichert.")
                  .arg(grund);
    return QStringLiteral("Der Router hat das Ende dieser Gespräche noch nicht gemeldet:\n\n%1"
                          "\n\n%2")
        .arg(zeilen.join(QLatin1Char('\n')), folge);
}

} // namespace

frmGMMain::frmGMMain(MonitorUmgebung umgebung, QWidget* parent)
    : QMainWindow(parent), uhr_(umgebung.uhr), msZaehler_(umgebung.zaehler),
      dateiWahl_(umgebung.dateiWahl), logbuchdatei_(umgebung.logbuchdatei),
      einstellungen_(umgebung.einstellungen), zaehler_(kalender_), wecker_(umgebung.wecker),
      log_([this](const tarvis::Gespraech&) { return logbuchdatei_.Pfad(); }),
      regel_({NachDemGespraech::Fragen,
              {},
              [this](const std::string& ziffern) {
                  return GemerkteZone(einstellungen_, QString::fromStdString(ziffern));
              },
              [this](const QString& telefon, int zone) { MerkeZoneVon(telefon, zone); },
              &log_,
              this}) {
    setObjectName(QStringLiteral("frmGMMain"));
    FokusVonAnfangAnSichtbar(this);
    SetzeHoherKontrast(einstellungen_ != nullptr &&
                       einstellungen_->value(QLatin1String(KontrastSchluessel), false).toBool());
    BaueFenster();

    // Start-up, in this order: log file and title, copyright, clock, marker, tariff state,
    // today's date with the tariff display, and finally the timer.
    const Moment jetzt = uhr_.now();
    ZeigeLogbuchdatei(logbuchdatei_.Pfad());
    connect(&logbuchdatei_, &Logbuchdatei::PfadGeaendert, this, &frmGMMain::ZeigeLogbuchdatei);
    lblCopyright_->setText(CopyrightText());
    lblUhr_->setText(AlsQString(UhrzeitText(jetzt)));
    lblFT_->setText(QString());
    SetzeGrund(lblFT_, TagesArtGrund(tagesArt_), Qt::white);
    zaehler_.VarInit(jetzt);
    NeuerTag();

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer"));
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(std::chrono::milliseconds{GespraechsZaehler::TickIntervallMs});
    connect(timer_, &QTimer::timeout, this, &frmGMMain::Tick);
    timer_->start();

    if (wecker_ == nullptr) {
        eigenerWecker_ = std::make_unique<QtWecker>();
        wecker_ = eigenerWecker_.get();
    }
    besitz_ = std::make_unique<MonitorBesitz>(
        !umgebung.besitzPfad.isEmpty()
            ? umgebung.besitzPfad
            : MonitorBesitz::PfadZu(einstellungen_ != nullptr ? einstellungen_->fileName()
                                                              : QString()));
    // Twice a second, so that the window takes over within a second of the holder's end.
    besitzWache_ = new QTimer(this);
    besitzWache_->setObjectName(QStringLiteral("AnrufmonitorBesitz"));
    besitzWache_->setInterval(std::chrono::milliseconds{500});
    connect(besitzWache_, &QTimer::timeout, this, &frmGMMain::FolgeRouter);
    wiederholen_ = new QTimer(this);
    wiederholen_->setObjectName(QStringLiteral("SpeichernWiederholen"));
    wiederholen_->setInterval(std::chrono::seconds{1});
    connect(wiederholen_, &QTimer::timeout, this, &frmGMMain::WiederholeSpeichern);
    StarteAnrufmonitor();
}

// A window that ends without being closed hands its open calls over all the same.
frmGMMain::~frmGMMain() {
    QString grund;
    GibOffeneAnrufeAb(true, grund); // deletes the client before the timer it may have set
}

// While the call monitor is on, or calls wait to be saved, the title ends in that state, which
// screen readers get as the window's description.
void frmGMMain::ZeigeLogbuchdatei(const QString& pfad) {
    const QString status = MonitorStatus();
    if (status.isEmpty()) {
        setWindowTitle(FensterTitel(pfad));
        setAccessibleDescription(QString());
        return;
    }
    setWindowTitle(FensterTitel(pfad) + QStringLiteral(" - ") + status);
    setAccessibleDescription(status);
}

QString frmGMMain::MonitorStatus() const {
    QString status = anrufmonitor_ != nullptr ? anrufmonitor_->StatusText()
                     : monitorWerte_.aktiv    ? besitz_->WarteText()
                                              : QString();
    if (!einstellungsFehler_.isEmpty()) {
        status = status.isEmpty() ? einstellungsFehler_
                                  : status + QStringLiteral(", ") + einstellungsFehler_;
    }
    const std::size_t wartend = regel_.Warteschlange().size();
    if (wartend > 0) {
        if (!status.isEmpty()) {
            status += QStringLiteral(", ");
        }
        status += wartend == 1 ? QStringLiteral("1 Gespräch wartet aufs Speichern")
                               : QStringLiteral("%1 Gespräche warten aufs Speichern").arg(wartend);
    }
    return status;
}

void frmGMMain::BaueFenster() {
    auto* flaeche = new QWidget(this);
    flaeche->setObjectName(QStringLiteral("Flaeche"));
    HelleSteuerelemente(flaeche);
    SetzeGrund(flaeche, Hellgrau);
    flaeche->setFont(Arial(9.75));
    setCentralWidget(flaeche);

    mnuTarife_ = menuBar()->addAction(QStringLiteral("&Tarife"));
    mnuTarife_->setObjectName(QStringLiteral("mnuTarife"));
    mnuBerechnung_ = menuBar()->addAction(QStringLiteral("&Berechnung"));
    mnuBerechnung_->setObjectName(QStringLiteral("mnuBerechnung"));
    mnuAuswertung_ = menuBar()->addAction(QStringLiteral("&Auswertung"));
    mnuAuswertung_->setObjectName(QStringLiteral("mnuAuswertung"));
    connect(mnuTarife_, &QAction::triggered, this, &frmGMMain::Tarife);
    connect(mnuBerechnung_, &QAction::triggered, this, &frmGMMain::Berechnung);
    connect(mnuAuswertung_, &QAction::triggered, this, &frmGMMain::Auswertung);
    mnuEinstellungen_ = menuBar()->addMenu(QStringLiteral("Ei&nstellungen"));
    mnuEinstellungen_->setObjectName(QStringLiteral("mnuEinstellungen"));
    mnuHoherKontrast_ = mnuEinstellungen_->addAction(QStringLiteral("Hoher &Kontrast"));
    mnuHoherKontrast_->setObjectName(QStringLiteral("mnuHoherKontrast"));
    mnuHoherKontrast_->setCheckable(true);
    mnuHoherKontrast_->setChecked(HoherKontrast());
    connect(mnuHoherKontrast_, &QAction::toggled, this, &frmGMMain::HoherKontrastUmschalten);
    mnuAnrufmonitor_ = mnuEinstellungen_->addAction(QStringLiteral("&Anrufmonitor…"));
    mnuAnrufmonitor_->setObjectName(QStringLiteral("mnuAnrufmonitor"));
    connect(mnuAnrufmonitor_, &QAction::triggered, this, &frmGMMain::Einstellungen);

    BaueKopf(flaeche);
    BaueZonen(flaeche);
    BaueUhrzeilen(flaeche);
    BaueKnoepfe(flaeche);
    ansage_ = new Ansage(flaeche);

    lblCopyright_ = Beschriftung(flaeche, QString(), Twips(0, 4260, 9795, 375), Arial(9.75, true));
    lblCopyright_->setObjectName(QStringLiteral("lblCopyright"));
    SetzeTextFarbe(lblCopyright_, Dunkelblau);

    flaeche->setFixedSize(Px(9825), Px(4650));
    setFixedSize(sizeHint());
}

void frmGMMain::HoherKontrastUmschalten(bool an) {
    SetzeHoherKontrast(an);
    if (einstellungen_ != nullptr) {
        einstellungen_->setValue(QLatin1String(KontrastSchluessel), an);
    }
    FaerbeNeu(this);
}

void frmGMMain::BaueKopf(QWidget* flaeche) {
    QFrame* rahmen0 = Rahmen(flaeche, Twips(0, -60, 7695, 555), QStringLiteral("Rahmen(0)"));
    SetzeGruppenName(rahmen0, QStringLiteral("Tarif"));
    lblDatum_ = Beschriftung(rahmen0, QString(), QRect(6, 12, 160, 20), Arial(9.75),
                             Qt::AlignLeft | Qt::AlignVCenter);
    lblDatum_->setObjectName(QStringLiteral("lblDatum"));
    WertLabel* ft = WertBeschriftung(rahmen0, QRect(168, 12, 22, 20), Arial(8.25, true));
    ft->setObjectName(QStringLiteral("lblFT"));
    // The marker is a letter or two; a screen reader reads the kind of day it stands for.
    ft->SetzeName([this](const QString&) {
        return QStringLiteral("Tagesart: ") +
               AlsQString(TagesArtName[static_cast<std::size_t>(tagesArt_)]);
    });
    lblFT_ = ft;
    WertLabel* tarif = WertBeschriftung(rahmen0, QRect(194, 12, SekLinks - 196, 20), Arial(8.25),
                                        Qt::AlignLeft | Qt::AlignVCenter);
    tarif->setObjectName(QStringLiteral("lblTarif"));
    tarif->SetzeName(QStringLiteral("Tarif: "));
    lblTarif_ = tarif;
    Beschriftung(rahmen0, QStringLiteral("Sek."), QRect(SekLinks, 12, SekBreite, 20), Arial(9.75));
    Beschriftung(rahmen0, QStringLiteral("DM/min."), QRect(DMminLinks, 12, DMminBreite, 20),
                 Arial(9.75));

    QFrame* rahmen2 = Rahmen(flaeche, Twips(7740, -60, 2055, 555), QStringLiteral("Rahmen(2)"));
    SetzeGruppenName(rahmen2, QStringLiteral("Einheiten und Kosten"));
    Beschriftung(rahmen2, QStringLiteral("Einh."), QRect(EinhLinks, 12, EinhBreite, 20),
                 Arial(9.75));
    Beschriftung(rahmen2, QStringLiteral("Kosten"), QRect(KostenLinks, 12, KostenBreite, 20),
                 Arial(9.75));
}

void frmGMMain::BaueZonen(QWidget* flaeche) {
    QFrame* rahmen3 = Rahmen(flaeche, Twips(0, 420, 7695, 1935), QStringLiteral("Rahmen(3)"));
    QFrame* rahmen4 = Rahmen(flaeche, Twips(7740, 420, 2055, 1935), QStringLiteral("Rahmen(4)"));
    SetzeGruppenName(rahmen3, QStringLiteral("Tarif je Zone"));
    SetzeGruppenName(rahmen4, QStringLiteral("Einheiten und Kosten je Zone"));
    const QFont zahlen = Arial(11.25, true); // names and the figures of the call
    const QFont tarif = Arial(9.75);         // the tariff's seconds and price per minute
    for (int zone : AlleZonen) {
        const int oben = ZeilenOben[zone - 1];
        QLabel* name =
            ZonenNameLabel(rahmen3, zone, QRect(NameLinks, oben, NameBreite, ZeilenHoehe), zahlen);
        name->setObjectName(ZonenLabelName(zone));

        auto* gauge = new Gauge(rahmen3, ZonenGrund(zone));
        gauge->setObjectName(FeldName("GaugeZeit", zone));
        gauge->setGeometry(GaugeLinks, oben + 2, GaugeBreite, ZeilenHoehe - 4);
        gauge->setAccessibleName(ZonenText(zone) + QStringLiteral(": laufende Einheit"));
        gaugeZeit_[zone] = gauge;

        lblSek_[zone] =
            ZonenZahl(rahmen3, FeldName("lblSek", zone), zone,
                      QRect(SekLinks, oben, SekBreite, ZeilenHoehe), tarif, ZonenWert::Sekunden);
        lblDMmin_[zone] = ZonenZahl(rahmen3, FeldName("lblDMmin", zone), zone,
                                    QRect(DMminLinks, oben, DMminBreite, ZeilenHoehe), tarif,
                                    ZonenWert::DMproMinute);

        lblEinheiten_[zone] = ZonenZahl(rahmen4, FeldName("lblEinheiten", zone), zone,
                                        QRect(EinhLinks, oben, EinhBreite, ZeilenHoehe), zahlen,
                                        ZonenWert::Einheiten);
        lblEinheiten_[zone]->setMargin(0); // room for the figures of a call of several days
        lblEinheiten_[zone]->setText(QStringLiteral("0"));
        lblKosten_[zone] = ZonenZahl(rahmen4, FeldName("lblKosten", zone), zone,
                                     QRect(KostenLinks, oben, KostenBreite, ZeilenHoehe), zahlen,
                                     ZonenWert::Kosten);
        lblKosten_[zone]->setMargin(0);
        lblKosten_[zone]->setText(ZahlText(KostenText(0, FesterTrenner), QLocale()));
        QLabel* dm =
            ZonenZahl(rahmen4, FeldName("lblDM", zone), zone,
                      QRect(DMLinks, oben, DMBreite, ZeilenHoehe), zahlen, ZonenWert::Waehrung);
        dm->setAlignment(Qt::AlignCenter);
        dm->setMargin(0);
        dm->setText(QStringLiteral("DM"));
    }
}

void frmGMMain::BaueUhrzeilen(QWidget* flaeche) {
    QFrame* rahmen5 = Rahmen(flaeche, Twips(0, 2340, 7695, 1035), QStringLiteral("Rahmen(5)"));
    SetzeGruppenName(rahmen5, QStringLiteral("Anruf"));
    const char* koepfe[] = {"Uhrzeit", "Start", "Stop", "Dauer"};
    const char* namen[] = {"lblUhr", "lblStart", "lblStop", "lblDauer"};
    const int links[] = {6, 96, 186, 276};
    const int breiten[] = {84, 84, 84, 104};
    WertLabel* felder[4] = {};
    for (int i = 0; i < 4; ++i) {
        const QString kopf = QLatin1String(koepfe[i]);
        Beschriftung(rahmen5, kopf, QRect(links[i], 8, breiten[i], 18), Arial(9.75));
        felder[i] = WertBeschriftung(rahmen5, QRect(links[i], 30, breiten[i], 24), Arial(9.75));
        felder[i]->setObjectName(QLatin1String(namen[i]));
        felder[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        SetzeGrund(felder[i], Olivgelb);
        // Clock and duration change every second and every tick: a listener hears of them only
        // when there is news (a new minute; START, a new unit, STOP).
        const bool laeuft = i == 0 || i == 3;
        felder[i]->SetzeName(kopf + QStringLiteral(": "), QString(),
                             laeuft ? WertLabel::Meldung::Leise : WertLabel::Meldung::BeiAenderung);
    }
    lblUhr_ = felder[0];
    lblStart_ = felder[1];
    lblStop_ = felder[2];
    lblDauer_ = felder[3];

    cmdSpeichern_ = new QPushButton(QStringLiteral("&Speichern"), rahmen5);
    cmdSpeichern_->setObjectName(QStringLiteral("cmdSpeichern"));
    cmdSpeichern_->setGeometry(398, 26, 106, 30);
    cmdSpeichern_->setEnabled(false);
    connect(cmdSpeichern_, &QPushButton::clicked, this, &frmGMMain::Speichern);

    QFrame* rahmen6 = Rahmen(flaeche, Twips(7740, 2340, 2055, 1035), QStringLiteral("Rahmen(6)"));
    cmdInfo_ = new QPushButton(QStringLiteral("&Info"), rahmen6);
    cmdInfo_->setObjectName(QStringLiteral("cmdInfo"));
    cmdInfo_->setGeometry(12, 26, 113, 30);
    connect(cmdInfo_, &QPushButton::clicked, this, &frmGMMain::Info);
}

void frmGMMain::BaueKnoepfe(QWidget* flaeche) {
    QFrame* rahmen7 = Rahmen(flaeche, Twips(0, 3420, 7695, 795), QStringLiteral("Rahmen(7)"));
    SetzeGrund(rahmen7, Dunkelgrau);
    cmdStart_ = new QPushButton(QStringLiteral("S T A R T"), rahmen7);
    cmdStart_->setObjectName(QStringLiteral("cmdStart"));
    // The spaced caption would be spelt out letter by letter.
    cmdStart_->setAccessibleName(QStringLiteral("Start"));
    // As the window's default button it wears the style's focus colour all the time, so the
    // focus needs a mark of its own.
    ZeigtFokus(cmdStart_);
    cmdStart_->setFont(Arial(12, true));
    cmdStart_->setGeometry(rahmen7->rect().adjusted(6, 6, -6, -6));
    cmdStart_->setDefault(true);
    connect(cmdStart_, &QPushButton::clicked, this, &frmGMMain::StartStopVonHand);

    QFrame* rahmen8 = Rahmen(flaeche, Twips(7740, 3420, 2055, 795), QStringLiteral("Rahmen(8)"));
    SetzeGrund(rahmen8, Dunkelgrau);
    cmdEnde_ = new QPushButton(QStringLiteral("&Ende"), rahmen8);
    cmdEnde_->setObjectName(QStringLiteral("cmdEnde"));
    cmdEnde_->setGeometry(rahmen8->rect().adjusted(12, 10, -12, -10));
    connect(cmdEnde_, &QPushButton::clicked, this, &QWidget::close);
    cmdStart_->setFocus();
}

void frmGMMain::NeuAnzeige() {
    const TarifAnzeige anzeige =
        NeuAnzeigeInhalt(uhr_.now(), heute_, zaehler_.ZonenTarif(), kalender_, QLocale());
    SetzeText(lblDatum_, anzeige.datum);
    tagesArt_ = anzeige.tagesArt;
    SetzeText(lblFT_, anzeige.ftText);
    // The marker's letters are white on every ground.
    const QColor grund = TagesArtGrund(tagesArt_);
    if (lblFT_->palette().color(QPalette::Window) != grund) {
        SetzeGrund(lblFT_, grund, Qt::white);
    }
    SetzeText(lblTarif_, anzeige.tarif);
    for (int zone : AlleZonen) {
        SetzeText(lblSek_[zone], anzeige.sek[zone]);
        SetzeText(lblDMmin_[zone], anzeige.dmMin[zone]);
    }
}

void frmGMMain::NeuerTag() {
    heute_ = DatumVon(uhr_.now());
    zaehler_.TagVermerken(heute_);
    NeuAnzeige();
}

void frmGMMain::Tick() {
    const Moment jetzt = uhr_.now();
    const QString uhrzeit = AlsQString(UhrzeitText(jetzt));
    const bool neueMinute = !lblUhr_->text().startsWith(uhrzeit.left(5));
    SetzeText(lblUhr_, uhrzeit);
    if (neueMinute) {
        lblUhr_->Melde();
    }
    const GespraechsZaehler::TickErgebnis ergebnis =
        zaehler_.Tick(jetzt, msZaehler_.milliseconds());
    if (zaehler_.GespraechLaeuft()) {
        ZeigeZaehlerstand();
    }
    if (ergebnis.neuerTag) {
        NeuerTag(); // redraws the whole display as well
    } else if (ergebnis.neuAnzeige) {
        NeuAnzeige();
    }
}

void frmGMMain::ZeigeZaehlerstand() {
    bool neueEinheit = false;
    for (int zone : AlleZonen) {
        Gauge* gauge = gaugeZeit_[zone];
        gauge->setMaximum(zaehler_.GaugeMax(zone));
        gauge->setValue(zaehler_.GaugeWert(zone));
        neueEinheit = ZeigeEinheiten(zone) || neueEinheit;
    }
    SetzeText(lblDauer_, AlsQString(DauerText(zaehler_.Verstrichen())));
    if (neueEinheit) {
        lblDauer_->Melde();
    }
}

// The unit and cost figures change with a new unit only; the ticks between leave them be.
bool frmGMMain::ZeigeEinheiten(int zone) {
    const std::int64_t einheiten = zaehler_.Einheiten(zone);
    if (einheiten == gezeigteEinheiten_[zone]) {
        return false;
    }
    gezeigteEinheiten_[zone] = einheiten;
    const QLocale locale;
    lblEinheiten_[zone]->setText(ZahlText(std::to_string(einheiten), locale));
    lblKosten_[zone]->setText(ZahlText(KostenText(einheiten, FesterTrenner), locale));
    return true;
}

void frmGMMain::StartStop() {
    const Moment jetzt = uhr_.now();
    if (!zaehler_.GespraechLaeuft()) {
        zaehler_.Start(jetzt, msZaehler_.milliseconds());
        ZeigeZaehlerstand();
        lblStart_->setText(AlsQString(UhrzeitText(jetzt)));
        lblStop_->clear();
        cmdStart_->setAccessibleName(QStringLiteral("Stopp"));
        cmdStart_->setText(QStringLiteral("S T O P"));
        cmdSpeichern_->setEnabled(false);
        // Orca passes over the new name of the button it stands on; the new state is said.
        ansage_->Sage(QStringLiteral("Gespräch läuft"));
        ++fensterAnruf_;
    } else {
        zaehler_.Stop(jetzt, msZaehler_.milliseconds());
        ZeigeZaehlerstand();
        lblStop_->setText(AlsQString(UhrzeitText(jetzt)));
        cmdStart_->setAccessibleName(QStringLiteral("Start"));
        cmdStart_->setText(QStringLiteral("S T A R T"));
        cmdSpeichern_->setEnabled(true);
        lblDauer_->Melde();
        ansage_->Sage(QStringLiteral("Gespräch beendet, ") + lblDauer_->ZugangsName());
    }
}

// Enter presses the focused button, or START/STOP when no button has the focus; Esc stops a
// running call and does nothing otherwise.
void frmGMMain::keyPressEvent(QKeyEvent* event) {
    const int taste = event->key();
    // The keypad's Enter carries the keypad modifier; it is Enter all the same.
    const bool ohneModifier = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if ((taste == Qt::Key_Return || taste == Qt::Key_Enter) && ohneModifier) {
        auto* knopf = qobject_cast<QPushButton*>(focusWidget());
        if (knopf == nullptr || !knopf->isEnabled()) {
            knopf = cmdStart_;
        }
        knopf->click();
        return;
    }
    if (taste == Qt::Key_Escape && ohneModifier) {
        if (zaehler_.GespraechLaeuft()) {
            cmdStart_->click();
        }
        return;
    }
    QMainWindow::keyPressEvent(event);
}

GespraechVorZonenwahl frmGMMain::Gespraech() const {
    ZonenArray<std::int64_t> einheiten;
    for (int zone : AlleZonen) {
        einheiten[zone] = zaehler_.Einheiten(zone);
    }
    return GespraechMit(zaehler_.StartZeitpunkt(), zaehler_.StopZeitpunkt(), zaehler_.Verstrichen(),
                        einheiten);
}

void frmGMMain::Speichern() {
    const QString& telefon = regel_.FensterTelefon();
    ZeigeSpeichern({Gespraech(), telefon, fensterAnruf_},
                   telefon.isEmpty() ? 0 : regel_.ZoneVon(telefon).value_or(0));
}
// Each window is built afresh at every opening and shown modally; the timer goes on counting a
// running call behind it.
void frmGMMain::Berechnung() {
    frmBerechnung fenster(uhr_, heute_, logbuchdatei_, dateiWahl_, this);
    connect(&fenster, &frmBerechnung::Gespeichert, this, &frmGMMain::MerkeZoneVon);
    fenster.exec();
}

void frmGMMain::Tarife() {
    frmUebersicht fenster(this);
    fenster.exec();
}

void frmGMMain::Auswertung() {
    frmAuswertung fenster(logbuchdatei_, dateiWahl_, this);
    fenster.exec();
}

void frmGMMain::Info() {
    frmAbout fenster(this);
    fenster.exec();
}

// START or STOP pressed by the user: the window's call is then the user's, and the router's
// DISCONNECT no longer stops it, nor does a call the router reports replace it.
void frmGMMain::StartStopVonHand() {
    regel_.VonHand();
    vonHand_ = true;
    StartStop();
}

// The dialog opens on top of this window and returns the settings; they take effect at once.
void frmGMMain::Einstellungen() {
    frmAnrufmonitor dialog(LiesAnrufmonitor(einstellungen_), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    SchreibeAnrufmonitor(einstellungen_, dialog.Werte());
    StarteAnrufmonitor();
}

// The calls the old client followed are handed over, to the new client of this window when the
// monitor stays on, else to the next program that follows the router; the window's own running
// call stays the window's, counted until STOP.
void frmGMMain::StarteAnrufmonitor() {
    QString grund;
    const std::vector<AnrufMeldung> offene = GibOffeneAnrufeAb(false, grund);
    besitzWache_->stop();
    monitorWerte_ = LiesAnrufmonitor(einstellungen_);
    einstellungsFehler_ = AnrufmonitorFehler(einstellungen_);
    regel_.Neu(monitorWerte_.nachDemGespraech, monitorWerte_.eigeneVorwahl.toStdString());
    if (monitorWerte_.aktiv) {
        FolgeRouter();
    } else {
        besitz_->Gib();
    }
    ZeigeMonitorStatus();
    if (!grund.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), OffeneAnrufeText(offene, grund));
    }
}

// The client goes first, so that no line of the router is read after the hand-over. The file
// is written while the lock is held; the caller lets it go.
std::vector<AnrufMeldung> frmGMMain::GibOffeneAnrufeAb(bool mitFensterAnruf, QString& grund) {
    std::vector<AnrufMeldung> offene;
    if (anrufmonitor_ == nullptr) {
        return offene;
    }
    for (AnrufMeldung& offen : anrufmonitor_->OffeneAnrufe()) {
        if (mitFensterAnruf || offen.id != regel_.FensterId()) {
            offene.push_back(std::move(offen));
        }
    }
    delete anrufmonitor_;
    anrufmonitor_ = nullptr;
    if (besitz_->Haelt()) {
        grund = besitz_->Uebergib(offene, uhr_.now(), msZaehler_.milliseconds());
    }
    return offene;
}

// The router is followed by one program of the user only (MonitorBesitz says why and how);
// while another one does, the window asks again twice a second and takes over at its end.
void frmGMMain::FolgeRouter() {
    if (!besitz_->Versuche()) {
        if (!besitzWache_->isActive()) {
            besitzWache_->start();
        }
        ZeigeMonitorStatus();
        return;
    }
    besitzWache_->stop();
    if (anrufmonitor_ == nullptr) {
        anrufmonitor_ = new AnrufmonitorClient(monitorWerte_.adresse, quint16(monitorWerte_.port),
                                               uhr_, msZaehler_, *wecker_, this);
        anrufmonitor_->setObjectName(QStringLiteral("Anrufmonitor"));
        connect(anrufmonitor_, &AnrufmonitorClient::StatusGeaendert, this,
                &frmGMMain::ZeigeMonitorStatus);
        connect(anrufmonitor_, &AnrufmonitorClient::Meldung, this, &frmGMMain::AnrufGemeldet);
        connect(anrufmonitor_, &AnrufmonitorClient::VerbindungVerloren, this,
                &frmGMMain::VerbindungVerloren);
        std::vector<AnrufMeldung> uebergeben =
            besitz_->Uebernimm(uhr_.now(), msZaehler_.milliseconds());
        anrufmonitor_->Uebernimm(uebergeben);
        for (const AnrufErgebnis& ergebnis : regel_.Uebernommen(uebergeben)) {
            Verwende(ergebnis);
        }
        anrufmonitor_->Starte();
    }
    ZeigeMonitorStatus();
}

void frmGMMain::ZeigeMonitorStatus() {
    ZeigeLogbuchdatei(logbuchdatei_.Pfad());
}

bool frmGMMain::Belegt() const {
    const bool ungesichert = vonHand_ && cmdSpeichern_->isEnabled();
    return zaehler_.GespraechLaeuft() || ungesichert || dialogOffen_;
}

bool frmGMMain::Laeuft() const {
    return zaehler_.GespraechLaeuft();
}

void frmGMMain::Starte() {
    vonHand_ = false;
    StartStop();
}

GespraechVorZonenwahl frmGMMain::Stoppe() {
    StartStop();
    return Gespraech();
}

void frmGMMain::AnrufGemeldet(const AnrufMeldung& meldung) {
    for (const AnrufErgebnis& ergebnis : regel_.Gemeldet(meldung)) {
        Verwende(ergebnis);
    }
}

void frmGMMain::Verwende(const AnrufErgebnis& ergebnis) {
    using V = AnrufErgebnis::Verbleib;
    switch (ergebnis.verbleib) {
    case V::Gespeichert:
        if (ergebnis.fensterAnruf == fensterAnruf_ && !zaehler_.GespraechLaeuft()) {
            cmdSpeichern_->setEnabled(false);
        }
        break;
    case V::Wartet:
        wiederholen_->start();
        break;
    case V::Fragen:
        NachDemAnruf({ergebnis.daten, ergebnis.telefon, ergebnis.fensterAnruf});
        break;
    case V::Nichts:
        break;
    }
    ZeigeMonitorStatus();
}

// Every second while calls wait; the counting and the router's lines go on meanwhile, as no
// attempt waits for the lock.
void frmGMMain::WiederholeSpeichern() {
    for (const AnrufErgebnis& ergebnis : regel_.Wiederhole()) {
        Verwende(ergebnis);
    }
    if (regel_.Warteschlange().empty()) {
        wiederholen_->stop();
    }
    ZeigeMonitorStatus();
}

// Calls still waiting for the log are tried once more; any that still cannot be saved are shown
// whole before the window goes, and the router's calls still open are handed over and named,
// so that none is lost without a word. The lock goes before the message, for the next program
// to take over while the user reads it.
void frmGMMain::closeEvent(QCloseEvent* event) {
    WiederholeSpeichern();
    QString grund;
    const std::vector<AnrufMeldung> offene = GibOffeneAnrufeAb(true, grund);
    besitzWache_->stop();
    besitz_->Gib();
    QStringList teile;
    if (!regel_.Warteschlange().empty()) {
        QStringList saetze;
        for (const AnrufErgebnis& ergebnis : regel_.Warteschlange()) {
            const QByteArray satz =
                SatzZeile(ergebnis.daten.MitZone(*ergebnis.zone, ergebnis.telefon)).trimmed();
            saetze << QString::fromStdString(
                Utf8AusCp1252(std::string_view(satz.constData(), std::size_t(satz.size()))));
        }
        teile << QStringLiteral("Nicht gespeichert (%1):\n\n%2")
                     .arg(regel_.Warteschlange().front().grund, saetze.join(QLatin1Char('\n')));
    }
    if (!offene.empty()) {
        teile << OffeneAnrufeText(offene, grund);
    }
    if (!teile.isEmpty()) {
        QMessageBox hinweis(QMessageBox::Warning, windowTitle(), teile.join(QStringLiteral("\n\n")),
                            QMessageBox::Ok, this);
        hinweis.setObjectName(QStringLiteral("NichtGespeichert"));
        hinweis.exec();
    }
    QMainWindow::closeEvent(event);
}

// The router's calls outlive the connection: a DISCONNECT on the next one still stops the
// window's call. The user is told once that the call goes on counting meanwhile.
void frmGMMain::VerbindungVerloren() {
    if (!regel_.FolgtRouter() || !zaehler_.GespraechLaeuft()) {
        return;
    }
    auto* hinweis = new QMessageBox(
        QMessageBox::Warning, windowTitle(),
        QStringLiteral("Die Verbindung zum Anrufmonitor ist unterbrochen. Das Gespräch wird "
                       "weiter gezählt; kommt sein Ende nicht mehr, bitte S T O P von Hand "
                       "drücken."),
        QMessageBox::Ok, this);
    hinweis->setObjectName(QStringLiteral("VerbindungVerloren"));
    hinweis->setAttribute(Qt::WA_DeleteOnClose);
    hinweis->open();
}

void frmGMMain::NachDemAnruf(Angebot angebot) {
    if (monitorWerte_.nachDemGespraech == NachDemGespraech::Nichts) {
        return;
    }
    angebote_.push_back(std::move(angebot));
    PlaneAngebote();
}

// Shown from the event loop, never from inside the socket's signal: a modal dialog opened
// there would hold back the router's next lines until it closed.
void frmGMMain::PlaneAngebote() {
    if (!angebote_.empty() && !angeboteGeplant_ && !dialogOffen_) {
        angeboteGeplant_ = true;
        QTimer::singleShot(0, this, &frmGMMain::ZeigeAngebote);
    }
}

void frmGMMain::ZeigeAngebote() {
    angeboteGeplant_ = false;
    while (!angebote_.empty() && !dialogOffen_) {
        const Angebot angebot = std::move(angebote_.front());
        angebote_.pop_front();
        ZeigeSpeichern(angebot, regel_.ZoneVon(angebot.telefon).value_or(0));
    }
}

// The same call cannot be saved twice: after a save the button waits for the next STOP. A save
// that failed or was cancelled leaves it enabled, so the call can still be saved.
bool frmGMMain::ZeigeSpeichern(const Angebot& angebot, int zone) {
    frmSpeichern dialog(angebot.daten, logbuchdatei_, dateiWahl_, this);
    if (!angebot.telefon.isEmpty() || zone != 0) {
        dialog.Vorbelegen(angebot.telefon, zone);
    }
    dialogOffen_ = true;
    dialog.exec();
    dialogOffen_ = false;
    if (dialog.Gespeichert()) {
        MerkeZoneVon(dialog.Telefon(), dialog.Zone());
        if (angebot.fensterAnruf == fensterAnruf_ && !zaehler_.GespraechLaeuft()) {
            cmdSpeichern_->setEnabled(false);
        }
    }
    PlaneAngebote();
    return dialog.Gespeichert();
}

// Kept only where the user has set up the call monitor, so that a user who never does gets
// no settings file from saving calls.
void frmGMMain::MerkeZoneVon(const QString& telefon, int zone) {
    if (einstellungen_ == nullptr ||
        !einstellungen_->contains(QStringLiteral("Anrufmonitor/Aktiv"))) {
        return;
    }
    const QString fehler = MerkeZone(
        einstellungen_, QString::fromStdString(ZonenSchluessel(telefon.toStdString())), zone);
    // Said once: every later save would fail for the same reason.
    if (!fehler.isEmpty() && !einstellungsFehler_.contains(fehler)) {
        einstellungsFehler_ = einstellungsFehler_.isEmpty()
                                  ? fehler
                                  : einstellungsFehler_ + QStringLiteral(", ") + fehler;
        ZeigeMonitorStatus();
    }
}

} // namespace tarvis
