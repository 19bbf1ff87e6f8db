#include "journal/window/JournalWindow.h"

#include "calllog/LogFile.h"
#include "calllog/LogFormat.h"
#include "gui/Accessibility.h"
#include "gui/WindowStyle.h"
#include "journal/ChartData.h"
#include "journal/FilterRun.h"
#include "journal/JournalCsv.h"
#include "journal/JournalModel.h"
#include "journal/JournalStatus.h"
#include "journal/LogFiles.h"
#include "journal/SortRun.h"
#include "journal/SumsModel.h"
#include "journal/window/CallsTable.h"
#include "journal/window/ExportDialogs.h"
#include "journal/window/FilterBar.h"
#include "journal/window/JournalLook.h"
#include "journal/window/MonthChart.h"
#include "journal/window/SumsTable.h"
#include "journal/window/UnreadableLinesDialog.h"
#include "platform/FileChooser.h"
#include "platform/Memory.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <type_traits>

namespace tarvis {

using namespace style;

namespace {

constexpr QSize Groesse{960, 680};
constexpr QSize MindestGroesse{780, 560};
constexpr int FortschrittTaktMs = 50;
// The progress bar shows only when reading takes longer than a moment.
constexpr int FortschrittNachTakten = 6;

} // namespace

// What the worker hands the window: the reading, and its calls made ready for the table.
struct GelesenesJournal {
    Journal journal; // without its calls
    VorbereiteteDaten daten;
};
// QFuture::takeResult would copy the calls otherwise (see FilterRun.cpp).
static_assert(std::is_nothrow_move_constructible_v<GelesenesJournal>);

frmAuswertung::frmAuswertung(const Logbuchdatei& logbuchdatei, FileChooser& dateiWahl,
                             QWidget* parent)
    : QDialog(parent), logbuchdatei_(logbuchdatei), dateiWahl_(dateiWahl),
      journal_(std::make_unique<Journal>()) {
    RichteGrossesFensterEin(this, QStringLiteral("frmAuswertung"), QStringLiteral("Auswertung"));
    // The journal's calls, orders and sums are the program's only blocks of megabytes, made and
    // dropped on worker threads with each reading, sort and filter.
    GibGrosseBloeckeSofortZurueck();
    setPalette(JournalFarben(palette()));
    setAutoFillBackground(true);

    modell_ = new JournalModell(this);
    summen_ = new SummenModell(this);
    leser_ = new QFutureWatcher<GelesenesJournal>(this);
    connect(leser_, &QFutureWatcher<GelesenesJournal>::finished, this, &frmAuswertung::Eingelesen);
    filter_ =
        new FilterLauf(*modell_,
                       {[this] { return Auftrag(); },
                        [this](const LogSummen& summen, std::optional<TelefonSummen> telefon) {
                            ZeigeAuswahl(summen, std::move(telefon));
                        },
                        [this] { FilterFertig(); }},
                       this);
    new SortLauf(
        *modell_, [this](bool laeuft) { lblSortiert_->setVisible(laeuft); }, this);
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
    Lies(LogDateienImOrdner(logbuchdatei_.Pfad()));
    filterLeiste_->Folge().front()->setFocus();
}

frmAuswertung::~frmAuswertung() {
    fortschritt_.Stoppe();
    // A reading taken by Eingelesen leaves its future invalid, and waiting on that would never
    // end while the sums are still being made.
    if (leser_->isRunning()) {
        leser_->waitForFinished();
    }
}

void frmAuswertung::BaueFilter() {
    filterLeiste_ = new FilterLeiste;
    static_cast<QVBoxLayout*>(layout())->addWidget(filterLeiste_);
    connect(filterLeiste_, &FilterLeiste::Gewaehlt, filter_, &FilterLauf::Jetzt);
    connect(filterLeiste_, &FilterLeiste::Getippt, this, [this] {
        anzahlSagen_ = true;
        filter_->NachTippPause();
    });
    connect(filterLeiste_, &FilterLeiste::DateienWaehlen, this, &frmAuswertung::DateienWaehlen);
    connect(filterLeiste_, &FilterLeiste::OrdnerLesen, this, &frmAuswertung::OrdnerLesen);
}

void frmAuswertung::BaueTabelle() {
    tblGespraeche_ = new GespraechTabelle(modell_);
    static_cast<QVBoxLayout*>(layout())->addWidget(tblGespraeche_);
}

void frmAuswertung::BaueZustand() {
    auto* zeile = new QHBoxLayout;
    lblAnzahl_ = new QLabel;
    lblAnzahl_->setObjectName(QStringLiteral("lblAnzahl"));
    // While a sort works the table shows the order it had, and says so.
    lblSortiert_ = new QLabel(QStringLiteral("Die Anrufe werden sortiert …"));
    lblSortiert_->setObjectName(QStringLiteral("lblSortiert"));
    lblSortiert_->hide();
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
    zeile->addWidget(lblSortiert_);
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
    tblSummen_ = new SummenTabelle(summen_);
    cboGruppe_ = new AuswahlListe;
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

    chtMonate_ = new MonatsGrafik;
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
    std::vector<QWidget*> folge;
    for (QWidget* feld : filterLeiste_->Folge()) {
        folge.push_back(feld);
    }
    folge.insert(folge.end(), {tblGespraeche_, cmdUnlesbar_, cboGruppe_, tblSummen_,
                               cmdSummenExport_, cmdExportieren_, cmdZurueck_});
    for (std::size_t i = 0; i + 1 < folge.size(); ++i) {
        setTabOrder(folge[i], folge[i + 1]);
    }
}

bool frmAuswertung::Liest() const {
    return liest_;
}

void frmAuswertung::Lies(const QStringList& pfade) {
    if (leser_->isRunning()) {
        fortschritt_.Stoppe();
        leser_->waitForFinished();
    }
    liest_ = true;
    fortschritt_.Neu();
    pfade_ = pfade;
    filterLeiste_->DateiwahlFrei(false);
    cmdExportieren_->setEnabled(false);
    cmdSummenExport_->setEnabled(false);
    lblAnzahl_->setText(QStringLiteral("Die Logbücher werden gelesen …"));
    lblHinweis_->clear();
    fortschrittTakte_ = 0;
    fortschrittUhr_->start();
    leser_->setFuture(QtConcurrent::run([this, pfade] {
        GelesenesJournal gelesen{fortschritt_.Lies(pfade), {}};
        gelesen.daten = Vorbereitet(std::move(gelesen.journal.daten));
        return gelesen;
    }));
}

void frmAuswertung::ZeigeFortschritt() {
    if (++fortschrittTakte_ < FortschrittNachTakten) {
        return;
    }
    prgLesen_->setValue(fortschritt_.Promille());
    prgLesen_->show();
}

void frmAuswertung::Eingelesen() {
    fortschrittUhr_->stop();
    prgLesen_->hide();
    if (fortschritt_.Gestoppt()) {
        return; // the window is closing
    }
    GelesenesJournal gelesen = leser_->future().takeResult();
    const std::vector<std::pair<int, int>> monate = std::move(gelesen.daten.monate);
    modell_->SetzeDaten(std::move(gelesen.daten));
    *journal_ = std::move(gelesen.journal);
    filterLeiste_->ZeigeMonate(monate);
    // The sums of a million calls are made on the worker thread too; the reading is done when
    // they are shown.
    gelesenMelden_ = true;
    filter_->Jetzt();
}

void frmAuswertung::LesenFertig() {
    gelesenMelden_ = false;
    liest_ = false;
    ZeigeMeldungen();
    filterLeiste_->DateiwahlFrei(true);
    cmdExportieren_->setEnabled(true);
    cmdSummenExport_->setEnabled(true);
    // The way back to the folder's own logs once others are shown.
    filterLeiste_->ZeigeOrdnerKnopf(pfade_ != LogDateienImOrdner(logbuchdatei_.Pfad()));
    Q_EMIT Gelesen();
}

bool frmAuswertung::Filtert() const {
    return filter_->Laeuft();
}

bool frmAuswertung::SortLaeuft() const {
    return modell_->SortLaeuft();
}

FilterAuftrag frmAuswertung::Auftrag() const {
    FilterAuftrag auftrag = modell_->Auftrag(filterLeiste_->Filter());
    auftrag.jeTelefon = summen_->Gruppierung() == SummenModell::Gruppe::Telefon;
    return auftrag;
}

void frmAuswertung::FilterFertig() {
    if (gelesenMelden_) {
        LesenFertig();
    }
    // Once per search that is shown, not per key: the field itself echoes the keys.
    if (anzahlSagen_) {
        anzahlSagen_ = false;
        SageAn(lblAnzahl_, lblAnzahl_->text());
    }
    Q_EMIT Gefiltert();
}

// Counts, sums and chart of what the filters show.
void frmAuswertung::ZeigeAuswahl(const LogSummen& summen, std::optional<TelefonSummen> telefon) {
    const std::int64_t alle = std::int64_t(modell_->Daten().Anzahl());
    const std::int64_t gezeigt = std::int64_t(modell_->Zeilen().size());
    lblAnzahl_->setText(AnzahlText(gezeigt, alle, GeleseneDateien(*journal_), QLocale()));
    summen_->SetzeSummen(summen, std::move(telefon));
    cmdExportieren_->setEnabled(!Liest());
    cmdSummenExport_->setEnabled(!Liest());
    chtMonate_->Zeige(GrafikVon(summen_->Zeilen()));
}

void frmAuswertung::GruppeGeaendert() {
    const bool jeTelefon = cboGruppe_->currentIndex() == 1;
    summen_->SetzeGruppe(jeTelefon ? SummenModell::Gruppe::Telefon
                                   : SummenModell::Gruppe::MonatUndZone);
    tblSummen_->ZeigeGruppe(jeTelefon);
    ZeigeMeldungen();
    if (jeTelefon) {
        // The sums per number are made only while they are shown: on the worker thread.
        filter_->Jetzt();
    }
}

void frmAuswertung::ZeigeMeldungen() {
    const QString ordner =
        pfade_.isEmpty() ? QFileInfo(logbuchdatei_.Pfad()).absolutePath() : QString();
    lblMeldung_->setText(MeldungenText(*journal_, ordner, summen_->ZuGross()));
    lblMeldung_->setVisible(!lblMeldung_->text().isEmpty());
    const std::int64_t unlesbar = journal_->fehlerAnzahl;
    lblUnlesbar_->setText(UnlesbarText(unlesbar, QLocale()));
    lblUnlesbar_->setVisible(unlesbar > 0);
    cmdUnlesbar_->setVisible(unlesbar > 0);
}

void frmAuswertung::DateienWaehlen() {
    const QString ordner = QFileInfo(logbuchdatei_.Pfad()).absolutePath();
    // Every file is offered at first: a log saved under a name of the user's own (the save
    // dialog allows any) is then never hidden by the type of file chosen.
    const std::optional<QStringList> gewaehlt = dateiWahl_.chooseFiles(
        this, QStringLiteral("Logbücher für die Auswertung wählen"), ordner,
        {QStringLiteral("Alle Dateien (*)"), LogDateiTyp(), QStringLiteral("Textdateien (*.txt)")});
    if (gewaehlt) {
        Lies(*gewaehlt);
    }
}

void frmAuswertung::OrdnerLesen() {
    Lies(LogDateienImOrdner(logbuchdatei_.Pfad()));
}

void frmAuswertung::UnlesbareZeigen() {
    dlgUnlesbar(lblUnlesbar_->text(), UnlesbareZeilenText(*journal_, QLocale()), this).exec();
}

std::optional<QString> frmAuswertung::ExportZiel(const QString& titel, const QString& vorschlag) {
    const QString ordner = QFileInfo(logbuchdatei_.Pfad()).absolutePath();
    return FrageExportZiel(this, dateiWahl_, titel, QDir(ordner).filePath(vorschlag),
                           QStringList(pfade_) << logbuchdatei_.Pfad());
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
    if (!SchreibeExportMitMeldung(this, *ziel, [&](const auto& ziel) {
            return SchreibeCsv(modell_->Daten(), zeilen, ziel);
        })) {
        return;
    }
    lblHinweis_->setText(GespraecheExportiertText(std::int64_t(zeilen.size()), *ziel, QLocale()));
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
    if (!SchreibeExportMitMeldung(this, *ziel, [&](const auto& ziel) {
            return SchreibeCsvTabelle(summen_->Koepfe(), summen_->Arten(), summen_->Tabelle(),
                                      ziel);
        })) {
        return;
    }
    lblHinweis_->setText(SummenExportiertText(*ziel));
}

} // namespace tarvis
