#pragma once

#include <QColor>
#include <QWidget>

namespace tarvis {

// The bar of a zone that shows how far the unit in progress has run: the zone's light colour
// on grey. A screen reader reads its name, value and maximum whenever it asks. The bar moves on
// every tick, ten times a second, and tells nobody: a listener hears of the new unit from the
// unit figures instead (a QProgressBar would send an event for each step).
class Gauge final : public QWidget {
    Q_OBJECT

public:
    Gauge(QWidget* parent, const QColor& farbe);

    int maximum() const { return maximum_; }
    int value() const { return value_; }
    void setMaximum(int maximum);
    // Kept within 0..maximum.
    void setValue(int value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect Innen() const;
    int Fuellbreite() const;
    void NeuMalen(int vorher);

    QColor farbe_;
    int maximum_ = 1;
    int value_ = 0;
};

} // namespace tarvis
