#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <string_view>

namespace tarvis {

// A text of the program's own (UTF-8), as Qt takes it.
QString AlsQString(std::string_view utf8);

// How the windows and the command line show numbers: always in Western digits, with only the
// separators of the user's locale. Every number a user reads goes through one of these.
//
// A number in the program's fixed form (ASCII digits, "." before the decimals, "-") with the
// locale's decimal separator: German settings turn "0.12" into "0,12", Persian ones into "0٫12".
QString ZahlText(std::string_view zahl, const QLocale& locale);
// A count grouped as the locale groups it: 15476 is "15.476" under German settings and
// "15٬476" under Persian ones.
QString GanzzahlText(std::int64_t zahl, const QLocale& locale);
// A text the locale wrote (a date, a grouped number) with its own digits, if it has others,
// turned into 0-9.
QString WestlicheZiffern(const QString& text, const QLocale& locale);

// The decimal separator the tariff's number texts are made with before ZahlText shows them.
inline constexpr std::string_view FesterTrenner = ".";

} // namespace tarvis
