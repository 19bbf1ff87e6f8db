#pragma once

#include "tariff/Moment.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvis {

// The three inputs of a manual calculation, read from the texts the user typed. Texts are
// UTF-8; nothing here throws.

// Messages of the input check, in the order in which the fields are checked.
inline constexpr std::string_view MeldungStartDatum = "Start-Datum ist nicht korrekt.";
inline constexpr std::string_view MeldungStartUhrzeit = "Start-Uhrzeit ist nicht korrekt.";
inline constexpr std::string_view MeldungDauer = "Angabe über Dauer ist nicht korrekt.";
inline constexpr std::string_view MeldungDauerFormat =
    "Zeitformat im Feld 'Dauer' ist nicht korrekt.";

// The duration box holds "hh:mm:ss" and nothing shorter.
inline constexpr std::size_t DauerTextLaenge = 8;

// "d.m.yyyy" with one or two digits for day and month and a four-digit year (year 0 is none),
// or a two-digit year read as 1930..2029. Only real calendar days: 31.02. is no date.
std::optional<Datum> DatumAusText(std::string_view text);

// "h:mm" or "h:mm:ss" with one or two digits each, hours 0..23, minutes and seconds 0..59.
// The result is the second of the day, 0..86399.
std::optional<int> UhrzeitAusText(std::string_view text);

// The input check: the message of the first field that fails, or an empty text when all three
// are valid. The duration must be a valid time of exactly eight characters.
std::string EingabeFehler(std::string_view startDatum, std::string_view startUhrzeit,
                          std::string_view dauer);

struct BerechnungsEingabe {
    Datum startDatum{};
    int startSekunde = 0;  // [0, 86399]
    int dauerSekunden = 0; // [0, 86399]

    Moment Start() const { return MomentAus(startDatum) + std::chrono::seconds{startSekunde}; }
};

// The values of the three inputs, or nothing when the input check fails.
std::optional<BerechnungsEingabe>
LiesEingabe(std::string_view startDatum, std::string_view startUhrzeit, std::string_view dauer);

// The duration after the scroll bar moved to `minuten` (0..1439): hours and minutes from the
// bar, the seconds kept from the last two characters of the duration shown so far. Nothing
// when those two characters are no seconds.
std::optional<int> DauerNachSchieber(int minuten, std::string_view bisherigeDauer);

// "hh:mm:ss" of a second of the day, 0..86399.
std::string UhrzeitAusSekunden(int sekundeDesTages);

} // namespace tarvis
