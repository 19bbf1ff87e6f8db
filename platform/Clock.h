#pragma once

#include "tariff/Moment.h"

#include <cstdint>
#include <ctime>
#include <functional>

class QTimer;

namespace tarvis {

// The calendar clock: local date and time of day in whole seconds.
class CalendarClock {
public:
    virtual ~CalendarClock() = default;
    virtual Moment now() const = 0;
};

// A monotonic millisecond counter. 64 bits wide, so it does not wrap in any real uptime.
class MillisecondCounter {
public:
    virtual ~MillisecondCounter() = default;
    virtual std::int64_t milliseconds() const = 0;
};

class SystemCalendarClock final : public CalendarClock {
public:
    Moment now() const override;
};

// The system's millisecond counter, counting on while the machine sleeps: the telephone
// exchange goes on charging a call across a suspend, so the call's duration must include the
// sleep. On Linux this is CLOCK_BOOTTIME (steady_clock stops during a suspend); where the system
// has no such clock, steady_clock serves.
class BootTimeMillisecondCounter final : public MillisecondCounter {
public:
    // How the system's clocks are read: clock_gettime, or a test's stand-in that tells the
    // clocks apart on a machine that has never slept.
    using UhrLesen = int (*)(clockid_t uhr, timespec* zeit);

    explicit BootTimeMillisecondCounter(UhrLesen lesen = ::clock_gettime);
    std::int64_t milliseconds() const override;

private:
    UhrLesen lesen_;
    bool bootZeit_ = false; // whether the system has the clock, asked once
};

// Runs a task after a wait, on the event loop. The call monitor client's reconnection and the
// 10 s bound of each connect attempt go through it (never both at once), so that tests can fire
// the wait at once and read how long it would have been.
class Wecker {
public:
    virtual ~Wecker() = default;
    virtual void Stelle(std::int64_t ms, std::function<void()> aufgabe) = 0;
    virtual void Abbrechen() = 0;
};

class QtWecker final : public Wecker {
public:
    QtWecker();
    ~QtWecker() override;
    void Stelle(std::int64_t ms, std::function<void()> aufgabe) override;
    void Abbrechen() override;

private:
    QTimer* timer_;
    std::function<void()> aufgabe_;
};

} // namespace tarvis
