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

QString AlsQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString ZahlText(std::string_view zahl, const QLocale& locale) {
    const QList<uint> null = locale.zeroDigit().toUcs4();
    const char32_t nullZeichen = null.isEmpty() ? U'0' : null.front();
    QString text;
    for (char c : zahl) {
        if (c >= '0' && c <= '9') {
            const char32_t ziffer = nullZeichen + static_cast<char32_t>(c - '0');
            text += QString::fromUcs4(&ziffer, 1);
        } else if (c == FesterTrenner.front()) {
            text += locale.decimalPoint();
        } else if (c == '-') {
            text += locale.negativeSign();
        } else {
            text += QLatin1Char(c);
        }
    }
    return text;
}

} // namespace tarvis
