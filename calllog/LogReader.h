#pragma once

#include "calllog/LogReceiver.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QFile;
class QIODevice;

namespace tarvis {

// Reads back what the log writer wrote: each call, its record line with the comment line that
// may follow it, from any byte stream (a file, a pipe, standard input). The heading and every
// other line are passed over. A line that starts like a record but cannot be read is reported
// with its number and left out; it never stops the rest. Each line is read by LiesLogZeile.

struct LeseErgebnis {
    bool gelesen = true;     // false: the device failed, or the reading was stopped
    QString fehler;          // the device's reason when it failed
    std::int64_t bytes = 0;  // read so far
    std::int64_t zeilen = 0; // lines seen
};

// Reads the device to its end, line by line, whatever it is: sequential devices (pipes,
// standard input) are read until they have no more, never asked in advance whether they are at
// their end. Memory stays bounded: an overlong line is passed over, not kept. `weiter`, if
// given, is asked after every block with the bytes read so far; false stops the reading.
LeseErgebnis LiesLog(QIODevice& quelle, LogEmpfaenger& empfaenger,
                     const std::function<bool(std::int64_t bytes)>& weiter = {});

// Opens a log only to read it. When it cannot, the system's reason in German (a directory is
// refused too). With `nurDateien` only an ordinary file is taken, so that a FIFO or a device
// named like a log never keeps the reading waiting for a writer.
std::optional<QString> OeffneLog(QFile& datei, const QString& pfad, bool nurDateien);

} // namespace tarvis
