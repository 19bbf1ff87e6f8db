#include "tariff/Duration.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;

TEST(Long2GenaueZeit, SplitsAndFormats) {
    struct Fall {
        std::int64_t ms;
        GenaueZeit zeit;
        const char* text;
    };
    const std::vector<Fall> faelle{
        {0, {0, 0, 0, 0}, "00:00:00,0"},
        {1999, {0, 0, 1, 999}, "00:00:01,9"},
        {3'599'999, {0, 59, 59, 999}, "00:59:59,9"},
        {3'600'000, {1, 0, 0, 0}, "01:00:00,0"},
        {3'723'456, {1, 2, 3, 456}, "01:02:03,4"},
        {754'321, {0, 12, 34, 321}, "00:12:34,3"},
        {90'061'234, {25, 1, 1, 234}, "25:01:01,2"},
        {360'000'000, {100, 0, 0, 0}, "100:00:00,0"},
        {2'147'483'647, {596, 31, 23, 647}, "596:31:23,6"},
        {10'000LL * 3'600'000 + 1, {10000, 0, 0, 1}, "10000:00:00,0"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.ms);
        EXPECT_EQ(Long2GenaueZeit(fall.ms), fall.zeit);
        EXPECT_EQ(DauerText(fall.ms), fall.text);
    }
}

TEST(Long2GenaueZeit, FieldsAlwaysAddUpToTheInput) {
    for (std::int64_t ms = 0; ms < 400'000'000; ms += 999'983) {
        const GenaueZeit z = Long2GenaueZeit(ms);
        ASSERT_EQ(z.Stunden * 3'600'000 + z.Minuten * 60'000 + z.Sekunden * 1000 + z.Millisekunden,
                  ms);
        ASSERT_LT(z.Minuten, 60);
        ASSERT_LT(z.Sekunden, 60);
        ASSERT_LT(z.Millisekunden, 1000);
    }
}

TEST(Long2GenaueZeit, NegativeCountIsZero) {
    EXPECT_EQ(DauerText(-5), "00:00:00,0");
}
