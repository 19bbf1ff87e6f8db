// Reading dates, times, durations and digits: the forms the user types and the log file holds.
#include "tariff/Parse.h"

#include <gtest/gtest.h>
#include <string>

using namespace tarvis;
using namespace std::chrono;

namespace {

Datum Tag(int j, unsigned m, unsigned d) {
    return year{j} / month{m} / day{d};
}

} // namespace

TEST(DatumAusText, DayMonthYear) {
    const struct {
        const char* text;
        Datum datum;
    } gueltig[] = {{"07.12.1996", Tag(1996, 12, 7)}, {"7.1.96", Tag(1996, 1, 7)},
                   {"1.1.29", Tag(2029, 1, 1)},      {"1.1.30", Tag(1930, 1, 1)},
                   {"29.02.2000", Tag(2000, 2, 29)}, {"31.12.9999", Tag(9999, 12, 31)},
                   {"29.02.00", Tag(2000, 2, 29)},   {"01.01.29", Tag(2029, 1, 1)},
                   {"31.12.30", Tag(1930, 12, 31)},  {"07.12.96", Tag(1996, 12, 7)}};
    for (const auto& f : gueltig) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(DatumAusText(f.text), f.datum);
    }
    for (const char* text :
         {"31.02.1996", "29.02.1997",  "29.02.1900",  "31.04.1996",  "00.01.1996", "1.13.1996",
          "1.1.0000",   "07.12.996",   "07.12.19961", "007.12.1996", "07-12-1996", "07.12.",
          "07..1996",   "07.12.1996.", " 7.12.1996",  "+7.12.1996",  "a.12.1996",  "",
          "31.02.97",   "29.02.97",    "00.01.97",    "01.00.97",    "01.13.97",   "0a.12.96",
          "07.1a.96",   "07.12.9\xE4", "07:12:96"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(DatumAusText(text));
    }
}

TEST(UhrzeitAusText, HoursMinutesAndOptionalSeconds) {
    const struct {
        const char* text;
        int sekunde;
    } gueltig[] = {{"9:05", 32700},     {"09:05:00", 32700}, {"9:5:3", 32703},   {"0:0", 0},
                   {"23:59:59", 86399}, {"00:00:00", 0},     {"19:08:07", 68887}};
    for (const auto& f : gueltig) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(UhrzeitAusText(f.text), f.sekunde);
    }
    for (const char* text : {"24:00", "12:60", "12:00:60", "9", "123:00", "12:000", "12::00",
                             "12:00:", "12:00:00:00", "-1:00", "1:05:00 ", "12.00", "", "24:00:00",
                             "12:60:00", "1a:00:00", "12:0/:00", "12.00.00"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(UhrzeitAusText(text));
    }
}

TEST(VollesJahr, TwoDigitYearsFall1930To2029) {
    EXPECT_EQ(VollesJahr(0), 2000);
    EXPECT_EQ(VollesJahr(29), 2029);
    EXPECT_EQ(VollesJahr(30), 1930);
    EXPECT_EQ(VollesJahr(96), 1996);
    EXPECT_EQ(VollesJahr(99), 1999);
}

TEST(LiesZiffern, DigitsOnlyWithinTheirCount) {
    EXPECT_EQ(LiesZiffern("0", 1, 2), 0);
    EXPECT_EQ(LiesZiffern("007", 1, 3), 7);
    EXPECT_EQ(LiesZiffern("999999999999999999", 1, 30), 999'999'999'999'999'999);
    for (const char* text : {"", "123", "1a", " 1", "-1", "+1", "1.0", "\xD9\xA1"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(LiesZiffern(text, 1, 2));
    }
    EXPECT_FALSE(LiesZiffern("1", 2, 2));
    EXPECT_FALSE(LiesZiffern("1000000000000000000", 1, 30)); // 19 digits could overflow
}

TEST(DauerAusText, TheLogsDurationWithTenths) {
    const struct {
        const char* text;
        std::int64_t ms;
    } gueltig[] = {{"00:03:39,2", 219'200},     {"00:00:00,0", 0},
                   {"23:59:59,9", 86'399'900},  {"100:00:00,0", 360'000'000},
                   {"00:03:39", 219'000},       {"25:01:01,2", 90'061'200},
                   {"99:59:59,9", 359'999'900}, {"01:02:03,4", 3'723'400}};
    for (const auto& f : gueltig) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(DauerAusText(f.text), f.ms);
    }
    for (const char* text : {"0:03:39,2", "00:60:00,0", "00:00:60,0", "00:03:39,", "00:03:39,12",
                             "00:03,2", "00:03:39.2", "", ",2", "aa:bb:cc,d", "00:03:39,a",
                             "0a:03:39,2", "00:03:39;2", "00.03.39,2"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(DauerAusText(text));
    }
}
