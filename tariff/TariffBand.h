#pragma once

#include "tariff/HolidayCalendar.h"
#include "tariff/Moment.h"
#include "tariff/TariffTables.h"

namespace tarvis {

// The kind of a date, tested in this order: year-end working day, holiday, weekend, working day.
// A holiday on a weekend is a holiday; the day decides for all of its 24 hours.
TagesArt TagesArtVon(Datum datum, FeiertagKalender& kalender);

// The band (1..16) of a moment.
int TarifNr(Moment zeitpunkt, FeiertagKalender& kalender);

} // namespace tarvis
