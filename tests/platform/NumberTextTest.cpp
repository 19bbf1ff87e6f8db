#include "platform/QtText.h"

#include <gtest/gtest.h>

using namespace tarvis;

namespace {

// What a user reads under the number settings of a few languages: Western digits always, the
// decimal and group separators of the language. Persian and Arabic settings have digits of their
// own, Chakma ones outside the 16-bit range of Qt's characters.
struct Fall {
    const char* locale;
    const char* kosten; // "0.12" shown
    const char* anzahl; // 15476 grouped
};

class NumberText : public ::testing::TestWithParam<Fall> {};

TEST_P(NumberText, WesternDigitsWithTheSeparatorsOfTheLocale) {
    const QLocale locale(QString::fromLatin1(GetParam().locale));
    EXPECT_EQ(ZahlText("0.12", locale), QString::fromUtf8(GetParam().kosten));
    EXPECT_EQ(GanzzahlText(15'476, locale), QString::fromUtf8(GetParam().anzahl));
}

INSTANTIATE_TEST_SUITE_P(
    Sprachen, NumberText,
    ::testing::Values(Fall{"de_DE", "0,12", "15.476"}, Fall{"en_US", "0.12", "15,476"},
                      Fall{"fa_IR", "0٫12", "15٬476"}, Fall{"ar_EG", "0٫12", "15٬476"},
                      Fall{"ccp_BD", "0.12", "15,476"}),
    [](const ::testing::TestParamInfo<Fall>& info) { return std::string(info.param.locale); });

} // namespace
