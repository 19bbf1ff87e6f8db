#include "calculation/window/CalculationWindow.h"

#include "calllog/Call.h"
#include "calllog/window/SaveDialog.h"
#include "gui/Accessibility.h"
#include "gui/WindowStyle.h"
#include "platform/Clock.h"
#include "platform/QtText.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <variant>

namespace tarvis {

using namespace style;

namespace {

// The window's client area, 4920 x 4575 twips.
constexpr int FensterBreite = 4920, FensterHoehe = 4575;

const QColor EingabeGrund{192, 192, 0};
const QColor AusgabeGrund{128, 128, 0};

// Columns and rows of the input frame, in pixels inside the frame.
constexpr int KopfLinks = 6, KopfBreite = 44;
constexpr int DatumLinks = 52, DatumBreite = 92;
constexpr int UhrLinks = 148, UhrBreite = 80;
constexpr int KopfzeileOben = 4, StartOben = 22, StopOben = 48, FormatOben = 74, DauerOben = 90;
constexpr int FeldHoehe = 22, KopfHoehe = 16;

// Columns of the zone rows, in pixels inside the zone frame.
constexpr int ZoneLinks = 8, ZoneBreite = 110;
constexpr int EinhLinks = 124, EinhBreite = 70;
constexpr int KostenLinks = 200, KostenBreite = 80;
constexpr int DMLinks = 284, DMBreite = 28;
constexpr int ZeileOben = 8, ZeilenAbstand = 34, ZeilenHoehe = 26;

constexpr int MinutenProTag = 24 * 60;

std::string Utf8(const QLineEdit* feld) {
    return feld->text().toStdString();
}

QLabel* Kopf(QWidget* parent, int index, const char* text, const QRect& geometrie,
             const QFont& font, Qt::Alignment ausrichtung = Qt::AlignCenter) {
    QLabel* label = Beschriftung(parent, QString::fromUtf8(text), geometrie, font, ausrichtung);
    label->setObjectName(FeldName("lblHeader", index));
    return label;
}

QLineEdit* Textfeld(QWidget* parent, const char* name, const QString& zugangsName,
                    const QRect& geometrie, int maxLaenge, const QColor& grund) {
    auto* feld = new QLineEdit(parent);
    feld->setObjectName(QLatin1String(name));
    feld->setAccessibleName(zugangsName);
    feld->setGeometry(geometrie);
    feld->setMaxLength(maxLaenge);
    SetzeGrund(feld, grund);
    return feld;
}

// Outputs can be selected and copied, but are not typed into and are skipped by Tab.
QLineEdit* Ausgabefeld(QWidget* parent, const char* name, const QString& zugangsName,
                       const QRect& geometrie) {
    QLineEdit* feld = Textfeld(parent, name, zugangsName, geometrie, 10, AusgabeGrund);
    feld->setReadOnly(true);
    feld->setFocusPolicy(Qt::ClickFocus);
    return feld;
}

QString KostenAnzeige(std::int64_t einheiten) {
    return ZahlText(KostenText(einheiten, FesterTrenner), QLocale());
}

} // namespace

frmBerechnung::frmBerechnung(CalendarClock& uhr, Datum heute, Logbuchdatei& logbuchdatei,
                             FileChooser& dateiWahl, QWidget* parent)
    : QDialog(parent), logbuchdatei_(logbuchdatei), dateiWahl_(dateiWahl) {
    setObjectName(QStringLiteral("frmBerechnung"));
    FokusVonAnfangAnSichtbar(this);
    setWindowTitle(QStringLiteral("Berechnung"));
    BaueFenster();

    txtStartDat_->setText(AlsQString(DatumText(heute)));
    txtStopDat_->setText(AlsQString(DatumText(heute)));
    txtStartUhr_->setText(AlsQString(UhrzeitText(uhr.now())));
    txtDauer_->setText(QStringLiteral("00:00:00"));
    zeitScroll_->setFocus();
}

frmBerechnung::~frmBerechnung() = default;

void frmBerechnung::BaueFenster() {
    HelleSteuerelemente(this);
    SetzeGrund(this, Hellgrau);
    setFont(Arial(9.75));
    BaueStatus();
    BaueEingaben();
    BaueKnoepfe();
    BaueZonen();
    SetzeTabFolge();
    setFixedSize(Px(FensterBreite), Px(FensterHoehe));
}

void frmBerechnung::BaueStatus() {
    QFrame* rahmen = Rahmen(this, Twips(60, 30, 4800, 390), QStringLiteral("Rahmen(0)"));
    SetzeGruppenName(rahmen, QStringLiteral("Meldung"));
    auto* status = new WertLabel(rahmen);
    status->setGeometry(3, 3, rahmen->width() - 6, 20);
    status->setFont(Arial(8.25, true));
    status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    status->SetzeRolle(QAccessible::AlertMessage);
    lblStatus_ = status;
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setIndent(3);
    ansage_ = new Ansage(this);
    SetzeGrund(lblStatus_, Hellgrau, Dunkelrot);
}

void frmBerechnung::BaueEingaben() {
    QFrame* rahmen = Rahmen(this, Twips(60, 480, 3540, 1770), QStringLiteral("Rahmen(1)"));
    SetzeGruppenName(rahmen, QStringLiteral("Anruf"));
    const QFont kopf = Arial(9.75);
    Kopf(rahmen, 0, "Datum", QRect(DatumLinks, KopfzeileOben, DatumBreite, KopfHoehe), kopf);
    Kopf(rahmen, 1, "hh:mm:ss", QRect(UhrLinks, FormatOben, UhrBreite, KopfHoehe), kopf);
    Kopf(rahmen, 2, "Uhrzeit", QRect(UhrLinks, KopfzeileOben, UhrBreite, KopfHoehe), kopf);
    const Qt::Alignment links = Qt::AlignLeft | Qt::AlignVCenter;
    Kopf(rahmen, 3, "Start", QRect(KopfLinks, StartOben, KopfBreite, FeldHoehe), kopf, links);
    Kopf(rahmen, 4, "Stop", QRect(KopfLinks, StopOben, KopfBreite, FeldHoehe), kopf, links);
    Kopf(rahmen, 5, "Dauer", QRect(KopfLinks, DauerOben, KopfBreite, FeldHoehe), kopf, links);

    txtStartDat_ = Textfeld(rahmen, "txtStartDat", QStringLiteral("Start-Datum (TT.MM.JJJJ)"),
                            QRect(DatumLinks, StartOben, DatumBreite, FeldHoehe), 10, EingabeGrund);
    txtStartUhr_ = Textfeld(rahmen, "txtStartUhr", QStringLiteral("Start-Uhrzeit (hh:mm:ss)"),
                            QRect(UhrLinks, StartOben, UhrBreite, FeldHoehe), 8, EingabeGrund);
    txtStopDat_ = Ausgabefeld(rahmen, "txtStopDat", QStringLiteral("Stop-Datum"),
                              QRect(DatumLinks, StopOben, DatumBreite, FeldHoehe));
    txtStopUhr_ = Ausgabefeld(rahmen, "txtStopUhr", QStringLiteral("Stop-Uhrzeit"),
                              QRect(UhrLinks, StopOben, UhrBreite, FeldHoehe));
    txtDauer_ = Textfeld(rahmen, "txtDauer", QStringLiteral("Dauer (hh:mm:ss)"),
                         QRect(UhrLinks, DauerOben, UhrBreite, FeldHoehe),
                         static_cast<int>(DauerTextLaenge), EingabeGrund);

    zeitScroll_ = new QScrollBar(Qt::Horizontal, rahmen);
    zeitScroll_->setObjectName(QStringLiteral("ZeitScroll"));
    zeitScroll_->setAccessibleName(QStringLiteral("Dauer in Minuten"));
    // A scroll bar turns its keys round by default (Up scrolls a page back); here Right and Up
    // give a longer call, Left and Down a shorter one, PageUp and PageDown an hour.
    zeitScroll_->setInvertedControls(false);
    ZeigtFokus(zeitScroll_);
    zeitScroll_->setGeometry(DatumLinks, DauerOben + 2, DatumBreite, FeldHoehe - 4);
    zeitScroll_->setRange(0, MinutenProTag - 1);
    zeitScroll_->setSingleStep(1);
    zeitScroll_->setPageStep(60);
    zeitScroll_->setFocusPolicy(Qt::StrongFocus);
    // valueChanged follows both a finished move and every step of a drag.
    connect(zeitScroll_, &QScrollBar::valueChanged, this, &frmBerechnung::SchieberBewegt);
}

void frmBerechnung::BaueKnoepfe() {
    const auto knopf = [this](const char* name, const char* text, int oben) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(Twips(3690, oben, 1170, 510));
        return button;
    };
    cmdBerechne_ = knopf("cmdBerechne", "&berechnen", 480);
    cmdSpeichern_ = knopf("cmdSpeichern", "&speichern", 1110);
    cmdZurueck_ = knopf("cmdZurueck", "&zurück", 1740);
    cmdBerechne_->setDefault(true);

