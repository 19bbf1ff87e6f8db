#pragma once

#include <QTableView>

namespace tarvis {

// The table of the calls: one row per call that the filters let through, sorted by a click on
// a column's heading or from the keyboard (Ctrl+S by the current cell's column, again the
// other way round; the context menu key offers both orders and the order of the files).
class GespraechTabelle final : public QTableView {
public:
    explicit GespraechTabelle(QAbstractItemModel* modell, QWidget* parent = nullptr);

private:
    void SortiereSpalte(int spalte, Qt::SortOrder ordnung);
    void SortierMenue(const QPoint& wo);
    int AktuelleSpalte() const;
};

// What a screen reader is told of a new order: "Absteigend nach „Start“ sortiert"; a column
// below 0 is the order of the files.
QString SortierText(int spalte, Qt::SortOrder ordnung);

} // namespace tarvis
