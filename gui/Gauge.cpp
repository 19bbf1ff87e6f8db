#include "gui/Gauge.h"

#include "gui/WindowStyle.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace tarvis {

namespace {

class GaugeZugang final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit GaugeZugang(Gauge* gauge) : QAccessibleWidget(gauge, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType art) override {
        if (art == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(art);
    }

    QString text(QAccessible::Text art) const override {
        if (art == QAccessible::Value) {
            return QStringLiteral("%1 %").arg(Prozent());
        }
        return QAccessibleWidget::text(art);
    }

    QVariant currentValue() const override { return G()->value(); }
    void setCurrentValue(const QVariant&) override {} // shows, takes no input
    QVariant maximumValue() const override { return G()->maximum(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 0; }

private:
    Gauge* G() const { return static_cast<Gauge*>(widget()); }
    int Prozent() const {
        return static_cast<int>(std::int64_t{G()->value()} * 100 / std::max(1, G()->maximum()));
    }
};

QAccessibleInterface* GaugeFabrik(const QString& klasse, QObject* objekt) {
    if (klasse == QLatin1String(Gauge::staticMetaObject.className())) {
        if (auto* gauge = qobject_cast<Gauge*>(objekt)) {
            return new GaugeZugang(gauge);
        }
    }
    return nullptr;
}

} // namespace

Gauge::Gauge(QWidget* parent, const QColor& farbe) : QWidget(parent), farbe_(farbe) {
    [[maybe_unused]] static const bool eingerichtet = [] {
        QAccessible::installFactory(&GaugeFabrik);
        return true;
    }();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Gauge::setMaximum(int maximum) {
    const int neu = std::max(1, maximum);
    if (neu != maximum_) {
        const int vorher = Fuellbreite();
        maximum_ = neu;
        value_ = std::min(value_, maximum_);
        NeuMalen(vorher);
    }
}

void Gauge::setValue(int value) {
    const int neu = std::clamp(value, 0, maximum_);
    if (neu != value_) {
        const int vorher = Fuellbreite();
        value_ = neu;
        NeuMalen(vorher);
    }
}

QRect Gauge::Innen() const {
    return rect().adjusted(1, 1, -1, -1);
}

int Gauge::Fuellbreite() const {
    return static_cast<int>(std::int64_t{Innen().width()} * value_ / maximum_);
}

// The value moves ten times a second, the filled part by a pixel every few ticks on a long
// unit: only a pixel that changes is painted again, the strip between the old and new edge.
void Gauge::NeuMalen(int vorher) {
    const int nachher = Fuellbreite();
    if (nachher != vorher) {
        const QRect innen = Innen();
        update(innen.left() + std::min(vorher, nachher), innen.top(), std::abs(nachher - vorher),
               innen.height());
    }
}

// A grey bar with a dark grey border, filled from the left in the zone's colour.
void Gauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), style::Hellgrau);
    const QRect innen = Innen();
    const int breite = Fuellbreite();
    painter.fillRect(QRect(innen.topLeft(), QSize(breite, innen.height())), farbe_);
    painter.setPen(style::Dunkelgrau);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace tarvis
