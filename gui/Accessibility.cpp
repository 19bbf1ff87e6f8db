#include "gui/Accessibility.h"

#include "gui/WindowStyle.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <QPointer>
#include <algorithm>

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

// A list box by its own name (its label's text), the value chosen as its value and as its
// text, which is where Orca looks for the value of a list box none of whose entries is marked
// selected; the list of entries as its only child, as Qt has it.
class AuswahlZugang final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AuswahlZugang(AuswahlListe* liste) : QAccessibleWidget(liste, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType art) override {
        if (art == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(art);
    }
    QString text(QAccessible::Text art) const override {
        switch (art) {
        case QAccessible::Value:
            return Liste()->currentText();
        default:
            return QAccessibleWidget::text(art);
        }
    }
    QAccessible::State state() const override {
        QAccessible::State zustand = QAccessibleWidget::state();
        zustand.expandable = true;
        zustand.expanded = Liste()->view()->isVisible();
        zustand.collapsed = !zustand.expanded;
        return zustand;
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(Liste()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* kind) const override {
        return kind != nullptr && kind->object() == Liste()->view() ? 0 : -1;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& aktion) override {
        if (aktion == showMenuAction() || aktion == pressAction()) {
            Liste()->showPopup();
        } else {
            QAccessibleWidget::doAction(aktion);
        }
    }

    // The value as a text that cannot be edited or selected.
    QString text(int anfang, int ende) const override { return Wert().mid(anfang, ende - anfang); }
    int characterCount() const override { return static_cast<int>(Wert().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* anfang, int* ende) const override { *anfang = *ende = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* anfang, int* ende) const override {
        *anfang = 0;
        *ende = characterCount();
        return {};
    }

private:
    AuswahlListe* Liste() const { return static_cast<AuswahlListe*>(widget()); }
    QString Wert() const { return Liste()->currentText(); }
};

QAccessibleInterface* ZugangsFabrik(const QString& klasse, QObject* objekt) {
    if (klasse == QLatin1String(WertLabel::staticMetaObject.className())) {
        if (auto* label = qobject_cast<WertLabel*>(objekt)) {
            return new WertLabelZugang(label);
        }
    }
    if (klasse == QLatin1String(AuswahlListe::staticMetaObject.className())) {
        if (auto* liste = qobject_cast<AuswahlListe*>(objekt)) {
            return new AuswahlZugang(liste);
        }
    }
    // Only a plain frame: the classes built on QFrame (labels, scroll areas) have their own.
    if (klasse == QLatin1String(QFrame::staticMetaObject.className()) &&
        objekt->metaObject() == &QFrame::staticMetaObject) {
        auto* rahmen = static_cast<QFrame*>(objekt);
        const bool bedienbar = (rahmen->focusPolicy() & Qt::TabFocus) != 0;
        return new QAccessibleWidget(rahmen,
                                     bedienbar ? QAccessible::Button : QAccessible::Grouping);
    }
    return nullptr;
}

// The colour of a focus frame: the highlight colour where it stands out at 3 : 1 or more from
// both the control's own ground and the window's ground it stands on (so the focus is seen
// whatever the scheme), otherwise black or white, whichever stands out more.
QColor FokusFarbe(const QWidget* control) {
    const QPalette& palette = control->palette();
    const QColor eigen = palette.color(control->backgroundRole());
    const QColor fenster = palette.color(QPalette::Window);
    const auto abstand = [&](const QColor& farbe) {
        return std::min(style::Kontrast(farbe, eigen), style::Kontrast(farbe, fenster));
    };
    const QColor hervorhebung = palette.color(QPalette::Highlight);
    if (abstand(hervorhebung) >= 3.0) {
        return hervorhebung;
    }
    return abstand(Qt::black) >= abstand(Qt::white) ? QColor(Qt::black) : QColor(Qt::white);
}

// Draws a focus frame over a control after it has painted itself, two pixels wide and a pixel
// inside its edge, where the control shows its own ground rather than its border.
class FokusRahmen final : public QObject {
public:
    explicit FokusRahmen(QWidget* control) : QObject(control) {
        setObjectName(QStringLiteral("FokusRahmen"));
    }

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
                painter.setPen(QPen(FokusFarbe(control), 2));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(QRectF(control->rect()).adjusted(2, 2, -2, -2));
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

// The frame over a scroll area (a table) is drawn by a layer over its viewport, which covers
// everything inside the area's thin border and paints itself without passing a filter.
class FokusSchicht final : public QWidget {
public:
    explicit FokusSchicht(QAbstractScrollArea* flaeche)
        : QWidget(flaeche->viewport()), flaeche_(flaeche) {
        setObjectName(QStringLiteral("FokusRahmen"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(flaeche->viewport()->rect());
        flaeche->viewport()->installEventFilter(this);
        flaeche->installEventFilter(this);
        show();
    }

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (objekt == flaeche_->viewport() && ereignis->type() == QEvent::Resize) {
            setGeometry(flaeche_->viewport()->rect());
        } else if (objekt == flaeche_ &&
                   (ereignis->type() == QEvent::FocusIn || ereignis->type() == QEvent::FocusOut)) {
            raise();
            update();
        }
        return false;
    }
    void paintEvent(QPaintEvent*) override {
        if (flaeche_->hasFocus()) {
            QPainter painter(this);
            painter.setPen(QPen(FokusFarbe(flaeche_), 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        }
    }

private:
    QAbstractScrollArea* flaeche_;
};

} // namespace

void RichteZugangEin() {
    // Once for the program: screen readers ask this factory before Qt's own.
    [[maybe_unused]] static const bool eingerichtet = [] {
        QAccessible::installFactory(&ZugangsFabrik);
        return true;
    }();
}

WertLabel::WertLabel(QWidget* parent) : QLabel(parent) {
    RichteZugangEin();
}

void SetzeGruppenName(QFrame* rahmen, const QString& name) {
    RichteZugangEin();
    rahmen->setAccessibleName(name);
}

void MeldeEingabeFehler(QWidget* feld, const QString& meldung, bool fokus) {
    feld->setAccessibleDescription(meldung);
    if (fokus && !meldung.isEmpty() && !feld->hasFocus()) {
        feld->setFocus(Qt::OtherFocusReason);
    }
}

// Qt 6.8 has an announcement of its own for screen readers, which Orca reads at once. Before
// it, a notification that shows itself stands in: Orca reads a notification the moment it
// appears. The label has no size, so nothing is seen on the screen.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
Ansage::Ansage(QWidget* fenster) : QObject(fenster), fenster_(fenster) {}

void Ansage::Sage(const QString& text) {
    QAccessibleAnnouncementEvent ereignis(fenster_, text);
    ereignis.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&ereignis);
}
#else
Ansage::Ansage(QWidget* fenster) : QObject(fenster), label_(new WertLabel(fenster)) {
    label_->setObjectName(QStringLiteral("Ansage"));
    label_->SetzeRolle(QAccessible::Notification);
    label_->setGeometry(0, 0, 0, 0);
    label_->hide();
}

void Ansage::Sage(const QString& text) {
    label_->hide();
    label_->setText(text);
    label_->show();
}
#endif

void SageAn(QWidget* widget, const QString& text) {
    QWidget* fenster = widget->window();
    auto* ansage = fenster->findChild<Ansage*>(QString(), Qt::FindDirectChildrenOnly);
    if (ansage == nullptr) {
        ansage = new Ansage(fenster);
    }
    ansage->Sage(text);
}

void SetzeBeschriftung(QLabel* label, QWidget* feld) {
    label->setBuddy(feld);
    // "&M" is read as M, "&&" as one '&'.
    const QString text = label->text();
    QString name;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
        }
        name += text[i];
    }
    label->setAccessibleName(name);
}

AuswahlListe::AuswahlListe(QWidget* parent) : QComboBox(parent) {
    RichteZugangEin();
    // Only a change by the keys is said: a list opened is read by the screen reader itself, and a
    // value set by the program is no news to the user.
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (hasFocus()) {
            SageAn(this, currentText());
        }
    });
}

