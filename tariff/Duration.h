#pragma once

#include <cstdint>
#include <string>

namespace tarvis {

// A millisecond count split into hours, minutes, seconds and milliseconds.
struct GenaueZeit {
    std::int64_t Stunden = 0; // not taken modulo 24
    int Minuten = 0;          // [0, 59]
    int Sekunden = 0;         // [0, 59]
    int Millisekunden = 0;    // [0, 999]

    bool operator==(const GenaueZeit&) const = default;
};

// Splits a count of milliseconds; the fields add up to the input again. A negative count
// (which no caller passes) is taken as 0.
GenaueZeit Long2GenaueZeit(std::int64_t millisekunden);

// "hh:mm:ss,t": hours with at least two digits, tenths cut, not rounded. The ":" and ","
// are fixed and do not follow the locale.
std::string DauerText(const GenaueZeit& zeit);
inline std::string DauerText(std::int64_t millisekunden) {
    return DauerText(Long2GenaueZeit(millisekunden));
}

} // namespace tarvis
