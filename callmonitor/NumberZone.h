#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvis {

// The digits of a telephone number: "0711/123 45" and "071112345" are the same number.
std::string NurZiffern(std::string_view nummer);

// A number as the router reports it, read by the German numbering plan: the digits of the
// number itself, national ones with their leading 0, and whether the tariff's zones can hold it.
struct GelesenerAnschluss {
    enum class Art {
        Ortsnetz,  // no leading 0: in the own local network (City)
        National,  // 0 and an area code: the zone depends on the distance
        OhneZone,  // another country, a mobile, service or short number: no zone of this tariff
        Unbekannt, // no digit at all (a suppressed number)
    };
    std::string ziffern;
    Art art = Art::Unbekannt;
};

// "+49" and "0049" become the leading 0; a leading "*31#" or "#31#" (the caller's number shown
// or hidden) and a call-by-call prefix (010xy, 0100yy) are not part of the number; "+" or "00"
// followed by another country code, 015/016/017 (mobile), 0180, 0800, 0900, 0137, 0700
// (services), 110, 112 and 118xy (short numbers) have no zone by their form.
GelesenerAnschluss LiesAnschluss(std::string_view nummer);

// The key a chosen zone is remembered under: the number's digits as read above.
std::string ZonenSchluessel(std::string_view nummer);

// The zone (1..4) of a dialled number: a number in the own local network is City, so is one
// that starts with the own area code; otherwise (and always for a number the zones cannot
// hold) the zone the user chose the last time a call to it was saved (`gemerkt`, asked with
// its key), if any. A number without any digit (suppressed) has no zone.
std::optional<int>
ZoneDerNummer(std::string_view nummer, std::string_view eigeneVorwahl,
              const std::function<std::optional<int>(const std::string&)>& gemerkt);

} // namespace tarvis
