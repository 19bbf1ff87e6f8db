#include "platform/Clock.h"

#include "platform/QtCalendar.h"

#include <QDateTime>
#include <QTimer>
#include <chrono>
#include <ctime>

namespace tarvis {

Moment SystemCalendarClock::now() const {
    return MomentAus(QDateTime::currentDateTime());
}

namespace {

bool LiesBootZeit([[maybe_unused]] BootTimeMillisecondCounter::UhrLesen lesen,
                  [[maybe_unused]] std::int64_t& ms) {
#ifdef CLOCK_BOOTTIME
    timespec zeit{};
    if (lesen(CLOCK_BOOTTIME, &zeit) == 0) {
        ms = std::int64_t{zeit.tv_sec} * 1000 + zeit.tv_nsec / 1'000'000;
        return true;
    }
#endif
    return false;
}

} // namespace

BootTimeMillisecondCounter::BootTimeMillisecondCounter(UhrLesen lesen) : lesen_(lesen) {
    std::int64_t ms = 0;
    bootZeit_ = LiesBootZeit(lesen_, ms);
}

std::int64_t BootTimeMillisecondCounter::milliseconds() const {
    std::int64_t ms = 0;
    if (bootZeit_ && LiesBootZeit(lesen_, ms)) {
        return ms;
    }
    using namespace std::chrono;
    return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QtWecker::QtWecker() : timer_(new QTimer) {
    timer_->setSingleShot(true);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] {
        auto aufgabe = std::move(aufgabe_);
        aufgabe_ = nullptr;
        if (aufgabe) {
            aufgabe();
        }
    });
}

QtWecker::~QtWecker() {
    delete timer_;
}

void QtWecker::Stelle(std::int64_t ms, std::function<void()> aufgabe) {
    aufgabe_ = std::move(aufgabe);
    timer_->start(std::chrono::milliseconds{ms});
}

void QtWecker::Abbrechen() {
    timer_->stop();
    aufgabe_ = nullptr;
}

} // namespace tarvis
