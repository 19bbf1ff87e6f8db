#include "overview/TariffOverview.h"

#include "platform/QtText.h"
#include "tariff/Format.h"

#include <QStringList>
#include <cassert>

namespace tarvis {

namespace {

// [kind of day], index 0 unused.
constexpr std::array<BemerkungZeilen, TagesArtAnzahl + 1> Bemerkungen{{
    {"", ""},
    {"alle normalen Werktage ohne Feiertage,",
     "die nicht in der Zeit vom 27.12. bis 30.12. liegen"},
    {"alle normalen Samstage und Sonntage ohne Feiertage,",
     "die nicht in der Zeit vom 27.12. bis 30.12. liegen"},
    {"bundeseinheitliche gesetzliche Feiertage, 24.12., 31.12.,",
     "alle Samstage und Sonntage in der Zeit vom 27.12. bis 30.12."},
    {"alle Werktage (Montag bis Freitag)", "in der Zeit vom 27.12. bis 30.12."},
}};

} // namespace

QString SekundenAnsage(const UebersichtInhalt& inhalt) {
    QStringList teile;
    for (std::size_t slot = 0; slot < inhalt.balken.size(); ++slot) {
        teile << AlsQString(BalkenBeschriftung[slot]).trimmed() + QStringLiteral(" Uhr ") +
                     inhalt.balken[slot].text;
    }
    return QStringLiteral("Sekunden je Einheit: ") + teile.join(QStringLiteral(", "));
}

BemerkungZeilen BemerkungVon(TagesArt art) {
    return Bemerkungen[static_cast<int>(art)];
}

UebersichtInhalt UebersichtFuer(int zone, TagesArt art, const QLocale& locale) {
    assert(IstZone(zone));
    UebersichtInhalt inhalt;
    for (int slot = 0; slot < SlotAnzahl; ++slot) {
        const int band = TarifImSlot(art, slot);
        const std::int32_t taktMs = TaktLaenge(band, zone);
        inhalt.balken[static_cast<std::size_t>(slot)] = {
            band, SekundenProEinheit(taktMs),
            ZahlText(SekundenText(taktMs, FesterTrenner), locale)};
    }
    const BemerkungZeilen zeilen = BemerkungVon(art);
    inhalt.bemerkung1 = AlsQString(zeilen.erste);
    inhalt.bemerkung2 = AlsQString(zeilen.zweite);
    inhalt.zone = zone;
    return inhalt;
}

} // namespace tarvis
