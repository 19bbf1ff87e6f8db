#pragma once

#include "callmonitor/CallTracker.h"
#include "callmonitor/Reconnect.h"
#include "platform/Clock.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QTcpSocket;

namespace tarvis {

// The client of the router's call monitor: connects, reads its lines into calls, and when the
// connection cannot be made within 10 s or breaks (router restarting, refusing, closing,
// resetting, or silently gone, found by TCP keepalive) tries again after 1 s, 2 s, 4 s ... 60 s,
// for ever.
class AnrufmonitorClient : public QObject {
    Q_OBJECT

public:
    enum class Zustand { Aus, Verbindet, Verbunden, Wartet };

    AnrufmonitorClient(QString adresse, quint16 port, CalendarClock& uhr,
                       MillisecondCounter& zaehler, Wecker& wecker, QObject* parent = nullptr);
    ~AnrufmonitorClient() override;

    void Starte();
    void Beende();

    Zustand Stand() const { return zustand_; }
    // The wait before the attempt now planned (Wartet).
    std::int64_t WartezeitMs() const { return wartezeitMs_; }
    // "Anrufmonitor: verbunden mit fritz.box", "... keine Verbindung, nächster Versuch in 8 s".
    QString StatusText() const;
    const AnrufVerfolger& Verfolger() const { return verfolger_; }
    // The answered outgoing calls whose end has not come yet (Offen, length so far); Beende()
    // forgets them, so an owner that ends asks first.
    std::vector<AnrufMeldung> OffeneAnrufe() const;
    // Calls another program handed over (MonitorBesitz::Uebernimm), followed from now on; those
    // that cannot be are turned into Offen, for the caller to report.
    void Uebernimm(std::vector<AnrufMeldung>& anrufe);
    // The socket, for the keepalive it was given.
    const QTcpSocket* Socket() const { return socket_; }

Q_SIGNALS:
    void Meldung(const tarvis::AnrufMeldung& meldung);
    void StatusGeaendert();
    // A connection that was up broke. The calls it was following stay open: the router ends
    // them with a DISCONNECT on the next connection, if it still knows them.
    void VerbindungVerloren();

private:
    void Verbinde();
    void Verbindung();
    void Getrennt();
    void LiesDaten();
    void Setze(Zustand zustand);

    QString adresse_;
    quint16 port_;
    CalendarClock& uhr_;
    MillisecondCounter& zaehler_;
    Wecker& wecker_;
    QTcpSocket* socket_;
    AnrufVerfolger verfolger_;
    Wiederverbindung wiederverbindung_;
    Zustand zustand_ = Zustand::Aus;
    std::int64_t wartezeitMs_ = 0;
};

} // namespace tarvis
