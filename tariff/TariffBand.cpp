#include "tariff/TariffBand.h"

namespace tarvis {

TagesArt TagesArtVon(Datum datum, FeiertagKalender& kalender) {
    if (IstJahresendWerktag(datum)) {
        return TagesArt::JahresendWerktag;
    }
    if (kalender.IstFeiertag(datum)) {
        return TagesArt::Feiertag;
    }
    if (WochentagNummer(datum) > 5) {
        return TagesArt::Wochenende;
    }
    return TagesArt::Werktag;
}

int TarifNr(Moment zeitpunkt, FeiertagKalender& kalender) {
    const TagesArt art = TagesArtVon(DatumVon(zeitpunkt), kalender);
    return TarifImSlot(art, SlotVonSekunde(SekundeDesTages(zeitpunkt)));
}

} // namespace tarvis
