#include "calllog/SaveDialog.h"

#include "calllog/LogFile.h"
#include "calllog/LogFormat.h"
#include "calllog/LogWriter.h"
#include "calllog/ShortPath.h"
#include "gui/Accessibility.h"
#include "gui/LabelClick.h"
#include "gui/WindowStyle.h"
#include "platform/FileChooser.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace tarvis {

using namespace style;

namespace {

// Rows of the zone choice and of the optional data, in pixels inside their frames.
constexpr int InnenLinks = 8;
constexpr int InnenBreite = 169;
constexpr int ZonenOben = 32;
constexpr int ZonenAbstand = 31;
constexpr int ZonenHoehe = 24;
constexpr int KopfHoehe = 16;
constexpr int FeldHoehe = 22;

const QColor Blau{0, 0, 255};

QLabel* Kopf(QWidget* parent, const QString& text, int index, int oben) {
    QLabel* label = Beschriftung(parent, text, QRect(InnenLinks, oben, InnenBreite, KopfHoehe),
                                 parent->font(), Qt::AlignLeft | Qt::AlignVCenter);
    label->setObjectName(FeldName("lblHeader", index));
    return label;
}

QLineEdit* Textfeld(QWidget* parent, const char* name, int oben, int laenge) {
    auto* feld = new QLineEdit(parent);
    feld->setObjectName(QLatin1String(name));
    feld->setGeometry(InnenLinks, oben, InnenBreite, FeldHoehe);
    feld->setMaxLength(laenge);
    return feld;
}

// The classic dialog font of the log file display; fontconfig puts a sans serif in its place.
QFont DateiSchrift() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

QString FehlerText(const QString& pfad, const QString& grund) {
    return QStringLiteral("Das Gespräch konnte nicht in die Logbuchdatei geschrieben werden.\n\n"
                          "Datei: %1\nGrund: %2\n\n"
                          "Bitte erneut versuchen oder mit einem Doppelklick auf den Dateinamen "
                          "(oder Alt+L und Eingabetaste) eine andere Logbuchdatei wählen.")
        .arg(pfad, grund);
}

} // namespace

frmSpeichern::frmSpeichern(const GespraechVorZonenwahl& daten, Logbuchdatei& logbuchdatei,
                           FileChooser& dateiWahl, QWidget* parent)
    : QDialog(parent), daten_(daten), logbuchdatei_(logbuchdatei), dateiWahl_(dateiWahl) {
    setObjectName(QStringLiteral("frmSpeichern"));
    FokusVonAnfangAnSichtbar(this);
    setWindowTitle(QStringLiteral("Speichern"));
    BaueFenster();

    optZone_[1]->setChecked(true);
    ZeigeDatei(false);
    optZone_[1]->setFocus();
}

frmSpeichern::~frmSpeichern() = default;

void frmSpeichern::BaueFenster() {
    HelleSteuerelemente(this);
    QPalette grund = palette();
    grund.setColor(QPalette::Window, Hellgrau);
    grund.setColor(QPalette::WindowText, Qt::black);
    setPalette(grund);
    setAutoFillBackground(true);
    setFont(Arial(8.25));

    BaueDateiAnzeige();
    BaueZonenwahl();
    BaueAngaben();
    BaueKnoepfe();
    SetzeTabFolge();
    setFixedSize(Px(5835), Px(3870));
}

void frmSpeichern::BaueDateiAnzeige() {
    QLabel* kopf =
        Beschriftung(this, QStringLiteral("Aktuelle &Logbuchdatei (Doppelklick zum Ändern):"),
                     Twips(120, 60, 5595, 255), Arial(9));
    kopf->setObjectName(QStringLiteral("lblHeader(4)"));
    SetzeTextFarbe(kopf, Blau);

    // The keyboard reaches the file name too: Alt+L or Tab puts the focus on its frame, and
    // Enter or Space there asks for another file, as a double click does. A click does not take
    // the focus there: Enter after a click on the name still saves, as everywhere in the dialog.
    rahmenDatei_ = Rahmen(this, Twips(120, 300, 5595, 435), QStringLiteral("Rahmen(2)"));
    rahmenDatei_->installEventFilter(this);
    rahmenDatei_->setFocusPolicy(Qt::TabFocus);
    const QString hinweis =
        QStringLiteral("Doppelklick, Eingabe- oder Leertaste: eine andere Logbuchdatei wählen");
    rahmenDatei_->setToolTip(hinweis);
    rahmenDatei_->setAccessibleDescription(hinweis);
    ZeigtFokus(rahmenDatei_);
    SetzeBeschriftung(kopf, rahmenDatei_);
    lblDatei_ = new QLabel(rahmenDatei_);
    lblDatei_->setObjectName(QStringLiteral("lblDatei"));
    lblDatei_->setFont(DateiSchrift());
    SetzeTextFarbe(lblDatei_, Dunkelrot);
    lblDatei_->installEventFilter(this);
    // Centred in the frame's box, which in Qt starts at the frame's top edge.
    lblDatei_->move(Px(120), (rahmenDatei_->height() - lblDatei_->sizeHint().height()) / 2);
}

