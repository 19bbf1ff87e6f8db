#include "platform/Clock.h"

#include "platform/QtCalendar.h"

#include <QDateTime>
#include <chrono>

namespace tarvis {

Moment SystemCalendarClock::now() const {
    return MomentAus(QDateTime::currentDateTime());
}

std::int64_t SteadyMillisecondCounter::milliseconds() const {
    using namespace std::chrono;
    return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace tarvis