    connect(cmdBerechne_, &QPushButton::clicked, this, [this] { Berechnen(); });
    connect(cmdSpeichern_, &QPushButton::clicked, this, &frmBerechnung::Speichern);
    connect(cmdZurueck_, &QPushButton::clicked, this, &QDialog::reject);
}

void frmBerechnung::BaueZonen() {
    QFrame* rahmen = Rahmen(this, Twips(60, 2310, 4800, 2190), QStringLiteral("Rahmen(2)"));
    SetzeGruppenName(rahmen, QStringLiteral("Einheiten und Kosten je Zone"));
    const QFont zahlen = Arial(11.25, true);
    const QString nullKosten = KostenAnzeige(0);
    for (int zone : AlleZonen) {
        const int oben = ZeileOben + (zone - 1) * ZeilenAbstand;
        QLabel* name =
            ZonenNameLabel(rahmen, zone, QRect(ZoneLinks, oben, ZoneBreite, ZeilenHoehe), zahlen);
        name->setObjectName(FeldName("lblZone", zone));

        lblEinheiten_[zone] = ZonenZahl(rahmen, FeldName("lblEinheiten", zone), zone,
                                        QRect(EinhLinks, oben, EinhBreite, ZeilenHoehe), zahlen,
                                        ZonenWert::Einheiten);
        lblEinheiten_[zone]->setText(QStringLiteral("0"));
        lblKosten_[zone] = ZonenZahl(rahmen, FeldName("lblKosten", zone), zone,
                                     QRect(KostenLinks, oben, KostenBreite, ZeilenHoehe), zahlen,
                                     ZonenWert::Kosten);
        lblKosten_[zone]->setText(nullKosten);

        QLabel* dm =
            Kopf(rahmen, 5 + zone, "DM", QRect(DMLinks, oben, DMBreite, ZeilenHoehe), zahlen);
        SetzeZonenSchrift(dm, zone);
    }
}

