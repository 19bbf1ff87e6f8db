#include "calculation/CalculationInput.h"

#include <gtest/gtest.h>
#include <string>

using namespace tarvis;
using namespace std::chrono;

namespace {

Datum Tag(int j, unsigned m, unsigned d) {
    return year{j} / month{m} / day{d};
}

} // namespace

TEST(EingabeFehler, FirstFailingFieldInOrder) {
    const struct {
        const char* datum;
        const char* uhrzeit;
        const char* dauer;
        std::string_view meldung;
    } faelle[] = {
        {"07.12.1996", "14:05:33", "00:03:39", ""},
        {"7.12.96", "9:05", "23:59:59", ""},
        {"31.02.1996", "x", "x", MeldungStartDatum},
        {"07.12.1996", "25:00", "x", MeldungStartUhrzeit},
        {"07.12.1996", "9:05", "24:00:00", MeldungDauer},
        {"07.12.1996", "9:05", "", MeldungDauer},
        {"07.12.1996", "9:05", "1:05:00", MeldungDauerFormat},
        {"07.12.1996", "9:05", "01:05", MeldungDauerFormat},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(std::string(f.datum) + " | " + f.uhrzeit + " | " + f.dauer);
        EXPECT_EQ(EingabeFehler(f.datum, f.uhrzeit, f.dauer), f.meldung);
    }
}

TEST(LiesEingabe, ValuesOfValidInputsOnly) {
    const std::optional<BerechnungsEingabe> eingabe = LiesEingabe("2.12.96", "9:05", "00:05:00");
    ASSERT_TRUE(eingabe);
    EXPECT_EQ(eingabe->Start(), MomentAus(Tag(1996, 12, 2), 9, 5, 0));
    EXPECT_EQ(eingabe->dauerSekunden, 300);
    EXPECT_FALSE(LiesEingabe("2.12.96", "9:05", "0:05:00"));
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
