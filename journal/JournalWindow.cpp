#include "journal/JournalWindow.h"

#include "calllog/Logbuch.h"
#include "gui/Accessibility.h"
#include "gui/WindowStyle.h"
#include "journal/JournalCsv.h"
#include "journal/JournalModel.h"
#include "journal/JournalRead.h"
#include "platform/FileDialog.h"
#include "platform/QtText.h"
#include "platform/SystemReason.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QShortcut>
#include <QStackedBarSeries>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QToolTip>
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
// Typing in the search box is filtered once the typing pauses this long, so that a search
// through a million calls runs once per word rather than once per key.
constexpr int TippPauseMs = 250;

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

QString BalkenText(const QString& monat, int zone, std::int64_t pfennig, const QLocale& locale) {
    return QStringLiteral("%1, %2: %3 DM")
        .arg(monat, AlsQString(ZonenName[zone]),
             Gruppiert(ZahlText(BetragText(pfennig, FesterTrenner), locale), locale));
}

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
    filter_ = new QFutureWatcher<FilterErgebnis>(this);
    connect(filter_, &QFutureWatcher<FilterErgebnis>::finished, this, &frmAuswertung::FilterFertig);
    tippPause_ = new QTimer(this);
    tippPause_->setSingleShot(true);
    tippPause_->setInterval(TippPauseMs);
    connect(tippPause_, &QTimer::timeout, this, &frmAuswertung::Filtere);
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
    // A reading taken by Eingelesen leaves its future invalid, and waiting on that would never
    // end while the sums are still being made.
    if (leser_->isRunning()) {
        leser_->waitForFinished();
    }
    if (filter_->isRunning()) {
        filter_->waitForFinished();
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
    cmdOrdner_ = Knopf("cmdOrdner", QStringLiteral("Logbücher des &Ordners"));
    cmdOrdner_->setAccessibleDescription(
        QStringLiteral("Zeigt wieder die Logbücher neben dem aktuellen Logbuch"));
    cmdOrdner_->hide();

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
    zeile->addWidget(cmdOrdner_);
    static_cast<QVBoxLayout*>(layout())->addWidget(rahmen);

    connect(cboMonat_, &QComboBox::currentIndexChanged, this, &frmAuswertung::FilterGeaendert);
    connect(cboZone_, &QComboBox::currentIndexChanged, this, &frmAuswertung::FilterGeaendert);
    connect(txtSuche_, &QLineEdit::textChanged, tippPause_, qOverload<>(&QTimer::start));
    connect(cmdDateien_, &QPushButton::clicked, this, &frmAuswertung::DateienWaehlen);
    connect(cmdOrdner_, &QPushButton::clicked, this, &frmAuswertung::OrdnerLesen);
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

    // Sorting from the keyboard: Ctrl+S sorts by the column of the current cell (again: the
    // other way round), the context menu key offers both orders and the order of the files.
    tblAnrufe_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tblAnrufe_, &QWidget::customContextMenuRequested, this, &frmAuswertung::SortierMenue);
    auto* sortieren = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), tblAnrufe_);
    sortieren->setContext(Qt::WidgetShortcut);
    connect(sortieren, &QShortcut::activated, this, [this] {
        const int spalte = std::max(tblAnrufe_->currentIndex().column(), 0);
        const QHeaderView* koepfe = tblAnrufe_->horizontalHeader();
        const bool wieder = koepfe->sortIndicatorSection() == spalte &&
                            koepfe->sortIndicatorOrder() == Qt::AscendingOrder;
        SortiereSpalte(spalte, wieder ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
}

void frmAuswertung::SortiereSpalte(int spalte, Qt::SortOrder ordnung) {
    // The header shows the order and tells the model, as a click on it does.
    tblAnrufe_->horizontalHeader()->setSortIndicator(spalte, ordnung);
}

void frmAuswertung::SortierMenue(const QPoint& wo) {
    const int spalte = std::max(tblAnrufe_->currentIndex().column(), 0);
    const QString name = QString::fromUtf8(SpaltenName[static_cast<std::size_t>(spalte)]);
    QMenu menue(this);
    menue.setObjectName(QStringLiteral("mnuSortieren"));
    menue.setAccessibleName(QStringLiteral("Sortieren"));
    menue.addAction(QStringLiteral("&Aufsteigend nach „%1“ sortieren").arg(name), this,
                    [this, spalte] { SortiereSpalte(spalte, Qt::AscendingOrder); });
    menue.addAction(QStringLiteral("A&bsteigend nach „%1“ sortieren").arg(name), this,
                    [this, spalte] { SortiereSpalte(spalte, Qt::DescendingOrder); });
    menue.addAction(QStringLiteral("In der &Reihenfolge der Dateien"), this,
                    [this] { SortiereSpalte(-1, Qt::AscendingOrder); });
    menue.exec(tblAnrufe_->viewport()->mapToGlobal(wo));
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
    // The texts and figures as wide as they are, the cost filling the rest: per month and zone
    // and per number alike.
    auto breiten = [this] {
        QHeaderView* koepfe = tblSummen_->horizontalHeader();
        koepfe->setSectionResizeMode(QHeaderView::ResizeToContents);
        koepfe->setSectionResizeMode(summen_->columnCount() - 1, QHeaderView::Stretch);
    };
    breiten();
    connect(summen_, &QAbstractItemModel::modelReset, this, breiten);
    summenKoepfe->setSortIndicator(-1, Qt::AscendingOrder);
    tblSummen_->setSortingEnabled(true);
    tblSummen_->setMinimumWidth(400);
    cboGruppe_ = new QComboBox;
    cboGruppe_->setObjectName(QStringLiteral("cboGruppe"));
    cboGruppe_->setAccessibleName(QStringLiteral("Summen je"));
    cboGruppe_->addItem(QStringLiteral("Monat und Zone"));
    cboGruppe_->addItem(QStringLiteral("Telefonnummer"));
    cmdSummenExport_ = Knopf("cmdSummenExport", QStringLiteral("Summen expor&tieren…"));
    cmdSummenExport_->setAccessibleDescription(
        QStringLiteral("Schreibt die angezeigten Summen als CSV-Datei"));
    auto* kopfZeile = new QHBoxLayout;
    kopfZeile->addWidget(Kopf(QStringLiteral("S&ummen"), tblSummen_));
    kopfZeile->addStretch();
    kopfZeile->addWidget(Kopf(QStringLiteral("&je"), cboGruppe_));
    kopfZeile->addWidget(cboGruppe_);
    auto* linksKopf = new QVBoxLayout;
    linksKopf->addLayout(kopfZeile);
    linksKopf->addWidget(tblSummen_);
    zeile->addLayout(linksKopf, 2);
    connect(cboGruppe_, &QComboBox::currentIndexChanged, this, &frmAuswertung::GruppeGeaendert);
    connect(cmdSummenExport_, &QPushButton::clicked, this, &frmAuswertung::SummenExportieren);

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
    zeile->addWidget(cmdSummenExport_);
    zeile->addWidget(cmdExportieren_);
    zeile->addWidget(cmdZurueck_);
    static_cast<QVBoxLayout*>(layout())->addLayout(zeile);
    connect(cmdExportieren_, &QPushButton::clicked, this, &frmAuswertung::Exportieren);
    connect(cmdZurueck_, &QPushButton::clicked, this, &QDialog::accept);
}

void frmAuswertung::SetzeTabFolge() {
    QWidget* const folge[] = {cboMonat_,  cboZone_,         txtSuche_,       cmdDateien_,
                              cmdOrdner_, tblAnrufe_,       cmdUnlesbar_,    cboGruppe_,
                              tblSummen_, cmdSummenExport_, cmdExportieren_, cmdZurueck_};
    for (std::size_t i = 0; i + 1 < std::size(folge); ++i) {
        setTabOrder(folge[i], folge[i + 1]);
    }
}

bool frmAuswertung::Liest() const {
    return liest_;
}

void frmAuswertung::Lies(const QStringList& pfade) {
    if (leser_->isRunning()) {
        abbrechen_ = true;
        leser_->waitForFinished();
    }
    liest_ = true;
    abbrechen_ = false;
    gelesen_ = 0;
    gesamt_ = 0;
    pfade_ = pfade;
    cmdDateien_->setEnabled(false);
    cmdOrdner_->setEnabled(false);
    cmdExportieren_->setEnabled(false);
    cmdSummenExport_->setEnabled(false);
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
    Journal journal = leser_->future().takeResult();
    modell_->SetzeDaten(std::move(journal.daten));
    *journal_ = std::move(journal);
    FuelleMonate();
    // The sums of a million calls are made on the worker thread too; the reading is done when
    // they are shown.
    gelesenMelden_ = true;
    tippPause_->stop();
    Filtere();
}

void frmAuswertung::LesenFertig() {
    gelesenMelden_ = false;
    liest_ = false;
    ZeigeMeldungen();
    cmdDateien_->setEnabled(true);
    cmdOrdner_->setEnabled(true);
    cmdExportieren_->setEnabled(true);
    cmdSummenExport_->setEnabled(true);
    // The way back to the folder's own logs once others are shown.
    cmdOrdner_->setVisible(pfade_ != LogbuecherImOrdner(logbuch_.Pfad()));
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
}

void frmAuswertung::FilterGeaendert() {
    tippPause_->stop();
    Filtere();
}

bool frmAuswertung::Filtert() const {
    return tippPause_->isActive() || filter_->isRunning() || filterWartet_;
}

// The filters are worked out on a worker thread, so that neither the typing nor the main
// window's clock waits for a search through a million calls. One run at a time: a change
// meanwhile is filtered when that run is done.
void frmAuswertung::Filtere() {
    if (filter_->isRunning()) {
        filterWartet_ = true;
        return;
    }
    filterWartet_ = false;
    JournalFilter filter;
    const QVariant monat = cboMonat_->currentData();
    if (monat.isValid()) {
        filter.monat = std::pair{monat.toInt() / 100, monat.toInt() % 100};
    }
    filter.zone = cboZone_->currentData().toInt();
    filter.suche = txtSuche_->text().toStdString();
    FilterAuftrag auftrag = modell_->Auftrag(filter);
    auftrag.jeTelefon = summen_->Gruppierung() == SummenModell::Gruppe::Telefon;
    filter_->setFuture(QtConcurrent::run(FuehreAus, std::move(auftrag)));
}

void frmAuswertung::FilterFertig() {
    FilterErgebnis ergebnis = filter_->future().takeResult();
    const LogSummen summen = ergebnis.summen;
    std::optional<TelefonSummen> telefon = std::move(ergebnis.telefon);
    if (!modell_->Uebernimm(std::move(ergebnis))) {
        // The calls or their order changed meanwhile: worked out again from them.
        filterWartet_ = true;
    } else {
        ZeigeAuswahl(summen, std::move(telefon));
    }
    if (filterWartet_) {
        Filtere();
        return;
    }
    if (gelesenMelden_) {
        LesenFertig();
    }
    Q_EMIT Gefiltert();
}

// Counts, sums and chart of what the filters show.
void frmAuswertung::ZeigeAuswahl(const LogSummen& summen, std::optional<TelefonSummen> telefon) {
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
    summen_->SetzeSummen(summen, std::move(telefon));
    cmdExportieren_->setEnabled(!Liest());
    cmdSummenExport_->setEnabled(!Liest());
    ZeigeGrafik();
}

void frmAuswertung::GruppeGeaendert() {
    const bool jeTelefon = cboGruppe_->currentIndex() == 1;
    summen_->SetzeGruppe(jeTelefon ? SummenModell::Gruppe::Telefon
                                   : SummenModell::Gruppe::MonatUndZone);
    tblSummen_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tblSummen_->setAccessibleName(jeTelefon ? QStringLiteral("Summen je Telefonnummer")
                                            : QStringLiteral("Summen je Monat und Zone"));
    ZeigeMeldungen();
    if (jeTelefon) {
        // The sums per number are made only while they are shown: on the worker thread.
        tippPause_->stop();
        Filtere();
    }
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
        // A bar tells its month, zone and amount when the mouse rests on it.
        connect(saetze[zone], &QBarSet::hovered, chtMonate_,
                [this, monate, zone, satz = saetze[zone]](bool darueber, int i) {
                    if (!darueber || i < 0 || i >= monate.size()) {
                        QToolTip::hideText();
                        return;
                    }
                    const auto pfennig = std::llround(satz->at(i) * 100.0);
                    QToolTip::showText(QCursor::pos(),
                                       BalkenText(monate[i], zone, pfennig, QLocale()), chtMonate_);
                });
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
    // Whole DM: the Pfennig are in the table and in each bar's tooltip.
    dmAchse->setLabelFormat(QStringLiteral("%.0f"));
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
    // Every file is offered at first: a log saved under a name of the user's own (the save
    // dialog allows any) is then never hidden by the type of file chosen.
    const std::optional<QStringList> gewaehlt = dateiWahl_.chooseFiles(
        this, QStringLiteral("Logbücher für die Auswertung wählen"), ordner,
        {QStringLiteral("Alle Dateien (*)"), QStringLiteral("Reportdateien (*.Rep)"),
         QStringLiteral("Textdateien (*.txt)")});
    if (gewaehlt) {
        Lies(*gewaehlt);
    }
}

void frmAuswertung::OrdnerLesen() {
    Lies(LogbuecherImOrdner(logbuch_.Pfad()));
}

void frmAuswertung::UnlesbareZeigen() {
    QStringList zeilen;
    for (const JournalFehler& fehler : journal_->fehler) {
        zeilen << QStringLiteral("%1, Zeile %2: %3")
                      .arg(QDir::toNativeSeparators(journal_->dateien[fehler.datei].pfad))
                      .arg(fehler.zeile)
                      .arg(AlsQString(fehler.grund));
    }
    const std::int64_t weitere = journal_->fehlerAnzahl - std::int64_t(journal_->fehler.size());
    if (weitere > 0) {
        zeilen << QStringLiteral("… und %1 weitere").arg(QLocale().toString(qlonglong(weitere)));
    }
    // However many lines, the list scrolls inside a window that fits the screen and can be
    // made larger; its text can be selected and copied.
    QDialog fenster(this);
    fenster.setObjectName(QStringLiteral("dlgUnlesbar"));
    fenster.setWindowTitle(lblUnlesbar_->text());
    fenster.setSizeGripEnabled(true);
    auto* spalte = new QVBoxLayout(&fenster);
    auto* liste = new QPlainTextEdit;
    liste->setObjectName(QStringLiteral("txtUnlesbar"));
    liste->setAccessibleName(QStringLiteral("Nicht lesbare Zeilen"));
    liste->setReadOnly(true);
    liste->setLineWrapMode(QPlainTextEdit::NoWrap);
    liste->setPlainText(zeilen.join(QLatin1Char('\n')));
    liste->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(knoepfe, &QDialogButtonBox::accepted, &fenster, &QDialog::accept);
    spalte->addWidget(Kopf(QStringLiteral("&Datei und Zeile jeder nicht lesbaren Zeile:"), liste));
    spalte->addWidget(liste);
    spalte->addWidget(knoepfe);
    const QRect platz = screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, 800, 600);
    fenster.resize(std::min(720, platz.width() * 9 / 10), std::min(420, platz.height() * 8 / 10));
    liste->setFocus();
    fenster.exec();
}

// A log is never written to: neither one read here nor the current one, nor any file that is,
// or leads to, a file named as the program names its logs or starting with a log's heading.
bool frmAuswertung::IstLogbuch(const QString& pfad) const {
    if (IstLogbuchDatei(pfad)) {
        return true;
    }
    struct stat zielInfo {};
    const bool gibtEs = ::stat(QFile::encodeName(pfad).constData(), &zielInfo) == 0;
    const QFileInfo ziel(pfad);
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

std::optional<QString> frmAuswertung::ExportZiel(const QString& titel, const QString& vorschlag) {
    const QString ordner = QFileInfo(logbuch_.Pfad()).absolutePath();
    // The dialog asks nothing about a file already there: whether it is a log is looked at
    // first, and only a file that may be replaced brings the question.
    const std::optional<QString> ziel = dateiWahl_.chooseFile(
        this, titel, QDir(ordner).filePath(vorschlag),
        {QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("Alle Dateien (*)")});
    if (!ziel) {
        return std::nullopt;
    }
    const QString datei = QDir::toNativeSeparators(*ziel);
    if (IstLogbuch(*ziel)) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("\"%1\" ist ein Logbuch. Die Auswertung überschreibt "
                                            "kein Logbuch; bitte eine andere Datei wählen.")
                                 .arg(datei));
        return std::nullopt;
    }
    const QFileInfo info(*ziel);
    if (info.exists() || info.isSymLink()) {
        QMessageBox frage(QMessageBox::Question, windowTitle(),
                          QStringLiteral("\"%1\" gibt es schon. Überschreiben?").arg(datei),
                          QMessageBox::NoButton, this);
        frage.setObjectName(QStringLiteral("msgUeberschreiben"));
        QPushButton* ja = frage.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* nein = frage.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        // Keeping the file is what Enter or Escape does.
        frage.setDefaultButton(nein);
        frage.setEscapeButton(nein);
        frage.exec();
        if (frage.clickedButton() != ja) {
            return std::nullopt;
        }
    }
    return ziel;
}

