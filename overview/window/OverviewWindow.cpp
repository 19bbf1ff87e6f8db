#include "overview/window/OverviewWindow.h"

#include "gui/Accessibility.h"
#include "gui/LabelClick.h"
#include "gui/WindowStyle.h"
#include "overview/TariffOverview.h"
#include "platform/QtText.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QValueAxis>
#include <algorithm>

namespace tarvis {

using namespace style;

namespace {

// The window as designed; enlarging it gives the extra room to the graph.
constexpr QSize EntwurfGroesse{Px(5880), Px(6990)};
constexpr QRect EntwurfRahmen0 = Twips(120, 0, 5595, 435);
constexpr QRect EntwurfBild = Twips(120, 480, 5595, 3495);
constexpr QRect EntwurfGrafik = Twips(-360, -60, 6315, 3315);
constexpr QRect EntwurfRahmen1 = Twips(120, 4020, 2775, 1935);
constexpr QRect EntwurfRahmen2 = Twips(2940, 4020, 2775, 1935);
constexpr QRect EntwurfRahmen3 = Twips(120, 5880, 5595, 675);
constexpr QRect EntwurfZurueck = Twips(4920, 6600, 795, 375);
constexpr int SekOben = Px(3225);
constexpr QSize SekGroesse{Px(680), Px(255)};

// Room of the value axis left of the plot, of the bar captions below it, and a little air.
constexpr double AchsenBreite = 30.0;
constexpr double BeschriftungHoehe = 24.0;
constexpr double Luft = 10.0;
constexpr double KopfLuft = 20.0;      // the top axis label stands half above the plot
constexpr double AchseMaximum = 240.0; // seconds: the longest unit of the tariff

// Rows of the two option frames.
constexpr QRect KopfZeile{6, 5, 173, 17};
constexpr int ErsteZeile = 26, ZeilenAbstand = 25, ZeilenHoehe = 21;
constexpr int KnopfLinks = 10, KnopfBreite = 18;
constexpr int LabelLinks = 30, LabelBreite = 146;

QRect ZeilenRechteck(int zeile, int links, int breite) {
    return QRect(links, ErsteZeile + (zeile - 1) * ZeilenAbstand, breite, ZeilenHoehe);
}

QRect Verbreitert(QRect rechteck, int dx, int dy = 0) {
    return rechteck.adjusted(0, 0, dx, dy);
}

// The plot area inside a graph of the given size: the graph overhangs its picture frame on the
// left, top and right, so the plot keeps clear of the hidden parts and leaves room for the value
// axis and the bar captions.
QRectF TarifGrafikFlaeche(QSizeF grafik) {
    const double verdecktLinks = -EntwurfGrafik.left();
    const double verdecktOben = -EntwurfGrafik.top();
    const double verdecktRechts = EntwurfGrafik.right() + 1 - EntwurfBild.width();
    const double links = verdecktLinks + AchsenBreite;
    const double oben = verdecktOben + KopfLuft;
    return QRectF(links, oben, grafik.width() - verdecktRechts - Luft - links,
                  grafik.height() - BeschriftungHoehe - oben);
}

} // namespace

frmUebersicht::frmUebersicht(QWidget* parent) : QDialog(parent) {
    RichteGrossesFensterEin(this, QStringLiteral("frmUebersicht"),
                            QStringLiteral("Tarifübersicht"));
    SetzeGrund(this, Hellgrau);

    BaueKopf();
    BaueGrafik();
    BaueZonenWahl();
    BaueZeitWahl();
    BaueBemerkung();

    cmdZurueck_ = new QPushButton(QStringLiteral("&zurück"), this);
    cmdZurueck_->setObjectName(QStringLiteral("cmdZurueck"));
    cmdZurueck_->setDefault(true);
    ZeigtFokus(cmdZurueck_); // the default button wears the focus colour all the time
    connect(cmdZurueck_, &QPushButton::clicked, this, &QDialog::accept);

    setMinimumSize(EntwurfGroesse);
    resize(EntwurfGroesse);
    Anordnen(EntwurfGroesse); // a hidden window gets its resize event only when shown

    // The window opens on City and working days, like a fresh selection by the user.
    optZone_[1]->setChecked(true);
    optZeit_[1]->setChecked(true);
    optZone_[1]->setFocus();
}

frmUebersicht::~frmUebersicht() = default;

void frmUebersicht::BaueKopf() {
    rahmen_[0] = Rahmen(this, EntwurfRahmen0, QStringLiteral("Rahmen(0)"));
    lblLabel_ = Beschriftung(rahmen_[0],
                             QStringLiteral("Angabe über die Länge eines Zeittaktes in Sekunden"),
                             QRect(), font());
    lblLabel_->setObjectName(QStringLiteral("lblLabel"));
    SetzeTextFarbe(lblLabel_, Dunkelgrau);
}

void frmUebersicht::BaueGrafik() {
    picRahmen_ = new QFrame(this);
    picRahmen_->setObjectName(QStringLiteral("picRahmen"));
    picRahmen_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SetzeGrund(picRahmen_, Qt::white);

    balken_ = new QBarSet(QString());
    for (int slot = 0; slot < SlotAnzahl; ++slot) {
        balken_->append(0.0);
    }
    auto* reihe = new QBarSeries;
    reihe->append(balken_);
    reihe->setBarWidth(0.6);

    chart_ = new QChart;
    chart_->addSeries(reihe); // applies the chart theme to the bars; the outline comes after
    balken_->setBorderColor(Qt::black);
    chart_->legend()->hide();
    chart_->setBackgroundVisible(false);
    chart_->setMargins(QMargins());
    chart_->setAnimationOptions(QChart::NoAnimation);

    auto* zeitAchse = new QBarCategoryAxis;
    for (std::string_view beschriftung : BalkenBeschriftung) {
        zeitAchse->append(AlsQString(beschriftung));
    }
    zeitAchse->setLabelsFont(Arial(8.25));
    zeitAchse->setGridLineVisible(false);
    chart_->addAxis(zeitAchse, Qt::AlignBottom);
    reihe->attachAxis(zeitAchse);

    auto* sekunden = new QValueAxis;
    sekunden->setRange(0.0, AchseMaximum);
    sekunden->setTickCount(5);
    sekunden->setLabelFormat(QStringLiteral("%d"));
    sekunden->setLabelsFont(Arial(8.25));
    chart_->addAxis(sekunden, Qt::AlignLeft);
    reihe->attachAxis(sekunden);

    // The chart draws on the picture frame's white ground, so the frame's border stays visible
    // where the graph overhangs it.
    grfTarif_ = new QChartView(chart_, picRahmen_);
    grfTarif_->setObjectName(QStringLiteral("grfTarif"));
    grfTarif_->setFrameShape(QFrame::NoFrame);
    grfTarif_->setFocusPolicy(Qt::NoFocus); // a picture: no Tab stop
    grfTarif_->setStyleSheet(QStringLiteral("background: transparent"));
    grfTarif_->setRenderHint(QPainter::Antialiasing, false);

    const QFont zahlen = Arial(9, true);
    for (int slot = 0; slot < SlotAnzahl; ++slot) {
        QLabel* label = Beschriftung(picRahmen_, QString(), QRect(), zahlen);
        label->setObjectName(FeldName("lblSek", slot + 1));
        lblSek_[static_cast<std::size_t>(slot)] = label;
    }
}

void frmUebersicht::BaueZonenWahl() {
    rahmen_[1] = Rahmen(this, EntwurfRahmen1, QStringLiteral("Rahmen(1)"));
    QLabel* kopf = Beschriftung(rahmen_[1], QStringLiteral("Wählen Sie die Zone aus:"), KopfZeile,
                                font(), Qt::AlignLeft | Qt::AlignVCenter);
    kopf->setObjectName(QStringLiteral("lblHeader(1)"));
    const QFont fett = Arial(9.75, true);
    for (int zone : AlleZonen) {
        auto* knopf = new QRadioButton(rahmen_[1]);
        knopf->setObjectName(FeldName("optZone", zone));
        knopf->setAccessibleName(ZonenText(zone)); // its name stands in the label beside it
        knopf->setGeometry(ZeilenRechteck(zone, KnopfLinks, KnopfBreite));
        connect(knopf, &QRadioButton::toggled, this, [this, zone](bool gewaehlt) {
            if (gewaehlt) {
                optZoneClick(zone);
            }
        });
        optZone_[zone] = knopf;

        QLabel* label =
            ZonenNameLabel(rahmen_[1], zone, ZeilenRechteck(zone, LabelLinks, LabelBreite), fett);
        label->setObjectName(FeldName("lblZone", zone));
        WaehltBeiKlick(label, knopf);
        lblZone_[zone] = label;
    }
}

void frmUebersicht::BaueZeitWahl() {
    rahmen_[2] = Rahmen(this, EntwurfRahmen2, QStringLiteral("Rahmen(2)"));
    QLabel* kopf = Beschriftung(rahmen_[2], QStringLiteral("Wählen Sie die Tarifzeit aus:"),
                                KopfZeile, font(), Qt::AlignLeft | Qt::AlignVCenter);
    kopf->setObjectName(QStringLiteral("lblHeader(2)"));
    const QFont fett = Arial(9.75, true);
    for (int art = 1; art <= TagesArtAnzahl; ++art) {
        const auto i = static_cast<std::size_t>(art);
        auto* knopf = new QRadioButton(rahmen_[2]);
        knopf->setObjectName(FeldName("optZeit", art));
        knopf->setAccessibleName(AlsQString(TagesArtName[i]));
        knopf->setGeometry(ZeilenRechteck(art, KnopfLinks, KnopfBreite));
        connect(knopf, &QRadioButton::toggled, this, [this, art](bool gewaehlt) {
            if (gewaehlt) {
                optZeitClick(art);
            }
        });
        optZeit_[i] = knopf;

        QLabel* label = Beschriftung(rahmen_[2], AlsQString(TagesArtName[i]),
                                     ZeilenRechteck(art, LabelLinks, LabelBreite), fett);
        label->setObjectName(FeldName("lblZeit", art));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        const auto tagesArt = static_cast<TagesArt>(art);
        SetzeGrund(label, TagesArtGrund(tagesArt), TagesArtSchrift(tagesArt));
        WaehltBeiKlick(label, knopf);
        lblZeit_[i] = label;
    }
}

void frmUebersicht::BaueBemerkung() {
    rahmen_[3] = Rahmen(this, EntwurfRahmen3, QStringLiteral("Rahmen(3)"));
    // The option frames reach a little into this one; its border is drawn over theirs.
    rahmen_[3]->raise();
    for (int zeile = 0; zeile < 2; ++zeile) {
        QLabel* label = Beschriftung(rahmen_[3], QString(), QRect(), Arial(9));
        label->setObjectName(FeldName("lblBemerkung", zeile + 1));
        SetzeTextFarbe(label, Dunkelgrau);
        lblBemerkung_[zeile] = label;
    }
}

void frmUebersicht::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Anordnen(event->size());
}

