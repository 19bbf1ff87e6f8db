#include "calllog/LogReader.h"

#include "calllog/LogLine.h"
#include "calllog/LogSums.h"
#include "calllog/LogWriter.h"
#include "support/SampleCall.h"
#include "tariff/Format.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace tarvis;
using namespace std::chrono;

namespace {

struct ZeilenFall {
    const char* name;
    std::string zeile;
    ZeilenArt art;
    Gespraech satz{}; // what a record reads as
};

void PrintTo(const ZeilenFall& fall, std::ostream* os) {
    *os << fall.name;
}

const std::string Vorne = "07.12.96   14:05:33   07.12.96   14:09:12   00:03:39,2   ";

Gespraech Satz(int zone, std::int64_t einheiten, std::int64_t pfennig,
               std::string telefon = "0711 123456") {
    Gespraech satz;
    satz.startDatum = year{1996} / 12 / 7;
    satz.startSekunde = 14 * 3600 + 5 * 60 + 33;
    satz.stopDatum = year{1996} / 12 / 7;
    satz.stopSekunde = 14 * 3600 + 9 * 60 + 12;
    satz.dauerMs = 219'200;
    satz.telefon = std::move(telefon);
    satz.zone = zone;
    satz.einheiten = einheiten;
    satz.kostenPfennig = pfennig;
    return satz;
}

class LogLine : public ::testing::TestWithParam<ZeilenFall> {};

TEST_P(LogLine, ReadsWhatTheLineHolds) {
    const ZeilenFall& fall = GetParam();
    const GeleseneLogZeile gelesen = LiesLogZeile(fall.zeile);
    ASSERT_EQ(gelesen.art, fall.art);
    if (fall.art == ZeilenArt::Unlesbar) {
        EXPECT_FALSE(gelesen.grund.empty());
    }
    if (fall.art != ZeilenArt::Satz) {
        return;
    }
    const Gespraech& ist = gelesen.gespraech;
    const Gespraech& soll = fall.satz;
    EXPECT_EQ(ist.startDatum, soll.startDatum);
    EXPECT_EQ(ist.startSekunde, soll.startSekunde);
    EXPECT_EQ(ist.stopDatum, soll.stopDatum);
    EXPECT_EQ(ist.stopSekunde, soll.stopSekunde);
    EXPECT_EQ(ist.dauerMs, soll.dauerMs);
    EXPECT_EQ(ist.telefon, soll.telefon);
    EXPECT_EQ(ist.zone, soll.zone);
    EXPECT_EQ(ist.einheiten, soll.einheiten);
    EXPECT_EQ(ist.kostenPfennig, soll.kostenPfennig);
}

Gespraech OhneZeiten(Gespraech satz) {
    satz.startSekunde = 9 * 3600 + 5 * 60;
    satz.stopSekunde.reset();
    satz.dauerMs = 219'000;
    satz.telefon.clear();
    return satz;
}

INSTANTIATE_TEST_SUITE_P(
    Zeilen, LogLine,
    ::testing::Values(
        ZeilenFall{"record", Vorne + "0711 123456       City              2        0,24 DM",
                   ZeilenArt::Satz, Satz(1, 2, 24)},
        ZeilenFall{"region_200", Vorne + "0711 123456       Region 200       10        1,20 DM",
                   ZeilenArt::Satz, Satz(3, 10, 120)},
        ZeilenFall{"empty_number", Vorne + "                  Fern             11        1,32 DM",
                   ZeilenArt::Satz, Satz(4, 11, 132, "")},
        ZeilenFall{"number_with_blanks_and_umlaut",
                   Vorne + "B\xFCro  0711 12    Region 50         5        0,60 DM",
                   ZeilenArt::Satz, Satz(2, 5, 60, "B\xC3\xBCro  0711 12")},
        ZeilenFall{"cost_with_a_point_from_english_settings",
                   Vorne + "0711 123456       Region 50         5        0.60 DM", ZeilenArt::Satz,
                   Satz(2, 5, 60)},
        ZeilenFall{"cost_with_a_question_mark_from_persian_settings",
                   Vorne + "0711 123456       Fern             11        1?32 DM", ZeilenArt::Satz,
                   Satz(4, 11, 132)},
        ZeilenFall{"grown_units_and_cost",
                   Vorne + "0711 123456       Fern        1234567   148148,04 DM", ZeilenArt::Satz,
                   Satz(4, 1'234'567, 14'814'804)},
        ZeilenFall{
            "typed_short_start_time_and_no_stop_time",
            "07.12.96   9:05   07.12.96      00:03:39,0                     City   2   0,24 DM",
            ZeilenArt::Satz, OhneZeiten(Satz(1, 2, 24))},
        ZeilenFall{"comment",
                   std::string(57, ' ') + "R\xFC"
                                          "ckruf",
                   ZeilenArt::Kommentar},
        ZeilenFall{"comment_of_blanks", std::string(60, ' '), ZeilenArt::Kommentar},
        ZeilenFall{"heading", "     Beginn                 Ende", ZeilenArt::KeinSatz},
        ZeilenFall{"dashes", std::string(109, '-'), ZeilenArt::KeinSatz},
        ZeilenFall{"empty", "", ZeilenArt::KeinSatz},
        ZeilenFall{"no_DM", Vorne + "0711   City   2   0,24", ZeilenArt::Unlesbar},
        ZeilenFall{"bad_cost", Vorne + "0711   City   2   0,2x DM", ZeilenArt::Unlesbar},
        ZeilenFall{"cost_without_pfennig", Vorne + "0711   City   2   24 DM", ZeilenArt::Unlesbar},
        ZeilenFall{"negative_units", Vorne + "0711   City   -2   0,24 DM", ZeilenArt::Unlesbar},
        ZeilenFall{"unknown_zone", Vorne + "0711   Mond   2   0,24 DM", ZeilenArt::Unlesbar},
        ZeilenFall{"zone_name_glued_to_the_number", Vorne + "0711Fern   2   0,24 DM",
                   ZeilenArt::Unlesbar},
        ZeilenFall{"impossible_date", "30.02.96" + Vorne.substr(8) + "0711   City   2   0,24 DM",
                   ZeilenArt::Unlesbar},
        ZeilenFall{"too_many_digits", Vorne + "0711   City   1234567890123   0,24 DM",
                   ZeilenArt::Unlesbar}),
    [](const ::testing::TestParamInfo<ZeilenFall>& info) { return std::string(info.param.name); });

TEST(LiesLogZeile, TwoDigitYearsAreRead1930To2029) {
    const std::string rest = "   00:00:00   x   y   z   0711   City   1   0,12 DM";
    EXPECT_EQ(LiesLogZeile("01.01.29" + rest).gespraech.startDatum, year{2029} / 1 / 1);
    EXPECT_EQ(LiesLogZeile("01.01.30" + rest).gespraech.startDatum, year{1930} / 1 / 1);
}

// The writer takes a call and the reader gives the same call back, comment and all, also one
// that lacks the times, the stop or the duration, as a hand-written line may.
TEST(LiesLog, ReadsBackEveryCallAsTheWriterTookIt) {
    const GespraechVorZonenwahl anruf = test::BeispielAnruf();
    std::vector<Gespraech> gespraeche{
        anruf.MitZone(3, QStringLiteral(u"Büro 0711"), QStringLiteral(u"Rückruf, 2 € zurück")),
        anruf.MitZone(1, QString()),
        anruf.MitZone(4, QStringLiteral("0711 123456789"), QStringLiteral("x")),
    };
    Gespraech ohneZeiten = anruf.MitZone(2, QStringLiteral("0711 12"), QStringLiteral("von Hand"));
    ohneZeiten.startSekunde.reset();
    ohneZeiten.stopSekunde.reset();
    ohneZeiten.dauerMs.reset();
    gespraeche.push_back(ohneZeiten);
    Gespraech ohneEnde = anruf.MitZone(1, QStringLiteral("110"));
    ohneEnde.stopDatum.reset();
    ohneEnde.stopSekunde.reset();
    gespraeche.push_back(ohneEnde);

    QByteArray inhalt = KopfZeilen();
    for (const Gespraech& gespraech : gespraeche) {
        inhalt += SatzZeile(gespraech) + KommentarZeile(gespraech.kommentar);
    }
    QBuffer puffer(&inhalt);
    ASSERT_TRUE(puffer.open(QIODevice::ReadOnly));
    struct : LogEmpfaenger {
        void Datensatz(const Gespraech& gespraech, std::int64_t) override {
            gelesen.push_back(gespraech);
        }
        void Unlesbar(const LogFehler& fehler) override { ADD_FAILURE() << fehler.grund; }
        std::vector<Gespraech> gelesen;
    } empfaenger;
    ASSERT_TRUE(LiesLog(puffer, empfaenger).gelesen);
    ASSERT_EQ(empfaenger.gelesen.size(), gespraeche.size());
    for (std::size_t i = 0; i < gespraeche.size(); ++i) {
        EXPECT_EQ(empfaenger.gelesen[i], gespraeche[i]) << "call " << i;
    }
}

std::string Beschreibung(const GeleseneLogZeile& g) {
    const Gespraech& s = g.gespraech;
    auto zahl = [](const auto& wert) { return wert ? std::to_string(*wert) : std::string("-"); };
    std::ostringstream text;
    text << int(g.art) << '|' << g.grund << '|' << g.kommentar << '|';
    if (g.art == ZeilenArt::Satz) {
        text << int(s.startDatum.year()) << '-' << unsigned(s.startDatum.month()) << '-'
             << unsigned(s.startDatum.day()) << '|' << zahl(s.startSekunde) << '|'
             << (s.stopDatum ? DatumText(*s.stopDatum) : "-") << '|' << zahl(s.stopSekunde) << '|'
             << zahl(s.dauerMs) << '|' << s.telefon << '|' << s.zone << '|' << s.einheiten << '|'
             << s.kostenPfennig;
    }
    return text.str();
}

// The writer's lines are read by their fixed columns; every line, the writer's own and each of
// them with one byte changed anywhere, must read as the word-by-word reading reads it.
TEST(LiesLogZeile, FixedColumnsReadAsWordByWord) {
    std::vector<std::string> zeilen;
    const struct {
        int zone;
        const char* telefon;
        ZonenArray<std::int64_t> einheiten;
    } eintraege[] = {
        {1, "0711 123456", {2, 5, 10, 11}},
        {3, "", {2, 5, 10, 11}},
        {4, "B\u00fcro 12:00:00 x", {1, 1, 1, 999'999}},
        {2, "123456789012345", {1, 83'333, 1, 1}},
    };
    for (const auto& e : eintraege) {
        const GespraechVorZonenwahl anruf = test::BeispielAnruf();
        const Gespraech gespraech =
            GespraechMit(anruf.start, anruf.stop, anruf.dauerMs, e.einheiten)
                .MitZone(e.zone, QString::fromUtf8(e.telefon));
        zeilen.push_back(SatzZeile(gespraech).chopped(2).toStdString());
    }
    std::size_t geprueft = 0;
    for (const std::string& zeile : zeilen) {
        ASSERT_EQ(zeile.size(), 109u) << zeile;
        ASSERT_EQ(LiesLogZeile(zeile).art, ZeilenArt::Satz) << zeile;
        std::vector<std::string> varianten{zeile, zeile + " ", zeile.substr(0, 108),
                                           " " + zeile.substr(0, 108)};
        for (std::size_t i = 0; i < zeile.size(); ++i) {
            for (const char c : std::string_view(" \t09:.,?xDMCR-\xFC")) {
                std::string geaendert = zeile;
                geaendert[i] = c;
                varianten.push_back(geaendert);
            }
        }
        for (const std::string& variante : varianten) {
            ASSERT_EQ(Beschreibung(LiesLogZeile(variante)),
                      Beschreibung(LiesLogZeileWortweise(variante)))
                << variante;
            ++geprueft;
        }
    }
    EXPECT_GT(geprueft, 6000u);
}

// Collects what the reader hands on.
struct Sammler final : LogEmpfaenger {
    void Datensatz(const Gespraech& satz, std::int64_t zeile) override {
        ereignisse.push_back("Satz " + std::to_string(zeile) + " " + std::to_string(satz.zone) +
                             " " + satz.kommentar);
    }
    void Unlesbar(const LogFehler& fehler) override {
        ereignisse.push_back("Unlesbar " + std::to_string(fehler.zeile));
    }
    std::vector<std::string> ereignisse;
};

TEST(LiesLog, CommentsBelongToTheRecordDirectlyAbove) {
    QByteArray inhalt = KopfZeilen();
    inhalt += QByteArray::fromStdString(Vorne) + "0711   City   2   0,24 DM\r\n";
    inhalt += QByteArray(57, ' ') + "Oma\r\n";
    inhalt += "Notiz von Hand\r\n";
    inhalt += QByteArray(57, ' ') + "verwaist\r\n";
    inhalt += QByteArray::fromStdString(Vorne) + "0711   Fern   2   0,24 DM"; // no line end
    QBuffer puffer(&inhalt);
    ASSERT_TRUE(puffer.open(QIODevice::ReadOnly));
    Sammler sammler;
    const LeseErgebnis ergebnis = LiesLog(puffer, sammler);
    EXPECT_TRUE(ergebnis.gelesen);
    EXPECT_EQ(ergebnis.zeilen, 9);
    EXPECT_EQ(sammler.ereignisse, (std::vector<std::string>{"Satz 5 1 Oma", "Satz 9 4 "}));
}

// Calls of months in turn each reach their own month, and a copy of the sums adds to itself
// only, however the sums remember where they added last.
TEST(LogSummen, EveryMonthAndEveryCopyKeepsItsOwnSums) {
    const std::pair<int, int> januar{1997, 1}, februar{1997, 2};
    LogSummen summen;
    ASSERT_TRUE(summen.Dazu(januar, 1, 2, 24));
    ASSERT_TRUE(summen.Dazu(februar, 1, 3, 36));
    ASSERT_TRUE(summen.Dazu(januar, 1, 1, 12));
    LogSummen kopie = summen;
    ASSERT_TRUE(kopie.Dazu(januar, 1, 5, 60));
    LogSummen zugewiesen, nurFebruar;
    ASSERT_TRUE(zugewiesen.Dazu(januar, 1, 7, 84));
    ASSERT_TRUE(nurFebruar.Dazu(februar, 1, 1, 12));
    zugewiesen = nurFebruar;
    ASSERT_TRUE(zugewiesen.Dazu(januar, 1, 7, 84));
    ASSERT_TRUE(summen.Dazu(februar, 1, 1, 12));
    EXPECT_EQ(summen.Monate().at(januar)[1], (LogSumme{2, 3, 36}));
    EXPECT_EQ(summen.Monate().at(februar)[1], (LogSumme{2, 4, 48}));
    EXPECT_EQ(kopie.Monate().at(januar)[1], (LogSumme{3, 8, 96}));
    EXPECT_EQ(zugewiesen.Monate().at(januar)[1], (LogSumme{1, 7, 84}));
    EXPECT_EQ(zugewiesen.Monate().at(februar)[1], (LogSumme{1, 1, 12}));
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
    EXPECT_EQ(auswertung.summen.ProZone()[1], (LogSumme{1, 1, 12}));
}

TEST(WerteLogAus, KeepsTheFirstHundredDamagedLinesAndCountsTheRest) {
    QByteArray inhalt;
    for (int i = 0; i < 250; ++i) {
        inhalt += "07.12.96   kaputt\n";
    }
    QBuffer puffer(&inhalt);
    ASSERT_TRUE(puffer.open(QIODevice::ReadOnly));
    std::int64_t gemeldet = 0;
    const LogAuswertung auswertung = WerteLogAus(puffer, [&](const LogFehler&) { ++gemeldet; });
    EXPECT_EQ(auswertung.fehler.size(), MaxGemerkteFehler);
    EXPECT_EQ(auswertung.fehler.back().zeile, 100);
    EXPECT_EQ(auswertung.fehlerAnzahl, 250);
    EXPECT_EQ(gemeldet, 250);
}

// A pipe answers "at end" before anything has arrived; the reader must read it to its end all
// the same.
TEST(WerteLogAus, ReadsAPipeToItsEnd) {
    int rohr[2];
    ASSERT_EQ(::pipe(rohr), 0);
    const QByteArray zeile = QByteArray::fromStdString(Vorne) + "0711   Fern   11   1,32 DM\r\n";
    std::thread schreiber([&] {
        for (int i = 0; i < 3; ++i) {
            std::this_thread::sleep_for(milliseconds(20));
            [[maybe_unused]] const auto n = ::write(rohr[1], zeile.constData(), zeile.size());
        }
        ::close(rohr[1]);
    });
    QFile rohrEnde;
    ASSERT_TRUE(rohrEnde.open(rohr[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    const LogAuswertung auswertung = WerteLogAus(rohrEnde);
    schreiber.join();
    EXPECT_EQ(auswertung.summen.ProZone()[4], (LogSumme{3, 33, 396}));
}

} // namespace
