// The call monitor's lines, calls, zones, reconnection waits and settings, without sockets.
#include "callmonitor/CallTracker.h"

#include "callmonitor/CallMonitorSettings.h"
#include "callmonitor/NumberZone.h"
#include "callmonitor/Reconnect.h"
#include "commandline/CallMonitorCommand.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
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

class SkriptTest : public ::testing::TestWithParam<Skript> {};

TEST_P(SkriptTest, TurnsLinesIntoCalls) {
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
    Anrufmonitor, SkriptTest,
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
TEST(AnrufVerfolgerTest, LongLineEndsTheConnectionAndKeepsNothing) {
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
TEST(AnrufVerfolgerTest, OpenCallsStayBoundedAndAnsweredOnesPushedOutAreReported) {
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

struct ZonenFall {
    const char* nummer;
    const char* vorwahl;
    std::optional<int> zone;
};

class ZoneDerNummerTest : public ::testing::TestWithParam<ZonenFall> {};

TEST_P(ZoneDerNummerTest, LocalOwnAreaRememberedOrUnknown) {
    const std::map<std::string, int> gemerkt{
        {"071112345", 3}, {"0891234", 4}, {"017199", 2}, {"0044201", 3}};
    const auto zone =
        ZoneDerNummer(GetParam().nummer, GetParam().vorwahl,
                      [&](const std::string& ziffern) -> std::optional<int> {
                          const auto it = gemerkt.find(ziffern);
                          return it == gemerkt.end() ? std::nullopt : std::optional(it->second);
                      });
    EXPECT_EQ(zone, GetParam().zone) << GetParam().nummer;
}

INSTANTIATE_TEST_SUITE_P(
    Anrufmonitor, ZoneDerNummerTest,
    ::testing::Values(
        ZonenFall{"123456", "", 1},                 // no leading 0: local
        ZonenFall{"0711 123456", "0711", 1},        // own area code
        ZonenFall{"0711/123 45", "", 3},            // remembered, digits only
        ZonenFall{"071112345", "0711", 1},          // own area code wins
        ZonenFall{"089-1234", "0711", 4},           // remembered
        ZonenFall{"0301234", "0711", std::nullopt}, // unknown
        ZonenFall{"0301234", "0", std::nullopt},    // "0" is no area code
        ZonenFall{"", "0711", std::nullopt},        // suppressed
        ZonenFall{"anonym", "", std::nullopt},
        // Germany's own country code is the leading 0.
        ZonenFall{"+49 711 123456", "0711", 1}, ZonenFall{"0049 711 123456", "0711", 1},
        ZonenFall{"+49 (89) 1234", "0711", 4}, ZonenFall{"+49 30 1234", "0711", std::nullopt},
        ZonenFall{"0049301234", "0711", std::nullopt},
        // Showing or hiding the own number, a call-by-call carrier: not the number.
        ZonenFall{"*31#0711123", "0711", 1}, ZonenFall{"#31#0891234", "0711", 4},
        ZonenFall{"*31#123", "", 1}, ZonenFall{"01013 0711 1", "0711", 1},
        ZonenFall{"0100880891234", "0711", 4},
        // Another country, mobile, service and short numbers have no zone of this
        // tariff: only the user's choice counts, never "no leading 0".
        ZonenFall{"+1 212 5550100", "0711", std::nullopt},
        ZonenFall{"001 212 5550100", "", std::nullopt}, ZonenFall{"+43 1 234", "01", std::nullopt},
        ZonenFall{"0171 1234567", "0711", std::nullopt},
        ZonenFall{"+49 151 1234567", "0711", std::nullopt},
        ZonenFall{"0160 1", "0711", std::nullopt}, ZonenFall{"0180 5 123", "0711", std::nullopt},
        ZonenFall{"0800 1234", "0800", std::nullopt}, ZonenFall{"0900 1234", "0711", std::nullopt},
        ZonenFall{"0137 1234", "0711", std::nullopt}, ZonenFall{"0700 1234", "0711", std::nullopt},
        ZonenFall{"110", "", std::nullopt}, ZonenFall{"112", "", std::nullopt},
        ZonenFall{"11833", "", std::nullopt}, ZonenFall{"1100", "", 1}, // a local number, not 110
        ZonenFall{"0171 99", "", 2}, // remembered: the user chose
        ZonenFall{"+44 20 1", "", 3}));

TEST(WiederverbindungTest, DoublesFromOneSecondUpToSixtyAndStartsAgainAfterAConnection) {
    Wiederverbindung w;
    std::vector<std::int64_t> wartezeiten;
    for (int i = 0; i < 9; ++i) {
        wartezeiten.push_back(w.NaechsteWartezeitMs());
    }
    EXPECT_EQ(wartezeiten, (std::vector<std::int64_t>{1000, 2000, 4000, 8000, 16000, 32000, 60000,
                                                      60000, 60000}));
    w.Verbunden();
    EXPECT_EQ(w.NaechsteWartezeitMs(), 1000);
}

// The settings file as the user or a damaged disk may leave it.
struct DateiFall {
    const char* name;
    QByteArray inhalt;
    AnrufmonitorEinstellungen erwartet;
    const char* gesagt = ""; // what the title or standard error says about it
};

class EinstellungenTest : public ::testing::TestWithParam<DateiFall> {};

TEST_P(EinstellungenTest, ReadsValuesAndFallsBackToDefaults) {
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("Tarvis32.conf"));
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write(GetParam().inhalt);
    datei.close();
    QSettings einstellungen(pfad, QSettings::IniFormat);
    EXPECT_EQ(LiesAnrufmonitor(&einstellungen), GetParam().erwartet) << GetParam().name;
    const QString gesagt = AnrufmonitorFehler(&einstellungen);
    EXPECT_EQ(gesagt.isEmpty(), *GetParam().gesagt == 0) << gesagt.toStdString();
    EXPECT_TRUE(gesagt.isEmpty() || gesagt.endsWith(QString::fromUtf8(GetParam().gesagt)))
        << gesagt.toStdString();
}

// A folder where the settings file should be: the defaults, and said why.
TEST(EinstellungenTest, AFolderInsteadOfTheFileIsSaid) {
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("Tarvis32.conf"));
    ASSERT_TRUE(QDir().mkpath(pfad));
    QSettings einstellungen(pfad, QSettings::IniFormat);
    EXPECT_EQ(LiesAnrufmonitor(&einstellungen), AnrufmonitorEinstellungen{});
    EXPECT_EQ(AnrufmonitorFehler(&einstellungen), QStringLiteral("Einstellungen nicht lesbar: ") +
                                                      pfad + QStringLiteral(" ist ein Ordner"));
}

AnrufmonitorEinstellungen Mit(bool aktiv, const char* adresse, int port, NachDemGespraech nach,
                              const char* vorwahl) {
    return {aktiv, QString::fromUtf8(adresse), port, nach, QString::fromUtf8(vorwahl)};
}

INSTANTIATE_TEST_SUITE_P(
    Anrufmonitor, EinstellungenTest,
    ::testing::Values(DateiFall{"leer", "", {}},
                      DateiFall{
                          "vollstaendig",
                          "[Anrufmonitor]\nAktiv=true\nAdresse=192.168.178.1\nPort=1013\n"
                          "NachDemGespraech=speichern\nEigeneVorwahl=0711\n",
                          Mit(true, "192.168.178.1", 1013, NachDemGespraech::Speichern, "0711")},
                      DateiFall{"beschaedigt",
                                "[Anrufmonitor]\nAktiv=vielleicht\nAdresse=\nPort=70000\n"
                                "NachDemGespraech=irgendwas\nEigeneVorwahl=07x1\n",
                                {},
                                "Port „70000“ ungültig (1 bis 65535), es gilt 1012"},
                      DateiFall{"Port Text",
                                "[Anrufmonitor]\nPort=abc\n",
                                {},
                                "Port „abc“ ungültig (1 bis 65535), es gilt 1012"},
                      DateiFall{"Muell",
                                QByteArray("\0\xff[[[=\n\x01=\x02\n[Anrufmonitor\nPort=-1\n", 30),
                                {},
                                " ist beschädigt"}));

TEST(EinstellungenTest, WrittenValuesAndRememberedZonesReadBack) {
    QTemporaryDir ordner;
    QSettings einstellungen(ordner.filePath(QStringLiteral("Tarvis32.conf")), QSettings::IniFormat);
    const auto werte = Mit(true, "fritz.box", 1012, NachDemGespraech::Nichts, "089");
    SchreibeAnrufmonitor(&einstellungen, werte);
    EXPECT_EQ(LiesAnrufmonitor(&einstellungen), werte);
    MerkeZone(&einstellungen, QStringLiteral("071112345"), 2);
    MerkeZone(&einstellungen, QStringLiteral("0711"), 9); // no zone: not kept
    EXPECT_EQ(GemerkteZone(&einstellungen, QStringLiteral("071112345")), 2);
    EXPECT_EQ(GemerkteZone(&einstellungen, QStringLiteral("0711")), std::nullopt);
    EXPECT_EQ(LiesAnrufmonitor(nullptr), AnrufmonitorEinstellungen{});
}

// The memory of numbers bounded (here at 3): the most recently saved are kept.
struct MerkFall {
    const char* name;
    QByteArray vorher; // the settings file before, numbers remembered by an older Tarvis32
    std::vector<const char*> gespeichert;
    std::vector<const char*> behalten;
    std::vector<const char*> vergessen;
};

class GedaechtnisTest : public ::testing::TestWithParam<MerkFall> {};

TEST_P(GedaechtnisTest, KeepsTheMostRecentlySavedNumbers) {
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("Tarvis32.conf"));
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write(GetParam().vorher);
    datei.close();
    QSettings einstellungen(pfad, QSettings::IniFormat);
    for (const char* nummer : GetParam().gespeichert) {
        EXPECT_EQ(MerkeZone(&einstellungen, QString::fromUtf8(nummer), 2, 3), QString());
    }
    QSettings gelesen(pfad, QSettings::IniFormat);
    for (const char* nummer : GetParam().behalten) {
        EXPECT_TRUE(GemerkteZone(&gelesen, QString::fromUtf8(nummer))) << nummer;
    }
    for (const char* nummer : GetParam().vergessen) {
        EXPECT_FALSE(GemerkteZone(&gelesen, QString::fromUtf8(nummer))) << nummer;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, GedaechtnisTest,
    ::testing::Values(
        MerkFall{"unter der Grenze", {}, {"01", "02"}, {"01", "02"}, {}},
        MerkFall{"aeltester faellt", {}, {"01", "02", "03", "04"}, {"02", "03", "04"}, {"01"}},
        MerkFall{"wieder gespeichert ist neu",
                 {},
                 {"01", "02", "03", "01", "04"},
                 {"01", "03", "04"},
                 {"02"}},
        MerkFall{"von frueher zuerst",
                 "[Rufnummern]\n0301=3\n",
                 {"01", "02", "03"},
                 {"01", "02", "03"},
                 {"0301"}},
        MerkFall{"von frueher behalten unter der Grenze",
                 "[Rufnummern]\n0301=3\n",
                 {"01", "02"},
                 {"0301", "01", "02"},
                 {}}));

// Settings that cannot be written (their folder cannot be made): the zone is not remembered, and
// the caller is told why.
TEST(GedaechtnisTest, AFailedWriteIsSaid) {
    QTemporaryDir ordner;
    QFile kein(ordner.filePath(QStringLiteral("kein Ordner")));
    ASSERT_TRUE(kein.open(QIODevice::WriteOnly));
    const QString pfad = kein.fileName() + QStringLiteral("/Tarvis32.conf");
    QSettings einstellungen(pfad, QSettings::IniFormat);
    EXPECT_EQ(MerkeZone(&einstellungen, QStringLiteral("0301"), 3),
              QStringLiteral("Zonen der Rufnummern nicht gespeichert: ") + pfad +
                  QStringLiteral(" nicht beschreibbar"));
}

struct ZielFall {
    const char* ziel;
    std::optional<std::pair<const char*, int>> erwartet;
};

class MonitorZielTest : public ::testing::TestWithParam<ZielFall> {};

TEST_P(MonitorZielTest, AddressAndPortFromTheCommandLine) {
    const auto werte = MonitorZiel(QString::fromUtf8(GetParam().ziel), {});
    ASSERT_EQ(werte.has_value(), GetParam().erwartet.has_value()) << GetParam().ziel;
    if (werte) {
        EXPECT_EQ(werte->adresse, QString::fromUtf8(GetParam().erwartet->first));
        EXPECT_EQ(werte->port, GetParam().erwartet->second);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Anrufmonitor, MonitorZielTest,
    ::testing::Values(ZielFall{"", std::pair{"fritz.box", 1012}},
                      ZielFall{"192.168.178.1", std::pair{"192.168.178.1", 1012}},
                      ZielFall{"router:1013", std::pair{"router", 1013}},
                      ZielFall{":1013", std::pair{"fritz.box", 1013}},
                      ZielFall{"[::1]:1013", std::pair{"::1", 1013}},
                      ZielFall{"::1", std::pair{"::1", 1012}}, ZielFall{"router:0", std::nullopt},
                      ZielFall{"router:x", std::nullopt}, ZielFall{"router:65536", std::nullopt}));

} // namespace
