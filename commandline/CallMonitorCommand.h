#pragma once

#include "callmonitor/CallMonitorSettings.h"
#include "callmonitor/CallTracker.h"
#include "tariff/HolidayCalendar.h"

#include <QObject>
#include <QString>
#include <optional>

class QSettings;
class QTextStream;

namespace tarvis {

class AnrufmonitorClient;

// "ADRESSE[:PORT]" of --anrufmonitor; empty parts keep the settings' address and port. None
// for a port that is no number in 1..65535.
std::optional<AnrufmonitorEinstellungen> MonitorZiel(const QString& ziel,
                                                     AnrufmonitorEinstellungen werte);

// --anrufmonitor without a window: every ended outgoing call the client reports is priced as
// --berechnen prices it, printed as one line, and saved to the log when its zone is known.
class AnrufmonitorBetrieb : public QObject {
    Q_OBJECT

public:
    AnrufmonitorBetrieb(AnrufmonitorClient& client, const AnrufmonitorEinstellungen& werte,
                        QSettings* einstellungen, QString logPfad, QTextStream& aus,
                        QTextStream& fehler, QObject* parent = nullptr);

    std::int64_t Gespeichert() const { return gespeichert_; }

private:
    void Gemeldet(const AnrufMeldung& meldung);
    void Status();

    AnrufmonitorClient& client_;
    AnrufmonitorEinstellungen werte_;
    QSettings* einstellungen_;
    QString logPfad_;
    QTextStream& aus_;
    QTextStream& fehler_;
    FeiertagKalender kalender_;
    std::int64_t gespeichert_ = 0;
};

// Runs --anrufmonitor [ADRESSE[:PORT]] until SIGINT or SIGTERM; needs a QCoreApplication.
int Anrufmonitor(const QStringList& werte, QTextStream& aus, QTextStream& fehler);

} // namespace tarvis
