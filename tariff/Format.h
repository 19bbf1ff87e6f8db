#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvis {

// Number texts as the user sees them. The decimal separator is handed in (the user's locale
// decides it: German settings give ","); rounding is half away from zero, as the "0.00" masks
// of the windows have always done.

// A fixed number of decimals, e.g. FestkommaText(0.0799, 2, ",") == "0,08".
std::string FestkommaText(double wert, int nachkommastellen, std::string_view trenner);

// Cost of a number of units, two decimals: 12 units -> "1,44". Computed in whole Pfennig.
std::string KostenText(std::int64_t einheiten, std::string_view trenner);

// Seconds per unit of a unit length: "240" for 240000 ms, "13,5" for 13500 ms.
std::string SekundenText(std::int32_t taktMs, std::string_view trenner);

} // namespace tarvis
