#pragma once

#include "tariff/Zone.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tarvis {

// The telephone tariff: 16 bands (a time window on one kind of day), the length of one unit
// per band and zone, and the price of a unit. The tables never change while the program runs.

constexpr int TarifAnzahl = 16;
constexpr bool IstTarif(int band) {
    return band >= 1 && band <= TarifAnzahl;
}

// The four kinds of day; the numbers are the order of the tariff overview's options.
enum class TagesArt : int { Werktag = 1, Wochenende = 2, Feiertag = 3, JahresendWerktag = 4 };
constexpr int TagesArtAnzahl = 4;

// Price of one unit: 0.12 DM, counted in whole Pfennig so money never suffers rounding.
constexpr int EinheitPreisPfennig = 12;
constexpr double EinheitPreisDM = EinheitPreisPfennig / 100.0;

// What a number of units costs, in Pfennig.
constexpr std::int64_t KostenPfennig(std::int64_t einheiten) {
    return einheiten * EinheitPreisPfennig;
}

namespace detail {
// Milliseconds per unit, [band][zone], row and column 0 unused so indices stay 1-based.
// clang-format off
constexpr std::int32_t TaktLaengeMs[TarifAnzahl + 1][ZonenAnzahl + 1] = {
    {0, 0, 0, 0, 0},
    {0, 240000, 120000, 120000, 120000}, //  1 working day 02-05
    {0, 150000, 45000, 22500, 21500},    //  2 working day 05-09
    {0, 90000, 26000, 13000, 12000},     //  3 working day 09-12
    {0, 90000, 30000, 14000, 13500},     //  4 working day 12-18
    {0, 150000, 45000, 22500, 21500},    //  5 working day 18-21
    {0, 240000, 60000, 36000, 30000},    //  6 working day 21-02
    {0, 150000, 45000, 22500, 21500},    //  7 weekend 05-21
    {0, 240000, 60000, 36000, 30000},    //  8 weekend 21-05
    {0, 150000, 45000, 36000, 36000},    //  9 holiday 05-21
    {0, 240000, 60000, 36000, 36000},    // 10 holiday 21-05
    {0, 240000, 120000, 120000, 120000}, // 11 year-end working day 02-05
    {0, 150000, 45000, 36000, 36000},    // 12 year-end working day 05-09
    {0, 90000, 36000, 36000, 36000},     // 13 year-end working day 09-12
    {0, 90000, 36000, 36000, 36000},     // 14 year-end working day 12-18
    {0, 150000, 45000, 36000, 36000},    // 15 year-end working day 18-21
    {0, 240000, 60000, 36000, 36000},    // 16 year-end working day 21-02
};
// clang-format on
} // namespace detail

// Length of one unit in milliseconds for a band (1..16) and a zone (1..4).
constexpr std::int32_t TaktLaenge(int band, int zone) {
    return detail::TaktLaengeMs[band][zone];
}

constexpr std::array<std::string_view, TarifAnzahl + 1> TarifName{
    "",
    "Nachttarif (02:00 - 05:00 Uhr)",
    "Freizeittarif (05:00 - 09:00 Uhr)",
    "Vormittagtarif (09:00 - 12:00 Uhr)",
    "Nachmittagtarif (12:00 - 18:00 Uhr)",
    "Freizeittarif (18:00 - 21:00 Uhr)",
    "Mondscheintarif (21:00 - 02:00 Uhr)",
    "Freizeittarif (05:00 - 21:00 Uhr)",
    "Mondscheintarif (21:00 - 05:00 Uhr)",
    "Freizeittarif (05:00 - 21:00 Uhr)",
    "Mondscheintarif (21:00 - 05:00 Uhr)",
    "Nachttarif (02:00 - 05:00 Uhr)",
    "Freizeittarif (05:00 - 09:00 Uhr)",
    "Vormittagtarif (09:00 - 12:00 Uhr)",
    "Nachmittagtarif (12:00 - 18:00 Uhr)",
    "Freizeittarif (18:00 - 21:00 Uhr)",
    "Mondscheintarif (21:00 - 02:00 Uhr)",
};

// Weekday names, Monday = 1.
constexpr std::array<std::string_view, 8> WochentagName{
    "", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag",
};

constexpr std::array<std::string_view, ZonenAnzahl + 1> ZonenName{
    "", "City", "Region 50", "Region 200", "Fern",
};

constexpr std::array<std::string_view, TagesArtAnzahl + 1> TagesArtName{
    "", "Montag - Freitag", "Samstag / Sonntag", "Feiertag", "Werktag 27.12. - 30.12.",
};

// The seven slots of a day in which a band can hold; their starts are the times at which
// bands change. Slot 0 (00-02) and slot 6 (21-24) always carry the same band.
constexpr int SlotAnzahl = 7;
constexpr std::array<int, SlotAnzahl> SlotBeginnSekunde{
    0, 2 * 3600, 5 * 3600, 9 * 3600, 12 * 3600, 18 * 3600, 21 * 3600,
};

namespace detail {
// [kind of day][slot] -> band.
// clang-format off
constexpr int SlotTarif[TagesArtAnzahl + 1][SlotAnzahl] = {
    {0, 0, 0, 0, 0, 0, 0},
    {6, 1, 2, 3, 4, 5, 6},         // working day
    {8, 8, 7, 7, 7, 7, 8},         // weekend day
    {10, 10, 9, 9, 9, 9, 10},      // holiday
    {16, 11, 12, 13, 14, 15, 16},  // year-end working day
};
// clang-format on
} // namespace detail

// The band that holds in a slot (0..6) of a kind of day.
constexpr int TarifImSlot(TagesArt art, int slot) {
    return detail::SlotTarif[static_cast<int>(art)][slot];
}

// The slot (0..6) that contains a second of the day (0..86399).
constexpr int SlotVonSekunde(int sekundeDesTages) {
    int slot = 0;
    while (slot + 1 < SlotAnzahl && sekundeDesTages >= SlotBeginnSekunde[slot + 1]) {
        ++slot;
    }
    return slot;
}

// Derived figures of one unit length, in full precision; callers round only when formatting.
constexpr double SekundenProEinheit(std::int32_t taktMs) {
    return taktMs / 1000.0;
}
constexpr double DMProMinute(std::int32_t taktMs) {
    return 60.0 / (taktMs / 1000.0) * EinheitPreisDM;
}

static_assert(std::size(detail::TaktLaengeMs) == TarifAnzahl + 1);
static_assert(TarifName.size() == TarifAnzahl + 1 && WochentagName.size() == 8);
static_assert(SlotVonSekunde(0) == 0 && SlotVonSekunde(7199) == 0 && SlotVonSekunde(7200) == 1);
static_assert(SlotVonSekunde(86399) == 6);
static_assert(TaktLaenge(1, 1) == 240000 && TaktLaenge(16, 4) == 36000);
static_assert([] {
    for (int art = 1; art <= TagesArtAnzahl; ++art) {
        if (detail::SlotTarif[art][0] != detail::SlotTarif[art][6]) {
            return false;
        }
    }
    return true;
}());

} // namespace tarvis
