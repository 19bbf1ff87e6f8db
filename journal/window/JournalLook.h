#pragma once

#include <QPalette>
#include <QString>

class QLabel;
class QPushButton;
class QTableView;
class QWidget;

namespace tarvis {

// The journal window's colours whatever the desktop's scheme: every fixed ground has its text
// colour.
QPalette JournalFarben(QPalette palette);

// A caption that names its field and gives it its mnemonic.
QLabel* Kopf(const QString& text, QWidget* buddy);

// A button that Enter in another control does not press.
QPushButton* Knopf(const char* name, const QString& text);

// A table of the journal: whole rows chosen, rows of one height, zone cells on their zone's
// ground and the total in bold, and Tab going on to the next control.
void RichteTabelleEin(QTableView* tabelle, const char* name, const QString& zugang);

} // namespace tarvis
