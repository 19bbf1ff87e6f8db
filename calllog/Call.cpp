#include "calllog/Call.h"

namespace tarvis {

Gespraech GespraechVorZonenwahl::MitZone(int zone, const QString& telefon,
                                         const QString& kommentar) const {
    Gespraech gespraech;
    gespraech.startDatum = DatumVon(start);
    gespraech.startSekunde = SekundeDesTages(start);
    gespraech.stopDatum = DatumVon(stop);
    gespraech.stopSekunde = SekundeDesTages(stop);
    gespraech.dauerMs = dauerMs;
    gespraech.telefon = telefon.toStdString();
    gespraech.zone = zone;
    gespraech.einheiten = einheiten[zone];
    gespraech.kostenPfennig = kostenPfennig[zone];
    gespraech.kommentar = kommentar.toStdString();
    return gespraech;
}

} // namespace tarvis
