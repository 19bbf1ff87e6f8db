#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvis {

// One line of the router's call monitor, read. The router sends
//   dd.mm.yy hh:mm:ss;CALL;ID;NEBENSTELLE;EIGENE_NUMMER;GEWAEHLTE_NUMMER;LEITUNG;
//   dd.mm.yy hh:mm:ss;RING;ID;ANRUFER;EIGENE_NUMMER;LEITUNG;
//   dd.mm.yy hh:mm:ss;CONNECT;ID;NEBENSTELLE;NUMMER;
//   dd.mm.yy hh:mm:ss;DISCONNECT;ID;DAUER_SEKUNDEN;
// Fields may be empty (a suppressed number); fields after the known ones are passed over, as
// newer firmware adds some.
struct MonitorEreignis {
    enum class Art { Anruf, Klingeln, Verbunden, Getrennt };
    Art art = Art::Anruf;
    std::string id;
    std::string nummer;              // the dialled number (CALL), the caller (RING), CONNECT's
    std::int64_t dauerSekunden = -1; // DISCONNECT: the router's duration, -1 when unreadable
    bool gekuerzt = false;           // the ID or the number was cut at MaxFeldLaenge
};

enum class ZeilenFehler {
    Keiner,
    UnbekanntesWort, // a well-formed line with an event word this program does not know
    Fehlerhaft,      // anything else that is no event line
};

struct GeleseneMonitorZeile {
    std::optional<MonitorEreignis> ereignis;
    ZeilenFehler fehler = ZeilenFehler::Keiner;
};

// Longest ID and number kept of a line; longer ones are cut (and the event marked), so that what
// is kept per call stays small whatever the router sends, and the call is still followed.
inline constexpr std::size_t MaxFeldLaenge = 64;

// Reads one line without its line end (a CR before it is allowed).
GeleseneMonitorZeile LiesMonitorZeile(std::string_view zeile);

// The fields of a line parted at ';', empty ones included: the router's lines and the lines in
// which one program hands its open calls to the next.
std::vector<std::string_view> SemikolonFelder(std::string_view zeile);

} // namespace tarvis
