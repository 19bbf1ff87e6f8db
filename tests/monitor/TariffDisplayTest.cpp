#include "monitor/TariffDisplay.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;
using namespace std::chrono;

namespace {

const QLocale Deutsch(QLocale::German, QLocale::Germany);

Moment Am(int j, unsigned m, unsigned d, int h) {
    return MomentAus(year{j} / month{m} / day{d}, h);
}

} // namespace

TEST(NeuAnzeigeInhalt, MarkerFollowsTheOrderOfTheBandClassification) {
    struct Fall {
        const char* name;
        Moment jetzt;
        TagesArt art;
        const char* text;
    };
    const std::vector<Fall> faelle{
        {"24.12. on a working day", Am(1996, 12, 24, 10), TagesArt::Feiertag, "FT"},
        {"Saturday 28.12.", Am(1996, 12, 28, 10), TagesArt::Feiertag, "FT"},
        {"Monday 29.12.1997", Am(1997, 12, 29, 10), TagesArt::JahresendWerktag, "W"},
        {"ordinary Saturday", Am(1996, 12, 7, 10), TagesArt::Wochenende, "S"},
        {"Whit Monday", Am(1996, 5, 27, 10), TagesArt::Feiertag, "FT"},
        {"ordinary Monday", Am(1996, 12, 2, 10), TagesArt::Werktag, ""},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        FeiertagKalender kalender;
        const TarifAnzeige anzeige = NeuAnzeigeInhalt(fall.jetzt, DatumVon(fall.jetzt),
                                                      ZonenArray<int>(1), kalender, Deutsch);
        EXPECT_EQ(anzeige.tagesArt, fall.art);
        EXPECT_EQ(anzeige.ftText, QString::fromUtf8(fall.text));
    }
}

TEST(NeuAnzeigeInhalt, DateNameAndFiguresPerZone) {
    FeiertagKalender kalender;
    const Moment jetzt = Am(1996, 12, 7, 22); // Saturday night, band 8
    // Zone 1 still in a unit of band 7, the others already in band 8.
    const TarifAnzeige anzeige =
        NeuAnzeigeInhalt(jetzt, DatumVon(jetzt), ZonenArray<int>(7, 8, 8, 8), kalender, Deutsch);
    EXPECT_EQ(anzeige.datum, QStringLiteral("Samstag, 07.12.1996"));
    EXPECT_EQ(anzeige.tarif, QStringLiteral("Mondscheintarif (21:00 - 05:00 Uhr)"));
    EXPECT_EQ(anzeige.sek, (ZonenArray<QString>("150,0", "60,0", "36,0", "30,0")));
    EXPECT_EQ(anzeige.dmMin, (ZonenArray<QString>("0,05", "0,12", "0,20", "0,24")));
}

TEST(NeuAnzeigeInhalt, FollowsTheUsersDecimalSeparator) {
    FeiertagKalender kalender;
    const Moment jetzt = Am(1996, 12, 2, 18);
    const TarifAnzeige anzeige =
        NeuAnzeigeInhalt(jetzt, DatumVon(jetzt), ZonenArray<int>(5), kalender,
                         QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(anzeige.sek[3], QStringLiteral("22.5"));
    EXPECT_EQ(anzeige.dmMin[4], QStringLiteral("0.33"));
    EXPECT_TRUE(anzeige.datum.startsWith(QStringLiteral("Montag, ")));
    EXPECT_TRUE(anzeige.datum.endsWith(QStringLiteral("1996"))) << anzeige.datum.toStdString();
}
