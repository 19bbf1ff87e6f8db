#pragma once

#include "journal/JournalCsv.h"
#include "journal/JournalSums.h"

#include <QAbstractTableModel>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvis {

// The sums of the calls shown, one row each and the total last: per month and zone, as the
// command line's report has them, or per telephone number. Sorting by a column keeps the total
// last; a column below 0 is the order of the report.
class SummenModell : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class Gruppe { MonatUndZone, Telefon };

    explicit SummenModell(QObject* parent = nullptr);

    void SetzeSummen(const LogSummen& summen, std::optional<TelefonSummen> telefon = {});
    void SetzeGruppe(Gruppe gruppe);
    Gruppe Gruppierung() const { return gruppe_; }
    // The sums left the range of their counters and are not shown.
    bool ZuGross() const;
    // Per month and zone, in the report's order, whatever the grouping shown.
    const std::vector<SummenZeile>& Zeilen() const { return zeilen_; }
    // The rows as shown, each a list of its cells with the cost as "12,00": the export's rows.
    std::vector<std::vector<std::string>> Tabelle() const;
    std::vector<std::string> Koepfe() const;
    std::vector<CsvArt> Arten() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    // One row: a zone in a month, a telephone number (its place in the sums per number), or
    // the total. The rows per month and zone are kept; those per number are made when asked
    // for, from the sums per number.
    struct Reihe {
        std::optional<std::pair<int, int>> monat;
        int zone = 0;
        std::uint32_t nummer = 0;
        LogSumme summe;
        bool gesamt = false;
    };
    void BaueReihen();
    void Ordne();
    std::vector<std::string> Zellen(const Reihe& reihe) const;
    Reihe Gezeigt(int zeile) const;

    std::vector<SummenZeile> zeilen_;
    std::optional<TelefonSummen> telefon_;
    bool monateZuGross_ = false;
    Gruppe gruppe_ = Gruppe::MonatUndZone;
    std::vector<Reihe> reihen_; // per month and zone, the report's order, the total last
    // The rows as shown, the total the one past the others; of the sums per number only a
    // descending order (the others are read where they are).
    std::vector<std::uint32_t> folge_;
    int spalte_ = -1;
    Qt::SortOrder ordnung_ = Qt::AscendingOrder;
};

} // namespace tarvis
