#pragma once

#include "tariff/Moment.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <string>

namespace tarvis {

// Conversions between the tariff's calendar types and Qt's.
QDate QDateAus(Datum datum);
Datum DatumAus(QDate datum);
Moment MomentAus(const QDateTime& zeit);
QDateTime QDateTimeAus(Moment moment);

// Texts as the windows show them.
QString UhrzeitText(Moment moment); // "hh:mm:ss", 24 hours
QString DatumText(Datum datum);     // "DD.MM.YYYY"

// The decimal separator of a locale, as the tariff's number texts take it.
std::string DezimalTrenner(const QLocale& locale);

} // namespace tarvis
