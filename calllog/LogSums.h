#pragma once

#include "calllog/Call.h"
#include "calllog/LogReader.h"
#include "tariff/Zone.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

class QIODevice;

namespace tarvis {

struct LogSumme {
    std::int64_t gespraeche = 0;
    std::int64_t einheiten = 0;
    std::int64_t kostenPfennig = 0;

    // Adds a call, or another sum; false (and nothing added) when a figure would leave the
    // range of its counter.
    [[nodiscard]] bool Dazu(const Gespraech& gespraech);
    [[nodiscard]] bool Dazu(const LogSumme& summe);
    bool operator==(const LogSumme&) const = default;
};

// The sums of calls per month of their start and zone, and per zone over all. The command
// line's report and the journal's sums are both made by this.
class LogSummen {
public:
    // False (and the call not counted) when a sum would leave the range of its counter; the
    // sums are then incomplete and say so.
    bool Dazu(const Gespraech& gespraech);
    // The same for a call given by the (year, month) of its start, its zone and figures.
    bool Dazu(std::pair<int, int> monat, int zone, std::int64_t einheiten,
              std::int64_t kostenPfennig);

    // (year, month) of the call's start -> sums per zone.
    const std::map<std::pair<int, int>, ZonenArray<LogSumme>>& Monate() const { return monate_; }
    const ZonenArray<LogSumme>& ProZone() const { return gesamt_; }
    // All zones together; nothing when that sum leaves the range of its counters.
    std::optional<LogSumme> Gesamt() const;
    bool ZuGross() const { return zuGross_; }

private:
    // The month last added to: the calls of a log are of one month, in order, and find their
    // sums without a search. It points into this object's map, so a copy starts without it.
    struct LetzterMonat {
        std::pair<int, int> monat{};
        ZonenArray<LogSumme>* zonen = nullptr;

        LetzterMonat() = default;
        LetzterMonat(const LetzterMonat&) noexcept {}
        LetzterMonat& operator=(const LetzterMonat&) noexcept {
            zonen = nullptr;
            return *this;
        }
    };

    std::map<std::pair<int, int>, ZonenArray<LogSumme>> monate_;
    ZonenArray<LogSumme> gesamt_;
    bool zuGross_ = false;
    LetzterMonat letzter_;
};

// How many unreadable lines an evaluation keeps to list; the rest are only counted.
inline constexpr std::size_t MaxGemerkteFehler = 100;

struct LogAuswertung {
    LogSummen summen;
    std::vector<LogFehler> fehler; // the first MaxGemerkteFehler unreadable lines
    std::int64_t fehlerAnzahl = 0; // all of them
    LeseErgebnis lesen;
};

// Adds every record of a log to the evaluation (several logs can be summed into one); the
// device is only read. Each unreadable line also goes to `melde` as it is found, if given.
void WerteLogAus(QIODevice& datei, LogAuswertung& auswertung,
                 const std::function<void(const LogFehler&)>& melde = {});

// The evaluation of one log.
LogAuswertung WerteLogAus(QIODevice& datei,
                          const std::function<void(const LogFehler&)>& melde = {});

} // namespace tarvis
