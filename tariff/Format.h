#pragma once

#include "tariff/Moment.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvis {

// The texts in which the program writes its numbers, times and dates. Each form has its home
// here, and every window, the log writer and the command line use it.
//
// The decimal separator is handed in: the windows and the command line pass the user's (German
// settings give ","), the log file always ",". Rounding is half away from zero, as the "0.00"
// masks of the windows have always done.

// A fixed number of decimals, e.g. FestkommaText(0.0799, 2, ",") == "0,08".
std::string FestkommaText(double wert, int nachkommastellen, std::string_view trenner);

// An amount of money in DM with two decimals, from whole Pfennig: 144 -> "1,44".
std::string BetragText(std::int64_t pfennig, std::string_view trenner);

// The cost of a number of units: 12 units -> "1,44".
std::string KostenText(std::int64_t einheiten, std::string_view trenner);

// Seconds per unit as the tariff overview writes them, decimals only where there are any:
// "240" for 240000 ms, "13,5" for 13500 ms.
std::string SekundenText(std::int32_t taktMs, std::string_view trenner);

// The two figures of a unit length that the tariff display and the command line show per zone:
// seconds per unit with one decimal ("240,0") and DM per minute with two ("0,03").
struct TaktTexte {
    std::string sekunden;
    std::string dmProMinute;
};
TaktTexte TaktTexteVon(std::int32_t taktMs, std::string_view trenner);

// "hh:mm:ss" of a count of seconds: hours with at least two digits and not taken modulo 24
// ("100:00:00"); a negative count is taken as 0.
std::string ZeitText(std::int64_t sekunden);

// The time of day of a moment, "hh:mm:ss" in 24 hours.
std::string UhrzeitText(Moment moment);

// "dd.mm.yyyy", and the log file's short form "dd.mm.yy".
std::string DatumText(Datum datum);
std::string DatumKurzText(Datum datum);

} // namespace tarvis
