#pragma once

#include "tariff/Moment.h"
#include "tariff/Zone.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QFile;
class QIODevice;

namespace tarvis {

// Reads back what the log writer wrote: the record lines with the comment line that may follow
// each, from any byte stream (a file, a pipe, standard input). The heading and every other
// line are passed over. A line that starts like a record (a date "dd.mm.yy") but cannot be
// read is reported with its number and left out; it never stops the rest.
//
// What a sum needs (the day, the zone, the units, the cost) must be readable for a line to
// count as a record. The rest (times, duration, telephone number) is taken where it can be
// read and left empty where not, so lines written by hand or by earlier versions still count.

struct LogDatensatz {
    Datum startDatum{};
    std::optional<int> startSekunde; // time of day, 0..86399
    std::optional<Datum> stopDatum;
    std::optional<int> stopSekunde;
    std::optional<std::int64_t> dauerMs;
    std::string telefon; // UTF-8
    int zone = 0;        // 1..4
    std::int64_t einheiten = 0;
    std::int64_t kostenPfennig = 0;
};

enum class ZeilenArt { KeinDatensatz, Datensatz, Kommentar, Unlesbar };

struct GelesenesZeile {
    ZeilenArt art = ZeilenArt::KeinDatensatz;
    LogDatensatz datensatz;
    std::string kommentar; // UTF-8, as typed (a comment line without its indent)
    std::string grund;     // why an unreadable line could not be read
};

// One line without its line end, in the file's bytes (code page 1252). A line indented like a
// comment is reported as one; whether it belongs to a record is up to the caller.
GelesenesZeile LiesLogZeile(std::string_view zeile);

// The same, word by word whatever the columns: how LiesLogZeile reads every line that does not
// have the writer's fixed columns. Both give the same for every line (the tests compare them).
GelesenesZeile LiesLogZeileWortweise(std::string_view zeile);

struct LogFehler {
    std::int64_t zeile = 0;
    std::string grund;
};

// Where the lines of a log go as they are read.
class LogEmpfaenger {
public:
    virtual ~LogEmpfaenger() = default;
    virtual void Datensatz(const LogDatensatz& satz, std::int64_t zeile) = 0;
    // A comment line directly under a record: it belongs to that record.
    virtual void Kommentar(std::string_view text, std::int64_t zeile) = 0;
    virtual void Unlesbar(const LogFehler& fehler) = 0;
};

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

// The sums of calls per month of their start and zone, and per zone over all. The command
// line's report and the journal's sums are both made by this.
class LogSummen {
public:
    // False (and the call not counted) when a sum would leave the range of its counter; the
    // sums are then incomplete and say so.
    bool Dazu(const LogDatensatz& satz);

    // (year, month) of the call's start -> sums per zone.
    const std::map<std::pair<int, int>, ZonenArray<LogSumme>>& Monate() const { return monate_; }
    const ZonenArray<LogSumme>& ProZone() const { return gesamt_; }
    // All zones together; nothing when that sum leaves the range of its counters.
    std::optional<LogSumme> Gesamt() const;
    bool ZuGross() const { return zuGross_; }

private:
    std::map<std::pair<int, int>, ZonenArray<LogSumme>> monate_;
    ZonenArray<LogSumme> gesamt_;
    bool zuGross_ = false;
};

// Opens a log only to read it. When it cannot, the system's reason in German (a directory is
// refused too). With `nurDateien` only an ordinary file is taken, so that a FIFO or a device
// named like a log never keeps the reading waiting for a writer.
std::optional<QString> OeffneLog(QFile& datei, const QString& pfad, bool nurDateien);

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
