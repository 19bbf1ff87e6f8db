#include "journal/window/SumsTable.h"

#include "journal/SumsModel.h"
#include "journal/window/JournalLook.h"

#include <QHeaderView>
#include <algorithm>

namespace tarvis {

SummenTabelle::SummenTabelle(SummenModell* summen, QWidget* parent) : QTableView(parent) {
    RichteTabelleEin(this, "tblSummen", QStringLiteral("Summen je Monat und Zone"));
    setModel(summen);
    auto breiten = [this, summen] {
        QHeaderView* koepfe = horizontalHeader();
        const int letzte = summen->columnCount() - 1;
        if (summen->Gruppierung() == SummenModell::Gruppe::Telefon) {
            // Hundreds of thousands of numbers: widths fitted to a thousand rows at every sort
            // kept the window waiting. The total has the widest figures.
            koepfe->setSectionResizeMode(QHeaderView::Interactive);
            for (int spalte = 0; spalte < letzte; ++spalte) {
                setColumnWidth(spalte, BreiteOhneDurchlauf(spalte));
            }
        } else {
            koepfe->setSectionResizeMode(QHeaderView::ResizeToContents);
        }
        koepfe->setSectionResizeMode(letzte, QHeaderView::Stretch);
    };
    breiten();
    // The other grouping has other columns.
    connect(summen, &QAbstractItemModel::modelReset, this, breiten);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    setMinimumWidth(400);
    // The chart beside the table is no Tab stop; the table tells of it.
    setAccessibleDescription(
        QStringLiteral("Die Grafik der Gebühren je Monat und Zone daneben zeigt dieselben Zahlen"));
}

// The widest of the heading, the rows in view (at most a screenful), the total and, for the
// numbers, a number as wide as the log's field.
int SummenTabelle::BreiteOhneDurchlauf(int spalte) const {
    constexpr int Bildschirmvoll = 60;
    int breite = horizontalHeader()->sectionSizeHint(spalte);
    const int zeilen = model()->rowCount();
    const int oben = std::max(rowAt(0), 0);
    int unten = rowAt(viewport()->height() - 1);
    unten = std::min(unten < 0 ? oben + Bildschirmvoll : unten, zeilen - 1);
    for (int zeile = oben; zeile <= unten; ++zeile) {
        breite = std::max(breite, sizeHintForIndex(model()->index(zeile, spalte)).width());
    }
    if (zeilen > 0) {
        breite = std::max(breite, sizeHintForIndex(model()->index(zeilen - 1, spalte)).width());
    }
    if (spalte == 0) {
        const QString nummer = QStringLiteral("0000 000000000000");
        breite = std::max(breite, fontMetrics().horizontalAdvance(nummer) + 16);
    }
    return breite;
}

void SummenTabelle::ZeigeGruppe(bool jeTelefon) {
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setAccessibleName(jeTelefon ? QStringLiteral("Summen je Telefonnummer")
                                : QStringLiteral("Summen je Monat und Zone"));
}

} // namespace tarvis