bool frmAuswertung::SchreibeExport(
    const QString& ziel,
    const std::function<bool(const std::function<bool(std::string_view)>&)>& schreibe) {
    // Written beside the target and put in its place whole, so a failed export leaves an
    // earlier file of that name as it was.
    QSaveFile ausgabe(ziel);
    errno = 0;
    bool geschrieben = ausgabe.open(QIODevice::WriteOnly);
    if (geschrieben) {
        geschrieben = schreibe([&](std::string_view teil) {
            return ausgabe.write(teil.data(), qint64(teil.size())) == qint64(teil.size());
        });
        geschrieben = geschrieben && ausgabe.commit();
    }
    const int fehlernummer = errno;
    if (!geschrieben) {
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("Die Auswertung kann nicht nach \"%1\" geschrieben werden: %2.")
                .arg(QDir::toNativeSeparators(ziel),
                     fehlernummer != 0 ? SystemGrund(fehlernummer) : ausgabe.errorString()));
    }
    return geschrieben;
}

void frmAuswertung::Exportieren() {
    const std::optional<QString> ziel =
        ExportZiel(QStringLiteral("Auswertung exportieren"), QStringLiteral("Auswertung.csv"));
    if (!ziel) {
        return;
    }
    // The calls in the order of their files, whatever order the table shows: the same bytes as
    // the command line writes of the same logs.
    const std::vector<std::uint32_t> zeilen = modell_->ZeilenInDateiFolge();
    if (!SchreibeExport(
            *ziel, [&](const auto& ziel) { return SchreibeCsv(modell_->Daten(), zeilen, ziel); })) {
        return;
    }
    lblHinweis_->setText(
        Mehrzahl(std::int64_t(zeilen.size()), "Anruf", "Anrufe") +
        QStringLiteral(" nach \"%1\" exportiert.").arg(QFileInfo(*ziel).fileName()));
}

void frmAuswertung::SummenExportieren() {
    const bool jeTelefon = summen_->Gruppierung() == SummenModell::Gruppe::Telefon;
    const std::optional<QString> ziel = ExportZiel(
        QStringLiteral("Summen exportieren"),
        jeTelefon ? QStringLiteral("Summen je Telefonnummer.csv") : QStringLiteral("Summen.csv"));
    if (!ziel) {
        return;
    }
    // The rows as the table shows them, in its order.
    if (!SchreibeExport(*ziel, [&](const auto& ziel) {
            return SchreibeCsvTabelle(summen_->Koepfe(), summen_->Arten(), summen_->Tabelle(),
                                      ziel);
        })) {
        return;
    }
    lblHinweis_->setText(
        QStringLiteral("Summen nach \"%1\" exportiert.").arg(QFileInfo(*ziel).fileName()));
}

} // namespace tarvis
