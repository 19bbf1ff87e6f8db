#include "tariff/Format.h"

#include "tariff/TariffTables.h"

#include <cmath>

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

} // namespace

std::string FestkommaText(double wert, int nachkommastellen, std::string_view trenner) {
    const double faktor = std::pow(10.0, nachkommastellen);
    return GanzzahlMitKomma(std::llround(wert * faktor), nachkommastellen, trenner);
}

std::string KostenText(std::int64_t einheiten, std::string_view trenner) {
    return GanzzahlMitKomma(einheiten * EinheitPreisPfennig, 2, trenner);
}

std::string SekundenText(std::int32_t taktMs, std::string_view trenner) {
    if (taktMs % 1000 == 0) {
        return std::to_string(taktMs / 1000);
    }
    return FestkommaText(taktMs / 1000.0, 1, trenner);
}

} // namespace tarvis
