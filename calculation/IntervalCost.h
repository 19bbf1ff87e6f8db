#pragma once

#include "tariff/HolidayCalendar.h"
#include "tariff/Moment.h"
#include "tariff/Zone.h"

#include <cstdint>

namespace tarvis {

// The price of a call given after the fact by its start and its length.
struct IntervallKosten {
    Moment stop{};
    ZonenArray<std::int64_t> einheiten{0}; // units charged per zone
};

// Prices a call of `dauerSekunden` whole seconds (a negative length counts as 0) that starts at
// `start`, for all four zones at once.
//
// The call is cut into stretches at the times at which a band can change (02:00, 05:00, 09:00,
// 12:00, 18:00, 21:00 and midnight, every day the call touches). Each stretch is charged with
// the unit length of the band in force at its start, a started unit counting whole. The part of
// the last unit of a stretch that runs past the boundary is already paid: the next stretch
// starts that much later, and the paid time is taken off the rest of the call. Both of these
// are rounded to whole seconds, an exact half going to the even neighbour.
//
// Everything is counted in whole half seconds (every unit length is a multiple of 500 ms), so a
// unit length of 22.5 s and a call of 90 s against 90-s units come out exact. The kind of day and
// the band of each stretch are found once for all four zones.
IntervallKosten BerechneIntervall(Moment start, std::int64_t dauerSekunden,
                                  FeiertagKalender& kalender);

// The first time after `zeitpunkt` (strictly later) at which a band can change.
Moment NaechsteTarifGrenze(Moment zeitpunkt);

// Whole seconds from a count of milliseconds, an exact half going to the even neighbour
// (1500 -> 2, 2500 -> 2, 7500 -> 8). Counts below zero are not expected.
std::int64_t AufSekundenGerundet(std::int64_t millisekunden);

} // namespace tarvis
