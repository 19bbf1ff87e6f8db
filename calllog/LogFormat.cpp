#include "calllog/LogFormat.h"

#include "tariff/Parse.h"

#include <string>

namespace tarvis {

namespace {

constexpr QStringView NameVorn = u"Tarvis ";
constexpr QStringView NameHinten = u".Rep";

} // namespace

QString LogDateiname(int jahr, unsigned monat) {
    return NameVorn.toString() +
           QStringLiteral("%1-%2")
               .arg(monat, 2, 10, QLatin1Char('0'))
               .arg(jahr, 4, 10, QLatin1Char('0')) +
           NameHinten.toString();
}

std::optional<std::pair<int, int>> MonatAusLogDateiname(QStringView dateiname) {
    constexpr qsizetype MonatJahrLaenge = 7; // "MM-YYYY"
    if (dateiname.size() != NameVorn.size() + MonatJahrLaenge + NameHinten.size() ||
        !dateiname.startsWith(NameVorn) || !dateiname.endsWith(NameHinten)) {
        return std::nullopt;
    }
    const std::string mitte =
        dateiname.sliced(NameVorn.size(), MonatJahrLaenge).toString().toStdString();
    const auto monat = LiesZiffern(std::string_view(mitte).substr(0, 2), 2, 2);
    const auto jahr = LiesZiffern(std::string_view(mitte).substr(3), 4, 4);
    if (mitte[2] != '-' || !monat || !jahr || *monat < 1 || *monat > 12) {
        return std::nullopt;
    }
    return std::pair{static_cast<int>(*jahr), static_cast<int>(*monat)};
}

} // namespace tarvis
