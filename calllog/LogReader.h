#pragma once

#include "tariff/Moment.h"
#include "tariff/Zone.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;

namespace tarvis {

// Reads back what the log writer wrote, to sum a month's calls. Only record lines count: the
// heading and the comment lines are passed over. A line that starts like a record (a date
// "dd.mm.yy") but cannot be read is reported with its number and left out.

struct LogDatensatz {
    Datum startDatum{};
    int zone = 0; // 1..4
    std::int64_t einheiten = 0;
    std::int64_t kostenPfennig = 0;
};

enum class ZeilenArt { KeinDatensatz, Datensatz, Unlesbar };

struct GelesenesZeile {
    ZeilenArt art = ZeilenArt::KeinDatensatz;
    LogDatensatz datensatz;
    std::string grund; // why an unreadable line could not be read
};

// One line without its line end, in the file's bytes (code page 1252).
GelesenesZeile LiesLogZeile(std::string_view zeile);

struct LogSumme {
    std::int64_t anrufe = 0;
    std::int64_t einheiten = 0;
    std::int64_t kostenPfennig = 0;

    // Adds a call, or another sum; false (and nothing added) when a figure would leave the
    // range of its counter.
    [[nodiscard]] bool Dazu(const LogDatensatz& satz);
    [[nodiscard]] bool Dazu(const LogSumme& summe);
    bool operator==(const LogSumme&) const = default;
};

struct LogFehler {
    std::int64_t zeile = 0;
    std::string grund;
};

struct LogAuswertung {
    // (year, month) of the call's start -> sums per zone.
    std::map<std::pair<int, int>, ZonenArray<LogSumme>> monate;
    ZonenArray<LogSumme> gesamt;
    std::vector<LogFehler> fehler;
    bool zuGross = false; // the sums left the range of their counters; they are incomplete
};

// Sums every record of a log, line by line; the device is only read.
LogAuswertung WerteLogAus(QIODevice& datei);

} // namespace tarvis
