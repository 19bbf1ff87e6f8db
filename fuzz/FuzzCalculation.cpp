// The input check and the interval computation together, on any three texts: whatever is
// typed, the check answers with one of its messages or lets the call through, and a call that
// passes is priced without a crash, with a sane number of units.
#include "calculation/CalculationInput.h"
#include "calculation/IntervalCost.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string_view>

using namespace tarvis;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    // Three fields separated by newlines: start date, start time, duration.
    std::string_view rest(reinterpret_cast<const char*>(daten), groesse);
    std::string_view felder[3];
    for (auto& feld : felder) {
        const std::size_t ende = rest.find('\n');
        feld = rest.substr(0, ende);
        rest = ende == std::string_view::npos ? std::string_view() : rest.substr(ende + 1);
    }
    const GeleseneEingabe gelesen = LiesEingabe(felder[0], felder[1], felder[2]);
    if (const auto* meldung = std::get_if<std::string_view>(&gelesen)) {
        const std::string_view meldungen[] = {MeldungStartDatum, MeldungStartUhrzeit, MeldungDauer,
                                              MeldungDauerFormat};
        if (std::find(std::begin(meldungen), std::end(meldungen), *meldung) ==
            std::end(meldungen)) {
            std::abort(); // a refusal always says which field is wrong
        }
        return 0;
    }
    const BerechnungsEingabe& eingabe = std::get<BerechnungsEingabe>(gelesen);
    if (eingabe.startSekunde < 0 || eingabe.startSekunde >= 86'400 || eingabe.dauerSekunden < 0 ||
        eingabe.dauerSekunden >= 86'400) {
        std::abort(); // times of day, as the check lets them through
    }
    FeiertagKalender kalender;
    const IntervallKosten kosten =
        BerechneIntervall(eingabe.Start(), eingabe.dauerSekunden, kalender);
    for (int zone : AlleZonen) {
        // No unit is shorter than 12 s; a call of up to a day needs at most 7201 + 8 of them.
        if (kosten.einheiten[zone] < 0 || kosten.einheiten[zone] > 86'400 / 12 + 16) {
            std::abort();
        }
    }
    if (kosten.stop != eingabe.Start() + std::chrono::seconds{eingabe.dauerSekunden}) {
        std::abort();
    }
    return 0;
}
