// The CSV fields of the export: quoted where needed, never taken for a formula or a number.
#include "journal/JournalCsv.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace tarvis {
namespace {

// Fields holding a comma, a semicolon or a quote are quoted, quotes doubled; typed texts that a
// spreadsheet would take for a formula or for a number without its leading zeros get the
// invisible word joiner in front; control characters become "?".
struct CsvFall {
    const char* name;
    CsvArt art;
    const char* text;
    const char* feld;
};
void PrintTo(const CsvFall& fall, std::ostream* os) {
    *os << fall.name;
}
class CsvFelder : public ::testing::TestWithParam<CsvFall> {};

TEST_P(CsvFelder, QuotesWhereNeeded) {
    EXPECT_EQ(CsvFeld(GetParam().text, GetParam().art), GetParam().feld);
}

#define WJ "\u2060"
INSTANTIATE_TEST_SUITE_P(
    Felder, CsvFelder,
    ::testing::Values(CsvFall{"plain", CsvArt::Text, "Oma", "Oma"},
                      CsvFall{"empty", CsvArt::Text, "", ""},
                      CsvFall{"blanks_stay", CsvArt::Text, "  a  ", "  a  "},
                      CsvFall{"decimal_comma", CsvArt::Wert, "0,24", "\"0,24\""},
                      CsvFall{"duration", CsvArt::Wert, "00:02:22,4", "\"00:02:22,4\""},
                      CsvFall{"comma_in_text", CsvArt::Text, "ja, gern", "\"ja, gern\""},
                      CsvFall{"separator", CsvArt::Text, "a;b", "\"a;b\""},
                      CsvFall{"quote", CsvArt::Text, "sag \"hallo\"", "\"sag \"\"hallo\"\"\""},
                      CsvFall{"line_feed", CsvArt::Text, "a\nb", "a?b"},
                      CsvFall{"carriage_return", CsvArt::Text, "a\rb", "a?b"},
                      CsvFall{"tab_and_del", CsvArt::Text, "\ta\x7F", "?a?"},
                      CsvFall{"c1_control", CsvArt::Text, "a\u0085b\u00a0", "a?b\u00a0"},
                      CsvFall{"formula", CsvArt::Text, "=1+2", WJ "=1+2"},
                      CsvFall{"hyperlink", CsvArt::Text, "=HYPERLINK(\"http://x\";\"y\")",
                              "\"" WJ "=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\""},
                      CsvFall{"plus", CsvArt::Text, "+49 711 123", WJ "+49 711 123"},
                      CsvFall{"minus", CsvArt::Text, "-5", WJ "-5"},
                      CsvFall{"at", CsvArt::Text, "@SUM(A1)", WJ "@SUM(A1)"},
                      CsvFall{"formula_after_control", CsvArt::Text, "\n=1", "?=1"},
                      CsvFall{"leading_zero", CsvArt::Text, "0711123456", WJ "0711123456"},
                      CsvFall{"zero_alone", CsvArt::Text, "0", "0"},
                      CsvFall{"number_without_zero", CsvArt::Text, "110", "110"},
                      CsvFall{"sixteen_digits", CsvArt::Text, "4971112345678901",
                              WJ "4971112345678901"},
                      CsvFall{"number_with_blank", CsvArt::Text, "0711 123456", "0711 123456"},
                      CsvFall{"figure_stays_a_figure", CsvArt::Wert, "-5", "-5"}),
    [](const auto& info) { return std::string(info.param.name); });
#undef WJ

} // namespace
} // namespace tarvis
