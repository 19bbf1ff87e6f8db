#pragma once

#include "tariff/HolidayCalendar.h"
#include "tariff/Moment.h"
#include "tariff/Zone.h"

#include <cstdint>

namespace tarvis {

// The call in progress, charged unit by unit in all four zones at once. A unit is charged when
// it begins: one per zone at START, and one more each time the elapsed time passes the end of
// the unit in progress. The next unit's length comes from the band in force at that tick.
//
// Time is handed in on every call: the calendar moment (for the band and the day) and the
// reading of a monotonic millisecond counter (for the elapsed time). Boundaries are kept as
// elapsed milliseconds and each follows from the one before, so late ticks never make them drift.
//
// A program that stood still (stopped from its terminal, a machine that slept, an event loop
// blocked) finds at its next tick or at STOP a backlog of units that the exchange has charged
// meanwhile. Both work it off the same way: every unit at once, each in the band of the moment it
// began, so the call costs what the calculation of the same start and duration says.
class GespraechsZaehler {
public:
    // The window's timer runs every 100 ms. A tick or STOP more than two intervals after the
    // previous tick comes after a stall.
    static constexpr std::int64_t TickIntervallMs = 100;
    static constexpr std::int64_t StillstandAbMs = 2 * TickIntervallMs;

    // What the window has to redraw after a tick.
    struct TickErgebnis {
        bool neuAnzeige = false; // band of the moment changed, or a zone started a unit
        bool neuerTag = false;   // the date changed since the day handling last ran
    };

    explicit GespraechsZaehler(FeiertagKalender& kalender) : kalender_(kalender) {}

    // Start-up: the holiday list of the current year, no band drawn yet, every zone in the band
    // of the moment.
    void VarInit(Moment jetzt);

    void Start(Moment jetzt, std::int64_t zaehlerMs);
    // STOP computes nothing: units, costs, gauges and duration keep what the last tick showed,
    // at most a tick old. Only after a stall does it first work off the backlog up to STOP.
    void Stop(Moment jetzt, std::int64_t zaehlerMs);
    // A tick on time begins at most one unit per zone, in the band of this tick's moment; a tick
    // after a stall works off the whole backlog.
    TickErgebnis Tick(Moment jetzt, std::int64_t zaehlerMs);

    // The day handling has run for this date.
    void TagVermerken(Datum heute) { letzterTag_ = heute; }

    bool GespraechLaeuft() const { return laeuft_; }
    Datum StartDatum() const { return DatumVon(start_); }
    Datum StopDatum() const { return DatumVon(stop_); }
    // The calendar moments of START and STOP.
    Moment StartZeitpunkt() const { return start_; }
    Moment StopZeitpunkt() const { return stop_; }
    Datum LetzterTag() const { return letzterTag_; }
    int LetzterTarif() const { return letzterTarif_; }
    const ZonenArray<int>& ZonenTarif() const { return zonenTarif_; }

    // Figures of the call as of the last tick (or START).
    std::int64_t Einheiten(int zone) const { return einheiten_[zone]; }
    std::int64_t TaktEnde(int zone) const { return taktEnde_[zone]; }
    std::int64_t TaktBeginn(int zone) const { return taktBeginn_[zone]; }
    std::int64_t Verstrichen() const { return verstrichen_; }
    // The gauge in steps of 10 ms: the unit in progress and how far it has run (never above Max).
    int GaugeMax(int zone) const { return gaugeMax_[zone]; }
    int GaugeWert(int zone) const { return gaugeWert_[zone]; }

private:
    void NeueEinheit(int zone, int band);
    void Fortschritt(int zone);
    // Charges every unit begun up to the elapsed time; whether any was.
    bool Nachholen();

    FeiertagKalender& kalender_;
    bool laeuft_ = false;
    std::int64_t startZeitMs_ = 0;
    std::int64_t letzterTickMs_ = 0; // counter reading of the last tick, or of START
    std::int64_t verstrichen_ = 0;
    Moment start_{};
    Moment stop_{};
    Datum letzterTag_{};
    int letzterTarif_ = 0; // 0 is no band, so the first tick always redraws
    ZonenArray<int> zonenTarif_{0};
    ZonenArray<std::int64_t> einheiten_{0};
    ZonenArray<std::int64_t> taktEnde_{0};
    ZonenArray<std::int64_t> taktBeginn_{0};
    ZonenArray<int> gaugeMax_{0};
    ZonenArray<int> gaugeWert_{0};
};

} // namespace tarvis
