// The names the program gives its monthly logs, and names that only look like them.
#include "calllog/LogFormat.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

namespace tarvis {
namespace {

struct NamensFall {
    const char* name;
    const char* datei;
    std::optional<std::pair<int, int>> monat;
};
void PrintTo(const NamensFall& fall, std::ostream* os) {
    *os << fall.name;
}
class LogName : public ::testing::TestWithParam<NamensFall> {};

TEST_P(LogName, RecognisesTheProgramsNames) {
    EXPECT_EQ(MonatAusLogDateiname(QString::fromUtf8(GetParam().datei)), GetParam().monat);
}

INSTANTIATE_TEST_SUITE_P(
    Namen, LogName,
    ::testing::Values(NamensFall{"december", "Tarvis 12-1996.Rep", std::pair{1996, 12}},
                      NamensFall{"january", "Tarvis 01-2031.Rep", std::pair{2031, 1}},
                      NamensFall{"month_13", "Tarvis 13-1996.Rep", std::nullopt},
                      NamensFall{"month_00", "Tarvis 00-1996.Rep", std::nullopt},
                      NamensFall{"one_digit_month", "Tarvis 1-1997.Rep", std::nullopt},
                      NamensFall{"small_extension", "Tarvis 01-1997.rep", std::nullopt},
                      NamensFall{"backup", "Tarvis 01-1997.Rep.bak", std::nullopt},
                      NamensFall{"two_digit_year", "Tarvis 01-97.Rep", std::nullopt},
                      NamensFall{"other_name", "Anrufe.Rep", std::nullopt},
                      NamensFall{"underscore", "Tarvis 01_1997.Rep", std::nullopt},
                      NamensFall{"letter_in_the_year", "Tarvis 01-19x7.Rep", std::nullopt},
                      NamensFall{"arabic_digits", "Tarvis \u0661\u0662-1996.Rep", std::nullopt},
                      NamensFall{"line_end_after_the_name", "Tarvis 01-1997.Rep\n", std::nullopt},
                      NamensFall{"blank_before_the_name", " Tarvis 01-1997.Rep", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LogName, TheNameTheProgramGivesIsRecognised) {
    EXPECT_EQ(MonatAusLogDateiname(LogDateiname(1996, 12)), (std::pair{1996, 12}));
    EXPECT_EQ(MonatAusLogDateiname(LogDateiname(1997, 1)), (std::pair{1997, 1}));
}

} // namespace
} // namespace tarvis
