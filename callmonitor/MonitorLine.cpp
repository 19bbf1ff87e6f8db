#include "callmonitor/MonitorLine.h"

#include <array>
#include <vector>

namespace tarvis {

namespace {

bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
}

// "dd.mm.yy hh:mm:ss": only the form is checked. The router's clock is not used for counting
// (it has whole seconds only and may be off), so its value does not matter.
bool IstZeitstempel(std::string_view text) {
    constexpr std::string_view Form = "00.00.00 00:00:00";
    if (text.size() != Form.size()) {
        return false;
    }
    for (std::size_t i = 0; i < Form.size(); ++i) {
        if (Form[i] == '0' ? !IstZiffer(text[i]) : text[i] != Form[i]) {
            return false;
        }
    }
    return true;
}

std::vector<std::string_view> Felder(std::string_view zeile) {
    std::vector<std::string_view> felder;
    std::size_t anfang = 0;
    while (true) {
        const std::size_t ende = zeile.find(';', anfang);
        felder.push_back(
            zeile.substr(anfang, ende == std::string_view::npos ? ende : ende - anfang));
        if (ende == std::string_view::npos) {
            return felder;
        }
        anfang = ende + 1;
    }
}

// Whole seconds, at most nine digits (31 years); -1 for anything else.
std::int64_t Sekunden(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return -1;
    }
    std::int64_t wert = 0;
    for (char c : text) {
        if (!IstZiffer(c)) {
            return -1;
        }
        wert = wert * 10 + (c - '0');
    }
    return wert;
}

struct Wort {
    std::string_view text;
    MonitorEreignis::Art art;
    std::size_t mindestFelder; // up to the field this program reads
    std::size_t nummernFeld;
};

constexpr std::array<Wort, 4> Woerter{{
    {"CALL", MonitorEreignis::Art::Anruf, 6, 5},
    {"RING", MonitorEreignis::Art::Klingeln, 4, 3},
    {"CONNECT", MonitorEreignis::Art::Verbunden, 5, 4},
    {"DISCONNECT", MonitorEreignis::Art::Getrennt, 4, 0},
}};

} // namespace

GeleseneMonitorZeile LiesMonitorZeile(std::string_view zeile) {
    if (!zeile.empty() && zeile.back() == '\r') {
        zeile.remove_suffix(1);
    }
    const std::vector<std::string_view> felder = Felder(zeile);
    if (felder.size() < 3 || !IstZeitstempel(felder[0]) || felder[2].empty() ||
        felder[2].size() > MaxFeldLaenge) {
        return {std::nullopt, ZeilenFehler::Fehlerhaft};
    }
    for (const Wort& wort : Woerter) {
        if (felder[1] != wort.text) {
            continue;
        }
        if (felder.size() < wort.mindestFelder) {
            return {std::nullopt, ZeilenFehler::Fehlerhaft};
        }
        MonitorEreignis ereignis{wort.art, std::string(felder[2]), {}, -1};
        if (wort.art == MonitorEreignis::Art::Getrennt) {
            ereignis.dauerSekunden = Sekunden(felder[3]);
        } else {
            const std::string_view nummer = felder[wort.nummernFeld];
            if (nummer.size() > MaxFeldLaenge) {
                return {std::nullopt, ZeilenFehler::Fehlerhaft};
            }
            ereignis.nummer = std::string(nummer);
        }
        return {std::move(ereignis), ZeilenFehler::Keiner};
    }
    return {std::nullopt, ZeilenFehler::UnbekanntesWort};
}

} // namespace tarvis