void frmSpeichern::BaueZonenwahl() {
    QFrame* rahmen = Rahmen(this, Twips(120, 660, 2775, 2415), QStringLiteral("Rahmen(0)"));
    SetzeGruppenName(rahmen, QStringLiteral("Zone"));
    Kopf(rahmen, QStringLiteral("Wählen Sie die Zone aus:"), 0, InnenLinks);
    for (int zone : AlleZonen) {
        const int oben = ZonenOben + (zone - 1) * ZonenAbstand;
        optZone_[zone] = new QRadioButton(rahmen);
        optZone_[zone]->setObjectName(FeldName("optZone", zone));
        // The zone's name stands in a label of its own beside the button.
        optZone_[zone]->setAccessibleName(ZonenText(zone));
        optZone_[zone]->setGeometry(InnenLinks + 2, oben, 22, ZonenHoehe);

        QLabel* name =
            ZonenNameLabel(rahmen, zone, QRect(34, oben, 140, ZonenHoehe), Arial(11.25, true));
        name->setObjectName(FeldName("lblZone", zone));
        WaehltBeiKlick(name, optZone_[zone]);
        lblZone_[zone] = name;
    }
}

void frmSpeichern::BaueAngaben() {
    QFrame* rahmen = Rahmen(this, Twips(2940, 660, 2775, 2415), QStringLiteral("Rahmen(1)"));
    SetzeGruppenName(rahmen, QStringLiteral("Zusätzliche Angaben"));
    Kopf(rahmen, QStringLiteral("Zusätzliche Angaben (optional):"), 3, 8);
    lblTelefon_ = Kopf(rahmen, QStringLiteral("&Telefonnummer:"), 1, 40);
    txtTelefon_ = Textfeld(rahmen, "txtTelefon", 58, TelefonMaxLaenge);
    lblKommentar_ = Kopf(rahmen, QStringLiteral("&Kommentar:"), 2, 96);
    txtKommentar_ = Textfeld(rahmen, "txtKommentar", 114, KommentarMaxLaenge);
    // A caption names its box for a screen reader and gives it its key.
    SetzeBeschriftung(lblTelefon_, txtTelefon_);
    SetzeBeschriftung(lblKommentar_, txtKommentar_);
    BeiKlick(lblTelefon_, [this] { txtTelefon_->setFocus(Qt::OtherFocusReason); });
    BeiKlick(lblKommentar_, [this] { txtKommentar_->setFocus(Qt::OtherFocusReason); });
    txtTelefon_->installEventFilter(this);
    txtKommentar_->installEventFilter(this);
}

void frmSpeichern::BaueKnoepfe() {
    cmdOk_ = new QPushButton(QStringLiteral("&Ok"), this);
    cmdOk_->setObjectName(QStringLiteral("cmdOk"));
    cmdOk_->setGeometry(Twips(480, 3240, 2175, 495));
    cmdOk_->setDefault(true);
    connect(cmdOk_, &QPushButton::clicked, this, &frmSpeichern::Speichern);

    cmdAbbruch_ = new QPushButton(QStringLiteral("&Abbruch"), this);
    cmdAbbruch_->setObjectName(QStringLiteral("cmdAbbruch"));
    cmdAbbruch_->setGeometry(Twips(3120, 3240, 2415, 495));
    connect(cmdAbbruch_, &QPushButton::clicked, this, &QDialog::reject);
}

void frmSpeichern::SetzeTabFolge() {
    QWidget* const folge[] = {optZone_[1],   optZone_[2], optZone_[3], optZone_[4], txtTelefon_,
                              txtKommentar_, cmdOk_,      cmdAbbruch_, rahmenDatei_};
    for (std::size_t i = 0; i + 1 < std::size(folge); ++i) {
        setTabOrder(folge[i], folge[i + 1]);
    }
}

