#include "calculation/CalculationInput.h"

#include <algorithm>

namespace tarvis {

namespace {

constexpr int MinutenProTag = 24 * 60;

} // namespace

std::string EingabeFehler(std::string_view startDatum, std::string_view startUhrzeit,
                          std::string_view dauer) {
    if (!DatumAusText(startDatum)) {
        return std::string(MeldungStartDatum);
    }
    if (!UhrzeitAusText(startUhrzeit)) {
        return std::string(MeldungStartUhrzeit);
    }
    if (!UhrzeitAusText(dauer)) {
        return std::string(MeldungDauer);
    }
    if (dauer.size() != DauerTextLaenge) {
        return std::string(MeldungDauerFormat);
    }
    return {};
}

std::optional<BerechnungsEingabe>
LiesEingabe(std::string_view startDatum, std::string_view startUhrzeit, std::string_view dauer) {
    if (!EingabeFehler(startDatum, startUhrzeit, dauer).empty()) {
        return std::nullopt;
    }
    return BerechnungsEingabe{*DatumAusText(startDatum), *UhrzeitAusText(startUhrzeit),
                              *UhrzeitAusText(dauer)};
}

std::optional<int> DauerNachSchieber(int minuten, std::string_view bisherigeDauer) {
    if (minuten < 0 || minuten >= MinutenProTag) {
        return std::nullopt;
    }
    const std::string_view sekunden = bisherigeDauer.substr(
        bisherigeDauer.size() - std::min<std::size_t>(bisherigeDauer.size(), 2));
    const std::optional<std::int64_t> wert = LiesZiffern(sekunden, 1, 2);
    if (!wert || *wert > 59) {
        return std::nullopt;
    }
    return minuten * 60 + static_cast<int>(*wert);
}

} // namespace tarvis