void frmBerechnung::SetzeTabFolge() {
    QWidget* const folge[] = {zeitScroll_,  txtStartDat_,  txtStartUhr_, txtDauer_,
                              cmdBerechne_, cmdSpeichern_, cmdZurueck_};
    for (std::size_t i = 0; i + 1 < std::size(folge); ++i) {
        setTabOrder(folge[i], folge[i + 1]);
    }
}

void frmBerechnung::SchieberBewegt(int minuten) {
    lblStatus_->clear();
    const std::optional<Datum> datum = DatumAusText(Utf8(txtStartDat_));
    const std::optional<int> uhrzeit = UhrzeitAusText(Utf8(txtStartUhr_));
    const std::optional<int> dauer = DauerNachSchieber(minuten, Utf8(txtDauer_));
    if (!datum || !uhrzeit || !dauer) {
        EingabenPruefen();
        return;
    }
    txtDauer_->setText(AlsQString(ZeitText(*dauer)));
    ZeigeStop(MomentAus(*datum) + std::chrono::seconds{*uhrzeit + *dauer});
}

std::optional<BerechnungsEingabe> frmBerechnung::EingabenPruefen(bool fokusZumFehler) {
    const GeleseneEingabe gelesen =
        LiesEingabe(Utf8(txtStartDat_), Utf8(txtStartUhr_), Utf8(txtDauer_));
    const auto* meldung = std::get_if<std::string_view>(&gelesen);
    const std::string_view fehler = meldung != nullptr ? *meldung : std::string_view();
    lblStatus_->setText(AlsQString(fehler));
    // The field at fault carries the message; asked to calculate, it takes the focus too, so a
    // screen reader reads the message with the field (an alert alone does not reach it). A move
    // of the scroll bar leaves the focus where it is.
    QLineEdit* const felder[] = {txtStartDat_, txtStartUhr_, txtDauer_};
    QLineEdit* fehlerFeld = nullptr;
    if (fehler == MeldungStartDatum) {
        fehlerFeld = txtStartDat_;
    } else if (fehler == MeldungStartUhrzeit) {
        fehlerFeld = txtStartUhr_;
    } else if (!fehler.empty()) {
        fehlerFeld = txtDauer_;
    }
    for (QLineEdit* feld : felder) {
        if (feld != fehlerFeld) {
            MeldeEingabeFehler(feld, QString(), false);
        }
    }
    if (fehlerFeld != nullptr) {
        // A screen reader hears nothing new when the field at fault has the focus already, nor
        // of a move of the scroll bar: the message is said then.
        const bool fokusWechsel = fokusZumFehler && !fehlerFeld->hasFocus();
        MeldeEingabeFehler(fehlerFeld, AlsQString(fehler), fokusZumFehler);
        if (!fokusWechsel) {
            ansage_->Sage(AlsQString(fehler));
        }
        lblStatus_->Alarm();
        return std::nullopt;
    }
    return std::get<BerechnungsEingabe>(gelesen);
}

