#pragma once

#include <QChartView>

class QChart;

namespace tarvis {

struct GrafikDaten;

// The chart of the cost per month: a bar per month, stacked by zone in the zones' colours,
// each bar telling its month, zone and amount when the mouse rests on it. A picture beside the
// table of sums, which holds the same figures: no Tab stop.
class MonatsGrafik final : public QChartView {
public:
    explicit MonatsGrafik(QWidget* parent = nullptr);

    void Zeige(const GrafikDaten& daten);

private:
    QChart* chart_ = nullptr;
};

} // namespace tarvis