namespace {

// Tells a screen reader that the current cell has the focus once the view has taken it. Qt tells
// of a cell the view makes current as it takes the focus, but before it tells of the view's own
// focus, which then stands as the last word.
class ZeileBeimBetreten final : public QObject {
public:
    explicit ZeileBeimBetreten(QAbstractItemView* tabelle) : QObject(tabelle) {}

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (ereignis->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent*>(ereignis)->reason() != Qt::PopupFocusReason) {
            QPointer<QAbstractItemView> tabelle = static_cast<QAbstractItemView*>(objekt);
            QMetaObject::invokeMethod(
                this,
                [tabelle] {
                    if (tabelle) {
                        MeldeAktuelleZelle(tabelle);
                    }
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    static void MeldeAktuelleZelle(QAbstractItemView* tabelle) {
        const QModelIndex aktuell = tabelle->currentIndex();
        if (!tabelle->hasFocus() || !aktuell.isValid() || !QAccessible::isActive()) {
            return;
        }
        QAccessibleInterface* zugang = QAccessible::queryAccessibleInterface(tabelle);
        QAccessibleTableInterface* tafel = zugang != nullptr ? zugang->tableInterface() : nullptr;
        if (tafel == nullptr) {
            return;
        }
        QAccessibleInterface* zelle = tafel->cellAt(aktuell.row(), aktuell.column());
        const int kind = zelle != nullptr ? zugang->indexOfChild(zelle) : -1;
        if (kind < 0) {
            return;
        }
        QAccessibleEvent ereignis(tabelle, QAccessible::Focus);
        ereignis.setChild(kind);
        QAccessible::updateAccessibility(&ereignis);
    }
};

} // namespace

namespace {

// Holds the field's own handling of the focus (which moves its cursor and selects its text)
// back until Qt has told of the focus, so that a screen reader hears of the focus first.
class FeldBeimBetreten final : public QObject {
public:
    explicit FeldBeimBetreten(QWidget* feld) : QObject(feld) {}

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (ereignis->type() != QEvent::FocusIn || durchlassen_ || !QAccessible::isActive()) {
            return false;
        }
        const Qt::FocusReason grund = static_cast<QFocusEvent*>(ereignis)->reason();
        if (grund != Qt::TabFocusReason && grund != Qt::BacktabFocusReason &&
            grund != Qt::ShortcutFocusReason) {
            return false;
        }
        QPointer<QWidget> feld = static_cast<QWidget*>(objekt);
        QMetaObject::invokeMethod(
            this,
            [this, feld, grund] {
                if (feld && feld->hasFocus()) {
                    durchlassen_ = true;
                    QFocusEvent spaeter(QEvent::FocusIn, grund);
                    QCoreApplication::sendEvent(feld, &spaeter);
                    durchlassen_ = false;
                }
            },
            Qt::QueuedConnection);
        return true;
    }

private:
    bool durchlassen_ = false;
};

} // namespace

void SprichtFeldBeimBetreten(QWidget* feld) {
    feld->installEventFilter(new FeldBeimBetreten(feld));
}

void SprichtZeileBeimBetreten(QAbstractItemView* tabelle) {
    tabelle->installEventFilter(new ZeileBeimBetreten(tabelle));
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
    auto* flaeche = qobject_cast<QAbstractScrollArea*>(control);
    QWidget* traeger = flaeche != nullptr ? flaeche->viewport() : control;
    if (traeger->findChild<QObject*>(QStringLiteral("FokusRahmen"), Qt::FindDirectChildrenOnly) !=
        nullptr) {
        return;
    }
    if (flaeche != nullptr) {
        new FokusSchicht(flaeche);
    } else {
        control->installEventFilter(new FokusRahmen(control));
    }
}

namespace {

// The viewport of a scroll area (a chart, a table) paints through its area, which the frame's
// filter would bypass; the area itself is framed instead.
bool IstViewport(const QWidget* widget) {
    const auto* flaeche = qobject_cast<const QAbstractScrollArea*>(widget->parentWidget());
    return flaeche != nullptr && flaeche->viewport() == widget;
}

// Qt forgets a keyboard focus change when a window is shown; it is set again each time.
class FokusSichtbar final : public QObject {
public:
    explicit FokusSichtbar(QWidget* fenster) : QObject(fenster) {}

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (ereignis->type() == QEvent::Show || ereignis->type() == QEvent::WindowActivate) {
            auto* fenster = static_cast<QWidget*>(objekt);
            fenster->setAttribute(Qt::WA_KeyboardFocusChange);
            // The style's own focus marks change a control too little to be seen by everyone
            // (a default button shows none at all); every control Tab reaches gets a frame.
            for (QWidget* control : fenster->findChildren<QWidget*>()) {
                if ((control->focusPolicy() & Qt::TabFocus) != 0 && !control->isWindow() &&
                    !IstViewport(control)) {
                    ZeigtFokus(control);
                }
            }
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
