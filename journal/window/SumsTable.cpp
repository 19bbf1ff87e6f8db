#include "journal/window/SumsTable.h"

#include "journal/SumsModel.h"
#include "journal/window/JournalLook.h"

#include <QHeaderView>

namespace tarvis {

SummenTabelle::SummenTabelle(SummenModell* summen, QWidget* parent) : QTableView(parent) {
    RichteTabelleEin(this, "tblSummen", QStringLiteral("Summen je Monat und Zone"));
    setModel(summen);
    auto breiten = [this, summen] {
        QHeaderView* koepfe = horizontalHeader();
        koepfe->setSectionResizeMode(QHeaderView::ResizeToContents);
        koepfe->setSectionResizeMode(summen->columnCount() - 1, QHeaderView::Stretch);
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

void SummenTabelle::ZeigeGruppe(bool jeTelefon) {
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setAccessibleName(jeTelefon ? QStringLiteral("Summen je Telefonnummer")
                                : QStringLiteral("Summen je Monat und Zone"));
}

} // namespace tarvis
