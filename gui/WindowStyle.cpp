#include "gui/WindowStyle.h"

#include "gui/Accessibility.h"
#include "gui/Contrast.h"
#include "tariff/TariffTables.h"

#include <QFrame>
#include <QLabel>
#include <QVariant>
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

QColor TagesArtGrund(TagesArt art) {
    switch (art) {
    case TagesArt::Wochenende:
        return {255, 192, 192};
    case TagesArt::Feiertag:
        return Dunkelrot;
    case TagesArt::JahresendWerktag:
        return {192, 192, 255};
    case TagesArt::Werktag:
        break;
    }
    return Hellgrau;
}

QColor TagesArtSchrift(TagesArt art) {
    return art == TagesArt::Werktag ? QColor(Qt::black) : QColor(Qt::white);
}

namespace {

// The colours a window asked for are kept with the widget, so that a change of view can colour
// it anew from them.
constexpr char GrundFarbe[] = "tarvisGrund";
constexpr char SchriftFarbe[] = "tarvisSchrift";
constexpr char ZonenMarke[] = "tarvisZone";

void Faerbe(QWidget* widget) {
    const QVariant grund = widget->property(GrundFarbe);
    const QVariant schrift = widget->property(SchriftFarbe);
    const QVariant zone = widget->property(ZonenMarke);
    QPalette palette = widget->palette();
    QColor neuGrund = grund.isValid() ? grund.value<QColor>() : palette.color(QPalette::Window);
    QColor neuSchrift = schrift.value<QColor>();
    if (HoherKontrast() && zone.isValid()) {
        neuGrund = ZonenGrund(zone.toInt());
        neuSchrift = Qt::black;
    }
    if (HoherKontrast()) {
        const FarbPaar paar = MitKontrast(neuSchrift, neuGrund, KontrastHoch);
        neuSchrift = paar.schrift;
        neuGrund = paar.grund;
    }
    if (grund.isValid() || (HoherKontrast() && zone.isValid())) {
        palette.setColor(QPalette::Window, neuGrund);
        palette.setColor(QPalette::Base, neuGrund);
        widget->setAutoFillBackground(true);
    } else if (zone.isValid()) {
        // Back from the high-contrast view: the ground is the parent's again.
        palette.setBrush(QPalette::Window, widget->parentWidget()->palette().window());
        palette.setBrush(QPalette::Base, widget->parentWidget()->palette().base());
        widget->setAutoFillBackground(false);
    }
    palette.setColor(QPalette::WindowText, neuSchrift);
    palette.setColor(QPalette::Text, neuSchrift);
    widget->setPalette(palette);
}

} // namespace

void FaerbeNeu(QWidget* fenster) {
    // Parents come before their children, so a text is measured against its new ground.
    QList<QWidget*> widgets = fenster->findChildren<QWidget*>();
    widgets.prepend(fenster);
    for (QWidget* widget : widgets) {
        if (widget->property(SchriftFarbe).isValid()) {
            Faerbe(widget);
        }
    }
}

void HelleSteuerelemente(QWidget* fenster) {
    const QPalette& jetzt = fenster->palette();
    const auto istHell = [&](QPalette::ColorRole grund, QPalette::ColorRole schrift) {
        return Leuchtdichte(jetzt.color(grund)) >= 0.25 &&
               Kontrast(jetzt.color(grund), jetzt.color(schrift)) >= 4.5;
    };
    if (istHell(QPalette::Window, QPalette::WindowText) &&
        istHell(QPalette::Base, QPalette::Text) &&
        istHell(QPalette::Button, QPalette::ButtonText)) {
        return;
    }
    // Qt's own light colours (those of its Fusion style).
    const QColor knopf(239, 239, 239);
    QPalette hell(knopf, knopf);
    hell.setColor(QPalette::Base, Qt::white);
    hell.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    hell.setColor(QPalette::Highlight, QColor(48, 140, 198));
    hell.setColor(QPalette::HighlightedText, Qt::white);
    hell.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    hell.setColor(QPalette::ToolTipText, Qt::black);
    hell.setColor(QPalette::PlaceholderText, QColor(112, 112, 112));
    for (const QPalette::ColorRole rolle :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        hell.setColor(QPalette::Disabled, rolle, QColor(112, 112, 112));
    }
    fenster->setPalette(hell);
}

void RichteGrossesFensterEin(QWidget* fenster, const QString& name, const QString& titel) {
    fenster->setObjectName(name);
    FokusVonAnfangAnSichtbar(fenster);
    fenster->setWindowTitle(titel);
    fenster->setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    fenster->setFont(Arial(9.75));
    HelleSteuerelemente(fenster);
}

void SetzeGrund(QWidget* widget, const QColor& farbe, const QColor& schrift) {
    widget->setProperty(GrundFarbe, farbe);
    widget->setProperty(SchriftFarbe, schrift);
    Faerbe(widget);
}

void SetzeTextFarbe(QWidget* widget, const QColor& farbe) {
    widget->setProperty(SchriftFarbe, farbe);
    Faerbe(widget);
}

void SetzeZonenSchrift(QWidget* widget, int zone) {
    widget->setProperty(ZonenMarke, zone);
    SetzeTextFarbe(widget, ZonenFarbe(zone));
}

QFrame* Rahmen(QWidget* parent, const QRect& geometrie, const QString& name) {
    auto* rahmen = new QFrame(parent);
    rahmen->setObjectName(name);
    rahmen->setFrameStyle(QFrame::Box | QFrame::Sunken);
    rahmen->setGeometry(geometrie);
    RichteZugangEin();
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
    label->setProperty(ZonenMarke, zone);
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
