// The router's lines turned into calls, without sockets.
#include "callmonitor/CallTracker.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace tarvis;
using namespace std::chrono;

namespace {

const Moment Beginn = MomentAus(year{1996} / 12 / 7, 14, 5, 33);

// A call script: lines sent at counter readings (ms), and what the program must make of them.
// The line Neu stands for a new connection; Ende for the program ending (its open calls);
// "<Uebergabe ID NUMMER MS>" for a call handed over with its CONNECT at the counter reading MS.
struct Skript {
    const char* name;
    std::vector<std::pair<std::int64_t, std::string>> zeilen;
    // "+ID NUMMER" begun, "-ID NUMMER SEKUNDEN" ended, "?ID NUMMER SEKUNDEN" given up; a router
    // duration not believed follows as " (R...)", a number cut as " (gekuerzt)".
    std::vector<std::string> meldungen;
    MonitorZaehler zaehler;
};

const std::string Neu = "<neue Verbindung>";
const std::string Ende = "<Ende>";

std::string Text(const AnrufMeldung& m) {
    std::string text = m.art == AnrufMeldung::Art::Begonnen
                           ? "+" + m.id + " " + m.nummer
                           : (m.art == AnrufMeldung::Art::Beendet ? "-" : "?") + m.id + " " +
                                 m.nummer + " " + std::to_string(m.dauerSekunden);
    if (m.routerSekunden >= 0) {
        text += " (R" + std::to_string(m.routerSekunden) + ")";
    }
    return m.nummerGekuerzt ? text + " (gekuerzt)" : text;
}

const std::string T = "07.12.96 14:05:33;";

class CallTracker : public ::testing::TestWithParam<Skript> {};

TEST_P(CallTracker, TurnsLinesIntoCalls) {
    const Skript& skript = GetParam();
    AnrufVerfolger verfolger;
    std::vector<AnrufMeldung> meldungen;
    for (const auto& [ms, zeile] : skript.zeilen) {
        if (zeile == Neu) {
            verfolger.NeueVerbindung();
        } else if (zeile == Ende) {
            for (const AnrufMeldung& offen : verfolger.Offene(ms)) {
                meldungen.push_back(offen);
            }
        } else if (zeile.starts_with("<Uebergabe ")) {
            AnrufMeldung anruf;
            std::istringstream(zeile.substr(11)) >> anruf.id >> anruf.nummer >> anruf.beginnMs;
            verfolger.Uebernimm(anruf, ms);
            if (anruf.art == AnrufMeldung::Art::Offen) {
                meldungen.push_back(anruf);
            }
        } else {
            EXPECT_FALSE(verfolger.Lies(zeile, Beginn + seconds{ms / 1000}, ms, meldungen));
        }
    }
    std::vector<std::string> texte;
    for (const AnrufMeldung& m : meldungen) {
        texte.push_back(Text(m));
    }
    EXPECT_EQ(texte, skript.meldungen);
    const MonitorZaehler& z = verfolger.Zaehler();
    EXPECT_EQ(z.unbekannteWoerter, skript.zaehler.unbekannteWoerter);
    EXPECT_EQ(z.fehlerhafte, skript.zaehler.fehlerhafte);
    EXPECT_EQ(z.unpassende, skript.zaehler.unpassende);
}

INSTANTIATE_TEST_SUITE_P(
    Anrufmonitor, CallTracker,
    ::testing::Values(
        Skript{"beantwortet",
               {{0, T + "CALL;0;0;0711111;0711123456;SIP0;\n"},
                {5000, T + "CONNECT;0;0;0711123456;\n"},
                {224000, T + "DISCONNECT;0;219;\n"}},
               {"+0 0711123456", "-0 0711123456 219"},
               {}},
        Skript{"unbeantwortet",
               {{0, T + "CALL;1;0;0711111;0711123456;SIP0;\n"}, {9000, T + "DISCONNECT;1;0;\n"}},
               {},
               {}},
        Skript{"eingehend",
               {{0, T + "RING;2;0891234;0711111;SIP0;\n"},
                {3000, T + "CONNECT;2;4;0891234;\n"},
                {60000, T + "DISCONNECT;2;57;\n"}},
               {},
               {}},
        Skript{"zwei zugleich",
               {{0, T + "CALL;0;0;1;111;SIP0;\n"},
                {1000, T + "CALL;1;1;1;222;SIP1;\n"},
                {2000, T + "CONNECT;0;0;111;\n"},
                {3000, T + "CONNECT;1;1;222;\n"},
                {9000, T + "DISCONNECT;0;7;\n"},
                {19000, T + "DISCONNECT;1;16;\n"}},
               {"+0 111", "+1 222", "-0 111 7", "-1 222 16"},
               {}},
        Skript{"unterdrueckte Nummer",
               {{0, T + "CALL;0;0;0711111;;SIP0;\n"},
                {1000, T + "CONNECT;0;0;;\n"},
                {61000, T + "DISCONNECT;0;60;\n"}},
               {"+0 ", "-0  60"},
               {}},
        // Fields beyond the known ones, CR LF, a line in two pieces, a duration the
        // router could not give (the local one stands in, rounded).
        Skript{"neuere Firmware",
               {{0, T + "CALL;3;0;0711111;030 123;SIP0;X;Y;\r\n" + T + "CONN"},
                {1000, "ECT;3;0;030 123;extra;\n"},
                {62600, T + "DISCONNECT;3;;\n"}},
               {"+3 030 123", "-3 030 123 62"},
               {}},
        // The router restarted or the connection broke: the call stays open and
        // ends with the DISCONNECT that comes on the new connection; a partial
        // line of the old one is not glued to the first of the new.
        Skript{"Neuverbindung",
               {{0, T + "CALL;4;0;1;0301;SIP0;\n" + T + "CONNECT;4;0;0301;\n"},
                {1000, "07.12.96 14:0"},
                {2000, Neu},
                {30000, T + "DISCONNECT;4;30;\n"}},
               {"+4 0301", "-4 0301 30"},
               {}},
        // A call whose end never comes is reported at the program's end with
        // the length measured so far; an unanswered one is not.
        Skript{"Ende nie gemeldet",
               {{0, T + "CALL;5;0;1;0301;SIP0;\n" + T + "CONNECT;5;0;0301;\n"},
                {500, T + "CALL;6;0;1;0302;SIP0;\n"},
                {2000, Neu},
                {75400, Ende}},
               {"+5 0301", "?5 0301 75"},
               {}},
        // Calls another program handed over end with their DISCONNECT here, measured from
        // their CONNECT there; one whose ID is in use is given up at once, and one whose ID the
        // router gives to a new call is given up, not ended with a length it never had.
        Skript{"uebergeben",
               {{0, "<Uebergabe 7 0301 -30000>"},
                {0, "<Uebergabe 7 0301 0>"},
                {0, "<Uebergabe 8 0302 -5000>"},
                {60000, T + "DISCONNECT;7;90;\n"},
                {70000, T + "CALL;8;0;1;0303;SIP0;\n"}},
               {"?7 0301 0", "-7 0301 90", "?8 0302 75"},
               {0, 0, 0, 0, 1}},
        // 2 s + 1 % of the local measure is believed, more is not.
        Skript{"Dauer knapp",
               {{0, T + "CALL;7;0;1;1;SIP0;\n" + T + "CONNECT;7;0;1;\n" + T +
                        "CALL;8;0;1;2;SIP0;\n" + T + "CONNECT;8;0;2;\n"},
                {100000, T + "DISCONNECT;7;103;\n" + T + "DISCONNECT;8;97;\n"}},
               {"+7 1", "+8 2", "-7 1 103", "-8 2 97"},
               {}},
        Skript{"Dauer unglaubhaft",
               {{0, T + "CALL;7;0;1;1;SIP0;\n" + T + "CONNECT;7;0;1;\n" + T +
                        "CALL;8;0;1;2;SIP0;\n" + T + "CONNECT;8;0;2;\n"},
                {60000, T + "DISCONNECT;7;999999999;\n" + T + "DISCONNECT;8;57;\n"}},
               {"+7 1", "+8 2", "-7 1 60 (R999999999)", "-8 2 60 (R57)"},
               {}},
        // A number over 64 characters is cut and marked, a four-digit year read:
        // the call is followed all the same.
        Skript{"lange Nummer und langes Jahr",
               {{0, "07.12.1996 14:05:33;CALL;9;0;1;" + std::string(70, '7') + ";SIP0;\n"},
                {0, "07.12.1996 14:05:33;CONNECT;9;0;1;\n"},
                {5000, T + "DISCONNECT;9;5;\n"}},
               {"+9 " + std::string(64, '7') + " (gekuerzt)",
                "-9 " + std::string(64, '7') + " 5 (gekuerzt)"},
               {}},
        Skript{"Unsinn",
               {{0, "\n\xff\xfe garbage;;;\n;;;;\n"},
                {0, T + "HOLD;0;\n"},
                {0, "7.12.96 14:05:33;CALL;0;0;1;2;\n"},
                {0, T + "CALL;;0;1;2;\n"},
                {0, T + "CALL;0;0;1\n"},
                {0, T + "CONNECT;9;0;1;\n"},
                {0, T + "DISCONNECT;9;5;\n"}},
               {},
               {.unbekannteWoerter = 1, .fehlerhafte = 6, .unpassende = 2}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (c == ' ') {
                c = '_';
            }
        }
        return name;
    });

// A line of 1 MiB is cut off at 4 KiB: the connection must be dropped, and nothing of it stays.
TEST(AnrufVerfolger, LongLineEndsTheConnectionAndKeepsNothing) {
    AnrufVerfolger verfolger;
    std::vector<AnrufMeldung> meldungen;
    const std::string teil(64 * 1024, 'x');
    bool zuLang = false;
    for (int i = 0; i < 16 && !zuLang; ++i) {
        zuLang = verfolger.Lies(teil, Beginn, 0, meldungen);
        EXPECT_LE(verfolger.PufferGroesse(), AnrufVerfolger::MaxZeile);
    }
    EXPECT_TRUE(zuLang);
    EXPECT_EQ(verfolger.PufferGroesse(), 0u);
    EXPECT_EQ(verfolger.Zaehler().zuLange, 1);
    // Exactly the limit is still a line.
    AnrufVerfolger grenze;
    EXPECT_FALSE(
        grenze.Lies(std::string(AnrufVerfolger::MaxZeile, 'y') + "\n", Beginn, 0, meldungen));
    EXPECT_TRUE(grenze.Lies(std::string(AnrufVerfolger::MaxZeile + 1, 'y'), Beginn, 0, meldungen));
}

// Calls that never end (their DISCONNECT lost) do not pile up; an answered one pushed out is
// reported, not dropped without a word.
TEST(AnrufVerfolger, OpenCallsStayBoundedAndAnsweredOnesPushedOutAreReported) {
    AnrufVerfolger verfolger;
    std::vector<AnrufMeldung> meldungen;
    for (int id = 0; id < 10000; ++id) {
        const std::string i = std::to_string(id);
        verfolger.Lies(T + "CALL;" + i + ";0;1;2;SIP0;\n" +
                           (id < 40 ? T + "CONNECT;" + i + ";0;2;\n" : ""),
                       Beginn, id, meldungen);
    }
    EXPECT_LE(verfolger.OffeneAnrufe(), AnrufVerfolger::MaxAnrufe);
    EXPECT_EQ(verfolger.Zaehler().verdraengte, 10000 - std::int64_t(AnrufVerfolger::MaxAnrufe));
    EXPECT_EQ(
        std::count_if(meldungen.begin(), meldungen.end(),
                      [](const AnrufMeldung& m) { return m.art == AnrufMeldung::Art::Offen; }),
        40);
}

} // namespace
