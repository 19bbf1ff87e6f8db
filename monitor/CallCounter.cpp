#include "monitor/CallCounter.h"

#include "tariff/TariffBand.h"

#include <algorithm>

namespace tarvis {

void GespraechsZaehler::VarInit(Moment jetzt) {
    kalender_.FeiertageBerechnen(static_cast<int>(DatumVon(jetzt).year()));
    letzterTarif_ = 0;
    zonenTarif_.fill(TarifNr(jetzt, kalender_));
}

void GespraechsZaehler::Start(Moment jetzt, std::int64_t zaehlerMs) {
    const int band = TarifNr(jetzt, kalender_);
    laeuft_ = true;
    startZeitMs_ = zaehlerMs;
    letzterTickMs_ = zaehlerMs;
    verstrichen_ = 0;
    for (int zone : AlleZonen) {
        zonenTarif_[zone] = band;
        taktBeginn_[zone] = 0;
        taktEnde_[zone] = TaktLaenge(band, zone);
        gaugeMax_[zone] = TaktLaenge(band, zone) / 10;
        gaugeWert_[zone] = 0;
        einheiten_[zone] = 1;
    }
    start_ = jetzt;
}

void GespraechsZaehler::Stop(Moment jetzt, std::int64_t zaehlerMs) {
    if (laeuft_ && zaehlerMs - letzterTickMs_ > StillstandAbMs) {
        verstrichen_ = std::max<std::int64_t>(verstrichen_, zaehlerMs - startZeitMs_);
        Nachholen();
    }
    laeuft_ = false;
    stop_ = jetzt;
}

GespraechsZaehler::TickErgebnis GespraechsZaehler::Tick(Moment jetzt, std::int64_t zaehlerMs) {
    TickErgebnis ergebnis;
    const int band = TarifNr(jetzt, kalender_);
    const bool nachStillstand = zaehlerMs - letzterTickMs_ > StillstandAbMs;
    letzterTickMs_ = zaehlerMs;
    if (laeuft_) {
        verstrichen_ = std::max<std::int64_t>(0, zaehlerMs - startZeitMs_);
        if (nachStillstand) {
            ergebnis.neuAnzeige = Nachholen();
        } else {
            for (int zone : AlleZonen) {
                // Strictly past the end: a tick at exactly the end still belongs to the old unit.
                if (verstrichen_ > taktEnde_[zone]) {
                    NeueEinheit(zone, band);
                    ergebnis.neuAnzeige = true;
                } else {
                    Fortschritt(zone);
                }
            }
        }
    } else if (zonenTarif_ != ZonenArray<int>(band)) {
        // After STOP a zone may still stand in the band of its last unit; its column must show
        // the band of the moment again, not only at the next band change.
        zonenTarif_.fill(band);
        ergebnis.neuAnzeige = true;
    }
    // The whole date, not only the day of the month: a clock set from the 5th of one month to
    // the 5th of another is a new day too.
    if (DatumVon(jetzt) != letzterTag_) {
        ergebnis.neuerTag = true;
    }
    if (band != letzterTarif_) {
        letzterTarif_ = band;
        ergebnis.neuAnzeige = true;
    }
    return ergebnis;
}

bool GespraechsZaehler::Nachholen() {
    bool neu = false;
    for (int zone : AlleZonen) {
        while (verstrichen_ > taktEnde_[zone]) {
            const Moment beginn = start_ + std::chrono::seconds{taktEnde_[zone] / 1000};
            NeueEinheit(zone, TarifNr(beginn, kalender_));
            neu = true;
        }
        Fortschritt(zone);
    }
    return neu;
}

void GespraechsZaehler::NeueEinheit(int zone, int band) {
    const std::int64_t ueberhang = verstrichen_ - taktEnde_[zone];
    const std::int32_t laenge = TaktLaenge(band, zone);
    taktBeginn_[zone] = taktEnde_[zone];
    zonenTarif_[zone] = band;
    taktEnde_[zone] += laenge;
    gaugeMax_[zone] = laenge / 10;
    einheiten_[zone] += 1;
    gaugeWert_[zone] = static_cast<int>(std::min<std::int64_t>(ueberhang / 10, gaugeMax_[zone]));
}

void GespraechsZaehler::Fortschritt(int zone) {
    const std::int64_t stand = verstrichen_ - taktBeginn_[zone];
    gaugeWert_[zone] = static_cast<int>(std::min<std::int64_t>(stand / 10, gaugeMax_[zone]));
}

} // namespace tarvis
