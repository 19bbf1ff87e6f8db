#pragma once

#include "calllog/Call.h"

#include <cstdint>
#include <string>

namespace tarvis {

// A line that starts like a record but cannot be read: its number and why.
struct LogFehler {
    std::int64_t zeile = 0;
    std::string grund;
};

// Where the calls of a log go as they are read (LiesLog in LogReader.h): the sums, the journal,
// a test's collector.
class LogEmpfaenger {
public:
    virtual ~LogEmpfaenger() = default;
    // A call with the comment of the line directly under its record, if there is one; `zeile`
    // is the number of the record line. It is handed on once the next line has been seen.
    virtual void Datensatz(const Gespraech& gespraech, std::int64_t zeile) = 0;
    virtual void Unlesbar(const LogFehler& fehler) = 0;
};

} // namespace tarvis
