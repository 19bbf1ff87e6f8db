#include "journal/window/JournalLook.h"

#include "gui/Accessibility.h"
#include "gui/WindowStyle.h"
#include "journal/ModelRoles.h"
#include "tariff/Zone.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>

namespace tarvis {

using namespace style;

namespace {

// A zone cell on its zone's ground with black text, as the zone labels of every window; the
// total of the sums in bold.
class ZonenDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant zone = index.data(rolle::Zone);
        if (zone.isValid() && IstZone(zone.toInt())) {
            option->backgroundBrush = ZonenGrund(zone.toInt());
            option->palette.setColor(QPalette::Text, Qt::black);
        }
        if (index.data(rolle::Gesamt).toBool()) {
            option->font.setBold(true);
        }
    }
};

} // namespace

QPalette JournalFarben(QPalette palette) {
    palette.setColor(QPalette::Window, Hellgrau);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(238, 238, 238));
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Button, Hellgrau);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, Dunkelgrau);
    return palette;
}

QLabel* Kopf(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    SetzeBeschriftung(label, buddy);
    return label;
}

QPushButton* Knopf(const char* name, const QString& text) {
    auto* knopf = new QPushButton(text);
    knopf->setObjectName(QLatin1String(name));
    knopf->setAutoDefault(false);
    return knopf;
}

void RichteTabelleEin(QTableView* tabelle, const char* name, const QString& zugang) {
    tabelle->setObjectName(QLatin1String(name));
    tabelle->setAccessibleName(zugang);
    tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabelle->setAlternatingRowColors(true);
    tabelle->setWordWrap(false);
    // The arrow keys move among the cells; Tab goes on to the next control, so the keyboard is
    // never caught in a table.
    tabelle->setTabKeyNavigation(false);
    tabelle->verticalHeader()->hide();
    // Rows of one height: the view need not measure a million of them.
    tabelle->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tabelle->verticalHeader()->setDefaultSectionSize(tabelle->fontMetrics().height() + 6);
    tabelle->horizontalHeader()->setHighlightSections(false);
    tabelle->horizontalHeader()->setAccessibleName(QStringLiteral("Spaltenköpfe: ") + zugang);
    tabelle->setItemDelegate(new ZonenDelegate(tabelle));
    SprichtZeileBeimBetreten(tabelle);
}

} // namespace tarvis
