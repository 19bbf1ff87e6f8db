#include "tariff/Format.h"

#include "tariff/TariffTables.h"

#include <cmath>
#include <cstdio>

namespace tarvis {

namespace {

// A whole count of hundredths (or tenths, ...) as text with the separator put in.
std::string GanzzahlMitKomma(std::int64_t einheitenKlein, int nachkommastellen,
                             std::string_view trenner) {
    const bool negativ = einheitenKlein < 0;
    std::string ziffern = std::to_string(negativ ? -einheitenKlein : einheitenKlein);
    if (nachkommastellen > 0) {
        const auto stellen = static_cast<std::size_t>(nachkommastellen);
        if (ziffern.size() <= stellen) {
            ziffern.insert(0, stellen + 1 - ziffern.size(), '0');
        }
        ziffern.insert(ziffern.size() - stellen, trenner);
    }
    return negativ ? "-" + ziffern : ziffern;
}

std::string ZweiStellen(unsigned wert) {
    return {static_cast<char>('0' + wert / 10 % 10), static_cast<char>('0' + wert % 10)};
}

} // namespace

std::string FestkommaText(double wert, int nachkommastellen, std::string_view trenner) {
    const double faktor = std::pow(10.0, nachkommastellen);
    return GanzzahlMitKomma(std::llround(wert * faktor), nachkommastellen, trenner);
}

std::string BetragText(std::int64_t pfennig, std::string_view trenner) {
    return GanzzahlMitKomma(pfennig, 2, trenner);
}

std::string KostenText(std::int64_t einheiten, std::string_view trenner) {
    return BetragText(KostenPfennig(einheiten), trenner);
}

std::string SekundenText(std::int32_t taktMs, std::string_view trenner) {
    if (taktMs % 1000 == 0) {
        return std::to_string(taktMs / 1000);
    }
    return FestkommaText(SekundenProEinheit(taktMs), 1, trenner);
}

TaktTexte TaktTexteVon(std::int32_t taktMs, std::string_view trenner) {
    return {FestkommaText(SekundenProEinheit(taktMs), 1, trenner),
            FestkommaText(DMProMinute(taktMs), 2, trenner)};
}

std::string ZeitText(std::int64_t sekunden) {
    const std::int64_t s = sekunden < 0 ? 0 : sekunden;
    const std::int64_t stunden = s / 3600;
    std::string text = stunden < 10 ? "0" + std::to_string(stunden) : std::to_string(stunden);
    text += ':' + ZweiStellen(static_cast<unsigned>(s / 60 % 60));
    text += ':' + ZweiStellen(static_cast<unsigned>(s % 60));
    return text;
}

std::string UhrzeitText(Moment moment) {
    return ZeitText(SekundeDesTages(moment));
}

std::string DatumText(Datum datum) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", unsigned(datum.day()),
                  unsigned(datum.month()), int(datum.year()));
    return text;
}

std::string DatumKurzText(Datum datum) {
    const int jahr = ((static_cast<int>(datum.year()) % 100) + 100) % 100;
    return ZweiStellen(unsigned(datum.day())) + '.' + ZweiStellen(unsigned(datum.month())) + '.' +
           ZweiStellen(static_cast<unsigned>(jahr));
}

} // namespace tarvis
