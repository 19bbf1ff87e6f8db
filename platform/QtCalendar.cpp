#include "platform/QtCalendar.h"

namespace tarvis {

using namespace std::chrono;

QDate QDateAus(Datum datum) {
    return QDate(static_cast<int>(datum.year()), static_cast<int>(unsigned(datum.month())),
                 static_cast<int>(unsigned(datum.day())));
}

Datum DatumAus(QDate datum) {
    return year{datum.year()} / month{static_cast<unsigned>(datum.month())} /
           day{static_cast<unsigned>(datum.day())};
}

Moment MomentAus(const QDateTime& zeit) {
    const QTime uhr = zeit.time();
    return tarvis::MomentAus(DatumAus(zeit.date()), uhr.hour(), uhr.minute(), uhr.second());
}

QDateTime QDateTimeAus(Moment moment) {
    return QDateTime(QDateAus(DatumVon(moment)), QTime(0, 0).addSecs(SekundeDesTages(moment)));
}

} // namespace tarvis
