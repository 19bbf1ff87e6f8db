#include "callmonitor/NumberZone.h"

namespace tarvis {

namespace {
constexpr int City = 1;
}

std::string NurZiffern(std::string_view nummer) {
    std::string ziffern;
    for (char c : nummer) {
        if (c >= '0' && c <= '9') {
            ziffern.push_back(c);
        }
    }
    return ziffern;
}

std::optional<int>
ZoneDerNummer(std::string_view nummer, std::string_view eigeneVorwahl,
              const std::function<std::optional<int>(const std::string&)>& gemerkt) {
    const std::string ziffern = NurZiffern(nummer);
    if (ziffern.empty()) {
        return std::nullopt;
    }
    if (ziffern.front() != '0') {
        return City;
    }
    const std::string vorwahl = NurZiffern(eigeneVorwahl);
    // "0" alone is no area code: it would make every trunk call a local one.
    if (vorwahl.size() > 1 && ziffern.starts_with(vorwahl)) {
        return City;
    }
    return gemerkt ? gemerkt(ziffern) : std::nullopt;
}

} // namespace tarvis
