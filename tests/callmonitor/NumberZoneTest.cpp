// The zone of a dialled number.
#include "callmonitor/NumberZone.h"

#include <gtest/gtest.h>
#include <map>

using namespace tarvis;

namespace {

struct ZonenFall {
    const char* nummer;
    const char* vorwahl;
    std::optional<int> zone;
};

class NumberZone : public ::testing::TestWithParam<ZonenFall> {};

TEST_P(NumberZone, LocalOwnAreaRememberedOrUnknown) {
    const std::map<std::string, int> gemerkt{
        {"071112345", 3}, {"0891234", 4}, {"017199", 2}, {"0044201", 3}};
    const auto zone =
        ZoneDerNummer(GetParam().nummer, GetParam().vorwahl,
                      [&](const std::string& ziffern) -> std::optional<int> {
                          const auto it = gemerkt.find(ziffern);
                          return it == gemerkt.end() ? std::nullopt : std::optional(it->second);
                      });
    EXPECT_EQ(zone, GetParam().zone) << GetParam().nummer;
}

INSTANTIATE_TEST_SUITE_P(
    Anrufmonitor, NumberZone,
    ::testing::Values(
        ZonenFall{"123456", "", 1},                 // no leading 0: local
        ZonenFall{"0711 123456", "0711", 1},        // own area code
        ZonenFall{"0711/123 45", "", 3},            // remembered, digits only
        ZonenFall{"071112345", "0711", 1},          // own area code wins
        ZonenFall{"089-1234", "0711", 4},           // remembered
        ZonenFall{"0301234", "0711", std::nullopt}, // unknown
        ZonenFall{"0301234", "0", std::nullopt},    // "0" is no area code
        ZonenFall{"", "0711", std::nullopt},        // suppressed
        ZonenFall{"anonym", "", std::nullopt},
        // Germany's own country code is the leading 0.
        ZonenFall{"+49 711 123456", "0711", 1}, ZonenFall{"0049 711 123456", "0711", 1},
        ZonenFall{"+49 (89) 1234", "0711", 4}, ZonenFall{"+49 30 1234", "0711", std::nullopt},
        ZonenFall{"0049301234", "0711", std::nullopt},
        // Showing or hiding the own number, a call-by-call carrier: not the number.
        ZonenFall{"*31#0711123", "0711", 1}, ZonenFall{"#31#0891234", "0711", 4},
        ZonenFall{"*31#123", "", 1}, ZonenFall{"01013 0711 1", "0711", 1},
        ZonenFall{"0100880891234", "0711", 4},
        // Another country, mobile, service and short numbers have no zone of this
        // tariff: only the user's choice counts, never "no leading 0".
        ZonenFall{"+1 212 5550100", "0711", std::nullopt},
        ZonenFall{"001 212 5550100", "", std::nullopt}, ZonenFall{"+43 1 234", "01", std::nullopt},
        ZonenFall{"0171 1234567", "0711", std::nullopt},
        ZonenFall{"+49 151 1234567", "0711", std::nullopt},
        ZonenFall{"0160 1", "0711", std::nullopt}, ZonenFall{"0180 5 123", "0711", std::nullopt},
        ZonenFall{"0800 1234", "0800", std::nullopt}, ZonenFall{"0900 1234", "0711", std::nullopt},
        ZonenFall{"0137 1234", "0711", std::nullopt}, ZonenFall{"0700 1234", "0711", std::nullopt},
        ZonenFall{"110", "", std::nullopt}, ZonenFall{"112", "", std::nullopt},
        ZonenFall{"11833", "", std::nullopt}, ZonenFall{"1100", "", 1}, // a local number, not 110
        ZonenFall{"0171 99", "", 2}, // remembered: the user chose
        ZonenFall{"+44 20 1", "", 3}));

} // namespace
