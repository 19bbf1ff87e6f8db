#pragma once

#include "platform/Clock.h"

#include <chrono>
#include <cstdint>

namespace tarvis::test {

// A calendar clock and a millisecond counter that only move when the test moves them.
class FakeCalendarClock final : public CalendarClock {
public:
    explicit FakeCalendarClock(Moment start = MomentAus(std::chrono::year{1996} / 12 / 7, 12))
        : jetzt_(start) {}
    Moment now() const override { return jetzt_; }
    void set(Moment moment) { jetzt_ = moment; }
    void advance(std::chrono::seconds sekunden) { jetzt_ += sekunden; }

private:
    Moment jetzt_;
};

class FakeMillisecondCounter final : public MillisecondCounter {
public:
    explicit FakeMillisecondCounter(std::int64_t start = 0) : ms_(start) {}
    std::int64_t milliseconds() const override { return ms_; }
    void set(std::int64_t ms) { ms_ = ms; }
    void advance(std::int64_t ms) { ms_ += ms; }

private:
    std::int64_t ms_;
};

// Moves both clocks together, as real time would: the calendar clock shows whole seconds of
// the time that the millisecond counter has run since the pair was set.
class FakeTime {
public:
    explicit FakeTime(Moment start, std::int64_t counterStart = 0)
        : start_(start), counterStart_(counterStart), clock(start), counter(counterStart) {}

    void advanceMs(std::int64_t ms) {
        counter.advance(ms);
        clock.set(start_ + std::chrono::seconds{(counter.milliseconds() - counterStart_) / 1000});
    }

private:
    Moment start_;
    std::int64_t counterStart_;

public:
    FakeCalendarClock clock;
    FakeMillisecondCounter counter;
};

} // namespace tarvis::test
