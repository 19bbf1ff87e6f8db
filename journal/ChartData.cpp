#include "journal/ChartData.h"

#include "journal/JournalFilter.h"
#include "platform/QtText.h"
#include "tariff/Format.h"
#include "tariff/TariffTables.h"

#include <algorithm>

namespace tarvis {

namespace {

// More months than this stand upright.
constexpr qsizetype LiegendeMonate = 6;

} // namespace

GrafikDaten GrafikVon(const std::vector<SummenZeile>& zeilen) {
    GrafikDaten grafik;
    // The rows come month by month, each month's zones together.
    for (const SummenZeile& zeile : zeilen) {
        if (!zeile.IstGesamt()) {
            const QString monat = MonatsText(*zeile.monat);
            if (grafik.monate.isEmpty() || grafik.monate.back() != monat) {
                grafik.monate << monat;
            }
        }
    }
    const auto anzahl = static_cast<std::size_t>(grafik.monate.size());
    for (int zone : AlleZonen) {
        grafik.pfennig[zone].assign(anzahl, 0);
    }
    std::vector<std::int64_t> stapel(anzahl, 0);
    for (const SummenZeile& zeile : zeilen) {
        if (zeile.IstGesamt()) {
            continue;
        }
        const auto i = static_cast<std::size_t>(grafik.monate.indexOf(MonatsText(*zeile.monat)));
        grafik.pfennig[zeile.zone][i] = zeile.summe.kostenPfennig;
        stapel[i] += zeile.summe.kostenPfennig;
        grafik.hoechsterStapel = std::max(grafik.hoechsterStapel, stapel[i]);
    }
    grafik.hochkant = grafik.monate.size() > LiegendeMonate;
    for (const QString& monat : grafik.monate) {
        grafik.beschriftung << (grafik.hochkant ? monat.left(3) + monat.right(2) : monat);
    }
    return grafik;
}

QString BalkenText(const QString& monat, int zone, std::int64_t pfennig, const QLocale& locale) {
    return QStringLiteral("%1, %2: %3 DM")
        .arg(monat, AlsQString(ZonenName[zone]),
             Gruppiert(ZahlText(BetragText(pfennig, FesterTrenner), locale), locale));
}

} // namespace tarvis
