#pragma once

#include "calllog/Call.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <ostream>

namespace tarvis::test {

// The call of the log's record example: Saturday 07.12.1996 from 14:05:33 to 14:09:12, shown
// as 00:03:39,2; units 2, 5, 10 and 11 in City, Region 50, Region 200 and Fern (what the
// calculation gives for it).
inline GespraechVorZonenwahl BeispielAnruf() {
    using namespace std::chrono;
    const Datum tag = year{1996} / 12 / 7;
    return GespraechMit(MomentAus(tag, 14, 5, 33), MomentAus(tag, 14, 9, 12), 219'200,
                        {2, 5, 10, 11});
}

// That call saved in City with a number, and its record line as the log holds it.
inline Gespraech BeispielGespraech() {
    return BeispielAnruf().MitZone(1, QStringLiteral("0711 123456"));
}
inline const QByteArray BeispielSatzZeile =
    "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   "
    "0711 123456       City              2        0,24 DM\r\n";

} // namespace tarvis::test

namespace tarvis {

// How a failing comparison shows a call: field by field, "-" for one it lacks.
inline void PrintTo(const Gespraech& g, std::ostream* os) {
    const auto datum = [](const Datum& d) {
        return std::to_string(int(d.year())) + '-' + std::to_string(unsigned(d.month())) + '-' +
               std::to_string(unsigned(d.day()));
    };
    const auto oder = [](const auto& wert, auto text) { return wert ? text(*wert) : "-"; };
    const auto zahl = [](std::int64_t z) { return std::to_string(z); };
    *os << '{' << datum(g.startDatum) << ' ' << oder(g.startSekunde, zahl) << " | "
        << oder(g.stopDatum, datum) << ' ' << oder(g.stopSekunde, zahl) << " | "
        << oder(g.dauerMs, zahl) << " ms | \"" << g.telefon << "\" | zone " << g.zone << " | "
        << g.einheiten << " | " << g.kostenPfennig << " Pf | \"" << g.kommentar << "\"}";
}

} // namespace tarvis
