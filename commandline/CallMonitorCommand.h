#pragma once

#include "callmonitor/CallMonitorSettings.h"
#include "callmonitor/CallTracker.h"
#include "monitor/CallPolicy.h"
#include "platform/Clock.h"

#include <QObject>
#include <QString>
#include <optional>

class QSettings;
class QTextStream;
class QTimer;

namespace tarvis {

class AnrufmonitorClient;
class MonitorBesitz;

// "ADRESSE[:PORT]" of --anrufmonitor; empty parts keep the settings' address and port. None
// for a port that is no number in 1..65535.
std::optional<AnrufmonitorEinstellungen> MonitorZiel(const QString& ziel,
                                                     AnrufmonitorEinstellungen werte);

// The log of the month a call started in, in the folder of `logPfad`: a service runs for
// months, and each call goes where the journal looks for its month.
QString LogDesMonats(const QString& logPfad, const Gespraech& gespraech);

// --anrufmonitor without a window: every ended outgoing call the client reports is priced as
// --berechnen prices it, printed as one line, and saved to the log of its month when its zone
// is known. A call the log does not take now (another program holds it) waits and is tried
// again every second.
class AnrufmonitorBetrieb : public QObject {
    Q_OBJECT

public:
    AnrufmonitorBetrieb(AnrufmonitorClient& client, const AnrufmonitorEinstellungen& werte,
                        QSettings* einstellungen, QString logPfad, QTextStream& aus,
                        QTextStream& fehler, QObject* parent = nullptr);

    std::int64_t Gespeichert() const { return gespeichert_; }
    // Starts the client once this program holds `besitz`, with the calls the last holder
    // handed over; asked again and again while another program follows the router.
    void Folge(MonitorBesitz& besitz, const CalendarClock& uhr, const MillisecondCounter& zaehler);
    // The calls still open are handed to the next holder of `besitz` (none: reported as given
    // up) and the lock let go; the queued ones are tried until `fristMs` of the counter have
    // passed (one more attempt at least), then each one left is printed whole. True when
    // nothing is left unsaved.
    bool Beende(const CalendarClock& uhr, MillisecondCounter& zaehler, std::int64_t fristMs,
                MonitorBesitz* besitz = nullptr);
    const AnrufRegel& Regel() const { return regel_; }

private:
    void Gemeldet(const AnrufMeldung& meldung);
    void Berichte(const AnrufErgebnis& ergebnis, bool uebergeben = false);
    void Wiederhole();
    void Status();
    void Schreibe();

    AnrufmonitorClient& client_;
    AnrufmonitorEinstellungen werte_;
    QSettings* einstellungen_;
    QTextStream& aus_;
    QTextStream& fehler_;
    DateiLog log_;
    AnrufRegel regel_;
    QTimer* wiederholen_;
    std::int64_t gespeichert_ = 0;
    bool ausgabeFehlerGesagt_ = false;
};

// Runs --anrufmonitor [ADRESSE[:PORT]] until SIGINT or SIGTERM; needs a QCoreApplication.
int Anrufmonitor(const QStringList& werte, QTextStream& aus, QTextStream& fehler);

} // namespace tarvis
