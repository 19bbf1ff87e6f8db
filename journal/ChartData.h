#pragma once

#include "journal/JournalSums.h"
#include "tariff/Zone.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace tarvis {

// What the chart of the cost per month shows: a bar for each month with calls, in calendar
// order, each a stack of its zones' costs.
struct GrafikDaten {
    QStringList monate; // "12/1996"
    // The names under the bars. Many months stand upright in their short form ("12/96"), so
    // that each keeps its name.
    QStringList beschriftung;
    bool hochkant = false;
    ZonenArray<std::vector<std::int64_t>> pfennig; // per zone, a figure per month
    std::int64_t hoechsterStapel = 0;              // the highest bar, in Pfennig

    bool Leer() const { return monate.isEmpty(); }
};

// The chart of the report's rows per month and zone; the total is not a bar.
GrafikDaten GrafikVon(const std::vector<SummenZeile>& zeilen);

// What a bar of the chart tells when the mouse rests on it: "12/1996, City: 12,00 DM".
QString BalkenText(const QString& monat, int zone, std::int64_t pfennig, const QLocale& locale);

} // namespace tarvis
