#pragma once

#include "gui/Contrast.h"
#include "tariff/TariffTables.h"

#include <QColor>
#include <QFont>
#include <QRect>

class QWidget;
class QLabel;
class QFrame;

namespace tarvis {
class WertLabel;
}

namespace tarvis::style {

// Layout figures are kept in twips (1/1440 inch) where the window's design gives them; 15 twips
// make one pixel at 96 dots per inch.
constexpr int Px(int twips) {
    return twips / 15;
}
constexpr QRect Twips(int links, int oben, int breite, int hoehe) {
    return QRect(Px(links), Px(oben), Px(breite), Px(hoehe));
}

// Fonts in pixels, so that the windows keep their layout whatever dpi the display reports.
// Arial is looked up as such; fontconfig gives Liberation Sans, which has Arial's metrics.
QFont Arial(double punkte, bool fett = false);

inline const QColor Hellgrau{192, 192, 192};
inline const QColor Dunkelgrau{128, 128, 128};
inline const QColor Olivgelb{192, 192, 0};
inline const QColor Dunkelblau{0, 0, 128};
inline const QColor Dunkelrot{192, 0, 0};

// Zone colours, indexed 1..4: the ground of a zone's name label and the colour of its figures.
QColor ZonenGrund(int zone);
QColor ZonenFarbe(int zone);

// The ground of a kind of day, wherever one is shown (the main window's marker, the overview's
// choice of day): working days keep the windows' grey, so their marker is not seen.
QColor TagesArtGrund(TagesArt art);
// The text on that ground: white, but black on the working day's grey.
QColor TagesArtSchrift(TagesArt art);

// The high-contrast view (Contrast.h): windows built while it is on are coloured so from the
// start; FaerbeNeu() colours an open window anew after the view changed.
void FaerbeNeu(QWidget* fenster);

// The windows keep the grey ground of their design under every colour scheme. Under a dark
// scheme their controls would be drawn in the scheme's colours on it: an unchecked radio button
// a dark disc that looks checked, a scroll bar or a disabled button black on black. Such a
// window gets the controls of a light scheme; under a light scheme nothing changes. Call before
// the window sets its ground.
void HelleSteuerelemente(QWidget* fenster);

// What a window that can be maximised (the journal, the tariff overview) sets before anything
// else: its object name and title, a focus seen from the first key, the maximise button, the
// windows' font and the controls of a light scheme. Its ground is its own.
void RichteGrossesFensterEin(QWidget* fenster, const QString& name, const QString& titel);

// A fixed ground always comes with a fixed text colour, so that a dark colour scheme never puts
// its light text on it. Children inherit both.
void SetzeGrund(QWidget* widget, const QColor& farbe, const QColor& schrift = Qt::black);
void SetzeTextFarbe(QWidget* widget, const QColor& farbe);
QFrame* Rahmen(QWidget* parent, const QRect& geometrie, const QString& name);
QLabel* Beschriftung(QWidget* parent, const QString& text, const QRect& geometrie,
                     const QFont& font, Qt::Alignment ausrichtung = Qt::AlignCenter);

// Object name of one element of a control array, such as "lblZone(3)", so tests find it.
QString FeldName(const char* name, int index);

// The name of a zone on its ground colour, as every window shows it: centred, with a sunken
// border and black text.
QLabel* ZonenNameLabel(QWidget* parent, int zone, const QRect& geometrie, const QFont& font);

// What a figure of a zone means, for a screen reader: "City: 3 Einheiten", "City: 1 Einheit",
// "City: 0,36 DM", "City: 150,0 Sekunden je Einheit", "City: 0,05 DM je Minute". The unit "DM"
// beside a cost is read as it stands.
enum class ZonenWert { Einheiten, Kosten, Sekunden, DMproMinute, Waehrung };

// A text in a zone's colour on grey; in the high-contrast view black on the zone's ground.
void SetzeZonenSchrift(QWidget* widget, int zone);

// A figure of a zone: right-aligned, in the zone's colour on grey, with a sunken border.
WertLabel* ZonenZahl(QWidget* parent, const QString& name, int zone, const QRect& geometrie,
                     const QFont& font, ZonenWert wert);

// The name of a zone, "Region 50".
QString ZonenText(int zone);

// A label whose text is set only when it differs, so an unchanged figure is not repainted.
void SetzeText(QLabel* label, const QString& text);

} // namespace tarvis::style
