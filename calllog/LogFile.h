#pragma once

#include "calllog/CallData.h"
#include "tariff/Moment.h"

#include <QByteArray>
#include <QString>
#include <string_view>

namespace tarvis {

// One call as it goes into the log file: its figures, the zone the user picked (1..4) and
// what the user typed.
struct LogbuchEintrag {
    GespraechsDaten gespraech;
    int zone = 1;
    QString telefon;
    QString kommentar;
};

// The decimal separator of the cost column: the log is the same under any number settings.
inline constexpr std::string_view LogDezimalTrenner = ",";

// The lines of the log file as bytes in code page 1252, each ended by CR LF.
QByteArray KopfZeilen();                             // the four lines of a new file
QByteArray SatzZeile(const LogbuchEintrag& eintrag); // the fixed-column record line
QByteArray KommentarZeile(const QString& kommentar); // empty when there is no comment

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
