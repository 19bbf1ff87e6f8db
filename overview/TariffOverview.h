#pragma once

#include "tariff/TariffTables.h"

#include <QLocale>
#include <QString>
#include <array>
#include <string_view>

namespace tarvis {

// Captions of the seven bars, one per slot of the day; the two leading blanks are part of them.
constexpr std::array<std::string_view, SlotAnzahl> BalkenBeschriftung{
    "  00-02", "  02-05", "  05-09", "  09-12", "  12-18", "  18-21", "  21-24",
};

// The two lines that tell which days a kind of day covers.
struct BemerkungZeilen {
    std::string_view erste;
    std::string_view zweite;
};
BemerkungZeilen BemerkungVon(TagesArt art);

// One bar of the overview: the band that holds in its slot and the length of a unit there.
struct UebersichtBalken {
    int band = 0;
    double sekunden = 0.0; // bar value
    QString text;          // the figure under the bar: "240", "13,5"
};

// Everything the tariff overview shows for one zone and one kind of day.
struct UebersichtInhalt {
    std::array<UebersichtBalken, SlotAnzahl> balken;
    QString bemerkung1;
    QString bemerkung2;
    int zone = 0; // its colour is the colour of every bar
};

// The figures under the bars as a screen reader says them: "Sekunden je Einheit: 00-02 Uhr 240,
// 02-05 Uhr 240, …".
QString SekundenAnsage(const UebersichtInhalt& inhalt);

// The overview for zone (1..4) and kind of day; figures use the locale's decimal separator.
UebersichtInhalt UebersichtFuer(int zone, TagesArt art, const QLocale& locale);

} // namespace tarvis
