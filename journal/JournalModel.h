#pragma once

#include "journal/JournalData.h"
#include "journal/JournalView.h"

#include <QAbstractTableModel>
#include <cstdint>
#include <vector>

namespace tarvis {

// Roles beyond Qt's own that the journal's views read.
namespace rolle {
inline constexpr int Zone = Qt::UserRole + 1;   // the zone 1..4 of a zone cell, for its colour
inline constexpr int Gesamt = Qt::UserRole + 2; // true on the row of the total
} // namespace rolle

// The calls as a table: one row per call that the filter lets through, in the order of the
// column last sorted by (at first the order of the files and lines). It sorts and filters by
// the calls' values itself, which on a million calls is many times faster than a proxy model
// comparing texts or variants.
class JournalModell : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit JournalModell(QObject* parent = nullptr);

    void SetzeDaten(JournalDaten daten);
    void SetzeFilter(const JournalFilter& filter);

    const JournalDaten& Daten() const { return daten_; }
    const JournalFilter& Filter() const { return filter_; }
    // The calls shown, row by row.
    const std::vector<std::uint32_t>& Zeilen() const { return zeilen_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // A column below 0 is the order of the files and lines.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void ZeigeNeu(std::vector<std::uint32_t> zeilen);

    JournalDaten daten_;
    std::vector<std::uint32_t> folge_; // every call, in the order sorted by
    std::vector<std::uint32_t> zeilen_;
    JournalFilter filter_;
    int spalte_ = -1;
    Qt::SortOrder ordnung_ = Qt::AscendingOrder;
};

// The sums per month and zone and the total, one row each, as the command line's report has
// them.
class SummenModell : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int SpaltenAnzahl = 5;

    explicit SummenModell(QObject* parent = nullptr);

    void SetzeSummen(const LogSummen& summen);
    // The sums left the range of their counters and are not shown.
    bool ZuGross() const { return zuGross_; }
    const std::vector<SummenZeile>& Zeilen() const { return zeilen_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<SummenZeile> zeilen_;
    bool zuGross_ = false;
};

} // namespace tarvis
