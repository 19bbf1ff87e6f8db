#pragma once

#include "calllog/CallData.h"
#include "calllog/SystemCalls.h"
#include "tariff/Moment.h"

#include <QByteArray>
#include <QString>
#include <functional>
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

// The reason given when another program keeps the log locked for longer than the save waits.
QString GesperrtGrund();

// How a save goes about its work.
struct SpeicherArt {
    // Asked each time the log is found locked by another program: true to try again (after the
    // caller has let a moment pass, keeping its window alive), false to give up. Without it the
    // save waits for the lock as long as it takes.
    std::function<bool()> nochmalVersuchen;
    const Systemaufrufe* system = &EchteSystemaufrufe();
};

// Appends one call (and the heading, when the file does not exist yet) to the log file.
// Either all of it lands in the file or none of it: after a failure the file is as it was,
// and a log this save would have created does not exist. Nothing else is left beside the log,
// not even by a program killed in the middle of the save.
SchreibErgebnis AppendCallRecord(const QString& pFileName, const LogbuchEintrag& eintrag,
                                 const SpeicherArt& art = {});

} // namespace tarvis
