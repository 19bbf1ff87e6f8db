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
    QString text;
    for (char c : zahl) {
        if (c == FesterTrenner.front()) {
            text += locale.decimalPoint();
        } else {
            text += QLatin1Char(c);
        }
    }
    return text;
}

QString GanzzahlText(std::int64_t zahl, const QLocale& locale) {
    return WestlicheZiffern(locale.toString(qlonglong{zahl}), locale);
}

QString WestlicheZiffern(const QString& text, const QLocale& locale) {
    const QList<uint> null = locale.zeroDigit().toUcs4();
    const char32_t nullZeichen = null.isEmpty() ? U'0' : null.front();
    if (nullZeichen == U'0') {
        return text;
    }
    QString west;
    for (const char32_t zeichen : text.toUcs4()) {
        if (zeichen >= nullZeichen && zeichen <= nullZeichen + 9) {
            west += QLatin1Char(static_cast<char>('0' + (zeichen - nullZeichen)));
        } else {
            west += QString::fromUcs4(&zeichen, 1);
        }
    }
    return west;
}

} // namespace tarvis
