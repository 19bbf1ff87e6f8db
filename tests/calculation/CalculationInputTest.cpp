#include "calculation/CalculationInput.h"

#include <gtest/gtest.h>
#include <string>

using namespace tarvis;
using namespace std::chrono;

// Either the values of all three fields or the message of the first field that fails: a field
// after a failing one is never looked at.
TEST(LiesEingabe, ValuesOrTheFirstFailingFieldInOrder) {
    const struct {
        const char* datum;
        const char* uhrzeit;
        const char* dauer;
        std::string_view meldung; // empty: valid
        Moment start;
        int dauerSekunden;
    } faelle[] = {
        {"07.12.1996", "14:05:33", "00:03:39", "", MomentAus(year{1996} / 12 / 7, 14, 5, 33), 219},
        {"7.12.96", "9:05", "23:59:59", "", MomentAus(year{1996} / 12 / 7, 9, 5, 0), 86399},
        {"2.12.96", "9:05", "00:05:00", "", MomentAus(year{1996} / 12 / 2, 9, 5, 0), 300},
        {"31.02.1996", "x", "x", MeldungStartDatum, {}, 0},
        {"07.12.1996", "25:00", "x", MeldungStartUhrzeit, {}, 0},
        {"07.12.1996", "9:05", "24:00:00", MeldungDauer, {}, 0},
        {"07.12.1996", "9:05", "", MeldungDauer, {}, 0},
        {"07.12.1996", "9:05", "1:05:00", MeldungDauerFormat, {}, 0},
        {"07.12.1996", "9:05", "01:05", MeldungDauerFormat, {}, 0},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.datum) + " | " + f.uhrzeit + " | " + f.dauer);
        const GeleseneEingabe gelesen = LiesEingabe(f.datum, f.uhrzeit, f.dauer);
        if (!f.meldung.empty()) {
            const auto* meldung = std::get_if<std::string_view>(&gelesen);
            ASSERT_NE(meldung, nullptr);
            EXPECT_EQ(*meldung, f.meldung);
            continue;
        }
        const auto* eingabe = std::get_if<BerechnungsEingabe>(&gelesen);
        ASSERT_NE(eingabe, nullptr);
        EXPECT_EQ(eingabe->Start(), f.start);
        EXPECT_EQ(eingabe->dauerSekunden, f.dauerSekunden);
    }
}

TEST(DauerNachSchieber, MinutesFromTheBarSecondsKept) {
    const struct {
        int minuten;
        const char* bisher;
        std::optional<int> dauer;
    } faelle[] = {
        {65, "00:00:17", 3917},        {1439, "00:10:59", 86399},
        {0, "12:34:56", 56},           {65, "1:05:00", 3900},
        {65, "1:05:0x", std::nullopt}, {65, "0:0:5", std::nullopt}, // ":5" are no seconds
        {65, "", std::nullopt},        {1440, "00:00:00", std::nullopt},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::to_string(f.minuten) + " " + f.bisher);
        EXPECT_EQ(DauerNachSchieber(f.minuten, f.bisher), f.dauer);
    }
}
