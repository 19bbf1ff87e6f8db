// The router's call monitor sending anything: the bytes arrive in pieces of any size (the first
// byte of the input sets them), and the calls that come out must make sense. Every call that
// ends was begun, nothing of it is kept beyond its bounds, and a line too long starts a new
// connection as the client would. The calls go on to the rules that count, price and save
// them, with a log that is locked every other piece and a window that is busy now and then:
// every call saved is saved once, and nothing is left queued once the log is free.
#include "callmonitor/CallTracker.h"
#include "monitor/CallPolicy.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

using namespace tarvis;

namespace {

class Log final : public AnrufLog {
public:
    SchreibErgebnis Speichere(const Gespraech&) override {
        if (gesperrt) {
            return {false, GesperrtGrund()};
        }
        ++saetze;
        return {true, {}};
    }
    bool gesperrt = false;
    std::int64_t saetze = 0;
};

class Fenster final : public FensterZaehlwerk {
public:
    bool Belegt() const override { return laeuft || belegt; }
    bool Laeuft() const override { return laeuft; }
    void Starte() override {
        if (laeuft) {
            std::abort(); // START on a running call would lose it
        }
        laeuft = true;
        ++nummer;
    }
    GespraechVorZonenwahl Stoppe() override {
        if (!laeuft) {
            std::abort();
        }
        laeuft = false;
        return {};
    }
    std::uint64_t AnrufNummer() const override { return nummer; }
    bool laeuft = false;
    bool belegt = false;
    std::uint64_t nummer = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    if (groesse == 0) {
        return 0;
    }
    const std::size_t stueck = std::size_t(daten[0]) + 1;
    std::string_view rest(reinterpret_cast<const char*>(daten + 1), groesse - 1);
    AnrufVerfolger verfolger;
    std::vector<AnrufMeldung> meldungen;
    std::set<std::string> begonnen;
    const Moment beginn = MomentAus(std::chrono::year{1996} / 12 / 7, 14);
    std::int64_t ms = 0;
    Log log;
    Fenster fenster;
    AnrufRegel regel({NachDemGespraech::Speichern, "0711", {}, {}, &log, &fenster});
    std::int64_t beendet = 0, gespeichert = 0;
    bool gerade = false;
    while (!rest.empty()) {
        const std::string_view teil = rest.substr(0, stueck);
        rest.remove_prefix(teil.size());
        ms += 250;
        meldungen.clear();
        if (verfolger.Lies(teil, beginn + std::chrono::seconds{ms / 1000}, ms, meldungen)) {
            verfolger.NeueVerbindung();
        }
        gerade = !gerade;
        log.gesperrt = gerade;
        fenster.belegt = !teil.empty() && (teil[0] & 1) != 0 && !fenster.laeuft;
        for (const AnrufMeldung& m : meldungen) {
            if (m.id.empty() || m.id.size() > MaxFeldLaenge || m.nummer.size() > MaxFeldLaenge ||
                m.dauerSekunden < 0 || m.beginnMs > ms) {
                std::abort();
            }
            if (m.art == AnrufMeldung::Art::Begonnen) {
                begonnen.insert(m.id);
            } else if (begonnen.erase(m.id) == 0) {
                std::abort(); // ended without having begun
            }
            if (m.art == AnrufMeldung::Art::Beendet && m.routerSekunden < 0 &&
                !RouterDauerGlaubhaft(m.dauerSekunden, (ms - m.beginnMs + 500) / 1000)) {
                std::abort(); // a duration far from the local one believed
            }
            for (const AnrufErgebnis& e : regel.Gemeldet(m)) {
                ++beendet;
                gespeichert += e.verbleib == AnrufErgebnis::Verbleib::Gespeichert;
            }
        }
        gespeichert += std::int64_t(regel.Wiederhole().size());
        if (verfolger.PufferGroesse() > AnrufVerfolger::MaxZeile ||
            verfolger.OffeneAnrufe() > AnrufVerfolger::MaxAnrufe) {
            std::abort();
        }
    }
    log.gesperrt = false;
    gespeichert += std::int64_t(regel.Wiederhole().size());
    if (!regel.Warteschlange().empty() || log.saetze != gespeichert || gespeichert > beendet) {
        std::abort();
    }
    return 0;
}