bool frmSpeichern::eventFilter(QObject* objekt, QEvent* ereignis) {
    switch (ereignis->type()) {
    case QEvent::MouseButtonDblClick:
        if (objekt == lblDatei_ || objekt == rahmenDatei_) {
            WechsleLogbuchdatei();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (objekt == rahmenDatei_) {
            const auto* taste = static_cast<QKeyEvent*>(ereignis);
            const bool ohneModifier = (taste->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
            if (ohneModifier && (taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter ||
                                 taste->key() == Qt::Key_Space)) {
                WechsleLogbuchdatei();
                return true;
            }
        }
        break;
    // Typing into a box that gets the focus replaces what it holds.
    case QEvent::FocusIn:
        if (auto* feld = qobject_cast<QLineEdit*>(objekt)) {
            feld->selectAll();
        }
        break;
    case QEvent::FocusOut:
        if (auto* feld = qobject_cast<QLineEdit*>(objekt)) {
            feld->deselect();
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(objekt, ereignis);
}

int frmSpeichern::GewaehlteZone() const {
    for (int zone : AlleZonen) {
        if (optZone_[zone]->isChecked()) {
            return zone;
        }
    }
    return 1;
}

// A failed save keeps the dialog open with everything the user entered, so the call is not
// lost: the user can try again or pick another log file.
void frmSpeichern::Speichern() {
    const Gespraech gespraech =
        daten_.MitZone(GewaehlteZone(), txtTelefon_->text(), txtKommentar_->text());
    // While another program holds the log, the save only tries now and then (every 50 ms, for
    // 2 s at most) and lets the program's clock and counting go on in between; keys and clicks
    // wait till it is done.
    constexpr qint64 SperreHoechstensMs = 2000;
    constexpr int SperreAbstandMs = 50;
    QElapsedTimer gewartet;
    gewartet.start();
    SpeicherArt art;
    art.nochmalVersuchen = [&gewartet] {
        if (gewartet.elapsed() >= SperreHoechstensMs) {
            return false;
        }
        QEventLoop pause;
        QTimer::singleShot(SperreAbstandMs, &pause, &QEventLoop::quit);
        pause.exec(QEventLoop::ExcludeUserInputEvents);
        return true;
    };
    logbuchdatei_.LegeOrdnerAn();
    const SchreibErgebnis ergebnis = AppendCallRecord(logbuchdatei_.Pfad(), gespraech, art);
    if (!ergebnis) {
        QMessageBox::warning(this, windowTitle(), FehlerText(logbuchdatei_.Pfad(), ergebnis.grund));
        return;
    }
    gespeichert_ = true;
    accept();
}

void frmSpeichern::WechsleLogbuchdatei() {
    const std::optional<QString> gewaehlt = dateiWahl_.chooseFile(
        this, QStringLiteral("Bitte die gewünschte Logbuchdatei angeben"), logbuchdatei_.Pfad(),
        {LogDateiTyp(), QStringLiteral("Textdateien (*.txt)"), QStringLiteral("Alle Dateien (*)")});
    if (gewaehlt) {
        logbuchdatei_.SetzePfad(*gewaehlt);
    }
    ZeigeDatei(true);
    if (gewaehlt) {
        Speichern();
    }
}

void frmSpeichern::ZeigeDatei(bool kuerzen) {
    const QString& pfad = logbuchdatei_.Pfad();
    lblDatei_->setText(pfad);
    lblDatei_->adjustSize();
    if (kuerzen && lblDatei_->width() > MaxDateiBreite) {
        lblDatei_->setText(DirKurzName(pfad));
        lblDatei_->adjustSize();
    }
    lblDatei_->setToolTip(pfad);
    rahmenDatei_->setAccessibleName(QStringLiteral("Logbuchdatei: ") + pfad);
}

void frmSpeichern::Vorbelegen(const QString& telefon, int zone) {
    txtTelefon_->setText(telefon);
    if (zone >= 1 && zone <= ZonenAnzahl) {
        optZone_[zone]->setChecked(true);
        optZone_[zone]->setFocus();
    }
}

QString frmSpeichern::Telefon() const {
    return txtTelefon_->text();
}

} // namespace tarvis
