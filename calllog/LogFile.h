#pragma once

#include "calllog/CallData.h"
#include "tariff/Moment.h"

#include <QByteArray>
#include <QString>

namespace tarvis {

// One call as it goes into the log file: the ten values of a record, the zone already
// resolved to its name.
struct LogbuchEintrag {
    Datum startDatum{};
    QString startZeit;
    Datum stopDatum{};
    QString stopZeit;
    QString dauer;
    QString telefon;
    QString zone;
    QString einheiten;
    QString kosten;
    QString kommentar;
};

// The record of a call for the zone the user picked (1..4), named as the dialog shows it.
LogbuchEintrag EintragFuer(const GespraechsDaten& daten, int zone, const QString& zonenName,
                           const QString& telefon, const QString& kommentar);

// The lines of the log file as bytes in code page 1252, each ended by CR LF.
QByteArray KopfZeilen();                             // the four lines of a new file
QByteArray SatzZeile(const LogbuchEintrag& eintrag); // the fixed-column record line
QByteArray KommentarZeile(const QString& kommentar); // empty when there is no comment
QByteArray DatumKurz(Datum datum);                   // "dd.mm.yy"

// Whether an ordinary file of that name exists; a directory or a device is no file. Every
// failure to look counts as "does not exist".
bool FileExist(const QString& pFileName);

// The outcome of a save: either written, or the reason the system gave for not writing.
struct SchreibErgebnis {
    bool geschrieben = false;
    QString grund;
    explicit operator bool() const { return geschrieben; }
};

// Appends one call (and the heading, when the file does not exist yet) to the log file.
// Either all of it lands in the file or none of it: after a failure the file is as it was,
// and a file this save created is removed again.
SchreibErgebnis AppendCallRecord(const QString& pFileName, const LogbuchEintrag& eintrag);

} // namespace tarvis
