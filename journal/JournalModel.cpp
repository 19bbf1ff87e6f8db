#include "journal/JournalModel.h"

#include "platform/QtText.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <QLocale>
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
                          : Gefiltert(*auftrag.daten, auftrag.folge, auftrag.filter);
    ergebnis.summen = SummenVon(*auftrag.daten, ergebnis.zeilen);
    if (auftrag.jeTelefon) {
        ergebnis.telefon = SummenJeTelefon(*auftrag.daten, ergebnis.zeilen);
    }
    return ergebnis;
}

JournalModell::JournalModell(QObject* parent)
    : QAbstractTableModel(parent), daten_(std::make_shared<const JournalDaten>()) {}

void JournalModell::SetzeDaten(JournalDaten daten) {
    beginResetModel();
    daten_ = std::make_shared<const JournalDaten>(std::move(daten));
    ++stand_;
    folge_ = spalte_ < 0
                 ? InDateiFolge(*daten_)
                 : Sortiert(*daten_, static_cast<Spalte>(spalte_), ordnung_ == Qt::DescendingOrder);
    zeilen_ = OhneFilter(filter_) ? folge_ : Gefiltert(*daten_, folge_, filter_);
    endResetModel();
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
    // A call's index is its place in the files.
    std::vector<std::uint32_t> zeilen = zeilen_;
    std::sort(zeilen.begin(), zeilen.end());
    return zeilen;
}

// The rows go and come as rows, not by a reset of the model, so the columns keep the widths the
// user gave them.
void JournalModell::ZeigeNeu(std::vector<std::uint32_t> zeilen) {
    if (!zeilen_.empty()) {
        beginRemoveRows({}, 0, int(zeilen_.size()) - 1);
        zeilen_.clear();
        endRemoveRows();
    }
    if (!zeilen.empty()) {
        beginInsertRows({}, 0, int(zeilen.size()) - 1);
        zeilen_ = std::move(zeilen);
        endInsertRows();
    }
}

void JournalModell::SetzeFilter(const JournalFilter& filter) {
    filter_ = filter;
    ZeigeNeu(OhneFilter(filter_) ? folge_ : Gefiltert(*daten_, folge_, filter_));
}

void JournalModell::sort(int column, Qt::SortOrder order) {
    if (column >= SpaltenAnzahl) {
        return;
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList vorher = persistentIndexList();
    std::vector<std::uint32_t> anrufe;
    for (const QModelIndex& index : vorher) {
        anrufe.push_back(zeilen_[static_cast<std::size_t>(index.row())]);
    }
    spalte_ = column;
    ordnung_ = order;
    ++stand_;
    folge_ = column < 0
                 ? InDateiFolge(*daten_)
                 : Sortiert(*daten_, static_cast<Spalte>(column), order == Qt::DescendingOrder);
    zeilen_ = OhneFilter(filter_) ? folge_ : Gefiltert(*daten_, folge_, filter_);
    if (!vorher.isEmpty()) {
        // Selection and current cell stay with their calls.
        std::vector<int> zeileVon(daten_->Anzahl(), -1);
        for (std::size_t zeile = 0; zeile < zeilen_.size(); ++zeile) {
            zeileVon[zeilen_[zeile]] = int(zeile);
        }
        QModelIndexList nachher;
        for (qsizetype i = 0; i < vorher.size(); ++i) {
            nachher << index(zeileVon[anrufe[static_cast<std::size_t>(i)]], vorher[i].column());
        }
        changePersistentIndexList(vorher, nachher);
    }
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int JournalModell::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(zeilen_.size());
}

int JournalModell::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : SpaltenAnzahl;
}

QVariant JournalModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= SpaltenAnzahl) {
        return {};
    }
    const JournalSatz& satz = (*daten_)[zeilen_[static_cast<std::size_t>(index.row())]];
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
