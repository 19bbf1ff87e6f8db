#pragma once

#include "calllog/Call.h"
#include "calllog/LogWriter.h"
#include "callmonitor/CallMonitorSettings.h"
#include "callmonitor/CallTracker.h"
#include "tariff/HolidayCalendar.h"

#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tarvis {

// Where the router's calls are saved: one attempt each time, never a wait for another
// program's lock, so that the caller's clock, counting and signals go on; a call that does not
// land is tried again later.
class AnrufLog {
public:
    virtual ~AnrufLog() = default;
    virtual SchreibErgebnis Speichere(const Gespraech& gespraech) = 0;
};

// The log file a call belongs in, found anew for each call, tried without waiting.
class DateiLog final : public AnrufLog {
public:
    explicit DateiLog(std::function<QString(const Gespraech&)> pfad) : pfad_(std::move(pfad)) {}
    SchreibErgebnis Speichere(const Gespraech& gespraech) override;

private:
    std::function<QString(const Gespraech&)> pfad_;
};

// The main window's own counter as the router's calls see it; the service has none.
class FensterZaehlwerk {
public:
    virtual ~FensterZaehlwerk() = default;
    // Whether the window holds a call that a router's call must not replace: one running, one
    // the user counted and has not saved, one whose save dialog is open.
    virtual bool Belegt() const = 0;
    virtual bool Laeuft() const = 0;
    // START and STOP on behalf of the router; Stoppe gives the figures the window counted.
    virtual void Starte() = 0;
    virtual GespraechVorZonenwahl Stoppe() = 0;
    // Which of the window's calls is the current one (it counts up at every START).
    virtual std::uint64_t AnrufNummer() const = 0;
};

// A call the router ended (or one given up without its end), priced, and what became of it.
struct AnrufErgebnis {
    enum class Verbleib {
        Gespeichert, // in the log
        Wartet,      // not saved yet (the log locked, or with no one to ask, any failure): queued
        Fragen,      // the user decides (the save dialog); the service cannot ask: not saved
        Nichts,      // nothing after the call, or a call whose end never came
    };
    AnrufMeldung meldung; // the router's report, its duration checked
    GespraechVorZonenwahl daten;
    QString telefon; // as the router reported it; this is what the log gets
    std::optional<int> zone;
    std::uint64_t fensterAnruf = 0; // the window's call it is; 0 for one priced aside
    Verbleib verbleib = Verbleib::Nichts;
    QString grund; // why it is not saved (yet)
};

// Which of the router's calls is counted, priced aside, offered, saved or reported, for the
// main window and the --anrufmonitor service alike. An answered outgoing call is the window's
// START unless the window holds a call that must not be lost; then, and always in the service,
// it is priced as --berechnen prices it, from its CONNECT moment and its duration. Saves never
// wait: a call the log does not take now stays queued until Wiederhole() lands it.
class AnrufRegel {
public:
    struct Umgebung {
        NachDemGespraech nach = NachDemGespraech::Fragen;
        std::string eigeneVorwahl;
        // The zone the user chose before for these digits; none: nothing remembered.
        std::function<std::optional<int>(const std::string&)> gemerkt;
        // Remembers the zone of a number saved; none: nothing is remembered.
        std::function<void(const QString&, int)> merke;
        AnrufLog* log = nullptr;
        FensterZaehlwerk* fenster = nullptr; // none: the service
    };

    explicit AnrufRegel(Umgebung umgebung) : u_(std::move(umgebung)) {}

    // One report of the router. Returns the calls it ended, with what became of each.
    std::vector<AnrufErgebnis> Gemeldet(const AnrufMeldung& meldung);
    // Calls another program handed over, as the client follows them: each is priced aside when
    // its DISCONNECT comes (the window did not count it); those turned Offen are reported now.
    std::vector<AnrufErgebnis> Uebernommen(const std::vector<AnrufMeldung>& anrufe);
    // START or STOP pressed by the user: the window's call is the user's from now on, and the
    // router's DISCONNECT no longer stops it.
    void VonHand();
    // The monitor switched off or on again with these settings: no router's call is followed
    // any more. The queued calls stay queued.
    void Neu(NachDemGespraech nach, std::string eigeneVorwahl);

    // The queued calls tried again in order; those that landed are returned.
    std::vector<AnrufErgebnis> Wiederhole();
    const std::deque<AnrufErgebnis>& Warteschlange() const { return warteschlange_; }

    // Whether the window's running call follows the router (its DISCONNECT will stop it).
    bool FolgtRouter() const { return !automatischeId_.empty(); }
    // The router's ID of that call; empty when none.
    const std::string& FensterId() const { return automatischeId_; }
    // The number the router gave for the window's call (empty after a call started by hand).
    const QString& FensterTelefon() const { return fensterTelefon_; }
    // The zone of a number by its form or by the user's earlier choice.
    std::optional<int> ZoneVon(const QString& telefon) const;

private:
    AnrufErgebnis Beiseite(const AnrufMeldung& meldung);
    void Verwende(AnrufErgebnis& ergebnis);
    bool Speichere(AnrufErgebnis& ergebnis);

    Umgebung u_;
    FeiertagKalender kalender_;
    std::string automatischeId_;     // the router's call the window's counter follows
    QString fensterTelefon_;         // its dialled number
    std::set<std::string> beiseite_; // the router's calls priced aside when they end
    std::deque<AnrufErgebnis> warteschlange_;
};

} // namespace tarvis