void frmUebersicht::Anordnen(QSize groesse) {
    const int dx = std::max(0, groesse.width() - EntwurfGroesse.width());
    const int dy = std::max(0, groesse.height() - EntwurfGroesse.height());
    const int links = dx / 2;

    rahmen_[0]->setGeometry(Verbreitert(EntwurfRahmen0, dx));
    lblLabel_->setGeometry(rahmen_[0]->rect().adjusted(2, 2, -2, -2));

    picRahmen_->setGeometry(Verbreitert(EntwurfBild, dx, dy));
    const QRect grafik = Verbreitert(EntwurfGrafik, dx, dy);
    grfTarif_->setGeometry(grafik);
    const QRectF flaeche = TarifGrafikFlaeche(grafik.size());
    chart_->setPlotArea(flaeche);
    chart_->layout()->invalidate(); // a fixed plot area alone leaves the axes where they were
    const double slotBreite = flaeche.width() / SlotAnzahl;
    for (int slot = 0; slot < SlotAnzahl; ++slot) {
        const double mitte = grafik.left() + flaeche.left() + (slot + 0.5) * slotBreite;
        QRect feld(QPoint(), SekGroesse);
        feld.moveTo(static_cast<int>(mitte) - SekGroesse.width() / 2, SekOben + dy);
        lblSek_[static_cast<std::size_t>(slot)]->setGeometry(feld);
    }

    rahmen_[1]->setGeometry(Verbreitert(EntwurfRahmen1.translated(0, dy), links));
    rahmen_[2]->setGeometry(Verbreitert(EntwurfRahmen2.translated(links, dy), dx - links));
    rahmen_[3]->setGeometry(Verbreitert(EntwurfRahmen3.translated(0, dy), dx));
    const int breite = rahmen_[3]->width() - 4;
    lblBemerkung_[0]->setGeometry(2, 4, breite, 18);
    lblBemerkung_[1]->setGeometry(2, 23, breite, 18);
    cmdZurueck_->setGeometry(EntwurfZurueck.translated(dx, dy));
}

