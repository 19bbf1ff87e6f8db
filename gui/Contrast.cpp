#include "gui/Contrast.h"

#include <algorithm>
#include <cmath>

namespace tarvis::style {

namespace {

// Whether the view is on: one switch for all windows of the program, set by the main window's
// menu and read whenever a window is coloured.
bool hoherKontrast = false;

QColor Gemischt(const QColor& von, const QColor& nach, double anteil) {
    const auto mische = [anteil](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * anteil));
    };
    return QColor(mische(von.red(), nach.red()), mische(von.green(), nach.green()),
                  mische(von.blue(), nach.blue()));
}

// The smallest step from `von` towards `nach` that reaches the contrast `ziel` against `gegen`
// (found by halving; contrast grows along the way), or `nach` itself when none does.
QColor Naeher(const QColor& von, const QColor& nach, const QColor& gegen, double ziel) {
    if (Kontrast(nach, gegen) < ziel) {
        return nach;
    }
    double unten = 0.0, oben = 1.0;
    for (int schritt = 0; schritt < 20; ++schritt) {
        const double mitte = (unten + oben) / 2;
        (Kontrast(Gemischt(von, nach, mitte), gegen) >= ziel ? oben : unten) = mitte;
    }
    return Gemischt(von, nach, oben);
}

} // namespace

void SetzeHoherKontrast(bool an) {
    hoherKontrast = an;
}

bool HoherKontrast() {
    return hoherKontrast;
}

double Leuchtdichte(const QColor& farbe) {
    const auto linear = [](double anteil) {
        return anteil <= 0.04045 ? anteil / 12.92 : std::pow((anteil + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(farbe.redF()) + 0.7152 * linear(farbe.greenF()) +
           0.0722 * linear(farbe.blueF());
}

double Kontrast(const QColor& a, const QColor& b) {
    const double la = Leuchtdichte(a), lb = Leuchtdichte(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

FarbPaar MitKontrast(const QColor& schrift, const QColor& grund, double ziel) {
    if (Kontrast(schrift, grund) >= ziel) {
        return {schrift, grund};
    }
    // Towards whichever of black and white stands further from the ground.
    const bool dunkel = Kontrast(Qt::black, grund) >= Kontrast(Qt::white, grund);
    const QColor ende = dunkel ? QColor(Qt::black) : QColor(Qt::white);
    const QColor neueSchrift = Naeher(schrift, ende, grund, ziel);
    if (Kontrast(neueSchrift, grund) >= ziel) {
        return {neueSchrift, grund};
    }
    const QColor gegenEnde = dunkel ? QColor(Qt::white) : QColor(Qt::black);
    return {neueSchrift, Naeher(grund, gegenEnde, neueSchrift, ziel)};
}

} // namespace tarvis::style
