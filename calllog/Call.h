#pragma once

#include "tariff/Moment.h"
#include "tariff/TariffTables.h"
#include "tariff/Zone.h"

#include <cstdint>

namespace tarvis {

// The figures of one call, from the live counter after STOP or from the calculation window.
// They travel as values to the save dialog and the log writer; text is made of them only where
// they are shown (in the user's number format) or written to the log (in its fixed forms).
struct GespraechsDaten {
    Moment start{};
    Moment stop{};
    std::int64_t dauerMs = 0;
    ZonenArray<std::int64_t> einheiten{0};
    ZonenArray<std::int64_t> kostenPfennig{0};

    bool operator==(const GespraechsDaten&) const = default;
};

// A call charged with these units in the four zones; the cost follows from them.
inline GespraechsDaten GespraechMit(Moment start, Moment stop, std::int64_t dauerMs,
                                    const ZonenArray<std::int64_t>& einheiten) {
    GespraechsDaten daten{start, stop, dauerMs, einheiten, {}};
    for (int zone : AlleZonen) {
        daten.kostenPfennig[zone] = KostenPfennig(einheiten[zone]);
    }
    return daten;
}

} // namespace tarvis
