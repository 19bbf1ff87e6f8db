#include "callmonitor/MonitorLine.h"

#include <array>
#include <vector>

namespace tarvis {

namespace {

bool IstZiffer(char c) {
    return c >= '0' && c <= '9';
}

bool HatForm(std::string_view text, std::string_view form) {
    if (text.size() != form.size()) {
        return false;
    }
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] == '0' ? !IstZiffer(text[i]) : text[i] != form[i]) {
            return false;
        }
    }
    return true;
}

// "dd.mm.yy hh:mm:ss", or with a four-digit year as some firmware sends it: only the form is
// checked. The router's clock is not used for counting (it has whole seconds only and may be
// off), so its value does not matter.
bool IstZeitstempel(std::string_view text) {
    return HatForm(text, "00.00.00 00:00:00") || HatForm(text, "00.00.0000 00:00:00");
}

// A field cut at MaxFeldLaenge; `gekuerzt` is set when it was longer.
std::string Gekuerzt(std::string_view feld, bool& gekuerzt) {
    if (feld.size() > MaxFeldLaenge) {
        gekuerzt = true;
        feld = feld.substr(0, MaxFeldLaenge);
    }
    return std::string(feld);
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
    const std::vector<std::string_view> felder = SemikolonFelder(zeile);
    if (felder.size() < 3 || !IstZeitstempel(felder[0]) || felder[2].empty()) {
        return {std::nullopt, ZeilenFehler::Fehlerhaft};
    }
    for (const Wort& wort : Woerter) {
        if (felder[1] != wort.text) {
            continue;
        }
        if (felder.size() < wort.mindestFelder) {
            return {std::nullopt, ZeilenFehler::Fehlerhaft};
        }
        MonitorEreignis ereignis{wort.art, {}, {}, -1, false};
        ereignis.id = Gekuerzt(felder[2], ereignis.gekuerzt);
        if (wort.art == MonitorEreignis::Art::Getrennt) {
            ereignis.dauerSekunden = Sekunden(felder[3]);
        } else {
            ereignis.nummer = Gekuerzt(felder[wort.nummernFeld], ereignis.gekuerzt);
        }
        return {std::move(ereignis), ZeilenFehler::Keiner};
    }
    return {std::nullopt, ZeilenFehler::UnbekanntesWort};
}

std::vector<std::string_view> SemikolonFelder(std::string_view zeile) {
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

} // namespace tarvis