void frmUebersicht::optZeitClick(int /*art*/) {
    for (int zone : AlleZonen) {
        if (optZone_[zone]->isChecked()) {
            optZoneClick(zone);
            return;
        }
    }
}

// Without a selected kind of day only the colour changes; the figures wait for one.
void frmUebersicht::optZoneClick(int zone) {
    for (int art = 1; art <= TagesArtAnzahl; ++art) {
        if (optZeit_[static_cast<std::size_t>(art)]->isChecked()) {
            Zeige(UebersichtFuer(zone, static_cast<TagesArt>(art), QLocale()));
            return;
        }
    }
    balken_->setColor(ZonenFarbe(zone));
}

void frmUebersicht::Zeige(const UebersichtInhalt& inhalt) {
    lblBemerkung_[0]->setText(inhalt.bemerkung1);
    lblBemerkung_[1]->setText(inhalt.bemerkung2);
    for (int slot = 0; slot < SlotAnzahl; ++slot) {
        const UebersichtBalken& balken = inhalt.balken[static_cast<std::size_t>(slot)];
        lblSek_[static_cast<std::size_t>(slot)]->setText(balken.text);
        balken_->replace(slot, balken.sekunden);
    }
    balken_->setColor(ZonenFarbe(inhalt.zone));
    // The figures are pictures and labels beside the option buttons, which a screen reader reads
    // alone: the choice made by the user is answered with the figures it shows.
    if (isVisible()) {
        SageAn(this, ZonenText(inhalt.zone) + QStringLiteral(", ") + AktuelleTagesArt() +
                         QStringLiteral(": ") + SekundenAnsage(inhalt));
    }
}

QString frmUebersicht::AktuelleTagesArt() const {
    for (int art = 1; art <= TagesArtAnzahl; ++art) {
        const auto i = static_cast<std::size_t>(art);
        if (optZeit_[i]->isChecked()) {
            return AlsQString(TagesArtName[i]);
        }
    }
    return {};
}

} // namespace tarvis
