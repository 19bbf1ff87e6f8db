#pragma once

#include <QString>
#include <sys/types.h>

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
class MonitorBesitz {
public:
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

private:
    QString pfad_;
    int fd_ = -1;
    bool haelt_ = false;
    pid_t halter_ = 0;
};

} // namespace tarvis
