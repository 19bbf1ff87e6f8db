#pragma once

#include "tariff/Moment.h"

#include <cstdint>
#include <ctime>

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

} // namespace tarvis
