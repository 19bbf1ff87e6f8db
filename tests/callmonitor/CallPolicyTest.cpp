// What becomes of the router's calls, for the window and the service, from scripted reports:
// which call is counted, priced aside, saved, queued, asked for or reported.
#include "monitor/CallPolicy.h"

#include "calllog/Call.h"
#include "callmonitor/CallTracker.h"

#include <gtest/gtest.h>

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

} // namespace
