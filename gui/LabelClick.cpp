#include "gui/LabelClick.h"

#include <QAbstractButton>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace tarvis {

namespace {

class KlickFilter final : public QObject {
public:
    KlickFilter(QWidget* label, std::function<void()> aktion)
        : QObject(label), aktion_(std::move(aktion)) {}

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (ereignis->type() != QEvent::MouseButtonRelease) {
            return false;
        }
        const auto* maus = static_cast<QMouseEvent*>(ereignis);
        const auto* label = static_cast<QWidget*>(objekt);
        if (maus->button() != Qt::LeftButton ||
            !label->rect().contains(maus->position().toPoint())) {
            return false;
        }
        aktion_();
        return true;
    }

private:
    std::function<void()> aktion_;
};

} // namespace

void BeiKlick(QWidget* label, std::function<void()> aktion) {
    label->installEventFilter(new KlickFilter(label, std::move(aktion)));
}

void WaehltBeiKlick(QWidget* label, QAbstractButton* option) {
    BeiKlick(label, [option] {
        option->setChecked(true);
        option->setFocus(Qt::MouseFocusReason);
    });
}

} // namespace tarvis
