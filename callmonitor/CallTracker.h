#pragma once

#include "callmonitor/MonitorLine.h"
#include "tariff/Moment.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tarvis {

// What the call monitor tells the program: an outgoing call was answered, it ended, or it was
// given up without its end (Offen: pushed out by too many calls at once, or still open when the
// program ends; its length is the one measured so far).
struct AnrufMeldung {
    enum class Art { Begonnen, Beendet, Offen };
    Art art = Art::Begonnen;
    std::string id;
    std::string nummer;             // the dialled number, as the router sent it (may be empty)
    Moment beginn{};                // local calendar moment of CONNECT
    std::int64_t beginnMs = 0;      // millisecond counter at CONNECT
    std::int64_t dauerSekunden = 0; // Beendet: the router's duration (or the local one)
    // Beendet: the router's duration when it was not believed (too far from the local measure,
    // which dauerSekunden then holds); -1 when it was.
    std::int64_t routerSekunden = -1;
    bool nummerGekuerzt = false; // the router's number was longer than MaxFeldLaenge
};

// Whether the router's duration of a call is believed: at most 2 s + 1 % away from the
// CONNECT-DISCONNECT time measured here. Seconds the router adds or drops by its own rounding
// stay within that; a duration of years from a damaged line does not.
bool RouterDauerGlaubhaft(std::int64_t routerSekunden, std::int64_t lokaleSekunden);

// How many lines of each kind were passed over.
struct MonitorZaehler {
    std::int64_t zeilen = 0;
    std::int64_t unbekannteWoerter = 0;
    std::int64_t fehlerhafte = 0;
    std::int64_t zuLange = 0;
    std::int64_t unpassende = 0;   // events that fit no call (CONNECT of an unknown ID, ...)
    std::int64_t verdraengte = 0;  // calls forgotten because too many ran at once
    std::int64_t gekuerzte = 0;    // lines with an ID or number cut at MaxFeldLaenge
    std::int64_t lokaleDauern = 0; // router durations replaced by the local measure
};

// Turns the bytes of the call monitor into the calls they describe, one state machine per ID:
// an outgoing call (CALL) counts from its CONNECT to its DISCONNECT; a CALL nobody answers and
// every incoming call (RING) never count. Lines are cut at LF; a line longer than MaxZeile
// makes Lies() answer true, and the caller drops the connection. Whatever arrives, what is kept
// stays bounded: one partial line, at most MaxAnrufe calls of short fields.
class AnrufVerfolger {
public:
    static constexpr std::size_t MaxZeile = 4096;
    static constexpr std::size_t MaxAnrufe = 32;

    // Feeds bytes received at the moment `jetzt` / counter reading `ms`. The calls found are
    // appended to `meldungen`. True when a line was too long: the rest of the connection's
    // bytes must not be read as lines.
    bool Lies(std::string_view bytes, Moment jetzt, std::int64_t ms,
              std::vector<AnrufMeldung>& meldungen);

    // One whole line (without LF).
    void Zeile(std::string_view zeile, Moment jetzt, std::int64_t ms,
               std::vector<AnrufMeldung>& meldungen);

    // A new connection: the partial line of the old one is forgotten, the open calls are
    // kept, as the router ends them on the new connection with a DISCONNECT of their ID.
    void NeueVerbindung();
    // The monitor switched off: every call and the partial line are forgotten.
    void Zuruecksetzen();
    // The answered outgoing calls still open, as Offen reports with their length so far.
    std::vector<AnrufMeldung> Offene(std::int64_t ms) const;
    // A call another program followed until it ended (Begonnen, its CONNECT on this counter):
    // followed from now on as if its CONNECT had come here. One that cannot be (its ID is in use,
    // or MaxAnrufe calls run) is turned into Offen with its length until `ms`.
    void Uebernimm(AnrufMeldung& anruf, std::int64_t ms);

    const MonitorZaehler& Zaehler() const { return zaehler_; }
    std::size_t OffeneAnrufe() const { return anrufe_.size(); }
    std::size_t PufferGroesse() const { return puffer_.size(); }

private:
    struct Anruf {
        bool abgehend = false;
        bool verbunden = false;
        std::string nummer;
        bool nummerGekuerzt = false;
        Moment beginn{};
        std::int64_t beginnMs = 0;
        std::uint64_t reihe = 0;  // order of arrival, to forget the oldest first
        bool uebernommen = false; // handed over by another program
    };

    void Neu(const MonitorEreignis& ereignis, bool abgehend, Moment jetzt, std::int64_t ms,
             std::vector<AnrufMeldung>& meldungen);
    static AnrufMeldung Ende(const std::string& id, const Anruf& anruf, std::int64_t sekunden);
    static AnrufMeldung Aufgegeben(const std::string& id, const Anruf& anruf, std::int64_t ms);

    std::string puffer_;
    std::map<std::string, Anruf, std::less<>> anrufe_;
    std::uint64_t reihe_ = 0;
    MonitorZaehler zaehler_;
};

} // namespace tarvis
