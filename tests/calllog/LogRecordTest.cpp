#include "calllog/LogRecord.h"

#include "support/SampleCall.h"
#include "tariff/TariffTables.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tarvis {
namespace {

using namespace std::chrono;

TEST(LogRecord, RecordLines) {
    struct Fall {
        const char* name;
        Gespraech gespraech;
        QByteArray zeile;
    };
    const auto anruf = [](Datum startTag, int h, int m, int s, std::int64_t dauerMs,
                          ZonenArray<std::int64_t> einheiten) {
        const Moment start = MomentAus(startTag, h, m, s);
        return GespraechMit(start, start + seconds{dauerMs / 1000}, dauerMs, einheiten);
    };
    const GespraechVorZonenwahl beispiel = test::BeispielAnruf();
    Gespraech zuBreit = beispiel.MitZone(1, QString());
    zuBreit.einheiten = 12'345'678;
    zuBreit.kostenPfennig = KostenPfennig(12'345'678);
    Gespraech ohneZeiten = test::BeispielGespraech();
    ohneZeiten.startSekunde.reset();
    ohneZeiten.stopDatum.reset();
    ohneZeiten.stopSekunde.reset();
    ohneZeiten.dauerMs.reset();
    const std::vector<Fall> faelle = {
        {"the record example", test::BeispielGespraech(), test::BeispielSatzZeile},
        {"empty number: 18 spaces, zone in column 76", beispiel.MitZone(1, QString()),
         "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2                     "
         "City              2        0,24 DM\r\n"},
        {"15-character number and Region 200",
         beispiel.MitZone(3, QStringLiteral("089 12345678901")),
         "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   089 12345678901   "
         "Region 200       10        1,20 DM\r\n"},
        {"a call across midnight keeps both dates",
         anruf(year{1996} / 12 / 31, 23, 58, 10, 271'000, {3, 9, 9, 27}).MitZone(4, QString()),
         "31.12.96   23:58:10   01.01.97   00:02:41   00:04:31,0                     "
         "Fern             27        3,24 DM\r\n"},
        {"a call of several days: the duration keeps all its hours",
         anruf(year{1998} / 12 / 24, 20, 0, 0, 360'000'099, {1, 1, 1, 11'812})
             .MitZone(4, QString()),
         "24.12.98   20:00:00   29.12.98   00:00:00   100:00:00,0                     "
         "Fern          11812     1417,44 DM\r\n"},
        {"too wide units and cost are written whole", zuBreit,
         "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2                     "
         "City         12345678   1481481,36 DM\r\n"},
        {"a number too long for its column keeps a blank before the zone",
         beispiel.MitZone(1, QStringLiteral("0049 711 1234567890")),
         "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   0049 711 1234567890 "
         "City              2        0,24 DM\r\n"},
        {"characters outside the code page keep the columns",
         beispiel.MitZone(1, QStringLiteral(u"☎ 0711 😀 €")),
         "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   ? 0711 ? \x80        "
         "City              2        0,24 DM\r\n"},
        {"times, stop and duration a call lacks are left blank", ohneZeiten,
         "07.12.96" + QByteArray(49, ' ') +
             "0711 123456       City              2        0,24 DM\r\n"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(SatzZeile(fall.gespraech).toStdString(), fall.zeile.toStdString());
    }
}

TEST(LogRecord, CommentLines) {
    struct Fall {
        const char* name;
        std::string kommentar; // UTF-8
        QByteArray zeile;
    };
    const std::vector<Fall> faelle = {
        {"none", "", {}},
        {"28 characters make 85", "Rückruf wegen Angebot 12/96!",
         QByteArray(57, ' ') + "R\374ckruf wegen Angebot 12/96!\r\n"},
        {"spaces only still count", "   ", QByteArray(60, ' ') + "\r\n"},
        {"a pasted line break cannot split the record", "Zeile 1\r\nZeile 2",
         QByteArray(57, ' ') + "Zeile 1??Zeile 2\r\n"},
        {"an emoji is one question mark", "Geburtstag 🎂", QByteArray(57, ' ') + "Geburtstag ?\r\n"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        EXPECT_EQ(KommentarZeile(fall.kommentar), fall.zeile);
    }
    EXPECT_EQ(KommentarZeile(faelle[1].kommentar).size(), 85 + 2);
}

} // namespace
} // namespace tarvis
