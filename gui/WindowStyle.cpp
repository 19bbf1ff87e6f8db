#include "gui/WindowStyle.h"

#include "gui/Accessibility.h"
#include "tariff/TariffTables.h"

#include <QFrame>
#include <QLabel>
#include <cmath>

namespace tarvis::style {

QFont Arial(double punkte, bool fett) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(static_cast<int>(std::lround(punkte * 96.0 / 72.0)));
    font.setBold(fett);
    return font;
}

QColor ZonenGrund(int zone) {
    static const QColor farben[] = {
        {255, 255, 128}, {128, 255, 128}, {255, 128, 255}, {255, 128, 128}};
    return farben[zone - 1];
}

QColor ZonenFarbe(int zone) {
    static const QColor farben[] = {{255, 255, 0}, {0, 255, 0}, {255, 0, 255}, {255, 0, 0}};
    return farben[zone - 1];
}

void SetzeGrund(QWidget* widget, const QColor& farbe, const QColor& schrift) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, farbe);
    palette.setColor(QPalette::Base, farbe);
    palette.setColor(QPalette::WindowText, schrift);
    palette.setColor(QPalette::Text, schrift);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetzeTextFarbe(QWidget* widget, const QColor& farbe) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, farbe);
    palette.setColor(QPalette::Text, farbe);
    widget->setPalette(palette);
}

QFrame* Rahmen(QWidget* parent, const QRect& geometrie, const QString& name) {
    auto* rahmen = new QFrame(parent);
    rahmen->setObjectName(name);
    rahmen->setFrameStyle(QFrame::Box | QFrame::Sunken);
    rahmen->setGeometry(geometrie);
    return rahmen;
}

QLabel* Beschriftung(QWidget* parent, const QString& text, const QRect& geometrie,
                     const QFont& font, Qt::Alignment ausrichtung) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometrie);
    label->setFont(font);
    label->setAlignment(ausrichtung);
    return label;
}

QString FeldName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QString ZonenText(int zone) {
    return QString::fromUtf8(ZonenName[zone].data(), qsizetype(ZonenName[zone].size()));
}

QLabel* ZonenNameLabel(QWidget* parent, int zone, const QRect& geometrie, const QFont& font) {
    QLabel* label = Beschriftung(parent, ZonenText(zone), geometrie, font);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SetzeGrund(label, ZonenGrund(zone), Qt::black);
    return label;
}

namespace {

QString ZonenWertName(int zone, ZonenWert wert, const QString& text) {
    if (wert == ZonenWert::Waehrung) {
        return text;
    }
    QString name = ZonenText(zone) + QStringLiteral(": ") + text;
    switch (wert) {
    case ZonenWert::Einheiten:
        return name + (text == QLatin1String("1") ? QStringLiteral(" Einheit")
                                                  : QStringLiteral(" Einheiten"));
    case ZonenWert::Kosten:
        return name + QStringLiteral(" DM");
    case ZonenWert::Sekunden:
        return name + QStringLiteral(" Sekunden je Einheit");
    case ZonenWert::DMproMinute:
        return name + QStringLiteral(" DM je Minute");
    case ZonenWert::Waehrung:
        break;
    }
    return name;
}

} // namespace

WertLabel* ZonenZahl(QWidget* parent, const QString& name, int zone, const QRect& geometrie,
                     const QFont& font, ZonenWert wert) {
    auto* label = new WertLabel(parent);
    label->setGeometry(geometrie);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMargin(1);
    SetzeGrund(label, Hellgrau, ZonenFarbe(zone));
    label->SetzeName([zone, wert](const QString& text) { return ZonenWertName(zone, wert, text); });
    return label;
}

void SetzeText(QLabel* label, const QString& text) {
    if (label->text() != text) {
        label->setText(text);
    }
}

} // namespace tarvis::style
