#pragma once

#include "tariff/Moment.h"

#include <array>
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

// The log's own forms of a date "dd.mm.yy", a time "hh:mm:ss" and a duration "hh:mm:ss,t", each
// read at its places: a reader meets them millions of times. Each gives what the general
// reading below gives for its form, and nothing for any other text (or a value out of range),
// which is then left to the general reading. Inline, so that the log reader reads a line's
// fields without a call. Each gives its value through its second parameter and says whether it
// could: an optional would be built in memory and read back whole, which stalls the processor.
namespace festeform {

// The two ASCII digits at `stelle` as a number, or -1 when either is no digit.
constexpr int ZweiZiffern(std::string_view text, std::size_t stelle) {
    const unsigned zehner = static_cast<unsigned char>(text[stelle]) - unsigned{'0'};
    const unsigned einer = static_cast<unsigned char>(text[stelle + 1]) - unsigned{'0'};
    return zehner <= 9 && einer <= 9 ? static_cast<int>(zehner * 10 + einer) : -1;
}

// "nn?nn?nn" with `trenner` for "?": its three numbers, or false. They come back through an
// array, not an optional, which the compiler would pass through memory.
constexpr bool DreiPaare(std::string_view text, char trenner, std::array<int, 3>& zahlen) {
    if (text.size() != 8 || text[2] != trenner || text[5] != trenner) {
        return false;
    }
    zahlen = {ZweiZiffern(text, 0), ZweiZiffern(text, 3), ZweiZiffern(text, 6)};
    return zahlen[0] >= 0 && zahlen[1] >= 0 && zahlen[2] >= 0;
}

} // namespace festeform

constexpr bool DatumInFesterForm(std::string_view text, Datum& datum) {
    std::array<int, 3> zahlen{};
    if (!festeform::DreiPaare(text, '.', zahlen) || zahlen[0] < 1 || zahlen[1] < 1 ||
        zahlen[1] > 12) {
        return false;
    }
    datum = Datum{std::chrono::year{VollesJahr(zahlen[2])},
                  std::chrono::month{static_cast<unsigned>(zahlen[1])},
                  std::chrono::day{static_cast<unsigned>(zahlen[0])}};
    // Every month has 28 days; only a later day needs the calendar (and the leap years).
    return zahlen[0] <= 28 || datum.ok();
}

// The second of the day.
constexpr bool UhrzeitInFesterForm(std::string_view text, int& sekunde) {
    std::array<int, 3> zahlen{};
    if (!festeform::DreiPaare(text, ':', zahlen) || zahlen[0] > 23 || zahlen[1] > 59 ||
        zahlen[2] > 59) {
        return false;
    }
    sekunde = (zahlen[0] * 60 + zahlen[1]) * 60 + zahlen[2];
    return true;
}

// In milliseconds.
constexpr bool DauerInFesterForm(std::string_view text, std::int64_t& ms) {
    std::array<int, 3> zahlen{};
    if (text.size() != 10 || text[8] != ',' ||
        !festeform::DreiPaare(text.substr(0, 8), ':', zahlen) || zahlen[1] > 59 || zahlen[2] > 59) {
        return false;
    }
    const unsigned zehntel = static_cast<unsigned char>(text[9]) - unsigned{'0'};
    ms = std::int64_t{(zahlen[0] * 60 + zahlen[1]) * 60 + zahlen[2]} * 1000 + zehntel * 100;
    return zehntel <= 9;
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
