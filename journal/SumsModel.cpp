#include "journal/SumsModel.h"

#include "journal/JournalColumns.h"
#include "journal/JournalFilter.h"
#include "journal/ModelRoles.h"
#include "platform/QtText.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <QLocale>
#include <algorithm>
#include <array>

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
    Ordne();
    endResetModel();
}

void SummenModell::SetzeGruppe(Gruppe gruppe) {
    if (gruppe == gruppe_) {
        return;
    }
    beginResetModel();
    gruppe_ = gruppe;
    spalte_ = -1;
    Ordne();
    endResetModel();
}

bool SummenModell::ZuGross() const {
    // A sum per number beyond its counters takes the total beyond them too.
    return monateZuGross_;
}

// The rows of the grouping shown, in the order of the column sorted by, the total last.
void SummenModell::Ordne() {
    reihen_.clear();
    Reihe gesamt;
    gesamt.gesamt = true;
    if (gruppe_ == Gruppe::MonatUndZone) {
        for (const SummenZeile& zeile : zeilen_) {
            if (zeile.IstGesamt()) {
                gesamt.summe = zeile.summe;
            } else {
                reihen_.push_back({zeile.monat, zeile.zone, {}, {}, zeile.summe, false});
            }
        }
        if (zeilen_.empty()) {
            return;
        }
    } else {
        if (!telefon_) {
            return;
        }
        for (const TelefonSumme& nummer : telefon_->nummern) {
            reihen_.push_back(
                {std::nullopt, 0, nummer.nummer, nummer.ziffern, nummer.summe, false});
        }
        gesamt.summe = telefon_->gesamt;
    }
    // The figures follow the texts' columns in both groupings.
    const int ersteZahl = gruppe_ == Gruppe::MonatUndZone ? 2 : 1;
    if (spalte_ >= 0) {
        SortiereReihen(ersteZahl);
    }
    reihen_.push_back(gesamt);
}

// Each row's value is taken once and the rows sorted as plain integers, so that the sums of
// hundreds of thousands of numbers sort within a moment. Numbers compare by their digits: "0711
// 1" and "07111" are one number. Equal values keep the order of the report.
void SummenModell::SortiereReihen(int ersteZahl) {
    struct Wert {
        ZiffernSchluessel ziffern;
        std::int64_t zahl = 0;
        std::uint32_t reihe = 0;
    };
    const bool nachNummer = gruppe_ == Gruppe::Telefon && spalte_ < ersteZahl;
    auto zahl = [&](const Reihe& r) -> std::int64_t {
        switch (spalte_ - ersteZahl) {
        case 0:
            return r.summe.anrufe;
        case 1:
            return r.summe.einheiten;
        case 2:
            return r.summe.kostenPfennig;
        default:
            break;
        }
        if (nachNummer) {
            return 0;
        }
        return spalte_ == 0 ? std::int64_t{r.monat->first} * 12 + r.monat->second : r.zone;
    };
    std::vector<Wert> werte(reihen_.size());
    for (std::uint32_t i = 0; i < werte.size(); ++i) {
        const Reihe& r = reihen_[i];
        werte[i] = {nachNummer ? ZiffernSchluesselVon(r.ziffern) : ZiffernSchluessel{}, zahl(r), i};
    }
    auto vergleiche = [&](const Wert& a, const Wert& b) -> int {
        if (a.ziffern != b.ziffern) {
            return a.ziffern < b.ziffern ? -1 : 1;
        }
        if (a.zahl != b.zahl) {
            return a.zahl < b.zahl ? -1 : 1;
        }
        return nachNummer ? VergleicheZiffern(reihen_[a.reihe].ziffern, reihen_[b.reihe].ziffern)
                          : 0;
    };
    const bool absteigend = ordnung_ == Qt::DescendingOrder;
    std::sort(werte.begin(), werte.end(), [&](const Wert& a, const Wert& b) {
        const int wert = vergleiche(a, b);
        if (wert != 0) {
            return absteigend ? wert > 0 : wert < 0;
        }
        return a.reihe < b.reihe;
    });
    std::vector<Reihe> sortiert;
    sortiert.reserve(reihen_.size() + 1);
    for (const Wert& wert : werte) {
        sortiert.push_back(std::move(reihen_[wert.reihe]));
    }
    reihen_ = std::move(sortiert);
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

std::vector<std::string> SummenModell::Zellen(const Reihe& reihe) const {
    std::vector<std::string> zellen;
    if (gruppe_ == Gruppe::MonatUndZone) {
        zellen.push_back(reihe.gesamt ? "Gesamt" : MonatsText(*reihe.monat).toStdString());
        zellen.push_back(reihe.gesamt ? std::string() : std::string(ZonenName[reihe.zone]));
    } else {
        zellen.push_back(reihe.gesamt ? "Gesamt" : reihe.nummer);
    }
    zellen.push_back(std::to_string(reihe.summe.anrufe));
    zellen.push_back(std::to_string(reihe.summe.einheiten));
    zellen.push_back(BetragText(reihe.summe.kostenPfennig, ","));
    return zellen;
}

std::vector<std::vector<std::string>> SummenModell::Tabelle() const {
    std::vector<std::vector<std::string>> tabelle;
    for (const Reihe& reihe : reihen_) {
        tabelle.push_back(Zellen(reihe));
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
    return parent.isValid() ? 0 : int(reihen_.size());
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
    const Reihe& reihe = reihen_[static_cast<std::size_t>(index.row())];
    const int ersteZahl = gruppe_ == Gruppe::MonatUndZone ? 2 : 1;
    const bool zonenSpalte = gruppe_ == Gruppe::MonatUndZone && index.column() == 1;
    switch (role) {
    case Qt::DisplayRole: {
        if (index.column() < ersteZahl) {
            return AlsQString(Zellen(reihe)[static_cast<std::size_t>(index.column())]);
        }
        const SummenTexte texte = GruppierteTexteVon(reihe.summe, QLocale());
        switch (index.column() - ersteZahl) {
        case 0:
            return texte.anrufe;
        case 1:
            return texte.einheiten;
        default:
            return texte.gebuehren + QStringLiteral(" DM");
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
