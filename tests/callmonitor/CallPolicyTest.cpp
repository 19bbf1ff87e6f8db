// What becomes of the router's calls, for the window and the service, from scripted reports:
// which call is counted, priced aside, saved, queued, asked for or reported; which program
// follows the router; the service's log of the month and its end with calls still queued.
#include "monitor/CallPolicy.h"

#include "calculation/IntervalCost.h"
#include "callmonitor/CallMonitorClient.h"
#include "callmonitor/MonitorOwner.h"
#include "commandline/CallMonitorCommand.h"
#include "support/FakeClock.h"

#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tarvis;
using namespace std::chrono;

namespace {

const Moment Beginn = MomentAus(year{1996} / 12 / 7, 14, 5, 33);

// The log: takes calls unless another program "holds" it.
class FakeLog final : public AnrufLog {
public:
    SchreibErgebnis Speichere(const Gespraech& gespraech) override {
        if (gesperrt) {
            return {false, GesperrtGrund()};
        }
        if (kaputt) {
            return {false, QStringLiteral("Kein Platz")};
        }
        saetze.push_back(gespraech);
        return {true, {}};
    }
    bool gesperrt = false;
    bool kaputt = false;
    std::vector<Gespraech> saetze;
};

// The window's counter: its figures are those of a call of `sekunden` from Beginn.
class FakeFenster final : public FensterZaehlwerk {
public:
    bool Belegt() const override { return laeuft || belegt; }
    bool Laeuft() const override { return laeuft; }
    void Starte() override {
        laeuft = true;
        ++nummer;
    }
    GespraechVorZonenwahl Stoppe() override {
        laeuft = false;
        return GespraechMit(Beginn, Beginn + seconds{sekunden}, sekunden * 1000,
                            ZonenArray<std::int64_t>(7));
    }
    std::uint64_t AnrufNummer() const override { return nummer; }
    bool laeuft = false;
    bool belegt = false;
    std::int64_t sekunden = 42;
    std::uint64_t nummer = 0;
};

// One step of a script: '+' CONNECT, '-' DISCONNECT, '?' given up, 'S' the log locked, 'F' it
// fails otherwise, 'O' it takes calls again and the queue is tried, 'H' START or STOP by hand,
// 'U' a call another program handed over, 'V' one handed over too long ago to be followed.
struct Schritt {
    char was;
    const char* id = "";
    const char* nummer = "";
    std::int64_t sekunden = 0;
};

struct RegelFall {
    const char* name;
    bool fenster;
    NachDemGespraech nach;
    std::vector<Schritt> schritte;
    // Per ended call: G saved, W queued, F asked, N nothing; then the numbers in the log, with
    // the length each was saved with ("0711 1@42": the window's 42 s).
    std::string verbleibe;
    std::vector<std::string> log;
    bool laeuftAmEnde = false;
};

char Buchstabe(AnrufErgebnis::Verbleib v) {
    return "GWFN"[int(v)];
}

class Regel : public ::testing::TestWithParam<RegelFall> {};

TEST_P(Regel, DecidesWhatBecomesOfEachCall) {
    const RegelFall& fall = GetParam();
    FakeLog log;
    FakeFenster fenster;
    AnrufRegel regel({fall.nach,
                      "0711",
                      [](const std::string& ziffern) -> std::optional<int> {
                          return ziffern == "0891234" ? std::optional(4) : std::nullopt;
                      },
                      {},
                      &log,
                      fall.fenster ? &fenster : nullptr});
    std::string verbleibe;
    const auto merke = [&](const std::vector<AnrufErgebnis>& ergebnisse) {
        for (const AnrufErgebnis& e : ergebnisse) {
            verbleibe += Buchstabe(e.verbleib);
        }
    };
    for (const Schritt& s : fall.schritte) {
        using A = AnrufMeldung::Art;
        switch (s.was) {
        case '+':
        case '-':
        case '?': {
            const A art = s.was == '+' ? A::Begonnen : s.was == '-' ? A::Beendet : A::Offen;
            merke(regel.Gemeldet({art, s.id, s.nummer, Beginn, 0, s.sekunden}));
            break;
        }
        case 'S':
            log.gesperrt = true;
            break;
        case 'F':
            log.kaputt = true;
            break;
        case 'O':
            log.gesperrt = log.kaputt = false;
            for (const AnrufErgebnis& e : regel.Wiederhole()) {
                verbleibe += char(std::tolower(Buchstabe(e.verbleib)));
            }
            break;
        case 'U':
        case 'V':
            merke(regel.Uebernommen(
                {{s.was == 'U' ? A::Begonnen : A::Offen, s.id, s.nummer, Beginn, 0, s.sekunden}}));
            break;
        case 'H':
            regel.VonHand();
            fenster.laeuft = !fenster.laeuft;
            fenster.belegt = true;
            break;
        }
    }
    EXPECT_EQ(verbleibe, fall.verbleibe);
    std::vector<std::string> saetze;
    for (const Gespraech& g : log.saetze) {
        saetze.push_back(g.telefon + "@" + std::to_string(*g.dauerMs / 1000));
    }
    EXPECT_EQ(saetze, fall.log);
    EXPECT_EQ(fenster.laeuft, fall.laeuftAmEnde);
}

using N = NachDemGespraech;

INSTANTIATE_TEST_SUITE_P(
    Anrufmonitor, Regel,
    ::testing::Values(
        // The service prices every call from its report and saves it where the zone is known.
        RegelFall{"Dienst speichert",
                  false,
                  N::Speichern,
                  {{'+', "0", "0711 1"},
                   {'-', "0", "0711 1", 219},
                   {'+', "1", "030 1"},
                   {'-', "1", "030 1", 61},
                   {'+', "2", ""},
                   {'-', "2", "", 5}},
                  "GFF",
                  {"0711 1@219"}},
        RegelFall{"Fenster zaehlt",
                  true,
                  N::Speichern,
                  {{'+', "0", "0711 1"}, {'-', "0", "0711 1", 300}},
                  "G",
                  {"0711 1@42"}},
        // A second call while the window counts one is priced aside; a remembered zone saves.
        RegelFall{"Fenster belegt",
                  true,
                  N::Speichern,
                  {{'+', "0", "0711 1"}, {'+', "1", "089/1234"}, {'-', "1", "089/1234", 100}},
                  "G",
                  {"089/1234@100"},
                  true},
        // STOP by hand: the router's DISCONNECT of that call no longer ends anything.
        RegelFall{"von Hand",
                  true,
                  N::Speichern,
                  {{'+', "0", "0711 1"}, {'H'}, {'H'}, {'-', "0", "0711 1", 60}},
                  "",
                  {},
                  true},
        RegelFall{
            "fragen", true, N::Fragen, {{'+', "0", "0711 1"}, {'-', "0", "0711 1", 9}}, "F", {}},
        RegelFall{
            "nichts", false, N::Nichts, {{'+', "0", "0711 1"}, {'-', "0", "0711 1", 9}}, "N", {}},
        // The log held by another program: the calls wait, counting goes on, and they land in
        // their order once it is free; nothing is saved twice.
        RegelFall{"Log gesperrt",
                  true,
                  N::Speichern,
                  {{'S'},
                   {'+', "0", "0711 1"},
                   {'-', "0", "0711 1", 9},
                   {'+', "1", "0711 2"},
                   {'-', "1", "0711 2", 10},
                   {'O'},
                   {'O'}},
                  "WWgg",
                  {"0711 1@42", "0711 2@42"}},
        // Another failure: the window asks (the dialog says why), the service keeps trying.
        RegelFall{"Log kaputt, Fenster",
                  true,
                  N::Speichern,
                  {{'F'}, {'+', "0", "0711 1"}, {'-', "0", "0711 1", 9}},
                  "F",
                  {}},
        RegelFall{"Log kaputt, Dienst",
                  false,
                  N::Speichern,
                  {{'F'}, {'+', "0", "0711 1"}, {'-', "0", "0711 1", 9}, {'O'}},
                  "Wg",
                  {"0711 1@9"}},
        // A call whose end never came: the window's counts on, one aside is asked for (window)
        // or reported (service), never saved by itself.
        RegelFall{"Ende nie gemeldet, Fenster",
                  true,
                  N::Speichern,
                  {{'+', "0", "0711 1"},
                   {'+', "1", "0711 2"},
                   {'?', "0", "0711 1", 80},
                   {'?', "1", "0711 2", 70},
                   {'-', "0", "0711 1", 90}},
                  "F",
                  {},
                  true},
        RegelFall{"Ende nie gemeldet, Dienst",
                  false,
                  N::Speichern,
                  {{'+', "0", "0711 1"}, {'?', "0", "0711 1", 80}},
                  "N",
                  {}},
        // Calls handed over by the program that followed the router before: priced aside at
        // their DISCONNECT (the window counts its own next call), saved once; one handed over
        // too long ago is asked for, never saved by itself.
        RegelFall{"uebernommen, Fenster",
                  true,
                  N::Speichern,
                  {{'U', "5", "0711 5"},
                   {'V', "6", "0711 6", 700},
                   {'+', "0", "0711 1"},
                   {'-', "5", "0711 5", 50},
                   {'-', "0", "0711 1", 9},
                   {'-', "6", "0711 6", 9}},
                  "FGG",
                  {"0711 5@50", "0711 1@42"}}),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(info.param.name)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

// The service's log is the one of each call's month, in the folder of the log it started with.
TEST(LogDesMonats, EachCallGoesIntoTheLogOfItsMonth) {
    const struct {
        Moment start;
        const char* pfad;
    } faelle[] = {{MomentAus(year{2026} / 12 / 31, 23, 59, 59), "/d/Tarvis 12-2026.Rep"},
                  {MomentAus(year{2027} / 1 / 1, 0, 0, 0), "/d/Tarvis 01-2027.Rep"},
                  {MomentAus(year{1996} / 2 / 29, 12), "/d/Tarvis 02-1996.Rep"}};
    for (const auto& fall : faelle) {
        const Gespraech g = GespraechMit(fall.start, fall.start, 0, {}).MitZone(1, {});
        EXPECT_EQ(LogDesMonats(QStringLiteral("/d/Tarvis 12-2026.Rep"), g),
                  QString::fromUtf8(fall.pfad));
    }
}

// Two programs: the second waits and names the first; it takes over as soon as the first lets
// go, which its end does by itself.
TEST(MonitorBesitz, OneFollowsTheOtherWaitsAndTakesOver) {
    QTemporaryDir ordner;
    const QString pfad = MonitorBesitz::PfadZu(ordner.filePath(QStringLiteral("Tarvis32.conf")));
    EXPECT_EQ(pfad, ordner.filePath(QStringLiteral("Tarvis32.anrufmonitor.lock")));
    auto erster = std::make_unique<MonitorBesitz>(pfad);
    MonitorBesitz zweiter(pfad);
    EXPECT_TRUE(erster->Versuche());
    EXPECT_FALSE(zweiter.Versuche());
    EXPECT_EQ(zweiter.WarteText(),
              QStringLiteral("Anrufmonitor: folgt bereits in Tarvis32 (PID %1)").arg(::getpid()));
    EXPECT_FALSE(zweiter.Versuche());
    erster.reset();
    EXPECT_TRUE(zweiter.Versuche());
    MonitorBesitz dritter(pfad);
    EXPECT_FALSE(dritter.Versuche());
}

// The calls open at a holder's end go to the next holder once, their CONNECT moved onto its
// counter by the time passed; a hand-over older than the limit is given up with the length
// known, and a clock set back counts as no time passed.
TEST(MonitorBesitz, OpenCallsAreHandedToTheNextHolderOnce) {
    QTemporaryDir ordner;
    const QString pfad = MonitorBesitz::PfadZu(ordner.filePath(QStringLiteral("Tarvis32.conf")));
    const Moment abgabe = Beginn + seconds{60};
    const struct {
        std::int64_t luecke; // seconds from the hand-over to the take-over
        AnrufMeldung::Art art;
        std::int64_t beginnMs; // on the next holder's counter, at 500 000 ms
    } faelle[] = {{1, AnrufMeldung::Art::Begonnen, 500'000 - 60'000 - 1000},
                  {600, AnrufMeldung::Art::Begonnen, 500'000 - 60'000 - 600'000},
                  {601, AnrufMeldung::Art::Offen, 500'000 - 60'000 - 601'000},
                  {-5, AnrufMeldung::Art::Begonnen, 500'000 - 60'000}};
    for (const auto& fall : faelle) {
        auto alter = std::make_unique<MonitorBesitz>(pfad);
        ASSERT_TRUE(alter->Versuche());
        AnrufMeldung offen{AnrufMeldung::Art::Offen, "3", "0711 5", Beginn, 1000, 60};
        offen.nummerGekuerzt = true;
        ASSERT_EQ(alter->Uebergib({offen}, abgabe, 61'000), QString());
        alter.reset();
        MonitorBesitz neuer(pfad);
        ASSERT_TRUE(neuer.Versuche());
        const auto anrufe = neuer.Uebernimm(abgabe + seconds{fall.luecke}, 500'000);
        ASSERT_EQ(anrufe.size(), 1u) << fall.luecke;
        EXPECT_EQ(anrufe[0].art, fall.art) << fall.luecke;
        EXPECT_EQ(anrufe[0].id, "3");
        EXPECT_EQ(anrufe[0].nummer, "0711 5");
        EXPECT_TRUE(anrufe[0].nummerGekuerzt);
        EXPECT_EQ(anrufe[0].beginn, Beginn);
        EXPECT_EQ(anrufe[0].beginnMs, fall.beginnMs) << fall.luecke;
        EXPECT_EQ(anrufe[0].dauerSekunden, fall.art == AnrufMeldung::Art::Offen ? 60 : 0);
        EXPECT_TRUE(neuer.Uebernimm(abgabe, 500'000).empty()) << "taken twice";
    }
}

// SIGTERM with a call still queued: a short wait, then the call printed whole, and "not all
// saved" for the exit status.
TEST(AnrufmonitorBetrieb, EndWithQueuedCallsPrintsThemWhole) {
    QTemporaryDir ordner;
    test::FakeTime zeit{Beginn, 1000};
    class KeinWecker final : public Wecker {
        void Stelle(std::int64_t, std::function<void()>) override {}
        void Abbrechen() override {}
    } wecker;
    AnrufmonitorClient client(QStringLiteral("127.0.0.1"), 1, zeit.clock, zeit.counter, wecker);
    QString ausgabe, meldungen;
    QTextStream aus(&ausgabe), fehler(&meldungen);
    AnrufmonitorEinstellungen werte;
    werte.eigeneVorwahl = QStringLiteral("0711");
    // A directory where the log should be: no save can land.
    const QString log = ordner.filePath(QStringLiteral("Tarvis 12-1996.Rep"));
    ASSERT_TRUE(QDir().mkpath(log));
    AnrufmonitorBetrieb betrieb(client, werte, nullptr, log, aus, fehler);
    Q_EMIT client.Meldung({AnrufMeldung::Art::Begonnen, "0", "0711 5", Beginn, 1000, 0});
    Q_EMIT client.Meldung({AnrufMeldung::Art::Beendet, "0", "0711 5", Beginn, 1000, 61});
    EXPECT_TRUE(ausgabe.contains(QStringLiteral("wartet aufs Speichern"))) << ausgabe.toStdString();
    EXPECT_FALSE(betrieb.Beende(zeit.clock, zeit.counter, 0));
    const QStringList zeilen = ausgabe.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(zeilen.size(), 2);
    EXPECT_TRUE(zeilen[1].startsWith(QStringLiteral("nicht gespeichert (")));
    EXPECT_TRUE(zeilen[1].contains(QStringLiteral("für Tarvis 12-1996.Rep: 07.12.96")))
        << zeilen[1].toStdString();
    EXPECT_TRUE(zeilen[1].contains(QStringLiteral("0711 5"))) << zeilen[1].toStdString();
}

} // namespace
