#include "calculation/CalculationInput.h"

#include <algorithm>

namespace tarvis {

namespace {

constexpr int MinutenProTag = 24 * 60;

} // namespace

GeleseneEingabe LiesEingabe(std::string_view startDatum, std::string_view startUhrzeit,
                            std::string_view dauer) {
    const std::optional<Datum> datum = DatumAusText(startDatum);
    if (!datum) {
        return MeldungStartDatum;
    }
    const std::optional<int> uhrzeit = UhrzeitAusText(startUhrzeit);
    if (!uhrzeit) {
        return MeldungStartUhrzeit;
    }
    const std::optional<int> dauerSekunden = UhrzeitAusText(dauer);
    if (!dauerSekunden) {
        return MeldungDauer;
    }
    if (dauer.size() != DauerTextLaenge) {
        return MeldungDauerFormat;
    }
    return BerechnungsEingabe{*datum, *uhrzeit, *dauerSekunden};
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
