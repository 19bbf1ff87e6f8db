#include "journal/JournalModel.h"

#include "platform/QtText.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <QLocale>
#include <QTimer>
#include <algorithm>
#include <array>

namespace tarvis {

namespace {

bool IstZahl(Spalte spalte) {
    return spalte == Spalte::Dauer || spalte == Spalte::Einheiten || spalte == Spalte::Kosten;
}

bool OhneFilter(const JournalFilter& filter) {
    return !filter.monat && filter.zone == 0 && filter.suche.empty();
}

} // namespace

FilterErgebnis FuehreAus(const FilterAuftrag& auftrag) {
    FilterErgebnis ergebnis;
    ergebnis.stand = auftrag.stand;
    ergebnis.filter = auftrag.filter;
    ergebnis.zeilen = OhneFilter(auftrag.filter)
                          ? auftrag.folge
                          : std::make_shared<const std::vector<std::uint32_t>>(
                                Gefiltert(*auftrag.daten, *auftrag.folge, auftrag.filter));
    // The sums take the calls in the order of their files, as they lie in memory: in the order
    // shown each call of a million would be a miss of the cache. A number is named as its
    // first call in the files has it, whatever the order shown.
    const std::vector<std::uint32_t> inDateiFolge = InDateiFolge(*auftrag.daten, *ergebnis.zeilen);
    ergebnis.summen = SummenVon(*auftrag.daten, inDateiFolge);
    if (auftrag.jeTelefon) {
        ergebnis.telefon = SummenJeTelefon(auftrag.daten, inDateiFolge);
    }
    return ergebnis;
}

SortErgebnis Sortiere(const SortAuftrag& auftrag) {
    return {auftrag.nummer, auftrag.spalte < 0
                                ? InDateiFolge(*auftrag.daten)
                                : Sortiert(*auftrag.daten, static_cast<Spalte>(auftrag.spalte),
                                           auftrag.absteigend)};
}

JournalModell::JournalModell(QObject* parent, std::size_t zeilenJeSchritt)
    : QAbstractTableModel(parent), daten_(std::make_shared<const JournalDaten>()),
      folge_(std::make_shared<const std::vector<std::uint32_t>>()), zeilen_(folge_),
      zeilenJeSchritt_(std::max<std::size_t>(zeilenJeSchritt, 1)) {
    nachreichen_ = new QTimer(this);
    nachreichen_->setSingleShot(true);
    // A moment between the parts: the event loop waits for input and timers in between.
    nachreichen_->setInterval(5);
    connect(nachreichen_, &QTimer::timeout, this, &JournalModell::ReicheNach);
}

std::size_t JournalModell::ErsterTeil() const {
    if (zeilen_->size() > zeilenJeSchritt_) {
        nachreichen_->start();
    }
    return std::min(zeilen_->size(), zeilenJeSchritt_);
}

void JournalModell::ReicheNach() {
    const std::size_t bis = std::min(zeilen_->size(), gezeigt_ + zeilenJeSchritt_);
    if (bis > gezeigt_) {
        beginInsertRows({}, int(gezeigt_), int(bis) - 1);
        gezeigt_ = bis;
        endInsertRows();
    }
    if (ReichtNach()) {
        nachreichen_->start();
    }
}

// Before any other change, which counts on the view having every row.
void JournalModell::ReicheAllesNach() {
    nachreichen_->stop();
    if (ReichtNach()) {
        beginInsertRows({}, int(gezeigt_), int(zeilen_->size()) - 1);
        gezeigt_ = zeilen_->size();
        endInsertRows();
    }
}

void JournalModell::SetzeSortierer(std::function<void(SortAuftrag)> sortierer) {
    sortierer_ = std::move(sortierer);
}

SortAuftrag JournalModell::NeueSortierung() {
    return {daten_, spalte_, ordnung_ == Qt::DescendingOrder, ++sortNummer_};
}

VorbereiteteDaten Vorbereitet(JournalDaten daten) {
    VorbereiteteDaten vorbereitet;
    vorbereitet.daten = std::make_shared<const JournalDaten>(std::move(daten));
    vorbereitet.folge = InDateiFolge(*vorbereitet.daten);
    vorbereitet.monate = MonateIn(*vorbereitet.daten);
    return vorbereitet;
}

void JournalModell::SetzeDaten(JournalDaten daten) {
    SetzeDaten(Vorbereitet(std::move(daten)));
}

// New calls are shown in the order of their files at once; sorted by a column, they are shown
// in its order once the Sortierer has it.
void JournalModell::SetzeDaten(VorbereiteteDaten daten) {
    nachreichen_->stop();
    beginResetModel();
    daten_ = std::move(daten.daten);
    ++stand_;
    SortAuftrag auftrag = NeueSortierung();
    const bool spaeter = sortierer_ && auftrag.spalte >= 0;
    // The order of the files is the one made ready with the calls.
    const bool vorbereitet = spaeter || auftrag.spalte < 0;
    std::vector<std::uint32_t> folge =
        vorbereitet ? std::move(daten.folge) : Sortiere(auftrag).folge;
    if (!spaeter) {
        gezeigteSortierung_ = sortNummer_;
    }
    folge_ = std::make_shared<const std::vector<std::uint32_t>>(std::move(folge));
    zeilen_ = OhneFilter(filter_) ? folge_
                                  : std::make_shared<const std::vector<std::uint32_t>>(
                                        Gefiltert(*daten_, *folge_, filter_));
    gezeigt_ = ErsterTeil();
    endResetModel();
    if (spaeter) {
        sortierer_(std::move(auftrag));
    }
}

FilterAuftrag JournalModell::Auftrag(const JournalFilter& filter) const {
    return {daten_, folge_, filter, stand_, false};
}

bool JournalModell::Uebernimm(FilterErgebnis ergebnis) {
    if (ergebnis.stand != stand_) {
        return false;
    }
    filter_ = std::move(ergebnis.filter);
    ZeigeNeu(std::move(ergebnis.zeilen));
    return true;
}

std::vector<std::uint32_t> JournalModell::ZeilenInDateiFolge() const {
    return InDateiFolge(*daten_, *zeilen_);
}

// The rows go and come as rows, not by a reset of the model, so the columns keep the widths the
// user gave them.
void JournalModell::ZeigeNeu(GeteilteFolge zeilen) {
    // As after a reading, whose first filter lets through what is already shown: the view need
    // not drop a million rows and add them again.
    if (zeilen == zeilen_ || *zeilen == *zeilen_) {
        zeilen_ = std::move(zeilen);
        return;
    }
    ReicheAllesNach();
    if (gezeigt_ > 0) {
        beginRemoveRows({}, 0, int(gezeigt_) - 1);
        gezeigt_ = 0;
        endRemoveRows();
    }
    zeilen_ = std::move(zeilen);
    const std::size_t erste = ErsterTeil();
    if (erste > 0) {
        beginInsertRows({}, 0, int(erste) - 1);
        gezeigt_ = erste;
        endInsertRows();
    }
}

void JournalModell::SetzeFilter(const JournalFilter& filter) {
    filter_ = filter;
    ZeigeNeu(OhneFilter(filter_) ? folge_
                                 : std::make_shared<const std::vector<std::uint32_t>>(
                                       Gefiltert(*daten_, *folge_, filter_)));
}

void JournalModell::sort(int column, Qt::SortOrder order) {
    if (column >= SpaltenAnzahl) {
        return;
    }
    spalte_ = column;
    ordnung_ = order;
    SortAuftrag auftrag = NeueSortierung();
    // The order of the files needs no sorting: it is shown at once.
    if (sortierer_ && column >= 0) {
        sortierer_(std::move(auftrag));
        return;
    }
    Uebernimm(Sortiere(auftrag));
}

bool JournalModell::Uebernimm(SortErgebnis ergebnis) {
    if (ergebnis.nummer != sortNummer_ || ergebnis.folge.size() != daten_->Anzahl()) {
        return false;
    }
    gezeigteSortierung_ = sortNummer_;
    ZeigeFolge(std::move(ergebnis.folge));
    return true;
}

// The calls shown stay those the filter let through; only their order changes.
void JournalModell::ZeigeFolge(std::vector<std::uint32_t> folge) {
    ReicheAllesNach();
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList vorher = persistentIndexList();
    std::vector<std::uint32_t> gespraeche;
    for (const QModelIndex& index : vorher) {
        gespraeche.push_back((*zeilen_)[static_cast<std::size_t>(index.row())]);
    }
    ++stand_;
    auto neu = std::make_shared<const std::vector<std::uint32_t>>(std::move(folge));
    if (OhneFilter(filter_)) {
        zeilen_ = neu;
    } else {
        std::vector<bool> gezeigt(daten_->Anzahl());
        for (const std::uint32_t i : *zeilen_) {
            gezeigt[i] = true;
        }
        std::vector<std::uint32_t> zeilen;
        zeilen.reserve(zeilen_->size());
        for (const std::uint32_t i : *neu) {
            if (gezeigt[i]) {
                zeilen.push_back(i);
            }
        }
        zeilen_ = std::make_shared<const std::vector<std::uint32_t>>(std::move(zeilen));
    }
    folge_ = std::move(neu);
    if (!vorher.isEmpty()) {
        // Selection and current cell stay with their calls.
        std::vector<int> zeileVon(daten_->Anzahl(), -1);
        for (std::size_t zeile = 0; zeile < zeilen_->size(); ++zeile) {
            zeileVon[(*zeilen_)[zeile]] = int(zeile);
        }
        QModelIndexList nachher;
        for (qsizetype i = 0; i < vorher.size(); ++i) {
            nachher << index(zeileVon[gespraeche[static_cast<std::size_t>(i)]], vorher[i].column());
        }
        changePersistentIndexList(vorher, nachher);
    }
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int JournalModell::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(gezeigt_);
}

int JournalModell::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : SpaltenAnzahl;
}

QVariant JournalModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= SpaltenAnzahl) {
        return {};
    }
    const JournalSatz satz = (*daten_)[(*zeilen_)[static_cast<std::size_t>(index.row())]];
    const auto spalte = static_cast<Spalte>(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return ZellenAnzeige(*daten_, satz, spalte, QLocale());
    case Qt::TextAlignmentRole:
        return Ausrichtung(IstZahl(spalte));
    case rolle::Zone:
        return spalte == Spalte::Zone ? QVariant(int(satz.zone)) : QVariant();
    default:
        return {};
    }
}

QVariant JournalModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= SpaltenAnzahl) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QString::fromUtf8(SpaltenName[static_cast<std::size_t>(section)]);
    case Qt::TextAlignmentRole:
        return Ausrichtung(IstZahl(static_cast<Spalte>(section)));
    default:
        return {};
    }
}

} // namespace tarvis
