#include "journal/window/CallsTable.h"

#include "gui/Accessibility.h"
#include "journal/JournalColumns.h"
#include "journal/window/JournalLook.h"

#include <QHeaderView>
#include <QMenu>
#include <QShortcut>
#include <algorithm>

namespace tarvis {

GespraechTabelle::GespraechTabelle(QAbstractItemModel* modell, QWidget* parent)
    : QTableView(parent) {
    RichteTabelleEin(this, "tblGespraeche", QStringLiteral("Anrufe"));
    setModel(modell);
    QHeaderView* koepfe = horizontalHeader();
    // The order of the files until the user sorts by a column.
    koepfe->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    koepfe->setStretchLastSection(true);
    const QFontMetrics masse = fontMetrics();
    const char* muster[SpaltenAnzahl] = {"00.00.0000",  "00:00:00",         "00.00.0000 00:00:00",
                                         "000:00:00,0", "0000 00000000000", "Region 200",
                                         "Einheiten",   "0000,00",          ""};
    for (int spalte = 0; spalte + 1 < SpaltenAnzahl; ++spalte) {
        const QString kopf = QString::fromUtf8(SpaltenName[static_cast<std::size_t>(spalte)]);
        const int breite = std::max(masse.horizontalAdvance(QLatin1String(muster[spalte])),
                                    masse.horizontalAdvance(kopf) + 14);
        setColumnWidth(spalte, breite + 16);
    }

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &GespraechTabelle::SortierMenue);
    auto* sortieren = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    sortieren->setContext(Qt::WidgetShortcut);
    connect(sortieren, &QShortcut::activated, this, [this] {
        const int spalte = AktuelleSpalte();
        const QHeaderView* koepfe = horizontalHeader();
        const bool wieder = koepfe->sortIndicatorSection() == spalte &&
                            koepfe->sortIndicatorOrder() == Qt::AscendingOrder;
        SortiereSpalte(spalte, wieder ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
}

int GespraechTabelle::AktuelleSpalte() const {
    return std::max(currentIndex().column(), 0);
}

void GespraechTabelle::SortiereSpalte(int spalte, Qt::SortOrder ordnung) {
    // The header shows the order and tells the model, as a click on it does.
    horizontalHeader()->setSortIndicator(spalte, ordnung);
    SageAn(this, SortierText(spalte, ordnung));
}

QString SortierText(int spalte, Qt::SortOrder ordnung) {
    if (spalte < 0 || spalte >= SpaltenAnzahl) {
        return QStringLiteral("In der Reihenfolge der Dateien");
    }
    const QString name = QString::fromUtf8(SpaltenName[static_cast<std::size_t>(spalte)]);
    return (ordnung == Qt::AscendingOrder ? QStringLiteral("Aufsteigend nach „%1“ sortiert")
                                          : QStringLiteral("Absteigend nach „%1“ sortiert"))
        .arg(name);
}

void GespraechTabelle::SortierMenue(const QPoint& wo) {
    const int spalte = AktuelleSpalte();
    const QString name = QString::fromUtf8(SpaltenName[static_cast<std::size_t>(spalte)]);
    QMenu menue(window());
    menue.setObjectName(QStringLiteral("mnuSortieren"));
    menue.setAccessibleName(QStringLiteral("Sortieren"));
    menue.addAction(QStringLiteral("&Aufsteigend nach „%1“ sortieren").arg(name), this,
                    [this, spalte] { SortiereSpalte(spalte, Qt::AscendingOrder); });
    menue.addAction(QStringLiteral("A&bsteigend nach „%1“ sortieren").arg(name), this,
                    [this, spalte] { SortiereSpalte(spalte, Qt::DescendingOrder); });
    menue.addAction(QStringLiteral("In der &Reihenfolge der Dateien"), this,
                    [this] { SortiereSpalte(-1, Qt::AscendingOrder); });
    menue.exec(viewport()->mapToGlobal(wo));
}

} // namespace tarvis
