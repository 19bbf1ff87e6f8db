#include "calllog/LogReader.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <vector>

using namespace tarvis;
using namespace std::chrono;

TEST(LiesLogZeile, TellsRecordsOtherLinesAndDamagedRecords) {
    struct Fall {
        const char* name;
        std::string zeile;
        ZeilenArt art;
        int zone;
        std::int64_t einheiten;
        std::int64_t pfennig;
    };
    const std::string satz =
        "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   0711 123456       ";
    const std::vector<Fall> faelle{
        {"record", satz + "City              2        0,24 DM", ZeilenArt::Datensatz, 1, 2, 24},
        {"Region 200", satz + "Region 200       10        1,20 DM", ZeilenArt::Datensatz, 3, 10,
         120},
        {"Region 50, point", satz + "Region 50         5        0.60 DM", ZeilenArt::Datensatz, 2,
         5, 60},
        {"grown units and cost", satz + "Fern        1234567   148148,04 DM", ZeilenArt::Datensatz,
         4, 1234567, 14814804},
        {"heading", "     Beginn                 Ende", ZeilenArt::KeinDatensatz, 0, 0, 0},
        {"dashes", std::string(109, '-'), ZeilenArt::KeinDatensatz, 0, 0, 0},
        {"comment", std::string(57, ' ') + "12.12.96 angerufen", ZeilenArt::KeinDatensatz, 0, 0, 0},
        {"empty", "", ZeilenArt::KeinDatensatz, 0, 0, 0},
        {"no DM", satz + "City              2        0,24", ZeilenArt::Unlesbar, 0, 0, 0},
        {"bad cost", satz + "City              2        0,2x DM", ZeilenArt::Unlesbar, 0, 0, 0},
        {"bad units", satz + "City             -2        0,24 DM", ZeilenArt::Unlesbar, 0, 0, 0},
        {"unknown zone", satz + "Mond              2        0,24 DM", ZeilenArt::Unlesbar, 0, 0, 0},
        {"impossible date", "30.02.96" + satz.substr(8) + "City  2  0,24 DM", ZeilenArt::Unlesbar,
         0, 0, 0},
        {"too many digits", satz + "City  1234567890123  0,24 DM", ZeilenArt::Unlesbar, 0, 0, 0},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        const GelesenesZeile gelesen = LiesLogZeile(fall.zeile);
        EXPECT_EQ(gelesen.art, fall.art);
        if (fall.art == ZeilenArt::Datensatz) {
            EXPECT_EQ(gelesen.datensatz.startDatum, year{1996} / 12 / 7);
            EXPECT_EQ(gelesen.datensatz.zone, fall.zone);
            EXPECT_EQ(gelesen.datensatz.einheiten, fall.einheiten);
            EXPECT_EQ(gelesen.datensatz.kostenPfennig, fall.pfennig);
        }
        if (fall.art == ZeilenArt::Unlesbar) {
            EXPECT_FALSE(gelesen.grund.empty());
        }
    }
}

TEST(LiesLogZeile, TwoDigitYearsAreRead1930To2029) {
    const std::string rest = "   00:00:00   x   y   z   0711   City   1   0,12 DM";
    EXPECT_EQ(LiesLogZeile("01.01.29" + rest).datensatz.startDatum, year{2029} / 1 / 1);
    EXPECT_EQ(LiesLogZeile("01.01.30" + rest).datensatz.startDatum, year{1930} / 1 / 1);
}

TEST(WerteLogAus, PassesOverOverlongLinesAndReportsThoseThatLookLikeRecords) {
    QByteArray inhalt = "07.12.96" + QByteArray(10'000, 'x') + "\r\n";
    inhalt += QByteArray(10'000, 'y') + "\n";
    inhalt += "08.12.96   10:00:00   08.12.96   10:01:00   00:01:00,0   0711   City   1   0,12 DM";
    QBuffer puffer(&inhalt);
    ASSERT_TRUE(puffer.open(QIODevice::ReadOnly));
    const LogAuswertung auswertung = WerteLogAus(puffer);
    ASSERT_EQ(auswertung.fehler.size(), 1u);
    EXPECT_EQ(auswertung.fehler[0].zeile, 1);
    EXPECT_EQ(auswertung.gesamt[1], (LogSumme{1, 1, 12}));
}
