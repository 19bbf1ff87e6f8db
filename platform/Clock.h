#pragma once

#include "tariff/Moment.h"

#include <cstdint>

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

class SteadyMillisecondCounter final : public MillisecondCounter {
public:
    std::int64_t milliseconds() const override;
};

} // namespace tarvis
