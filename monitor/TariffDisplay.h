#pragma once

#include "tariff/HolidayCalendar.h"
#include "tariff/Moment.h"
#include "tariff/TariffTables.h"
#include "tariff/Zone.h"

#include <QLocale>
#include <QString>

namespace tarvis {

// Everything the top strip and the per-zone tariff columns of the main window show.
struct TarifAnzeige {
    QString datum;             // "Samstag, 07.12.1996"
    TagesArt tagesArt{};       // of the moment: the marker's meaning and its ground
    QString ftText;            // kind-of-day marker: "W", "FT", "S" or empty
    QString tarif;             // name of the band of the moment
    ZonenArray<QString> sek;   // seconds per unit, one decimal
    ZonenArray<QString> dmMin; // DM per minute, two decimals
};

// The marker's caption for a kind of day; a working day has none.
QString MarkerText(TagesArt art);

// The user's short date form, but always with a four-digit year.
QString KurzesDatumVierstellig(Datum datum, const QLocale& locale);

// The display for the moment `jetzt`, today's date `heute`, and the bands in which each zone's
// unit in progress is charged. The per-zone figures follow `zonenTarif`, the name the moment.
TarifAnzeige NeuAnzeigeInhalt(Moment jetzt, Datum heute, const ZonenArray<int>& zonenTarif,
                              FeiertagKalender& kalender, const QLocale& locale);

} // namespace tarvis
