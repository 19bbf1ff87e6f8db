#pragma once

#include "journal/JournalRead.h"
#include "journal/JournalSums.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QStringList>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace tarvis {

class GespraechTabelle;
class FileChooser;
class FilterLauf;
class FilterLeiste;
class JournalModell;
class Logbuchdatei;
class MonatsGrafik;
class SummenModell;
class SummenTabelle;
struct FilterAuftrag;
struct GelesenesJournal;

// The journal: the saved calls of the logs as a table, with filters by month, zone and text,
// the sums per month and zone, a chart of the cost per month, and the export as CSV. It opens
// with every log beside the current one; "Dateien…" picks others. The logs are only read, on a
// worker thread, so the window and the main window's clock go on meanwhile.
class frmAuswertung : public QDialog {
    Q_OBJECT

public:
    frmAuswertung(const Logbuchdatei& logbuchdatei, FileChooser& dateiWahl,
                  QWidget* parent = nullptr);
    ~frmAuswertung() override;

    // Reads these logs in place of the ones shown; a reading still running is stopped.
    void Lies(const QStringList& pfade);
    bool Liest() const;

    // Whether a filter is still being worked out (or waits for the typing to pause).
    bool Filtert() const;
    // Whether the order asked for last is still being sorted.
    bool SortLaeuft() const;

Q_SIGNALS:
    // A reading has ended and what it found is shown.
    void Gelesen();
    // What the filters let through is shown.
    void Gefiltert();

private:
    void BaueFilter();
    void BaueTabelle();
    void BaueZustand();
    void BaueSummen();
    void BaueKnoepfe();
    void SetzeTabFolge();

    void Eingelesen();
    void LesenFertig();
    void ZeigeFortschritt();
    // The filter the controls set, to be worked out on the worker thread.
    FilterAuftrag Auftrag() const;
    void FilterFertig();
    void GruppeGeaendert();
    void OrdnerLesen();
    void SummenExportieren();
    // Asks for a target that is no log, and whether to replace a file already there; nothing
    // when the user cancelled or the target was refused.
    std::optional<QString> ExportZiel(const QString& titel, const QString& vorschlag);
    void ZeigeAuswahl(const LogSummen& summen, std::optional<TelefonSummen> telefon);
    void ZeigeMeldungen();
    void DateienWaehlen();
    void UnlesbareZeigen();
    void Exportieren();

    const Logbuchdatei& logbuchdatei_;
    FileChooser& dateiWahl_;
    QStringList pfade_;
    std::unique_ptr<Journal> journal_; // what the last reading found, besides its calls
    JournalModell* modell_ = nullptr;
    SummenModell* summen_ = nullptr;

    QFutureWatcher<GelesenesJournal>* leser_ = nullptr;
    FilterLauf* filter_ = nullptr;
    bool gelesenMelden_ = false; // a reading ends with the next filter shown
    bool liest_ = false;
    bool anzahlSagen_ = false; // the search changed: the count is said once it is shown
    LeseFortschritt fortschritt_;
    QTimer* fortschrittUhr_ = nullptr;
    int fortschrittTakte_ = 0;

    FilterLeiste* filterLeiste_ = nullptr;
    GespraechTabelle* tblGespraeche_ = nullptr;
    QLabel* lblAnzahl_ = nullptr;
    QLabel* lblSortiert_ = nullptr;
    QLabel* lblUnlesbar_ = nullptr;
    QPushButton* cmdUnlesbar_ = nullptr;
    QProgressBar* prgLesen_ = nullptr;
    QLabel* lblMeldung_ = nullptr;
    SummenTabelle* tblSummen_ = nullptr;
    QComboBox* cboGruppe_ = nullptr;
    QPushButton* cmdSummenExport_ = nullptr;
    MonatsGrafik* chtMonate_ = nullptr;
    QLabel* lblHinweis_ = nullptr;
    QPushButton* cmdExportieren_ = nullptr;
    QPushButton* cmdZurueck_ = nullptr;
};

} // namespace tarvis
