#include "overview/TariffOverview.h"

#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;

namespace {

const QLocale Deutsch(QLocale::German, QLocale::Germany);

// The figures a user reads under the bars, written out from the tariff's unit lengths.
struct Fall {
    int zone;
    TagesArt art;
    std::array<int, SlotAnzahl> baender;
    std::array<const char*, SlotAnzahl> sekunden;
};

const std::array<int, SlotAnzahl> WerktagBaender{6, 1, 2, 3, 4, 5, 6};
const std::array<int, SlotAnzahl> WochenendBaender{8, 8, 7, 7, 7, 7, 8};
const std::array<int, SlotAnzahl> FeiertagBaender{10, 10, 9, 9, 9, 9, 10};
const std::array<int, SlotAnzahl> JahresendBaender{16, 11, 12, 13, 14, 15, 16};

const std::vector<Fall> Faelle{
    {1, TagesArt::Werktag, WerktagBaender, {"240", "240", "150", "90", "90", "150", "240"}},
    {1, TagesArt::Wochenende, WochenendBaender, {"240", "240", "150", "150", "150", "150", "240"}},
    {1, TagesArt::Feiertag, FeiertagBaender, {"240", "240", "150", "150", "150", "150", "240"}},
    {1,
     TagesArt::JahresendWerktag,
     JahresendBaender,
     {"240", "240", "150", "90", "90", "150", "240"}},
    {2, TagesArt::Werktag, WerktagBaender, {"60", "120", "45", "26", "30", "45", "60"}},
    {2, TagesArt::Wochenende, WochenendBaender, {"60", "60", "45", "45", "45", "45", "60"}},
    {2, TagesArt::Feiertag, FeiertagBaender, {"60", "60", "45", "45", "45", "45", "60"}},
    {2, TagesArt::JahresendWerktag, JahresendBaender, {"60", "120", "45", "36", "36", "45", "60"}},
    {3, TagesArt::Werktag, WerktagBaender, {"36", "120", "22,5", "13", "14", "22,5", "36"}},
    {3, TagesArt::Wochenende, WochenendBaender, {"36", "36", "22,5", "22,5", "22,5", "22,5", "36"}},
    {3, TagesArt::Feiertag, FeiertagBaender, {"36", "36", "36", "36", "36", "36", "36"}},
    {3, TagesArt::JahresendWerktag, JahresendBaender, {"36", "120", "36", "36", "36", "36", "36"}},
    {4, TagesArt::Werktag, WerktagBaender, {"30", "120", "21,5", "12", "13,5", "21,5", "30"}},
    {4, TagesArt::Wochenende, WochenendBaender, {"30", "30", "21,5", "21,5", "21,5", "21,5", "30"}},
    {4, TagesArt::Feiertag, FeiertagBaender, {"36", "36", "36", "36", "36", "36", "36"}},
    {4, TagesArt::JahresendWerktag, JahresendBaender, {"36", "120", "36", "36", "36", "36", "36"}},
};

} // namespace

TEST(UebersichtFuer, EveryZoneAndKindOfDayShowsTheUnitLengthOfEachSlot) {
    for (const Fall& fall : Faelle) {
        SCOPED_TRACE(testing::Message()
                     << "zone " << fall.zone << ", kind of day " << static_cast<int>(fall.art));
        const UebersichtInhalt inhalt = UebersichtFuer(fall.zone, fall.art, Deutsch);
        EXPECT_EQ(inhalt.zone, fall.zone);
        for (std::size_t slot = 0; slot < SlotAnzahl; ++slot) {
            SCOPED_TRACE(testing::Message() << "slot " << slot + 1);
            const QString text = QString::fromUtf8(fall.sekunden[slot]);
            EXPECT_EQ(inhalt.balken[slot].band, fall.baender[slot]);
            EXPECT_EQ(inhalt.balken[slot].text, text);
            EXPECT_DOUBLE_EQ(inhalt.balken[slot].sekunden, Deutsch.toDouble(text));
        }
        // The night band runs across midnight, so the first and the last bar always agree.
        EXPECT_EQ(inhalt.balken[0].band, inhalt.balken[6].band);
        EXPECT_EQ(inhalt.balken[0].text, inhalt.balken[6].text);
    }
}

