#pragma once

// The bytes of the log: the heading of a new log, a call's record line and its comment line,
// in code page 1252 and each ended by CR LF, laid out as LogFormat.h describes. Only bytes are
// made here; writing them to the file safely is LogWriter.h's job.

#include "calllog/Call.h"

#include <QByteArray>
#include <string_view>

namespace tarvis {

// The decimal separator of the cost column: the log is the same under any number settings.
inline constexpr std::string_view LogDezimalTrenner = ",";

QByteArray KopfZeilen(); // the four lines of a new file
// The fixed-column record line. A time, stop or duration the call lacks is left blank, as
// the reader takes it.
QByteArray SatzZeile(const Gespraech& gespraech);
QByteArray KommentarZeile(std::string_view kommentar); // UTF-8; empty when there is no comment

} // namespace tarvis
