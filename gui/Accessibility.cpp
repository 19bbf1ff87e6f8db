#include "gui/Accessibility.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>

namespace tarvis {

namespace {

class WertLabelZugang final : public QAccessibleWidget {
public:
    explicit WertLabelZugang(WertLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text art) const override {
        switch (art) {
        case QAccessible::Name:
            return Label()->ZugangsName();
        case QAccessible::Value:
            return Label()->text();
        default:
            return QAccessibleWidget::text(art);
        }
    }
    QAccessible::Role role() const override { return Label()->Rolle(); }

private:
    WertLabel* Label() const { return static_cast<WertLabel*>(widget()); }
};

QAccessibleInterface* WertLabelFabrik(const QString& klasse, QObject* objekt) {
    if (klasse == QLatin1String(WertLabel::staticMetaObject.className())) {
        if (auto* label = qobject_cast<WertLabel*>(objekt)) {
            return new WertLabelZugang(label);
        }
    }
    return nullptr;
}

// Draws a focus frame in the highlight colour over a control after it has painted itself.
class FokusRahmen final : public QObject {
public:
    explicit FokusRahmen(QWidget* control) : QObject(control) {}

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        auto* control = static_cast<QWidget*>(objekt);
        switch (ereignis->type()) {
        case QEvent::Paint: {
            // The control paints itself first (a filter's own call does not pass the filters
            // again); the frame goes on top.
            const bool erledigt = objekt->event(ereignis);
            if (control->hasFocus()) {
                QPainter painter(control);
                painter.setPen(QPen(control->palette().color(QPalette::Highlight), 2));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(QRectF(control->rect()).adjusted(1, 1, -1, -1));
            }
            return erledigt;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            control->update();
            return false;
        default:
            return false;
        }
    }
};

} // namespace

WertLabel::WertLabel(QWidget* parent) : QLabel(parent) {
    // Once for the program: screen readers ask this factory before Qt's own for the labels.
    [[maybe_unused]] static const bool eingerichtet = [] {
        QAccessible::installFactory(&WertLabelFabrik);
        return true;
    }();
}

void WertLabel::SetzeName(NamensRegel regel, Meldung meldung) {
    regel_ = std::move(regel);
    // Qt tells of a new text only for a label without a name of its own. The name given here
    // is never read (the factory's interface makes the name from the text); it only keeps a
    // quiet label quiet.
    setAccessibleName(meldung == Meldung::Leise ? QStringLiteral("-") : QString());
}

void WertLabel::SetzeName(const QString& vorne, const QString& hinten, Meldung meldung) {
    SetzeName(
        [vorne, hinten](const QString& text) {
            return text.isEmpty() ? vorne.chopped(vorne.endsWith(QLatin1String(": ")) ? 2 : 0)
                                  : vorne + text + hinten;
        },
        meldung);
}

QString WertLabel::ZugangsName() const {
    return regel_ ? regel_(text()) : text();
}

void WertLabel::Melde() {
    QAccessibleEvent ereignis(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&ereignis);
}

void WertLabel::Alarm() {
    QAccessibleEvent ereignis(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&ereignis);
}

void ZeigtFokus(QWidget* control) {
    control->installEventFilter(new FokusRahmen(control));
}

namespace {

// Qt forgets a keyboard focus change when a window is shown; it is set again each time.
class FokusSichtbar final : public QObject {
public:
    explicit FokusSichtbar(QWidget* fenster) : QObject(fenster) {}

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (ereignis->type() == QEvent::Show || ereignis->type() == QEvent::WindowActivate) {
            static_cast<QWidget*>(objekt)->setAttribute(Qt::WA_KeyboardFocusChange);
        }
        return false;
    }
};

} // namespace

void FokusVonAnfangAnSichtbar(QWidget* fenster) {
    fenster->setAttribute(Qt::WA_KeyboardFocusChange);
    fenster->installEventFilter(new FokusSichtbar(fenster));
}

} // namespace tarvis
