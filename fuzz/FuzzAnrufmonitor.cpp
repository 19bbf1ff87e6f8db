// The router's call monitor sending anything: the bytes arrive in pieces of any size (the first
// byte of the input sets them), and the calls that come out must make sense. Every call that
// ends was begun, nothing of it is kept beyond its bounds, and a line too long ends the
// connection as the client would.
#include "callmonitor/CallTracker.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

using namespace tarvis;

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
    while (!rest.empty()) {
        const std::string_view teil = rest.substr(0, stueck);
        rest.remove_prefix(teil.size());
        ms += 250;
        meldungen.clear();
        if (verfolger.Lies(teil, beginn + std::chrono::seconds{ms / 1000}, ms, meldungen)) {
            verfolger.Zuruecksetzen();
            begonnen.clear();
        }
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
        }
        if (verfolger.PufferGroesse() > AnrufVerfolger::MaxZeile ||
            verfolger.OffeneAnrufe() > AnrufVerfolger::MaxAnrufe) {
            std::abort();
        }
    }
    return 0;
}
