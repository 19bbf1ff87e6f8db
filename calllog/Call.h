#pragma once

#include "tariff/Moment.h"
#include "tariff/TariffTables.h"
#include "tariff/Zone.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace tarvis {

// One call as the log holds it: what the writer takes and what the reader gives back, the
// record line with the comment line under it. The program writes every field; lines written by
// hand or by earlier versions may lack the times, the stop or the duration, and the reader then
// leaves them empty. What a sum needs (the day, the zone, the units, the cost) is always there.
struct Gespraech {
    Datum startDatum{};
    std::optional<int> startSekunde; // time of day, 0..86399
    std::optional<Datum> stopDatum;
    std::optional<int> stopSekunde;
    std::optional<std::int64_t> dauerMs;
    std::string telefon; // UTF-8, as typed
    int zone = 0;        // 1..4
    std::int64_t einheiten = 0;
    std::int64_t kostenPfennig = 0;
    std::string kommentar; // UTF-8, as typed; empty when the call has no comment line

    bool operator==(const Gespraech&) const = default;
};

// The counter and the calculation window price a call in all four zones before the user picks
// the one dialled, so their figures are not yet a Gespraech, which holds one zone as the log
// does. They travel as values to the save dialog; text is made of them only where they are
// shown (in the user's number format) or written to the log (in its fixed forms).
struct GespraechVorZonenwahl {
    Moment start{};
    Moment stop{};
    std::int64_t dauerMs = 0;
    ZonenArray<std::int64_t> einheiten{0};
    ZonenArray<std::int64_t> kostenPfennig{0};

    // The call as the log keeps it, once the zone (1..4) is picked and number and comment typed.
    Gespraech MitZone(int zone, const QString& telefon, const QString& kommentar = {}) const;

    bool operator==(const GespraechVorZonenwahl&) const = default;
};

// A call charged with these units in the four zones; the cost follows from them.
inline GespraechVorZonenwahl GespraechMit(Moment start, Moment stop, std::int64_t dauerMs,
                                          const ZonenArray<std::int64_t>& einheiten) {
    GespraechVorZonenwahl daten{start, stop, dauerMs, einheiten, {}};
    for (int zone : AlleZonen) {
        daten.kostenPfennig[zone] = KostenPfennig(einheiten[zone]);
    }
    return daten;
}

} // namespace tarvis
