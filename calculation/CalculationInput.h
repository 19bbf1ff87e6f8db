#pragma once

#include "tariff/Moment.h"
#include "tariff/Parse.h"

#include <optional>
#include <string_view>
#include <variant>

namespace tarvis {

// The three inputs of a manual calculation, read from the texts the user typed (dates and
// times are read as tariff/Parse.h reads them). Texts are UTF-8; nothing here throws.

// Messages of the input check, in the order in which the fields are checked.
inline constexpr std::string_view MeldungStartDatum = "Start-Datum ist nicht korrekt.";
inline constexpr std::string_view MeldungStartUhrzeit = "Start-Uhrzeit ist nicht korrekt.";
inline constexpr std::string_view MeldungDauer = "Angabe über Dauer ist nicht korrekt.";
inline constexpr std::string_view MeldungDauerFormat =
    "Zeitformat im Feld 'Dauer' ist nicht korrekt.";

// The duration box holds "hh:mm:ss" and nothing shorter.
inline constexpr std::size_t DauerTextLaenge = 8;

struct BerechnungsEingabe {
    Datum startDatum{};
    int startSekunde = 0;  // [0, 86399]
    int dauerSekunden = 0; // [0, 86399]

    Moment Start() const { return MomentAus(startDatum) + std::chrono::seconds{startSekunde}; }
};

// The input check: the values of the three inputs, or the message of the first field that fails
// (one of the messages above, tested in their order). The duration must be a valid time of
// exactly eight characters. The texts are read once, so what is checked is what is priced.
using GeleseneEingabe = std::variant<BerechnungsEingabe, std::string_view>;
GeleseneEingabe LiesEingabe(std::string_view startDatum, std::string_view startUhrzeit,
                            std::string_view dauer);

// The duration after the scroll bar moved to `minuten` (0..1439): hours and minutes from the
// bar, the seconds kept from the last two characters of the duration shown so far. Nothing
// when those two characters are no seconds.
std::optional<int> DauerNachSchieber(int minuten, std::string_view bisherigeDauer);

} // namespace tarvis
