#include "calculation/CalculationInput.h"

#include <algorithm>
#include <vector>

namespace tarvis {

namespace {

constexpr int SekundenProTag = 24 * 60 * 60;

// Splits at every separator; empty pieces are kept so "1..1996" fails on its empty day.
std::vector<std::string_view> Teile(std::string_view text, char trenner) {
    std::vector<std::string_view> teile;
    std::size_t beginn = 0;
    for (;;) {
        const std::size_t ende = text.find(trenner, beginn);
        teile.push_back(text.substr(beginn, ende - beginn));
        if (ende == std::string_view::npos) {
            return teile;
        }
        beginn = ende + 1;
    }
}

// A number of `minStellen`..`maxStellen` ASCII digits, nothing else (no sign, no blanks).
std::optional<int> Zahl(std::string_view text, std::size_t minStellen, std::size_t maxStellen) {
    if (text.size() < minStellen || text.size() > maxStellen) {
        return std::nullopt;
    }
    int wert = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        wert = wert * 10 + (c - '0');
    }
    return wert;
}

// Two-digit years fall into 1930..2029.
int VollesJahr(int jahr, std::size_t stellen) {
    if (stellen != 2) {
        return jahr;
    }
    return jahr < 30 ? 2000 + jahr : 1900 + jahr;
}

std::optional<int> Jahr(std::string_view text) {
    if (text.size() != 2 && text.size() != 4) {
        return std::nullopt;
    }
    const std::optional<int> jahr = Zahl(text, text.size(), text.size());
    if (!jahr) {
        return std::nullopt;
    }
    const int voll = VollesJahr(*jahr, text.size());
    if (voll == 0) {
        return std::nullopt;
    }
    return voll;
}

} // namespace

std::optional<Datum> DatumAusText(std::string_view text) {
    const std::vector<std::string_view> teile = Teile(text, '.');
    if (teile.size() != 3) {
        return std::nullopt;
    }
    const std::optional<int> tag = Zahl(teile[0], 1, 2);
    const std::optional<int> monat = Zahl(teile[1], 1, 2);
    const std::optional<int> jahr = Jahr(teile[2]);
    if (!tag || !monat || !jahr) {
        return std::nullopt;
    }
    const Datum datum{std::chrono::year{*jahr}, std::chrono::month{static_cast<unsigned>(*monat)},
                      std::chrono::day{static_cast<unsigned>(*tag)}};
    if (!datum.ok()) {
        return std::nullopt;
    }
    return datum;
}

std::optional<int> UhrzeitAusText(std::string_view text) {
    const std::vector<std::string_view> teile = Teile(text, ':');
    if (teile.size() != 2 && teile.size() != 3) {
        return std::nullopt;
    }
    const std::optional<int> stunden = Zahl(teile[0], 1, 2);
    const std::optional<int> minuten = Zahl(teile[1], 1, 2);
    const std::optional<int> sekunden = teile.size() == 3 ? Zahl(teile[2], 1, 2) : 0;
    if (!stunden || !minuten || !sekunden || *stunden > 23 || *minuten > 59 || *sekunden > 59) {
        return std::nullopt;
    }
    return (*stunden * 60 + *minuten) * 60 + *sekunden;
}

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
    if (minuten < 0 || minuten >= SekundenProTag / 60) {
        return std::nullopt;
    }
    const std::string_view sekunden = bisherigeDauer.substr(
        bisherigeDauer.size() - std::min<std::size_t>(bisherigeDauer.size(), 2));
    const std::optional<int> wert = Zahl(sekunden, 1, 2);
    if (!wert || *wert > 59) {
        return std::nullopt;
    }
    return minuten * 60 + *wert;
}

std::string UhrzeitAusSekunden(int sekundeDesTages) {
    const auto zweiStellen = [](int wert) {
        return std::string{static_cast<char>('0' + wert / 10), static_cast<char>('0' + wert % 10)};
    };
    return zweiStellen(sekundeDesTages / 3600) + ":" + zweiStellen(sekundeDesTages / 60 % 60) +
           ":" + zweiStellen(sekundeDesTages % 60);
}

} // namespace tarvis
