#include "commandline/QtOptions.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;

// What is left for the command line once Qt's own options are taken out, written out by hand
// from the options Qt documents for QGuiApplication and QApplication.
TEST(OhneQtOptionen, TakesOutQtsOptionsWithTheirValuesAndNothingElse) {
    const struct {
        const char* name;
        QStringList argumente;
        QStringList rest;
    } faelle[] = {
        {"nothing to take", {"Tarvis32", "--version"}, {"Tarvis32", "--version"}},
        {"value as the next argument",
         {"Tarvis32", "-platform", "offscreen", "--version"},
         {"Tarvis32", "--version"}},
        {"two dashes", {"Tarvis32", "--platform", "offscreen"}, {"Tarvis32"}},
        {"value after =",
         {"Tarvis32", "-style=Fusion", "--tarif", "x"},
         {"Tarvis32", "--tarif", "x"}},
        {"option without a value", {"Tarvis32", "-reverse", "-"}, {"Tarvis32", "-"}},
        {"several",
         {"Tarvis32", "-sync", "-qwindowtitle", "T", "--geometry=10x10", "a"},
         {"Tarvis32", "a"}},
        {"a value that looks like an option is still the value",
         {"Tarvis32", "-display", "--help"},
         {"Tarvis32"}},
        {"a value missing at the end",
         {"Tarvis32", "--auswertung", "a", "-platform"},
         {"Tarvis32", "--auswertung", "a"}},
        {"the program's name stays whatever it is", {"-platform", "x"}, {"-platform", "x"}},
        {"names must match whole",
         {"Tarvis32", "-platformx", "-styles", "-reversed"},
         {"Tarvis32", "-platformx", "-styles", "-reversed"}},
        {"three dashes are no option of Qt",
         {"Tarvis32", "---platform", "x"},
         {"Tarvis32", "---platform", "x"}},
        {"a word without a dash", {"Tarvis32", "platform", "x"}, {"Tarvis32", "platform", "x"}},
        {"none at all", {}, {}},
    };
    // Joined with "|" so that a failure prints the arguments as text.
    const auto text = [](const QStringList& liste) {
        return liste.join(QLatin1Char('|')).toStdString();
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(text(OhneQtOptionen(fall.argumente)), text(fall.rest));
    }
}
