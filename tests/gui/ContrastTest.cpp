#include "gui/Contrast.h"

#include <gtest/gtest.h>
#include <vector>

namespace tarvis::style {
namespace {

// Ratios worked out by hand from WCAG's formula; the ratio does not depend on the order.
TEST(Contrast, RatiosOfKnownPairs) {
    struct Fall {
        const char* name;
        QColor a, b;
        double verhaeltnis;
    };
    const std::vector<Fall> faelle = {
        {"black on white, the largest", Qt::black, Qt::white, 21.0},
        {"a colour on itself, the smallest", QColor(128, 128, 128), QColor(128, 128, 128), 1.0},
        {"the darkest grey that fails 4.5 : 1 on white", QColor(119, 119, 119), Qt::white, 4.478},
        {"the lightest grey that passes 4.5 : 1 on white", QColor(118, 118, 118), Qt::white, 4.542},
        {"the windows' light grey under black", QColor(192, 192, 192), Qt::black, 11.542},
        {"City's yellow figures on the windows' grey", QColor(255, 255, 0), QColor(192, 192, 192),
         1.694},
        {"pure blue on white: the blue channel weighs little", QColor(0, 0, 255), Qt::white, 8.593},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_NEAR(Kontrast(fall.a, fall.b), fall.verhaeltnis, 0.001);
        EXPECT_NEAR(Kontrast(fall.b, fall.a), fall.verhaeltnis, 0.001);
    }
}

// A pair at or above the threshold stays as designed; one just below it is moved only as far
// as needed, never straight to black on white.
TEST(Contrast, PairsAreBroughtToTheThresholdsAndNoFurther) {
    struct Fall {
        const char* name;
        QColor schrift, grund;
        double ziel;
        bool unveraendert;
    };
    const std::vector<Fall> faelle = {
        {"3.03 : 1 meets 3 : 1", QColor(148, 148, 148), Qt::white, 3.0, true},
        {"2.995 : 1 misses 3 : 1", QColor(149, 149, 149), Qt::white, 3.0, false},
        {"7.005 : 1 meets 7 : 1", QColor(89, 89, 89), Qt::white, 7.0, true},
        {"6.90 : 1 misses 7 : 1", QColor(90, 90, 90), Qt::white, 7.0, false},
        {"yellow figures on grey, 1.69 : 1", QColor(255, 255, 0), QColor(192, 192, 192), 7.0,
         false},
        {"light text on a dark ground goes lighter", QColor(128, 128, 128), QColor(0, 0, 128), 7.0,
         false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const FarbPaar paar = MitKontrast(fall.schrift, fall.grund, fall.ziel);
        const double erreicht = Kontrast(paar.schrift, paar.grund);
        EXPECT_GE(erreicht, fall.ziel);
        EXPECT_EQ(paar.grund, fall.grund) << "the text alone can reach it";
        if (fall.unveraendert) {
            EXPECT_EQ(paar.schrift, fall.schrift);
        } else {
            EXPECT_LT(erreicht, fall.ziel * 1.05);
        }
    }
}

// Grey on mid grey: neither black (4.62 : 1) nor white (4.54 : 1) text reaches 7 : 1 there, so
// the ground gives way too.
TEST(Contrast, TheGroundMovesWhereTheTextAloneCannotReachTheRatio) {
    const QColor mittelgrau(118, 118, 118);
    const FarbPaar paar = MitKontrast(mittelgrau, mittelgrau, KontrastHoch);
    EXPECT_GE(Kontrast(paar.schrift, paar.grund), KontrastHoch);
    EXPECT_NE(paar.grund, mittelgrau);
}

TEST(Contrast, TheHighContrastViewIsOffUntilSwitchedOn) {
    EXPECT_FALSE(HoherKontrast());
    SetzeHoherKontrast(true);
    EXPECT_TRUE(HoherKontrast());
    SetzeHoherKontrast(false);
    EXPECT_FALSE(HoherKontrast());
}

} // namespace
} // namespace tarvis::style
