#include "journal/SumsModel.h"

#include "journal/JournalColumns.h"
#include "journal/JournalFilter.h"
#include "journal/KeyOrder.h"
#include "journal/ModelRoles.h"
#include "platform/QtText.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <numeric>

namespace tarvis {

namespace {

constexpr std::array<const char*, 5> MonatsSpalten = {
    "Monat", "Zone", "Anrufe", "Einheiten", "Gebühren",
};
constexpr std::array<const char*, 4> TelefonSpalten = {
    "Telefonnummer",
    "Anrufe",
    "Einheiten",
    "Gebühren",
};

} // namespace

SummenModell::SummenModell(QObject* parent) : QAbstractTableModel(parent) {}

void SummenModell::SetzeSummen(const LogSummen& summen, std::optional<TelefonSummen> telefon) {
    beginResetModel();
    const auto zeilen = SummenZeilen(summen);
    monateZuGross_ = !zeilen;
    zeilen_ = zeilen.value_or(std::vector<SummenZeile>{});
    telefon_ = std::move(telefon);
    BaueReihen();
    endResetModel();
}

void SummenModell::SetzeGruppe(Gruppe gruppe) {
    if (gruppe == gruppe_) {
        return;
    }
    beginResetModel();
    gruppe_ = gruppe;
    spalte_ = -1;
    BaueReihen();
    endResetModel();
}

bool SummenModell::ZuGross() const {
    // A sum per number beyond its counters takes the total beyond them too.
    return monateZuGross_;
}

// The rows per month and zone in the report's order, the total last; those per number are
// the sums per number themselves.
void SummenModell::BaueReihen() {
    reihen_.clear();
    if (gruppe_ == Gruppe::MonatUndZone && !zeilen_.empty()) {
        Reihe gesamt;
        gesamt.gesamt = true;
        for (const SummenZeile& zeile : zeilen_) {
            if (zeile.IstGesamt()) {
                gesamt.summe = zeile.summe;
            } else {
                reihen_.push_back({zeile.monat, zeile.zone, 0, zeile.summe, false});
            }
        }
        reihen_.push_back(gesamt);
    }
    Ordne();
}

namespace {

// The descending order from the ascending one: the groups of equal values the other way round,
// each keeping its order, so that equal values stay in the report's order either way.
template <class Aufsteigend, class Gleich>
std::vector<std::uint32_t> Absteigend(std::size_t anzahl, Aufsteigend aufsteigend, Gleich gleich) {
    std::vector<std::uint32_t> folge;
    folge.reserve(anzahl + 1);
    for (std::size_t ende = anzahl; ende > 0;) {
        std::size_t anfang = ende - 1;
        while (anfang > 0 && gleich(aufsteigend(anfang - 1), aufsteigend(ende - 1))) {
            --anfang;
        }
        for (std::size_t k = anfang; k < ende; ++k) {
            folge.push_back(aufsteigend(k));
        }
        ende = anfang;
    }
    return folge;
}

} // namespace

// The rows in the order of the column sorted by, the total last; equal values keep the order
// of the report. The sums per number come with each column's order made on the worker thread,
// so that a sort of the sums of hundreds of thousands of numbers only copies one here (or
// turns it round).
void SummenModell::Ordne() {
    const bool absteigend = ordnung_ == Qt::DescendingOrder;
    if (gruppe_ == Gruppe::Telefon) {
        // The file's order and the ascending ones are read where they are; only a descending
        // one is made here.
        folge_ = {};
        if (telefon_ && spalte_ >= 0 && absteigend) {
            const auto spalte = std::size_t(spalte_);
            // No two numbers have the same digits.
            folge_ = Absteigend(
                telefon_->nummern.Anzahl(),
                [&](std::size_t k) { return telefon_->Aufsteigend(spalte, k); },
                [&](std::uint32_t a, std::uint32_t b) {
                    return spalte > 0 && telefon_->Wert(a, spalte) == telefon_->Wert(b, spalte);
                });
        }
        return;
    }
    const bool mitGesamt = !reihen_.empty();
    folge_.resize(mitGesamt ? reihen_.size() - 1 : 0);
    std::iota(folge_.begin(), folge_.end(), 0u);
    if (spalte_ >= 0) {
        auto wert = [&](std::uint32_t i) -> std::int64_t {
            const Reihe& r = reihen_[i];
            switch (spalte_) {
            case 0:
                return std::int64_t{r.monat->first} * 12 + r.monat->second;
            case 1:
                return r.zone;
            case 2:
                return r.summe.gespraeche;
            case 3:
                return r.summe.einheiten;
            default:
                return r.summe.kostenPfennig;
            }
        };
        OrdneStabilNachWert(folge_, wert, absteigend);
    }
    if (mitGesamt) {
        folge_.push_back(std::uint32_t(reihen_.size() - 1));
    }
}

void SummenModell::sort(int column, Qt::SortOrder order) {
    if (column >= columnCount()) {
        return;
    }
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    spalte_ = column;
    ordnung_ = order;
    Ordne();
    // Nothing of the sums is selected for long: the rows are simply shown anew.
    const QModelIndexList vorher = persistentIndexList();
    changePersistentIndexList(vorher, QModelIndexList(vorher.size()));
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

SummenModell::Reihe SummenModell::Gezeigt(int zeile) const {
    const auto z = static_cast<std::size_t>(zeile);
    if (gruppe_ == Gruppe::MonatUndZone) {
        return reihen_[folge_[z]];
    }
    if (z == telefon_->nummern.Anzahl()) {
        return {std::nullopt, 0, 0, telefon_->gesamt, true};
    }
    const std::uint32_t i = !folge_.empty() ? folge_[z]
                            : spalte_ >= 0  ? telefon_->Aufsteigend(std::size_t(spalte_), z)
                                            : std::uint32_t(z);
    return {std::nullopt, 0, i, telefon_->nummern[i].Summe(), false};
}

std::vector<std::string> SummenModell::Zellen(const Reihe& reihe) const {
    std::vector<std::string> zellen;
    if (gruppe_ == Gruppe::MonatUndZone) {
        zellen.push_back(reihe.gesamt ? "Gesamt" : MonatsText(*reihe.monat).toStdString());
        zellen.push_back(reihe.gesamt ? std::string() : std::string(ZonenName[reihe.zone]));
    } else {
        zellen.push_back(reihe.gesamt ? "Gesamt" : std::string(telefon_->Nummer(reihe.nummer)));
    }
    zellen.push_back(std::to_string(reihe.summe.gespraeche));
    zellen.push_back(std::to_string(reihe.summe.einheiten));
    zellen.push_back(BetragText(reihe.summe.kostenPfennig, ","));
    return zellen;
}

std::vector<std::vector<std::string>> SummenModell::Tabelle() const {
    std::vector<std::vector<std::string>> tabelle;
    for (int zeile = 0; zeile < rowCount(); ++zeile) {
        tabelle.push_back(Zellen(Gezeigt(zeile)));
    }
    return tabelle;
}

std::vector<std::string> SummenModell::Koepfe() const {
    std::vector<std::string> koepfe;
    for (int spalte = 0; spalte < columnCount(); ++spalte) {
        koepfe.push_back(headerData(spalte, Qt::Horizontal).toString().toStdString());
    }
    return koepfe;
}

std::vector<CsvArt> SummenModell::Arten() const {
    // The month, zone or number, then the figures.
    std::vector<CsvArt> arten(std::size_t(columnCount()), CsvArt::Wert);
    arten[0] = CsvArt::Text;
    return arten;
}

int SummenModell::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    if (gruppe_ == Gruppe::Telefon) {
        return telefon_ ? int(telefon_->nummern.Anzahl()) + 1 : 0; // the total last
    }
    return int(folge_.size());
}

int SummenModell::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return gruppe_ == Gruppe::MonatUndZone ? int(MonatsSpalten.size()) : int(TelefonSpalten.size());
}

