#include "journal/JournalWindow.h"

#include "calllog/Logbuch.h"
#include "gui/Accessibility.h"
#include "gui/WindowStyle.h"
#include "journal/JournalCsv.h"
#include "journal/JournalModel.h"
#include "journal/JournalRead.h"
#include "platform/FileDialog.h"
#include "platform/QtCalendar.h"
#include "platform/SystemReason.h"
#include "tariff/TariffTables.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStackedBarSeries>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtConcurrent/QtConcurrentRun>
#include <cerrno>
#include <sys/stat.h>

namespace tarvis {

using namespace style;

namespace {

constexpr QSize Groesse{960, 680};
constexpr QSize MindestGroesse{780, 560};
constexpr int FortschrittTaktMs = 50;
// The progress bar shows only when reading takes longer than a moment.
constexpr int FortschrittNachTakten = 6;

// The window's colours whatever the desktop's scheme: every fixed ground has its text colour.
QPalette Farben(QPalette palette) {
    palette.setColor(QPalette::Window, Hellgrau);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(238, 238, 238));
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Button, Hellgrau);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, Dunkelgrau);
    return palette;
}

// A zone cell on its zone's ground with black text, as the zone labels of every window; the
// total of the sums in bold.
class ZonenDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant zone = index.data(rolle::Zone);
        if (zone.isValid() && IstZone(zone.toInt())) {
            option->backgroundBrush = ZonenGrund(zone.toInt());
            option->palette.setColor(QPalette::Text, Qt::black);
        }
        if (index.data(rolle::Gesamt).toBool()) {
            option->font.setBold(true);
        }
    }
};

QLabel* Kopf(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QPushButton* Knopf(const char* name, const QString& text) {
    auto* knopf = new QPushButton(text);
    knopf->setObjectName(QLatin1String(name));
    knopf->setAutoDefault(false);
    return knopf;
}

QTableView* Tabelle(const char* name, const QString& zugang) {
    auto* tabelle = new QTableView;
    tabelle->setObjectName(QLatin1String(name));
    tabelle->setAccessibleName(zugang);
    tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabelle->setAlternatingRowColors(true);
    tabelle->setWordWrap(false);
    // The arrow keys move among the cells; Tab goes on to the next control, so the keyboard is
    // never caught in a table.
    tabelle->setTabKeyNavigation(false);
    tabelle->verticalHeader()->hide();
    // Rows of one height: the view need not measure a million of them.
    tabelle->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tabelle->verticalHeader()->setDefaultSectionSize(tabelle->fontMetrics().height() + 6);
    tabelle->horizontalHeader()->setHighlightSections(false);
    tabelle->horizontalHeader()->setAccessibleName(QStringLiteral("Spaltenköpfe: ") + zugang);
    tabelle->setItemDelegate(new ZonenDelegate(tabelle));
    return tabelle;
}

// A count as the user's locale writes it ("1.000.000 Anrufe").
QString Mehrzahl(std::int64_t anzahl, const char* eins, const char* mehr) {
    return GanzzahlText(anzahl, QLocale()) + QLatin1Char(' ') +
           QString::fromUtf8(anzahl == 1 ? eins : mehr);
}

} // namespace