void frmBerechnung::ZeigeStop(Moment stop) {
    txtStopDat_->setText(AlsQString(DatumText(DatumVon(stop))));
    txtStopUhr_->setText(AlsQString(UhrzeitText(stop)));
}

std::optional<frmBerechnung::Berechnung> frmBerechnung::Berechnen() {
    const std::optional<BerechnungsEingabe> eingabe = EingabenPruefen(true);
    if (!eingabe) {
        return std::nullopt;
    }
    const IntervallKosten kosten =
        BerechneIntervall(eingabe->Start(), eingabe->dauerSekunden, kalender_);
    ZeigeStop(kosten.stop);
    for (int zone : AlleZonen) {
        lblEinheiten_[zone]->setText(ZahlText(std::to_string(kosten.einheiten[zone]), QLocale()));
        lblKosten_[zone]->setText(KostenAnzeige(kosten.einheiten[zone]));
    }
    return Berechnung{*eingabe, kosten};
}

// Saving always prices the inputs as they stand, so a record never carries figures of
// inputs that were changed afterwards, and invalid inputs are reported instead of saved.
void frmBerechnung::Speichern() {
    const std::optional<Berechnung> berechnung = Berechnen();
    if (!berechnung) {
        return;
    }
    const GespraechVorZonenwahl daten = GespraechMit(
        berechnung->eingabe.Start(), berechnung->kosten.stop,
        std::int64_t{berechnung->eingabe.dauerSekunden} * 1000, berechnung->kosten.einheiten);
    frmSpeichern dialog(daten, logbuchdatei_, dateiWahl_, this);
    dialog.exec();
    if (dialog.Gespeichert()) {
        Q_EMIT Gespeichert(dialog.Telefon(), dialog.Zone());
    }
}

} // namespace tarvis
