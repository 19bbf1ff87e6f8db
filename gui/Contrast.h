#pragma once

// The contrast arithmetic and the high-contrast view: how far a text stands out from its ground
// (WCAG's relative luminance and contrast ratio), the colours that reach a given ratio, and the
// switch for the view in which every text the windows colour themselves reaches 7 : 1. Only
// colours are reckoned here; WindowStyle.h applies them to the widgets.

#include <QColor>

namespace tarvis::style {

// The ratio every text reaches in the high-contrast view (WCAG AAA).
inline constexpr double KontrastHoch = 7.0;

// The high-contrast view for people with low vision: off by default, when every window looks as
// designed. When on, every text that a window colours itself stands at KontrastHoch or more
// against its ground: a text colour is pulled towards black or white (and, where that is not
// enough, its ground the other way); a zone's figures become black on their zone's ground, so
// the zone colours stay as marks.
void SetzeHoherKontrast(bool an);
bool HoherKontrast();

// Relative luminance and contrast ratio (1 : 1 to 21 : 1) as WCAG defines them.
double Leuchtdichte(const QColor& farbe);
double Kontrast(const QColor& a, const QColor& b);
// `schrift` and `grund` brought to at least `ziel` : 1, both unchanged when they already are.
struct FarbPaar {
    QColor schrift;
    QColor grund;
};
FarbPaar MitKontrast(const QColor& schrift, const QColor& grund, double ziel);

} // namespace tarvis::style
