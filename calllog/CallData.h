#pragma once

#include "tariff/Moment.h"
#include "tariff/Zone.h"

#include <QString>

namespace tarvis {

// The figures of one call as the window it comes from shows them: the main window after a
// finished live call, or the calculation window. The save dialog is handed these; it never
// looks into other windows.
struct GespraechsDaten {
    Datum startDatum{};
    QString startZeit; // "hh:mm:ss"
    Datum stopDatum{};
    QString stopZeit;              // "hh:mm:ss"
    QString dauer;                 // "hh:mm:ss,t"
    ZonenArray<QString> einheiten; // decimal count per zone
    ZonenArray<QString> kosten;    // "0,24" per zone, user's decimal separator
};

} // namespace tarvis
