#pragma once

#include "journal/JournalFilter.h"

#include <QWidget>
#include <array>
#include <utility>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tarvis {

// The row above the calls: the filters by month, zone and text, and the choice of the logs.
class FilterLeiste final : public QWidget {
    Q_OBJECT

public:
    explicit FilterLeiste(QWidget* parent = nullptr);

    // What the filters let through as they are set.
    JournalFilter Filter() const;
    // The months of the calls read; a month chosen before stays chosen while it has calls.
    void ZeigeMonate(const std::vector<std::pair<int, int>>& monate);
    // Other logs can be chosen only while none are being read.
    void DateiwahlFrei(bool frei);
    // The way back to the folder's own logs, once others are shown.
    void ZeigeOrdnerKnopf(bool zeigen);
    // The controls in the order of the Tab key.
    std::array<QWidget*, 5> Folge() const;

Q_SIGNALS:
    // Month or zone changed.
    void Gewaehlt();
    // The search text changed.
    void Getippt();
    void DateienWaehlen();
    void OrdnerLesen();

private:
    QComboBox* cboMonat_ = nullptr;
    QComboBox* cboZone_ = nullptr;
    QLineEdit* txtSuche_ = nullptr;
    QPushButton* cmdDateien_ = nullptr;
    QPushButton* cmdOrdner_ = nullptr;
};

} // namespace tarvis
