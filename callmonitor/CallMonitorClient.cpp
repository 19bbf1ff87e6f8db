#include "callmonitor/CallMonitorClient.h"

#include <QTcpSocket>
#include <array>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace tarvis {

namespace {

// Read in pieces, so that a flood from the router never sits in memory whole.
constexpr qint64 LeseStueck = 16 * 1024;

// An address that drops every SYN would hold an attempt for the system's own limit (about a
// minute); a router on the home network answers within a fraction of a second.
constexpr std::int64_t LaengsterVersuchMs = 10'000;

// A connection that dies without a word (the router's power cut, a cable pulled) is found
// after 60 s of silence and three unanswered probes 10 s apart.
void HalteVerbindungWach(QTcpSocket& socket) {
    socket.setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    const int fd = int(socket.socketDescriptor());
    if (fd < 0) {
        return;
    }
    const int leerlauf = 60, abstand = 10, proben = 3;
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &leerlauf, sizeof leerlauf);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &abstand, sizeof abstand);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &proben, sizeof proben);
}

} // namespace

AnrufmonitorClient::AnrufmonitorClient(QString adresse, quint16 port, CalendarClock& uhr,
                                       MillisecondCounter& zaehler, Wecker& wecker, QObject* parent)
    : QObject(parent), adresse_(std::move(adresse)), port_(port), uhr_(uhr), zaehler_(zaehler),
      wecker_(wecker), socket_(new QTcpSocket(this)) {
    socket_->setReadBufferSize(LeseStueck);
    connect(socket_, &QTcpSocket::connected, this, &AnrufmonitorClient::Verbindung);
    connect(socket_, &QTcpSocket::disconnected, this, &AnrufmonitorClient::Getrennt);
    connect(socket_, &QTcpSocket::errorOccurred, this, &AnrufmonitorClient::Getrennt);
    connect(socket_, &QTcpSocket::readyRead, this, &AnrufmonitorClient::LiesDaten);
}

AnrufmonitorClient::~AnrufmonitorClient() {
    wecker_.Abbrechen();
    socket_->disconnect(this);
    socket_->abort();
}

void AnrufmonitorClient::Starte() {
    if (zustand_ == Zustand::Aus) {
        Verbinde();
    }
}

void AnrufmonitorClient::Beende() {
    wecker_.Abbrechen();
    Setze(Zustand::Aus);
    socket_->abort();
    verfolger_.Zuruecksetzen();
}

std::vector<AnrufMeldung> AnrufmonitorClient::OffeneAnrufe() const {
    return verfolger_.Offene(zaehler_.milliseconds());
}

void AnrufmonitorClient::Uebernimm(std::vector<AnrufMeldung>& anrufe) {
    for (AnrufMeldung& anruf : anrufe) {
        verfolger_.Uebernimm(anruf, zaehler_.milliseconds());
    }
}

// The wecker bounds the attempt first, so that a failure the socket reports at once sets the
// wait before the next attempt in its place.
void AnrufmonitorClient::Verbinde() {
    Setze(Zustand::Verbindet);
    socket_->abort();
    wecker_.Stelle(LaengsterVersuchMs, [this] { Getrennt(); });
    socket_->connectToHost(adresse_, port_);
}

void AnrufmonitorClient::Verbindung() {
    if (zustand_ != Zustand::Verbindet) {
        return;
    }
    wecker_.Abbrechen();
    HalteVerbindungWach(*socket_);
    verfolger_.NeueVerbindung();
    wiederverbindung_.Verbunden();
    Setze(Zustand::Verbunden);
}

// Refused, closed, reset, timed out, not made within 10 s or a line too long: one new attempt
// after the next wait, whichever of the socket's signals (or the wecker) reports it first.
void AnrufmonitorClient::Getrennt() {
    if (zustand_ == Zustand::Aus || zustand_ == Zustand::Wartet) {
        return;
    }
    const bool warVerbunden = zustand_ == Zustand::Verbunden;
    wartezeitMs_ = wiederverbindung_.NaechsteWartezeitMs();
    Setze(Zustand::Wartet);
    socket_->abort();
    verfolger_.NeueVerbindung();
    wecker_.Stelle(wartezeitMs_, [this] { Verbinde(); });
    if (warVerbunden) {
        Q_EMIT VerbindungVerloren();
    }
}

void AnrufmonitorClient::LiesDaten() {
    std::array<char, LeseStueck> stueck{};
    std::vector<AnrufMeldung> meldungen;
    while (zustand_ == Zustand::Verbunden && socket_->bytesAvailable() > 0) {
        const qint64 gelesen = socket_->read(stueck.data(), qint64(stueck.size()));
        if (gelesen <= 0) {
            break;
        }
        const bool zuLang = verfolger_.Lies(std::string_view(stueck.data(), std::size_t(gelesen)),
                                            uhr_.now(), zaehler_.milliseconds(), meldungen);
        if (zuLang) {
            Getrennt();
        }
    }
    for (const AnrufMeldung& meldung : meldungen) {
        Q_EMIT Meldung(meldung);
    }
}

void AnrufmonitorClient::Setze(Zustand zustand) {
    if (zustand_ != zustand || zustand == Zustand::Wartet) {
        zustand_ = zustand;
        Q_EMIT StatusGeaendert();
    }
}

QString AnrufmonitorClient::StatusText() const {
    switch (zustand_) {
    case Zustand::Aus:
        return QStringLiteral("Anrufmonitor: aus");
    case Zustand::Verbindet:
        return QStringLiteral("Anrufmonitor: verbinde mit %1").arg(adresse_);
    case Zustand::Verbunden:
        return QStringLiteral("Anrufmonitor: verbunden mit %1").arg(adresse_);
    case Zustand::Wartet:
        break;
    }
    return QStringLiteral("Anrufmonitor: keine Verbindung, nächster Versuch in %1 s")
        .arg((wartezeitMs_ + 999) / 1000);
}

} // namespace tarvis
