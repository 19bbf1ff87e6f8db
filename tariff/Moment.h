#pragma once

#include <chrono>

namespace tarvis {

// A local calendar moment in whole seconds (no time zone: the tariff follows the wall clock).
using Moment = std::chrono::local_seconds;
using Datum = std::chrono::year_month_day;

constexpr Moment MomentAus(Datum datum, int stunde = 0, int minute = 0, int sekunde = 0) {
    return std::chrono::local_days{datum} + std::chrono::hours{stunde} +
           std::chrono::minutes{minute} + std::chrono::seconds{sekunde};
}

constexpr Datum DatumVon(Moment m) {
    return Datum{std::chrono::floor<std::chrono::days>(m)};
}

// Seconds after midnight, 0..86399.
constexpr int SekundeDesTages(Moment m) {
    return static_cast<int>((m - std::chrono::floor<std::chrono::days>(m)).count());
}

// Weekday counted Monday = 1 .. Sunday = 7.
constexpr int WochentagNummer(Datum datum) {
    return static_cast<int>(std::chrono::weekday{std::chrono::sys_days{datum}}.iso_encoding());
}

} // namespace tarvis
