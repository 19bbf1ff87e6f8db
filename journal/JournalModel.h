#pragma once

#include "journal/JournalColumns.h"
#include "journal/JournalData.h"
#include "journal/JournalFilter.h"
#include "journal/JournalSums.h"
#include "journal/ModelRoles.h"

#include <QAbstractTableModel>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QTimer;

namespace tarvis {

// Calls by their index, in the order shown: the model's order of every call, or the rows a
// filter lets through. Shared, not copied: while no filter is set, the rows are the order.
using GeteilteFolge = std::shared_ptr<const std::vector<std::uint32_t>>;

// What a filter lets through and its sums: worked out away from the window, on any thread,
// from what the model hands out in a FilterAuftrag.
struct FilterAuftrag {
    std::shared_ptr<const JournalDaten> daten;
    // Every call, in the order shown: shared with the model, not copied.
    GeteilteFolge folge;
    JournalFilter filter;
    std::uint64_t stand = 0; // the model's state it was made from
    bool jeTelefon = false;  // the sums per telephone number too (only when shown)
};
struct FilterErgebnis {
    std::uint64_t stand = 0;
    JournalFilter filter;
    GeteilteFolge zeilen;
    LogSummen summen;
    std::optional<TelefonSummen> telefon;
};
FilterErgebnis FuehreAus(const FilterAuftrag& auftrag);

// A sort of every call by a column, worked out away from the window as a filter is.
struct SortAuftrag {
    std::shared_ptr<const JournalDaten> daten;
    int spalte = -1; // below 0: the order of the files and lines
    bool absteigend = false;
    std::uint64_t nummer = 0; // the model's sort request it answers
};
struct SortErgebnis {
    std::uint64_t nummer = 0;
    std::vector<std::uint32_t> folge;
};
SortErgebnis Sortiere(const SortAuftrag& auftrag);

// Calls read on a worker thread, with what the model would otherwise make of them on the
// window's thread: a million calls in the order of their files take 4 MB, whose first writing
// alone keeps a window waiting for milliseconds.
struct VorbereiteteDaten {
    std::shared_ptr<const JournalDaten> daten;
    std::vector<std::uint32_t> folge;        // every call in the order of the files
    std::vector<std::pair<int, int>> monate; // (year, month) of the calls, for the filter
};
VorbereiteteDaten Vorbereitet(JournalDaten daten);

// The calls as a table: one row per call that the filter lets through, in the order of the
// column last sorted by (at first the order of the files and lines). It sorts and filters by
// the calls' values itself, which on a million calls is many times faster than a proxy model
// comparing texts or variants. A filter is either set here, or worked out elsewhere from an
// Auftrag and its Ergebnis taken back, as long as neither the calls nor their order changed
// meanwhile. Sorts are handed to a Sortierer when one is set (the window's, which sorts on a
// worker thread), and are made at once otherwise; the order shown stays until the result of
// the newest request is taken, and the result of an older one is never shown.
class JournalModell : public QAbstractTableModel {
    Q_OBJECT

public:
    // A million rows handed to a view at once kept the window waiting while Qt's row header
    // made an item for each (40 ms on a million): more rows than this come to the view in
    // parts, a few milliseconds apart, and all of them before any other change is shown.
    static constexpr std::size_t ZeilenJeSchritt = 125'000;

    explicit JournalModell(QObject* parent = nullptr,
                           std::size_t zeilenJeSchritt = ZeilenJeSchritt);

    void SetzeDaten(JournalDaten daten);
    void SetzeDaten(VorbereiteteDaten daten);
    // Takes over the sorts from now on; it must hand each Auftrag's result to Uebernimm.
    void SetzeSortierer(std::function<void(SortAuftrag)> sortierer);
    // False (and nothing changed) when a newer sort was asked for, or other calls set, since.
    bool Uebernimm(SortErgebnis ergebnis);
    // Whether a sort was asked for and its result is not yet shown.
    bool SortLaeuft() const { return gezeigteSortierung_ != sortNummer_; }
    void SetzeFilter(const JournalFilter& filter);

    FilterAuftrag Auftrag(const JournalFilter& filter) const;
    // False (and nothing changed) when the calls or their order changed since the Auftrag.
    bool Uebernimm(FilterErgebnis ergebnis);

    const JournalDaten& Daten() const { return *daten_; }
    const JournalFilter& Filter() const { return filter_; }
    // The calls shown, row by row; the view may not have the last of them yet.
    const std::vector<std::uint32_t>& Zeilen() const { return *zeilen_; }
    // Whether rows are still to come to the view.
    bool ReichtNach() const { return gezeigt_ < zeilen_->size(); }
    // The calls shown, in the order of their files and lines whatever the order shown: the
    // export writes the same bytes as the command line.
    std::vector<std::uint32_t> ZeilenInDateiFolge() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // A column below 0 is the order of the files and lines.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void ZeigeNeu(GeteilteFolge zeilen);
    // How many rows the view gets now; the rest follow in parts.
    std::size_t ErsterTeil() const;
    void ReicheNach();
    void ReicheAllesNach();
    SortAuftrag NeueSortierung();
    void ZeigeFolge(std::vector<std::uint32_t> folge);

    std::shared_ptr<const JournalDaten> daten_;
    std::uint64_t stand_ = 0; // changes with the calls and with their order
    // Every call, in the order sorted by; a filter worked out elsewhere shares it, and so do
    // the rows while no filter is set.
    GeteilteFolge folge_;
    GeteilteFolge zeilen_;
    std::size_t gezeigt_ = 0; // the first rows of zeilen_: those the view has
    std::size_t zeilenJeSchritt_;
    QTimer* nachreichen_ = nullptr;
    JournalFilter filter_;
    int spalte_ = -1;
    Qt::SortOrder ordnung_ = Qt::AscendingOrder;
    std::function<void(SortAuftrag)> sortierer_;
    std::uint64_t sortNummer_ = 0;         // the newest sort asked for
    std::uint64_t gezeigteSortierung_ = 0; // the one shown
};

} // namespace tarvis
