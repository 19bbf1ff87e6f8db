#pragma once

#include "tariff/Moment.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <string>
#include <string_view>

namespace tarvis {

// Conversions between the tariff's calendar types and Qt's.
QDate QDateAus(Datum datum);
Datum DatumAus(QDate datum);
Moment MomentAus(const QDateTime& zeit);
QDateTime QDateTimeAus(Moment moment);

// A text of the program's own (UTF-8), as Qt takes it.
QString AlsQString(std::string_view utf8);

// A number in the program's fixed form (ASCII digits, "." before the decimals, "-") as the
// locale writes numbers: its digits, its decimal separator and its minus sign. German settings
// turn "0.12" into "0,12", Persian ones into "۰٫۱۲".
QString ZahlText(std::string_view zahl, const QLocale& locale);

// The decimal separator the tariff's number texts are made with before ZahlText shows them.
inline constexpr std::string_view FesterTrenner = ".";

} // namespace tarvis
