#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvis {

// The digits of a telephone number: "0711/123 45" and "071112345" are the same number.
std::string NurZiffern(std::string_view nummer);

// The zone (1..4) of a dialled number: a number without a leading 0 is a local call (City), so
// is one that starts with the own area code; otherwise the zone the user chose the last time a
// call to it was saved (`gemerkt`, asked with the digits), if any. A number without any digit
// (suppressed) has no zone.
std::optional<int>
ZoneDerNummer(std::string_view nummer, std::string_view eigeneVorwahl,
              const std::function<std::optional<int>(const std::string&)>& gemerkt);

} // namespace tarvis
