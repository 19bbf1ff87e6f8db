#pragma once

#include "tariff/Moment.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvis {

// Reading the numbers, dates and times that the user types and that the log file holds. Texts
// are UTF-8 or code page 1252 (only ASCII is ever taken as a digit or a separator); nothing
// here throws.

// A number of `minStellen`..`maxStellen` ASCII digits and nothing else: no sign, no blanks.
// At most 18 digits are ever taken, so the value always fits. Inline: the log reader calls it
// for every field of every line.
constexpr std::optional<std::int64_t> LiesZiffern(std::string_view text, std::size_t minStellen,
                                                  std::size_t maxStellen) {
    constexpr std::size_t MaxStellen = 18;
    if (text.size() < minStellen || text.size() > maxStellen || text.size() > MaxStellen ||
        text.empty()) {
        return std::nullopt;
    }
    std::int64_t wert = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        wert = wert * 10 + (c - '0');
    }
    return wert;
}

// A two-digit year (0..99) as a full year: 30..99 are 1930..1999, 00..29 are 2000..2029.
constexpr int VollesJahr(int zweistellig) {
    return zweistellig < 30 ? 2000 + zweistellig : 1900 + zweistellig;
}

// "d.m.yyyy" with one or two digits for day and month and a four-digit year (year 0 is none),
// or a two-digit year read by VollesJahr. Only real calendar days: 31.02. is no date.
std::optional<Datum> DatumAusText(std::string_view text);

// "h:mm" or "h:mm:ss" with one or two digits each, hours 0..23, minutes and seconds 0..59.
// The result is the second of the day, 0..86399.
std::optional<int> UhrzeitAusText(std::string_view text);

// A duration as the log file writes it, "hh:mm:ss,t" (hours with two or more digits, tenths of
// a second after the comma; the tenths may be missing), in milliseconds.
std::optional<std::int64_t> DauerAusText(std::string_view text);

} // namespace tarvis