TEST(UebersichtFuer, LinesTellWhichDaysTheKindOfDayCovers) {
    struct Zeilen {
        TagesArt art;
        const char* erste;
        const char* zweite;
    };
    const std::vector<Zeilen> faelle{
        {TagesArt::Werktag, "alle normalen Werktage ohne Feiertage,",
         "die nicht in der Zeit vom 27.12. bis 30.12. liegen"},
        {TagesArt::Wochenende, "alle normalen Samstage und Sonntage ohne Feiertage,",
         "die nicht in der Zeit vom 27.12. bis 30.12. liegen"},
        {TagesArt::Feiertag, "bundeseinheitliche gesetzliche Feiertage, 24.12., 31.12.,",
         "alle Samstage und Sonntage in der Zeit vom 27.12. bis 30.12."},
        {TagesArt::JahresendWerktag, "alle Werktage (Montag bis Freitag)",
         "in der Zeit vom 27.12. bis 30.12."},
    };
    for (const Zeilen& fall : faelle) {
        SCOPED_TRACE(static_cast<int>(fall.art));
        for (int zone : AlleZonen) {
            const UebersichtInhalt inhalt = UebersichtFuer(zone, fall.art, Deutsch);
            EXPECT_EQ(inhalt.bemerkung1, QString::fromUtf8(fall.erste));
            EXPECT_EQ(inhalt.bemerkung2, QString::fromUtf8(fall.zweite));
        }
    }
}

TEST(UebersichtFuer, FiguresFollowTheUsersDecimalSeparator) {
    const UebersichtInhalt inhalt =
        UebersichtFuer(4, TagesArt::Werktag, QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(inhalt.balken[2].text, QStringLiteral("21.5"));
    EXPECT_EQ(inhalt.balken[4].text, QStringLiteral("13.5"));
    EXPECT_EQ(inhalt.balken[0].text, QStringLiteral("30"));
    EXPECT_DOUBLE_EQ(inhalt.balken[4].sekunden, 13.5);
}

// Each caption names the hours of its slot, so a caption can never drift from the slot table.
TEST(BalkenBeschriftung, CaptionsNameTheHoursOfTheirSlots) {
    for (int slot = 0; slot < SlotAnzahl; ++slot) {
        SCOPED_TRACE(slot + 1);
        const std::string_view text = BalkenBeschriftung[static_cast<std::size_t>(slot)];
        ASSERT_EQ(text.size(), 7u);
        EXPECT_EQ(text.substr(0, 2), "  ");
        const int von = std::stoi(std::string(text.substr(2, 2)));
        const int bis = std::stoi(std::string(text.substr(5, 2)));
        EXPECT_EQ(text[4], '-');
        EXPECT_EQ(von * 3600, SlotBeginnSekunde[static_cast<std::size_t>(slot)]);
        const int naechster =
            slot + 1 < SlotAnzahl ? SlotBeginnSekunde[static_cast<std::size_t>(slot + 1)] : 86400;
        EXPECT_EQ(bis * 3600, naechster);
    }
}

// A screen reader hears each slot by its hours, without the captions' leading blanks.
TEST(SekundenAnsage, NamesEachSlotByItsHours) {
    EXPECT_EQ(SekundenAnsage(UebersichtFuer(3, TagesArt::Werktag, Deutsch)),
              QStringLiteral("Sekunden je Einheit: 00-02 Uhr 36, 02-05 Uhr 120, 05-09 Uhr 22,5, "
                             "09-12 Uhr 13, 12-18 Uhr 14, 18-21 Uhr 22,5, 21-24 Uhr 36"));
}
