#include "journal/JournalModel.h"

#include "platform/QtCalendar.h"
#include "tariff/TariffTables.h"

#include <QLocale>

namespace tarvis {

namespace {

bool IstZahl(Spalte spalte) {
    return spalte == Spalte::Dauer || spalte == Spalte::Einheiten || spalte == Spalte::Kosten;
}

QVariant Ausrichtung(bool rechts) {
    return QVariant::fromValue(int((rechts ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
}

bool OhneFilter(const JournalFilter& filter) {
    return !filter.monat && filter.zone == 0 && filter.suche.empty();
}

} // namespace

JournalModell::JournalModell(QObject* parent) : QAbstractTableModel(parent) {}

void JournalModell::SetzeDaten(JournalDaten daten) {
    beginResetModel();
    daten_ = std::move(daten);
    folge_ = spalte_ < 0
                 ? InDateiFolge(daten_)
                 : Sortiert(daten_, static_cast<Spalte>(spalte_), ordnung_ == Qt::DescendingOrder);
    zeilen_ = OhneFilter(filter_) ? folge_ : Gefiltert(daten_, folge_, filter_);
    endResetModel();
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
    ZeigeNeu(OhneFilter(filter_) ? folge_ : Gefiltert(daten_, folge_, filter_));
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
    folge_ = column < 0
                 ? InDateiFolge(daten_)
                 : Sortiert(daten_, static_cast<Spalte>(column), order == Qt::DescendingOrder);
    zeilen_ = OhneFilter(filter_) ? folge_ : Gefiltert(daten_, folge_, filter_);
    if (!vorher.isEmpty()) {
        // Selection and current cell stay with their calls.
        std::vector<int> zeileVon(daten_.Anzahl(), -1);
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
    const JournalSatz& satz = daten_[zeilen_[static_cast<std::size_t>(index.row())]];
    const auto spalte = static_cast<Spalte>(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return ZellenAnzeige(daten_, satz, spalte, QLocale());
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

namespace {

constexpr const char* SummenSpalte[SummenModell::SpaltenAnzahl] = {
    "Monat", "Zone", "Anrufe", "Einheiten", "Gebühren",
};

} // namespace

SummenModell::SummenModell(QObject* parent) : QAbstractTableModel(parent) {}

void SummenModell::SetzeSummen(const LogSummen& summen) {
    beginResetModel();
    const auto zeilen = SummenZeilen(summen);
    zuGross_ = !zeilen;
    zeilen_ = zeilen.value_or(std::vector<SummenZeile>{});
    endResetModel();
}

int SummenModell::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(zeilen_.size());
}

int SummenModell::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : SpaltenAnzahl;
}

QVariant SummenModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= SpaltenAnzahl) {
        return {};
    }
    const SummenZeile& zeile = zeilen_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: {
        const SummenTexte texte = TexteVon(zeile.summe, QLocale());
        switch (index.column()) {
        case 0:
            return zeile.IstGesamt() ? QStringLiteral("Gesamt") : MonatsText(*zeile.monat);
        case 1:
            return zeile.IstGesamt() ? QString() : AlsQString(ZonenName[zeile.zone]);
        case 2:
            return texte.anrufe;
        case 3:
            return texte.einheiten;
        default:
            return texte.gebuehren + QStringLiteral(" DM");
        }
    }
    case Qt::TextAlignmentRole:
        return Ausrichtung(index.column() >= 2);
    case rolle::Zone:
        return index.column() == 1 && !zeile.IstGesamt() ? QVariant(zeile.zone) : QVariant();
    case rolle::Gesamt:
        return zeile.IstGesamt();
    default:
        return {};
    }
}

QVariant SummenModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= SpaltenAnzahl) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QString::fromUtf8(SummenSpalte[section]);
    case Qt::TextAlignmentRole:
        return Ausrichtung(section >= 2);
    default:
        return {};
    }
}

} // namespace tarvis