QVariant SummenModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const Reihe reihe = Gezeigt(index.row());
    const int ersteZahl = gruppe_ == Gruppe::MonatUndZone ? 2 : 1;
    const bool zonenSpalte = gruppe_ == Gruppe::MonatUndZone && index.column() == 1;
    switch (role) {
    case Qt::DisplayRole: {
        // Only the cell asked for is made: the column widths ask for a thousand rows' cells
        // after every sort of the sums per number.
        if (gruppe_ == Gruppe::Telefon && index.column() == 0 && !reihe.gesamt) {
            return AlsQString(telefon_->Nummer(reihe.nummer));
        }
        if (index.column() < ersteZahl) {
            return AlsQString(Zellen(reihe)[static_cast<std::size_t>(index.column())]);
        }
        const QLocale locale;
        switch (index.column() - ersteZahl) {
        case 0:
            return Gruppiert(ZahlText(std::to_string(reihe.summe.gespraeche), locale), locale);
        case 1:
            return Gruppiert(ZahlText(std::to_string(reihe.summe.einheiten), locale), locale);
        default:
            return Gruppiert(ZahlText(BetragText(reihe.summe.kostenPfennig, FesterTrenner), locale),
                             locale) +
                   QStringLiteral(" DM");
        }
    }
    case Qt::TextAlignmentRole:
        return Ausrichtung(index.column() >= ersteZahl);
    case rolle::Zone:
        return zonenSpalte && !reihe.gesamt ? QVariant(reihe.zone) : QVariant();
    case rolle::Gesamt:
        return reihe.gesamt;
    default:
        return {};
    }
}

QVariant SummenModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const int ersteZahl = gruppe_ == Gruppe::MonatUndZone ? 2 : 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QString::fromUtf8(gruppe_ == Gruppe::MonatUndZone
                                     ? MonatsSpalten[static_cast<std::size_t>(section)]
                                     : TelefonSpalten[static_cast<std::size_t>(section)]);
    case Qt::TextAlignmentRole:
        return Ausrichtung(section >= ersteZahl);
    default:
        return {};
    }
}

} // namespace tarvis