frmAuswertung::frmAuswertung(const Logbuch& logbuch, FileChooser& dateiWahl, QWidget* parent)
    : QDialog(parent), logbuch_(logbuch), dateiWahl_(dateiWahl),
      journal_(std::make_unique<Journal>()) {
    setObjectName(QStringLiteral("frmAuswertung"));
    FokusVonAnfangAnSichtbar(this);
    setWindowTitle(QStringLiteral("Auswertung"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setFont(Arial(9.75));
    HelleSteuerelemente(this);
    setPalette(Farben(palette()));
    setAutoFillBackground(true);

    modell_ = new JournalModell(this);
    summen_ = new SummenModell(this);
    leser_ = new QFutureWatcher<Journal>(this);
    connect(leser_, &QFutureWatcher<Journal>::finished, this, &frmAuswertung::Eingelesen);
    fortschrittUhr_ = new QTimer(this);
    fortschrittUhr_->setInterval(FortschrittTaktMs);
    connect(fortschrittUhr_, &QTimer::timeout, this, &frmAuswertung::ZeigeFortschritt);

    auto* spalte = new QVBoxLayout(this);
    BaueFilter();
    BaueTabelle();
    BaueZustand();
    BaueSummen();
    BaueKnoepfe();
    SetzeTabFolge();
    spalte->setStretch(1, 3);
    spalte->setStretch(4, 2);

    setMinimumSize(MindestGroesse);
    resize(Groesse);
    Lies(LogbuecherImOrdner(logbuch_.Pfad()));
    cboMonat_->setFocus();
}

frmAuswertung::~frmAuswertung() {
    abbrechen_ = true;
    if (liest_) {
        leser_->waitForFinished();
    }
}

void frmAuswertung::BaueFilter() {
    QFrame* rahmen = Rahmen(nullptr, {}, QStringLiteral("Rahmen(0)"));
    auto* zeile = new QHBoxLayout(rahmen);

    cboMonat_ = new QComboBox;
    cboMonat_->setObjectName(QStringLiteral("cboMonat"));
    cboMonat_->setAccessibleName(QStringLiteral("Monat"));
    cboMonat_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cboMonat_->addItem(QStringLiteral("Alle Monate"));
    cboZone_ = new QComboBox;
    cboZone_->setObjectName(QStringLiteral("cboZone"));
    cboZone_->setAccessibleName(QStringLiteral("Zone"));
    cboZone_->addItem(QStringLiteral("Alle Zonen"), 0);
    for (int zone : AlleZonen) {
        cboZone_->addItem(AlsQString(ZonenName[zone]), zone);
    }
    txtSuche_ = new QLineEdit;
    txtSuche_->setObjectName(QStringLiteral("txtSuche"));
    txtSuche_->setAccessibleName(QStringLiteral("Suche"));
    txtSuche_->setAccessibleDescription(
        QStringLiteral("Zeigt nur Anrufe, deren Telefonnummer oder Kommentar den Text enthält"));
    txtSuche_->setPlaceholderText(QStringLiteral("Telefonnummer oder Kommentar"));
    txtSuche_->setClearButtonEnabled(true);
    cmdDateien_ = Knopf("cmdDateien", QStringLiteral("&Dateien…"));

    zeile->addWidget(Kopf(QStringLiteral("&Monat:"), cboMonat_));
    zeile->addWidget(cboMonat_);
    zeile->addSpacing(12);
    zeile->addWidget(Kopf(QStringLiteral("Zo&ne:"), cboZone_));
    zeile->addWidget(cboZone_);
    zeile->addSpacing(12);
    zeile->addWidget(Kopf(QStringLiteral("&Suche:"), txtSuche_));
    zeile->addWidget(txtSuche_, 1);
    zeile->addSpacing(12);
    zeile->addWidget(cmdDateien_);
    static_cast<QVBoxLayout*>(layout())->addWidget(rahmen);

    connect(cboMonat_, &QComboBox::currentIndexChanged, this, &frmAuswertung::FilterGeaendert);
    connect(cboZone_, &QComboBox::currentIndexChanged, this, &frmAuswertung::FilterGeaendert);
    connect(txtSuche_, &QLineEdit::textChanged, this, &frmAuswertung::FilterGeaendert);
    connect(cmdDateien_, &QPushButton::clicked, this, &frmAuswertung::DateienWaehlen);
}

void frmAuswertung::BaueTabelle() {
    tblAnrufe_ = Tabelle("tblAnrufe", QStringLiteral("Anrufe"));
    tblAnrufe_->setModel(modell_);
    QHeaderView* koepfe = tblAnrufe_->horizontalHeader();
    // The order of the files until the user sorts by a column.
    koepfe->setSortIndicator(-1, Qt::AscendingOrder);
    tblAnrufe_->setSortingEnabled(true);
    koepfe->setStretchLastSection(true);
    const QFontMetrics masse = tblAnrufe_->fontMetrics();
    const char* muster[SpaltenAnzahl] = {"00.00.0000",  "00:00:00",         "00.00.0000 00:00:00",
                                         "000:00:00,0", "0000 00000000000", "Region 200",
                                         "Einheiten",   "0000,00",          ""};
    for (int spalte = 0; spalte + 1 < SpaltenAnzahl; ++spalte) {
        const QString kopf = QString::fromUtf8(SpaltenName[static_cast<std::size_t>(spalte)]);
        const int breite = std::max(masse.horizontalAdvance(QLatin1String(muster[spalte])),
                                    masse.horizontalAdvance(kopf) + 14);
        tblAnrufe_->setColumnWidth(spalte, breite + 16);
    }
    static_cast<QVBoxLayout*>(layout())->addWidget(tblAnrufe_);
}

void frmAuswertung::BaueZustand() {
    auto* zeile = new QHBoxLayout;
    lblAnzahl_ = new QLabel;
    lblAnzahl_->setObjectName(QStringLiteral("lblAnzahl"));
    prgLesen_ = new QProgressBar;
    prgLesen_->setObjectName(QStringLiteral("prgLesen"));
    prgLesen_->setAccessibleName(QStringLiteral("Fortschritt beim Lesen der Logbücher"));
    prgLesen_->setRange(0, 1000);
    prgLesen_->setTextVisible(false);
    prgLesen_->hide();
    lblUnlesbar_ = new QLabel;
    lblUnlesbar_->setObjectName(QStringLiteral("lblUnlesbar"));
    SetzeTextFarbe(lblUnlesbar_, Dunkelrot);
    cmdUnlesbar_ = Knopf("cmdUnlesbar", QStringLiteral("Zeilen &anzeigen…"));
    lblUnlesbar_->hide();
    cmdUnlesbar_->hide();
    cmdUnlesbar_->setAccessibleDescription(
        QStringLiteral("Zeigt Datei und Zeilennummer der Zeilen, die nicht lesbar sind"));
    zeile->addWidget(lblAnzahl_);
    zeile->addWidget(prgLesen_, 1);
    zeile->addStretch();
    zeile->addWidget(lblUnlesbar_);
    zeile->addWidget(cmdUnlesbar_);
    auto* spalte = static_cast<QVBoxLayout*>(layout());
    spalte->addLayout(zeile);

    lblMeldung_ = new QLabel;
    lblMeldung_->setObjectName(QStringLiteral("lblMeldung"));
    lblMeldung_->setWordWrap(true);
    lblMeldung_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SetzeTextFarbe(lblMeldung_, Dunkelrot);
    lblMeldung_->hide();
    spalte->addWidget(lblMeldung_);
    connect(cmdUnlesbar_, &QPushButton::clicked, this, &frmAuswertung::UnlesbareZeigen);
}

void frmAuswertung::BaueSummen() {
    auto* zeile = new QHBoxLayout;
    tblSummen_ = Tabelle("tblSummen", QStringLiteral("Summen je Monat und Zone"));
    tblSummen_->setModel(summen_);
    QHeaderView* summenKoepfe = tblSummen_->horizontalHeader();
    summenKoepfe->setSectionResizeMode(QHeaderView::ResizeToContents);
    summenKoepfe->setSectionResizeMode(SummenModell::SpaltenAnzahl - 1, QHeaderView::Stretch);
    tblSummen_->setMinimumWidth(400);
    auto* linksKopf = new QVBoxLayout;
    linksKopf->addWidget(Kopf(QStringLiteral("S&ummen je Monat und Zone:"), tblSummen_));
    linksKopf->addWidget(tblSummen_);
    zeile->addLayout(linksKopf, 2);

    chart_ = new QChart;
    chart_->setTheme(QChart::ChartThemeLight);
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundBrush(Qt::white);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->setTitleFont(Arial(9.75, true));
    chart_->setTitleBrush(Qt::black);
    chart_->setTitle(QStringLiteral("Gebühren je Monat (DM)"));
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->legend()->setFont(Arial(8.25));
    chart_->legend()->setLabelColor(Qt::black);
    chart_->setLocalizeNumbers(true);
    chtMonate_ = new QChartView(chart_);
    chtMonate_->setObjectName(QStringLiteral("chtMonate"));
    chtMonate_->setAccessibleName(QStringLiteral("Grafik der Gebühren je Monat und Zone"));
    chtMonate_->setAccessibleDescription(
        QStringLiteral("Dieselben Zahlen stehen in der Tabelle der Summen"));
    chtMonate_->setFocusPolicy(Qt::NoFocus); // a picture: no Tab stop
    chtMonate_->setRenderHint(QPainter::Antialiasing, true);
    chtMonate_->setMinimumHeight(200);
    zeile->addWidget(chtMonate_, 3);
    static_cast<QVBoxLayout*>(layout())->addLayout(zeile);
}

void frmAuswertung::BaueKnoepfe() {
    auto* zeile = new QHBoxLayout;
    lblHinweis_ = new QLabel;
    lblHinweis_->setObjectName(QStringLiteral("lblHinweis"));
    cmdExportieren_ = Knopf("cmdExportieren", QStringLiteral("&Exportieren…"));
    cmdExportieren_->setAccessibleDescription(
        QStringLiteral("Schreibt die angezeigten Anrufe als CSV-Datei"));
    cmdZurueck_ = Knopf("cmdZurueck", QStringLiteral("&zurück"));
    zeile->addWidget(lblHinweis_, 1);
    zeile->addWidget(cmdExportieren_);
    zeile->addWidget(cmdZurueck_);
    static_cast<QVBoxLayout*>(layout())->addLayout(zeile);
    connect(cmdExportieren_, &QPushButton::clicked, this, &frmAuswertung::Exportieren);
    connect(cmdZurueck_, &QPushButton::clicked, this, &QDialog::accept);
}

void frmAuswertung::SetzeTabFolge() {
    QWidget* const folge[] = {cboMonat_,    cboZone_,   txtSuche_,       cmdDateien_, tblAnrufe_,
                              cmdUnlesbar_, tblSummen_, cmdExportieren_, cmdZurueck_};
    for (std::size_t i = 0; i + 1 < std::size(folge); ++i) {
        setTabOrder(folge[i], folge[i + 1]);
    }
}

bool frmAuswertung::Liest() const {
    return liest_;
}

void frmAuswertung::Lies(const QStringList& pfade) {
    if (liest_) {
        abbrechen_ = true;
        leser_->waitForFinished();
    }
    liest_ = true;
    abbrechen_ = false;
    gelesen_ = 0;
    gesamt_ = 0;
    pfade_ = pfade;
    cmdDateien_->setEnabled(false);
    cmdExportieren_->setEnabled(false);
    lblAnzahl_->setText(QStringLiteral("Die Logbücher werden gelesen …"));
    lblHinweis_->clear();
    fortschrittTakte_ = 0;
    fortschrittUhr_->start();
    leser_->setFuture(QtConcurrent::run([this, pfade] {
        return LiesJournal(pfade, [this](std::int64_t gelesen, std::int64_t gesamt) {
            gelesen_ = gelesen;
            gesamt_ = gesamt;
            return !abbrechen_;
        });
    }));
}

void frmAuswertung::ZeigeFortschritt() {
    if (++fortschrittTakte_ < FortschrittNachTakten) {
        return;
    }
    const std::int64_t gesamt = gesamt_;
    prgLesen_->setValue(gesamt > 0 ? int(gelesen_ * 1000 / gesamt) : 0);
    prgLesen_->show();
}

void frmAuswertung::Eingelesen() {
    fortschrittUhr_->stop();
    prgLesen_->hide();
    if (abbrechen_) {
        return; // the window is closing
    }
    liest_ = false;
    Journal journal = leser_->future().takeResult();
    modell_->SetzeDaten(std::move(journal.daten));
    *journal_ = std::move(journal);
    FuelleMonate();
    ZeigeAuswahl();
    ZeigeMeldungen();
    cmdDateien_->setEnabled(true);
    Q_EMIT Gelesen();
}

// The months of the calls read; a month chosen before stays chosen while it has calls.
void frmAuswertung::FuelleMonate() {
    const QVariant vorher = cboMonat_->currentData();
    const QSignalBlocker stumm(cboMonat_);
    cboMonat_->clear();
    cboMonat_->addItem(QStringLiteral("Alle Monate"));
    for (const auto& [jahr, monat] : MonateIn(modell_->Daten())) {
        cboMonat_->addItem(MonatsText({jahr, monat}), jahr * 100 + monat);
    }
    const int index = vorher.isValid() ? cboMonat_->findData(vorher) : 0;
    cboMonat_->setCurrentIndex(std::max(index, 0));
    JournalFilter filter = modell_->Filter();
    if (index <= 0) {
        filter.monat.reset();
    }
    modell_->SetzeFilter(filter);
}

void frmAuswertung::FilterGeaendert() {
    JournalFilter filter;
    const QVariant monat = cboMonat_->currentData();
    if (monat.isValid()) {
        filter.monat = std::pair{monat.toInt() / 100, monat.toInt() % 100};
    }
    filter.zone = cboZone_->currentData().toInt();
    filter.suche = txtSuche_->text().toStdString();
    modell_->SetzeFilter(filter);
    ZeigeAuswahl();
}

// Counts, sums and chart of what the filters show.
void frmAuswertung::ZeigeAuswahl() {
    const std::int64_t alle = std::int64_t(modell_->Daten().Anzahl());
    const std::int64_t gezeigt = std::int64_t(modell_->Zeilen().size());
    const std::int64_t dateien = std::count_if(
        journal_->dateien.begin(), journal_->dateien.end(),
        [](const DateiBericht& d) { return d.stand != DateiBericht::Stand::NichtLesbar; });
    if (gezeigt == alle) {
        lblAnzahl_->setText(Mehrzahl(alle, "Anruf", "Anrufe") + QStringLiteral(" aus ") +
                            Mehrzahl(dateien, "Datei", "Dateien"));
    } else {
        lblAnzahl_->setText(GanzzahlText(gezeigt, QLocale()) + QStringLiteral(" von ") +
                            Mehrzahl(alle, "Anruf", "Anrufen"));
    }
    summen_->SetzeSummen(SummenVon(modell_->Daten(), modell_->Zeilen()));
    cmdExportieren_->setEnabled(!Liest());
    ZeigeGrafik();
}

void frmAuswertung::ZeigeGrafik() {
    chart_->removeAllSeries();
    for (QAbstractAxis* achse : chart_->axes()) {
        chart_->removeAxis(achse);
        delete achse;
    }
    // The months with calls that the filters show, each a stack of its zones' costs.
    QStringList monate;
    for (const SummenZeile& zeile : summen_->Zeilen()) {
        if (!zeile.IstGesamt()) {
            const QString monat = MonatsText(*zeile.monat);
            if (monate.isEmpty() || monate.back() != monat) {
                monate << monat;
            }
        }
    }
    if (monate.isEmpty()) {
        return;
    }
    auto* reihe = new QStackedBarSeries;
    ZonenArray<QBarSet*> saetze{nullptr};
    for (int zone : AlleZonen) {
        saetze[zone] = new QBarSet(AlsQString(ZonenName[zone]));
        for (qsizetype i = 0; i < monate.size(); ++i) {
            saetze[zone]->append(0.0);
        }
        reihe->append(saetze[zone]);
    }
    double hoechste = 0.0;
    std::vector<double> stapel(static_cast<std::size_t>(monate.size()), 0.0);
    for (const SummenZeile& zeile : summen_->Zeilen()) {
        if (zeile.IstGesamt()) {
            continue;
        }
        const auto i = monate.indexOf(MonatsText(*zeile.monat));
        const double dm = double(zeile.summe.kostenPfennig) / 100.0;
        saetze[zeile.zone]->replace(i, dm);
        stapel[static_cast<std::size_t>(i)] += dm;
        hoechste = std::max(hoechste, stapel[static_cast<std::size_t>(i)]);
    }
    chart_->addSeries(reihe); // the theme colours the bars; the zone colours come after
    for (int zone : AlleZonen) {
        saetze[zone]->setColor(ZonenFarbe(zone));
        saetze[zone]->setBorderColor(Qt::black);
        saetze[zone]->setLabelColor(Qt::black);
    }
    auto* monatsAchse = new QBarCategoryAxis;
    if (monate.size() > 6) {
        // Many months stand upright in their short form, so that each keeps its name.
        QStringList kurz;
        for (const QString& monat : monate) {
            kurz << monat.left(3) + monat.right(2);
        }
        monatsAchse->append(kurz);
        monatsAchse->setLabelsAngle(-90);
    } else {
        monatsAchse->append(monate);
    }
    monatsAchse->setLabelsFont(Arial(8.25));
    monatsAchse->setLabelsBrush(Qt::black);
    monatsAchse->setGridLineVisible(false);
    chart_->addAxis(monatsAchse, Qt::AlignBottom);
    reihe->attachAxis(monatsAchse);
    auto* dmAchse = new QValueAxis;
    dmAchse->setRange(0.0, hoechste > 0.0 ? hoechste : 1.0);
    dmAchse->applyNiceNumbers();
    dmAchse->setLabelFormat(QStringLiteral("%.2f"));
    dmAchse->setLabelsFont(Arial(8.25));
    dmAchse->setLabelsBrush(Qt::black);
    chart_->addAxis(dmAchse, Qt::AlignLeft);
    reihe->attachAxis(dmAchse);
}

void frmAuswertung::ZeigeMeldungen() {
    QStringList meldungen;
    bool ausgelassen = false;
    for (const DateiBericht& bericht : journal_->dateien) {
        const QString meldung = Meldung(bericht);
        if (!meldung.isEmpty()) {
            meldungen << meldung;
        }
        ausgelassen = ausgelassen || bericht.stand == DateiBericht::Stand::NichtLesbar;
    }
    if (ausgelassen) {
        meldungen << QStringLiteral("Die Summen enthalten keinen Anruf der Dateien, die nicht "
                                    "gelesen werden können.");
    }
    if (pfade_.isEmpty()) {
        meldungen << QStringLiteral("Im Ordner \"%1\" liegt noch kein Logbuch. \"Dateien…\" wählt "
                                    "Logbücher an anderer Stelle.")
                         .arg(QDir::toNativeSeparators(QFileInfo(logbuch_.Pfad()).absolutePath()));
    }
    if (summen_->ZuGross()) {
        meldungen << QStringLiteral("Die Summen übersteigen den Zahlenbereich und werden nicht "
                                    "gezeigt.");
    }
    lblMeldung_->setText(meldungen.join(QLatin1Char('\n')));
    lblMeldung_->setVisible(!meldungen.isEmpty());

    const std::int64_t unlesbar = journal_->fehlerAnzahl;
    lblUnlesbar_->setText(unlesbar == 0 ? QString()
                                        : Mehrzahl(unlesbar, "Zeile", "Zeilen") +
                                              QStringLiteral(" nicht lesbar"));
    lblUnlesbar_->setVisible(unlesbar > 0);
    cmdUnlesbar_->setVisible(unlesbar > 0);
}

void frmAuswertung::DateienWaehlen() {
    const QString ordner = QFileInfo(logbuch_.Pfad()).absolutePath();
    const std::optional<QStringList> gewaehlt = dateiWahl_.chooseFiles(
        this, QStringLiteral("Logbücher für die Auswertung wählen"), ordner,
        {QStringLiteral("Reportdateien (*.Rep)"), QStringLiteral("Textdateien (*.txt)"),
         QStringLiteral("Alle Dateien (*)")});
    if (gewaehlt) {
        Lies(*gewaehlt);
    }
}

void frmAuswertung::UnlesbareZeigen() {
    QStringList zeilen;
    for (const JournalFehler& fehler : journal_->fehler) {
        zeilen << QStringLiteral("%1, Zeile %2: %3")
                      .arg(QFileInfo(journal_->dateien[fehler.datei].pfad).fileName())
                      .arg(fehler.zeile)
                      .arg(AlsQString(fehler.grund));
    }
    const std::int64_t weitere = journal_->fehlerAnzahl - std::int64_t(journal_->fehler.size());
    if (weitere > 0) {
        zeilen << QStringLiteral("… und %1 weitere").arg(weitere);
    }
    QMessageBox box(QMessageBox::Information, windowTitle(), lblUnlesbar_->text() + ':',
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("msgUnlesbar"));
    box.setInformativeText(zeilen.join(QLatin1Char('\n')));
    box.exec();
}

// A log is never written to: neither one read here nor the current one, nor any file named as
// the program names its logs.
bool frmAuswertung::IstLogbuch(const QString& pfad) const {
    const QFileInfo ziel(pfad);
    if (LogbuchMonat(ziel.fileName())) {
        return true;
    }
    struct stat zielInfo {};
    const bool gibtEs = ::stat(QFile::encodeName(pfad).constData(), &zielInfo) == 0;
    QStringList logbuecher = pfade_;
    logbuecher << logbuch_.Pfad();
    for (const QString& logbuch : logbuecher) {
        struct stat info {};
        if (gibtEs && ::stat(QFile::encodeName(logbuch).constData(), &info) == 0 &&
            info.st_dev == zielInfo.st_dev && info.st_ino == zielInfo.st_ino) {
            return true;
        }
        if (QFileInfo(logbuch).absoluteFilePath() == ziel.absoluteFilePath()) {
            return true;
        }
    }
    return false;
}

void frmAuswertung::Exportieren() {
    const QString ordner = QFileInfo(logbuch_.Pfad()).absolutePath();
    const std::optional<QString> ziel = dateiWahl_.chooseTarget(
        this, QStringLiteral("Auswertung exportieren"),
        QDir(ordner).filePath(QStringLiteral("Auswertung.csv")),
        {QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("Alle Dateien (*)")});
    if (!ziel) {
        return;
    }
    const QString datei = QDir::toNativeSeparators(*ziel);
    if (IstLogbuch(*ziel)) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("\"%1\" ist ein Logbuch. Die Auswertung überschreibt "
                                            "kein Logbuch; bitte eine andere Datei wählen.")
                                 .arg(datei));
        return;
    }
    // Written beside the target and put in its place whole, so a failed export leaves an
    // earlier file of that name as it was.
    QSaveFile ausgabe(*ziel);
    errno = 0;
    bool geschrieben = ausgabe.open(QIODevice::WriteOnly);
    if (geschrieben) {
        geschrieben = SchreibeCsv(modell_->Daten(), modell_->Zeilen(), [&](std::string_view teil) {
            return ausgabe.write(teil.data(), qint64(teil.size())) == qint64(teil.size());
        });
        geschrieben = geschrieben && ausgabe.commit();
    }
    const int fehlernummer = errno;
    if (!geschrieben) {
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("Die Auswertung kann nicht nach \"%1\" geschrieben werden: %2.")
                .arg(datei, fehlernummer != 0 ? SystemGrund(fehlernummer) : ausgabe.errorString()));
        return;
    }
    lblHinweis_->setText(
        Mehrzahl(std::int64_t(modell_->Zeilen().size()), "Anruf", "Anrufe") +
        QStringLiteral(" nach \"%1\" exportiert.").arg(QFileInfo(*ziel).fileName()));
}

} // namespace tarvis
