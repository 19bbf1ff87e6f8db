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

// The rows of the grouping shown, in the report's order, the total last.
void SummenModell::BaueReihen() {
    reihen_.clear();
    Reihe gesamt;
    gesamt.gesamt = true;
    if (gruppe_ == Gruppe::MonatUndZone) {
        for (const SummenZeile& zeile : zeilen_) {
            if (zeile.IstGesamt()) {
                gesamt.summe = zeile.summe;
            } else {
                reihen_.push_back({zeile.monat, zeile.zone, 0, zeile.summe, false});
            }
        }
    } else if (telefon_) {
        reihen_.reserve(telefon_->nummern.size() + 1);
        for (std::uint32_t i = 0; i < telefon_->nummern.size(); ++i) {
            reihen_.push_back({std::nullopt, 0, i, telefon_->nummern[i].summe, false});
        }
        gesamt.summe = telefon_->gesamt;
    }
    const bool leer = gruppe_ == Gruppe::MonatUndZone ? zeilen_.empty() : !telefon_;
    if (!leer) {
        reihen_.push_back(gesamt);
    }
    Ordne();
}

// The rows in the order of the column sorted by, the total last. Each row's value is taken once
// and the rows put in order by a radix sort, so that the sums of hundreds of thousands of
// numbers sort within a moment on the window's own thread. Equal values keep the order of the
// report.
void SummenModell::Ordne() {
    const bool mitGesamt = !reihen_.empty();
    folge_.resize(mitGesamt ? reihen_.size() - 1 : 0);
    std::iota(folge_.begin(), folge_.end(), 0u);
    const bool absteigend = ordnung_ == Qt::DescendingOrder;
    // The figures follow the texts' columns in both groupings.
    const int ersteZahl = gruppe_ == Gruppe::MonatUndZone ? 2 : 1;
    if (spalte_ >= 0 && gruppe_ == Gruppe::Telefon && spalte_ < ersteZahl) {
        folge_ = NachNummer(absteigend);
    } else if (spalte_ >= 0) {
        auto wert = [&](std::uint32_t i) -> std::int64_t {
            const Reihe& r = reihen_[i];
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
            return spalte_ == 0 ? std::int64_t{r.monat->first} * 12 + r.monat->second : r.zone;
        };
        OrdneStabilNachWert(folge_, wert, absteigend);
    }
    if (mitGesamt) {
        folge_.push_back(std::uint32_t(reihen_.size() - 1));
    }
}

// Numbers compare by their digits ("0711 1" and "07111" are one number): by the first 32 as
// integers, and by the rest only where those are equal.
std::vector<std::uint32_t> SummenModell::NachNummer(bool absteigend) const {
    const auto& nummern = telefon_->nummern;
    std::vector<ZiffernSchluessel> schluessel(nummern.size());
    for (std::size_t i = 0; i < nummern.size(); ++i) {
        schluessel[i] = ZiffernSchluesselVon(nummern[i].ziffern);
    }
    std::vector<std::uint32_t> folge(nummern.size());
    std::iota(folge.begin(), folge.end(), 0u);
    for (const auto teil : {&ZiffernSchluessel::hinten, &ZiffernSchluessel::vorn}) {
        for (const int verschiebung : {0, 32}) {
            OrdneStabil(folge, [&](std::uint32_t i) {
                const auto wert = std::uint32_t(schluessel[i].*teil >> verschiebung);
                return absteigend ? ~wert : wert;
            });
        }
    }
    for (std::size_t anfang = 0; anfang < folge.size();) {
        std::size_t ende = anfang + 1;
        while (ende < folge.size() && schluessel[folge[ende]] == schluessel[folge[anfang]]) {
            ++ende;
        }
        std::stable_sort(
            folge.begin() + std::ptrdiff_t(anfang), folge.begin() + std::ptrdiff_t(ende),
            [&](std::uint32_t a, std::uint32_t b) {
                const int wert = VergleicheZiffern(nummern[a].ziffern, nummern[b].ziffern);
                return absteigend ? wert > 0 : wert < 0;
            });
        anfang = ende;
    }
    return folge;
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

const SummenModell::Reihe& SummenModell::Gezeigt(int zeile) const {
    return reihen_[folge_[static_cast<std::size_t>(zeile)]];
}

std::vector<std::string> SummenModell::Zellen(const Reihe& reihe) const {
    std::vector<std::string> zellen;
    if (gruppe_ == Gruppe::MonatUndZone) {
        zellen.push_back(reihe.gesamt ? "Gesamt" : MonatsText(*reihe.monat).toStdString());
        zellen.push_back(reihe.gesamt ? std::string() : std::string(ZonenName[reihe.zone]));
    } else {
        zellen.push_back(reihe.gesamt ? "Gesamt" : telefon_->nummern[reihe.nummer].nummer);
    }
    zellen.push_back(std::to_string(reihe.summe.anrufe));
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
    return parent.isValid() ? 0 : int(folge_.size());
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
    const Reihe& reihe = Gezeigt(index.row());
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
            return texte.gespraeche;
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
