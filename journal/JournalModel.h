#pragma once

#include "journal/JournalColumns.h"
#include "journal/JournalData.h"
#include "journal/JournalFilter.h"
#include "journal/JournalSums.h"
#include "journal/ModelRoles.h"

#include <QAbstractTableModel>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace tarvis {

// What a filter lets through and its sums: worked out away from the window, on any thread,
// from what the model hands out in a FilterAuftrag.
struct FilterAuftrag {
    std::shared_ptr<const JournalDaten> daten;
    std::vector<std::uint32_t> folge; // every call, in the order shown
    JournalFilter filter;
    std::uint64_t stand = 0; // the model's state it was made from
    bool jeTelefon = false;  // the sums per telephone number too (only when shown)
};
struct FilterErgebnis {
    std::uint64_t stand = 0;
    JournalFilter filter;
    std::vector<std::uint32_t> zeilen;
    LogSummen summen;
    std::optional<TelefonSummen> telefon;
};
FilterErgebnis FuehreAus(const FilterAuftrag& auftrag);

// The calls as a table: one row per call that the filter lets through, in the order of the
// column last sorted by (at first the order of the files and lines). It sorts and filters by
// the calls' values itself, which on a million calls is many times faster than a proxy model
// comparing texts or variants. A filter is either set here, or worked out elsewhere from an
// Auftrag and its Ergebnis taken back, as long as neither the calls nor their order changed
// meanwhile.
class JournalModell : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit JournalModell(QObject* parent = nullptr);

    void SetzeDaten(JournalDaten daten);
    void SetzeFilter(const JournalFilter& filter);

    FilterAuftrag Auftrag(const JournalFilter& filter) const;
    // False (and nothing changed) when the calls or their order changed since the Auftrag.
    bool Uebernimm(FilterErgebnis ergebnis);

    const JournalDaten& Daten() const { return *daten_; }
    const JournalFilter& Filter() const { return filter_; }
    // The calls shown, row by row.
    const std::vector<std::uint32_t>& Zeilen() const { return zeilen_; }
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
    void ZeigeNeu(std::vector<std::uint32_t> zeilen);

    std::shared_ptr<const JournalDaten> daten_;
    std::uint64_t stand_ = 0;          // changes with the calls and with their order
    std::vector<std::uint32_t> folge_; // every call, in the order sorted by
    std::vector<std::uint32_t> zeilen_;
    JournalFilter filter_;
    int spalte_ = -1;
    Qt::SortOrder ordnung_ = Qt::AscendingOrder;
};

} // namespace tarvis
