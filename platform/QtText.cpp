#include "platform/QtText.h"

namespace tarvis {

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
