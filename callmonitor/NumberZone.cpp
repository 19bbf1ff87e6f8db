#include "callmonitor/NumberZone.h"

#include <array>

namespace tarvis {

namespace {

constexpr int City = 1;

bool BeginntMit(std::string_view text, std::string_view anfang) {
    return text.substr(0, anfang.size()) == anfang;
}

// The call-by-call prefix: 0100yy (six digits), else 010xy (five).
std::string_view OhneVerbindungsnetz(std::string_view ziffern) {
    if (BeginntMit(ziffern, "0100") && ziffern.size() > 6) {
        return ziffern.substr(6);
    }
    if (BeginntMit(ziffern, "010") && ziffern.size() > 5) {
        return ziffern.substr(5);
    }
    return ziffern;
}

bool OhneZoneDerForm(std::string_view ziffern) {
    constexpr std::array<std::string_view, 8> national{"015",  "016",  "017",  "0180",
                                                       "0800", "0900", "0137", "0700"};
    for (std::string_view anfang : national) {
        if (BeginntMit(ziffern, anfang)) {
            return true;
        }
    }
    return ziffern == "110" || ziffern == "112" ||
           (BeginntMit(ziffern, "118") && ziffern.size() <= 6);
}

} // namespace

std::string NurZiffern(std::string_view nummer) {
    std::string ziffern;
    for (char c : nummer) {
        if (c >= '0' && c <= '9') {
            ziffern.push_back(c);
        }
    }
    return ziffern;
}

GelesenerAnschluss LiesAnschluss(std::string_view nummer) {
    while (!nummer.empty() && (nummer.front() == ' ' || nummer.front() == '\t')) {
        nummer.remove_prefix(1);
    }
    if (BeginntMit(nummer, "*31#") || BeginntMit(nummer, "#31#")) {
        nummer.remove_prefix(4);
    }
    const bool plus = BeginntMit(nummer, "+");
    std::string ziffern = NurZiffern(nummer);
    if (plus) {
        ziffern.insert(0, "00");
    }
    std::string_view rest = OhneVerbindungsnetz(ziffern);
    GelesenerAnschluss gelesen;
    if (BeginntMit(rest, "0049")) {
        gelesen.ziffern = "0" + std::string(rest.substr(4));
    } else {
        gelesen.ziffern = std::string(rest);
    }
    if (gelesen.ziffern.empty()) {
        gelesen.art = GelesenerAnschluss::Art::Unbekannt;
    } else if (BeginntMit(gelesen.ziffern, "00") || OhneZoneDerForm(gelesen.ziffern)) {
        gelesen.art = GelesenerAnschluss::Art::OhneZone;
    } else if (gelesen.ziffern.front() != '0') {
        gelesen.art = GelesenerAnschluss::Art::Ortsnetz;
    } else {
        gelesen.art = GelesenerAnschluss::Art::National;
    }
    return gelesen;
}

std::string ZonenSchluessel(std::string_view nummer) {
    return LiesAnschluss(nummer).ziffern;
}

std::optional<int>
ZoneDerNummer(std::string_view nummer, std::string_view eigeneVorwahl,
              const std::function<std::optional<int>(const std::string&)>& gemerkt) {
    const GelesenerAnschluss anschluss = LiesAnschluss(nummer);
    using A = GelesenerAnschluss::Art;
    if (anschluss.art == A::Unbekannt) {
        return std::nullopt;
    }
    if (anschluss.art == A::Ortsnetz) {
        return City;
    }
    const std::string vorwahl = NurZiffern(eigeneVorwahl);
    // "0" alone is no area code: it would make every trunk call a local one.
    if (anschluss.art == A::National && vorwahl.size() > 1 &&
        anschluss.ziffern.starts_with(vorwahl)) {
        return City;
    }
    return gemerkt ? gemerkt(anschluss.ziffern) : std::nullopt;
}

} // namespace tarvis
