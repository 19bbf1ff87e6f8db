#pragma once

#include "callmonitor/CallTracker.h"
#include "tariff/Moment.h"

#include <QString>
#include <chrono>
#include <cstdint>
#include <sys/types.h>
#include <vector>

namespace tarvis {

// Which of a user's running programs follows the router: the one that holds an exclusive
// flock() on a small file. Two programs following one router would each count and save every
// call, so at most one does; the others wait, ask again and take over when the holder ends.
//
// The lock is the kernel's, on an open file: it goes with the process however that ends (even
// by SIGKILL or a crash), so a holder that died never keeps the monitor blocked, and there is
// no stale PID file to judge. The file lies beside the settings file because that file is what
// makes programs "the same user's Tarvis32": it names the router and where the calls go, a test
// or a second profile with settings elsewhere follows a router of its own, and a home shared by
// two machines shares the lock as it shares the log. Only where that folder cannot hold the
// file does $XDG_RUNTIME_DIR (per user, on local storage) serve. The file holds the holder's
// PID, for the others to say whom they wait for; it is never deleted (deleting it would let a
// second holder lock a new file of the same name).
//
// The calls still open when a holder ends are handed to the next one in a second file beside
// the lock, "Tarvis32.anrufmonitor.offen". That file belongs to whoever holds the lock: the
// holder writes it as its last act before letting go, the next holder reads and removes it as
// its first act after taking the lock, and no one else touches it. So a call handed over is
// followed by one program at a time, and ended (and saved) by the one that gets its DISCONNECT.
class MonitorBesitz {
public:
    // A hand-over older than this is not taken as running: the router's DISCONNECT may have come
    // while no program listened, and an ID the router gives again must not end it with a length
    // of hours. Such calls are reported as given up.
    static constexpr std::chrono::seconds UebergabeFrist{600};

    // The lock file beside the settings file `einstellungsDatei` (or in $XDG_RUNTIME_DIR).
    static QString PfadZu(const QString& einstellungsDatei);

    explicit MonitorBesitz(QString pfad);
    ~MonitorBesitz();
    MonitorBesitz(const MonitorBesitz&) = delete;
    MonitorBesitz& operator=(const MonitorBesitz&) = delete;

    // Takes the lock if no other program holds it, without waiting. True while it is held.
    bool Versuche();
    // Lets the lock go, for the next program to take.
    void Gib();
    bool Haelt() const { return haelt_; }
    // The PID the holder wrote, once a Versuche() found the lock held; 0 when unknown.
    pid_t Halter() const { return halter_; }
    // "Anrufmonitor: folgt bereits in Tarvis32 (PID n)".
    QString WarteText() const;

    // Only while the lock is held. Writes the open calls (Offen reports of the client at the
    // counter reading `ms`) for the next holder; the reason in German when that failed, else
    // empty. No calls: any earlier hand-over file is removed.
    QString Uebergib(const std::vector<AnrufMeldung>& offene, Moment jetzt, std::int64_t ms);
    // Only while the lock is held, right after taking it. The calls the last holder handed over,
    // the file removed: Begonnen with their CONNECT on this program's counter, or Offen (with
    // the length known at the hand-over) when the hand-over is older than UebergabeFrist.
    std::vector<AnrufMeldung> Uebernimm(Moment jetzt, std::int64_t ms);

private:
    QString UebergabePfad() const;

    QString pfad_;
    int fd_ = -1;
    bool haelt_ = false;
    pid_t halter_ = 0;
};

} // namespace tarvis
